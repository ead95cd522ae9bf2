// CL file and control file in, Report and R files out: tests/data/tracking_score holds one
// competitor (7, speed group A, day start 08:00) whose controls each show one rule of the passage
// time and the score.
#include "tracking/Scoring.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;

class ScoreGolden : public test::TrackingFixture {};

TEST_F(ScoreGolden, EveryRuleOfThePassageTimeToTheSecond) {
    const fs::path data = fs::path(TRAKMORA_TEST_DATA) / "tracking_score";
    fs::copy_file(data / "CL1007.csv", logFile("CL1007.csv"));
    fs::copy_file(data / "cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    ScoringRun run;
    ASSERT_TRUE(loadCompetitor(state, 1, "CL1007.csv", run));
    EXPECT_EQ(run.speedGroup, 1);
    while (run.next != ScoringStep::Result)
        ASSERT_TRUE(runNextStep(state, run));
    EXPECT_EQ(run.secondReductionCount, 17); // all fixes but 17, which is logged too late for control 8
    // Report lines: control, ideal clock, passage clock, scheduled and actual rally time (fractions
    // of a day), score, distance. Control 7: 42420/86400, 0, (42000-28800)/86400, 0, 600, 7.7.
    EXPECT_EQ(
        test::csvDifference(state.rallyFile(RallyFolder::Working, "Report1_7.csv"), data / "Report1_7.csv"),
        "");
    ASSERT_TRUE(runNextStep(state, run));
    // Ideal time = A_Time + 7 minutes; positive is early.
    //  1  fixes 1-2 100 m apart, the control's foot half-way: T = 36010; 36010 - 36010 = 0
    //  2  foot beyond fix 3 by half the gap: T = 37000 - 20/3 = 36993.33; 36998 - 36993.33 -> 5
    //  3  foot beyond fix 6 by half the gap: T = 38030; 38018 - 38030 = -12
    //  4  control on fix 7: T = 39410.5; 39420 - 39410.5 = 9.5 -> 10 (half to even)
    //  5  control on fix 9: T = 40411.5; 40420 - 40411.5 = 8.5 -> 8 (half to even)
    //  6  foot a gap's length before fix 11: T = 40820; 41420 - 40820 = 600, inside the window
    //  7  foot 1.55 gaps beyond fix 13: T = 43021; 42420 - 43021 = -601, outside: 600
    //  8  foot 1.5 gaps beyond fix 15: T = 44020; 43420 - 44020 = -600, inside the window. Fix 17,
    //     where fix 16 is, is logged at 44030, not before ideal + 600, so it is no candidate
    //  9  no fix near: the two fillers give 600
    // 10  only fix 18, 10 m away, paired with the filler: T = 46005.10; 46000 - 46005.10 -> -5
    EXPECT_EQ(readFile(state.rallyFile(RallyFolder::Results, "R1007.csv")), readFile(data / "R1007.csv"));
    EXPECT_EQ(readFile(data / "R1007.csv"),
              "0\r\n5\r\n-12\r\n10\r\n8\r\n600\r\n600\r\n-600\r\n600\r\n-5\r\n");
    EXPECT_EQ(run.dayTotal, 2440);
}

} // namespace
} // namespace trakmora
