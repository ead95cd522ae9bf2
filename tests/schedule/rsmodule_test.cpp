#include "schedule/RSModule.h"

#include "support/RallyFixture.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

const char* const kHeader = test::kScheduleHeader;

struct Rally : test::TestRally {
    Rally() : TestRally("Schedule Run", "Sched") {}
    fs::path file(const std::string& name) const { return root / ("Sched/RouteSchedule/" + name); }
};

TEST(RSModule, DayWithoutFilesGetsTheTemplateSavedAtOnce) {
    Rally r;
    r.state.rally.selectedDay = 2;
    LoadSource source = LoadSource::DataFile;
    ASSERT_TRUE(loadDay(r.state, &source));
    EXPECT_EQ(source, LoadSource::Template);
    EXPECT_EQ(r.messages.texts, std::vector<std::string>{"No data to load"});
    EXPECT_EQ(r.state.schedule.lineCount, 4);
    EXPECT_EQ(readFile(r.file("RS2_Data.csv")),
              std::string(kHeader) +
                  "1,\"Start of Rally - edit this line\",\"o\",0,0,0,0,0,120,0,0,0,0,0,0\r\n"
                  "2,\"Second instruction/clue - edit this line\",\"o\",1,0,0,0,0,120,0,0,0,0,0,0\r\n"
                  "3,\"Third instruction/clue - edit this line\",\"o\",2,0,0,0,0,120,0,0,0,0,0,0\r\n"
                  "4,\"Use ADD ROW for future lines\",\"o\",3,0,0,0,0,120,0,0,0,0,0,0\r\n");
}

TEST(RSModule, ImportPutsTheSpeedInTheBaselineGroupAndLimit120) {
    Rally r;
    // An earlier day left added times, limits and coordinates in the table.
    for (int i = 1; i <= 3; ++i) {
        r.state.schedule.line(i).limit = 60;
        r.state.schedule.line(i).addTime = {0, 3, 3, 3, 3};
        r.state.schedule.line(i).lat = -30;
    }
    writeText(r.file("Input_RS1.csv"),
              "No,Clue,T,Km,Speed\r\n1,\"Start\",\"a\",0,50\r\n2,\"Bend\",o,1.5,40\r\n");
    r.state.config.baselineSpeedGroup = 2;
    LoadSource source = LoadSource::DataFile;
    ASSERT_TRUE(loadDay(r.state, &source));
    EXPECT_EQ(source, LoadSource::ImportFile);
    const ScheduleTable& t = r.state.schedule;
    ASSERT_EQ(t.lineCount, 2);
    // "a" keeps the imported speed in B only; "o" copies it.
    EXPECT_EQ(t.line(1).speed, (std::array<double, 5>{0, 0, 50, 0, 0}));
    EXPECT_EQ(t.line(2).speed, (std::array<double, 5>{0, 40, 40, 40, 40}));
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(t.line(i).limit, 120);
        EXPECT_EQ(t.line(i).addTime, (std::array<double, 5>{}));
        EXPECT_EQ(t.line(i).lat, 0);
    }
    EXPECT_EQ(t.line(3), ScheduleLine{});             // nothing of the earlier day stays above the count
    EXPECT_FALSE(fs::exists(r.file("RS1_Data.csv"))); // written at the next save
    // Running times were calculated: 1.5 km at 50 km/h in group B.
    EXPECT_DOUBLE_EQ(t.line(2).rallyTime[2], 0.03);
}

TEST(RSModule, DataFileIsPreferredToTheImportFile) {
    Rally r;
    writeText(r.file("Input_RS1.csv"), "a,b,c,d,e\r\n1,\"Imported\",\"o\",0,50\r\n");
    writeText(r.file("RS1_Data.csv"),
              std::string(kHeader) + "1,\"Stored\",\"o\",0,0,50,0,0,80,0,0,0,0,0,0\r\n");
    ASSERT_TRUE(loadDay(r.state));
    EXPECT_EQ(r.state.schedule.line(1).instruction, "Stored");
    EXPECT_EQ(r.state.schedule.line(1).limit, 80);
}

TEST(RSModule, DataFileRoundTripKeepsAllFifteenFields) {
    Rally r;
    ScheduleTable& t = r.state.schedule;
    ScheduleLine a;
    a.instruction = "Left at the  old church / 2nd gate";
    a.type = "a";
    a.distance = 12.34;
    a.speed = {0, 41.5, 50, 60.25, 1.0 / 3};
    a.limit = 100;
    a.addTime = {0, 1.0 / 6, 1.5, 2.0 / 3, 120};
    a.lat = -33.86785;
    a.lon = 151.20732;
    ScheduleLine b;
    b.instruction = "odd type kept";
    b.type = "zz";
    b.distance = 0.1 + 0.2;
    t.line(1) = a;
    t.line(2) = b;
    t.lineCount = 2;
    ASSERT_TRUE(saveDay(r.state));
    std::vector<ScheduleLine> read;
    ASSERT_TRUE(readScheduleDataFile(r.file("RS1_Data.csv"), read));
    ASSERT_EQ(read.size(), 2u);
    a.no = 1;
    b.no = 2;
    EXPECT_EQ(read[0], a);
    EXPECT_EQ(read[1], b);
}

TEST(RSModule, SavingNoLinesWritesLineOne) {
    Rally r;
    r.state.schedule.lineCount = 0;
    r.state.schedule.line(1).instruction = "kept";
    ASSERT_TRUE(saveDay(r.state));
    EXPECT_EQ(readFile(r.file("RS1_Data.csv")),
              std::string(kHeader) + "1,\"kept\",\"\",0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    EXPECT_EQ(r.state.schedule.lineCount, 1);
}

TEST(RSModule, BadFilesAreReportedAndLeaveTheTableAsItWas) {
    std::string tooLong = kHeader;
    for (int i = 1; i <= 1000; ++i)
        tooLong += std::to_string(i) + ",\"x\",\"o\",0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    struct Case {
        const char* file;
        std::string content;
        std::string message; // after the file's path
    };
    const Case cases[] = {
        {"RS1_Data.csv", std::string(kHeader) + "1,\"A\",\"o\",zero,0,0,0,0,0,0,0,0,0,0,0\r\n",
         " line 2: \"zero\" is not a number"},
        {"RS1_Data.csv",
         std::string(kHeader) + "1,\"A\",\"o\",0,0,0,0,0,0,0,0,0,0,0,0\r\n2,\"B\",\"o\",1,5\r\n",
         " line 3: a value is missing"},
        {"RS1_Data.csv", tooLong, " line 1001: more than 999 lines; a day holds at most 999"},
        {"Input_RS1.csv", "a,b,c,d,e\r\n1,\"A\",\"o\",1,fast\r\n", " line 2: \"fast\" is not a number"},
        {"RS1_Data.csv", "", " line 1: a value is missing"},
    };
    for (const auto& c : cases) {
        Rally r;
        r.state.schedule.line(1).instruction = "before";
        r.state.schedule.lineCount = 1;
        writeText(r.file(c.file), c.content);
        const Status st = loadDay(r.state);
        EXPECT_EQ(st.message(), r.file(c.file).string() + c.message);
        EXPECT_EQ(r.state.schedule.line(1).instruction, "before");
        EXPECT_EQ(r.state.schedule.lineCount, 1);
    }
}

TEST(RSModule, ExactlyNineHundredNinetyNineLinesLoad) {
    Rally r;
    std::string content = kHeader;
    for (int i = 1; i <= 999; ++i)
        content += std::to_string(i) + ",\"x\",\"o\"," + std::to_string(i) + ",0,50,0,0,0,0,0,0,0,0,0\r\n";
    writeText(r.file("RS1_Data.csv"), content);
    ASSERT_TRUE(loadDay(r.state));
    EXPECT_EQ(r.state.schedule.lineCount, 999);
    EXPECT_EQ(r.state.schedule.line(999).speed[1], 50);
}

TEST(RSModule, FieldsAreTakenInSequenceWhateverTheLineBreaks) {
    Rally r;
    writeText(r.file("RS1_Data.csv"),
              std::string(kHeader) + "1,\"Split\",\"o\",2.5,0,60\r\n,0,120,0,0,0,0,0,0\r\n");
    ASSERT_TRUE(loadDay(r.state));
    EXPECT_EQ(r.state.schedule.lineCount, 1);
    EXPECT_EQ(r.state.schedule.line(1).limit, 120);
    EXPECT_EQ(r.state.schedule.line(1).speed[2], 60);
}

TEST(RSModule, ZeroBaselineSpeedIsReportedAfterLoading) {
    Rally r;
    r.state.config.groupSpeed[2] = 0;
    writeText(r.file("Input_RS1.csv"), "a,b,c,d,e\r\n1,\"Start\",\"f\",0,50\r\n");
    EXPECT_EQ(loadDay(r.state).message(), "Group B Speed is 0: speeds cannot be calculated");
    EXPECT_EQ(r.state.schedule.lineCount, 1);
    EXPECT_EQ(r.state.schedule.line(1).speed, (std::array<double, 5>{0, 0, 50, 0, 0}));
}

TEST(RSModule, LikelyTypingMistakesAreShownOnLoadingAndNothingChanges) {
    Rally r;
    writeText(r.file("Input_RS1.csv"), "a,b,c,d,e\r\n"
                                       "1,\"Start\",\"f\",0,50\r\n"
                                       "2,\"Control one\",\"V\",4,0\r\n"
                                       "3,\"Plain clue\",\"\",6,0\r\n"
                                       "4,\"Bridge\",\"bridge\",1.25,0\r\n"
                                       "5,\"Control two\",\"v\",14,0\r\n");
    ASSERT_TRUE(loadDay(r.state));
    ASSERT_EQ(r.messages.texts.size(), 1u);
    EXPECT_EQ(
        r.messages.texts[0],
        "Input_RS1.csv:\n"
        "line 2: the type \"V\" is no line type, so the line is neither a control nor a change of speed "
        "(the types are small letters: \"v\")\n"
        "line 4: the type \"bridge\" is no line type, so the line is neither a control nor a change of "
        "speed\n"
        "line 4: 1.25 km comes before line 3 at 6 km, which gives the stretch a negative running time");
    EXPECT_EQ(r.state.schedule.line(2).type, "V");
    EXPECT_EQ(r.state.schedule.line(4).distance, 1.25);
    // A sound day says nothing.
    EXPECT_EQ(scheduleWarnings({ScheduleLine{}, ScheduleLine{}}), "");
}

} // namespace
} // namespace trakmora
