#include "common/Format.h"
#include "workspace/ConfigEditor.h"
#include "workspace/ConfigFields.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

TEST(ConfigFields, StepsStopAtTheLimits) {
    struct Case {
        int field;
        double start;
        int direction;
        double expected;
    };
    const Case cases[] = {
        {3, 42181, +1, 42182},  {3, 80000, +1, 80000},  {3, 40000, -1, 40000},
        {4, 5, +1, 5},          {4, 1, -1, 1},          {4, 3, +1, 4},
        {5, 86100, +1, 86400},  {5, 86400, +1, 86400},  {9, 120, -1, 0},
        {7, 28800, -1, 28500},  {10, 4, +1, 4},         {10, 1, -1, 1},
        {11, 120, +1, 120},     {12, 40, -1, 40},       {13, 117, +1, 120},
        {14, 42, -1, 40},       {15, 4, +1, 4},         {20, 300, +1, 300},
        {21, 0, -1, 0},         {22, 299, +1, 300},     {23, 1, -1, 0},
        {24, 2000, +1, 2000},   {24, 100, -1, 100},     {24, 150, -1, 100},
        {25, 60, -1, 60},       {25, 990, +1, 1000},    {25, 600, +1, 630},
        {27, 10, +1, 10},       {28, 0, -1, 0},         {29, 10, +1, 10},
        {30, 0, -1, 0},         {30, 4, +1, 5},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        setNumericValue(config, c.field, c.start);
        stepField(config, c.field, c.direction);
        EXPECT_EQ(numericValue(config, c.field), c.expected) << "field " << c.field << " from " << c.start;
    }
}

TEST(ConfigFields, BaselineIsBoundedByTheSpeedGroupsInUse) {
    struct Case {
        double groups;
        double start;
        int direction;
        double expected;
    };
    const Case cases[] = {
        {1, 1, +1, 1}, {3, 2, +1, 3}, {3, 3, +1, 3}, {4, 3, +1, 4}, {2, 1, -1, 1},
        {2, 4, -1, 2}, // left above the count by an earlier reduction: "-" brings it into range
        {0, 1, +1, 1}, // a damaged count never pushes the baseline below group A
    };
    for (const auto& c : cases) {
        RallyConfig config;
        config.noOfSpeedGroups = c.groups;
        config.baselineSpeedGroup = c.start;
        stepField(config, 26, c.direction);
        EXPECT_EQ(config.baselineSpeedGroup, c.expected) << c.groups << " groups from " << c.start;
    }
    // Reducing the number of speed groups leaves the baseline alone.
    RallyConfig config;
    config.baselineSpeedGroup = 4;
    stepField(config, 10, -1);
    stepField(config, 10, -1);
    EXPECT_EQ(config.noOfSpeedGroups, 2);
    EXPECT_EQ(config.baselineSpeedGroup, 4);
}

TEST(ConfigFields, TextFieldsReplaceEmptyTextAndIgnoreSteps) {
    RallyConfig config;
    struct Case {
        int field;
        std::string typed;
        std::string stored;
    };
    const Case cases[] = {
        {1, "", "No Name"},          {2, "", "No Number"},       {16, "", "No Name"},
        {19, "Vintage", "Vintage"},  {1, "Spring, 2024", "Spring, 2024"},
    };
    for (const auto& c : cases) {
        std::string text = c.typed;
        ASSERT_TRUE(acceptText(config, c.field, text));
        EXPECT_EQ(text, c.stored);
        EXPECT_EQ(textValue(config, c.field), c.stored);
    }
    const RallyConfig before = config;
    stepField(config, 1, +1);
    stepField(config, 17, -1);
    EXPECT_EQ(config, before);
    for (const char* bad : {"Say \"hi\"", "two\nlines"}) {
        std::string text = bad;
        EXPECT_FALSE(acceptText(config, 2, text)) << bad;
    }
    EXPECT_EQ(config, before);
}

TEST(ConfigFields, SetByNameOrNumberReadsClampsAndRefuses) {
    struct Case {
        const char* field;
        const char* value;
        bool ok;
        int number;
        const char* shown; // formatFieldValue afterwards (unchanged on refusal)
    };
    const Case cases[] = {
        {"RallyName", "Autumn Trial", true, 1, "Autumn Trial"},
        {"permitno", "", true, 2, "No Number"},
        {"StartDate", "2024-07-13", true, 3, "13 Jul 2024"},
        {"3", "45000", true, 3, "15 Mar 2023"},
        {"StartDate", "2024-02-30", false, 3, "26 Jun 2015"},
        {"StartDate", "1999-01-01", true, 3, "06 Jul 2009"}, // clamped to serial 40000
        {"StartDate", "45000.5", false, 3, "26 Jun 2015"},
        {"NoOfDays", "9", true, 4, "5"},
        {"NoOfDays", "2.5", false, 4, "3"},
        {"DayStartTime2", "07:30:00", true, 6, "07:30:00"},
        {"DayStartTime5", "30000", true, 9, "08:20:00"},
        {"DayStartTime1", "25:00:00", true, 5, "00:00:00"}, // clamped to 86400, shown as midnight
        {"DayStartTime1", "7:75", false, 5, "08:00:00"},
        {"GroupSpeedC", "200", true, 13, "120"},
        {"GroupSpeedC", "62.5", true, 13, "62.5"},
        {"GroupSpeedC", "fast", false, 13, "80"},
        {"GroupSpeedC", "", false, 13, "80"},
        {"GroupSpeedC", "nan", false, 13, "80"},
        {"ScoreGroupNameD", "Veterans", true, 19, "Veterans"},
        {"LastEntryB", "-4", true, 21, "0"},
        {"TimeWindow", "45", true, 25, "60"},
        {"BaselineSpeedGroup", "4", true, 26, "4"},
        {"HoluxOffset", "12", true, 27, "10"},
        {"CanmoreOffset", "1.5", false, 28, "4"},
        {"LumoOffset", "2.5", true, 30, "2.5"},
        {"31", "1", false, 0, ""},
        {"Nonsense", "1", false, 0, ""},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        const Status st = setField(config, c.field, c.value);
        EXPECT_EQ(bool(st), c.ok) << c.field << "=" << c.value << ": " << st.message();
        EXPECT_EQ(configFieldNumber(c.field), c.number) << c.field;
        if (c.number) {
            EXPECT_EQ(formatFieldValue(config, c.number), c.shown) << c.field << "=" << c.value;
        }
    }
}

TEST(ConfigEditor, MovesWithinTheFieldsAndStepsTheCurrentOne) {
    RallyConfig config;
    ConfigEditor editor(config);
    editor.previous();
    EXPECT_EQ(editor.field(), 1);
    for (int i = 0; i < 40; ++i) editor.next();
    EXPECT_EQ(editor.field(), 30);
    editor.plus(config);
    EXPECT_EQ(config.lumoOffset, 2);
    for (int i = 0; i < 19; ++i) editor.previous();
    EXPECT_EQ(editor.field(), 11);
    editor.minus(config);
    EXPECT_EQ(config.groupSpeed[1], 55);
}

TEST(ConfigEditor, DateButtonsCarryButKeepTheParts) {
    struct Case {
        double start;
        DatePart part;
        int direction;
        const char* date; // StartDate afterwards
        int day, month, year;
    };
    const Case cases[] = {
        {dateSerial(2016, 1, 31), DatePart::Month, +1, "02 Mar 2016", 31, 2, 2016},
        {dateSerial(2017, 1, 31), DatePart::Month, +1, "03 Mar 2017", 31, 2, 2017},
        {dateSerial(2024, 4, 30), DatePart::Day, +1, "01 May 2024", 31, 4, 2024},
        {dateSerial(2024, 4, 1), DatePart::Day, -1, "01 Apr 2024", 1, 4, 2024},
        {dateSerial(2024, 12, 31), DatePart::Day, +1, "31 Dec 2024", 31, 12, 2024},
        {dateSerial(2024, 12, 5), DatePart::Month, +1, "05 Dec 2024", 5, 12, 2024},
        {dateSerial(2024, 1, 5), DatePart::Month, -1, "05 Jan 2024", 5, 1, 2024},
        {dateSerial(2015, 6, 26), DatePart::Year, -1, "26 Jun 2015", 26, 6, 2015},
        {dateSerial(2050, 6, 26), DatePart::Year, +1, "26 Jun 2050", 26, 6, 2050},
        {dateSerial(2020, 2, 29), DatePart::Year, +1, "01 Mar 2021", 29, 2, 2021},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        config.startDate = c.start;
        ConfigEditor editor(config);
        editor.dateButton(config, c.part, c.direction);
        EXPECT_EQ(formatDate(config.startDate), c.date) << formatDate(c.start);
        EXPECT_EQ(editor.startDay(), c.day) << formatDate(c.start);
        EXPECT_EQ(editor.startMonth(), c.month) << formatDate(c.start);
        EXPECT_EQ(editor.startYear(), c.year) << formatDate(c.start);
    }
}

TEST(ConfigEditor, DateButtonsFollowAStartDateChangedElsewhere) {
    RallyConfig config;
    config.startDate = dateSerial(2016, 1, 31);
    ConfigEditor editor(config);
    editor.dateButton(config, DatePart::Month, +1); // parts 31/2/2016, date 2 March
    editor.dateButton(config, DatePart::Day, -1);   // parts 30/2, still carried: 1 March
    EXPECT_EQ(formatDate(config.startDate), "01 Mar 2016");
    // Another rally is opened while the editor stays loaded: its date must not be overwritten
    // by the parts of the previous rally.
    config.startDate = dateSerial(2023, 9, 10);
    editor.dateButton(config, DatePart::Day, +1);
    EXPECT_EQ(formatDate(config.startDate), "11 Sep 2023");
}

} // namespace
} // namespace trakmora
