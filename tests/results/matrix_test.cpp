#include "results/GroupScoring.h"
#include "results/MatrixFiles.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
using test::readFile;
using test::ResultsRally;

std::string line(const std::string& text, int n) { // 1-based line of a CR LF file
    std::size_t start = 0;
    for (int i = 1; i < n; ++i)
        start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

TEST(DayMatrix, FilesFollowTheRFilesAndTheNonFinisherMarks) {
    ResultsRally r;
    r.writeEntries({{4, "Ann", "A"}, {6, "Bob", "A"}, {9, "Cy", "B"}});
    r.writeScores(1, 4, {1});
    r.writeScores(1, 6, {2});
    r.writeScores(1, 250, {3});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    const std::string display = readFile(matrixDisplayFile(r.state, 1));
    EXPECT_EQ(line(display, 1), "1,0");
    EXPECT_EQ(line(display, 4), "4,10");
    EXPECT_EQ(line(display, 250), "250,10");
    EXPECT_EQ(display.size(), display.rfind("250,10\r\n") + 8) << "exactly 250 lines";

    struct Step {
        int click;
        CellState cell;    // state of the clicked cell afterwards
        const char* marks; // NonFinishers Day1.csv afterwards
        int finalValue;    // its FinalMatrix1.csv line
    };
    const Step steps[] = {
        {6, CellState::NonFinisher, "6\r\n", 1},      // green -> yellow
        {9, CellState::NonFinisher, "6\r\n9\r\n", 1}, // red -> yellow
        {6, CellState::Finisher, "0\r\n9\r\n", 10},   // back to green, a 0 line stays
        {9, CellState::NonStarter, "0\r\n0\r\n", 0},  // back to red
        {6, CellState::NonFinisher, "0\r\n0\r\n6\r\n", 1},
        {251, CellState::NonStarter, "0\r\n0\r\n6\r\n", -1}, // no cell: nothing changes
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(scoring.toggleNonFinisher(s.click)) << s.click;
        EXPECT_EQ(scoring.matrix().state(s.click), s.cell) << s.click;
        EXPECT_EQ(readFile(nonFinishersFile(r.state, 1)), s.marks) << s.click;
        if (s.finalValue >= 0) {
            EXPECT_EQ(line(readFile(finalMatrixFile(r.state, 1)), s.click), std::to_string(s.finalValue))
                << s.click;
        }
    }
    // The display file never shows the marks; the colours hold for a fresh GroupScoring.
    EXPECT_EQ(line(readFile(matrixDisplayFile(r.state, 1)), 6), "6,10");
    GroupScoring fresh(r.state);
    ASSERT_TRUE(fresh.enterDay(1));
    EXPECT_EQ(fresh.matrix().state(6), CellState::NonFinisher);
    EXPECT_EQ(fresh.matrix().state(4), CellState::Finisher);
    EXPECT_EQ(fresh.matrix().state(9), CellState::NonStarter);
    const MatrixCounts counts = fresh.matrix().counts(fresh.shownCells()); // LastEntry D is 60
    EXPECT_EQ(counts.finishers, 2); // 4 and 250 (shown although above 60)
    EXPECT_EQ(counts.nonFinishers, 1);
    EXPECT_EQ(counts.nonStarters, 58); // 1..60 but 4 and 6
}

TEST(DayMatrix, MarksOutsideADayAndBadMarkFilesChangeNothing) {
    ResultsRally r;
    r.writeEntries({{4, "Ann", "A"}});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.toggleNonFinisher(4)); // no day selected yet
    EXPECT_FALSE(std::filesystem::exists(nonFinishersFile(r.state, 1)));

    test::writeText(nonFinishersFile(r.state, 1), "4\r\nfour\r\n");
    DayMatrix matrix;
    matrix.set(4, CellState::Finisher);
    const Status st = rebuildDayMatrix(r.state, 1, matrix);
    EXPECT_EQ(st.message(), nonFinishersFile(r.state, 1).string() +
                                " line 2: \"four\" is not a whole number from -32768 to 32767");
    EXPECT_EQ(matrix.state(4), CellState::Finisher);
}

TEST(SelectDay, StepsThroughTheDaysToFinalAndBack) {
    struct Case {
        int days;
        std::vector<std::string> titles; // after each press
    };
    const Case cases[] = {
        {1, {"1", "1", "1"}},
        {2, {"1", "2", "Final", "1"}},
        {3, {"1", "2", "3", "Final", "1", "2"}},
    };
    for (const auto& c : cases) {
        ResultsRally r(c.days);
        r.writeEntries({{1, "Ann", "A"}});
        GroupScoring scoring(r.state);
        EXPECT_EQ(scoring.selectedDay(), 0);
        for (std::size_t i = 0; i < c.titles.size(); ++i) {
            scoring.selectDay(); // Final may report missing days; the stepping goes on
            EXPECT_EQ(scoring.dayTitle(), c.titles[i]) << c.days << " days, press " << i + 1;
        }
    }
    ResultsRally r(2);
    GroupScoring scoring(r.state);
    EXPECT_EQ(scoring.enterDay(4).message(), "Day 4 is not a day of this 2-day rally");
}

} // namespace
} // namespace trakmora
