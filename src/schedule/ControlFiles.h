#pragma once
// The files derived from a calculated route schedule before anything is printed: the control file
// Marshals/cp<day>.csv (the "v" lines, input of all scoring), the speed table
// RouteSchedule/SpeedABCD_RS<day>.csv and the passing-window file RouteSchedule/abc.csv. The two
// RouteSchedule files are read straight back into the tables the printouts use.
//
//   SpeedABCD_RS1.csv (no header):
//   2.8,60,60,60,60,0.046666666666666662,0.046666666666666662,...,"Left at the church",...
//   abc.csv:
//   "LineNo","Dist","Lat","Lon","FirstTime","LastTime","Instruction","Type"
//   3,4.2,-33.8,151.2,484.2,499.2,"Control at the bridge","v"
#include "common/ProgramState.h"
#include "common/ScheduleTable.h"
#include "common/Status.h"
#include "schedule/ControlFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

std::filesystem::path controlFilePath(const ProgramState& state, int day);
std::filesystem::path speedTableFilePath(const ProgramState& state, int day);
std::filesystem::path passingWindowFilePath(const ProgramState& state);

// The instruction with its added-time note: unchanged for no added time, in seconds below two
// minutes (" [Time added: 10 seconds]"), in minutes from two minutes on (" [Time added: 5 minutes]").
std::string timeAddedNote(const std::string& instruction, double addedMinutes);

// One record per "v" line, numbered 1..n in line order; each group's time is its running time
// after `dayStartSeconds`, rounded to the whole second with halves to the even second.
std::vector<ControlRecord> controlRecords(const ScheduleTable& table, double dayStartSeconds);

// Every line but "m" and "v": distance, four speeds, four running times, four notes.
std::string speedTableText(const ScheduleTable& table);
// The header, then every "v", "m", "c" and "p" line with its window.
std::string passingWindowText(const ScheduleTable& table);

// Readers of the two files; on failure (file and line named) the table is unchanged.
Status readSpeedTable(const std::filesystem::path& file, SpeedTable& table);
Status readPassingWindowTable(const std::filesystem::path& file, PassingWindowTable& table);

// Writes the three files of `state.rally.selectedDay` in order, stopping at the first that cannot
// be written, and reads the speed table and passing windows back. Sets the selected day's start
// time. `controlsWritten`, when given, receives the number of controls.
Status writeControlFiles(ProgramState& state, int* controlsWritten = nullptr);

} // namespace trakmora
