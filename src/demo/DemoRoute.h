#pragma once
// The roads and route schedules of the demonstration rally: each day a generated winding road and
// a schedule of 40 to 80 lines along it, every line type used, 8 to 12 virtual controls placed on
// the road.
#include "common/ScheduleTable.h"
#include "demo/SyntheticDrive.h"

#include <cstdint>

namespace trakmora {

// The road of the day, the same for the same day and seed.
SyntheticDrive demoRoad(int day, std::uint32_t seed);

// The day's schedule lines (speeds of the baseline group B, or all four on "a" lines), not yet
// propagated or timed.
ScheduleTable demoSchedule(int day, std::uint32_t seed);

} // namespace trakmora
