#include "reports/ProvisionalSheet.h"
#include "reports/ReportFixtures.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

using test::pinnedClock;
using test::saveAndDump;

ProvisionalLine line(double control, double idealSeconds, double passageSeconds, double score, double km) {
    const double start = 8 * 3600 + 7 * 60; // day start 08:00 plus competitor 7's minute
    ProvisionalLine l;
    l.controlNo = control;
    l.idealClockTime = idealSeconds / 86400;
    l.passageClockTime = passageSeconds / 86400;
    l.scheduledRallyTime = (idealSeconds - start) / 86400;
    l.actualRallyTime = passageSeconds == 0 ? 0 : (passageSeconds - start) / 86400;
    l.score = score;
    l.distance = km;
    return l;
}

TEST(ProvisionalSheetTest, ShowsTheCompetitorsControlsAndDayScore) {
    ProvisionalSheet input;
    input.day = 2;
    input.competitorNo = 7;
    input.dayTotal = 612;
    input.rallyName = "Spring & Summer Run";
    input.lines.push_back(line(1, 36420, 36432, -12, 12.5));
    input.lines.push_back(line(2, 40020, 40020, 0, 30.25));
    input.lines.push_back(line(3, 43620, 0, 600, 100)); // outside the window
    for (int c = 4; c <= 12; ++c)
        input.lines.push_back(line(c, 43620 + c * 60, 43620 + c * 60, 0, c));

    test::TempDir dir;
    const auto d = saveAndDump(buildProvisionalSheet(input, pinnedClock()), dir, "DayScore2_7.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Sheet1");
    EXPECT_EQ(d["created"], "2015-06-26T10:15:30");

    const std::pair<const char*, const char*> values[] = {
        {"A1", "s:Competitor No 7"},
        {"H1", "s:Day Score:  612"},
        {"H3", "s:Print Time: 10:15:30"},
        {"A5", "s:These are your PROVISIONAL results"},
        {"B9", "s:Control"},
        {"D9", "s:       Real Time"},
        {"F9", "s:       Rally Time"},
        {"B10", "s:No"},
        {"C10", "s:Dist"},
        {"H10", "s:Score"},
        {"B11", "n:1.0"},
        {"C11", "s:12.50"},
        {"D11", "n:0.4215277777777778"},
        {"E11", "n:0.4216666666666667"},
        {"F11", "n:0.08333333333333333"},
        {"H11", "n:-12.0"},
        {"C12", "s:30.25"},
        {"H12", "n:0.0"},
        {"E13", "n:0.0"},
        {"G13", "n:0.0"},
        {"H13", "n:600.0"},
        {"C13", "s:100.00"},
        {"B22", "n:12.0"},
    };
    for (const auto& [cell, value] : values)
        EXPECT_EQ(d[std::string("Sheet1!") + cell], value) << cell;
    for (const char* empty : {"C9", "B23", "H23", "B110", "I11"})
        EXPECT_FALSE(d.has(std::string("Sheet1!") + empty)) << empty;

    // Times of the scored rows read as clock times; the rows after them carry no time format.
    for (const char* timed : {"D11", "G11", "E13", "G22"})
        EXPECT_EQ(d[std::string("Sheet1!") + timed + ".format"], "hh:mm:ss") << timed;
    for (const char* plain : {"C11", "H11", "D23"})
        EXPECT_EQ(d[std::string("Sheet1!") + plain + ".format"], "General") << plain;

    EXPECT_EQ(d["Sheet1!A1.font"], "calibri,1,11.0");
    EXPECT_EQ(d["Sheet1!H1.font"], "calibri,1,11.0");
    EXPECT_EQ(d["Sheet1!A1.align"], "left,bottom,0");
    EXPECT_EQ(d["Sheet1!H3.align"], "left,bottom,0");
    EXPECT_EQ(d["Sheet1!B11.font"], "calibri,0,11.0");
    EXPECT_EQ(d["Sheet1!B11.align"], "center,bottom,0");
    EXPECT_EQ(d["Sheet1!B9.align"], "center,bottom,0");
    EXPECT_EQ(std::stod(d["Sheet1!col.A"]), test::storedColumnWidth(10));
    EXPECT_EQ(std::stod(d["Sheet1!col.B"]), test::storedColumnWidth(5));
    EXPECT_EQ(std::stod(d["Sheet1!col.H"]), test::storedColumnWidth(7));

    EXPECT_EQ(d["Sheet1!header.L"], "Day 2");
    EXPECT_EQ(d["Sheet1!header.C"], "Spring && Summer Run");
    EXPECT_EQ(d["Sheet1!header.R"], "26 Jun 2015");
    EXPECT_FALSE(d.has("Sheet1!footer.C"));
    EXPECT_EQ(d["Sheet1!page.gridlines"], "0");
    EXPECT_EQ(d["Sheet1!page.paper"], "9");
    EXPECT_EQ(d["Sheet1!page.fitToPage"], "1");
    EXPECT_EQ(d["Sheet1!page.fitTall"], "20");
}

TEST(ProvisionalSheetTest, ADayTotalOfZeroShowsNoDigits) {
    ProvisionalSheet input;
    input.competitorNo = 123;
    test::TempDir dir;
    const auto d = saveAndDump(buildProvisionalSheet(input, pinnedClock()), dir, "zero.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["Sheet1!H1"], "s:Day Score:  ");
    EXPECT_EQ(d["Sheet1!A1"], "s:Competitor No 123");
    EXPECT_FALSE(d.has("Sheet1!B11"));
    EXPECT_EQ(d["Sheet1!D11.format"], "General");
}

TEST(ProvisionalSheetTest, IsSavedUnderTheCompetitorsNameWithTheStatesClock) {
    test::ReportState rally;
    ProvisionalSheet input;
    input.day = 1;
    input.competitorNo = 7;
    input.lines.push_back(line(1, 36420, 36420, 0, 1));
    const auto file = provisionalSheetFile(rally.state, 1, 7);
    EXPECT_EQ(file, rally.state.paths.file("Spring", RallyFolder::Results, "DayScore1_7.xlsx"));

    rally.state.writeWorkbooks = false;
    ASSERT_TRUE(writeProvisionalSheet(rally.state, input).ok());
    EXPECT_FALSE(std::filesystem::exists(file));

    rally.state.writeWorkbooks = true;
    ASSERT_TRUE(writeProvisionalSheet(rally.state, input).ok());
    const auto d = test::dumpWorkbook(file);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["Sheet1!H3"], "s:Print Time: 10:15:30");
    EXPECT_EQ(d["Sheet1!header.R"], "26 Jun 2015");

    std::filesystem::remove_all(rally.state.rallyFolder(RallyFolder::Results));
    const Status failed = writeProvisionalSheet(rally.state, input);
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.message().find(file.string()), std::string::npos) << failed.message();
}

} // namespace
} // namespace trakmora
