#pragma once
// Speed propagation by line type: the organiser enters the baseline group's speed and the other
// groups' speeds follow from it, line after line.
#include "common/RallyConfig.h"
#include "common/ScheduleTable.h"
#include "common/Status.h"

namespace trakmora {

// The baseline speed group as 1..4, or 0 when the setting is not one of those.
int baselineGroup(const RallyConfig& config);
// NoOfSpeedGroups as 1..4, or 0 when the setting is not one of those.
int speedGroupsInUse(const RallyConfig& config);

// Rewrites the four speeds of lines 1..lineCount in order, each line by its type:
//   "o" copies the baseline speed to the other groups, "f" scales it by the configured group
//   speeds, "c" "m" "p" "v" carry the previous line's speeds, "s" sets all to 0, anything else
//   ("a" included) keeps what is there.
// A baseline group speed of 0 with an "f" line present is refused with a message naming the
// setting; nothing is changed then.
Status propagateSpeeds(ScheduleTable& table, const RallyConfig& config);

// After an added time of the line changed: the groups not in use take the added time of the
// last group in use, so that the printouts of every group agree.
void mirrorAddedTime(ScheduleLine& line, const RallyConfig& config);

} // namespace trakmora
