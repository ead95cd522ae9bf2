#pragma once
// A second logger per car. A backup download carries a 'b' right after the three-digit number, in
// any layout (h1045b.csv, x1045b.csv); its competitor log is CL1045b.csv. The primary is scored as
// always; every control where it found no passage is then scored from the backup's fixes with the
// same steps and windows (the backup's own logger offset was taken off at its import), and where
// the backup finds a passage its score replaces the cap. Where the primary found a passage its
// score stands.
//
// The R file keeps one score per control. Working/Sources<day>_<no>.csv says which logger gave
// each control, one line per control ("3,B"); it exists only for a competitor scored with a
// backup (or from a backup alone), and goes when the competitor is scored from a primary alone.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/ReportLine.h"
#include "tracking/Scoring.h"
#include "tracking/ShortlistLine.h"
#include "tracking/TrackingFiles.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace trakmora {

// A working file of the backup beside the primary's: "2Shortlist_1_45.csv" gives
// "2Shortlist_1_45b.csv".
std::string backupWorkingName(const std::string& name);

// Working/Sources<day>_<no>.csv
std::filesystem::path sourcesFile(const ProgramState& state, int day, int competitorNo);
// One line per Report line, "<control>,P" or "<control>,B", written atomically.
Status writeSources(const ProgramState& state, int day, int competitorNo,
                    const std::vector<ReportLine>& report, const std::vector<bool>& fromBackup);
// The controls the backup gave, ascending; none when the file does not exist.
Status readBackupControls(const ProgramState& state, int day, int competitorNo, std::vector<int>& controls);

// A control with no passage: no fix came inside the distance window in the time window (or the
// passage fell outside the time window), so the score is capped and the passage time is 0.
bool hasPassage(const ReportLine& line);

// Replaces, control by control, each line of `primary` without a passage by the backup's line of
// that control when the backup has a passage there. Returns, per primary line, whether it now
// comes from the backup.
std::vector<bool> mergeBackupReport(std::vector<ReportLine>& primary, const std::vector<ReportLine>& backup);

// The 3Shortlist that goes with the merged Report: the controls the backup gave take the backup's
// pair of candidates, every other control keeps the primary's, in control order.
std::vector<ShortlistLine> mergeBackupShortlist(const std::vector<ShortlistLine>& primary,
                                                const std::vector<ShortlistLine>& backup,
                                                const std::vector<int>& backupControls);

// Scores a primary CL file together with its backup's: both are reduced and timed, the Report
// merged, then the result step writes Sources, the R file and removes both CL files and every
// working file. `run` is the primary's run, with the backup's fixes and fromBackup filled.
Status scoreCompetitorPair(const ProgramState& state, int day, const std::string& primaryClFile,
                           const std::string& backupClFile, ScoringRun& run);

// Whether the CL file may be scored alone (loadCompetitor): not a primary whose competitor has a
// backup waiting in CompetitorsLog or in CompetitorsLog/Bak, nor a backup whose primary is there or
// whose competitor has an R file scored from a primary.
Status checkScoredAlone(const ProgramState& state, int day, const std::string& clFileName, int competitorNo);

// One competitor of a day's batch: a primary CL file with the backup's (either may be empty).
struct LoggerPair {
    std::string primaryClFile;
    std::string backupClFile;
};

// One competitor of the score step of a day's batch: the pair to score, named after `file` (the
// primary's CL file, or the backup's when the batch holds no primary); a file refused says why.
struct ScoringJob {
    std::string file;
    LoggerPair pair;
    std::string refused;
};

// The CL files of a batch as competitors, in the order of `clFiles`: each primary with the backup
// of its competitor and day, a file alone by itself. `clashes` (sameCompetitorFiles) are refused
// with their message; a backup whose primaries clash waits with them.
std::vector<ScoringJob> scoringJobs(const std::vector<std::string>& clFiles,
                                    const std::map<std::string, std::string>& clashes);

// The newest download of the competitor and day in CompetitorsLog/Bak for the role (backup or
// primary), as restoreDownloads would put it back; empty when there is none.
std::string newestBakDownload(const ProgramState& state, int day, int competitorNo, bool backup);

// Scores the competitor of `pair`. A logger alone first looks for the other one in
// CompetitorsLog/Bak (imported and scored before): that download is imported again and both are
// scored together, so a late backup never replaces the primary's result, and a late primary never
// loses the backup's controls. A backup with no primary anywhere is scored as the primary, and
// `note` says so; one whose competitor already has an R file of a primary no longer in Bak is
// refused rather than scored alone over it.
Status scoreLoggerPair(const ProgramState& state, int day, const LoggerPair& pair, ScoringRun& run,
                       std::string& note);

} // namespace trakmora
