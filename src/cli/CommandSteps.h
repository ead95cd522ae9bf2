#pragma once
// The day steps of the command line as functions, so that `run` and `demo` chain the same code
// the single commands run.
#include "cli/CliContext.h"
#include "common/Status.h"
#include "reports/Printouts.h"
#include "results/GroupScoring.h"
#include "tracking/ScoreDay.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace trakmora::cli {

// Prints where a saved workbook is; a failure is reported as a message. Returns the exit status.
int reportWorkbook(CliContext& ctx, const Status& saved, const std::filesystem::path& file);

// Loads and calculates the day, then writes its control file, speed table and passing windows.
int controlsCommand(CliContext& ctx, int day);
// The control files of the day, then the workbooks of `kinds` (none when the control files fail).
int printCommand(CliContext& ctx, int day, const std::vector<ScheduleWorkbook>& kinds);
// Runs the day's batch with a line per file as it is done; every competitor scored gets its
// provisional result sheet. `stepHeading`, when given, is printed before each step. `summary`,
// when given, gets the batch's table of competitors. Returns 1 when any file failed.
int printedDayBatch(CliContext& ctx, int day, DayBatch batch, DaySummary* summary,
                    const std::function<void(BatchStep)>& stepHeading);
// Imports the named downloads (default: every download waiting for the day).
int importCommand(CliContext& ctx, int day, const std::vector<std::string>& files);
// Scores the named CL files (default: every CL file of the day), with a provisional sheet each.
int scoreCommand(CliContext& ctx, int day, const std::vector<std::string>& files);

// Control files, import, score, day score and day positions of the day, with a line per step.
// Stops at the first step that fails for the whole day; failed files are reported and counted.
// `again` first puts the day's imported downloads back from CompetitorsLog/Bak, so that every
// competitor is scored anew against the control file just written.
int runDayCommand(CliContext& ctx, GroupScoring& scoring, int day, bool again = false);

} // namespace trakmora::cli
