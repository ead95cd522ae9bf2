#include "schedule/TimeCalc.h"

#include "schedule/SpeedCalc.h"

#include <algorithm>

namespace trakmora {

void calculateTimes(ScheduleTable& table, const RallyConfig& config, int day) {
    const int groups = speedGroupsInUse(config);
    if (groups == 0) return;
    const int count = std::clamp(table.lineCount, 0, kMaxScheduleLines);

    // Running times.
    for (int i = 1; i <= count; ++i) {
        const ScheduleLine& prev = table.line(i - 1);
        ScheduleLine& line = table.line(i);
        for (int g = 1; g <= groups; ++g) {
            const double v = prev.speed[g];
            double t = prev.rallyTime[g] + prev.addTime[g] / 60.0;
            if (v != 0) t += (line.distance - prev.distance) / v;
            line.rallyTime[g] = t;
        }
    }

    // Each group's window: its first competitor follows the previous group's last entry value
    // in minutes, its last competitor is due its own last entry value after the start.
    if (day >= 1 && day <= kMaxDays) {
        const double start = config.dayStartTime[static_cast<std::size_t>(day)] / 60.0;
        for (int i = 1; i <= count; ++i) {
            ScheduleLine& line = table.line(i);
            for (int g = 1; g <= groups; ++g) {
                const double running = line.rallyTime[g] * 60.0 + start;
                line.groupFirstTime[g] = running + (g > 1 ? config.lastEntry[g - 1] : 0.0);
                line.groupLastTime[g] = running + config.lastEntry[g];
            }
        }
    }

    // The window over all groups in use.
    for (int i = 1; i <= count; ++i) {
        ScheduleLine& line = table.line(i);
        double first = line.groupFirstTime[1];
        double last = line.groupLastTime[1];
        for (int g = 2; g <= groups; ++g) {
            first = std::min(first, line.groupFirstTime[g]);
            last = std::max(last, line.groupLastTime[g]);
        }
        line.firstTime = first;
        line.lastTime = last;
    }
}

} // namespace trakmora
