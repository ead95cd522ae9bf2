#include "results/ControlScrap.h"
#include "results/GroupScoring.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"
#include "tracking/ScoreDay.h"
#include "tracking/TrackingFiles.h"

#include <gtest/gtest.h>

#include <map>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::ResultsRally;

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";

// Four competitors of day 1 scored from their downloads (which then wait in CompetitorsLog/Bak)
// against the eight controls of the tracking case.
struct ScoredDay {
    ScoredDay() {
        r.writeEntries({{1, "Ann", "A"}, {2, "Bob", "A"}, {3, "Cy", "A"}, {4, "Di", "A"}});
        for (const char* name : {"h1001.csv", "c1002.csv", "e1003.csv", "x1004.csv"})
            r.copyIn(kCase / "CompetitorsLog" / name, RallyFolder::CompetitorsLog);
        r.copyIn(kCase / "Marshals/cp1.csv", RallyFolder::Marshals);
        const DaySummary summary = scoreDay(r.state, 1);
        EXPECT_EQ(summary.competitorsScored, 4) << daySummaryText(summary);
        for (int n = 1; n <= 4; ++n)
            original[n] = readFile(resultFile(r.state, 1, n));
    }
    void expectOriginal(const std::string& when) const {
        for (const auto& [n, text] : original)
            EXPECT_EQ(readFile(resultFile(r.state, 1, n)), text) << n << when;
    }
    std::vector<int> scrapped() const {
        std::vector<int> controls;
        EXPECT_TRUE(scrappedControlsOfDay(r.state, 1, controls));
        return controls;
    }
    ResultsRally r{1};
    std::map<int, std::string> original;
};

TEST(ScrapControl, CountsTheScoresItWouldSetToZero) {
    ResultsRally r;
    r.writeScores(1, 2, {10, -20, 30});
    r.writeScores(1, 5, {1, 0, 3});
    r.writeScores(1, 7, {5});       // too short to hold controls 2 and 3
    r.writeScores(1, 9, {0, 0, 0}); // nothing to lose
    r.writeScores(2, 2, {4, 4, 4}); // another day
    const std::pair<int, int> expected[] = {{1, 3}, {2, 1}, {3, 2}, {4, 0}, {0, 0}};
    for (const auto& [control, count] : expected) {
        int found = -1;
        ASSERT_TRUE(scoresToScrap(r.state, 1, control, found));
        EXPECT_EQ(found, count) << "control " << control;
    }
    EXPECT_EQ(scrapQuestion(1, 3, 2),
              "Scrap control 3 of day 1 for every competitor? It sets 2 scores to 0.");
    EXPECT_EQ(scrapQuestion(2, 1, 1), "Scrap control 1 of day 2 for every competitor? It sets 1 score to 0.");

    // The screen's question carries the count; counting writes nothing.
    r.writeEntries({{2, "Ann", "A"}});
    GroupScoring scoring(r.state);
    bool yes = true;
    int scores = -1;
    EXPECT_EQ(scoring.askToScrap(1, yes, scores).message(), "Select a rally day before scrapping a control");
    EXPECT_FALSE(yes);
    ASSERT_TRUE(scoring.enterDay(1));
    r.messages.setAnswer(false);
    ASSERT_TRUE(scoring.askToScrap(3, yes, scores));
    EXPECT_FALSE(yes);
    EXPECT_EQ(scores, 2);
    EXPECT_EQ(r.messages.questions.back(),
              "Scrap a control: Scrap control 3 of day 1 for every competitor? It sets 2 scores to 0.");
    EXPECT_EQ(readFile(resultFile(r.state, 1, 2)), "10\r\n-20\r\n30\r\n");
}

TEST(RestoreControl, ScrapThenRestoreGivesBackTheRFilesByteForByte) {
    ScoredDay d;
    GroupScoring scoring(d.r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    const double total1 = scoring.dayScore().lines.at(0).total;
    const std::string dayScore = readFile(dayScoreFile(d.r.state, 1));
    ASSERT_TRUE(scoring.scrapControl(3));
    ASSERT_TRUE(scoring.scrapControl(5));
    ASSERT_TRUE(scoring.enterDay(1));
    EXPECT_EQ(scoring.dayScore().lines.at(0).total, total1 - 7 - 250);
    EXPECT_EQ(d.scrapped(), (std::vector<int>{3, 5}));
    EXPECT_EQ(readFile(resultFile(d.r.state, 1, 1)), "-12\r\n0\r\n0\r\n45\r\n0\r\n592\r\n600\r\n-3\r\n");

    // Control 3 comes back for everyone; control 5 stays scrapped through the scoring.
    DaySummary summary;
    int lastDone = -1, lastTotal = 0;
    const auto progress = [&](int done, int total, const std::string&) {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        lastTotal = total;
    };
    std::vector<int> sheets;
    const auto afterScoring = [&](const ScoringRun& run) {
        sheets.push_back(run.competitorNo);
        return Status{};
    };
    ASSERT_TRUE(scoring.restoreControl(3, summary, progress, afterScoring));
    EXPECT_EQ(summary.competitorsScored, 4);
    EXPECT_TRUE(summary.messages.empty()) << daySummaryText(summary);
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(sheets, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(readFile(resultFile(d.r.state, 1, 1)), "-12\r\n0\r\n7\r\n45\r\n0\r\n592\r\n600\r\n-3\r\n");
    EXPECT_EQ(d.scrapped(), std::vector<int>{5});
    // The day is built again at once, and the combined results of before are forgotten.
    EXPECT_EQ(scoring.dayScore().lines.at(0).total, total1 - 250);
    EXPECT_EQ(d.r.state.entries.entries.at(0).dayResult[1], total1 - 250);
    EXPECT_TRUE(scoring.combinedOutdated());

    ASSERT_TRUE(scoring.restoreControl(5, summary));
    d.expectOriginal(" after both restores");
    EXPECT_TRUE(d.scrapped().empty());
    EXPECT_EQ(scoring.dayScore().lines.at(0).total, total1);
    EXPECT_EQ(readFile(dayScoreFile(d.r.state, 1)), dayScore);
}

TEST(RestoreControl, AControlThatIsNotScrappedIsRefusedWithNothingChanged) {
    ScoredDay d;
    GroupScoring scoring(d.r.state);
    DaySummary summary;
    EXPECT_EQ(scoring.restoreControl(2, summary).message(), "Select a rally day before restoring a control");
    ASSERT_TRUE(scoring.enterDay(1));
    ASSERT_TRUE(scoring.scrapControl(2));
    const std::string scrappedList = readFile(scrappedControlsFile(d.r.state, 1));
    const std::string r3 = readFile(resultFile(d.r.state, 1, 3));
    for (int control : {1, 3, 8, 9, 0}) {
        EXPECT_EQ(scoring.restoreControl(control, summary).message(),
                  "Control " + std::to_string(control) +
                      " of day 1 is not scrapped: there is nothing to restore");
        EXPECT_EQ(readFile(scrappedControlsFile(d.r.state, 1)), scrappedList);
        EXPECT_EQ(readFile(resultFile(d.r.state, 1, 3)), r3);
        // No download was put back to wait for the next "Score all".
        EXPECT_TRUE(listCompetitorFiles(d.r.state, 1).downloads.empty());
    }
    // Without the control file no control of the day can be known as scrapped.
    fs::remove(d.r.file(RallyFolder::Marshals, "cp1.csv"));
    EXPECT_TRUE(d.scrapped().empty());
    EXPECT_FALSE(scoring.restoreControl(2, summary));
}

TEST(RestoreControl, AnRFileWithoutAKeptDownloadIsNamed) {
    ScoredDay d;
    d.r.writeScores(1, 9, {1, 2, 3, 4, 5, 6, 7, 8}); // typed in by hand, no download
    GroupScoring scoring(d.r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    ASSERT_TRUE(scoring.scrapControl(4));
    DaySummary summary;
    ASSERT_TRUE(scoring.restoreControl(4, summary));
    EXPECT_EQ(summary.messages,
              std::vector<std::string>{"R1009.csv: not scored again (no download of competitor 9 "
                                       "in CompetitorsLog\\Bak); its score for control 4 stays 0"});
    EXPECT_EQ(readFile(resultFile(d.r.state, 1, 9)), "1\r\n2\r\n3\r\n0\r\n5\r\n6\r\n7\r\n8\r\n");
    d.expectOriginal(" after the restore");
}

TEST(GroupScoringCells, TheTooltipNamesTheCrewAndItsTotal) {
    ResultsRally r(2);
    r.writeEntries({{2, "Ann", "A", {12, 30, 0, 0, 0}}, {5, "Bob", "B", {7, 1.5, 0, 0, 0}}});
    r.writeScores(1, 2, {10, -2});
    r.writeScores(1, 9, {4});
    r.writeScores(2, 2, {30});
    r.writeScores(2, 5, {1.5});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    ASSERT_TRUE(scoring.toggleNonFinisher(5));
    struct Case {
        int day; // 3 is the Final position of this two-day rally
        int compNo;
        std::string text;
    };
    const Case cases[] = {
        {1, 2, "No. 2: Ann\nDay 1 total 12"},     {1, 5, "No. 5: Bob\nDay 1: no result\nNon-finisher"},
        {1, 9, "No. 9: no entry\nDay 1 total 4"}, {1, 11, "No. 11: no entry\nDay 1: no result"},
        {2, 5, "No. 5: Bob\nDay 2 total 1.5"},    {3, 2, "No. 2: Ann\nFinal total 42"},
        {3, 5, "No. 5: Bob\nFinal total 8.5"},    {3, 9, "No. 9: no entry"},
    };
    for (const Case& c : cases) {
        if (scoring.selectedDay() != c.day) {
            if (c.day == 3) { // Final needs both days built
                ASSERT_TRUE(scoring.enterDay(2));
            }
            ASSERT_TRUE(scoring.enterDay(c.day));
        }
        EXPECT_EQ(scoring.cellDescription(c.compNo), c.text) << c.day << "/" << c.compNo;
    }
}

} // namespace
} // namespace trakmora
