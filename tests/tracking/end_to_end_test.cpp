// A real drive through the command line: the i-Blue 747 track of tests/data/tracks, driven by four
// competitors one minute apart on day 1 with the four logger layouts, against eight controls on
// the route (tests/data/tracking_e2e, built by its make_case.py).
#include "support/TempDir.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::csvDifference;
using test::readFile;
using test::runCli;
using test::TempDir;

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";
const char* const kDownloads[] = {"h1001.csv", "c1002.csv", "e1003.csv", "x1004.csv"};

TEST(TrackingEndToEnd, FourLoggerLayoutsImportAndScoreToTheSecond) {
    TempDir root;
    const std::string cli = "--data-root '" + root.path().string() + "' ";
    std::string out;
    ASSERT_EQ(runCli(cli + "new --name 'Leipzig Run' --short T", out), 0) << out;
    const fs::path rally = root / "T";
    for (const char* name : kDownloads)
        fs::copy_file(kCase / "CompetitorsLog" / name, rally / "CompetitorsLog" / name);
    fs::copy_file(kCase / "Marshals/cp1.csv", rally / "Marshals/cp1.csv");

    ASSERT_EQ(runCli(cli + "--rally T import --day 1", out), 0) << out;
    EXPECT_NE(out.find("[1/4] h1001.csv: 747 fixes kept of 747 records -> CL1001.csv"), std::string::npos)
        << out;
    EXPECT_NE(out.find("[3/4] e1003.csv: "), std::string::npos) << out;
    for (int no = 1; no <= 4; ++no) {
        const std::string cl = "CL100" + std::to_string(no) + ".csv";
        EXPECT_EQ(csvDifference(rally / "CompetitorsLog" / cl, kCase / "expected" / cl), "");
    }
    for (const char* name : kDownloads) {
        EXPECT_FALSE(fs::exists(rally / "CompetitorsLog" / name)) << name;
        EXPECT_TRUE(fs::exists(rally / "CompetitorsLog/Bak" / name)) << name;
    }

    ASSERT_EQ(runCli(cli + "--rally T score --day 1", out), 0) << out;
    EXPECT_NE(
        out.find("[1/4] CL1001.csv: competitor 1, speed group A, 8 controls, DayTotal 1509 -> R1001.csv"),
        std::string::npos)
        << out;
    for (int no = 1; no <= 4; ++no) {
        const std::string r = "R100" + std::to_string(no) + ".csv";
        EXPECT_EQ(csvDifference(rally / "Results" / r, kCase / "expected" / r), "");
        EXPECT_FALSE(fs::exists(rally / "CompetitorsLog" / ("CL100" + std::to_string(no) + ".csv")));
    }

    // Competitor 1 (Holux) checked by hand from CL1001.csv and cp1.csv. Group A; ideal time =
    // A_Time + 60. Positive scores are early.
    //  1 on fix 130 (45513): pair 130/129, the foot is fix 130 itself: T = 45513; 45501 - 45513 = -12
    //  2 half-way 200 (46021) / 201 (46027): T = 46024; 46024 - 46024 = 0
    //  3 on fix 270 (46538): T = 46538; 46545 - 46538 = 7
    //  4 half-way 340 (47002) / 341 (47007): T = 47004.5; 47049 - 47004.5 = 44.5, rounded 45
    //    (the foot is not exactly half-way in binary: 44.50000000002)
    //  5 on fix 410 (47408): T = 47408; 47158 - 47408 = -250
    //  6 half-way 480 (47824) / 481 (47835): fix 480 is outside the time window (ideal 48428 - 600
    //    = 47828), so fix 481 pairs with the 5000 filler; the foot on the line from (1, 1) to fix 481
    //    falls 0.95 s beyond it: T = 47835.95; 48428 - 47835.95 = 592.05, scored 592
    //  7 ideal 49024: no fix near the control inside the window, the fillers give 600
    //  8 half-way 640 (48734) / 641 (48739): T = 48736.5; 48733 - 48736.5 = -3.5, rounded -3
    //    (the foot lies a hair before half-way: -3.49999999993)
    EXPECT_EQ(readFile(rally / "Results/R1001.csv"), "-12\r\n0\r\n7\r\n45\r\n-250\r\n592\r\n600\r\n-3\r\n");
    // The Canmore and Lumo competitors drove the same fixes a minute later each: the same scores.
    EXPECT_EQ(readFile(rally / "Results/R1002.csv"), readFile(rally / "Results/R1001.csv"));
    EXPECT_EQ(readFile(rally / "Results/R1004.csv"), readFile(rally / "Results/R1001.csv"));
}

TEST(TrackingEndToEnd, ScoringWithoutControlFileSaysSoAndWritesNothing) {
    TempDir root;
    const std::string cli = "--data-root '" + root.path().string() + "' ";
    std::string out;
    ASSERT_EQ(runCli(cli + "new --name 'No Controls' --short N", out), 0) << out;
    test::writeText(root / "N/CompetitorsLog/CL1001.csv", "1,51.3,12.4,36000\r\n");
    test::writeText(root / "N/CompetitorsLog/CL1002.csv", "1,51.3,12.4,36000\r\n");
    EXPECT_EQ(runCli(cli + "--rally N score --day 1", out), 1);
    EXPECT_NE(out.find("[1/2] CL1001.csv: No Coordinates for controls have been loaded"), std::string::npos)
        << out;
    EXPECT_TRUE(fs::exists(root / "N/CompetitorsLog/CL1001.csv"));
    EXPECT_TRUE(fs::is_empty(root / "N/Results"));
}

} // namespace
} // namespace trakmora
