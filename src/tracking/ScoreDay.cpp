#include "tracking/ScoreDay.h"

#include "common/Format.h"
#include "common/InOrder.h"
#include "common/Messages.h"
#include "tracking/BackupLogger.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace trakmora {

namespace {

void noteFailure(DaySummary& summary, const std::string& file, std::size_t dayPosition,
                 const std::string& message, bool listMessage = true) {
    if (listMessage) summary.messages.push_back(file + ": " + message);
    CompetitorOutcome outcome;
    outcome.competitorNo = competitorNoInName(file, dayPosition);
    outcome.fileName = file;
    outcome.message = message;
    summary.competitors.push_back(std::move(outcome));
}

} // namespace

void noteImport(DaySummary& summary, const std::string& download, const Status& result) {
    if (result)
        ++summary.downloadsImported; // listed as the CL file it became
    else
        noteFailure(summary, download, 1, result.message());
}

void noteScoring(DaySummary& summary, const std::string& clFile, const Status& result,
                 const ScoringRun& run) {
    if (!result) {
        noteFailure(summary, clFile, 2, result.message());
        return;
    }
    ++summary.competitorsScored;
    CompetitorOutcome outcome;
    outcome.competitorNo = run.competitorNo;
    outcome.fileName = clFile;
    outcome.scored = true;
    outcome.controlsScored = static_cast<int>(run.report.size());
    outcome.controlCount = static_cast<int>(run.controls.size());
    outcome.dayTotal = run.dayTotal;
    summary.competitors.push_back(std::move(outcome));
}

void noteBackup(DaySummary& summary, const std::string& clFile, const ScoringRun& run,
                const std::string& note) {
    const int backupControls =
        static_cast<int>(std::count(run.fromBackup.begin(), run.fromBackup.end(), true));
    if (!note.empty()) summary.messages.push_back(clFile + ": " + note);
    for (auto it = summary.competitors.rbegin(); it != summary.competitors.rend(); ++it)
        if (it->fileName == clFile) {
            it->backupControls = backupControls;
            if (!note.empty())
                it->message = note;
            else if (!run.backupClFileName.empty())
                it->message = std::to_string(backupControls) + " of " + std::to_string(run.report.size()) +
                              " controls from the backup logger " + run.backupClFileName;
            return;
        }
}

void noteAfterScoring(DaySummary& summary, const std::string& clFile, const Status& result) {
    if (result) return;
    summary.messages.push_back(clFile + ": " + result.message());
    for (auto it = summary.competitors.rbegin(); it != summary.competitors.rend(); ++it)
        if (it->fileName == clFile) {
            it->message += (it->message.empty() ? "" : "; ") + result.message();
            return;
        }
}

void sortCompetitors(DaySummary& summary) {
    std::stable_sort(summary.competitors.begin(), summary.competitors.end(),
                     [](const CompetitorOutcome& a, const CompetitorOutcome& b) {
                         return a.competitorNo != b.competitorNo ? a.competitorNo < b.competitorNo
                                                                 : a.fileName < b.fileName;
                     });
}

DaySummary runDayBatch(const ProgramState& state, int day, const DayBatch& batch) {
    DaySummary summary;
    // The files named, or else those waiting in CompetitorsLog now.
    const auto chosen = [&](const std::vector<std::string>& named, const std::vector<std::string>& waiting) {
        return named.empty() ? waiting : named;
    };
    const CompetitorFiles waiting = listCompetitorFiles(state, day);
    const std::vector<std::string> downloads =
        batch.importDownloads ? chosen(batch.downloads, waiting.downloads) : std::vector<std::string>{};
    // The CL files are only known after the imports: until then the total counts each download
    // twice (imported, then scored) and the CL files already waiting once.
    const std::size_t waitingClFiles = batch.scoreLogs ? chosen(batch.clFiles, waiting.clFiles).size() : 0;
    int total = static_cast<int>(downloads.size() * (batch.scoreLogs ? 2 : 1) + waitingClFiles);
    int done = 0;
    const auto told = [&](BatchFileDone event) {
        if (batch.fileDone) batch.fileDone(event);
    };

    // Downloads are imported and competitors scored side by side, one worker per core; each file
    // touches only its own competitor's files. What the batch tells about each file follows on
    // this thread, in the order of the files, as if they had been taken one by one.
    if (batch.importDownloads) {
        if (batch.stepStarts) batch.stepStarts(BatchStep::Import, downloads.size());
        const auto clashingDownloads = sameCompetitorFiles(downloads, 1);
        std::error_code ignored; // imports side by side would each create the folder
        std::filesystem::create_directories(state.rallyFolder(RallyFolder::CompetitorsLogBak), ignored);
        std::vector<BatchFileDone> events(downloads.size());
        forEachInOrder(
            downloads.size(), workerCount(),
            [&](std::size_t i) {
                BatchFileDone& event = events[i];
                event.index = i;
                event.count = downloads.size();
                event.file = downloads[i];
                if (const auto clash = clashingDownloads.find(event.file); clash != clashingDownloads.end())
                    event.status = Status::failure(clash->second);
                else
                    event.status = importDownload(state, day, event.file, event.import);
            },
            [&](std::size_t i) {
                BatchFileDone& event = events[i];
                if (batch.progress) batch.progress(done, total, event.file);
                ++done;
                noteImport(summary, event.file, event.status);
                if (!event.status && batch.scoreLogs) --total; // no CL file to score
                told(std::move(event));
            });
    }

    if (batch.scoreLogs) {
        const std::vector<std::string> clFiles =
            chosen(batch.clFiles, listCompetitorFiles(state, day).clFiles);
        // A primary and its backup logger are scored as one.
        const std::vector<ScoringJob> jobs = scoringJobs(clFiles, sameCompetitorFiles(clFiles, 2));
        total = done + static_cast<int>(jobs.size());
        if (batch.stepStarts) batch.stepStarts(BatchStep::Score, jobs.size());
        // Each competitor is scored with a state of its own, whose messages are told here in turn.
        std::vector<BatchFileDone> events(jobs.size());
        std::vector<RecordingMessages> heard(jobs.size());
        std::vector<char> tried(jobs.size(), 0);
        // The missing control file fails every competitor alike: once one has met it, the
        // competitors not yet begun are not tried.
        std::atomic<bool> noControlsMet{false};
        bool noControls = false;
        forEachInOrder(
            jobs.size(), workerCount(),
            [&](std::size_t i) {
                BatchFileDone& event = events[i];
                event.step = BatchStep::Score;
                event.index = i;
                event.count = jobs.size();
                event.file = jobs[i].file;
                if (!jobs[i].refused.empty()) {
                    event.status = Status::failure(jobs[i].refused);
                } else {
                    if (noControlsMet) return;
                    ProgramState own = state;
                    own.messages = &heard[i];
                    event.status = scoreLoggerPair(own, day, jobs[i].pair, event.run, event.note);
                    if (event.status.kind() == StatusKind::NoControlsLoaded) noControlsMet = true;
                }
                tried[i] = 1;
            },
            [&](std::size_t i) {
                BatchFileDone& event = events[i];
                const std::string clFile = event.file;
                if (noControls) {
                    // Listed, not repeated among the messages.
                    noteFailure(summary, clFile, 2, kNoControlsLoaded, false);
                    return;
                }
                if (!tried[i])
                    event.status = Status::failure(StatusKind::NoControlsLoaded, kNoControlsLoaded);
                if (batch.progress) batch.progress(done, total, clFile);
                ++done;
                for (const std::string& text : heard[i].texts)
                    state.messages->info(text);
                if (!jobs[i].refused.empty()) {
                    noteScoring(summary, clFile, event.status, {});
                } else {
                    noteScoring(summary, clFile, event.status, event.run);
                    if (event.status) noteBackup(summary, clFile, event.run, event.note);
                    if (event.status && batch.afterScoring) {
                        event.afterScoring = batch.afterScoring(event.run);
                        noteAfterScoring(summary, clFile, event.afterScoring);
                    }
                }
                noControls = event.status.kind() == StatusKind::NoControlsLoaded;
                told(std::move(event));
            });
    }
    if (batch.progress) batch.progress(total, total, {});
    sortCompetitors(summary);
    return summary;
}

DaySummary scoreDay(const ProgramState& state, int day, const DayProgress& progress,
                    const AfterScoring& afterScoring) {
    DayBatch batch;
    batch.progress = progress;
    batch.afterScoring = afterScoring;
    return runDayBatch(state, day, batch);
}

std::string daySummaryText(const DaySummary& summary) {
    std::string text = "Downloads imported: " + std::to_string(summary.downloadsImported) +
                       "\nCompetitors scored: " + std::to_string(summary.competitorsScored);
    if (summary.messages.empty()) return text + "\nNo messages";
    text += "\nMessages:";
    for (const std::string& m : summary.messages)
        text += "\n" + m;
    return text;
}

std::string controlsScoredText(const CompetitorOutcome& outcome) {
    if (!outcome.scored) return {};
    return std::to_string(outcome.controlsScored) + " of " + std::to_string(outcome.controlCount);
}

std::string competitorTableText(const DaySummary& summary) {
    std::string text = "No\tControls\tDay total\tFile\tMessage\n";
    for (const CompetitorOutcome& c : summary.competitors)
        text += (c.competitorNo > 0 ? std::to_string(c.competitorNo) : std::string("?")) + "\t" +
                controlsScoredText(c) + "\t" + (c.scored ? formatNumber(c.dayTotal) : std::string()) + "\t" +
                c.fileName + "\t" + c.message + "\n";
    return text;
}

int nextScoringDay(int day, int noOfDays) {
    const int next = day + 1;
    return next > noOfDays || next < 1 ? 1 : next;
}

} // namespace trakmora
