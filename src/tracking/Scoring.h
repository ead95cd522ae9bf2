#pragma once
// Scoring of one competitor and day, as a sequence of steps the scoring screen can run one at a
// time (or chained) and the command line runs as a whole:
//
//   loadCompetitor        controls of the day, the CL file, CompetitorNo and speed group
//   reduceByDistanceStep  Working/1Shortlist_<day>_<no>.csv
//   reduceByTimeStep      Working/2Shortlist_<day>_<no>.csv
//   finalShortlistStep    Working/3Shortlist_<day>_<no>.csv
//   passageTimesStep      Working/Report<day>_<no>.csv
//   resultStep            DayTotal, Working/Sources<day>_<no>.csv when a backup logger gave
//                         controls, Results/R<day><no>.csv, then the CL and working files go
//
// Every working file is written whole by its step, so a repeated step or an interrupted earlier
// run can never add lines twice; loadCompetitor removes those of an earlier run.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "schedule/ControlFile.h"
#include "tracking/ReportLine.h"
#include "tracking/TrackFix.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr const char* kNoControlsLoaded = "No Coordinates for controls have been loaded";

enum class ScoringStep { Load, ReduceByDistance, ReduceByTime, FinalShortlist, PassageTimes, Result, Done };

struct ScoringRun {
    int day = 1;
    std::string clFileName;
    int competitorNo = 0;
    int speedGroup = 1; // 1..4 for A..D
    double dayStartTime = 0;
    std::vector<ControlRecord> controls;
    std::vector<TrackFix> fixes;
    int firstReductionCount = 0;
    int secondReductionCount = 0;
    int finalCount = 0; // lines of the 3Shortlist
    std::vector<ReportLine> report;
    double dayTotal = 0;
    ScoringStep next = ScoringStep::Load;
    // A backup logger's run (tracking/BackupLogger.h): its working files carry a 'b'
    // (1Shortlist_1_45b.csv) so that they sit beside the primary's.
    bool backupLogger = false;
    // The backup scored with this primary (its CL file, removed with the primary's once the R
    // file is written, and its fixes); empty when there was none.
    std::string backupClFileName;
    std::vector<TrackFix> backupFixes;
    // Per Report line, whether the backup gave it; empty when the competitor was scored from a
    // primary alone. Filled by the pair scoring, or by the result step for a backup scored alone.
    std::vector<bool> fromBackup;
};

// The speed group (1..4) of a competition number by the LastEntry ranges of the configuration.
int speedGroupFor(const RallyConfig& config, int competitorNo);

// Step 1. Reads Marshals/cp<day>.csv (missing or without controls: kNoControlsLoaded, nothing
// written) and the CL file from CompetitorsLog, takes CompetitorNo from the CL file name, chooses
// the speed group and removes the competitor's working files of an earlier run.
Status loadCompetitor(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run);
// A competitor with a backup logger is scored with both together (tracking/BackupLogger.h):
// loadCompetitor refuses a primary whose backup waits in CompetitorsLog or was imported before,
// and a backup whose primary does or whose competitor has the R file of a primary.
// Step 1 of the primary and of the backup scored as a pair, the backup with its own working files.
Status loadPrimaryLogger(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run);
Status loadBackupLogger(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run);
Status reduceByDistanceStep(const ProgramState& state, ScoringRun& run);
Status reduceByTimeStep(const ProgramState& state, ScoringRun& run);
Status finalShortlistStep(const ProgramState& state, ScoringRun& run);
Status passageTimesStep(const ProgramState& state, ScoringRun& run);
Status resultStep(const ProgramState& state, ScoringRun& run);

// The run's working files: the shortlists (which = 1..3) and the Report (4).
std::filesystem::path scoringWorkingFile(const ProgramState& state, const ScoringRun& run, int which);
void removeScoringWorkingFiles(const ProgramState& state, const ScoringRun& run);

// Runs the step `run.next` names (after loadCompetitor) and advances it.
Status runNextStep(const ProgramState& state, ScoringRun& run);

// The whole chain for one CL file.
Status scoreCompetitor(const ProgramState& state, int day, const std::string& clFileName, ScoringRun& run);

} // namespace trakmora
