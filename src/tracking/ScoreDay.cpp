#include "tracking/ScoreDay.h"

#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

namespace trakmora {

DaySummary scoreDay(const ProgramState& state, int day, const DayProgress& progress,
                    const AfterScoring& afterScoring) {
    DaySummary summary;
    const std::vector<std::string> downloads = listCompetitorFiles(state, day).downloads;
    // The CL files are only known after the imports; the total grows by the imports' CL files.
    const std::size_t waitingClFiles = listCompetitorFiles(state, day).clFiles.size();
    int total = static_cast<int>(downloads.size() * 2 + waitingClFiles);
    int done = 0;
    const auto clashingDownloads = sameCompetitorFiles(downloads, 1);
    for (const std::string& download : downloads) {
        if (progress) progress(done, total, download);
        ++done;
        if (const auto clash = clashingDownloads.find(download); clash != clashingDownloads.end()) {
            summary.messages.push_back(download + ": " + clash->second);
            --total;
            continue;
        }
        ImportResult result;
        if (const Status st = importDownload(state, day, download, result); st)
            ++summary.downloadsImported;
        else {
            summary.messages.push_back(download + ": " + st.message());
            --total; // no CL file to score
        }
    }
    const std::vector<std::string> clFiles = listCompetitorFiles(state, day).clFiles;
    total = done + static_cast<int>(clFiles.size());
    const auto clashingLogs = sameCompetitorFiles(clFiles, 2);
    for (const std::string& clFile : clFiles) {
        if (progress) progress(done, total, clFile);
        ++done;
        if (const auto clash = clashingLogs.find(clFile); clash != clashingLogs.end()) {
            summary.messages.push_back(clFile + ": " + clash->second);
            continue;
        }
        ScoringRun run;
        const Status st = scoreCompetitor(state, day, clFile, run);
        if (st) {
            ++summary.competitorsScored;
            if (afterScoring)
                if (const Status after = afterScoring(run); !after)
                    summary.messages.push_back(clFile + ": " + after.message());
            continue;
        }
        summary.messages.push_back(clFile + ": " + st.message());
        if (st.message() == kNoControlsLoaded) break;
    }
    if (progress) progress(total, total, {});
    return summary;
}

std::string daySummaryText(const DaySummary& summary) {
    std::string text = "Downloads imported: " + std::to_string(summary.downloadsImported) +
                       "\nCompetitors scored: " + std::to_string(summary.competitorsScored);
    if (summary.messages.empty()) return text + "\nNo messages";
    text += "\nMessages:";
    for (const std::string& m : summary.messages) text += "\n" + m;
    return text;
}

int nextScoringDay(int day, int noOfDays) {
    const int next = day + 1;
    return next > noOfDays || next < 1 ? 1 : next;
}

} // namespace trakmora
