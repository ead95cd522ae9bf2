#include "schedule/ControlFiles.h"

#include "schedule/CsvCompare.h"
#include "schedule/RSModule.h"
#include "support/RallyFixture.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

struct Rally : test::TestRally {
    Rally() : TestRally("Control Run", "Ctl") {}
    fs::path file(const std::string& name) const { return root / ("Ctl/" + name); }
};

ScheduleTable linesOfTypes(const std::vector<std::string>& types) {
    ScheduleTable t;
    for (std::size_t i = 0; i < types.size(); ++i) {
        ScheduleLine& line = t.line(static_cast<int>(i) + 1);
        line.no = static_cast<int>(i) + 1;
        line.type = types[i];
        line.instruction = "line " + std::to_string(i + 1);
        line.distance = static_cast<double>(i);
    }
    t.lineCount = static_cast<int>(types.size());
    return t;
}

TEST(ControlFiles, AddedTimeNotes) {
    struct Case {
        double minutes;
        const char* expected;
    };
    const Case cases[] = {
        {0, "Stop"},
        {1.0 / 6, "Stop [Time added: 10 seconds]"},
        {10.0 / 60 + 10.0 / 60 + 10.0 / 60, "Stop [Time added: 30 seconds]"}, // three ten-second steps
        {1.5, "Stop [Time added: 90 seconds]"},
        {1.0 / 60, "Stop [Time added: 1 seconds]"},
        {1.99, "Stop [Time added: 119.4 seconds]"},
        {2, "Stop [Time added: 2 minutes]"},
        {5, "Stop [Time added: 5 minutes]"},
        {2.5, "Stop [Time added: 2.5 minutes]"},
        {120, "Stop [Time added: 120 minutes]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timeAddedNote("Stop", c.minutes), c.expected) << c.minutes;
}

TEST(ControlFiles, ControlsAreTheVLinesNumberedInOrderWithHalfEvenTimes) {
    std::vector<std::string> types(20, "o");
    types[4] = types[8] = types[19] = "v";
    types[6] = "m";
    ScheduleTable t = linesOfTypes(types);
    t.line(5).rallyTime = {0, 0.5, 0.5, 0.5 + 1.0 / 3600, 0};
    t.line(5).lat = -33.5;
    t.line(5).lon = 151.25;
    t.line(9).rallyTime = {0, 1, 2, 3, 4};
    const auto controls = controlRecords(t, 28800.5);
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0].no, 1);
    EXPECT_EQ(controls[1].no, 2);
    EXPECT_EQ(controls[2].no, 3);
    EXPECT_EQ(controls[0].dist, 4);
    EXPECT_EQ(controls[1].dist, 8);
    EXPECT_EQ(controls[2].dist, 19);
    EXPECT_EQ(controls[0].lat, -33.5);
    EXPECT_EQ(controls[0].lon, 151.25);
    // 0.5 h after 28800.5 s is 30600.5 s: to the even 30600; one second later 30601.5 gives 30602.
    EXPECT_EQ(controls[0].groupTime[1], 30600);
    EXPECT_EQ(controls[0].groupTime[2], 30600);
    EXPECT_EQ(controls[0].groupTime[3], 30602);
    EXPECT_EQ(controls[0].groupTime[4], 28800); // 28800.5 to the even second
    EXPECT_EQ(controls[1].groupTime[4], 4 * 3600 + 28800);
}

TEST(ControlFiles, EachLineTypeGoesToItsFiles) {
    Rally r;
    r.state.schedule = linesOfTypes({"f", "o", "a", "s", "v", "c", "m", "p", "x"});
    int written = -1;
    ASSERT_TRUE(writeControlFiles(r.state, &written));
    EXPECT_EQ(written, 1);
    std::vector<ControlRecord> controls;
    ASSERT_TRUE(readControlFile(r.file("Marshals/cp1.csv"), controls));
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].dist, 4); // the "v" line
    std::vector<double> speedRows;
    for (const auto& row : r.state.schedule.speedTable.rows)
        speedRows.push_back(row.distance);
    EXPECT_EQ(speedRows, (std::vector<double>{0, 1, 2, 3, 5, 7, 8})); // all but "v" and "m"
    std::vector<std::string> windowTypes;
    for (const auto& row : r.state.schedule.passingWindows.rows)
        windowTypes.push_back(row.type);
    EXPECT_EQ(windowTypes, (std::vector<std::string>{"v", "c", "m", "p"}));
    EXPECT_EQ(r.state.schedule.passingWindows.rows[2].lineNo, 7);
}

TEST(ControlFiles, DayWithoutControlsWritesOnlyTheHeader) {
    Rally r;
    r.state.schedule = linesOfTypes({"o", "o"});
    ASSERT_TRUE(writeControlFiles(r.state));
    EXPECT_EQ(readFile(r.file("Marshals/cp1.csv")),
              "\"No\",\"Lat\",\"Long\",\"Dist\",\"A_Time\",\"B_Time\",\"C_Time\",\"D_Time\"\r\n");
}

// A calculated day with stops, nominated speeds, added times in seconds and minutes, every timed
// line type and coordinates; the expected files are calculated by hand from the same lines.
TEST(ControlFiles, GoldenDayWithNotesAndCoordinates) {
    Rally r;
    const fs::path data = fs::path(TRAKMORA_TEST_DATA) / "schedule_notes";
    fs::copy_file(data / "RS1_Data.csv", r.file("RouteSchedule/RS1_Data.csv"));
    ASSERT_TRUE(loadDay(r.state));
    int written = 0;
    ASSERT_TRUE(writeControlFiles(r.state, &written));
    EXPECT_EQ(written, 2);
    EXPECT_EQ(r.state.selectedDayStartTime, 28800);
    for (const char* name : {"Marshals/cp1.csv", "RouteSchedule/SpeedABCD_RS1.csv", "RouteSchedule/abc.csv"})
        EXPECT_EQ(test::compareCsvFiles(r.file(name), data / "expected" / fs::path(name).filename()), "")
            << name;
    // What was read back is what the file holds.
    const SpeedTable& speeds = r.state.schedule.speedTable;
    ASSERT_EQ(speeds.count(), 7);
    EXPECT_EQ(speeds.rows[2].note[1], "Restart after fuel [Time added: 10 seconds]");
    EXPECT_EQ(speeds.rows[2].note[4], "Restart after fuel");
    EXPECT_EQ(speeds.rows[2].rallyTime[1], r.state.schedule.line(3).rallyTime[1]);
    ASSERT_EQ(r.state.schedule.passingWindows.count(), 5);
    EXPECT_EQ(r.state.schedule.passingWindows.rows[4].lat, -33.60125);
    EXPECT_EQ(r.state.schedule.passingWindows.rows[4].lastTime, 557);
}

TEST(ControlFiles, SecondDayLeavesTheFirstControlFileAndReplacesAbc) {
    Rally r;
    r.state.schedule = linesOfTypes({"o", "v"});
    ASSERT_TRUE(writeControlFiles(r.state));
    r.state.rally.selectedDay = 2;
    r.state.schedule = linesOfTypes({"o", "m", "m"});
    ASSERT_TRUE(writeControlFiles(r.state));
    std::vector<ControlRecord> day1;
    ASSERT_TRUE(readControlFile(r.file("Marshals/cp1.csv"), day1));
    EXPECT_EQ(day1.size(), 1u);
    EXPECT_TRUE(fs::exists(r.file("Marshals/cp2.csv")));
    PassingWindowTable windows;
    ASSERT_TRUE(readPassingWindowTable(r.file("RouteSchedule/abc.csv"), windows));
    EXPECT_EQ(windows.count(), 2);
    EXPECT_EQ(windows.rows[0].type, "m");
}

TEST(ControlFiles, UnwritableControlFileStopsBeforeTheOthers) {
    Rally r;
    r.state.schedule = linesOfTypes({"o", "v"});
    fs::remove_all(r.file("Marshals"));
    const Status st = writeControlFiles(r.state);
    EXPECT_FALSE(st);
    EXPECT_NE(st.message().find(r.file("Marshals/cp1.csv").string()), std::string::npos) << st.message();
    EXPECT_FALSE(fs::exists(r.file("RouteSchedule/SpeedABCD_RS1.csv")));
    EXPECT_FALSE(fs::exists(r.file("RouteSchedule/abc.csv")));
}

TEST(ControlFiles, ManyTimedLinesAreAllHeld) {
    Rally r;
    r.state.schedule = linesOfTypes(std::vector<std::string>(250, "v"));
    int written = 0;
    ASSERT_TRUE(writeControlFiles(r.state, &written));
    EXPECT_EQ(written, 250);
    EXPECT_EQ(r.state.schedule.passingWindows.count(), 250);
    EXPECT_EQ(r.state.schedule.passingWindows.rows[249].lineNo, 250);
}

} // namespace
} // namespace trakmora
