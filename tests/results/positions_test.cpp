#include "results/CombinedDayResults.h"
#include "results/GroupScoring.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::ResultsRally;

std::vector<std::string> ranked(const DayPositionTable& table) { // "position number total"
    std::vector<std::string> out;
    for (const auto& r : table.rows)
        out.push_back(r.position + " " + r.compNo + " " + r.total);
    return out;
}

// Group A: 20, 15.4, 15.6 order as 15, 16, 20. Group B: 15.2 and 14.8 both round to 15 and keep
// number order. Group C: 14.5 rounds to 14 (half to even) and ties with 14. Group D: 6 is a
// non-starter (its R file went after the day score file was built), 8 a non-finisher; neither uses
// a position. Competitor 30 has score group "a" and is in no group.
TEST(DayPositions, RankByRoundedTotalsAndMarkNonFinishersAndNonStarters) {
    ResultsRally r(2);
    r.copyInput("results_daypositions");
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.selectDay());
    ASSERT_TRUE(scoring.toggleNonFinisher(8));
    fs::remove(resultFile(r.state, 1, 6));
    ASSERT_TRUE(scoring.toggleNonFinisher(200)); // two clicks on an unused cell rebuild the matrix
    ASSERT_TRUE(scoring.toggleNonFinisher(200));
    bool proceeded = false;
    ASSERT_TRUE(scoring.printCombinedDayResults(proceeded));
    ASSERT_TRUE(proceeded);
    ASSERT_TRUE(scoring.printDayPositions());

    const auto& t = scoring.dayPositions();
    using V = std::vector<std::string>;
    EXPECT_EQ(ranked(t[0]), (V{"1 5 15.4", "2 9 15.6", "3 3 20"}));
    EXPECT_EQ(ranked(t[1]), (V{"1 12 15.2", "2 14 14.8"}));
    EXPECT_EQ(ranked(t[2]), (V{"1 20 14.5", "2 21 14"}));
    EXPECT_EQ(ranked(t[3]), (V{"NS 6 1", "1 4 5", "NF 8 10", "2 2 30"}));
    EXPECT_EQ(t[0].rows[0].name, "Bob Ray");
    for (int g = 1; g <= 4; ++g) {
        const std::string name = "DayPosition_1_SG" + std::string(1, static_cast<char>('A' + g - 1)) + ".csv";
        test::expectSameFile(test::testData("results_daypositions/expected/" + name),
                             dayPositionFile(r.state, 1, g));
    }
}

// Day 2 has competitors in group A only: the tables and files of groups B..D hold nothing of day 1.
TEST(DayPositions, GroupsWithoutCompetitorsAreEmptiedNotLeftFromAnEarlierRun) {
    ResultsRally r(2);
    r.copyInput("results_daypositions");
    r.writeScores(2, 3, {7});
    GroupScoring scoring(r.state);
    bool proceeded = false;
    ASSERT_TRUE(scoring.enterDay(1));
    EXPECT_EQ(scoring.printDayPositions().message(), "Print the combined day results of day 1 first");
    ASSERT_TRUE(scoring.printCombinedDayResults(proceeded));
    ASSERT_TRUE(scoring.printDayPositions());
    ASSERT_EQ(scoring.dayPositions()[3].rows.size(), 4u);
    test::writeText(dayPositionFile(r.state, 2, 4), "\"stale\",\"1\",\"1\"\r\n");
    ASSERT_TRUE(scoring.enterDay(2));
    // Day 1's rows are never ranked as day 2's.
    EXPECT_EQ(scoring.printDayPositions().message(), "Print the combined day results of day 2 first");
    EXPECT_TRUE(fs::exists(dayPositionFile(r.state, 2, 4)));
    ASSERT_TRUE(scoring.printCombinedDayResults(proceeded));
    ASSERT_TRUE(scoring.printDayPositions());
    EXPECT_EQ(ranked(scoring.dayPositions()[0]), std::vector<std::string>{"1 3 7"});
    for (int g = 2; g <= 4; ++g) {
        EXPECT_TRUE(scoring.dayPositions()[static_cast<std::size_t>(g - 1)].rows.empty()) << g;
        EXPECT_FALSE(fs::exists(dayPositionFile(r.state, 2, g))) << g;
    }
}

TEST(CombinedDayResults, LoadsByNumberAsksFirstAndKeepsTheTableOnFailure) {
    ResultsRally r;
    test::writeText(dayScoreFile(r.state, 1), "\"C\",3,\"A\",6,1,2,3\r\n"
                                              "\"K\",11,\"B\",15.5,5,5,5.5\r\n"
                                              "\"G\",7,\"A\",0,0,0\r\n");
    CombinedDayTable table;
    ASSERT_TRUE(loadCombinedDayResults(r.state, 1, 3, table));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].compNo, "3");
    EXPECT_EQ(table.rows[1].compNo, "7");
    EXPECT_EQ(table.rows[2].compNo, "11");
    EXPECT_EQ(table.rows[2].total, "15.5");
    EXPECT_EQ(table.rows[2].scores, (std::vector<std::string>{"5", "5", "5.5"}));
    EXPECT_EQ(table.rows[1].scores, (std::vector<std::string>{"0", "0"}));

    struct Case {
        std::string content;
        std::string message;
    };
    const std::string file = dayScoreFile(r.state, 1).string();
    const Case bad[] = {
        {"\"C\",3,\"A\"\r\n", file + " line 1: expected 4 values, found 3"},
        {"\"C\",3,\"A\",1\r\n\"D\",4.5,\"A\",1\r\n",
         file + " line 2: value 2 \"4.5\" is not a whole number from -32768 to 32767"},
        {"\"C\",3,\"A\",fifteen\r\n", file + " line 1: value 4 \"fifteen\" is not a number"},
    };
    for (const auto& c : bad) {
        test::writeText(dayScoreFile(r.state, 1), c.content);
        EXPECT_EQ(loadCombinedDayResults(r.state, 1, 3, table).message(), c.message);
        EXPECT_EQ(table.rows.size(), 3u);
    }
    fs::remove(dayScoreFile(r.state, 1));
    EXPECT_EQ(loadCombinedDayResults(r.state, 1, 3, table).message(), "No data to load");
    EXPECT_EQ(table.rows.size(), 3u);

    // Answering No changes nothing.
    r.writeEntries({{3, "C", "A"}});
    r.writeScores(1, 3, {4});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    r.messages.setAnswer(false);
    bool proceeded = true;
    ASSERT_TRUE(scoring.printCombinedDayResults(proceeded));
    EXPECT_FALSE(proceeded);
    EXPECT_TRUE(scoring.combined().rows.empty());
    EXPECT_EQ(r.messages.questions.back(), std::string("Question: ") + kCombinedQuestionText);
}

} // namespace
} // namespace trakmora
