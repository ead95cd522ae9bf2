// The jury's decisions from the command line on a day run from real tracks: they survive scoring
// the day again and a scrap, and the R files stay the measurement throughout.
#include "results/Corrections.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::ResultsRally;

// The day score line of `compNo` in DayScore_<day>.csv, without its line end.
std::string dayScoreLine(const ResultsRally& r, int compNo) {
    const std::string text = readFile(dayScoreFile(r.state, 1));
    const std::string key = "\"," + std::to_string(compNo) + ",";
    const auto at = text.find(key);
    if (at == std::string::npos) return {};
    const auto start = text.rfind('\n', at);
    const auto begin = start == std::string::npos ? 0 : start + 1;
    return text.substr(begin, text.find('\r', at) - begin);
}

TEST(CorrectionsCli, DecisionsSurviveScoringAgainAndAScrap) {
    ResultsRally r(2);
    r.copyInput("rally_e2e");
    const fs::path kase = test::testData("rally_e2e");
    for (const auto& f : fs::directory_iterator(kase / "downloads" / "day1"))
        fs::copy_file(f.path(), r.file(RallyFolder::CompetitorsLog, f.path().filename().string()));
    const std::string rally = "--data-root '" + r.root.path().string() + "' --no-workbooks --rally Spring ";
    std::string output;
    ASSERT_EQ(test::runCli(rally + "--yes run --day 1", output), 0) << output;
    const std::string r1 = readFile(resultFile(r.state, 1, 1));
    const std::string measured2 = dayScoreLine(r, 2);
    ASSERT_FALSE(measured2.empty());

    struct Step {
        std::string arguments;
        int status;
        std::string expected; // a part of the output
    };
    const Step steps[] = {
        {"correct --day 1 --comp 1 --penalty 60 --reason 'Started late, \"5 min\", marshal 3'", 0, "(+60)\n"},
        {"correct --day 1 --comp 2 --control 1 --score 0 --reason 'Approach blocked'", 0,
         "Added No. 2, competitor 2, control 1 set to 0: Approach blocked (entered "},
        {"correct --day 1 --comp 3 --exclude --reason 'Missed the start'", 0, ", non-finisher of the day\n"},
        {"correct --day 1 --comp 4 --penalty 10 --reason 'No result'", 0,
         "Competitor 4: no result on day 1; the correction is kept but not applied\n"},
        {"correct --day 1 --comp 1 --penalty 60", 2, "--reason"},
        {"correct --day 1 --comp 1 --control 2 --reason x", 2, "--score"},
        {"correct --day 1 --list --remove 1", 2, "excludes"},
        {"correct --day 1 --remove 9", 1, "Day 1 has no correction number 9\n"},
        {"correct --day 1 --list", 0,
         "No. 1, competitor 1, penalty of 60 s: Started late, \"5 min\", marshal 3 (entered "},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(test::runCli(rally + s.arguments, output), s.status) << s.arguments << '\n' << output;
        EXPECT_NE(output.find(s.expected), std::string::npos) << s.arguments << '\n' << output;
    }
    EXPECT_NE(output.find("competitor 4, penalty of 10 s: No result (entered "), std::string::npos) << output;
    EXPECT_NE(output.find("Not applied: competitor 4 has no result)"), std::string::npos) << output;
    EXPECT_EQ(readFile(resultFile(r.state, 1, 1)), r1);
    const std::string corrected = readFile(dayScoreFile(r.state, 1));
    const std::string corrected2 = dayScoreLine(r, 2);
    EXPECT_NE(corrected2, measured2);

    // Scoring the day again rewrites the R files as measured; the corrections are applied again.
    ASSERT_EQ(test::runCli(rally + "--yes run --day 1 --again", output), 0) << output;
    EXPECT_EQ(readFile(resultFile(r.state, 1, 1)), r1);
    EXPECT_EQ(readFile(dayScoreFile(r.state, 1)), corrected);
    EXPECT_NE(output.find("Finishers 6, non-finishers 1,"), std::string::npos) << output;

    // Scrapping control 1 keeps every correction; the one on control 1 now has no effect.
    ASSERT_EQ(test::runCli(rally + "day --day 1 --scrap 1", output), 0) << output;
    ASSERT_EQ(test::runCli(rally + "correct --day 1 --list", output), 0) << output;
    EXPECT_NE(output.find("control 1 set to 0: Approach blocked (entered "), std::string::npos) << output;
    EXPECT_NE(output.find("No effect: control 1 is scrapped)"), std::string::npos) << output;
    std::vector<Correction> kept;
    ASSERT_TRUE(readCorrections(r.state, 1, kept));
    EXPECT_EQ(kept.size(), 4u);

    // Removing them all gives back the measured day.
    for (int id = 1; id <= 4; ++id)
        ASSERT_EQ(test::runCli(rally + "correct --day 1 --remove " + std::to_string(id), output), 0)
            << output;
    EXPECT_NE(output.find("Removed No. 4, competitor 4"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(correctionsFile(r.state, 1)));
    ASSERT_EQ(test::runCli(rally + "correct --day 1 --list", output), 0) << output;
    EXPECT_EQ(output, "Day 1: no corrections\n");
}

} // namespace
} // namespace trakmora
