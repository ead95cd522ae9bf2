#include "results/DayScore.h"
#include "results/GroupScoring.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::ResultsRally;

// Day 2 of a rally whose R files hold 45 controls (competitor 3), the three scores 12, -3, 0
// (competitor 7), no value at all (competitor 12, right after competitor 7) and a number that
// has no entry (99). The entry list as the organiser's spreadsheet wrote it is rewritten with the
// day totals in its Day 2 column.
TEST(DayScore, BuildsTheDayScoreFileAndWritesTheTotalsBack) {
    ResultsRally r(3);
    r.copyInput("results_dayscore");
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(2));
    const fs::path expected = test::testData("results_dayscore/expected");
    test::expectSameFile(expected / "DayScore_2.csv", dayScoreFile(r.state, 2));
    test::expectSameFile(expected / "EntryList.csv", r.file(RallyFolder::EntryList, "EntryList.csv"));
    test::expectSameFile(expected / "FinalMatrix2.csv", finalMatrixFile(r.state, 2));
    EXPECT_EQ(r.messages.texts,
              std::vector<std::string>{"Day 2: no entry in the entry list for competition number "
                                       "99; their day score lines carry no name or score group"});
    // The control count is the number of scores in the last R file read (competitor 99).
    EXPECT_EQ(scoring.controlCount(2), 2);
    ASSERT_EQ(scoring.dayScore().lines.size(), 4u);
    EXPECT_EQ(scoring.dayScore().lines[0].scores.size(), 45u);
}

TEST(DayScore, LineTextClampsTheControlScoresToOneToForty) {
    struct Case {
        std::vector<double> scores;
        std::string tail; // what follows the total
    };
    std::vector<double> fortyOne(41, 1.5);
    fortyOne[40] = 99;
    const Case cases[] = {
        {{}, ",0"},
        {{-600}, ",-600"},
        {{0.25, 7}, ",0.25,7"},
        {fortyOne, ",1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5"
                   ",1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5"},
    };
    for (const auto& c : cases) {
        DayScoreLine line{"Ann", 4, "B", 12.5, c.scores};
        EXPECT_EQ(dayScoreLineText(line), "\"Ann\",4,\"B\",12.5" + c.tail + "\r\n");
    }
}

TEST(DayScore, AnUnreadableRFileStopsTheBuildAndLeavesNoStaleDayScoreFile) {
    struct Case {
        std::string content;
        std::string message; // after the file name
    };
    std::string tooMany;
    for (int i = 0; i < 101; ++i)
        tooMany += "1\r\n";
    const Case cases[] = {
        {"12\r\nabc\r\n", " line 2: \"abc\" is not a number"},
        {tooMany, " line 101: more than 100 control scores"},
    };
    for (const auto& c : cases) {
        ResultsRally r;
        r.writeEntries({{5, "Ann", "A"}, {8, "Bob", "A"}});
        r.writeScores(1, 5, {1, 2});
        test::writeText(resultFile(r.state, 1, 8), c.content);
        test::writeText(dayScoreFile(r.state, 1), "\"old\",5,\"A\",3,1,2\r\n");
        const std::string entriesBefore = readFile(r.file(RallyFolder::EntryList, "EntryList.csv"));
        GroupScoring scoring(r.state);
        const Status st = scoring.enterDay(1);
        EXPECT_EQ(st.message(), resultFile(r.state, 1, 8).string() + c.message);
        EXPECT_FALSE(fs::exists(dayScoreFile(r.state, 1)));
        EXPECT_EQ(readFile(r.file(RallyFolder::EntryList, "EntryList.csv")), entriesBefore);
    }
}

TEST(DayScore, ADayWithoutRFilesWritesNoDayScoreFileAndLeavesTheEntryListAlone) {
    ResultsRally r;
    r.writeEntries({{5, "Ann", "A", {1, 1, 0, 0, 0}}});
    const std::string before = readFile(r.file(RallyFolder::EntryList, "EntryList.csv"));
    r.writeControls(1, 6);
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    EXPECT_FALSE(fs::exists(dayScoreFile(r.state, 1)));
    EXPECT_EQ(readFile(r.file(RallyFolder::EntryList, "EntryList.csv")), before);
    EXPECT_EQ(scoring.controlCount(1), 6); // from the control file, as no R file says otherwise
}

} // namespace
} // namespace trakmora
