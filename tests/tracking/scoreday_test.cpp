#include "tracking/ScoreDay.h"
#include "tracking/Scoring.h"
#include "tracking/TrackingFiles.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";

class ScoreDayTest : public test::TrackingFixture {};

TEST_F(ScoreDayTest, ImportsAndScoresEveryWaitingFileAndKeepsGoingPastFailures) {
    for (const char* name : {"h1001.csv", "c1002.csv", "e1003.csv", "x1004.csv"})
        fs::copy_file(kCase / "CompetitorsLog" / name, logFile(name));
    fs::copy_file(kCase / "Marshals/cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    test::writeText(logFile("h1009.csv"), "not a download\r\n");
    test::writeText(logFile("CL1008.csv"), "1,51.3,12.4\r\n"); // a value short

    std::vector<std::string> seen;
    int lastDone = -1, lastTotal = -1;
    const DaySummary summary = scoreDay(state, 1, [&](int done, int total, const std::string& name) {
        EXPECT_GE(done, lastDone);
        EXPECT_LE(done, total);
        lastDone = done;
        lastTotal = total;
        if (!name.empty()) seen.push_back(name);
    });

    EXPECT_EQ(summary.downloadsImported, 4);
    EXPECT_EQ(summary.competitorsScored, 4);
    ASSERT_EQ(summary.messages.size(), 2u);
    EXPECT_EQ(summary.messages[0].rfind("h1009.csv: ", 0), 0u) << summary.messages[0];
    EXPECT_EQ(summary.messages[1].rfind("CL1008.csv: ", 0), 0u) << summary.messages[1];
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(seen.size(), 10u); // 5 downloads, then 5 CL files
    for (int no = 1; no <= 4; ++no) {
        const std::string r = "R100" + std::to_string(no) + ".csv";
        EXPECT_EQ(test::csvDifference(state.rallyFile(RallyFolder::Results, r), kCase / "expected" / r), "");
    }
    const std::string text = daySummaryText(summary);
    EXPECT_NE(text.find("Competitors scored: 4"), std::string::npos) << text;
    EXPECT_NE(text.find("\nh1009.csv: "), std::string::npos) << text;
}

TEST_F(ScoreDayTest, AfterEachScoredCompetitorTheHookRunsAndItsFailuresAreListed) {
    for (const char* name : {"h1001.csv", "c1002.csv"})
        fs::copy_file(kCase / "CompetitorsLog" / name, logFile(name));
    fs::copy_file(kCase / "Marshals/cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    test::writeText(logFile("CL1008.csv"), "1,51.3,12.4\r\n"); // fails scoring: no hook for it

    std::vector<int> hooked;
    const DaySummary summary = scoreDay(state, 1, {}, [&](const ScoringRun& run) {
        hooked.push_back(run.competitorNo);
        EXPECT_EQ(run.report.size(), 8u);
        return run.competitorNo == 2 ? Status::failure("the sheet is open in another program") : Status{};
    });

    EXPECT_EQ(hooked, (std::vector<int>{1, 2}));
    EXPECT_EQ(summary.competitorsScored, 2);
    ASSERT_EQ(summary.messages.size(), 2u);
    EXPECT_EQ(summary.messages[0], "CL1002.csv: the sheet is open in another program");
    EXPECT_EQ(summary.messages[1].rfind("CL1008.csv: ", 0), 0u) << summary.messages[1];
}

TEST_F(ScoreDayTest, WithoutControlsTheFirstFailureEndsTheRun) {
    test::writeText(logFile("CL1001.csv"), "1,51.3,12.4,36000\r\n");
    test::writeText(logFile("CL1002.csv"), "1,51.3,12.4,36000\r\n");
    const DaySummary summary = scoreDay(state, 1);
    EXPECT_EQ(summary.competitorsScored, 0);
    EXPECT_EQ(summary.messages, std::vector<std::string>{std::string("CL1001.csv: ") + kNoControlsLoaded});
    EXPECT_EQ(daySummaryText(DaySummary{}), "Downloads imported: 0\nCompetitors scored: 0\nNo messages");
}

TEST(ScoringDay, FilesOfTheSameCompetitorAndDayAreNamedTogether) {
    struct Case {
        std::vector<std::string> names;
        std::size_t dayPosition;
        std::map<std::string, std::string> clashes;
    };
    const std::string tail = ": none of them is taken; leave only the right one in CompetitorsLog";
    const Case cases[] = {
        {{"h1001.csv", "c1002.csv", "e1003.csv"}, 1, {}},
        {{"h1001.csv", "c1001.csv", "e1002.csv"},
         1,
         {{"h1001.csv", "h1001.csv and c1001.csv belong to competitor 1 on day 1" + tail},
          {"c1001.csv", "h1001.csv and c1001.csv belong to competitor 1 on day 1" + tail}}},
        {{"CL2045.csv", "CL2045-1.csv", "CL2045 copy.csv", "CL2046.csv"},
         2,
         {{"CL2045.csv",
           "CL2045.csv, CL2045-1.csv and CL2045 copy.csv belong to competitor 45 on day 2" + tail},
          {"CL2045-1.csv",
           "CL2045.csv, CL2045-1.csv and CL2045 copy.csv belong to competitor 45 on day 2" + tail},
          {"CL2045 copy.csv",
           "CL2045.csv, CL2045-1.csv and CL2045 copy.csv belong to competitor 45 on day 2" + tail}}},
        {{"h1.csv", "x1.csv"}, 1, {}}, // too short to carry a number: left to the import to refuse
        {{"abc.csv", "abc.csv", "h1001.csv", "h1001.csv"}, 1, {}}, // a name given twice is one file
        {{"habcd.csv", "cabcd.csv"}, 1, {}},                       // no number: no competitor
    };
    for (const Case& c : cases)
        EXPECT_EQ(sameCompetitorFiles(c.names, c.dayPosition), c.clashes) << c.names.at(0);
}

TEST_F(ScoreDayTest, TwoDownloadsOfOneCompetitorAreNeitherImported) {
    fs::copy_file(kCase / "CompetitorsLog/h1001.csv", logFile("h1001.csv"));
    fs::copy_file(kCase / "CompetitorsLog/c1002.csv", logFile("c1001.csv")); // competitor 2's, misnamed
    fs::copy_file(kCase / "CompetitorsLog/e1003.csv", logFile("e1003.csv"));
    fs::copy_file(kCase / "Marshals/cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    const DaySummary summary = scoreDay(state, 1);
    EXPECT_EQ(summary.downloadsImported, 1);
    EXPECT_EQ(summary.competitorsScored, 1);
    ASSERT_EQ(summary.messages.size(), 2u);
    EXPECT_EQ(summary.messages[0].rfind("h1001.csv: h1001.csv and c1001.csv belong to competitor 1", 0), 0u);
    EXPECT_EQ(summary.messages[1].rfind("c1001.csv: h1001.csv and c1001.csv belong to competitor 1", 0), 0u);
    EXPECT_TRUE(fs::exists(logFile("h1001.csv")));
    EXPECT_TRUE(fs::exists(logFile("c1001.csv")));
    EXPECT_FALSE(fs::exists(state.rallyFile(RallyFolder::Results, "R1001.csv")));
}

TEST_F(ScoreDayTest, ControlsScrappedBeforeCountZeroForACompetitorScoredLate) {
    fs::copy_file(kCase / "CompetitorsLog/h1001.csv", logFile("h1001.csv"));
    fs::copy_file(kCase / "Marshals/cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    ASSERT_TRUE(recordScrappedControl(state, 1, 2));
    ASSERT_TRUE(recordScrappedControl(state, 1, 5));
    std::vector<double> total;
    ASSERT_EQ(scoreDay(state, 1, {},
                       [&](const ScoringRun& run) {
                           total.push_back(run.dayTotal);
                           return Status{};
                       })
                  .competitorsScored,
              1);
    // By hand from the expected -12, 0, 7, 45, -250, 592, 600, -3: controls 2 and 5 become 0.
    EXPECT_EQ(test::readFile(state.rallyFile(RallyFolder::Results, "R1001.csv")),
              "-12\r\n0\r\n7\r\n45\r\n0\r\n592\r\n600\r\n-3\r\n");
    EXPECT_EQ(total, std::vector<double>{1259});
}

TEST(ScoringDay, SelectDayCyclesThroughTheRallyDays) {
    struct Case {
        int day, noOfDays, next;
    };
    for (const Case& c :
         {Case{3, 3, 1}, Case{1, 3, 2}, Case{2, 3, 3}, Case{1, 1, 1}, Case{5, 5, 1}, Case{4, 2, 1}})
        EXPECT_EQ(nextScoringDay(c.day, c.noOfDays), c.next) << c.day << " of " << c.noOfDays;
}

class ScoreDayTable : public test::TrackingFixture {};

// The expected R files of competitors 1 and 2 both hold -12, 0, 7, 45, -250, 592, 600, -3.
constexpr double kExpectedTotal = 12 + 0 + 7 + 45 + 250 + 592 + 600 + 3;

TEST_F(ScoreDayTable, EveryCompetitorIsListedWithTotalsOrItsMessage) {
    for (const char* name : {"h1001.csv", "c1002.csv"})
        fs::copy_file(kCase / "CompetitorsLog" / name, logFile(name));
    fs::copy_file(kCase / "Marshals/cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    test::writeText(logFile("h1009.csv"), "not a download\r\n");
    test::writeText(logFile("CL1008.csv"), "1,51.3,12.4\r\n"); // a value short
    const DaySummary summary = scoreDay(state, 1, {}, [](const ScoringRun& run) {
        return run.competitorNo == 2 ? Status::failure("the sheet is open in another program") : Status{};
    });

    struct Row {
        int no;
        std::string file;
        bool scored;
        int controls;
        double total;
        bool hasMessage;
    };
    const Row expected[] = {{1, "CL1001.csv", true, 8, kExpectedTotal, false},
                            {2, "CL1002.csv", true, 8, kExpectedTotal, true},
                            {8, "CL1008.csv", false, 0, 0, true},
                            {9, "h1009.csv", false, 0, 0, true}};
    ASSERT_EQ(summary.competitors.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const CompetitorOutcome& c = summary.competitors[i];
        const Row& e = expected[i];
        EXPECT_EQ(c.competitorNo, e.no) << i;
        EXPECT_EQ(c.fileName, e.file) << i;
        EXPECT_EQ(c.scored, e.scored) << e.file;
        EXPECT_EQ(c.controlsScored, e.controls) << e.file;
        EXPECT_EQ(c.dayTotal, e.total) << e.file;
        EXPECT_EQ(!c.message.empty(), e.hasMessage) << e.file << ": " << c.message;
    }
    // The message of a failure is the one the summary lists for that file.
    EXPECT_EQ(summary.competitors[1].message, "the sheet is open in another program");
    for (const std::size_t i : {2u, 3u}) {
        const CompetitorOutcome& c = summary.competitors[i];
        EXPECT_NE(std::find(summary.messages.begin(), summary.messages.end(), c.fileName + ": " + c.message),
                  summary.messages.end())
            << c.message;
    }
    EXPECT_EQ(controlsScoredText(summary.competitors[0]), "8 of 8");
    EXPECT_EQ(controlsScoredText(summary.competitors[2]), "");
}

TEST_F(ScoreDayTable, WithoutControlsEveryCompetitorLeftIsListedButTheMessageIsGivenOnce) {
    for (const char* name : {"CL1003.csv", "CL1001.csv", "CL1002.csv"})
        test::writeText(logFile(name), "1,51.3,12.4,36000\r\n");
    const DaySummary summary = scoreDay(state, 1);
    ASSERT_EQ(summary.competitors.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(summary.competitors[static_cast<std::size_t>(i)].competitorNo, i + 1);
        EXPECT_EQ(summary.competitors[static_cast<std::size_t>(i)].message, kNoControlsLoaded);
        EXPECT_FALSE(summary.competitors[static_cast<std::size_t>(i)].scored);
    }
    EXPECT_EQ(summary.messages.size(), 1u);
    for (const char* name : {"CL1001.csv", "CL1002.csv", "CL1003.csv"})
        EXPECT_TRUE(fs::exists(logFile(name))) << name;
}

TEST(ScoreDayText, TheTableHasOneLinePerCompetitor) {
    DaySummary summary;
    noteImport(summary, "h1abc.csv", Status::failure("no number"));
    noteImport(summary, "h1005.csv", Status{});
    ScoringRun run;
    run.competitorNo = 12;
    run.report.resize(7);
    run.controls.resize(8);
    run.dayTotal = 612.5;
    noteScoring(summary, "CL1012.csv", Status{}, run);
    noteScoring(summary, "CL1004.csv", Status::failure("bad line 3"), {});
    noteAfterScoring(summary, "CL1012.csv", Status::failure("sheet not saved"));
    sortCompetitors(summary);
    EXPECT_EQ(summary.downloadsImported, 1);
    EXPECT_EQ(summary.competitorsScored, 1);
    EXPECT_EQ(competitorTableText(summary), "No\tControls\tDay total\tFile\tMessage\n"
                                            "?\t\t\th1abc.csv\tno number\n"
                                            "4\t\t\tCL1004.csv\tbad line 3\n"
                                            "12\t7 of 8\t612.5\tCL1012.csv\tsheet not saved\n");
    EXPECT_EQ(summary.messages, (std::vector<std::string>{"h1abc.csv: no number", "CL1004.csv: bad line 3",
                                                          "CL1012.csv: sheet not saved"}));
}

} // namespace
} // namespace trakmora
