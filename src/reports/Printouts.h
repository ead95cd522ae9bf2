#pragma once
// Every printout of the rally as one call each: it takes what the rally state holds now (and,
// for the results, what the group scoring has just built) and writes the workbook file. The
// command line and the screens call these, then only report the file or open it. Nothing is
// written when workbooks are switched off; failures name the file.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/ScoreDay.h"
#include "tracking/Scoring.h"

#include <filesystem>
#include <vector>

namespace trakmora {

class GroupScoring;

// The route schedule printouts of the day the state has selected and loaded.
enum class ScheduleWorkbook { Route, Check, Marshal };

Status writeScheduleWorkbook(const ProgramState& state, ScheduleWorkbook kind);
std::filesystem::path scheduleWorkbookFile(const ProgramState& state, ScheduleWorkbook kind);

// The competitor's provisional result sheet after scoring.
Status writeProvisionalSheet(const ProgramState& state, const ScoringRun& run);
// Writes each competitor's provisional result sheet as a day's batch scores it.
AfterScoring provisionalSheetWriter(const ProgramState& state);

// The result workbooks of the day (or the final) `scoring` has just built.
Status writeDayScoreWorkbook(const ProgramState& state, const GroupScoring& scoring);
Status writeDayPositionWorkbook(const ProgramState& state, const GroupScoring& scoring);
Status writeFinalWorkbook(const ProgramState& state, const GroupScoring& scoring);

// Results/DayScore<day>.xlsx exists: "Print Day Position" may be used.
bool dayScoreWorkbookExists(const ProgramState& state, int day);

// The files each result workbook leaves with what `scoring` built: the workbook, and the
// position files of the score groups that have rows.
std::vector<std::filesystem::path> dayScoreFilesOf(const ProgramState& state, const GroupScoring& scoring);
std::vector<std::filesystem::path> dayPositionFilesOf(const ProgramState& state, const GroupScoring& scoring);
std::vector<std::filesystem::path> finalFilesOf(const ProgramState& state, const GroupScoring& scoring);

} // namespace trakmora
