#pragma once
// What the three route schedule workbooks print: the lines of the selected day's route schedule
// with their computed windows, the speed table read back from SpeedABCD_RS<day>.csv, and the
// rally settings they show. Speed groups are indexed 0..3 for A..D here; the speed table rows
// (SpeedTableRow) keep the schedule's own 1..4.
#include "common/ScheduleTable.h"

#include <array>
#include <string>
#include <vector>

namespace trakmora {

// One ScheduleLine of the day, in line order.
struct RouteScheduleLine {
    int no = 0;
    std::string instruction;
    std::string type;              // "f", "o", "a", "s", "v", "c", "m", "p"
    double distance = 0;           // km from the start of the day
    std::array<double, 4> speed{}; // A_Speed..D_Speed, km/h
    double firstTime = 0;          // minutes after midnight
    double lastTime = 0;           // minutes after midnight
    double lat = 0;
    double lon = 0;
};

struct RouteScheduleInput {
    int day = 1;
    std::string rallyName;
    double startDate = 0; // day serial of day 1
    int noOfSpeedGroups = 1;
    std::array<double, 4> groupSpeed{}; // km/h of groups A..D
    std::vector<RouteScheduleLine> lines;
    std::vector<SpeedTableRow> speedTable;
};

// The bodies hold this many rows; a longer schedule gets as many as it needs.
inline constexpr int kRouteScheduleBodyRows = 500;

} // namespace trakmora
