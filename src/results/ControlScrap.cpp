#include "results/ControlScrap.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "results/CellState.h"
#include "results/DayScore.h"
#include "results/ResultFiles.h"
#include "schedule/ControlFile.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>
#include <set>
#include <vector>

namespace trakmora {

namespace {

std::string controlOfDay(int day, int controlNo) {
    return "control " + std::to_string(controlNo) + " of day " + std::to_string(day);
}

std::vector<int> numbersWithResultFile(const ProgramState& state, int day) {
    std::vector<int> numbers;
    for (int n = 1; n <= kMatrixCells; ++n)
        if (regularFileExists(resultFile(state, day, n))) numbers.push_back(n);
    return numbers;
}

} // namespace

Status scrapControl(const ProgramState& state, int day, int controlNo, int controlCount) {
    if (controlNo < 1 || controlNo > controlCount)
        return Status::failure("Control " + std::to_string(controlNo) + " cannot be scrapped: day " +
                               std::to_string(day) + " has " + std::to_string(controlCount) + " controls");
    struct Rewrite {
        std::filesystem::path file;
        std::vector<double> scores;
    };
    std::vector<Rewrite> rewrites;
    for (int n : numbersWithResultFile(state, day)) {
        Rewrite r{resultFile(state, day, n), {}};
        if (auto st = readResultScores(r.file, r.scores); !st) return st;
        r.scores.resize(std::max(r.scores.size(), static_cast<std::size_t>(controlCount)), 0.0);
        r.scores[static_cast<std::size_t>(controlNo - 1)] = 0;
        rewrites.push_back(std::move(r));
    }
    // Recorded before the R files are rewritten: an interruption between the two leaves the
    // control recorded, and scrapping it again completes the R files.
    if (auto st = recordScrappedControl(state, day, controlNo); !st) return st;
    for (const Rewrite& r : rewrites) {
        CsvWriter w;
        for (double s : r.scores)
            w.number(s).endRecord();
        if (auto st = writeFileAtomically(r.file, w.str()); !st) return st;
    }
    return {};
}

Status scoresToScrap(const ProgramState& state, int day, int controlNo, int& count) {
    int found = 0;
    for (int n : numbersWithResultFile(state, day)) {
        std::vector<double> scores;
        if (auto st = readResultScores(resultFile(state, day, n), scores); !st) return st;
        const auto i = static_cast<std::size_t>(controlNo - 1);
        if (controlNo >= 1 && i < scores.size() && scores[i] != 0) ++found;
    }
    count = found;
    return {};
}

std::string scrapQuestion(int day, int controlNo, int scores) {
    return "Scrap " + controlOfDay(day, controlNo) + " for every competitor? It sets " +
           std::to_string(scores) + (scores == 1 ? " score" : " scores") + " to 0.";
}

Status scrappedControlsOfDay(const ProgramState& state, int day, std::vector<int>& controls) {
    controls.clear();
    const auto cpFile = dayControlFile(state, day);
    if (!regularFileExists(cpFile)) return {};
    std::vector<ControlRecord> current;
    if (auto st = readControlFile(cpFile, current); !st) return st;
    return readScrappedControls(state, day, current, controls);
}

std::string restoreQuestion(int day, int controlNo) {
    return "Restore " + controlOfDay(day, controlNo) +
           "? Every download of the day kept in CompetitorsLog\\Bak is imported and scored again, replacing "
           "the "
           "competitors' R files, so that the control counts again. Do you wish to proceed?";
}

Status restoreScrappedControl(const ProgramState& state, int day, int controlNo, DaySummary& summary,
                              const DayProgress& progress, const AfterScoring& afterScoring) {
    summary = DaySummary{};
    std::vector<int> scrapped;
    if (auto st = scrappedControlsOfDay(state, day, scrapped); !st) return st;
    if (std::find(scrapped.begin(), scrapped.end(), controlNo) == scrapped.end())
        return Status::failure("Control " + std::to_string(controlNo) + " of day " + std::to_string(day) +
                               " is not scrapped: there is nothing to restore");
    const std::vector<int> withResult = numbersWithResultFile(state, day);
    // The downloads go back before the control leaves the list: a download that cannot be put
    // back stops the restore with the control still scrapped and no R file touched.
    std::vector<std::string> restored;
    if (auto st = restoreDownloads(state, day, restored); !st) return st;
    bool removed = false;
    if (auto st = forgetScrappedControl(state, day, controlNo, removed); !st) return st;
    std::set<int> scoredAgain;
    summary = scoreDay(state, day, progress, [&](const ScoringRun& run) {
        scoredAgain.insert(run.competitorNo);
        return afterScoring ? afterScoring(run) : Status{};
    });
    for (int n : withResult)
        if (!scoredAgain.count(n))
            summary.messages.push_back(resultFileName(day, n) +
                                       ": not scored again (no download of competitor " + std::to_string(n) +
                                       " in CompetitorsLog\\Bak); its score for control " +
                                       std::to_string(controlNo) + " stays 0");
    return {};
}

} // namespace trakmora
