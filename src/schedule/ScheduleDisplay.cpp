#include "schedule/ScheduleDisplay.h"

#include "common/Format.h"
#include "schedule/SpeedCalc.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

namespace {

const char* const kDistancePattern = "##0.#0";
const char* const kSpeedPattern = "##0";

bool lineInUse(const ScheduleTable& table, int n) {
    return n >= 1 && n <= table.lineCount && n <= kMaxScheduleLines;
}

} // namespace

std::array<WindowRow, kWindowRows> displayWindow(const ScheduleTable& table) {
    std::array<WindowRow, kWindowRows> rows{};
    for (int r = 0; r < kWindowRows; ++r) {
        const int n = table.currentLine - 3 + r;
        if (!lineInUse(table, n)) continue;
        const ScheduleLine& line = table.line(n);
        WindowRow& row = rows[static_cast<std::size_t>(r)];
        row.lineNo = n;
        row.cells = {std::to_string(n),
                     line.instruction,
                     line.type,
                     formatPattern(line.distance, kDistancePattern),
                     formatPattern(line.speed[1], kSpeedPattern),
                     formatPattern(line.speed[2], kSpeedPattern),
                     formatPattern(line.speed[3], kSpeedPattern),
                     formatPattern(line.speed[4], kSpeedPattern)};
    }
    return rows;
}

LineFields currentLineFields(const ScheduleTable& table) {
    LineFields f;
    const int n = table.currentLine;
    if (!lineInUse(table, n)) return f;
    const ScheduleLine& line = table.line(n);
    f.caption = std::to_string(n);
    f.instruction = line.instruction;
    f.type = line.type;
    f.distance = formatPattern(line.distance, kDistancePattern);
    f.limit = formatNumber(line.limit);
    for (std::size_t g = 1; g <= kMaxGroups; ++g) {
        f.speed[g] = line.type == "s" ? "0" : formatPattern(line.speed[g], kSpeedPattern);
        f.addTime[g] = formatClock(line.addTime[g] / 1440.0);
        f.runningTime[g] = formatClock(line.rallyTime[g] / 24.0);
    }
    f.lat = formatNumber(line.lat);
    f.lon = formatNumber(line.lon);
    return f;
}

double spreadMinutes(const ScheduleLine& line) {
    const double spread = line.lastTime - line.firstTime;
    return spread > 0 ? spread : 1;
}

PassingWindowView nextLinePassingWindow(const ScheduleTable& table, const RallyConfig& config) {
    PassingWindowView view;
    const int next = table.currentLine + 1;
    if (!lineInUse(table, table.currentLine) || !lineInUse(table, next)) return view;
    const ScheduleLine& line = table.line(next);
    const double spread = spreadMinutes(line);
    view.present = true;
    view.firstTime = formatClock(line.firstTime / 1440.0);
    view.lastTime = formatClock(line.lastTime / 1440.0);
    view.spreadText = "Spread = " + formatPattern(spread, "###") + " minutes";

    const double k = kChartUnits / spread;
    const int groups = speedGroupsInUse(config);
    for (int g = 1; g <= groups; ++g) {
        ChartBar& bar = view.bars[static_cast<std::size_t>(g)];
        const std::size_t gi = static_cast<std::size_t>(g);
        bar.shown = true;
        bar.width = k * (config.lastEntry[gi] - config.lastEntry[gi - 1]);
        bar.left = k * (line.groupFirstTime[gi] - line.firstTime);
    }
    return view;
}

PixelSpan scaleBar(const ChartBar& bar, int pixels) {
    const double scale = pixels / kChartUnits;
    PixelSpan span;
    span.left = static_cast<int>(std::lround(bar.left * scale));
    span.width = std::max(0, static_cast<int>(std::lround(bar.width * scale)));
    return span;
}

} // namespace trakmora
