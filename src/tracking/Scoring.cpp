#include "tracking/Scoring.h"

#include "common/FileIo.h"
#include "tracking/BackupLogger.h"
#include "tracking/ClFile.h"
#include "tracking/KeptExplainFiles.h"
#include "tracking/PassageTime.h"
#include "tracking/Reduction.h"
#include "tracking/ShortlistLine.h"
#include "tracking/TrackingFiles.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace trakmora {

namespace fs = std::filesystem;

namespace {

fs::path workingFile(const ProgramState& state, const std::string& name) {
    return state.rallyFile(RallyFolder::Working, name);
}

fs::path runFile(const ProgramState& state, const ScoringRun& run, const std::string& name) {
    return workingFile(state, run.backupLogger ? backupWorkingName(name) : name);
}

fs::path shortlistPath(const ProgramState& state, const ScoringRun& run, int which) {
    return runFile(state, run, shortlistFileName(which, run.day, run.competitorNo));
}

fs::path reportPath(const ProgramState& state, const ScoringRun& run) {
    return runFile(state, run, reportFileName(run.day, run.competitorNo));
}

void removeWorkingFiles(const ProgramState& state, const ScoringRun& run) {
    std::error_code ignored;
    for (int which = 1; which <= 3; ++which)
        fs::remove(shortlistPath(state, run, which), ignored);
    fs::remove(reportPath(state, run), ignored);
}

Status outOfOrder() {
    return Status::failure("Load the competitor log before this step");
}

} // namespace

int speedGroupFor(const RallyConfig& config, int competitorNo) {
    const double n = competitorNo;
    const auto& last = config.lastEntry;
    int group = 1;
    // Each later test overrides an earlier hit.
    if (n < last[1] + 1) group = 1;
    if (n > last[1] && n < last[2] + 1) group = 2;
    if (n > last[2] && n < last[3] + 1) group = 3;
    if (n > last[3]) group = 4;
    return group;
}

namespace {

enum class LoggerRole { Alone, PrimaryOfPair, BackupOfPair };

Status loadLogger(const ProgramState& state, int day, const std::string& clFileName, LoggerRole role,
                  ScoringRun& run) {
    ScoringRun loaded;
    loaded.day = day;
    loaded.backupLogger = role == LoggerRole::BackupOfPair;
    loaded.clFileName = clFileName;
    if (auto st = competitorNoFromClName(clFileName, loaded.competitorNo); !st) return st;
    if (loaded.competitorNo < 1 || loaded.competitorNo > kMaxEntries)
        return Status::failure(clFileName + ": competition number " + std::to_string(loaded.competitorNo) +
                               " is outside 1.." + std::to_string(kMaxEntries) + " and cannot be scored");
    if (auto st = checkDayInName(clFileName, 2, day); !st) return st;
    if (role == LoggerRole::Alone)
        if (auto st = checkScoredAlone(state, day, clFileName, loaded.competitorNo); !st) return st;
    const fs::path controlFile = state.rallyFile(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv");
    std::error_code ec;
    if (!fs::is_regular_file(controlFile, ec))
        return Status::failure(StatusKind::NoControlsLoaded, kNoControlsLoaded);
    if (auto st = readControlFile(controlFile, loaded.controls); !st) return st;
    if (loaded.controls.empty()) return Status::failure(StatusKind::NoControlsLoaded, kNoControlsLoaded);
    if (auto st = readClFile(state.rallyFile(RallyFolder::CompetitorsLog, clFileName), loaded.fixes); !st)
        return st;
    loaded.speedGroup = speedGroupFor(state.config, loaded.competitorNo);
    // A group the rally does not use has no calculated control times: every control would score
    // the whole time window.
    const int groupsInUse = static_cast<int>(state.config.noOfSpeedGroups);
    if (groupsInUse >= 1 && groupsInUse < kMaxGroups && loaded.speedGroup > groupsInUse) {
        const int lastNumber =
            static_cast<int>(state.config.lastEntry[static_cast<std::size_t>(groupsInUse)]);
        return Status::failure(
            clFileName + ": competitor " + std::to_string(loaded.competitorNo) + " is above " +
            std::to_string(lastNumber) + ", the last number of speed group " +
            std::string(1, static_cast<char>('A' + groupsInUse - 1)) + ", and this rally uses " +
            std::to_string(groupsInUse) + " speed group" + (groupsInUse == 1 ? "" : "s") +
            ": give the competitor a number in a group in use, or use more speed groups");
    }
    if (day >= 1 && day <= kMaxDays)
        loaded.dayStartTime = state.config.dayStartTime[static_cast<std::size_t>(day)];
    removeWorkingFiles(state, loaded);
    loaded.next = ScoringStep::ReduceByDistance;
    run = std::move(loaded);
    return {};
}

} // namespace

Status loadCompetitor(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run) {
    return loadLogger(state, day, clFileName, LoggerRole::Alone, run);
}

Status loadPrimaryLogger(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run) {
    return loadLogger(state, day, clFileName, LoggerRole::PrimaryOfPair, run);
}

Status loadBackupLogger(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run) {
    return loadLogger(state, day, clFileName, LoggerRole::BackupOfPair, run);
}

fs::path scoringWorkingFile(const ProgramState& state, const ScoringRun& run, int which) {
    return which >= 1 && which <= 3 ? shortlistPath(state, run, which) : reportPath(state, run);
}

void removeScoringWorkingFiles(const ProgramState& state, const ScoringRun& run) {
    removeWorkingFiles(state, run);
}

Status reduceByDistanceStep(const ProgramState& state, ScoringRun& run) {
    if (run.next == ScoringStep::Load) return outOfOrder();
    const auto lines = reduceByDistance(run.controls, run.speedGroup, run.fixes, state.config.distanceWindow);
    run.firstReductionCount = static_cast<int>(lines.size());
    if (auto st = writeShortlistFile(shortlistPath(state, run, 1), lines); !st) return st;
    run.next = ScoringStep::ReduceByTime;
    return {};
}

Status reduceByTimeStep(const ProgramState& state, ScoringRun& run) {
    if (run.next == ScoringStep::Load) return outOfOrder();
    const auto lines =
        reduceByTime(run.controls, run.speedGroup, run.fixes, run.competitorNo, state.config.distanceWindow,
                     state.config.timeWindow, run.secondReductionCount);
    if (auto st = writeShortlistFile(shortlistPath(state, run, 2), lines); !st) return st;
    run.next = ScoringStep::FinalShortlist;
    return {};
}

Status finalShortlistStep(const ProgramState& state, ScoringRun& run) {
    if (run.next == ScoringStep::Load) return outOfOrder();
    std::vector<ShortlistLine> lines;
    if (auto st = readShortlistFile(shortlistPath(state, run, 2), lines); !st) return st;
    const auto chosen = buildFinalShortlist(std::move(lines), static_cast<int>(run.controls.size()));
    if (auto st = writeShortlistFile(shortlistPath(state, run, 3), chosen); !st) return st;
    run.next = ScoringStep::PassageTimes;
    return {};
}

Status passageTimesStep(const ProgramState& state, ScoringRun& run) {
    if (run.next == ScoringStep::Load) return outOfOrder();
    std::vector<ShortlistLine> lines;
    if (auto st = readShortlistFile(shortlistPath(state, run, 3), lines); !st) return st;
    run.finalCount = static_cast<int>(lines.size());
    const ScoreSettings settings{run.competitorNo, run.dayStartTime, state.config.timeWindow};
    const auto report = scoreFinalShortlist(lines, settings);
    CsvWriter out;
    for (const auto& r : report)
        writeReportLine(out, r);
    if (auto st = writeFile(reportPath(state, run), out.str()); !st) return st;
    run.next = ScoringStep::Result;
    return {};
}

Status resultStep(const ProgramState& state, ScoringRun& run) {
    if (run.next == ScoringStep::Load) return outOfOrder();
    std::vector<ReportLine> report;
    if (auto st = readReportFile(reportPath(state, run), report); !st) return st;
    // Controls scrapped on this day before this competitor was scored count 0, as they do for
    // everyone scored before the scrap.
    std::vector<int> scrapped;
    if (auto st = readScrappedControls(state, run.day, run.controls, scrapped); !st) return st;
    for (int c : scrapped)
        if (c >= 1 && static_cast<std::size_t>(c) <= report.size())
            report[static_cast<std::size_t>(c - 1)].score = 0;
    // A backup CL file scored alone gave every control; the file that said so for an earlier
    // scoring from a backup goes when the primary alone is scored.
    if (run.backupClFileName.empty() && isBackupName(run.clFileName, 2))
        run.fromBackup.assign(report.size(), true);
    if (!run.fromBackup.empty()) {
        if (auto st = writeSources(state, run.day, run.competitorNo, report, run.fromBackup); !st) return st;
    } else {
        std::error_code ignored;
        fs::remove(sourcesFile(state, run.day, run.competitorNo), ignored);
    }
    double total = 0;
    CsvWriter out;
    for (const auto& r : report) {
        total += std::fabs(r.score);
        out.number(r.score).endRecord();
    }
    const fs::path result = state.rallyFile(RallyFolder::Results, resultFileName(run.day, run.competitorNo));
    if (auto st = writeFileAtomically(result, out.str()); !st) return st;
    run.report = std::move(report);
    run.dayTotal = total;
    if (state.keepExplainFiles) {
        if (auto st =
                keepExplainFiles(state, run.day, run.competitorNo, run.clFileName, run.backupClFileName);
            !st)
            state.messages->info(st.message());
    } else {
        removeExplainFiles(state, run.day, run.competitorNo);
    }
    std::error_code ignored;
    fs::remove(state.rallyFile(RallyFolder::CompetitorsLog, run.clFileName), ignored);
    removeWorkingFiles(state, run);
    if (!run.backupClFileName.empty()) {
        fs::remove(state.rallyFile(RallyFolder::CompetitorsLog, run.backupClFileName), ignored);
        ScoringRun backup = run;
        backup.backupLogger = true;
        removeWorkingFiles(state, backup);
    }
    run.next = ScoringStep::Done;
    return {};
}

Status runNextStep(const ProgramState& state, ScoringRun& run) {
    switch (run.next) {
    case ScoringStep::Load:
        return outOfOrder();
    case ScoringStep::ReduceByDistance:
        return reduceByDistanceStep(state, run);
    case ScoringStep::ReduceByTime:
        return reduceByTimeStep(state, run);
    case ScoringStep::FinalShortlist:
        return finalShortlistStep(state, run);
    case ScoringStep::PassageTimes:
        return passageTimesStep(state, run);
    case ScoringStep::Result:
        return resultStep(state, run);
    case ScoringStep::Done:
        return {};
    }
    return {};
}

Status scoreCompetitor(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run) {
    if (auto st = loadCompetitor(state, day, clFileName, run); !st) return st;
    while (run.next != ScoringStep::Done) {
        if (auto st = runNextStep(state, run); !st) {
            // A step that could not write (a full disk) leaves none of its scratch files behind.
            removeWorkingFiles(state, run);
            return st;
        }
    }
    return {};
}

} // namespace trakmora
