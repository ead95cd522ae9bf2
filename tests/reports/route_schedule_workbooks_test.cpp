#include "reports/ReportFixtures.h"
#include "reports/RouteScheduleWorkbooks.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

using test::pinnedClock;
using test::saveAndDump;

RouteScheduleLine scheduleLine(int no, const char* type, double km, double first, double last,
                               const char* text) {
    RouteScheduleLine l;
    l.no = no;
    l.type = type;
    l.distance = km;
    l.speed = {60, 50, 45.6, 0};
    l.firstTime = first;
    l.lastTime = last;
    l.instruction = text;
    l.lat = -33.1234;
    l.lon = 18.5 + no;
    return l;
}

RouteScheduleInput twoGroupDay() {
    RouteScheduleInput input;
    input.day = 2;
    input.rallyName = "Spring Run";
    input.startDate = dateSerial(2015, 6, 26);
    input.noOfSpeedGroups = 2;
    input.groupSpeed = {60, 50, 40, 30};
    input.lines = {
        scheduleLine(1, "s", 0, 480, 495, "Start at the town hall"),
        scheduleLine(2, "v", 12.5, 492.5, 507.25, "Left at the church"),
        scheduleLine(3, "o", 20, 500, 515, "Straight on"),
        scheduleLine(4, "v", 31.05, 511, 526,
                     "Virtual control near the dam wall, keep left at the fork and go on to the farm gate")};
    SpeedTableRow row;
    row.distance = 12.5;
    row.speed = {0, 60, 50, 0, 0};
    row.rallyTime = {0, 0.25, 0.3, 0, 0};
    row.note = {"", "Left at the church [Time added: 10 seconds]", "Left at the church", "", ""};
    input.speedTable = {row};
    return input;
}

TEST(RouteScheduleWorkbookTest, TwoSpeedGroupsFillMasterAndTheirSheets) {
    test::TempDir dir;
    const auto d = saveAndDump(buildRouteScheduleWorkbook(twoGroupDay(), pinnedClock()), dir, "route.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Master|A Speed Group|B Speed Group|Sheet4|Sheet5");
    EXPECT_FALSE(d.has("Sheet4!A1"));

    const std::pair<const char*, const char*> master[] = {
        {"A1", "s:No"},        {"H1", "s:Last"},      {"J1", "s:t"},
        {"A2", "n:1.0"},       {"B3", "n:12.5"},      {"C3", "n:60.0"},
        {"E3", "n:46.0"},      {"F3", "n:0.0"},       {"G2", "n:0.3333333333333333"},
        {"H2", "s:08:15:00:"}, {"H3", "s:08:27:15:"}, {"I3", "s:Left at the church"},
        {"J3", "s:v"},         {"A5", "n:4.0"},
    };
    for (const auto& [cell, value] : master)
        EXPECT_EQ(d[std::string("Master!") + cell], value) << cell;
    EXPECT_FALSE(d.has("Master!A6"));
    EXPECT_EQ(d["Master!A1.font"], "Calibri,1,16.0");
    EXPECT_EQ(d["Master!A1.align"], "center,bottom,0");
    EXPECT_EQ(d["Master!I3.font"], "Calibri,1,16.0");
    EXPECT_EQ(d["Master!I3.align"], "general,top,1");
    EXPECT_EQ(d["Master!H3.align"], "center,top,1");
    EXPECT_EQ(d["Master!J3.align"], "center,top,1");
    EXPECT_EQ(d["Master!B3.format"], "0.00");
    EXPECT_EQ(d["Master!G3.format"], "hh:mm:ss");
    EXPECT_EQ(d["Master!H3.format"], "hh:mm:ss");
    EXPECT_EQ(d["Master!C3.format"], "General");
    EXPECT_FALSE(d.has("Master!A6.font")); // only the filled rows are formatted
    EXPECT_EQ(std::stod(d["Master!col.I"]), test::storedColumnWidth(60));
    EXPECT_EQ(std::stod(d["Master!col.J"]), test::storedColumnWidth(3));
    EXPECT_GE(std::stod(d["Master!row.5.height"]), 2 * 21.0); // the long instruction wraps
    EXPECT_EQ(d["Master!row.1.height"], "22.0");              // one line of 16-point text
    EXPECT_EQ(d["Master!row.3.height"], "22.0");
    EXPECT_EQ(d["Master!page.orientation"], "landscape");
    EXPECT_EQ(d["Master!page.centerH"], "1");
    EXPECT_EQ(d["Master!page.gridlines"], "1");
    EXPECT_EQ(d["Master!page.fitTall"], "20");
    EXPECT_EQ(d["Master!header.L"], "Day 2");
    EXPECT_EQ(d["Master!header.C"], "Spring Run");
    EXPECT_EQ(d["Master!header.R"], "Master");
    EXPECT_EQ(d["Master!footer.C"], "Page &P of &N");

    const std::pair<const char*, const char*> groupA[] = {
        {"A1", "s:Dist"},
        {"D1", "s:Instruction"},
        {"A2", "n:12.5"},
        {"B2", "n:60.0"},
        {"C2", "n:0.010416666666666666"},
        {"D2", "s:Left at the church [Time added: 10 seconds]"},
    };
    for (const auto& [cell, value] : groupA)
        EXPECT_EQ(d[std::string("A Speed Group!") + cell], value) << cell;
    EXPECT_EQ(d["B Speed Group!B2"], "n:50.0");
    EXPECT_EQ(d["B Speed Group!C2"], "n:0.0125");
    EXPECT_EQ(d["B Speed Group!D2"], "s:Left at the church");
    EXPECT_EQ(d["A Speed Group!A2.format"], "0.00");
    EXPECT_EQ(d["A Speed Group!C2.format"], "hh:mm:ss");
    EXPECT_EQ(d["A Speed Group!A2.align"], "center,top,1");
    EXPECT_EQ(d["A Speed Group!D2.align"], "general,top,1");
    EXPECT_EQ(d["A Speed Group!D501.font"], "Calibri,1,16.0"); // the 500-row body is formatted
    EXPECT_FALSE(d.has("A Speed Group!D502.font"));
    EXPECT_EQ(d["A Speed Group!header.L"], "27 Jun 2015");
    EXPECT_EQ(d["A Speed Group!header.C"], "Spring Run - Day 2");
    EXPECT_EQ(d["A Speed Group!header.R"], "60 km/h (A) Speed Group");
    EXPECT_EQ(d["B Speed Group!header.R"], "50 km/h (B) Speed Group");
    EXPECT_EQ(d["A Speed Group!page.orientation"], "portrait");
    EXPECT_EQ(d["A Speed Group!page.centerH"], "0");
    EXPECT_EQ(std::stod(d["A Speed Group!col.D"]), test::storedColumnWidth(60));
}

TEST(RouteScheduleWorkbookTest, SpeedGroupSheetsFollowTheNumberOfGroups) {
    const std::pair<int, const char*> cases[] = {
        {1, "Master|A Speed Group|Sheet3|Sheet4|Sheet5"},
        {3, "Master|A Speed Group|B Speed Group|C Speed Group|Sheet5"},
        {4, "Master|A Speed Group|B Speed Group|C Speed Group|D Speed Group"},
    };
    test::TempDir dir;
    for (const auto& [groups, sheets] : cases) {
        RouteScheduleInput input = twoGroupDay();
        input.noOfSpeedGroups = groups;
        const auto d = saveAndDump(buildRouteScheduleWorkbook(input, pinnedClock()), dir, "groups.xlsx");
        ASSERT_EQ(d.error, "");
        EXPECT_EQ(d["sheets"], sheets) << groups;
        if (groups == 4) {
            EXPECT_EQ(d["D Speed Group!header.R"], "30 km/h (D) Speed Group");
        }
    }
}

TEST(RouteScheduleWorkbookTest, CheckScheduleListsEveryLineWithAnEmptyCheckColumn) {
    test::TempDir dir;
    const auto d =
        saveAndDump(buildCheckRouteScheduleWorkbook(twoGroupDay(), pinnedClock()), dir, "check.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Check Route Schedule|Sheet2|Sheet3|Sheet4|Sheet5");
    const char* s = "Check Route Schedule!";
    auto at = [&](const std::string& key) { return d[s + key]; };
    EXPECT_EQ(at("C1"), "s:Check");
    EXPECT_EQ(at("B3"), "n:12.5");
    EXPECT_FALSE(d.has(std::string(s) + "C3"));
    EXPECT_EQ(at("D3"), "n:60.0");
    EXPECT_EQ(at("H3"), "s:Left at the church");
    EXPECT_EQ(at("I3"), "s:v");
    EXPECT_EQ(at("B3.format"), "0.00");
    EXPECT_EQ(at("G3.align"), "center,top,1");
    EXPECT_EQ(at("H3.align"), "general,top,1");
    EXPECT_EQ(at("I3.align"), "center,top,1");
    EXPECT_EQ(std::stod(at("col.H")), test::storedColumnWidth(70));
    EXPECT_EQ(at("page.orientation"), "landscape");
    EXPECT_EQ(at("page.centerH"), "0");
    EXPECT_EQ(at("header.R"), "Check");
    EXPECT_EQ(at("footer.C"), "Page &P of &N");
}

TEST(RouteScheduleWorkbookTest, VirtualMarshalScheduleNumbersTheVirtualControls) {
    test::TempDir dir;
    const auto d =
        saveAndDump(buildVirtualMarshalWorkbook(twoGroupDay(), pinnedClock()), dir, "marshal.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Virual Marshal Schedule");
    const std::string s = "Virual Marshal Schedule!";
    const std::pair<const char*, const char*> values[] = {
        {"A1", "s:No"},
        {"E1", "s:Instruction"},
        {"A2", "n:1.0"},
        {"B2", "s:-33.12340"},
        {"C2", "s:20.50000"},
        {"D2", "s:12.50"},
        {"E2", "s:Left at the church"},
        {"A3", "n:2.0"},
        {"D3", "s:31.05"},
    };
    for (const auto& [cell, value] : values)
        EXPECT_EQ(d[s + cell], value) << cell;
    EXPECT_FALSE(d.has(s + "A4"));
    EXPECT_EQ(d[s + "A1.font"], "Calibri,0,10.0");
    EXPECT_EQ(d[s + "D2.align"], "center,top,1");
    EXPECT_EQ(d[s + "E2.align"], "general,top,1");
    EXPECT_EQ(d[s + "header.R"], "Virtual Marshals");
    EXPECT_EQ(d[s + "page.orientation"], "portrait");
    EXPECT_EQ(d[s + "page.paper"], "9");

    RouteScheduleInput noControls = twoGroupDay();
    for (auto& line : noControls.lines)
        line.type = "o";
    const auto empty = saveAndDump(buildVirtualMarshalWorkbook(noControls, pinnedClock()), dir, "none.xlsx");
    ASSERT_EQ(empty.error, "");
    EXPECT_EQ(empty[s + "A1"], "s:No");
    EXPECT_FALSE(empty.has(s + "A2"));
}

TEST(RouteScheduleWorkbookTest, SavingNamesTheFilesAndReportsFailures) {
    test::ReportState rally;
    const RouteScheduleInput input = twoGroupDay();
    ASSERT_TRUE(writeRouteScheduleWorkbook(rally.state, input).ok());
    ASSERT_TRUE(writeCheckRouteScheduleWorkbook(rally.state, input).ok());
    ASSERT_TRUE(writeVirtualMarshalWorkbook(rally.state, input).ok());
    const auto& paths = rally.state.paths;
    EXPECT_TRUE(std::filesystem::exists(
        paths.file("Spring", RallyFolder::RouteSchedule, "PrintRouteSchedule2.xlsx")));
    EXPECT_TRUE(std::filesystem::exists(
        paths.file("Spring", RallyFolder::RouteSchedule, "CheckRouteSchedule2.xlsx")));
    EXPECT_TRUE(
        std::filesystem::exists(paths.file("Spring", RallyFolder::Marshals, "VirtualMarshalSchedule2.xlsx")));

    std::filesystem::remove_all(rally.state.rallyFolder(RallyFolder::RouteSchedule));
    const Status route = writeRouteScheduleWorkbook(rally.state, input);
    ASSERT_FALSE(route.ok());
    // The usual cause, then the real one: here the folder is gone.
    EXPECT_EQ(route.message().rfind("Cannot save, file is open\nCannot save the workbook " +
                                        routeScheduleFile(rally.state, 2).string(),
                                    0),
              0u)
        << route.message();
    const Status check = writeCheckRouteScheduleWorkbook(rally.state, input);
    ASSERT_FALSE(check.ok());
    EXPECT_NE(check.message().find(checkRouteScheduleFile(rally.state, 2).string()), std::string::npos);
}

} // namespace
} // namespace trakmora
