#include "results/ResultFiles.h"
#include "results/ResultsRally.h"
#include "tracking/ScoreDay.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
using test::readFile;
using test::ResultsRally;

// A two-day rally from hand-written R files, run as the organiser would from the command line:
// day 1 with competitor 12 marked as a non-finisher, day 2 with control 2 scrapped (competitor 3
// did not start it), then the final. The expected outputs are checked by hand.
TEST(ResultsCli, TwoDayRallyFromRFilesToFinalPositions) {
    ResultsRally r(2);
    r.copyInput("results_cli");
    // The workbooks are checked on their own; their paths would only vary the golden outputs.
    const std::string rally = "--data-root '" + r.root.path().string() + "' --no-workbooks --rally Spring ";
    const auto expected = [](const std::string& name) {
        return readFile(test::testData("results_cli/expected/" + name));
    };
    struct Step {
        std::string arguments;
        int status;
        std::string output; // golden file, or an exact text
        bool golden;
    };
    const Step steps[] = {
        {"day --day 3", 1, "Day 3 is not a day of this 2-day rally\n", false},
        {"day --day 1 --non-finisher 12", 0, "day1.txt", true},
        {"results --day 1", 1,
         "Question: The combined day results should only be printed after all individual scoring for the day "
         "has "
         "been completed. Do you wish to proceed? [No, pass --yes to answer Yes]\n",
         false},
        {"--yes results --day 1", 0, "results1.txt", true},
        {"final", 1, "Select day 2 first: " + finalMatrixFile(r.state, 2).string() + " is missing\n", false},
        {"day --day 2 --scrap 2", 0, "day2.txt", true},
        {"--yes results --day 2", 0, "results2.txt", true},
        {"final", 0, "final.txt", true},
    };
    for (const auto& s : steps) {
        std::string output;
        EXPECT_EQ(test::runCli(rally + s.arguments, output), s.status) << s.arguments << '\n' << output;
        test::expectSameText(s.golden ? expected(s.output) : s.output, output, s.arguments);
    }
    EXPECT_EQ(readFile(resultFile(r.state, 2, 12)), "2\r\n0\r\n2\r\n");
    EXPECT_EQ(readFile(nonFinishersFile(r.state, 1)), "12\r\n");
}

// A control scrapped and restored from the command line: the day is scored again from the kept
// downloads and every R file is as before the scrap.
TEST(ResultsCli, UnscrapScoresTheDayAgainFromTheKeptDownloads) {
    namespace fs = std::filesystem;
    ResultsRally r(1);
    r.writeEntries({{1, "Ann", "A"}, {2, "Bob", "A"}});
    const fs::path tracks = test::testData("tracking_e2e");
    for (const char* name : {"h1001.csv", "c1002.csv"})
        r.copyIn(tracks / "CompetitorsLog" / name, RallyFolder::CompetitorsLog);
    r.copyIn(tracks / "Marshals/cp1.csv", RallyFolder::Marshals);
    ASSERT_EQ(scoreDay(r.state, 1).competitorsScored, 2);
    const std::string r1 = readFile(resultFile(r.state, 1, 1));
    const std::string r2 = readFile(resultFile(r.state, 1, 2));

    const std::string rally = "--data-root '" + r.root.path().string() + "' --no-workbooks --rally Spring ";
    std::string output;
    EXPECT_EQ(test::runCli(rally + "day --day 1 --scrap 4", output), 0) << output;
    EXPECT_EQ(readFile(resultFile(r.state, 1, 1)), "-12\r\n0\r\n7\r\n0\r\n-250\r\n592\r\n600\r\n-3\r\n");
    EXPECT_EQ(test::runCli(rally + "day --day 1 --unscrap 4", output), 0) << output;
    EXPECT_NE(output.find(
                  "[1/4] h1001.csv\n[2/4] c1002.csv\n[3/4] CL1001.csv\n[4/4] CL1002.csv\n"
                  "Control 4 of day 1 restored\nDownloads imported: 2\nCompetitors scored: 2\nNo messages\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("\"Ann\",1,\"A\",1509,-12,0,7,45,-250,592,600,-3\n"), std::string::npos) << output;
    EXPECT_EQ(readFile(resultFile(r.state, 1, 1)), r1);
    EXPECT_EQ(readFile(resultFile(r.state, 1, 2)), r2);

    EXPECT_EQ(test::runCli(rally + "day --day 1 --unscrap 4", output), 1);
    EXPECT_EQ(output, "Control 4 of day 1 is not scrapped: there is nothing to restore\n");
    EXPECT_EQ(test::runCli(rally + "day --day 1 --scrap 4 --unscrap 4", output), 2) << output;
    EXPECT_EQ(readFile(resultFile(r.state, 1, 1)), r1);
}

TEST(ResultsCli, UsageErrorsAndAOneDayRally) {
    ResultsRally r(1);
    std::string output;
    const std::string rally = "--data-root '" + r.root.path().string() + "' --rally Spring ";
    EXPECT_EQ(test::runCli(rally + "day", output), 2) << output;
    EXPECT_EQ(test::runCli(rally + "day --day x", output), 2) << output;
    EXPECT_EQ(test::runCli(rally + "day --day 1 --non-finisher 251", output), 1);
    EXPECT_EQ(output, "Competition number 251 has no cell in the matrix (1 to 250)\n");
    EXPECT_FALSE(std::filesystem::exists(matrixDisplayFile(r.state, 1)))
        << "refused before the day was built";
    EXPECT_EQ(test::runCli(rally + "final", output), 1);
    EXPECT_EQ(output, "A one-day rally has no Final position: its day positions are its results\n");
}

} // namespace
} // namespace trakmora
