#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trakmora {
namespace {
using test::readFile;
using test::runCli;
using test::TempDir;

std::string cli(const TempDir& root, const std::string& args) {
    return "--data-root '" + root.path().string() + "' " + args;
}

TEST(ConfigCommand, ShowsEverySettingFormatted) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    ASSERT_EQ(runCli(cli(root, "--rally Spring config"), out), 0) << out;
    for (const char* line : {" 1  RallyName           Spring Run\n", " 3  StartDate           26 Jun 2015\n",
                             " 5  DayStartTime1       08:00:00\n", "19  ScoreGroupNameD     Score Group D\n",
                             "26  BaselineSpeedGroup  2\n", "30  LumoOffset          1\n",
                             "(not set: this computer's offset on the start date)\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\nin\n" << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 31);
}

TEST(ConfigCommand, UtcOffsetIsKeptApartFromTheThirtyFields) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    const std::string config3 = readFile(root / "Spring/Working/config3.csv");
    for (const auto& [given, shown] : std::vector<std::pair<std::string, std::string>>{
             {"+02:00", "+02:00"}, {"-18000", "-05:00"}, {"5:45", "+05:45"}}) {
        ASSERT_EQ(runCli(cli(root, "--rally Spring config --set UtcOffset=" + given), out), 0) << out;
        EXPECT_NE(out.find("31  UtcOffset           " + shown + "\n"), std::string::npos) << out;
        EXPECT_EQ(readFile(root / "Spring/Working/UtcOffset.csv"), "\"UtcOffset\",\"" + shown + "\"\r\n");
        EXPECT_EQ(readFile(root / "Spring/Working/config3.csv"), config3);
    }
    // Read back when the rally is opened again; a value that is no offset changes nothing.
    EXPECT_EQ(runCli(cli(root, "--rally Spring config --set UtcOffset=+2"), out), 1);
    EXPECT_NE(out.find("\"+2\" is not a value for UtcOffset"), std::string::npos) << out;
    ASSERT_EQ(runCli(cli(root, "--rally Spring config"), out), 0) << out;
    EXPECT_NE(out.find("31  UtcOffset           +05:45\n"), std::string::npos) << out;
}

TEST(ConfigCommand, SetClampsNormalisesAndSaves) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    ASSERT_EQ(runCli(cli(root, "--rally Spring config --set NoOfSpeedGroups=2 --set 12=200 "
                               "--set StartDate=2024-07-13 --set DayStartTime2=7:30:00 --set PermitNo= "
                               "--set LastEntryB=25"),
                     out),
              0)
        << out;
    EXPECT_NE(out.find("GroupSpeedB: 200 is outside the limits, 120 is used"), std::string::npos) << out;
    EXPECT_EQ(readFile(root / "Spring/Working/config3.csv"),
              "\"Spring Run\",\"No Number\",45486,3,28800,27000,28800,28800,28800,2,60,120,120,120,2,"
              "\"Score Group A\",\"Score Group B\",\"Score Group C\",\"Score Group "
              "D\",15,25,25,25,200,600,2,1,4,1,1\r\n");
}

TEST(ConfigCommand, BadInputChangesNothing) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    const std::string before = readFile(root / "Spring/Working/config3.csv");
    struct Case {
        const char* args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"--rally Spring config --set GroupSpeedA=70 --set GroupSpeedB=fast", 1,
         "\"fast\" is not a value for GroupSpeedB"},
        {"--rally Spring config --set NoOfDays=2.5", 1, "NoOfDays takes whole numbers only"},
        {"--rally Spring config --set 'RallyName=Say \"hi\"'", 1, "must not contain a double quote"},
        {"--rally Spring config --set Colour=red", 2, "There is no configuration field \"Colour\""},
        {"--rally Spring config --set GroupSpeedA", 2, "--set takes FIELD=VALUE"},
        {"config", 2, "This command needs an open rally"},
        {"--rally Nowhere config", 1, "No rally with the short name \"Nowhere\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runCli(cli(root, c.args), out), c.status) << c.args << "\n" << out;
        EXPECT_NE(out.find(c.message), std::string::npos) << c.args << "\n" << out;
        EXPECT_EQ(readFile(root / "Spring/Working/config3.csv"), before) << c.args;
    }
}

// A spreadsheet program rewrote the start date as 26/06/2015. The settings file stays as it is,
// nothing runs on the default settings but `config`, and saving the settings mends it.
TEST(ConfigCommand, DamagedSettingsStopEveryCommandButConfig) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    ASSERT_EQ(runCli(cli(root, "--rally Spring config --set TimeWindow=300"), out), 0) << out;
    const auto file = root / "Spring/Working/config3.csv";
    std::string damaged = readFile(file);
    damaged.replace(damaged.find("42181"), 5, "26/06/2015");
    test::writeText(file, damaged);

    for (const char* command : {"schedule --day 1", "--yes run --day 1", "final"}) {
        EXPECT_EQ(runCli(cli(root, std::string("--rally Spring ") + command), out), 1) << command << '\n'
                                                                                       << out;
        EXPECT_NE(out.find("\"26/06/2015\" is not a number"), std::string::npos) << out;
        EXPECT_EQ(readFile(file), damaged) << command;
    }
    EXPECT_FALSE(std::filesystem::exists(root / "Spring/RouteSchedule/RS1_Data.csv"));
    EXPECT_EQ(runCli(cli(root, "--rally Spring config"), out), 0) << out;
    EXPECT_EQ(readFile(file), damaged);
    // Setting a field would save the defaults of all the others: only on purpose.
    EXPECT_EQ(runCli(cli(root, "--rally Spring config --set TimeWindow=300"), out), 1) << out;
    EXPECT_NE(out.find("pass --yes to save the defaults with these changes"), std::string::npos) << out;
    EXPECT_EQ(readFile(file), damaged);
    EXPECT_EQ(runCli(cli(root, "--yes --rally Spring config --set TimeWindow=300"), out), 0) << out;
    EXPECT_EQ(runCli(cli(root, "--rally Spring schedule --day 1"), out), 0) << out;
}

} // namespace
} // namespace trakmora
