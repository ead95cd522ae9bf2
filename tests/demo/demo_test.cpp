// The generated demonstration rally: the shape the organiser would give a real one.
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "demo/DemoRally.h"
#include "demo/DemoRoute.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "support/TempDir.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

TEST(DemoRally, SchedulesUseEveryLineTypeWithEightToTwelveControlsOnTheRoad) {
    for (std::uint32_t seed : {1u, 2u, 99u}) {
        for (int day = 1; day <= kDemoDays; ++day) {
            const ScheduleTable table = demoSchedule(day, seed);
            EXPECT_GE(table.lineCount, 40);
            EXPECT_LE(table.lineCount, 80);
            std::set<std::string> types;
            int controls = 0;
            const SyntheticDrive road = demoRoad(day, seed);
            for (int i = 1; i <= table.lineCount; ++i) {
                const ScheduleLine& l = table.line(i);
                types.insert(l.type);
                if (i > 1) {
                    EXPECT_GT(l.distance, table.line(i - 1).distance) << "line " << i;
                }
                if (l.type != "v") continue;
                ++controls;
                double lat = 0, lon = 0;
                road.pointAt(l.distance * 1000, lat, lon);
                EXPECT_LT(std::hypot(lat - l.lat, lon - l.lon) * 100000, 1) << "control on line " << i;
                EXPECT_NE(table.line(i - 1).type, "s") << "a control after a stop would be timed at speed 0";
            }
            EXPECT_EQ(types, (std::set<std::string>{"a", "c", "f", "m", "o", "p", "s", "v"}))
                << seed << ' ' << day;
            EXPECT_GE(controls, 8);
            EXPECT_LE(controls, 12);
            EXPECT_LT(table.line(table.lineCount).distance * 1000, road.routeMetres());
        }
    }
}

TEST(DemoRally, EntriesDownloadsAndReplacement) {
    test::TempDir root;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    ASSERT_TRUE(createDemoRally(state, "Demo", 1));
    EXPECT_EQ(createDemoRally(state, "Demo", 1).message(),
              "A rally with the short name \"Demo\" already exists; choose another short name");
    // A second demonstration rally beside it carries its short name in its long name.
    {
        RecordingMessages quiet;
        ProgramState other(root.path(), quiet);
        ASSERT_TRUE(createDemoRally(other, "Demo2", 2));
        EXPECT_EQ(other.rally.longName, "Demonstration Rally (Demo2)");
        ASSERT_TRUE(removeDemoRally(other, "Demo2"));
    }

    std::set<std::string> speedGroups, scoreGroups;
    for (const Entry& e : state.entries.entries) {
        speedGroups.insert(e.speed);
        scoreGroups.insert(e.scoreGroup);
    }
    EXPECT_EQ(state.entries.count(), kDemoEntries);
    EXPECT_EQ(speedGroups, (std::set<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(scoreGroups, (std::set<std::string>{"A", "B", "C"}));

    // Day 1: one download per starter in all six layouts; the import keeps only the rally date.
    ASSERT_TRUE(loadDay(state));
    ASSERT_TRUE(writeControlFiles(state));
    std::vector<std::string> names;
    ASSERT_TRUE(writeDemoDownloads(state, 1, 1, names));
    // Two crews also carry a backup logger.
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kDemoEntries - 1 + 2));
    for (const char* backup : {"e1009b.csv", "x1022b.csv"})
        EXPECT_NE(std::find(names.begin(), names.end(), backup), names.end()) << backup;
    std::set<char> letters;
    for (const auto& n : names)
        letters.insert(n[0]);
    EXPECT_EQ(letters, (std::set<char>{'c', 'e', 'g', 'h', 'n', 'x'}));
    const DemoRoles roles = demoRoles(1);
    ImportResult evening;
    ASSERT_TRUE(importDownload(state, 1, "h1028.csv", evening));
    ASSERT_EQ(roles.otherDateFixes, 28);
    EXPECT_EQ(evening.recordsRead - evening.fixesKept, 40) << "the fixes of the evening before are left out";

    // Replacing removes the rally and its register line; a rally not made here is kept.
    ASSERT_TRUE(removeDemoRally(state, "Demo"));
    EXPECT_FALSE(fs::exists(root / "Demo"));
    std::vector<RegisterRecord> records;
    ASSERT_TRUE(readRegister(state, records));
    EXPECT_TRUE(records.empty());
    ASSERT_TRUE(createRally(state, "Spring Run", "Spring"));
    EXPECT_FALSE(removeDemoRally(state, "Spring"));
    EXPECT_TRUE(fs::exists(root / "Spring"));
    EXPECT_TRUE(removeDemoRally(state, "Nothing")) << "nothing to replace";
}

} // namespace
} // namespace trakmora
