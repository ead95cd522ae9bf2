// Every command that prints writes its workbook where it says, and none with --no-workbooks.
#include "results/ResultsRally.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::runCli;
using test::TempDir;

const fs::path kData = fs::path(TRAKMORA_TEST_DATA);

// Runs the command with and without --no-workbooks on a fresh copy of the rally each time; the
// workbooks appear only without, and their paths are printed.
// `makeRally` sets a rally up in a data root and returns the options that open it and the root.
using MakeRally = std::function<std::pair<std::string, fs::path>()>;

void expectWorkbooks(const MakeRally& makeRally, const std::string& command,
                     const std::vector<std::string>& workbooks) {
    for (const bool skip : {true, false}) {
        const auto [rally, root] = makeRally();
        std::string out;
        ASSERT_EQ(runCli(rally + (skip ? "--no-workbooks " : "") + command, out), 0) << command << '\n'
                                                                                     << out;
        for (const std::string& name : workbooks) {
            const fs::path file = root / name;
            EXPECT_EQ(fs::exists(file), !skip) << command << (skip ? " --no-workbooks: " : ": ") << name;
            EXPECT_EQ(out.find("Workbook " + file.string() + "\n") != std::string::npos, !skip) << out;
        }
        if (skip) {
            EXPECT_EQ(out.find("Workbook "), std::string::npos) << out;
        }
    }
}

std::string scheduleRallyIn(const fs::path& root) {
    std::string out;
    EXPECT_EQ(runCli("--data-root '" + root.string() + "' new --name 'Hand Calc' --short Hand", out), 0)
        << out;
    fs::copy_file(kData / "schedule_cli20/Input_RS1.csv", root / "Hand/RouteSchedule/Input_RS1.csv");
    return "--data-root '" + root.string() + "' --rally Hand ";
}

TEST(WorkbooksCli, PrintWritesTheControlFilesThenItsWorkbook) {
    std::vector<std::unique_ptr<TempDir>> roots;
    const MakeRally scheduleRally = [&roots] {
        roots.push_back(std::make_unique<TempDir>());
        return std::pair{scheduleRallyIn(roots.back()->path()), roots.back()->path()};
    };
    expectWorkbooks(scheduleRally, "print --day 1 route", {"Hand/RouteSchedule/PrintRouteSchedule1.xlsx"});
    expectWorkbooks(scheduleRally, "print --day 1 check", {"Hand/RouteSchedule/CheckRouteSchedule1.xlsx"});
    expectWorkbooks(scheduleRally, "print --day 1 marshal", {"Hand/Marshals/VirtualMarshalSchedule1.xlsx"});
    // The control files come first, workbooks or not.
    for (const auto& root : roots)
        EXPECT_TRUE(fs::exists(root->path() / "Hand/Marshals/cp1.csv"));
}

TEST(WorkbooksCli, PrintStopsWhenTheControlFilesFail) {
    TempDir root;
    const std::string rally = scheduleRallyIn(root.path());
    std::string out;
    EXPECT_EQ(runCli(rally + "print --day 4 route", out), 1) << out;
    EXPECT_NE(out.find("is not a day of this rally"), std::string::npos) << out;
    EXPECT_TRUE(fs::is_empty(root / "Hand/Marshals"));
    EXPECT_FALSE(fs::exists(root / "Hand/RouteSchedule/PrintRouteSchedule4.xlsx"));
    EXPECT_EQ(runCli(rally + "print --day 1 summary", out), 2) << out;
}

TEST(WorkbooksCli, ScoreWritesAProvisionalSheetPerCompetitor) {
    std::vector<std::unique_ptr<TempDir>> roots;
    const MakeRally rally = [&roots] {
        roots.push_back(std::make_unique<TempDir>());
        const fs::path root = roots.back()->path();
        std::string out;
        EXPECT_EQ(runCli("--data-root '" + root.string() + "' new --name 'Leipzig Run' --short T", out), 0)
            << out;
        const fs::path kase = kData / "tracking_e2e";
        for (const char* name : {"h1001.csv", "c1002.csv"})
            fs::copy_file(kase / "CompetitorsLog" / name, root / "T/CompetitorsLog" / name);
        fs::copy_file(kase / "Marshals/cp1.csv", root / "T/Marshals/cp1.csv");
        const std::string cli = "--data-root '" + root.string() + "' --rally T ";
        EXPECT_EQ(runCli(cli + "import --day 1", out), 0) << out;
        return std::pair{cli, root};
    };
    expectWorkbooks(rally, "score --day 1", {"T/Results/DayScore1_1.xlsx", "T/Results/DayScore1_2.xlsx"});
}

TEST(WorkbooksCli, ResultsAndFinalWriteTheResultWorkbooks) {
    // The results need the day builds first, the final both days' results.
    std::vector<std::unique_ptr<test::ResultsRally>> rallies;
    const auto rally = [&rallies](bool finalToo) -> MakeRally {
        return [&rallies, finalToo] {
            auto r = std::make_unique<test::ResultsRally>(2);
            r->copyInput("results_cli");
            const std::string cli = "--data-root '" + r->root.path().string() + "' --rally Spring ";
            std::string out;
            for (const char* step : {"day --day 1", "day --day 2"})
                EXPECT_EQ(runCli(cli + step, out), 0) << out;
            if (finalToo) {
                for (const char* step :
                     {"--yes --no-workbooks results --day 1", "--yes --no-workbooks results --day 2"})
                    EXPECT_EQ(runCli(cli + step, out), 0) << out;
            }
            const fs::path root = r->root.path();
            rallies.push_back(std::move(r));
            return std::pair{cli, root};
        };
    };
    expectWorkbooks(rally(false), "--yes results --day 1",
                    {"Spring/Results/DayScore1.xlsx", "Spring/Results/Position_Day_1.xlsx"});
    expectWorkbooks(rally(true), "final", {"Spring/Results/FinalScore.xlsx"});
}

} // namespace
} // namespace trakmora
