#pragma once
// The result workbooks of the group scoring screen, kept apart from the screen: the workbook
// inputs and the results tables share names that cannot meet in one file.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/ScoreDay.h"

#include <filesystem>
#include <vector>

namespace trakmora {

class GroupScoring;

// Results/DayScore<day>.xlsx exists: "Print Day Position" may be used.
bool dayScoreWorkbookExists(const ProgramState& state, int day);

// Each writes the workbook of what `scoring` just built and opens it.
Status writeDayScoreWorkbookOf(const ProgramState& state, const GroupScoring& scoring);
Status writeDayPositionWorkbookOf(const ProgramState& state, const GroupScoring& scoring);
Status writeFinalWorkbookOf(const ProgramState& state, const GroupScoring& scoring);

// The files each of them leaves with what `scoring` built: the workbook, and the position files
// of the score groups that have rows.
std::vector<std::filesystem::path> dayScoreFilesOf(const ProgramState& state, const GroupScoring& scoring);
std::vector<std::filesystem::path> dayPositionFilesOf(const ProgramState& state, const GroupScoring& scoring);
std::vector<std::filesystem::path> finalFilesOf(const ProgramState& state, const GroupScoring& scoring);

// Writes each competitor's provisional result sheet after the day is scored again, as "Score all"
// does (saved, not opened).
AfterScoring provisionalSheetWriter(const ProgramState& state);

} // namespace trakmora
