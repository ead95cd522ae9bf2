#include "support/TempDir.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeText;

const char* const kDefaultLine =
    "\"Spring Run\",\"123456\",42181,3,28800,28800,28800,28800,28800,4,60,70,80,90,2,\"Score Group A\","
    "\"Score Group B\",\"Score Group C\",\"Score Group D\",15,30,45,60,200,600,2,1,4,1,1\r\n";

TEST(Workspace, NewRallyMakesFoldersRegisterLineAndDefaultConfig) {
    TempDir root;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    ASSERT_TRUE(createRally(state, "Spring Run", "Spring"));
    for (const char* f : {"CompetitorsLog", "CompetitorsLog/Bak", "EntryList", "RouteSchedule", "Working",
                          "Results", "Marshals"})
        EXPECT_TRUE(fs::is_directory(root / "Spring" / f)) << f;
    EXPECT_EQ(readFile(root / "Register.csv"), "\"Spring\",\"Spring Run\"\r\n");
    EXPECT_EQ(readFile(root / "Spring/Working/config3.csv"), kDefaultLine);
    EXPECT_EQ(state.rally.shortName, "Spring");
    EXPECT_EQ(state.rally.selectedDay, 1);
}

TEST(Workspace, RefusedNamesChangeNothing) {
    TempDir root;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    ASSERT_TRUE(createRally(state, "Spring Run", "Spring"));
    writeText(root / "Spring/EntryList/EntryList.csv", "keep me");
    const std::string registerBefore = readFile(root / "Register.csv");
    struct Case {
        const char* longName;
        const char* shortName;
        const char* message; // start of the expected message
    };
    const Case cases[] = {
        {"", "X", "No Name or Short Name entered"},
        {"Autumn", "   ", "No Name or Short Name entered"},
        {"Again", "Spring", "A rally with the short name \"Spring\" already exists"},
        {"Bad", "../evil", "\"../evil\" cannot be used as a short rally name"},
        {"Quote \" name", "Quote", "The rally name must not contain a double quote"},
        {"Spring Run", "Spring2", "A rally named \"Spring Run\" is already registered (short name Spring)"},
    };
    for (const auto& c : cases) {
        const Status st = createRally(state, c.longName, c.shortName);
        EXPECT_FALSE(st) << c.shortName;
        EXPECT_EQ(st.message().rfind(c.message, 0), 0u) << st.message();
    }
    EXPECT_EQ(readFile(root / "Register.csv"), registerBefore);
    EXPECT_EQ(readFile(root / "Spring/EntryList/EntryList.csv"), "keep me");
    EXPECT_FALSE(fs::exists(root.path().parent_path() / "evil"));
}

TEST(Workspace, OpenTakesTheLastRecordWithTheLongName) {
    TempDir root;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    // Two rallies of one name, from before such names were refused.
    ASSERT_TRUE(createRally(state, "Club Run", "First"));
    ASSERT_TRUE(createRally(state, "Club Run 2", "Second"));
    ASSERT_TRUE(createRally(state, "Other", "Third"));
    writeText(root / "Register.csv",
              "\"First\",\"Club Run\"\r\n\"Second\",\"Club Run\"\r\n\"Third\",\"Other\"\r\n");
    ASSERT_TRUE(openRallyByLongName(state, "Club Run"));
    EXPECT_EQ(state.rally.shortName, "Second");
    EXPECT_EQ(openRallyByLongName(state, "").message(), "No file selected");
}

// Whichever way the second rally is reached, nothing of the first stays in use: not its entries
// (they would be scored), its day, its route schedule lines (they would be saved into the second
// rally's files) nor a damaged-settings mark.
TEST(Workspace, OpeningAnotherRallyLeavesNothingOfTheFirstInUse) {
    using Open = std::function<Status(ProgramState&)>;
    const std::pair<const char*, Open> ways[] = {
        {"by short name", [](ProgramState& s) { return openRallyByShortName(s, "Autumn"); }},
        {"by long name", [](ProgramState& s) { return openRallyByLongName(s, "Autumn Trial"); }},
        {"created", [](ProgramState& s) { return createRally(s, "Winter Run", "Winter"); }},
    };
    for (const auto& [way, open] : ways) {
        TempDir root;
        RecordingMessages messages;
        ProgramState state(root.path(), messages);
        ASSERT_TRUE(createRally(state, "Autumn Trial", "Autumn"));
        ASSERT_TRUE(createRally(state, "Spring Run", "Spring"));
        state.config.noOfDays = 5;
        state.config.lastEntry[1] = 40;
        state.entries.entries.resize(40);
        state.entries.currentEntry = 40;
        state.rally.selectedDay = 4;
        state.selectedDayStartTime = 30000;
        state.schedule.lineCount = 12;
        state.schedule.currentLine = 7;
        state.schedule.line(3).distance = 12.5;
        state.configDamaged = true;
        ASSERT_TRUE(open(state)) << way;
        EXPECT_NE(state.rally.shortName, "Spring") << way;
        EXPECT_EQ(state.entries.count(), 0) << way;
        EXPECT_EQ(state.entries.currentEntry, 0) << way;
        EXPECT_EQ(state.rally.selectedDay, 1) << way;
        EXPECT_EQ(state.selectedDayStartTime, 0) << way;
        EXPECT_EQ(state.schedule.lineCount, 0) << way;
        EXPECT_EQ(state.schedule.currentLine, 1) << way;
        EXPECT_EQ(state.schedule.line(3).distance, 0) << way;
        EXPECT_FALSE(state.configDamaged) << way;
        EXPECT_EQ(state.config.noOfDays, 3) << way; // the second rally's own (default) settings
        EXPECT_EQ(state.config.lastEntry[1], 15) << way;
    }
}

TEST(Workspace, LegacyConfigIsImportedAndDeleted) {
    TempDir root;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    ASSERT_TRUE(createRally(state, "Old", "Old"));
    writeText(
        root / "Old/Working/config.csv",
        "\"Legacy\",\"999\",42000,2,30000,30600,28800,28800,28800,2,50,65,80,90,1,\"Classic\",\"B\",\"C\","
        "\"D\",20,40,45,60,300,540,1\r\n");
    writeText(root / "Old/Working/config3.csv", "\"Stale\"\r\n");
    ASSERT_TRUE(openRallyByShortName(state, "Old"));
    EXPECT_FALSE(fs::exists(root / "Old/Working/config.csv"));
    EXPECT_EQ(
        readFile(root / "Old/Working/config3.csv"),
        "\"Legacy\",\"999\",42000,2,30000,30600,28800,28800,28800,2,50,65,65,65,1,\"Classic\",\"B\",\"C\","
        "\"D\",20,40,40,40,300,540,1,1,4,1,1\r\n");
}

TEST(Workspace, DamagedConfigIsKeptAndReported) {
    struct Case {
        const char* name;
        std::string content;
        const char* message;
    };
    const Case cases[] = {
        {"too few values", "\"R\",\"1\",42181,3\r\n", "line 1: a value is missing"},
        {"text for a number",
         std::string(kDefaultLine).replace(std::string(kDefaultLine).find(",3,"), 3, ",x,"),
         "line 1: \"x\" is not a number"},
    };
    for (const auto& c : cases) {
        TempDir root;
        RecordingMessages messages;
        ProgramState state(root.path(), messages);
        ASSERT_TRUE(createRally(state, "Spring Run", "Spring"));
        writeText(root / "Spring/Working/config3.csv", c.content);
        const Status st = openRallyByShortName(state, "Spring");
        EXPECT_FALSE(st) << c.name;
        EXPECT_NE(st.message().find(c.message), std::string::npos) << st.message();
        EXPECT_EQ(readFile(root / "Spring/Working/config3.csv.bad"), c.content) << c.name;
        EXPECT_EQ(readFile(root / "Spring/Working/config3.csv"), c.content) << "not replaced by defaults";
        EXPECT_EQ(state.config, RallyConfig::defaults("Test Rally")) << c.name;
        EXPECT_EQ(state.rally.shortName, "Spring");
    }
}

// Opening a rally saves the settings it read; a file that would not change is left untouched,
// and a file that would (here, one written by hand without its unused speed groups filled in) is
// written.
TEST(Workspace, OpeningRewritesTheSettingsOnlyWhenTheyChange) {
    TempDir root;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    ASSERT_TRUE(createRally(state, "Spring Run", "Spring"));
    const fs::path config = root / "Spring/Working/config3.csv";
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(config, longAgo);
    ASSERT_TRUE(openRallyByShortName(state, "Spring"));
    EXPECT_EQ(fs::last_write_time(config), longAgo);
    std::string handWritten = kDefaultLine;
    handWritten.replace(handWritten.find(",4,60,70,80,90,"), 15, ",2,60,70,0,0,");
    writeText(config, handWritten);
    fs::last_write_time(config, longAgo);
    ASSERT_TRUE(openRallyByShortName(state, "Spring"));
    EXPECT_GT(fs::last_write_time(config), longAgo);
    EXPECT_NE(readFile(config), handWritten);
}

TEST(Workspace, UnusedSpeedGroupsCopyTheLastGroupInUse) {
    struct Case {
        double groups;
        std::array<double, 5> speeds, last;
    };
    const Case cases[] = {{1, {0, 60, 60, 60, 60}, {0, 15, 15, 15, 15}},
                          {2, {0, 60, 70, 70, 70}, {0, 15, 30, 30, 30}},
                          {3, {0, 60, 70, 80, 80}, {0, 15, 30, 45, 45}},
                          {4, {0, 60, 70, 80, 90}, {0, 15, 30, 45, 60}},
                          {2.5, {0, 60, 70, 80, 90}, {0, 15, 30, 45, 60}}};
    for (const auto& c : cases) {
        RallyConfig config;
        config.noOfSpeedGroups = c.groups;
        normaliseSpeedGroups(config);
        EXPECT_EQ(config.groupSpeed, c.speeds) << c.groups;
        EXPECT_EQ(config.lastEntry, c.last) << c.groups;
    }
}

TEST(Workspace, AnUnreadableRegisterLineHidesNoOtherRally) {
    TempDir root;
    std::string out;
    const std::string base = "--data-root '" + root.path().string() + "' ";
    ASSERT_EQ(test::runCli(base + "new --name 'Spring Run' --short Spring", out), 0) << out;
    ASSERT_EQ(test::runCli(base + "new --name 'Autumn Run' --short Autumn", out), 0) << out;
    writeText(root / "Register.csv", "\"Spring\",\"Spring Run\"\r\n\"Old\"\r\n\"Autumn\",\"Autumn Run\"\r\n");
    EXPECT_EQ(test::runCli(base + "list", out), 1);
    EXPECT_EQ(out, root.path().string() +
                       "/Register.csv line 2: expected 2 values, found 1; the line is passed over\n"
                       "Spring\tSpring Run\nAutumn\tAutumn Run\n");
    EXPECT_EQ(test::runCli(base + "--rally Autumn entries", out), 1) << out; // no entry list yet
    EXPECT_EQ(out.find("Register.csv"), std::string::npos) << out;
    RecordingMessages messages;
    ProgramState state(root.path(), messages);
    ASSERT_TRUE(openRallyByLongName(state, "Autumn Run"));
    EXPECT_EQ(state.rally.shortName, "Autumn");
}

TEST(Workspace, CommandLineCreatesListsAndRefusesDuplicates) {
    TempDir root;
    std::string out;
    const std::string base = "--data-root '" + root.path().string() + "' ";
    EXPECT_EQ(test::runCli(base + "new --name 'Spring Run' --short Spring", out), 0) << out;
    EXPECT_EQ(readFile(root / "Spring/Working/config3.csv"), kDefaultLine);
    EXPECT_EQ(test::runCli(base + "list", out), 0);
    EXPECT_NE(out.find("Spring\tSpring Run"), std::string::npos) << out;
    EXPECT_EQ(test::runCli(base + "new --name 'Other' --short Spring", out), 1);
    EXPECT_NE(out.find("already exists"), std::string::npos) << out;
    EXPECT_EQ(readFile(root / "Register.csv"), "\"Spring\",\"Spring Run\"\r\n");
    EXPECT_EQ(test::runCli(base + "frobnicate", out), 2);
}

} // namespace
} // namespace trakmora
