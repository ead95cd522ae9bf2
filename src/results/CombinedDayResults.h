#pragma once
// Loading the day score file of a day into the CombinedDayTable, ordered by competition number.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/CombinedDayTable.h"

namespace trakmora {

// The question asked before the combined day results are printed.
inline constexpr const char* kCombinedQuestionTitle = "Question";
inline constexpr const char* kCombinedQuestionText =
    "The combined day results should only be printed after all individual scoring for the day has been "
    "completed. Do you wish to proceed?";

// Reads Results/DayScore_<day>.csv line by line (each line keeps its own control scores, at most
// 40) and orders the rows by competition number, equal numbers keeping file order. A missing file
// gives "No data to load"; a line with fewer than four values, a number that is not whole or a
// total that is not a number fails with file and line. `table` is only replaced on success.
// `controlCount` is the day's control count; the table records it clamped to 1..40.
Status loadCombinedDayResults(const ProgramState& state, int day, int controlCount, CombinedDayTable& table);

} // namespace trakmora
