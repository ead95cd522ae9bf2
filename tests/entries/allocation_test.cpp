#include "entries/Allocation.h"
#include "entries/EntryPanel.h"
#include "support/RallyFixture.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
using Bounds = std::array<double, 4>; // LastEntry A..D

RallyConfig withBounds(double groups, Bounds b) {
    RallyConfig c;
    c.noOfSpeedGroups = groups;
    for (int g = 1; g <= 4; ++g)
        c.lastEntry[g] = b[g - 1];
    return c;
}

Bounds boundsOf(const RallyConfig& c) {
    return {c.lastEntry[1], c.lastEntry[2], c.lastEntry[3], c.lastEntry[4]};
}

TEST(Allocation, RepairKeepsTheGroupsInOrderAndCopiesTheLastInUse) {
    struct Case {
        double groups;
        Bounds before, after;
    };
    const Case cases[] = {
        {4, {15, 30, 45, 60}, {15, 30, 45, 60}},
        {4, {30, 30, 45, 60}, {30, 31, 45, 60}}, // A raised onto B pushes B only
        {4, {40, 30, 35, 41}, {40, 41, 42, 43}}, // each repair against the one just repaired
        {4, {15, 15, 15, 15}, {15, 16, 17, 18}},
        {3, {10, 10, 5, 99}, {10, 11, 12, 12}},
        {2, {20, 40, 45, 60}, {20, 40, 40, 40}},
        {2, {20, 20, 45, 60}, {20, 21, 21, 21}},
        {1, {20, 40, 45, 60}, {20, 20, 20, 20}},
        {0, {20, 10, 5, 1}, {20, 10, 5, 1}}, // counts other than exactly 1..4 repair nothing
        {2.5, {20, 10, 5, 1}, {20, 10, 5, 1}},
        {5, {20, 10, 5, 1}, {20, 10, 5, 1}},
    };
    for (const auto& c : cases) {
        RallyConfig config = withBounds(c.groups, c.before);
        repairAllocation(config);
        EXPECT_EQ(boundsOf(config), c.after)
            << c.groups << " groups from " << c.before[0] << "," << c.before[1];
    }
}

// Runs the allocation buttons: 's' Select, '+' Increase, '-' Decrease, each followed by the
// order repair as on the screen.
struct Buttons {
    RallyConfig config;
    AllocationEditor editor;
    void press(const std::string& keys) {
        for (char k : keys) {
            if (k == 's') editor.select(config);
            if (k == '+') editor.increase(config);
            if (k == '-') editor.decrease(config);
            repairAllocation(config);
        }
    }
};

TEST(Allocation, ButtonsMoveTheSelectedBoundaryWithinTheLimits) {
    struct Case {
        const char* what;
        double groups;
        Bounds before;
        std::string keys;
        Bounds after;
        int selected;
    };
    const Case cases[] = {
        {"A raised to 30 pushes B", 4, {15, 30, 45, 60}, std::string(15, '+'), {30, 31, 45, 60}, 1},
        {"A raised to 46 pushes B and C", 4, {15, 30, 45, 60}, std::string(31, '+'), {46, 47, 48, 60}, 1},
        {"B stops above A", 4, {15, 16, 45, 60}, "s---", {15, 16, 45, 60}, 2},
        {"A stops at 1", 4, {2, 30, 45, 60}, "---", {1, 30, 45, 60}, 1},
        {"A at 0 is not lowered", 2, {0, 30, 30, 30}, "-", {0, 30, 30, 30}, 1},
        {"last group stops at 300", 4, {100, 200, 250, 299}, "sss+++", {100, 200, 250, 300}, 4},
        {"a push past 300 is not taken", 4, {297, 298, 299, 300}, "+s+ss+", {297, 298, 299, 300}, 4},
        {"room below 300 is used", 4, {10, 20, 298, 300}, "ss+", {10, 20, 299, 300}, 3},
        {"one group: A alone moves", 1, {15, 30, 45, 60}, "s+", {16, 16, 16, 16}, 1},
        {"select wraps after C", 3, {15, 30, 45, 45}, "sss+", {16, 30, 45, 45}, 1},
        {"select wraps after B", 2, {15, 30, 30, 30}, "ss-s-", {14, 29, 29, 29}, 2},
    };
    for (const auto& c : cases) {
        Buttons run{withBounds(c.groups, c.before), {}};
        run.press(c.keys);
        EXPECT_EQ(boundsOf(run.config), c.after) << c.what;
        EXPECT_EQ(run.editor.selectedGroup(), c.selected) << c.what;
    }
}

TEST(Allocation, OnlyTwoToFourGroupsMarkTheSelection) {
    for (double groups : {1.0, 2.0, 3.0, 4.0, 0.0, 5.0}) {
        RallyConfig config = withBounds(groups, {15, 30, 45, 60});
        const bool marks = groups >= 2 && groups <= 4;
        EXPECT_EQ(markedAllocationGroup(config, 2), marks ? 2 : 0) << groups;
    }
    // A count the configuration file does not bound never selects beyond group D.
    RallyConfig config = withBounds(9, {15, 30, 45, 60});
    AllocationEditor editor;
    for (int i = 0; i < 8; ++i) {
        editor.select(config);
        EXPECT_GE(editor.selectedGroup(), 1);
        EXPECT_LE(editor.selectedGroup(), 4);
    }
}

std::string entryLine(int no, const std::string& scoreGroup) {
    return std::to_string(no) + ",\"Crew " + std::to_string(no) + "\",1936,\"Riley\",\"Kestrel\",\"B\",\"" +
           scoreGroup + "\",0,0,0,0,0\r\n";
}

TEST(Allocation, ScoreGroupCheckAcceptsOnlyCapitalAToD) {
    struct Case {
        std::vector<std::string> groups;
        int firstBad;
    };
    const Case cases[] = {
        {{"A", "B", "C", "D"}, 0}, {{"A", "b"}, 2}, {{"E", "A"}, 1},
        {{"A", "A "}, 2},          {{"A", ""}, 2},  {{}, 0},
    };
    for (const auto& c : cases) {
        EntryTable table;
        for (const auto& g : c.groups)
            table.entries.push_back(Entry{1, "", "", "", "", "", g, {}});
        EXPECT_EQ(firstBadScoreGroup(table), c.firstBad) << c.groups.size();
    }
}

TEST(Allocation, LoadingChecksTheScoreGroupsAndReports) {
    struct Case {
        const char* what;
        std::string records; // "-": no entry list file
        bool accepted;
        std::vector<std::string> messages;
        int count;
    };
    const Case cases[] = {
        {"valid list", entryLine(1, "A") + entryLine(2, "D"), true, {}, 2},
        {"lower case",
         entryLine(1, "A") + entryLine(2, "b"),
         false,
         {"You have an incorrect Score Group assignment"},
         2},
        {"missing file after start-up", "-", false, {"No data to load"}, 0},
        {"damaged file", "x,\"A\"\r\n", false, {}, 0},
    };
    for (const auto& c : cases) {
        test::TestRally rally("Spring Run", "Spring");
        ProgramState& state = rally.state;
        const RecordingMessages& messages = rally.messages;
        if (c.records != "-") rally.writeEntryList(c.records);
        EXPECT_EQ(loadCheckedEntryList(state), c.accepted) << c.what;
        if (std::string(c.what) == "damaged file") {
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_NE(messages.texts[0].find("EntryList.csv"), std::string::npos) << messages.texts[0];
        } else {
            EXPECT_EQ(messages.texts, c.messages) << c.what;
        }
        EXPECT_EQ(state.entries.count(), c.count) << c.what;
    }
}

TEST(EntryPanel, BrowsesWithinTheLoadedEntries) {
    EntryTable table;
    EXPECT_FALSE(entryView(table));
    previousEntry(table);
    nextEntry(table);
    EXPECT_EQ(table.currentEntry, 0);
    EXPECT_FALSE(entryView(table));

    for (int i = 1; i <= 57; ++i)
        table.entries.push_back(
            Entry{i * 2, "Crew " + std::to_string(i), "1936", "Riley", "Kestrel", "C", "B", {}});
    table.currentEntry = 57;
    nextEntry(table);
    EXPECT_EQ(table.currentEntry, 57);
    auto view = entryView(table);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->count, "57  Entries Loaded");
    EXPECT_EQ(view->compNo, "114");
    EXPECT_EQ(view->name, "Crew 57");
    EXPECT_EQ(view->speedGroup, "C");
    EXPECT_EQ(view->scoreGroup, "B");
    table.currentEntry = 2;
    previousEntry(table);
    previousEntry(table);
    EXPECT_EQ(table.currentEntry, 1);
    EXPECT_EQ(entryView(table)->name, "Crew 1");
}

} // namespace
} // namespace trakmora
