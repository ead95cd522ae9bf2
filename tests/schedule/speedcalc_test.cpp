#include "schedule/SpeedCalc.h"

#include <gtest/gtest.h>

#include <vector>

namespace trakmora {
namespace {

using Speeds = std::array<double, 4>;

struct Row {
    const char* type;
    Speeds stored;
};

ScheduleTable tableOf(const std::vector<Row>& rows) {
    ScheduleTable t;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ScheduleLine& line = t.line(static_cast<int>(i) + 1);
        line.no = static_cast<int>(i) + 1;
        line.type = rows[i].type;
        for (int g = 1; g <= 4; ++g)
            line.speed[g] = rows[i].stored[static_cast<std::size_t>(g - 1)];
    }
    t.lineCount = static_cast<int>(rows.size());
    return t;
}

Speeds speedsOf(const ScheduleTable& t, int line) {
    const auto& s = t.line(line).speed;
    return {s[1], s[2], s[3], s[4]};
}

TEST(SpeedCalc, PropagatesEachLineByItsType) {
    // Group speeds A 60, B 70, C 80, D 90; baseline B.
    struct Case {
        const char* name;
        std::vector<Row> rows;
        std::vector<Speeds> expected;
    };
    const Case cases[] = {
        {"f scales the baseline speed", {{"f", {0, 35, 0, 0}}}, {{30, 35, 40, 45}}},
        {"o copies the baseline speed", {{"o", {1, 50, 2, 3}}}, {{50, 50, 50, 50}}},
        {"a run of v lines carries the f speeds",
         {{"f", {0, 70, 0, 0}}, {"v", {9, 9, 9, 9}}, {"v", {}}, {"v", {1, 2, 3, 4}}},
         {{60, 70, 80, 90}, {60, 70, 80, 90}, {60, 70, 80, 90}, {60, 70, 80, 90}}},
        {"v as line 1 reads the empty line 0", {{"v", {5, 6, 7, 8}}}, {{0, 0, 0, 0}}},
        {"c after s carries zero",
         {{"o", {0, 50, 0, 0}}, {"s", {1, 2, 3, 4}}, {"c", {9, 9, 9, 9}}},
         {{50, 50, 50, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
        {"m and p carry too",
         {{"o", {0, 40, 0, 0}}, {"m", {}}, {"p", {}}},
         {{40, 40, 40, 40}, {40, 40, 40, 40}, {40, 40, 40, 40}}},
        {"a keeps four speeds between o lines",
         {{"o", {0, 50, 0, 0}}, {"a", {10, 20, 30, 40}}, {"o", {0, 60, 0, 0}}},
         {{50, 50, 50, 50}, {10, 20, 30, 40}, {60, 60, 60, 60}}},
        {"unknown and upper-case codes keep their speeds",
         {{"x", {1, 2, 3, 4}}, {"V", {5, 6, 7, 8}}},
         {{1, 2, 3, 4}, {5, 6, 7, 8}}},
        {"a carried line follows an a line",
         {{"a", {10, 20, 30, 40}}, {"v", {}}},
         {{10, 20, 30, 40}, {10, 20, 30, 40}}},
    };
    const RallyConfig config;
    for (const auto& c : cases) {
        ScheduleTable t = tableOf(c.rows);
        ASSERT_TRUE(propagateSpeeds(t, config)) << c.name;
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(speedsOf(t, static_cast<int>(i) + 1), c.expected[i]) << c.name << ", line " << i + 1;
    }
}

TEST(SpeedCalc, ChangedBaselineTakesItsOwnStoredSpeed) {
    ScheduleTable t = tableOf({{"o", {1, 50, 30, 4}}, {"f", {1, 70, 40, 4}}});
    RallyConfig config;
    config.baselineSpeedGroup = 3; // C
    ASSERT_TRUE(propagateSpeeds(t, config));
    EXPECT_EQ(speedsOf(t, 1), (Speeds{30, 30, 30, 30}));
    EXPECT_EQ(speedsOf(t, 2), (Speeds{30, 35, 40, 45}));
}

TEST(SpeedCalc, BaselineOutsideOneToFourLeavesOAndFLines) {
    for (double baseline : {0.0, 5.0, 2.5}) {
        ScheduleTable t = tableOf({{"o", {1, 2, 3, 4}}, {"f", {5, 6, 7, 8}}, {"v", {}}});
        RallyConfig config;
        config.baselineSpeedGroup = baseline;
        ASSERT_TRUE(propagateSpeeds(t, config));
        EXPECT_EQ(speedsOf(t, 1), (Speeds{1, 2, 3, 4})) << baseline;
        EXPECT_EQ(speedsOf(t, 2), (Speeds{5, 6, 7, 8})) << baseline;
        EXPECT_EQ(speedsOf(t, 3), (Speeds{5, 6, 7, 8})) << baseline;
    }
}

TEST(SpeedCalc, ZeroBaselineGroupSpeedRefusesAnFLineAndChangesNothing) {
    RallyConfig config;
    config.groupSpeed[2] = 0;
    ScheduleTable t = tableOf({{"o", {0, 50, 0, 0}}, {"f", {0, 35, 0, 0}}});
    const Status st = propagateSpeeds(t, config);
    EXPECT_EQ(st.message(), "Group B Speed is 0: speeds cannot be calculated");
    EXPECT_EQ(speedsOf(t, 1), (Speeds{0, 50, 0, 0}));
    EXPECT_EQ(speedsOf(t, 2), (Speeds{0, 35, 0, 0}));

    // Without an "f" line nothing divides by it.
    ScheduleTable noF = tableOf({{"o", {0, 50, 0, 0}}});
    EXPECT_TRUE(propagateSpeeds(noF, config));
    EXPECT_EQ(speedsOf(noF, 1), (Speeds{50, 50, 50, 50}));
}

TEST(SpeedCalc, MirrorsAddedTimeIntoGroupsNotInUse) {
    struct Case {
        double groups;
        std::array<double, 4> expected;
    };
    const Case cases[] = {
        {1, {1, 1, 1, 1}}, {2, {1, 2, 2, 2}}, {3, {1, 2, 3, 3}},
        {4, {1, 2, 3, 4}}, {0, {1, 2, 3, 4}}, {7, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        ScheduleLine line;
        line.addTime = {0, 1, 2, 3, 4};
        RallyConfig config;
        config.noOfSpeedGroups = c.groups;
        mirrorAddedTime(line, config);
        EXPECT_EQ((std::array<double, 4>{line.addTime[1], line.addTime[2], line.addTime[3], line.addTime[4]}),
                  c.expected)
            << c.groups;
    }
}

} // namespace
} // namespace trakmora
