#pragma once
// The route schedule printouts of the selected day:
// - the route schedule (RouteSchedule/PrintRouteSchedule<day>.xlsx): a "Master" sheet of every
//   line and one sheet per speed group in use;
// - the check route schedule (RouteSchedule/CheckRouteSchedule<day>.xlsx);
// - the virtual marshal schedule (Marshals/VirtualMarshalSchedule<day>.xlsx): the "v" lines with
//   their coordinates.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "reports/RouteScheduleInput.h"
#include "xlsx/PrintClock.h"
#include "xlsx/Workbook.h"

#include <filesystem>

namespace trakmora {

// The message when the route schedule workbook cannot be saved, shown with an exclamation icon
// under the title kCannotSaveTitle.
inline constexpr const char* kCannotSaveFileOpen = "Cannot save, file is open";
inline constexpr const char* kCannotSaveTitle = "Date";

Workbook buildRouteScheduleWorkbook(const RouteScheduleInput& input, const PrintClock& clock);
Workbook buildCheckRouteScheduleWorkbook(const RouteScheduleInput& input, const PrintClock& clock);
Workbook buildVirtualMarshalWorkbook(const RouteScheduleInput& input, const PrintClock& clock);

std::filesystem::path routeScheduleFile(const ProgramState& state, int day);
std::filesystem::path checkRouteScheduleFile(const ProgramState& state, int day);
std::filesystem::path virtualMarshalFile(const ProgramState& state, int day);

// Build and save with the state's clock; nothing is written when workbooks are switched off.
// A route schedule that cannot be saved fails with exactly kCannotSaveFileOpen; the other two
// fail with a message naming the file.
Status writeRouteScheduleWorkbook(const ProgramState& state, const RouteScheduleInput& input);
Status writeCheckRouteScheduleWorkbook(const ProgramState& state, const RouteScheduleInput& input);
Status writeVirtualMarshalWorkbook(const ProgramState& state, const RouteScheduleInput& input);

} // namespace trakmora
