#include "reports/ReportFixtures.h"
#include "reports/ResultWorkbooks.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

using test::pinnedClock;
using test::saveAndDump;

DayScoreRow dayScoreRow(const char* name, const char* no, int scores) {
    DayScoreRow row{name, no, "A", "15.5", {}};
    for (int cp = 1; cp <= scores; ++cp)
        row.controlScores.push_back(std::to_string(cp * 10));
    return row;
}

TEST(DayScoreWorkbookTest, HeaderListsTheControlsOfTheDay) {
    const std::vector<std::string> three = dayScoreHeader(3);
    ASSERT_EQ(three.size(), 44u);
    EXPECT_EQ(three[3], "Total");
    EXPECT_EQ(three[6], "CP3");
    EXPECT_EQ(three[7], "");
    EXPECT_EQ(dayScoreHeader(45)[43], "CP40");
    EXPECT_EQ(dayScoreHeader(0)[4], "");
    EXPECT_EQ(dayScoreHeader(-1)[4], "");
}

TEST(DayScoreWorkbookTest, ThreeControlsAndAHiddenScoreGroupColumn) {
    DayScoreInput input;
    input.day = 1;
    input.rallyName = "Spring Run";
    input.controlCount = 3;
    input.rows = {dayScoreRow("Anna Smith", "3", 3), dayScoreRow("Bob Jones", "11", 5)};
    input.rows[1].scoreGroup = "B";
    input.rows[1].total = "0";
    test::TempDir dir;
    const auto d = saveAndDump(buildDayScoreWorkbook(input, pinnedClock()), dir, "DayScore1.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Day Score");
    const std::pair<const char*, const char*> values[] = {
        {"A1", "s:Name"}, {"B1", "s:No"},         {"C1", "s:ScoreG"}, {"D1", "s:Total"}, {"E1", "s:CP1"},
        {"G1", "s:CP3"},  {"A3", "s:Anna Smith"}, {"B3", "n:3.0"},    {"C3", "s:A"},     {"D3", "n:15.5"},
        {"E3", "n:10.0"}, {"G3", "n:30.0"},       {"C4", "s:B"},      {"D4", "n:0.0"},
    };
    for (const auto& [cell, value] : values)
        EXPECT_EQ(d[std::string("Day Score!") + cell], value) << cell;
    // Scores beyond the day's controls are not placed; nothing beyond the header's texts.
    for (const char* empty : {"H1", "AX1", "H3", "H4", "A5"})
        EXPECT_FALSE(d.has(std::string("Day Score!") + empty)) << empty;

    EXPECT_EQ(d["Day Score!col.C.hidden"], "1");
    EXPECT_FALSE(d.has("Day Score!col.D.hidden"));
    EXPECT_EQ(std::stod(d["Day Score!col.A"]), test::storedColumnWidth(30));
    EXPECT_EQ(std::stod(d["Day Score!col.D"]), test::storedColumnWidth(8));
    EXPECT_EQ(std::stod(d["Day Score!col.AX"]), test::storedColumnWidth(5));
    EXPECT_EQ(d["Day Score!A1.font"], "Calibri,0,10.0");
    EXPECT_EQ(d["Day Score!A1.align"], "left,bottom,0");
    EXPECT_EQ(d["Day Score!AX1.align"], "center,bottom,0");
    EXPECT_EQ(d["Day Score!A3.font"], "Calibri,0,10.0");
    EXPECT_EQ(d["Day Score!A3.align"], "general,top,1");
    EXPECT_EQ(d["Day Score!E3.align"], "center,top,1");
    EXPECT_EQ(d["Day Score!AR252.align"], "center,top,1"); // 250 body rows, 44 columns
    EXPECT_FALSE(d.has("Day Score!A253.font"));
    EXPECT_EQ(d["Day Score!header.L"], "Day 1");
    EXPECT_EQ(d["Day Score!header.C"], "Spring Run");
    EXPECT_EQ(d["Day Score!header.R"], "Day Score");
    EXPECT_EQ(d["Day Score!footer.C"], "Page &P of &N");
    EXPECT_EQ(d["Day Score!page.gridlines"], "1");
    EXPECT_EQ(d["Day Score!page.orientation"], "landscape");
    EXPECT_EQ(d["Day Score!page.centerH"], "0");
}

TEST(DayScoreWorkbookTest, ControlScoresAfterTheThirtySixthPrintUnderTheirHeaders) {
    const std::pair<int, const char*> cases[] = {{38, "AP"}, {40, "AR"}, {45, "AR"}};
    test::TempDir dir;
    for (const auto& [controls, lastColumn] : cases) {
        DayScoreInput input;
        input.controlCount = controls;
        input.rows = {dayScoreRow("Anna Smith", "3", controls)};
        const auto d = saveAndDump(buildDayScoreWorkbook(input, pinnedClock()), dir, "many.xlsx");
        ASSERT_EQ(d.error, "");
        const std::string last = std::string("Day Score!") + lastColumn;
        const int shown = std::min(controls, 40);
        EXPECT_EQ(d[last + "1"], "s:CP" + std::to_string(shown)) << controls;
        EXPECT_EQ(d[last + "3"], "n:" + std::to_string(shown * 10) + ".0") << controls;
        EXPECT_EQ(d["Day Score!AO1"], "s:CP37") << controls;
        EXPECT_EQ(d["Day Score!AO3"], "n:370.0") << controls;
        EXPECT_FALSE(d.has("Day Score!AS3")) << controls;
    }
}

TEST(DayPositionWorkbookTest, OneSheetPerScoreGroupWithPositions) {
    DayPositionInput input;
    input.day = 2;
    input.rallyName = "Spring Run";
    input.scoreGroupName = {"Veterans", "Classics", "Moderns", "Guests"};
    input.groups[0] = {
        {"1", "Dan Brown", "5", "15.4"}, {"NF", "Eve Green", "8", "16"}, {"2", "Fay White", "3", "20"}};
    input.groups[2] = {{"NS", "Gus Black", "12", "0"}};
    test::TempDir dir;
    const auto d = saveAndDump(buildDayPositionWorkbook(input, pinnedClock()), dir, "Position_Day_2.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Score Group A|Score Group B|Score Group C|Score Group D");
    const std::string a = "Score Group A!";
    const std::pair<const char*, const char*> values[] = {
        {"A1", "s:Position"},  {"B1", "s:Name"}, {"C1", "s:Comp No"}, {"D1", "s:Score"}, {"A3", "n:1.0"},
        {"B3", "s:Dan Brown"}, {"C3", "n:5.0"},  {"D3", "n:15.4"},    {"A4", "s:NF"},    {"A5", "n:2.0"},
    };
    for (const auto& [cell, value] : values)
        EXPECT_EQ(d[a + cell], value) << cell;
    EXPECT_EQ(d["Score Group C!A3"], "s:NS");
    EXPECT_EQ(d["Score Group B!A1"], "s:Position");
    EXPECT_FALSE(d.has("Score Group B!A3"));

    EXPECT_EQ(d[a + "A1.align"], "center,bottom,0");
    EXPECT_EQ(d[a + "B1.align"], "left,bottom,0");
    EXPECT_EQ(d[a + "A1.font"], "Calibri,0,10.0");
    EXPECT_EQ(d[a + "A3.align"], "center,top,1");
    EXPECT_EQ(d[a + "B3.align"], "left,top,1");
    EXPECT_EQ(d[a + "D3.align"], "center,top,1");
    EXPECT_EQ(d[a + "B3.font"], "Calibri,0,10.0");
    EXPECT_EQ(std::stod(d[a + "col.B"]), test::storedColumnWidth(40));
    EXPECT_EQ(std::stod(d[a + "col.D"]), test::storedColumnWidth(8));
    EXPECT_EQ(d[a + "header.L"], "Day 2");
    EXPECT_EQ(d[a + "header.C"], "Spring Run - Veterans");
    EXPECT_EQ(d["Score Group C!header.C"], "Spring Run - Moderns");
    EXPECT_EQ(d[a + "header.R"], "Day Position");
    EXPECT_EQ(d[a + "footer.C"], "Page &P of &N");
    EXPECT_EQ(d[a + "page.orientation"], "portrait");
    EXPECT_EQ(d[a + "page.centerH"], "1");
    EXPECT_EQ(d[a + "page.gridlines"], "1");
}

TEST(FinalWorkbookTest, DaysAfterTheLastRallyDayAreHidden) {
    const std::pair<int, const char*> cases[] = {{2, "FGH"}, {3, "GH"}, {4, "H"}, {5, ""}};
    test::TempDir dir;
    for (const auto& [days, hidden] : cases) {
        FinalInput input;
        input.noOfDays = days;
        input.rallyName = "Spring Run";
        input.scoreGroupName = {"Veterans", "Classics", "Moderns", "Guests"};
        input.groups[0] = {{"1", "Dan Brown", "5", {"10", "20.5", "0", "0", "0"}, "30.5"}};
        const auto d = saveAndDump(buildFinalWorkbook(input, pinnedClock()), dir, "FinalScore.xlsx");
        ASSERT_EQ(d.error, "");
        for (const char* column : {"D", "E", "F", "G", "H", "I"}) {
            const bool expectHidden = std::string(hidden).find(column) != std::string::npos;
            EXPECT_EQ(d.has(std::string("Score Group A!col.") + column + ".hidden"), expectHidden)
                << days << " days, column " << column;
        }
        if (days != 3) continue;
        EXPECT_EQ(d["sheets"], "Score Group A|Score Group B|Score Group C|Score Group D");
        const std::string a = "Score Group A!";
        EXPECT_EQ(d[a + "G1"], "s:Day 4");
        EXPECT_EQ(d[a + "I1"], "s:Final");
        EXPECT_EQ(d[a + "E3"], "n:20.5");
        EXPECT_EQ(d[a + "I3"], "n:30.5");
        EXPECT_EQ(std::stod(d[a + "col.G"]), test::storedColumnWidth(8));
        EXPECT_EQ(d[a + "header.L"], "Veterans");
        EXPECT_EQ(d["Score Group D!header.L"], "Guests");
        EXPECT_EQ(d[a + "header.C"], "Spring Run");
        EXPECT_EQ(d[a + "header.R"], "Final Score");
        EXPECT_EQ(d[a + "page.orientation"], "landscape");
        EXPECT_EQ(d[a + "page.centerH"], "1");
        EXPECT_EQ(d[a + "I3.align"], "center,top,1");
        EXPECT_EQ(d[a + "B3.align"], "left,top,1");
    }
}

TEST(ResultWorkbooksTest, AreSavedUnderTheirNamesAndOldOnesGoFirst) {
    test::ReportState rally;
    const auto& paths = rally.state.paths;
    DayScoreInput dayScore;
    dayScore.day = 3;
    DayPositionInput positions;
    positions.day = 3;
    FinalInput final;
    ASSERT_TRUE(writeDayScoreWorkbook(rally.state, dayScore).ok());
    ASSERT_TRUE(writeDayPositionWorkbook(rally.state, positions).ok());
    ASSERT_TRUE(writeFinalWorkbook(rally.state, final).ok());
    EXPECT_EQ(dayScoreWorkbookFile(rally.state, 3),
              paths.file("Spring", RallyFolder::Results, "DayScore3.xlsx"));
    EXPECT_EQ(dayPositionWorkbookFile(rally.state, 3),
              paths.file("Spring", RallyFolder::Results, "Position_Day_3.xlsx"));
    EXPECT_EQ(finalWorkbookFile(rally.state), paths.file("Spring", RallyFolder::Results, "FinalScore.xlsx"));
    for (const auto& file : {dayScoreWorkbookFile(rally.state, 3), dayPositionWorkbookFile(rally.state, 3),
                             finalWorkbookFile(rally.state)})
        EXPECT_TRUE(std::filesystem::exists(file)) << file;

    // A save that fails (here: its temporary file cannot be made) leaves no stale day score or
    // final workbook behind; the day position workbook keeps its old file. Failures name the file.
    for (const auto& file : {dayScoreWorkbookFile(rally.state, 3), dayPositionWorkbookFile(rally.state, 3),
                             finalWorkbookFile(rally.state)})
        std::filesystem::create_directories(file.string() + ".tmp/blocked");
    const Status dayScoreFailed = writeDayScoreWorkbook(rally.state, dayScore);
    const Status positionsFailed = writeDayPositionWorkbook(rally.state, positions);
    const Status finalFailed = writeFinalWorkbook(rally.state, final);
    ASSERT_FALSE(dayScoreFailed.ok());
    ASSERT_FALSE(positionsFailed.ok());
    ASSERT_FALSE(finalFailed.ok());
    EXPECT_NE(finalFailed.message().find(finalWorkbookFile(rally.state).string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dayScoreWorkbookFile(rally.state, 3)));
    EXPECT_TRUE(std::filesystem::exists(dayPositionWorkbookFile(rally.state, 3)));
    EXPECT_FALSE(std::filesystem::exists(finalWorkbookFile(rally.state)));

    rally.state.writeWorkbooks = false;
    EXPECT_TRUE(writeDayPositionWorkbook(rally.state, positions).ok()); // blocked, but not attempted
}

} // namespace
} // namespace trakmora
