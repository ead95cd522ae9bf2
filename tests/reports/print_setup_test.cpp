// The print setup of every report sheet, read back from the saved file: A4 paper, heading rows on
// every page, the day score's name columns on every page across, page numbers starting at 1 on
// each sheet, and a centre header that a long rally name does not push into its neighbours.
#include "reports/ProvisionalSheet.h"
#include "reports/ReportFixtures.h"
#include "reports/ResultWorkbooks.h"
#include "reports/RouteScheduleWorkbooks.h"

#include <gtest/gtest.h>

#include <functional>

namespace trakmora {
namespace {

using test::pinnedClock;
using test::saveAndDump;

const std::string kLongName = "The Grand Vintage and Classic Car Regularity Run of the Cape";
const std::string kEllipsis = "\xE2\x80\xA6";

RouteScheduleInput routeDay() {
    RouteScheduleInput input;
    input.day = 2;
    input.rallyName = kLongName;
    input.startDate = dateSerial(2015, 6, 26);
    input.noOfSpeedGroups = 2;
    input.groupSpeed = {45, 50, 40, 30};
    return input;
}

struct SheetCase {
    const char* file;
    std::function<Workbook()> build;
    const char* sheet;
    const char* titleRows; // "" for none
    const char* titleCols;
    const char* footer; // "" for none
    const char* tail;   // kept after the (shortened) rally name in the centre header
    bool shortened;     // the 60-character name does not fit the centre section
};

TEST(PrintSetupTest, EverySheetPrintsOnNumberedA4PagesWithItsHeadingsAndAFittingHeader) {
    ASSERT_EQ(kLongName.size(), 60u);
    DayPositionInput positions;
    positions.day = 2;
    positions.rallyName = kLongName;
    positions.scoreGroupName = {"Veterans", "Classics", "Moderns", "Guests"};
    FinalInput final;
    final.rallyName = kLongName;
    final.scoreGroupName = positions.scoreGroupName;
    DayScoreInput dayScore;
    dayScore.rallyName = kLongName;
    dayScore.controlCount = 30;
    ProvisionalSheet provisional;
    provisional.day = 2;
    provisional.rallyName = kLongName;

    const auto route = [] { return buildRouteScheduleWorkbook(routeDay(), pinnedClock()); };
    const SheetCase cases[] = {
        {"route.xlsx", route, "Master", "1:1", "", "Page &P of &N", "", false},
        {"route.xlsx", route, "A Speed Group", "1:1", "", "Page &P of &N", " - Day 2", true},
        {"route.xlsx", route, "B Speed Group", "1:1", "", "Page &P of &N", " - Day 2", true},
        {"check.xlsx", [] { return buildCheckRouteScheduleWorkbook(routeDay(), pinnedClock()); },
         "Check Route Schedule", "1:1", "", "Page &P of &N", "", false},
        {"marshal.xlsx", [] { return buildVirtualMarshalWorkbook(routeDay(), pinnedClock()); },
         "Virual Marshal Schedule", "1:1", "", "Page &P of &N", "", true},
        {"dayscore.xlsx", [&] { return buildDayScoreWorkbook(dayScore, pinnedClock()); }, "Day Score", "1:2",
         "A:D", "Page &P of &N", "", false},
        {"position.xlsx", [&] { return buildDayPositionWorkbook(positions, pinnedClock()); }, "Score Group A",
         "1:2", "", "Page &P of &N", " - Veterans", true},
        {"position.xlsx", [&] { return buildDayPositionWorkbook(positions, pinnedClock()); }, "Score Group D",
         "1:2", "", "Page &P of &N", " - Guests", true},
        {"final.xlsx", [&] { return buildFinalWorkbook(final, pinnedClock()); }, "Score Group C", "1:2", "",
         "Page &P of &N", "", false},
        {"provisional.xlsx", [&] { return buildProvisionalSheet(provisional, pinnedClock()); }, "Sheet1", "",
         "", "", "", true},
    };
    test::TempDir dir;
    for (const SheetCase& c : cases) {
        const auto d = saveAndDump(c.build(), dir, c.file);
        ASSERT_EQ(d.error, "") << c.file;
        const std::string s = std::string(c.sheet) + "!";
        auto optional = [&](const std::string& key) { return d.has(s + key) ? d[s + key] : ""; };
        EXPECT_EQ(d[s + "page.paper"], "9") << c.sheet;
        EXPECT_EQ(d[s + "page.firstPage"], "1") << c.sheet;
        EXPECT_EQ(optional("page.titleRows"), c.titleRows) << c.sheet;
        EXPECT_EQ(optional("page.titleCols"), c.titleCols) << c.sheet;
        EXPECT_EQ(optional("footer.C"), c.footer) << c.sheet;

        const std::string centre = d[s + "header.C"];
        const std::string tail = c.tail;
        ASSERT_GE(centre.size(), tail.size()) << c.sheet;
        EXPECT_EQ(centre.substr(centre.size() - tail.size()), tail) << c.sheet;
        const std::string name = centre.substr(0, centre.size() - tail.size());
        if (!c.shortened) {
            EXPECT_EQ(name, kLongName) << c.sheet;
            continue;
        }
        // Cut at a word or letter of the name, marked with the ellipsis, and still telling which
        // rally it is.
        ASSERT_GT(name.size(), 20u + kEllipsis.size()) << c.sheet << ": " << centre;
        EXPECT_LT(name.size(), kLongName.size()) << c.sheet;
        EXPECT_EQ(name.substr(name.size() - kEllipsis.size()), kEllipsis) << c.sheet;
        const std::string kept = name.substr(0, name.size() - kEllipsis.size());
        EXPECT_EQ(kLongName.rfind(kept, 0), 0u) << c.sheet << ": " << centre;
    }
}

TEST(PrintSetupTest, APortraitGroupHeaderLeavesRoomForTheSpeedGroupOnTheRight) {
    // The header that ran into its neighbour on paper: the centre, centred on the line, must end
    // before the right section begins (average characters of the 11-point header font on the
    // printed width of portrait A4 with 0.7-inch margins: about 81).
    test::TempDir dir;
    const auto d = saveAndDump(buildRouteScheduleWorkbook(routeDay(), pinnedClock()), dir, "route.xlsx");
    ASSERT_EQ(d.error, "");
    const std::string right = d["A Speed Group!header.R"];
    const std::string centre = d["A Speed Group!header.C"];
    EXPECT_EQ(right, "45 km/h (A) Speed Group");
    const int centreCharacters = characterCount(centre);
    EXPECT_LE(centreCharacters / 2.0 + static_cast<double>(right.size()), 81 / 2.0) << centre;

    // A short name is left whole.
    RouteScheduleInput shortName = routeDay();
    shortName.rallyName = "Spring Run";
    const auto plain = saveAndDump(buildRouteScheduleWorkbook(shortName, pinnedClock()), dir, "short.xlsx");
    EXPECT_EQ(plain["A Speed Group!header.C"], "Spring Run - Day 2");

    // A name saved by a Windows spreadsheet program (Windows-1252) is cut as text, not as bytes,
    // and its ellipsis survives the conversion to UTF-8.
    RouteScheduleInput windowsName = routeDay();
    windowsName.rallyName = "Rallye d'\xE9t\xE9 des Voitures Anciennes de la C\xF4te d'Azur et du Var";
    const auto latin = saveAndDump(buildRouteScheduleWorkbook(windowsName, pinnedClock()), dir, "latin.xlsx");
    EXPECT_EQ(latin["A Speed Group!header.C"], "Rallye d'\u00e9t\u00e9 des Voitu\u2026 - Day 2");
}

} // namespace
} // namespace trakmora
