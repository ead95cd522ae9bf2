#pragma once
// The scheduled time calculation: running time of each speed group from line 1, and the clock
// window in which each group, and all groups together, are due at each line.
#include "common/RallyConfig.h"
#include "common/ScheduleTable.h"

namespace trakmora {

// Rewrites the computed fields of lines 1..lineCount for the speed groups in use; the other
// groups' values are left as they were. A line's speed and added time govern the stretch after
// it. Does nothing when NoOfSpeedGroups is not 1..4; the windows are only recalculated for a
// `day` of 1..5. Plain linear work, no files: it runs on every navigation.
void calculateTimes(ScheduleTable& table, const RallyConfig& config, int day);

} // namespace trakmora
