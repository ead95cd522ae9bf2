#include "schedule/TimeCalc.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

ScheduleLine lineAt(double km, std::array<double, 5> speed, std::array<double, 5> addTime = {}) {
    ScheduleLine line;
    line.distance = km;
    line.speed = speed;
    line.addTime = addTime;
    return line;
}

RallyConfig twoGroups() {
    RallyConfig c;
    c.noOfSpeedGroups = 2;
    c.dayStartTime[1] = 28800;
    c.lastEntry = {0, 15, 30, 45, 60};
    return c;
}

TEST(TimeCalc, TwoGroupWorkedExample) {
    ScheduleTable t;
    t.line(1) = lineAt(0, {0, 60, 50, 0, 0});
    t.line(2) = lineAt(10, {});
    t.lineCount = 2;
    calculateTimes(t, twoGroups(), 1);
    const ScheduleLine& l = t.line(2);
    EXPECT_DOUBLE_EQ(l.rallyTime[1], 10.0 / 60);
    EXPECT_DOUBLE_EQ(l.rallyTime[2], 0.2);
    EXPECT_DOUBLE_EQ(l.groupFirstTime[1], 490);
    EXPECT_DOUBLE_EQ(l.groupLastTime[1], 505);
    EXPECT_DOUBLE_EQ(l.groupFirstTime[2], 507);
    EXPECT_DOUBLE_EQ(l.groupLastTime[2], 522);
    EXPECT_DOUBLE_EQ(l.firstTime, 490);
    EXPECT_DOUBLE_EQ(l.lastTime, 522);
    // Line 1 is at the start whatever its distance.
    EXPECT_EQ(t.line(1).rallyTime[1], 0);
    EXPECT_DOUBLE_EQ(t.line(1).firstTime, 480);
}

TEST(TimeCalc, RunningTimesFollowTheSpeedAndAddedTimeOfTheLineBefore) {
    struct Case {
        const char* name;
        std::vector<ScheduleLine> lines;
        double expectedLastHours; // running time of group A on the last line
    };
    const Case cases[] = {
        {"one line starts at 0", {lineAt(7, {0, 60})}, 0},
        {"line 1 distance does not count", {lineAt(5, {0, 60}), lineAt(11, {0, 60})}, 0.1},
        {"a stop adds its time and no running time",
         {lineAt(0, {0, 0}, {0, 5}), lineAt(2, {0, 60})},
         5.0 / 60},
        {"added time on the last line changes nothing",
         {lineAt(0, {0, 60}), lineAt(6, {0, 60}, {0, 30})},
         0.1},
        {"a zero speed runs no time", {lineAt(0, {0, 60}), lineAt(6, {0, 0}), lineAt(50, {0, 60})}, 0.1},
        {"added time and distance on one stretch",
         {lineAt(0, {0, 30}, {0, 1.5}), lineAt(3, {0, 30})},
         0.1 + 0.025},
    };
    RallyConfig config;
    config.noOfSpeedGroups = 1;
    for (const auto& c : cases) {
        ScheduleTable t;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            t.line(static_cast<int>(i) + 1) = c.lines[i];
        t.lineCount = static_cast<int>(c.lines.size());
        calculateTimes(t, config, 1);
        const ScheduleLine& last = t.line(t.lineCount);
        EXPECT_NEAR(last.rallyTime[1], c.expectedLastHours, 1e-12) << c.name;
        // One group in use: the overall window is group A's.
        EXPECT_EQ(last.firstTime, last.groupFirstTime[1]) << c.name;
        EXPECT_EQ(last.lastTime, last.groupLastTime[1]) << c.name;
    }
}

TEST(TimeCalc, GroupsNotInUseKeepTheirValues) {
    ScheduleTable t;
    t.line(1) = lineAt(0, {0, 60, 60, 60, 60});
    t.line(2) = lineAt(60, {});
    t.line(2).rallyTime = {0, 0, 0, 7, 8};
    t.line(2).groupFirstTime = {0, 0, 0, 70, 80};
    t.lineCount = 2;
    calculateTimes(t, twoGroups(), 1);
    EXPECT_EQ(t.line(2).rallyTime[2], 1);
    EXPECT_EQ(t.line(2).rallyTime[3], 7);
    EXPECT_EQ(t.line(2).rallyTime[4], 8);
    EXPECT_EQ(t.line(2).groupFirstTime[3], 70);
    EXPECT_EQ(t.line(2).firstTime, 540); // C's stale 70 is not taken as the earliest
}

TEST(TimeCalc, NothingHappensWithoutAValidNumberOfGroups) {
    for (double groups : {0.0, 5.0, 1.5}) {
        ScheduleTable t;
        t.line(1) = lineAt(0, {0, 60, 60, 60, 60});
        t.line(2) = lineAt(60, {});
        t.line(2).rallyTime = {0, 9, 9, 9, 9};
        t.line(2).firstTime = 99;
        t.lineCount = 2;
        RallyConfig config;
        config.noOfSpeedGroups = groups;
        calculateTimes(t, config, 1);
        EXPECT_EQ(t.line(2).rallyTime[1], 9) << groups;
        EXPECT_EQ(t.line(2).firstTime, 99) << groups;
    }
}

TEST(TimeCalc, WindowsOfFourGroupsAndPastMidnight) {
    RallyConfig config; // four groups, last entries 15, 30, 45, 60
    config.dayStartTime[2] = 23 * 3600;
    config.lastEntry = {0, 15, 30, 45, 45};
    ScheduleTable t;
    t.line(1) = lineAt(0, {0, 60, 60, 30, 30});
    t.line(2) = lineAt(60, {});
    t.lineCount = 2;
    calculateTimes(t, config, 2);
    const ScheduleLine& l = t.line(2);
    // A due at 23:00 + 1 h; C and D tie for the latest last time: 2 h + 23 h + 45 min.
    EXPECT_DOUBLE_EQ(l.firstTime, 1440);
    EXPECT_DOUBLE_EQ(l.groupLastTime[3], 1380 + 120 + 45);
    EXPECT_DOUBLE_EQ(l.groupLastTime[4], 1380 + 120 + 45);
    EXPECT_DOUBLE_EQ(l.lastTime, 1545);
    EXPECT_DOUBLE_EQ(l.groupFirstTime[4], 1380 + 120 + 45); // D follows C's last entry
}

TEST(TimeCalc, DayOutsideOneToFiveKeepsTheWindows) {
    ScheduleTable t;
    t.line(1) = lineAt(0, {0, 60});
    t.line(2) = lineAt(30, {});
    t.line(2).groupFirstTime = {0, 100};
    t.line(2).groupLastTime = {0, 115};
    t.lineCount = 2;
    RallyConfig config;
    config.noOfSpeedGroups = 1;
    calculateTimes(t, config, 6);
    EXPECT_DOUBLE_EQ(t.line(2).rallyTime[1], 0.5);
    EXPECT_EQ(t.line(2).firstTime, 100);
    EXPECT_EQ(t.line(2).lastTime, 115);
}

} // namespace
} // namespace trakmora
