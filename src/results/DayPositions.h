#pragma once
// Day positions by score group. Results/DayPosition_<day>_SG<A..D>.csv hold the group's lines of
// the combined table as three quoted texts (name, number, total):
//   "J Smith","12","15.5"
// The ranking orders each group by the total rounded to a whole number (halves to even), equal
// rounded totals keeping competition number order, and numbers the rows by the matrix colours.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/CombinedDayTable.h"
#include "results/DayMatrix.h"
#include "results/DayPositionTable.h"

namespace trakmora {

// Rewrites the four group files of the day (a group without competitors has none) and fills all
// four tables; a group without competitors gets an empty table, never rows of an earlier run.
// Rows whose score group is not exactly "A".."D" are in no group.
Status buildDayPositions(const ProgramState& state, int day, const CombinedDayTable& combined,
                         const DayMatrix& matrix, DayPositionTables& tables);

} // namespace trakmora
