#include "results/FinalResults.h"
#include "results/GroupScoring.h"
#include "results/MatrixFiles.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::ResultsRally;

std::string line(const std::string& text, int n) { // 1-based line of a CR LF file
    std::size_t start = 0;
    for (int i = 1; i < n; ++i)
        start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

std::vector<std::string> ranked(const FinalPositionTable& table) { // "position number final"
    std::vector<std::string> out;
    for (const auto& r : table.rows)
        out.push_back(r.position + " " + r.compNo + " " + r.final);
    return out;
}

TEST(FinalSummation, ColoursByTheSumOfTheDays) {
    struct Case {
        int days;
        std::vector<std::vector<int>> finishers, nonFinishers; // per day
        std::vector<std::pair<int, CellState>> expected;
    };
    const Case cases[] = {
        {2,
         {{4, 6}, {4, 6}},
         {{}, {6}},
         {{4, CellState::Finisher}, {6, CellState::NonFinisher}, {9, CellState::NonStarter}}},
        {3,
         {{5, 7}, {7}, {5, 7}},
         {{}, {}, {}},
         {{5, CellState::NonFinisher}, {7, CellState::Finisher}, {1, CellState::NonStarter}}},
        {3, {{}, {}, {}}, {{2}, {2}, {2}}, {{2, CellState::NonFinisher}}},
    };
    for (const auto& c : cases) {
        ResultsRally r(c.days);
        r.writeEntries({{1, "Ann", "A"}});
        GroupScoring scoring(r.state);
        for (int d = 1; d <= c.days; ++d) {
            for (int n : c.finishers[static_cast<std::size_t>(d - 1)])
                r.writeScores(d, n, {1});
            ASSERT_TRUE(scoring.selectDay());
            for (int n : c.nonFinishers[static_cast<std::size_t>(d - 1)])
                ASSERT_TRUE(scoring.toggleNonFinisher(n));
        }
        ASSERT_TRUE(scoring.selectDay());
        ASSERT_TRUE(scoring.finalMode());
        for (const auto& [n, state] : c.expected)
            EXPECT_EQ(scoring.matrix().state(n), state) << c.days << " days, number " << n;
        ASSERT_TRUE(scoring.enterDay(c.days + 1)); // the trace starts afresh with every summation
        const std::string trace = readFile(finalTraceFile(r.state));
        EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), c.days * 250);
        const auto& day2 = c.finishers[1];
        EXPECT_EQ(line(trace, 250 + 7),
                  std::count(day2.begin(), day2.end(), 7) ? "10" : "0"); // day 2, number 7
        EXPECT_EQ(fs::exists(sumFinalMatrixFile(r.state)), c.days == 2);
        if (c.days == 2) {
            const std::string sums = readFile(sumFinalMatrixFile(r.state));
            EXPECT_EQ(line(sums, 4), "20");
            EXPECT_EQ(line(sums, 6), "11");
            EXPECT_EQ(line(sums, 9), "0");
        }
    }
}

TEST(FinalSummation, AMissingDayIsNamedAndNothingIsColouredFromStaleData) {
    ResultsRally r(3);
    r.writeEntries({{4, "Ann", "A", {1, 1, 1, 0, 0}}});
    r.writeScores(1, 4, {1});
    r.writeScores(3, 4, {1});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    ASSERT_TRUE(scoring.enterDay(3));
    const Status st = scoring.enterDay(4);
    EXPECT_EQ(st.message(), "Select day 2 first: " + finalMatrixFile(r.state, 2).string() + " is missing");
    EXPECT_TRUE(scoring.finalMode());
    EXPECT_EQ(scoring.matrix().state(4), CellState::NonStarter);
    EXPECT_EQ(scoring.finalResults().message(), st.message());
    EXPECT_FALSE(fs::exists(finalScoreFile(r.state, 1)));
    // Once every day has been selected the Final position works.
    ASSERT_TRUE(scoring.enterDay(2));
    ASSERT_TRUE(scoring.enterDay(4));
    EXPECT_EQ(scoring.matrix().state(4), CellState::NonFinisher); // no R file on day 2
    EXPECT_TRUE(scoring.finalResults());
}

// Entries in groups A and C only; finals 40.5 and 40.25 order exactly; an entry that never
// started ranks first as "NS"; competitor 8 did not finish day 2; Day 5 counts although the rally
// has two days.
TEST(FinalResults, RankEveryGroupWithEntriesByTheExactFinal) {
    ResultsRally r(2);
    r.copyInput("results_final");
    test::writeText(finalScoreFile(r.state, 2), "\"stale\",5,1,1,0,0,0,2\r\n");
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.selectDay());
    EXPECT_EQ(scoring.finalResults().message(), "Select Day until the Final position is shown");
    ASSERT_TRUE(scoring.selectDay());
    ASSERT_TRUE(scoring.toggleNonFinisher(8));
    ASSERT_TRUE(scoring.selectDay());
    ASSERT_TRUE(scoring.finalResults());
    const auto& t = scoring.finalPositions();
    using V = std::vector<std::string>;
    EXPECT_EQ(ranked(t[0]), (V{"NS 3 0", "1 2 40.25", "2 1 40.5"}));
    EXPECT_TRUE(t[1].rows.empty());
    EXPECT_EQ(ranked(t[2]), (V{"NF 8 7", "1 7 15.5"}));
    EXPECT_TRUE(t[3].rows.empty());
    const FinalPositionRow bob{"1", "Bob", "2", {"40", "0.25", "0", "0", "0"}, "40.25"};
    EXPECT_EQ(t[0].rows[1], bob);
    const fs::path expected = test::testData("results_final/expected");
    test::expectSameFile(expected / "FinalScore_SGA.csv", finalScoreFile(r.state, 1));
    test::expectSameFile(expected / "FinalScore_SGC.csv", finalScoreFile(r.state, 3));
    EXPECT_FALSE(fs::exists(finalScoreFile(r.state, 2)));
    EXPECT_FALSE(fs::exists(finalScoreFile(r.state, 4)));
}

} // namespace
} // namespace trakmora
