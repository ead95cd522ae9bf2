#include "schedule/ScheduleEdit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trakmora {
namespace {

struct Editor {
    RecordingMessages messages;
    ProgramState state{"unused-root", messages};
    ScheduleTable& t = state.schedule;

    // Lines 1..n at 1 km apart with speed 10 * n in every group and limit 60 + n.
    explicit Editor(int n) {
        for (int i = 1; i <= n; ++i) {
            ScheduleLine& line = t.line(i);
            line.no = i;
            line.instruction = "clue " + std::to_string(i);
            line.type = "a";
            line.distance = i;
            line.speed = {0, 10.0 * i, 10.0 * i, 10.0 * i, 10.0 * i};
            line.limit = 60 + i;
        }
        t.lineCount = n;
    }
    std::vector<std::string> clues() const {
        std::vector<std::string> out;
        for (int i = 1; i <= t.lineCount; ++i)
            out.push_back(t.line(i).instruction);
        return out;
    }
    void expectNumbered() const {
        for (int i = 1; i <= t.lineCount; ++i)
            EXPECT_EQ(t.line(i).no, i);
    }
};

TEST(ScheduleEdit, InsertRowPushesTheCurrentLineDown) {
    Editor e(5);
    e.t.currentLine = 3;
    ASSERT_TRUE(insertRow(e.state));
    EXPECT_EQ(e.clues(),
              (std::vector<std::string>{"clue 1", "clue 2", "line inserted", "clue 3", "clue 4", "clue 5"}));
    e.expectNumbered();
    const ScheduleLine& inserted = e.t.line(3);
    EXPECT_EQ(inserted.type, "o");
    EXPECT_EQ(inserted.distance, 2);
    EXPECT_EQ(inserted.limit, 120);
    EXPECT_EQ(inserted.speed[2], 30); // speeds of the line it pushed down
    EXPECT_EQ(e.t.line(4).limit, 63);
    // Times are recalculated: line 4 is 1 km after the inserted line at 30 km/h.
    EXPECT_DOUBLE_EQ(e.t.line(4).rallyTime[1] - e.t.line(3).rallyTime[1], 1.0 / 30);
}

TEST(ScheduleEdit, DeleteRowPullsTheFollowingLinesUp) {
    struct Case {
        int current;
        std::vector<std::string> expected;
        int currentAfter;
    };
    const Case cases[] = {
        {2, {"clue 1", "clue 3", "clue 4"}, 2},
        {4, {"clue 1", "clue 2", "clue 3"}, 3}, // the last line: the current line follows the schedule's end
        {1, {"clue 2", "clue 3", "clue 4"}, 1},
    };
    for (const auto& c : cases) {
        Editor e(4);
        e.t.currentLine = c.current;
        deleteRow(e.state);
        EXPECT_EQ(e.clues(), c.expected) << c.current;
        EXPECT_EQ(e.t.currentLine, c.currentAfter) << c.current;
        e.expectNumbered();
        EXPECT_EQ(e.t.line(4), ScheduleLine{}) << c.current;
    }
    Editor one(1);
    deleteRow(one.state);
    EXPECT_EQ(one.t.lineCount, 0);
    deleteRow(one.state); // nothing left to delete
    EXPECT_EQ(one.t.lineCount, 0);
}

TEST(ScheduleEdit, AddRowAppendsAtThePreviousDistance) {
    Editor e(3);
    e.t.currentLine = 2;
    ASSERT_TRUE(addRow(e.state));
    ASSERT_EQ(e.t.lineCount, 4);
    const ScheduleLine& added = e.t.line(4);
    EXPECT_EQ(added.no, 4);
    EXPECT_EQ(added.instruction, "line added");
    EXPECT_EQ(added.type, "o");
    EXPECT_EQ(added.distance, 3);
    EXPECT_EQ(added.limit, 120);
    EXPECT_EQ(added.speed[1], 30);
    EXPECT_EQ(e.t.currentLine, 4); // the new line is the one edited next
    ASSERT_TRUE(addRow(e.state));
    EXPECT_EQ(e.t.currentLine, 5);
}

TEST(ScheduleEdit, RowActionsAreRefusedAtNineHundredNinetyNineLines) {
    Editor e(999);
    e.t.currentLine = 500;
    const std::string message = "The route schedule is full: a day holds at most 999 lines";
    EXPECT_EQ(insertRow(e.state).message(), message);
    EXPECT_EQ(addRow(e.state).message(), message);
    EXPECT_EQ(e.t.lineCount, 999);
    EXPECT_EQ(e.t.line(500).instruction, "clue 500");
    Editor almost(998);
    almost.t.currentLine = 998;
    EXPECT_TRUE(insertRow(almost.state));
    EXPECT_EQ(almost.t.line(999).instruction, "clue 998");
}

TEST(ScheduleEdit, DistanceRule) {
    struct Case {
        const char* previousType;
        double previousKm;
        std::optional<double> entered;
        double stored;
    };
    const Case cases[] = {
        {"o", 12, 12.34, 12.34}, {"o", 12.34, 12.34, 12.34},
        {"o", 15, 12.34, 15},    {"o", 4, std::nullopt, 4},
        {"s", 4, 9, 4},          {"v", 4, 9, 9},
    };
    for (const auto& c : cases) {
        Editor e(3);
        e.t.line(1).type = c.previousType;
        e.t.line(1).distance = c.previousKm;
        e.t.currentLine = 2;
        EXPECT_EQ(applyDistanceEntry(e.state, c.entered), c.stored) << c.previousType << c.previousKm;
        EXPECT_EQ(e.t.line(2).distance, c.stored);
    }
}

TEST(ScheduleEdit, AddedTimeStepsAreLimitedAndMirrored) {
    struct Case {
        const char* name;
        double groups;
        int group;
        double startMinutes;
        std::vector<int> steps;
        std::array<double, 4> expectedSeconds; // A..D
    };
    const Case cases[] = {
        {"F2 three times on B with two groups", 2, 2, 0, {60, 60, 60}, {0, 180, 180, 180}},
        {"F4 on five seconds stops at zero", 4, 1, 5.0 / 60, {-10}, {0, 0, 0, 0}},
        {"F3 twenty-five times stops at two hours", 4, 3, 0, std::vector<int>(25, 300), {0, 0, 7200, 0}},
        {"one second left is kept", 4, 1, 11.0 / 60, {-10}, {1, 0, 0, 0}},
        {"add and subtract back to nothing", 1, 1, 0, {10, 60, -60, -10}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Editor e(2);
        e.state.config.noOfSpeedGroups = c.groups;
        e.t.currentLine = 1;
        e.t.line(1).addTime[c.group] = c.startMinutes;
        for (int step : c.steps)
            ASSERT_TRUE(changeAddedTime(e.state, c.group, step)) << c.name;
        for (int g = 1; g <= 4; ++g)
            EXPECT_NEAR(e.t.line(1).addTime[g] * 60, c.expectedSeconds[static_cast<std::size_t>(g - 1)], 1e-9)
                << c.name << " group " << g;
        EXPECT_GE(e.t.line(1).addTime[c.group], 0) << c.name;
    }
}

TEST(ScheduleEdit, AddedTimeDelaysTheNextLine) {
    Editor e(2);
    e.state.config.noOfSpeedGroups = 1;
    e.t.currentLine = 1;
    ASSERT_TRUE(changeAddedTime(e.state, 1, 300));
    // 1 km at 10 km/h plus 5 minutes.
    EXPECT_DOUBLE_EQ(e.t.line(2).rallyTime[1], 0.1 + 5.0 / 60);
    EXPECT_FALSE(changeAddedTime(e.state, 5, 10));
}

} // namespace
} // namespace trakmora
