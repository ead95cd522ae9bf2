#include "results/GroupScoring.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"
#include "schedule/ControlFile.h"
#include "tracking/TrackingFiles.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
using test::readFile;
using test::ResultsRally;

TEST(ScrapControl, SetsTheControlToZeroInEveryRFileOfTheDay) {
    ResultsRally r;
    r.writeEntries({{2, "Ann", "A"}, {5, "Bob", "A"}, {7, "Cy", "B"}, {9, "Di", "B"}});
    r.writeControls(1, 5);
    r.writeScores(1, 2, {10, -20, 30, 40, 50});
    r.writeScores(1, 5, {1, 2, 3});          // two controls missing: filled with 0
    r.writeScores(1, 7, {1, 2, 3, 4, 5, 6}); // more than the day's count: kept
    r.writeScores(1, 9, {-5, -4, -3, -2, -1});
    r.writeScores(2, 2, {7, 7, 7}); // another day: untouched
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    ASSERT_EQ(scoring.controlCount(1), 5);
    ASSERT_EQ(scoring.dayScore().lines[0].total, 150);

    const std::pair<int, const char*> expected[] = {
        {2, "10\r\n-20\r\n0\r\n40\r\n50\r\n"},
        {5, "1\r\n2\r\n0\r\n0\r\n0\r\n"},
        {7, "1\r\n2\r\n0\r\n4\r\n5\r\n6\r\n"},
        {9, "-5\r\n-4\r\n0\r\n-2\r\n-1\r\n"},
    };
    for (int time = 1; time <= 2; ++time) { // scrapping twice changes nothing further
        ASSERT_TRUE(scoring.scrapControl(3));
        for (const auto& [compNo, text] : expected)
            EXPECT_EQ(readFile(resultFile(r.state, 1, compNo)), text) << compNo << " after scrap " << time;
    }
    EXPECT_EQ(readFile(resultFile(r.state, 2, 2)), "7\r\n7\r\n7\r\n");
    // The totals change when the day is selected again.
    EXPECT_EQ(scoring.dayScore().lines[0].total, 150);
    ASSERT_TRUE(scoring.enterDay(1));
    EXPECT_EQ(scoring.dayScore().lines[0].total, 120);
    EXPECT_EQ(scoring.dayScore().lines[3].total, 12);
    // The day keeps a record of its scrapped controls, each once, for competitors scored later,
    // known by place and times: renumbered, it stays scrapped; moved, it no longer is.
    ASSERT_TRUE(scoring.scrapControl(1));
    EXPECT_EQ(
        readFile(scrappedControlsFile(r.state, 1)),
        "\"No\",\"Lat\",\"Long\",\"Dist\",\"A_Time\",\"B_Time\",\"C_Time\",\"D_Time\"\r\n"
        "3,-33.83,151.2,12.4,30600,30420,30300,30180\r\n1,-33.81,151.2,12.4,30600,30420,30300,30180\r\n");
    EXPECT_FALSE(std::filesystem::exists(scrappedControlsFile(r.state, 2)));
    std::vector<ControlRecord> controls;
    ASSERT_TRUE(readControlFile(r.file(RallyFolder::Marshals, "cp1.csv"), controls));
    controls.erase(controls.begin() + 1); // control 2 removed: 3 becomes 2
    for (int i = 0; i < 4; ++i)
        controls[static_cast<std::size_t>(i)].no = i + 1;
    controls[0].lat = -33.9; // control 1 moved
    std::vector<int> scrapped;
    ASSERT_TRUE(readScrappedControls(r.state, 1, controls, scrapped));
    EXPECT_EQ(scrapped, std::vector<int>{2});
}

TEST(ScrapControl, ThePanelStaysWithinTheDaysControls) {
    ResultsRally r;
    r.writeEntries({{2, "Ann", "A"}});
    r.writeScores(1, 2, {1, 2, 3});
    GroupScoring scoring(r.state);
    EXPECT_EQ(scoring.scrapControl(1).message(), "Select a rally day before scrapping a control");
    ASSERT_TRUE(scoring.enterDay(1));
    scoring.openScrapPanel();
    scoring.previousControl();
    EXPECT_EQ(scoring.scrapControlNo(), 1);
    for (int i = 0; i < 5; ++i)
        scoring.nextControl();
    EXPECT_EQ(scoring.scrapControlNo(), 3);
    scoring.previousControl();
    EXPECT_EQ(scoring.scrapControlNo(), 2);
    ASSERT_TRUE(scoring.scrapControl());
    EXPECT_EQ(readFile(resultFile(r.state, 1, 2)), "1\r\n0\r\n3\r\n");
    for (int bad : {0, 4}) {
        EXPECT_EQ(scoring.scrapControl(bad).message(),
                  "Control " + std::to_string(bad) + " cannot be scrapped: day 1 has 3 controls");
    }
    EXPECT_EQ(readFile(resultFile(r.state, 1, 2)), "1\r\n0\r\n3\r\n");
}

TEST(ScrapControl, AnUnreadableRFileStopsBeforeAnyFileIsRewritten) {
    ResultsRally r;
    r.writeEntries({{2, "Ann", "A"}});
    r.writeScores(1, 2, {1, 2, 3});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    test::writeText(resultFile(r.state, 1, 3), "4\r\nx\r\n");
    EXPECT_EQ(scoring.scrapControl(1).message(),
              resultFile(r.state, 1, 3).string() + " line 2: \"x\" is not a number");
    EXPECT_EQ(readFile(resultFile(r.state, 1, 2)), "1\r\n2\r\n3\r\n");
}

} // namespace
} // namespace trakmora
