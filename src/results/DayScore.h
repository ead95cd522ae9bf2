#pragma once
// Results/DayScore_<day>.csv: one line per competitor with an R file, in competition number order:
//   "J Smith",7,"A",15,12,-3,0
// name, number, score group, day total (sum of the absolute control scores), then the control
// scores CP1..CPk, k being the number of scores in the R file but at least 1 and at most 40.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/Corrections.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr int kMaxControlScores = 100;   // values an R file may hold
inline constexpr int kMaxDayScoreControls = 40; // control scores written per day score line

struct DayScoreLine {
    std::string name; // empty when the number has no entry
    int compNo = 0;
    std::string scoreGroup; // empty when the number has no entry
    double total = 0;
    std::vector<double> scores; // every score of the R file, in control order, as corrected
    // The jury's corrections of the day applied: which scores they changed, whether the total
    // differs from the measurement, and the total the R file alone gives.
    std::vector<bool> correctedControls{};
    bool totalCorrected = false;
    bool excluded = false;
    double measuredTotal = 0;
};

struct DayScoreBuild {
    std::vector<DayScoreLine> lines;
    // The number of scores in the last R file read (the day's control count as the R files tell
    // it); unchanged from `previousControlCount` when the day has no R file.
    int controlCount = 0;
    std::vector<int> numbersWithoutEntry;
    int day = 0;
    // Every correction of the day and what it did.
    std::vector<AppliedCorrection> corrections{};
};

// Reads an R file: every value in sequence, whatever the line breaks. Fails with file and line on
// a value that is not a number or on more than 100 values.
Status readResultScores(const std::filesystem::path& file, std::vector<double>& scores);

// The text of one day score line, CR LF included. A line with no scores carries one score of 0.
std::string dayScoreLineText(const DayScoreLine& line);

// The day score build of `day`: reads the R files of numbers 1..250, applies the day's corrections
// (Corrections.h) to them, rewrites DayScore_<day>.csv,
// stores every total into the day's column of the entry list (one atomic rewrite) and reports the
// numbers that have no entry in one message. The old day score file is removed first, so a
// failure never leaves stale lines behind.
Status buildDayScore(ProgramState& state, int day, int previousControlCount, DayScoreBuild& out);

} // namespace trakmora
