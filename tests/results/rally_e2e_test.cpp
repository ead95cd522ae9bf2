// A two-day rally from real GPS tracks, run from the logger downloads to the final positions with
// the command line, as an organiser would after each day. The case (tests/data/rally_e2e) and
// every expected file in it are worked out by its make_case.py from the scoring rules,
// independently of the program.
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::ResultsRally;

// The part of a command's output from `from` to the end.
std::string outputFrom(const std::string& output, const std::string& from) {
    const auto at = output.find(from);
    return at == std::string::npos ? std::string() : output.substr(at);
}

TEST(RallyEndToEnd, TwoDaysFromRealTracksToFinalPositions) {
    ResultsRally r(2);
    r.copyInput("rally_e2e");
    const fs::path kase = test::testData("rally_e2e");
    const std::string rally = "--data-root '" + r.root.path().string() + "' --no-workbooks --rally Spring ";
    const auto downloadsOf = [&](int day) {
        for (const auto& f : fs::directory_iterator(kase / "downloads" / ("day" + std::to_string(day))))
            fs::copy_file(f.path(), r.file(RallyFolder::CompetitorsLog, f.path().filename().string()));
    };
    const auto expected = [&](const std::string& name) { return readFile(kase / "expected" / name); };
    const auto expectDayFiles = [&](int day, const std::vector<int>& scored) {
        test::expectSameFile(kase / "expected" / ("cp" + std::to_string(day) + ".csv"),
                             r.file(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv"));
        for (int no : scored) {
            const auto name = resultFile(r.state, day, no).filename().string();
            test::expectSameFile(kase / "expected" / name, resultFile(r.state, day, no));
        }
    };
    std::string output;

    // Day 1: competitor 4 does not start, 18 loses eleven minutes half-way.
    downloadsOf(1);
    ASSERT_EQ(test::runCli(rally + "--yes run --day 1", output), 0) << output;
    expectDayFiles(1, {1, 2, 3, 16, 17, 18, 19});
    EXPECT_FALSE(fs::exists(resultFile(r.state, 1, 4)));
    test::expectSameText(expected("positions1.txt"), outputFrom(output, "Day 1 positions"), "run --day 1");

    // Day 2: 17 retires half-way; the day is run as scored, then the organiser marks the retirement.
    downloadsOf(2);
    ASSERT_EQ(test::runCli(rally + "--yes run --day 2", output), 0) << output;
    expectDayFiles(2, {1, 2, 3, 4, 16, 17, 18, 19});
    test::expectSameText(expected("positions2.txt"), outputFrom(output, "Day 2 positions"), "run --day 2");
    ASSERT_EQ(test::runCli(rally + "day --day 2 --non-finisher 17", output), 0) << output;
    EXPECT_NE(output.find("Finishers 7, non-finishers 1,"), std::string::npos) << output;
    ASSERT_EQ(test::runCli(rally + "--yes results --day 2", output), 0) << output;
    test::expectSameText(expected("positions2_marked.txt"), outputFrom(output, "Day 2 positions"),
                         "results --day 2");

    ASSERT_EQ(test::runCli(rally + "final", output), 0) << output;
    test::expectSameText(expected("final.txt"), output, "final");

    // The entry list copied in afresh (a name put right): its day totals are 0 again, and the
    // final builds the days from their R files before adding up.
    fs::copy_file(kase / "input/EntryList/EntryList.csv", r.file(RallyFolder::EntryList, "EntryList.csv"),
                  fs::copy_options::overwrite_existing);
    ASSERT_EQ(test::runCli(rally + "final", output), 0) << output;
    test::expectSameText(expected("final.txt"), output, "final after a new entry list");

    // A control the day does not have is refused before any non-finisher mark changes.
    const std::string marks = readFile(nonFinishersFile(r.state, 2));
    EXPECT_EQ(test::runCli(rally + "day --day 2 --non-finisher 19 --scrap 9", output), 1) << output;
    EXPECT_EQ(readFile(nonFinishersFile(r.state, 2)), marks);

    // Scoring day 1 again takes the downloads back from CompetitorsLog/Bak and rewrites every R
    // file: a lost one comes back as it was, and the positions do not move.
    fs::remove(resultFile(r.state, 1, 16));
    ASSERT_EQ(test::runCli(rally + "--yes run --day 1 --again --keep-explain", output), 0) << output;
    EXPECT_NE(output.find("7 downloads to import and score again"), std::string::npos) << output;
    expectDayFiles(1, {1, 2, 3, 16, 17, 18, 19});
    test::expectSameText(expected("positions1.txt"), outputFrom(output, "Day 1 positions"),
                         "run --day 1 --again");
    ASSERT_EQ(test::runCli(rally + "explain --day 1 --comp 1 --control 1", output), 0) << output;
    EXPECT_NE(output.find("DEVIATION -10 S (LATE)"), std::string::npos) << output;

    // The audit's doubtful control 10 is scrapped; scoring the day again keeps it scrapped.
    ASSERT_EQ(test::runCli(rally + "day --day 1 --scrap 10", output), 0) << output;
    ASSERT_EQ(test::runCli(rally + "--yes run --day 1 --again", output), 0) << output;
    std::string r1001 = expected("R1001.csv");
    r1001.replace(r1001.rfind("49\r\n"), 4, "0\r\n");
    EXPECT_EQ(readFile(resultFile(r.state, 1, 1)), r1001);
    EXPECT_NE(output.find("\"Ann Hale\",1,\"A\",106,"), std::string::npos) << output; // 155 - 49

    // The day's route schedule misnamed: the template made in its place never replaces the
    // control file, however often the day is run.
    fs::rename(r.file(RallyFolder::RouteSchedule, "RS1_Data.csv"),
               r.file(RallyFolder::RouteSchedule, "rs1_data.csv"));
    for (int time = 1; time <= 2; ++time) {
        EXPECT_EQ(test::runCli(rally + "--yes run --day 1", output), 1) << output;
        test::expectSameFile(kase / "expected/cp1.csv", r.file(RallyFolder::Marshals, "cp1.csv"));
    }
    EXPECT_NE(output.find("cp1.csv holds 10 controls and the route schedule of day 1 has none"),
              std::string::npos)
        << output;
}

// A day run on a rally with nothing in it yet, its output going to one log: each message stands
// right after the step that gave it, and the day without a route schedule stops the run before
// a control file without controls is written.
TEST(RallyEndToEnd, ADayWithoutRouteScheduleStopsTheRunInItsFirstStep) {
    ResultsRally r(2);
    std::string output;
    const std::string rally = "--data-root '" + r.root.path().string() + "' --no-workbooks --rally Spring ";
    EXPECT_EQ(test::runCli(rally + "--yes run --day 1", output), 1);
    EXPECT_EQ(output,
              "== Day 1: control files ==\n"
              "No data to load\n" // the route schedule template is made
              "Day 1 had no route schedule (RS1_Data.csv or Input_RS1.csv in RouteSchedule): a template "
              "was made; enter the day's lines before writing its control files\n");
    EXPECT_FALSE(fs::exists(r.file(RallyFolder::Marshals, "cp1.csv")));
}

} // namespace
} // namespace trakmora
