#pragma once
// A day's route schedule on disk: loading it from RouteSchedule/RS<day>_Data.csv, from the
// import file Input_RS<day>.csv, or as the four-line template of a new day; saving it.
//
//   "No","Instruction","Type","Distance","A_Speed","B_Speed","C_Speed","D_Speed","Limit",
//   "AddTime_A","AddTime_B","AddTime_C","AddTime_D","Lat","Long"
//   1,"Start of Rally - edit this line","o",0,60,60,60,60,120,0,0,0,0,0,0
//
// The import file holds five fields per line: No, Instruction, Type, Distance and one speed,
// which goes to the baseline speed group.
#include "common/ProgramState.h"
#include "common/ScheduleTable.h"
#include "common/Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

enum class LoadSource { DataFile, ImportFile, Template };

std::filesystem::path scheduleDataFile(const ProgramState& state, int day);
std::filesystem::path scheduleImportFile(const ProgramState& state, int day);

// Readers into a list of lines (element 0 is line 1). They fail with file and line on a
// malformed record and refuse a file of more than 999 lines; `lines` is then unchanged.
Status readScheduleDataFile(const std::filesystem::path& file, std::vector<ScheduleLine>& lines);
Status readScheduleImportFile(const std::filesystem::path& file, std::vector<ScheduleLine>& lines);

// The data file's text for lines 1..count.
std::string scheduleDataText(const ScheduleTable& table, int count);

// Loads the day `state.rally.selectedDay`: the data file, else the import file (speeds to the
// baseline group, limits 120), then propagates speeds and calculates times. With neither file
// it says "No data to load", puts in the template and saves it at once, without calculating.
// A file that cannot be read leaves the table as it was. A refused propagation is returned as
// a failure after the lines have been loaded.
// What a loaded day holds that is most likely a typing mistake, one line of text each (led by a
// line end), at most ten: a type that is no line type, a line nearer the start than the line
// before it. Empty when there is nothing. The load shows it and changes nothing.
std::string scheduleWarnings(const std::vector<ScheduleLine>& lines);

Status loadDay(ProgramState& state, LoadSource* source = nullptr);

// Writes lines 1..lineCount (at least line 1) to the data file, replacing it atomically.
Status saveDay(ProgramState& state);

// Speed propagation followed by the time calculation of the selected day.
Status recalculateSchedule(ProgramState& state);

} // namespace trakmora
