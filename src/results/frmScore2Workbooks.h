#pragma once
// The result workbooks of the group scoring screen, kept apart from the screen: the workbook
// inputs and the results tables share names that cannot meet in one file.
#include "common/ProgramState.h"
#include "common/Status.h"

namespace trakmora {

class GroupScoring;

// Results/DayScore<day>.xlsx exists: "Print Day Position" may be used.
bool dayScoreWorkbookExists(const ProgramState& state, int day);

// ---- Workbook hooks --------------------------------------------------------------------------
// Each writes the workbook of what `scoring` just built. The writers in reports/ take their own
// input tables; the conversion from the results tables is wired in with the workbook commands,
// and until then these hooks write nothing and succeed.
Status writeDayScoreWorkbookOf(const ProgramState& state, const GroupScoring& scoring);
Status writeDayPositionWorkbookOf(const ProgramState& state, const GroupScoring& scoring);
Status writeFinalWorkbookOf(const ProgramState& state, const GroupScoring& scoring);
// ---------------------------------------------------------------------------------------------

} // namespace trakmora
