#pragma once
// The row actions of the route schedule editor, on the loaded day of `state`: each changes the
// table and recalculates what the action calls for, so a screen only calls one and refreshes.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <optional>

namespace trakmora {

// Inserts a line "line inserted" at the current line; the lines from there move one down the
// list. It takes the previous line's distance and the speeds of the line it pushed down.
// Refused with a message at 999 lines. Times are recalculated; speeds are not propagated.
Status insertRow(ProgramState& state);

// Removes the current line; the lines after it move up. The current line stays where it was
// unless the last line was removed, when it moves to the new last line.
void deleteRow(ProgramState& state);

// Appends a line "line added" at the previous line's distance and speeds and makes it the
// current line, so that the edit fields show it at once. Refused with a message at 999 lines.
Status addRow(ProgramState& state);

// The distance rule on leaving the distance field of the current line: after an "s" line or with
// nothing entered the line keeps the previous line's distance; a line is never nearer the start
// than the previous one. Returns the distance stored (the one to show).
double applyDistanceEntry(ProgramState& state, std::optional<double> enteredKm);

// Adds `stepSeconds` (negative: subtracts) to the added time of `group` (1..4) on the current
// line: at most 120 minutes, and less than a second becomes 0. Mirrors the added time into the
// groups not in use and recalculates the times.
Status changeAddedTime(ProgramState& state, int group, int stepSeconds);

} // namespace trakmora
