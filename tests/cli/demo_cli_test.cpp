// The demonstration rally from the command line: every step runs, every score group is ranked,
// every workbook is written, and `run` repeats a day with the same result.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::runCli;
using test::TempDir;

// The lines after `title` up to the next blank line or heading.
std::string section(const std::string& out, const std::string& title) {
    const auto at = out.find(title);
    if (at == std::string::npos) return {};
    const auto end = out.find("\n==", at + title.size());
    return out.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

TEST(DemoCli, RunsBothDaysToFinalPositionsAndWritesEveryWorkbook) {
    TempDir root;
    const std::string cli = "--data-root '" + root.path().string() + "' ";
    std::string out;
    ASSERT_EQ(runCli(cli + "demo", out), 0) << out;

    const std::string final = section(out, "Final positions\n");
    ASSERT_FALSE(final.empty()) << out;
    for (const char* group : {"A: Pre-war\n", "B: Post-war\n", "C: Classic\n"}) {
        const auto at = final.find(group);
        ASSERT_NE(at, std::string::npos) << group << final;
        // The header, then at least one ranked row with two day results and a final.
        EXPECT_TRUE(std::regex_search(final.substr(at),
                                      std::regex("\n1\t[0-9]+\t[^\t]+\t[0-9.]+\t[0-9.]+\t[0-9.]+\n")))
            << group << final;
    }
    // The day's non-finisher keeps no position; the non-starter has no line at all.
    const std::string day1 = section(out, "Day 1 positions\n");
    EXPECT_NE(day1.find("\nNF\t25\t"), std::string::npos) << day1;
    EXPECT_EQ(day1.find("\t17\t"), std::string::npos) << day1;

    // The jury takes one decision of each kind on day 1; the excluded crew keeps no position.
    const std::string jury = section(out, "== Day 1: the jury's decisions ==\n");
    for (const char* decision :
         {"Competitor 6: day total ", "Competitor 12: day total ", ", non-finisher of the day\n", "(+60)\n"})
        EXPECT_NE(jury.find(decision), std::string::npos) << decision << '\n' << jury;
    EXPECT_NE(day1.find("\nNF\t30\t"), std::string::npos) << day1;

    const fs::path rally = root / "Demo";
    for (const char* name :
         {"RouteSchedule/PrintRouteSchedule1.xlsx", "RouteSchedule/CheckRouteSchedule2.xlsx",
          "Marshals/VirtualMarshalSchedule1.xlsx", "Results/DayScore2_1.xlsx", "Results/DayScore1.xlsx",
          "Results/Position_Day_2.xlsx", "Results/FinalScore.xlsx"})
        EXPECT_TRUE(fs::exists(rally / name)) << name;
    EXPECT_NE(out.find("Result workbooks  " + (rally / "Results").string()), std::string::npos) << out;

    // A second demo is refused like any new rally of an existing name.
    std::string again;
    EXPECT_EQ(runCli(cli + "demo", again), 1);
    EXPECT_NE(again.find("already exists"), std::string::npos) << again;

    // `run` repeats day 2 from the same downloads with the same positions.
    for (const auto& f : fs::directory_iterator(rally / "CompetitorsLog/Bak"))
        if (f.path().filename().string()[1] == '2')
            fs::copy_file(f.path(), rally / "CompetitorsLog" / f.path().filename());
    std::string run;
    ASSERT_EQ(runCli(cli + "--yes --no-workbooks --rally Demo run --day 2", run), 0) << run;
    EXPECT_NE(run.find("== Day 2: import =="), std::string::npos) << run;
    EXPECT_NE(run.find("[39/39] "), std::string::npos) << run;
    // After the scoring, a table of the day's competitors: each scored, with its controls and total.
    std::istringstream competitors(section(run, "== Day 2: competitors ==\n"));
    std::string line;
    std::getline(competitors, line);
    std::getline(competitors, line);
    EXPECT_EQ(line, "No\tControls\tDay total\tFile\tMessage");
    int rows = 0;
    for (; std::getline(competitors, line); ++rows)
        EXPECT_TRUE(
            std::regex_match(line, std::regex("[0-9]+\t[0-9]+ of [0-9]+\t[0-9.]+\tCL2[0-9]{3}\\.csv\t")))
            << line;
    EXPECT_EQ(rows, 39) << run;
    const std::string day2 = section(out, "Day 2 positions\n");
    EXPECT_FALSE(day2.empty());
    EXPECT_EQ(section(run, "Day 2 positions\n"), day2);
}

TEST(DemoCli, ReplaceLeavesARallyItDidNotMake) {
    TempDir root;
    const std::string cli = "--data-root '" + root.path().string() + "' ";
    std::string out;
    ASSERT_EQ(runCli(cli + "new --name 'Spring Run' --short Spring", out), 0) << out;
    EXPECT_EQ(runCli(cli + "demo --short Spring --replace", out), 1);
    EXPECT_NE(out.find("was not made by demo"), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(root / "Spring/Working/config3.csv"));
}

} // namespace
} // namespace trakmora
