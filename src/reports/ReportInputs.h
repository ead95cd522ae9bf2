#pragma once
// What each workbook prints, taken from the tables the scoring, group scoring and route schedule
// hold. Only a change of shape: every value is the table's own.
#include "common/ProgramState.h"
#include "reports/ProvisionalSheet.h"
#include "reports/ResultInput.h"
#include "reports/RouteScheduleInput.h"
#include "results/CombinedDayTable.h"
#include "results/Corrections.h"
#include "results/DayPositionTable.h"
#include "results/FinalPositionTable.h"
#include "tracking/Scoring.h"

namespace trakmora {

// The competitor's Report lines, number, day and DayTotal after scoring.
ProvisionalSheet provisionalSheetFor(const ProgramState& state, const ScoringRun& run);
// The selected day's schedule lines and the speed table the control file writer read back.
RouteScheduleInput routeScheduleInputFor(const ProgramState& state);
// The combined day results of `table.day`, CP1..CP<controlCount> in the header, with an asterisk
// on each control score and total the day's corrections changed, and the corrections listed.
DayScoreInput dayScoreInputFor(const ProgramState& state, const CombinedDayTable& table, int controlCount,
                               const std::vector<AppliedCorrection>& corrections = {});
DayPositionInput dayPositionInputFor(const ProgramState& state, int day, const DayPositionTables& tables);
FinalInput finalInputFor(const ProgramState& state, const FinalPositionTables& tables);

} // namespace trakmora
