#pragma once
// The group scoring commands, callable one after another on one GroupScoring so that `run` can chain
// them after importing and scoring a day.
#include "cli/CliContext.h"
#include "results/GroupScoring.h"

#include <optional>
#include <vector>

namespace trakmora::cli {

struct DayCommandOptions {
    std::vector<int> nonFinishers;   // numbers whose non-finisher mark is toggled, in order
    std::optional<int> scrap;        // control to scrap
    std::optional<int> unscrap = {}; // scrapped control to restore (the day is scored again)
};

// Selects the day (control count, day score build, matrix), toggles the marks, scraps the control
// or restores one (scoring the day again from the kept downloads),
// rebuilds the day when anything changed, and prints the matrix counts and every day score line.
int dayCommand(CliContext& ctx, GroupScoring& scoring, int day, const DayCommandOptions& options);
// Combined day results and day positions of the day (selected first unless it already is);
// prints the positions per score group.
int resultsCommand(CliContext& ctx, GroupScoring& scoring, int day);
// Final summation and final results; prints the final positions per score group.
int finalCommand(CliContext& ctx, GroupScoring& scoring);

} // namespace trakmora::cli
