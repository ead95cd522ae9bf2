#pragma once
// The route schedule of the loaded day: lines 1..999 at their own positions, position 0 the empty
// line before line 1 that reads as zero everywhere. Group arrays are indexed 1..4 for A..D.
// Also the speed table and passing-window table read back from the files written for the
// printouts.
#include <array>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr int kMaxScheduleLines = 999;

struct ScheduleLine {
    // Stored in RS<day>_Data.csv, in file order.
    int no = 0; // always the position
    std::string instruction;
    std::string type;                // "f", "o", "a", "s", "v", "c", "m", "p"; anything else has no effect
    double distance = 0;             // km from the start of the day
    std::array<double, 5> speed{};   // A_Speed..D_Speed, km/h for the stretch after this line
    double limit = 0;                // km/h, kept but used by no calculation
    std::array<double, 5> addTime{}; // AddTime_A..AddTime_D, minutes
    double lat = 0;
    double lon = 0;

    // Computed by the time calculation.
    std::array<double, 5> rallyTime{};      // hours from line 1
    std::array<double, 5> groupFirstTime{}; // FirstTime_A..D, minutes after midnight
    std::array<double, 5> groupLastTime{};  // LastTime_A..D
    double firstTime = 0;
    double lastTime = 0;

    // The fifth column of an import file, until it is copied to the baseline group.
    double importSpeed = 0;

    bool operator==(const ScheduleLine&) const = default;
};

// One row of RouteSchedule/SpeedABCD_RS<day>.csv.
struct SpeedTableRow {
    double distance = 0;
    std::array<double, 5> speed{};
    std::array<double, 5> rallyTime{};
    std::array<std::string, 5> note{}; // instruction with the added-time note of each group
    bool operator==(const SpeedTableRow&) const = default;
};

// One row of RouteSchedule/abc.csv: a timed line with the window the competitors are due in.
struct PassingWindowRow {
    int lineNo = 0;
    double distance = 0;
    double lat = 0;
    double lon = 0;
    double firstTime = 0; // minutes after midnight
    double lastTime = 0;
    std::string instruction;
    std::string type;
    bool operator==(const PassingWindowRow&) const = default;
};

struct SpeedTable {
    std::vector<SpeedTableRow> rows;
    int count() const { return static_cast<int>(rows.size()); }
};

// Grows with the day: every timed line is held, however many there are.
struct PassingWindowTable {
    std::vector<PassingWindowRow> rows;
    int count() const { return static_cast<int>(rows.size()); }
};

struct ScheduleTable {
    std::vector<ScheduleLine> lines = std::vector<ScheduleLine>(kMaxScheduleLines + 1);
    int lineCount = 0;   // lines 1..lineCount are in use
    int currentLine = 1; // the line shown and edited on the route schedule screen

    SpeedTable speedTable;
    PassingWindowTable passingWindows;

    ScheduleLine& line(int n) { return lines[static_cast<std::size_t>(n)]; }
    const ScheduleLine& line(int n) const { return lines[static_cast<std::size_t>(n)]; }
};

} // namespace trakmora
