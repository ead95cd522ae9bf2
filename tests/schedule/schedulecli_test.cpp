// A 20-line import file on a rally made with the command line, calculated by hand.
//
// Default settings: four groups at A 60, B 70, C 80, D 90 km/h, baseline B, last entries 15, 30,
// 45, 60, day start 08:00:00 (480 min). Every stretch is a multiple of 1.4 km, which takes a whole
// number of seconds at every speed used: 1.4 km at 30/35/40/45/60/70/80/90 km/h is
// 168/144/126/112/84/72/63/56 s. A line's speed governs the stretch after it.
//
//  line type   km   speeds A/B/C/D     running seconds A/B/C/D     control  A_Time..D_Time
//   1   o     0     60/60/60/60          0/   0/   0/   0
//   2   o     2.8   60/60/60/60        168/ 168/ 168/ 168
//   3   v     4.2   carried            252/ 252/ 252/ 252          1   29052 29052 29052 29052
//   4   f     5.6   60/70/80/90 (B 70) 336/ 336/ 336/ 336
//   5   c     7     carried            420/ 408/ 399/ 392
//   6   v     8.4   carried            504/ 480/ 462/ 448          2   29304 29280 29262 29248
//   7   m     9.8   carried            588/ 552/ 525/ 504
//   8   f    11.2   30/35/40/45 (B 35) 672/ 624/ 588/ 560
//   9   p    12.6   carried            840/ 768/ 714/ 672
//  10   v    14     carried           1008/ 912/ 840/ 784          3   29808 29712 29640 29584
//  11   s    15.4   0/0/0/0           1176/1056/ 966/ 896
//  12   o    16.8   60 (no time for the stretch after the stop)  1176/1056/966/896
//  13   v    18.2   carried           1260/1140/1050/ 980          4   30060 29940 29850 29780
//  14   f    19.6   60/70/80/90       1344/1224/1134/1064
//  15   o    21     80/80/80/80       1428/1296/1197/1120
//  16   v    22.4   carried           1491/1359/1260/1183          5   30291 30159 30060 29983
//  17   f    23.8   60/70/80/90       1554/1422/1323/1246
//  18   m    25.2   carried           1638/1494/1386/1302
//  19   v    26.6   carried           1722/1566/1449/1358          6   30522 30366 30249 30158
//  20   o    28     60/60/60/60       1806/1638/1512/1414
//
// Windows (abc.csv), minutes: FirstTime = A's running time + 480; LastTime = D's + 480 + 60.
// Line 3: 4.2 + 480 = 484.2 and 4.2 + 540 = 544.2; line 16: 24.85 + 480 = 504.85 and
// 19.7167 + 540 = 559.7167. The speed table holds the 12 lines that are neither "m" nor "v",
// abc.csv the 10 "v", "m", "c" and "p" lines. The expected files in schedule_cli20/expected hold
// these figures.
#include "schedule/CsvCompare.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::runCli;
using test::TempDir;

int lineCount(const std::string& text) {
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        ++n;
    return n;
}

TEST(ScheduleCli, TwentyLineImportMatchesTheHandCalculation) {
    TempDir root;
    const std::string rally = "--data-root '" + root.path().string() + "' --rally Hand ";
    std::string out;
    ASSERT_EQ(runCli("--data-root '" + root.path().string() + "' new --name 'Hand Calc' --short Hand", out),
              0)
        << out;
    const fs::path data = fs::path(TRAKMORA_TEST_DATA) / "schedule_cli20";
    fs::copy_file(data / "Input_RS1.csv", root / "Hand/RouteSchedule/Input_RS1.csv");

    ASSERT_EQ(runCli(rally + "schedule --day 1 --save", out), 0) << out;
    EXPECT_EQ(lineCount(out), 22) << out; // heading, 20 lines, where it was saved
    EXPECT_NE(
        out.find("16\tVirtual control five\tv\t22.4\t80\t80\t80\t80\t00:24:51\t00:22:39\t00:21:00\t00:19:43\t"
                 "08:24:51\t09:19:43\n"),
        std::string::npos)
        << out;

    ASSERT_EQ(runCli(rally + "controls --day 1", out), 0) << out;
    EXPECT_NE(out.find("6 controls written to "), std::string::npos) << out;

    for (const char* name : {"RouteSchedule/RS1_Data.csv", "Marshals/cp1.csv",
                             "RouteSchedule/SpeedABCD_RS1.csv", "RouteSchedule/abc.csv"})
        EXPECT_EQ(test::compareCsvFiles(root / ("Hand/" + std::string(name)),
                                        data / "expected" / fs::path(name).filename()),
                  "")
            << name;
}

TEST(ScheduleCli, DaysOutsideTheRallyAreRefused) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli("--data-root '" + root.path().string() + "' new --name 'Days' --short Days", out), 0)
        << out;
    const std::string rally = "--data-root '" + root.path().string() + "' --rally Days ";
    for (const char* command : {"schedule --day 0", "schedule --day 4", "controls --day 6"}) {
        EXPECT_EQ(runCli(rally + command, out), 1) << command;
        EXPECT_NE(out.find("is not a day of this rally (1 to 3)"), std::string::npos) << out;
    }
    EXPECT_TRUE(fs::is_empty(root / "Days/RouteSchedule"));
    EXPECT_TRUE(fs::is_empty(root / "Days/Marshals"));
}

} // namespace
} // namespace trakmora
