#pragma once
// The day steps of the command line as functions, so that `run` and `demo` chain the same code
// the single commands run.
#include "cli/CliContext.h"
#include "common/Status.h"
#include "results/GroupScoring.h"
#include "tracking/ScoreDay.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora::cli {

// Which route schedule workbook `print` writes.
enum class PrintKind { Route, Check, Marshal };

// Prints where a saved workbook is; a failure is reported as a message. Returns the exit status.
int reportWorkbook(CliContext& ctx, const Status& saved, const std::filesystem::path& file);

// Loads and calculates the day, then writes its control file, speed table and passing windows.
int controlsCommand(CliContext& ctx, int day);
// The control files of the day, then the workbooks of `kinds` (none when the control files fail).
int printCommand(CliContext& ctx, int day, const std::vector<PrintKind>& kinds);
// Imports the named downloads (default: every download waiting for the day). `summary`, when
// given, gets a line for every download that fails.
int importCommand(CliContext& ctx, int day, const std::vector<std::string>& files,
                  DaySummary* summary = nullptr);
// Scores the named CL files (default: every CL file of the day), with a provisional sheet each.
// `summary`, when given, gets a line for every CL file.
int scoreCommand(CliContext& ctx, int day, const std::vector<std::string>& files,
                 DaySummary* summary = nullptr);

// Control files, import, score, day score and day positions of the day, with a line per step.
// Stops at the first step that fails for the whole day; failed files are reported and counted.
// `again` first puts the day's imported downloads back from CompetitorsLog/Bak, so that every
// competitor is scored anew against the control file just written.
int runDayCommand(CliContext& ctx, GroupScoring& scoring, int day, bool again = false);

} // namespace trakmora::cli
