#include "schedule/SpeedCalc.h"

#include <algorithm>

namespace trakmora {

namespace {

int wholeGroup(double value) {
    for (int g = 1; g <= kMaxGroups; ++g)
        if (value == g) return g;
    return 0;
}

bool isCarriedType(const std::string& type) {
    return type == "c" || type == "m" || type == "p" || type == "v";
}

} // namespace

int baselineGroup(const RallyConfig& config) {
    return wholeGroup(config.baselineSpeedGroup);
}

int speedGroupsInUse(const RallyConfig& config) {
    return wholeGroup(config.noOfSpeedGroups);
}

Status propagateSpeeds(ScheduleTable& table, const RallyConfig& config) {
    const int count = std::clamp(table.lineCount, 0, kMaxScheduleLines);
    const int b = baselineGroup(config);
    if (b != 0 && config.groupSpeed[b] == 0) {
        for (int i = 1; i <= count; ++i)
            if (table.line(i).type == "f")
                return Status::failure(std::string("Group ") + groupLetter(b) +
                                       " Speed is 0: speeds cannot be calculated");
    }
    for (int i = 1; i <= count; ++i) {
        ScheduleLine& line = table.line(i);
        const std::string& type = line.type;
        if (type == "o" && b != 0) {
            for (int g = 1; g <= kMaxGroups; ++g)
                if (g != b) line.speed[g] = line.speed[b];
        } else if (type == "f" && b != 0) {
            for (int g = 1; g <= kMaxGroups; ++g)
                if (g != b) line.speed[g] = config.groupSpeed[g] * line.speed[b] / config.groupSpeed[b];
        } else if (isCarriedType(type)) {
            line.speed = table.line(i - 1).speed; // line 0 is all zero
        } else if (type == "s") {
            line.speed = {};
        }
    }
    return {};
}

void mirrorAddedTime(ScheduleLine& line, const RallyConfig& config) {
    const int inUse = speedGroupsInUse(config);
    if (inUse == 0) return;
    for (int g = inUse + 1; g <= kMaxGroups; ++g)
        line.addTime[g] = line.addTime[inUse];
}

} // namespace trakmora
