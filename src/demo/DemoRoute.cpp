#include "demo/DemoRoute.h"

#include <array>
#include <cmath>
#include <random>
#include <string>

namespace trakmora {

namespace {

constexpr double kRoadStepMetres = 10;
constexpr int kRoadPoints = 13000; // 130 km, longer than any day
constexpr int kBaseline = 2;       // speed group B

std::uint32_t daySeed(int day, std::uint32_t seed) {
    return seed * 7919u + static_cast<std::uint32_t>(day);
}

constexpr std::array<const char*, 12> kTurns = {
    "Left at the T junction",      "Right at the church",        "Straight over the roundabout",
    "Left onto the gravel road",   "Right at the general store", "Bear left at the fork",
    "Right over the railway line", "Left at the school",         "Straight on past the silos",
    "Right at the give way sign",  "Left after the bridge",      "Bear right at the war memorial"};

// The type of an ordinary (not control, not first or last) line, cycling so that every type
// appears several times a day.
constexpr std::array<const char*, 9> kCycle = {"f", "o", "c", "a", "m", "f", "p", "s", "o"};

double tenths(double km) {
    return std::round(km * 10) / 10;
}

} // namespace

SyntheticDrive demoRoad(int day, std::uint32_t seed) {
    SyntheticDriveSettings s;
    s.fixCount = kRoadPoints;
    s.controlCount = 0;
    s.metresPerSecond = kRoadStepMetres;
    s.secondsPerFix = 1;
    s.startLat = day == 1 ? -37.20 : -37.45;
    s.startLon = day == 1 ? 144.10 : 144.35;
    s.headingPull = 0.004;
    s.seed = daySeed(day, seed);
    return SyntheticDrive(s);
}

ScheduleTable demoSchedule(int day, std::uint32_t seed) {
    std::mt19937 random(daySeed(day, seed) + 1);
    const int lineCount = std::uniform_int_distribution<int>(45, 70)(random);
    const int controls = std::uniform_int_distribution<int>(8, 12)(random);
    std::uniform_real_distribution<double> stretch(0.6, 1.6);
    std::uniform_int_distribution<std::size_t> turn(0, kTurns.size() - 1);
    std::uniform_int_distribution<int> speedStep(0, 3);
    const SyntheticDrive road = demoRoad(day, seed);

    // Virtual controls spread evenly over the lines; never the first, last or second line.
    std::vector<bool> isControl(static_cast<std::size_t>(lineCount + 1), false);
    for (int k = 1; k <= controls; ++k)
        isControl[static_cast<std::size_t>(2 + (lineCount - 3) * k / (controls + 1))] = true;

    ScheduleTable table;
    table.lineCount = lineCount;
    double km = 0;
    int controlNo = 0;
    std::size_t cycle = 0;
    for (int i = 1; i <= lineCount; ++i) {
        ScheduleLine& line = table.line(i);
        line.no = i;
        line.limit = 80;
        const bool afterStop = i > 1 && table.line(i - 1).type == "s";
        if (i > 1) km = tenths(km + (afterStop ? 0.1 : stretch(random)));
        line.distance = km;
        const double baseSpeed = 35 + 5 * speedStep(random); // 35..50 km/h for group B
        if (i == 1) {
            line.type = "o";
            line.instruction = "Start at the showground gate";
            line.speed[kBaseline] = 45;
        } else if (i == lineCount) {
            line.type = "c";
            line.instruction = "Finish control at the hotel";
        } else if (isControl[static_cast<std::size_t>(i)]) {
            line.type = "v";
            line.instruction = "Virtual control " + std::to_string(++controlNo);
            road.pointAt(km * 1000, line.lat, line.lon);
            line.lat = std::round(line.lat * 1e6) / 1e6;
            line.lon = std::round(line.lon * 1e6) / 1e6;
        } else if (afterStop) {
            line.type = "o";
            line.instruction = "Restart after the stop";
            line.speed[kBaseline] = baseSpeed;
        } else {
            std::string type = kCycle[cycle++ % kCycle.size()];
            // A stop needs an ordinary line after it to restart from.
            if (type == "s" && isControl[static_cast<std::size_t>(i + 1)]) type = "o";
            line.type = type;
            line.instruction = kTurns[turn(random)];
            if (type == "s") {
                line.instruction = "Stop at the level crossing: 2 minutes added";
                line.addTime = {0, 2, 2, 2, 2};
            } else if (type == "c") {
                line.instruction = "Passage check at the hall";
            } else if (type == "m") {
                line.instruction = "Marshal at the lookout";
            } else if (type == "p") {
                line.instruction = "Passage control at the farm gate";
            } else if (type == "a") {
                line.instruction += ": nominated speeds";
                line.speed = {0, 40, 42, 45, 48};
            } else {
                line.speed[kBaseline] = baseSpeed;
            }
        }
    }
    return table;
}

} // namespace trakmora
