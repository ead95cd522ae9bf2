#pragma once
// The final summation and the final results.
//
// Final summation: the FinalMatrix files of days 1..N are added up per competition number; a sum
// of 10 * N (finished every day) is green, 0 (never started) red, anything between yellow.
// Working/abc.csv traces every value read, one per line; Working/SumFinalMatrix.csv holds the 250
// sums for a two-day rally.
//
// Final results: every entry's final is the sum of its five day results; Results/FinalScore_SG<A..D>.csv
// hold the group's entries in entry list order:
//   "J Smith",7,15,20.5,0,0,0,35.5
// and each group is ranked by the exact final, equal finals keeping entry list order.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/DayMatrix.h"
#include "results/FinalPositionTable.h"

namespace trakmora {

// The final state of a competitor whose FinalMatrix values add up to `sum` over `noOfDays` days.
CellState finalState(long sum, int noOfDays);

// Colours `colours` with the final states of a rally of `noOfDays` days (2..5). When a day's
// FinalMatrix file is missing the message says which day must be selected first and every cell is
// red: nothing is coloured from stale data. A malformed file fails with file and line.
Status sumFinalMatrix(const ProgramState& state, int noOfDays, DayMatrix& colours);

// Reloads the entry list, rewrites the four group files (a group without entries has none) and
// fills all four tables; a group without entries is skipped with an empty table and the later
// groups are still ranked. Marks come from the final colours.
Status buildFinalResults(ProgramState& state, const DayMatrix& finalColours, FinalPositionTables& tables);

} // namespace trakmora
