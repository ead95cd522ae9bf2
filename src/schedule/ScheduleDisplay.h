#pragma once
// What the route schedule screen shows around the current line: the seven-row window of lines,
// the current line's fields, the running times, and the passing window of the following line
// with the geometry of its chart. Texts are ready to show; the screen only draws them.
#include "common/RallyConfig.h"
#include "common/ScheduleTable.h"

#include <array>
#include <string>

namespace trakmora {

inline constexpr int kWindowRows = 7;
inline constexpr double kChartUnits = 7920; // width of the chart strip in layout units

// One row of the window: line number, instruction, type, distance, speeds A..D. Blank rows
// (before line 1, after the last line) have empty cells.
struct WindowRow {
    int lineNo = 0; // 0 for a blank row
    std::array<std::string, 8> cells{};
};
std::array<WindowRow, kWindowRows> displayWindow(const ScheduleTable& table);

// The current line's fields as shown, groups indexed 1..4.
struct LineFields {
    std::string caption; // line number
    std::string instruction;
    std::string type;
    std::string distance;
    std::string limit;
    std::array<std::string, 5> speed{};
    std::array<std::string, 5> addTime{};     // hh:mm:ss
    std::array<std::string, 5> runningTime{}; // hh:mm:ss
    std::string lat;
    std::string lon;
};
LineFields currentLineFields(const ScheduleTable& table);

// LastTime - FirstTime of the line in minutes, or 1 when that is not above 0.
double spreadMinutes(const ScheduleLine& line);

// A bar of the chart in strip units from the left edge.
struct ChartBar {
    bool shown = false;
    double left = 0;
    double width = 0;
};

// The passing window of the line after the current one: empty (present false) on the last line.
struct PassingWindowView {
    bool present = false;
    std::string firstTime; // hh:mm:ss
    std::string lastTime;
    std::string spreadText;         // "Spread = 15 minutes"
    std::array<ChartBar, 5> bars{}; // groups 1..4; only the groups in use are shown
};
PassingWindowView nextLinePassingWindow(const ScheduleTable& table, const RallyConfig& config);

// A bar scaled from strip units to a widget `pixels` wide: left edge and width in pixels, with a
// negative width (last entries out of order) drawn as nothing.
struct PixelSpan {
    int left = 0;
    int width = 0;
};
PixelSpan scaleBar(const ChartBar& bar, int pixels);

} // namespace trakmora
