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
        {3, 42181, +1, 42182}, {3, 80000, +1, 80000}, {3, 40000, -1, 40000}, {4, 5, +1, 5},
        {4, 1, -1, 1},         {4, 3, +1, 4},         {5, 86100, +1, 86400}, {5, 86400, +1, 86400},
        {9, 120, -1, 0},       {7, 28800, -1, 28500}, {10, 4, +1, 4},        {10, 1, -1, 1},
        {11, 120, +1, 120},    {12, 40, -1, 40},      {13, 117, +1, 120},    {14, 42, -1, 40},
        {15, 4, +1, 4},        {20, 300, +1, 300},    {21, 0, -1, 0},        {22, 299, +1, 300},
        {23, 1, -1, 0},        {24, 2000, +1, 2000},  {24, 100, -1, 100},    {24, 150, -1, 100},
        {25, 60, -1, 60},      {25, 990, +1, 1000},   {25, 600, +1, 630},    {27, 10, +1, 10},
        {28, 0, -1, 0},        {29, 10, +1, 10},      {30, 0, -1, 0},        {30, 4, +1, 5},
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
        {1, 1, +1, 1},
        {3, 2, +1, 3},
        {3, 3, +1, 3},
        {4, 3, +1, 4},
        {2, 1, -1, 1},
        {2, 4, -1, 2}, // left above the count by an earlier reduction: "-" brings it into
                       // range
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
        {1, "", "No Name"},
        {2, "", "No Number"},
        {16, "", "No Name"},
        {19, "Vintage", "Vintage"},
        {1, "Spring, 2024", "Spring, 2024"},
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
        {"UtcOffset", "-5:30", true, 31, "-05:30"},
        {"32", "1", false, 0, ""},
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
    for (int i = 0; i < 40; ++i)
        editor.next();
    EXPECT_EQ(editor.field(), 31); // UtcOffset, after the logger offsets
    const int before = utcOffsetSeconds(config);
    editor.minus(config);
    EXPECT_EQ(config.utcOffset, before - 900);
    editor.previous();
    editor.plus(config);
    EXPECT_EQ(config.lumoOffset, 2);
    for (int i = 0; i < 19; ++i)
        editor.previous();
    EXPECT_EQ(editor.field(), 11);
    editor.minus(config);
    EXPECT_EQ(config.groupSpeed[1], 55);
}

TEST(ConfigEditor, StepsLeaveFieldsNotApplicableAlone) {
    struct Case {
        int field;
        int direction;
        bool applies;
    };
    // Two days, two speed groups, one score group.
    const Case cases[] = {
        {5, +1, true},   {6, -1, true},   {7, +1, false},  {9, -1, false}, {11, +1, true},
        {12, -1, true},  {13, +1, false}, {14, -1, false}, {20, +1, true}, {21, -1, true},
        {22, +1, false}, {23, -1, false}, {17, +1, false}, {26, +1, true},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        config.noOfDays = 2;
        config.noOfSpeedGroups = 2;
        config.noOfScoreGroups = 1;
        config.baselineSpeedGroup = 1;
        ConfigEditor editor(config);
        while (editor.field() < c.field)
            editor.next();
        const RallyConfig before = config;
        const bool stepped = c.direction < 0 ? editor.minus(config) : editor.plus(config);
        EXPECT_EQ(stepped, c.applies) << "field " << c.field;
        EXPECT_EQ(config == before, !c.applies) << "field " << c.field;
    }
}

// The date each button gives, over every date from 2015 to 2050: one unit per press, the day
// clamped to the length of the month reached, stopping only at the ends of those years.
TEST(ConfigEditor, EveryDateButtonMovesByOneUnit) {
    const auto daysIn = [](int y, int m) {
        const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        return m == 2 && leap ? 29 : days[m - 1];
    };
    int checked = 0;
    for (double serial = dateSerial(2015, 1, 1); serial <= dateSerial(2050, 12, 31); ++serial) {
        const CivilDate d = civilFromSerial(serial);
        for (const int dir : {-1, +1}) {
            const std::string at = formatDate(serial) + (dir < 0 ? " -" : " +");
            // Day: the neighbouring day, across month and year ends.
            const double day = movedStartDate(serial, DatePart::Day, dir);
            const bool dayAtEnd =
                dir < 0 ? serial == dateSerial(2015, 1, 1) : serial == dateSerial(2050, 12, 31);
            ASSERT_EQ(day, dayAtEnd ? serial : serial + dir) << "d" << at;
            // Month: the neighbouring month, the day clamped to its length.
            int month = d.month + dir, year = d.year;
            if (month == 0) month = 12, --year;
            if (month == 13) month = 1, ++year;
            const bool monthAtEnd = year < 2015 || year > 2050;
            const double expectedMonth =
                monthAtEnd ? serial : dateSerial(year, month, std::min(d.day, daysIn(year, month)));
            ASSERT_EQ(movedStartDate(serial, DatePart::Month, dir), expectedMonth) << "m" << at;
            // Year: the same day of the neighbouring year, 29 February becoming the 28th.
            const int y = d.year + dir;
            const double expectedYear =
                y < 2015 || y > 2050 ? serial : dateSerial(y, d.month, std::min(d.day, daysIn(y, d.month)));
            ASSERT_EQ(movedStartDate(serial, DatePart::Year, dir), expectedYear) << "y" << at;
            checked += 3;
        }
    }
    EXPECT_EQ(checked, 6 * 13149);
}

TEST(ConfigEditor, DateButtonsAtMonthAndYearEnds) {
    struct Case {
        double start;
        DatePart part;
        int direction;
        const char* date; // StartDate afterwards
    };
    const Case cases[] = {
        {dateSerial(2015, 3, 3), DatePart::Day, +1, "04 Mar 2015"},
        {dateSerial(2015, 3, 3), DatePart::Month, +1, "03 Apr 2015"},
        {dateSerial(2016, 1, 31), DatePart::Month, +1, "29 Feb 2016"},
        {dateSerial(2017, 1, 31), DatePart::Month, +1, "28 Feb 2017"},
        {dateSerial(2024, 3, 31), DatePart::Month, -1, "29 Feb 2024"},
        {dateSerial(2024, 5, 31), DatePart::Month, +1, "30 Jun 2024"},
        {dateSerial(2024, 4, 30), DatePart::Day, +1, "01 May 2024"},
        {dateSerial(2024, 3, 1), DatePart::Day, -1, "29 Feb 2024"},
        {dateSerial(2023, 3, 1), DatePart::Day, -1, "28 Feb 2023"},
        {dateSerial(2024, 12, 31), DatePart::Day, +1, "01 Jan 2025"},
        {dateSerial(2025, 1, 1), DatePart::Day, -1, "31 Dec 2024"},
        {dateSerial(2024, 12, 5), DatePart::Month, +1, "05 Jan 2025"},
        {dateSerial(2024, 1, 5), DatePart::Month, -1, "05 Dec 2023"},
        {dateSerial(2020, 2, 29), DatePart::Year, +1, "28 Feb 2021"},
        {dateSerial(2020, 2, 29), DatePart::Year, -1, "28 Feb 2019"},
        {dateSerial(2015, 6, 26), DatePart::Year, -1, "26 Jun 2015"}, // the first year
        {dateSerial(2050, 6, 26), DatePart::Year, +1, "26 Jun 2050"}, // the last year
        {dateSerial(2015, 1, 1), DatePart::Day, -1, "01 Jan 2015"},
        {dateSerial(2050, 12, 31), DatePart::Month, +1, "31 Dec 2050"},
        {dateSerial(2010, 5, 10), DatePart::Day, +1, "11 May 2010"}, // set before 2015 elsewhere
        {dateSerial(2010, 5, 10), DatePart::Year, +1, "10 May 2011"},
        {dateSerial(2010, 5, 10), DatePart::Year, -1, "10 May 2010"},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        config.startDate = c.start;
        ConfigEditor editor(config);
        editor.dateButton(config, c.part, c.direction);
        EXPECT_EQ(formatDate(config.startDate), c.date) << formatDate(c.start);
        EXPECT_EQ(editor.partsSerial(), config.startDate) << formatDate(c.start); // the parts follow
    }
}

TEST(ConfigEditor, DateButtonsFollowAStartDateChangedElsewhere) {
    RallyConfig config;
    config.startDate = dateSerial(2016, 1, 31);
    ConfigEditor editor(config);
    editor.dateButton(config, DatePart::Month, +1);
    editor.dateButton(config, DatePart::Day, +1);
    EXPECT_EQ(formatDate(config.startDate), "01 Mar 2016");
    editor.dateButton(config, DatePart::Day, +1); // never stalls on a carried date
    EXPECT_EQ(formatDate(config.startDate), "02 Mar 2016");
    // Another rally is opened while the editor stays loaded: its date must not be overwritten
    // by the parts of the previous rally.
    config.startDate = dateSerial(2023, 9, 10);
    editor.dateButton(config, DatePart::Day, +1);
    EXPECT_EQ(formatDate(config.startDate), "11 Sep 2023");
    EXPECT_EQ(editor.startDay(), 11);
    EXPECT_EQ(editor.startMonth(), 9);
    EXPECT_EQ(editor.startYear(), 2023);
}

} // namespace
} // namespace trakmora
