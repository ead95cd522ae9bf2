#include "schedule/EditorFields.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

struct Editor {
    RecordingMessages messages;
    ProgramState state{"unused-root", messages};
    ScheduleTable& t = state.schedule;

    // Lines of the given types, 1 km apart, speed 50 in every group.
    explicit Editor(const std::vector<std::string>& types) {
        for (std::size_t i = 0; i < types.size(); ++i) {
            ScheduleLine& line = t.line(static_cast<int>(i) + 1);
            line.no = static_cast<int>(i) + 1;
            line.type = types[i];
            line.distance = static_cast<double>(i);
            line.speed = {0, 50, 50, 50, 50};
            line.limit = 100;
        }
        t.lineCount = static_cast<int>(types.size());
        state.config.noOfSpeedGroups = 4;
        state.config.baselineSpeedGroup = 2;
        state.rally.selectedDay = 1;
    }
    ScheduleLine& cur() { return t.line(t.currentLine); }
};

TEST(EditorFields, KeyFilters) {
    struct Case {
        EditField field;
        char32_t key;
        bool taken;
    };
    const Case cases[] = {
        {EditField::Instruction, U'a', true},   {EditField::Instruction, U' ', true},
        {EditField::Instruction, U'\'', false}, {EditField::Instruction, U',', false},
        {EditField::Instruction, U'"', false},  {EditField::Type, U'v', true},
        {EditField::Limit, U'.', true},         {EditField::Distance, U'7', true},
        {EditField::Distance, U'.', false},     {EditField::Distance, U'-', false},
        {EditField::SpeedA, U'0', true},        {EditField::SpeedD, U'9', true},
        {EditField::SpeedC, U'x', false},       {EditField::Latitude, U'-', true},
        {EditField::Longitude, U'5', true},     {EditField::AddTimeB, U'1', false},
        {EditField::AddTimeA, U'a', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fieldTakesCharacter(c.field, c.key), c.taken)
            << static_cast<int>(c.field) << " " << static_cast<char>(c.key);
}

TEST(EditorFields, FieldsOpenByLineTypeAndBaseline) {
    // Fields 1..14 for each type with baseline B: 1 open, 0 closed.
    struct Case {
        const char* type;
        const char* open;
    };
    const Case cases[] = {
        {"f", "11110100111100"}, {"o", "11110100111100"}, {"a", "11111111111100"},
        {"s", "11110000111100"}, {"v", "11110000000011"}, {"c", "11110000000000"},
        {"m", "11110000000000"}, {"p", "11110000000000"}, {"x", "11110000000000"},
    };
    for (const Case& c : cases) {
        std::string got;
        for (int f = 1; f <= kEditFieldCount; ++f)
            got += fieldOpenForType(static_cast<EditField>(f), c.type, 2) ? '1' : '0';
        EXPECT_EQ(got, c.open) << c.type;
    }
    EXPECT_TRUE(fieldOpenForType(EditField::SpeedD, "o", 4));
    EXPECT_FALSE(fieldOpenForType(EditField::SpeedB, "o", 4));
}

TEST(EditorFields, TypeAndLimitKeys) {
    Editor e({"o", "o", "o"});
    e.t.currentLine = 2;
    const char* types[] = {"f", "o", "a", "s", "v"};
    Status st;
    for (int key = 1; key <= 5; ++key) {
        ASSERT_TRUE(applyFunctionKey(e.state, EditField::Type, key, st));
        EXPECT_TRUE(st.ok());
        EXPECT_EQ(e.cur().type, types[key - 1]);
    }
    EXPECT_FALSE(applyFunctionKey(e.state, EditField::Type, 6, st));
    EXPECT_EQ(e.cur().type, "v");

    e.cur().type = "s"; // propagated at once: an "s" line has no speed
    ASSERT_TRUE(applyFunctionKey(e.state, EditField::Type, 4, st));
    EXPECT_EQ(e.cur().speed[2], 0);

    const double limits[] = {60, 80, 100, 120};
    for (int key = 1; key <= 4; ++key) {
        ASSERT_TRUE(applyFunctionKey(e.state, EditField::Limit, key, st));
        EXPECT_EQ(e.cur().limit, limits[key - 1]);
    }
    EXPECT_FALSE(applyFunctionKey(e.state, EditField::Limit, 5, st));
    EXPECT_FALSE(applyFunctionKey(e.state, EditField::Instruction, 1, st));
    EXPECT_EQ(e.cur().limit, 120);
}

TEST(EditorFields, AddedTimeKeysStepClampAndMirror) {
    Editor e({"o", "o", "o"});
    e.state.config.noOfSpeedGroups = 2;
    e.t.currentLine = 1;
    Status st;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(applyFunctionKey(e.state, EditField::AddTimeB, 2, st));
    for (int g = 2; g <= 4; ++g)
        EXPECT_DOUBLE_EQ(e.cur().addTime[static_cast<std::size_t>(g)], 3);
    EXPECT_EQ(e.cur().addTime[1], 0);
    // The next line is reached 3 minutes later by group B.
    EXPECT_NEAR(e.t.line(2).rallyTime[2] * 60, 3 + 60.0 / 50, 1e-9);

    ScheduleLine& line = e.cur();
    line.addTime[1] = 5.0 / 60; // 00:00:05
    ASSERT_TRUE(applyFunctionKey(e.state, EditField::AddTimeA, 4, st));
    EXPECT_EQ(line.addTime[1], 0);
    for (int i = 0; i < 25; ++i)
        applyFunctionKey(e.state, EditField::AddTimeA, 3, st);
    EXPECT_EQ(line.addTime[1], 120);
    applyFunctionKey(e.state, EditField::AddTimeA, 6, st);
    EXPECT_DOUBLE_EQ(line.addTime[1], 115);
    applyFunctionKey(e.state, EditField::AddTimeA, 5, st);
    applyFunctionKey(e.state, EditField::AddTimeA, 1, st);
    EXPECT_NEAR(line.addTime[1], 114 + 1.0 / 6, 1e-9);
}

TEST(EditorFields, LeavingFieldsStoresWhatTheyHold) {
    Editor e({"o", "o", "o"});
    e.t.currentLine = 2;
    ScheduleLine& line = e.cur();

    ASSERT_TRUE(leaveField(e.state, EditField::Instruction, "Left, at the 'Red' \"Lion\""));
    EXPECT_EQ(line.instruction, "Left at the Red Lion");

    struct LimitCase {
        const char* text;
        double limit;
    };
    for (const LimitCase& c : {LimitCase{"80", 80}, LimitCase{"abc", 80}, LimitCase{"62.5", 62.5},
                               LimitCase{"1.2.3", 62.5}, LimitCase{"", 120}}) {
        leaveField(e.state, EditField::Limit, c.text);
        EXPECT_EQ(line.limit, c.limit) << c.text;
    }

    // The baseline speed is stored and propagated; empty or pasted text keeps the old speed.
    leaveField(e.state, EditField::SpeedB, "72");
    EXPECT_EQ(line.speed[2], 72);
    EXPECT_EQ(line.speed[1], 72);
    leaveField(e.state, EditField::SpeedB, "");
    leaveField(e.state, EditField::SpeedB, "7x");
    EXPECT_EQ(line.speed[2], 72);

    leaveField(e.state, EditField::Latitude, "3386512");
    EXPECT_DOUBLE_EQ(line.lat, 33.86512);
    leaveField(e.state, EditField::Longitude, "");
    EXPECT_EQ(line.lon, 0);

    leaveField(e.state, EditField::Type, "s");
    EXPECT_EQ(line.type, "s");
    EXPECT_EQ(line.speed[2], 0);
}

TEST(EditorFields, DistanceEntryKeepsTheLineBehindThePreviousOne) {
    struct Case {
        const char* previousType;
        double previousKm;
        const char* entry;
        double stored;
    };
    const Case cases[] = {
        {"o", 12.34, "1234", 12.34}, {"o", 10, "1234", 12.34}, {"o", 15, "1234", 15},
        {"s", 10, "1234", 10},       {"o", 10, "", 10},        {"o", 0, "5", 0.05},
    };
    for (const Case& c : cases) {
        Editor e({"o", "o"});
        e.t.line(1).type = c.previousType;
        e.t.line(1).distance = c.previousKm;
        e.t.currentLine = 2;
        leaveField(e.state, EditField::Distance, c.entry);
        EXPECT_DOUBLE_EQ(e.cur().distance, c.stored) << c.previousType << c.previousKm << " " << c.entry;
    }
    Editor e({"o", "v"});
    e.t.currentLine = 2;
    e.cur().distance = 12.34;
    e.cur().lat = -33.86512;
    EXPECT_EQ(entryBoxText(e.t, EditField::Distance), "1234");
    EXPECT_EQ(entryBoxText(e.t, EditField::Latitude), "-3386512");
    EXPECT_EQ(entryBoxText(e.t, EditField::Longitude), "0");
    EXPECT_EQ(entryBoxText(e.t, EditField::Limit), "");
    e.t.currentLine = 3; // beyond the last line
    EXPECT_EQ(entryBoxText(e.t, EditField::Distance), "");
    EXPECT_EQ(distanceEntryText(12.34), "1234");
    EXPECT_EQ(coordinateEntryText(-33.86512), "-3386512");
    EXPECT_FALSE(distanceEntryKm("12a").has_value());
    // A coordinate passes through its box with its sign; pasted text keeps the stored value.
    constexpr double kept = -1.5;
    e.t.currentLine = 2;
    struct Coordinate {
        const char* entry;
        double stored;
    };
    for (const Coordinate& c :
         {Coordinate{"-3386512", -33.86512}, Coordinate{"15120993", 151.20993}, Coordinate{"", 0},
          Coordinate{"12-3", kept}, Coordinate{"-", kept}, Coordinate{"--5", kept}}) {
        leaveField(e.state, EditField::Latitude, coordinateEntryText(kept));
        ASSERT_EQ(e.cur().lat, kept);
        const Status st = leaveField(e.state, EditField::Latitude, c.entry);
        EXPECT_DOUBLE_EQ(e.cur().lat, c.stored) << c.entry;
        EXPECT_EQ(st.ok(), c.stored != kept) << c.entry;
        if (!st) {
            EXPECT_NE(st.message().find("the latitude stays -1.5"), std::string::npos) << st.message();
        }
    }
}

TEST(EditorFields, DaysAndLines) {
    EXPECT_EQ(nextSelectedDay(5, 2), 1); // the screen opens on day 5
    EXPECT_EQ(nextSelectedDay(1, 2), 2);
    EXPECT_EQ(nextSelectedDay(2, 2), 1);
    EXPECT_EQ(nextSelectedDay(4, 5), 5);
    EXPECT_EQ(nextSelectedDay(5, 5), 1);

    Editor e({"o", "o", "o"});
    e.t.currentLine = 1;
    stepCurrentLine(e.state, -1);
    EXPECT_EQ(e.t.currentLine, 1);
    stepCurrentLine(e.state, 1);
    stepCurrentLine(e.state, 1);
    stepCurrentLine(e.state, 1);
    EXPECT_EQ(e.t.currentLine, 3);
    EXPECT_NEAR(e.t.line(3).rallyTime[1], 2.0 / 50, 1e-12); // times recalculated
}

TEST(EditorFields, AClickOnAWindowRowGoesToItsLine) {
    struct Case {
        int current;
        int row; // 0..6, the current line in row 3
        bool moved;
        int currentAfter;
    };
    const Case cases[] = {
        {3, 1, true, 1}, {3, 5, true, 5},  {3, 3, true, 3},   {3, 0, false, 3}, {3, 6, false, 3},
        {1, 4, true, 2}, {1, 6, true, 4},  {1, 2, false, 1},  {5, 0, true, 2},  {5, 4, false, 5},
        {4, 4, true, 5}, {4, 5, false, 4}, {2, -1, false, 2}, {2, 7, false, 2},
    };
    for (const Case& c : cases) {
        Editor e({"o", "o", "f", "o", "o"});
        e.t.currentLine = c.current;
        EXPECT_EQ(goToWindowRow(e.state, c.row), c.moved) << "line " << c.current << " row " << c.row;
        EXPECT_EQ(e.t.currentLine, c.currentAfter) << "line " << c.current << " row " << c.row;
    }
    Editor e({"o", "o", "o"});
    e.t.currentLine = 3;
    ASSERT_TRUE(goToWindowRow(e.state, 2));
    EXPECT_NEAR(e.t.line(2).rallyTime[1], 1.0 / 50, 1e-12); // times recalculated
}

} // namespace
} // namespace trakmora
