// Recalculating a full route schedule: speed propagation and the time calculation of 999 lines,
// which run on every navigation and edit of the route schedule screen.
#include "Bench.h"
#include "common/RallyConfig.h"
#include "common/ScheduleTable.h"
#include "schedule/SpeedCalc.h"
#include "schedule/TimeCalc.h"

#include <cstdio>

namespace {

trakmora::ScheduleTable fullDay() {
    const char* const types[] = {"f", "o", "v", "c", "a", "m", "s", "p", "v", "o"};
    trakmora::ScheduleTable t;
    for (int i = 1; i <= trakmora::kMaxScheduleLines; ++i) {
        trakmora::ScheduleLine& line = t.line(i);
        line.no = i;
        line.type = types[i % 10];
        line.distance = 0.35 * i;
        line.speed = {0, 45, 50.0 + i % 7, 55, 60};
        line.addTime = {0, i % 13 == 0 ? 1.0 : 0, 0, 0, 0};
    }
    t.lineCount = trakmora::kMaxScheduleLines;
    return t;
}

trakmora::bench::Register scheduleBench("schedule", [] {
    trakmora::ScheduleTable table = fullDay();
    const trakmora::RallyConfig config;
    double sink = 0;
    trakmora::bench::timeIt("propagate speeds and calculate times of 999 lines", 200, [&] {
        if (!trakmora::propagateSpeeds(table, config)) std::printf("propagation refused\n");
        trakmora::calculateTimes(table, config, 1);
        sink += table.line(999).lastTime;
    });
    if (sink == 0) std::printf("no result\n");
});

} // namespace
