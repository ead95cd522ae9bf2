#include "support/TempDir.h"
#include "tracking/ClFile.h"
#include "tracking/PassageTime.h"
#include "tracking/Reduction.h"
#include "tracking/Scoring.h"
#include "tracking/TrackingFiles.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::control;
using test::readFile;
using test::TrackingFixture;
using test::writeText;

ShortlistLine candidate(double controlLat, double controlLon, double fixNo, double lat, double lon, double t,
                        double groupTime = 36000) {
    return ShortlistLine{1, controlLat, controlLon, 2.5, groupTime, fixNo, lat, lon, t, 0};
}

TEST(PassageTime, FootOfThePerpendicularPlacedBetweenOrBeyondTheFixes) {
    struct Case {
        double controlLat, controlLon;
        double fixNoA, fixNoB; // of the first and second line of the pair
        double expected;
    };
    // P1 = (33, 18) at 36000, P2 = (33, 18.25) at 36020, whichever line comes first.
    const Case cases[] = {
        {33.125, 18.125, 10, 11, 36010},
        {33.125, 18.125, 11, 10, 36010},
        {33.125, 17.875, 10, 11, 36000 - 20.0 / 3}, // beyond P1
        {33.125, 18.375, 10, 11, 36030},            // beyond P2
        {33.0, 18.25, 10, 11, 36000},               // foot on P2: d2 = 0 gives t1
    };
    for (const Case& c : cases) {
        const bool aIsP1 = c.fixNoA < c.fixNoB;
        const ShortlistLine p1 =
            candidate(c.controlLat, c.controlLon, aIsP1 ? c.fixNoA : c.fixNoB, 33, 18, 36000);
        const ShortlistLine p2 =
            candidate(c.controlLat, c.controlLon, aIsP1 ? c.fixNoB : c.fixNoA, 33, 18.25, 36020);
        const double t = aIsP1 ? passageTime(p1, p2) : passageTime(p2, p1);
        EXPECT_NEAR(t, c.expected, 1e-9) << c.controlLat << "," << c.controlLon;
    }
    // A sloped track: fixes (0,0) at 100 and (1,1) at 200, control at (1,0): foot at (0.5,0.5).
    EXPECT_NEAR(passageTime(candidate(1, 0, 1, 0, 0, 100), candidate(1, 0, 2, 1, 1, 200)), 150, 1e-9);
    // Equal fix numbers: P1 is the second line of the pair.
    EXPECT_EQ(passageTime(candidate(5, 5, 3, 5, 5, 100), candidate(5, 5, 3, 5, 5, 200)), 200);
    // dx and dy both zero: dy wins, F = (Xc, y2); d12 = 0 gives t1.
    EXPECT_EQ(passageTime(candidate(9, 9, 1, 5, 5, 100), candidate(9, 9, 2, 5, 5, 200)), 100);
}

TEST(PassageTime, DeviationRoundsHalfToEvenAndIsCappedOutsideTheWindow) {
    struct Case {
        double passage;
        double score;
        bool inside;
    };
    // Group time 36000, competitor 7: ideal 36420. The control lies on P1, so T = t1.
    const Case cases[] = {
        {36410.5, 10, true}, {36411.5, 8, true},  {36420, 0, true},    {36432.4, -12, true},
        {35820, 600, true},  {37020, -600, true}, {35819, 600, false}, {37021, 600, false},
        {36420.5, 0, true},  {36419.5, 0, true},
    };
    const ScoreSettings settings{7, 28800, 600};
    for (const Case& c : cases) {
        const ReportLine r = scoreControl(candidate(33, 18, 1, 33, 18, c.passage),
                                          candidate(33, 18, 2, 33, 18.001, c.passage + 5), settings);
        EXPECT_EQ(r.score, c.score) << c.passage;
        EXPECT_EQ(r.controlNo, 1);
        EXPECT_EQ(r.idealClock, 36420.0 / 86400);
        EXPECT_EQ(r.scheduledRally, (36000.0 - 28800) / 86400);
        EXPECT_EQ(r.controlDist, 2.5);
        EXPECT_EQ(r.passageClock, c.inside ? c.passage / 86400 : 0) << c.passage;
        EXPECT_EQ(r.actualRally, c.inside ? (c.passage - 28800 - 420) / 86400 : 0) << c.passage;
    }
}

TEST(PassageTime, FillerOnlyScoresTheWindowAndOneRealFixPairsWithTheFiller) {
    const ControlRecord c = control(1, 33, 18, 2.5, 36000);
    const ScoreSettings settings{7, 28800, 600};
    const ReportLine fillers = scoreControl(fillerLine(c, 36000, 5000), fillerLine(c, 36000, 5001), settings);
    EXPECT_EQ(fillers.score, 600);
    EXPECT_EQ(fillers.passageClock, 0);
    // One real fix 10 m from the control, logged at 36425, taken on the line from (1, 1) to it.
    ShortlistLine real = candidate(33, 18, 812, 33.0001, 18, 36425);
    real.distance = 10;
    // The foot lies short of the real fix by 0.0001 x 32.0001 / |(32.0001, 17)| degrees along the line
    // from (1, 1): T = 1 + (1 - 0.0032 / 1313.0064) x 36424 = 36424.9112.
    const double t = passageTime(real, fillerLine(c, 36000, 5000));
    EXPECT_NEAR(t, 36424.9112, 1e-4);
    EXPECT_EQ(scoreControl(real, fillerLine(c, 36000, 5000), settings).score, -5);
}

TEST(Reduction, DistanceAndTimeWindowsAreStrict) {
    const std::vector<ControlRecord> controls = {control(1, 33, 18, 1, 36000), control(2, 34, 19, 2, 37000)};
    // Competitor 7: ideal 36420 at control 1, window 600 s: 35821..37019 can be kept.
    const std::vector<TrackFix> fixes = {
        {1, 33.0015, 18, 36000}, // 150 m
        {2, 33.002, 18, 36000},  // 200 m: equal to the window, not kept
        {3, 33, 18, 35820},      // exactly 600 s early
        {4, 33, 18, 35821},      //
        {5, 33, 18, 37019},      //
        {6, 33, 18, 37020},      // exactly 600 s late
        {7, 33.0005, 18.0005, 36420},
    };
    EXPECT_NEAR(controlDistance(33, 18, 33.0015, 18), 150, 1e-6);
    EXPECT_EQ(reduceByDistance(controls, 1, fixes, 100).size(), 5u);
    const auto first = reduceByDistance(controls, 1, fixes, 200);
    ASSERT_EQ(first.size(), 6u); // every fix but fix 2
    EXPECT_EQ(first[0].fixNo, 1);
    EXPECT_EQ(first[5].fixNo, 7);

    int kept = 0;
    const auto second = reduceByTime(controls, 1, fixes, 7, 200, 600, kept);
    EXPECT_EQ(kept, 4);
    std::vector<double> fixNos;
    for (const auto& l : second)
        fixNos.push_back(l.fixNo);
    // Control 1: fillers, then fixes 1, 4, 5, 7; control 2: fillers only.
    EXPECT_EQ(fixNos, (std::vector<double>{1, 1, 1, 4, 5, 7, 1, 1}));
    EXPECT_EQ(second[0], (ShortlistLine{1, 1, 1, 1, 36000, 1, 1, 1, 1, 5000}));
    EXPECT_EQ(second[1].distance, 5001);
    EXPECT_EQ(second[7], (ShortlistLine{2, 1, 1, 2, 37000, 1, 1, 1, 1, 5001}));
}

// The reductions look up each control's fixes through an index; they must keep exactly what a
// scan over every fix keeps, in file order: fixes out of time order, repeated fixes, fixes on the
// very edge of both windows, and a log with a fix that has no usable position.
TEST(Reduction, IndexedSearchesKeepWhatAScanOverEveryFixKeeps) {
    const auto scanByDistance = [](const std::vector<ControlRecord>& controls,
                                   const std::vector<TrackFix>& fixes, double window) {
        std::vector<ShortlistLine> lines;
        for (const ControlRecord& c : controls)
            for (const TrackFix& f : fixes)
                if (const double d = controlDistance(c.lat, c.lon, f.lat, f.lon); d < window)
                    lines.push_back({double(c.no), c.lat, c.lon, c.dist, c.groupTime[1], f.fixNo, f.lat,
                                     f.lon, f.seconds, d});
        return lines;
    };
    const auto scanByTime = [](const std::vector<ControlRecord>& controls, const std::vector<TrackFix>& fixes,
                               double window, double timeWindow) {
        std::vector<ShortlistLine> lines;
        for (const ControlRecord& c : controls) {
            lines.push_back(fillerLine(c, c.groupTime[1], 5000));
            lines.push_back(fillerLine(c, c.groupTime[1], 5001));
            const double ideal = idealTime(c.groupTime[1], 7);
            for (const TrackFix& f : fixes)
                if (const double d = controlDistance(c.lat, c.lon, f.lat, f.lon);
                    d < window && f.seconds > ideal - timeWindow && f.seconds < ideal + timeWindow)
                    lines.push_back({double(c.no), c.lat, c.lon, c.dist, c.groupTime[1], f.fixNo, f.lat,
                                     f.lon, f.seconds, d});
        }
        return lines;
    };
    std::mt19937 random(11);
    std::uniform_real_distribution<double> offset(-0.004, 0.004), when(-900, 900);
    std::vector<ControlRecord> controls;
    for (int n = 1; n <= 12; ++n)
        controls.push_back(test::control(n, 41.8 + n * 0.003, 12.6 + n * 0.002, n, 30000 + 60.0 * n));
    for (const bool withNan : {false, true}) {
        std::vector<TrackFix> fixes;
        for (int k = 0; k < 4000; ++k) {
            const ControlRecord& c = controls[static_cast<std::size_t>(k) % controls.size()];
            fixes.push_back({double(k + 1), c.lat + offset(random), c.lon + offset(random),
                             idealTime(c.groupTime[1], 7) + when(random)});
        }
        fixes.push_back(fixes[17]); // the same fix twice
        // On the edges of both windows: 200 m north of a control, 600 s early.
        fixes.push_back(
            {9001, controls[3].lat + 0.002, controls[3].lon, idealTime(controls[3].groupTime[1], 7) - 600});
        if (withNan) fixes.push_back({9002, std::nan(""), 12.6, 30100});
        int kept = 0;
        const std::vector<ShortlistLine> first = reduceByDistance(controls, 1, fixes, 200);
        const std::vector<ShortlistLine> second = reduceByTime(controls, 1, fixes, 7, 200, 600, kept);
        EXPECT_TRUE(first == scanByDistance(controls, fixes, 200)) << "with NaN: " << withNan;
        EXPECT_TRUE(second == scanByTime(controls, fixes, 200, 600)) << "with NaN: " << withNan;
        EXPECT_EQ(static_cast<std::size_t>(kept), second.size() - 2 * controls.size());
        EXPECT_GT(kept, 100); // the drawn fixes reach into both windows
    }
}

// The competitor logs this program writes are read straight from their bytes; anything else
// goes through the general reader. Both must give the same fixes.
TEST(CompetitorLog, EveryWayOfWritingTheSameFixesReadsTheSame) {
    test::TempDir dir;
    const std::vector<TrackFix> expected = {{1, 41.5, -12.25, 25508}, {2, -0.5, 151, 1e5}};
    for (const char* text :
         {"1,41.5,-12.25,25508\r\n2,-0.5,151,100000\r\n", "1,41.5,-12.25,25508\n2,-0.5,151,1e5",
          " 1 , 41.5,-12.25,25508\r\n2,-0.5,151,100000\r\n", "+1,41.5,-12.25,25508\r2,-.5,151,100000\r",
          "1,41.5,-12.25,25508,extra\r\n\r\n2,\"-0.5\",151,100000\r\n"}) {
        test::writeText(dir / "CL1007.csv", text);
        std::vector<TrackFix> fixes;
        const Status st = readClFile(dir / "CL1007.csv", fixes);
        ASSERT_TRUE(st) << text << ": " << st.message();
        EXPECT_EQ(fixes, expected) << text;
    }
    for (const char* text : {"1,41.5,-12.25,nan\r\n", "1,41.5,-12.25\r\n", "1,41.5,x,3\r\n"}) {
        test::writeText(dir / "CL1007.csv", text);
        std::vector<TrackFix> fixes = expected;
        const Status st = readClFile(dir / "CL1007.csv", fixes);
        EXPECT_FALSE(st) << text;
        EXPECT_NE(st.message().find("CL1007.csv line 1: "), std::string::npos) << st.message();
        EXPECT_EQ(fixes, expected) << "fixes changed by a refused file";
    }
}

TEST(FinalShortlist, StableSortWithinEachControlThenTwoPerControlInOrder) {
    const auto line = [](double control, double fixNo, double distance) {
        return ShortlistLine{control, 0, 0, 0, 0, fixNo, 0, 0, 0, distance};
    };
    const std::vector<ShortlistLine> lines = {
        line(1, 1, 5000), line(1, 1, 5001), line(1, 20, 40),   line(1, 21, 12),
        line(1, 22, 12),  line(2, 1, 5000), line(2, 1, 5001),  line(4, 1, 5000),
        line(4, 1, 5001), line(4, 90, 30), // no control 3 in the file
        line(3, 1, 5000), line(3, 1, 5001), line(3, 70, 5000),
    };
    const auto chosen = buildFinalShortlist(lines, 4);
    std::vector<std::pair<double, double>> got;
    for (const auto& l : chosen)
        got.emplace_back(l.controlNo, l.fixNo);
    // Control 4's lines come before control 3's, so the search for 4 starts after 3 and finds none.
    EXPECT_EQ(got,
              (std::vector<std::pair<double, double>>{{1, 21}, {1, 22}, {2, 1}, {2, 1}, {3, 1}, {3, 70}}));
    EXPECT_EQ(chosen[5].distance, 5000); // the real fix of equal distance stays behind the 5000 filler
}

TEST(ScoringNames, CompetitorNumberSpeedGroupAndFileNames) {
    int no = 0;
    ASSERT_TRUE(competitorNoFromClName("CL2123.csv", no));
    EXPECT_EQ(no, 123);
    ASSERT_TRUE(competitorNoFromClName("cl1007.csv", no));
    EXPECT_EQ(no, 7);
    for (const char* bad : {"CL1.csv", "CL10x7.csv", "XX1007.csv", ""})
        EXPECT_FALSE(competitorNoFromClName(bad, no)) << bad;
    EXPECT_EQ(resultFileName(2, 45), "R2045.csv");
    EXPECT_EQ(resultFileName(1, 123), "R1123.csv");
    EXPECT_EQ(shortlistFileName(2, 1, 7), "2Shortlist_1_7.csv");
    EXPECT_EQ(reportFileName(3, 45), "Report3_45.csv");
    EXPECT_EQ(clFileNameFor("x1012.csv"), "CL1012.csv");

    RallyConfig config; // LastEntry 15, 30, 45, 60
    const std::pair<int, int> groups[] = {{1, 1},  {15, 1}, {16, 2}, {30, 2},
                                          {31, 3}, {45, 3}, {46, 4}, {300, 4}};
    for (const auto& [n, g] : groups)
        EXPECT_EQ(speedGroupFor(config, n), g) << n;
    config.lastEntry = {0, 20, 40, 40, 40}; // two groups in use
    EXPECT_EQ(speedGroupFor(config, 40), 2);
    EXPECT_EQ(speedGroupFor(config, 41), 4);
}

class ScoringSteps : public TrackingFixture {
protected:
    void SetUp() override {
        writeControls(1, {control(1, 33, 18, 1.5, 36000), control(2, 33.1, 18, 9.5, 37000)});
        // Competitor 7 passes control 1 at 36432 (12 s late) and never comes near control 2.
        writeText(logFile("CL1007.csv"), "1,32.9999,18,36427\r\n2,33.0001,18,36437\r\n3,35,18,37420\r\n");
    }
    fs::path working(const std::string& name) const { return state.rallyFile(RallyFolder::Working, name); }
};

TEST_F(ScoringSteps, RepeatedStepsAndEarlierRunsNeverAddLines) {
    writeText(working("2Shortlist_1_7.csv"), "1,1,1,1,1,1,1,1,1,1\r\n"); // left by an interrupted run
    writeText(working("Report1_7.csv"), "1,0,0,0,0,-300,1\r\n");         // left by an interrupted run
    ScoringRun run;
    ASSERT_TRUE(loadCompetitor(state, 1, "CL1007.csv", run));
    EXPECT_FALSE(fs::exists(working("2Shortlist_1_7.csv")));
    EXPECT_FALSE(fs::exists(working("Report1_7.csv")));
    EXPECT_EQ(run.competitorNo, 7);
    EXPECT_EQ(run.controls.size(), 2u);
    EXPECT_EQ(run.fixes.size(), 3u);
    ASSERT_TRUE(reduceByDistanceStep(state, run));
    ASSERT_TRUE(reduceByDistanceStep(state, run));
    EXPECT_EQ(run.firstReductionCount, 2);
    EXPECT_EQ(readFile(working("1Shortlist_1_7.csv")),
              "1,33,18,1.5,36000,1,32.9999,18,36427,10.000000000331966\r\n"
              "1,33,18,1.5,36000,2,33.0001,18,36437,10.000000000331966\r\n");
    ASSERT_TRUE(reduceByTimeStep(state, run));
    ASSERT_TRUE(reduceByTimeStep(state, run));
    EXPECT_EQ(run.secondReductionCount, 2);
    ASSERT_TRUE(finalShortlistStep(state, run));
    ASSERT_TRUE(passageTimesStep(state, run));
    ASSERT_TRUE(passageTimesStep(state, run));
    EXPECT_EQ(run.finalCount, 4);
    EXPECT_EQ(readFile(working("Report1_7.csv")),
              "1,0.4215277777777778,0.4216666666666667,0.08333333333333333,0.08347222222222223,-12,1.5\r\n"
              "2,0.43310185185185185,0,0.09490740740740741,0,600,9.5\r\n");
    ASSERT_TRUE(resultStep(state, run));
    EXPECT_EQ(run.dayTotal, 612);
    EXPECT_EQ(readFile(state.rallyFile(RallyFolder::Results, "R1007.csv")), "-12\r\n600\r\n");
    for (const char* gone :
         {"1Shortlist_1_7.csv", "2Shortlist_1_7.csv", "3Shortlist_1_7.csv", "Report1_7.csv"})
        EXPECT_FALSE(fs::exists(working(gone))) << gone;
    EXPECT_FALSE(fs::exists(logFile("CL1007.csv")));
}

TEST_F(ScoringSteps, DayTotalAddsTheAbsoluteScoresOfTheReport) {
    ScoringRun run;
    ASSERT_TRUE(loadCompetitor(state, 1, "CL1007.csv", run));
    run.next = ScoringStep::Result;
    writeText(working("Report1_7.csv"), "1,0,0,0,0,-12,1\r\n2,0,0,0,0,0,2\r\n3,0,0,0,0,600,3\r\n");
    ASSERT_TRUE(runNextStep(state, run));
    EXPECT_EQ(run.dayTotal, 612);
    EXPECT_EQ(readFile(state.rallyFile(RallyFolder::Results, "R1007.csv")), "-12\r\n0\r\n600\r\n");
}

TEST_F(ScoringSteps, MissingOrEmptyControlFileStopsBeforeAnythingIsWritten) {
    fs::remove(state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    ScoringRun run;
    Status st = scoreCompetitor(state, 1, "CL1007.csv", run);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(), "No Coordinates for controls have been loaded");
    writeControls(1, {});
    st = scoreCompetitor(state, 1, "CL1007.csv", run);
    EXPECT_EQ(st.message(), "No Coordinates for controls have been loaded");
    EXPECT_FALSE(fs::exists(working("1Shortlist_1_7.csv")));
    EXPECT_TRUE(fs::is_empty(state.rallyFolder(RallyFolder::Results)));
    EXPECT_TRUE(fs::exists(logFile("CL1007.csv")));
    // A competitor log of another day is not scored against this day's controls.
    writeControls(1, {control(1, 33, 18, 1.5, 36000)});
    writeText(logFile("CL2007.csv"), "1,33,18,36000\r\n");
    EXPECT_EQ(scoreCompetitor(state, 1, "CL2007.csv", run).message(), "CL2007.csv is not a file of day 1");
    // A step before the load is refused.
    ScoringRun fresh;
    EXPECT_FALSE(reduceByDistanceStep(state, fresh));
}

TEST_F(ScoringSteps, ACompetitorInASpeedGroupNotInUseIsRefused) {
    state.config.noOfSpeedGroups = 3;
    state.config.lastEntry = {0, 15, 30, 45, 45}; // D follows C when three groups are in use
    writeText(logFile("CL1045.csv"), "1,33,18,36000\r\n");
    writeText(logFile("CL1046.csv"), "1,33,18,36000\r\n");
    ScoringRun run;
    EXPECT_TRUE(loadCompetitor(state, 1, "CL1045.csv", run));
    EXPECT_EQ(run.speedGroup, 3);
    const Status st = loadCompetitor(state, 1, "CL1046.csv", run);
    EXPECT_EQ(st.message(),
              "CL1046.csv: competitor 46 is above 45, the last number of speed group C, and this rally "
              "uses 3 speed groups: give the competitor a number in a group in use, or use more speed "
              "groups");
    EXPECT_TRUE(fs::exists(logFile("CL1046.csv")));
}

TEST_F(ScoringSteps, MalformedCompetitorLogNamesFileAndLine) {
    writeText(logFile("CL1008.csv"), "1,33,18,36427\r\n2,33,eighteen,36437\r\n");
    ScoringRun run;
    const Status st = scoreCompetitor(state, 1, "CL1008.csv", run);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(), logFile("CL1008.csv").string() + " line 2: value 3 \"eighteen\" is not a number");
}

} // namespace
} // namespace trakmora
