#include "workspace/ConfigDisplay.h"
#include "workspace/ConfigFields.h"

#include <gtest/gtest.h>

#include <limits>

namespace trakmora {
namespace {

TEST(ConfigDisplay, PanelValuesFollowTheFieldTable) {
    struct Case {
        int field;
        double value; // set before showing; NaN keeps the default
        const char* shown;
    };
    const double keep = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {1, keep, ""},
        {3, keep, "26 Jun 2015"},
        {4, keep, "3"},
        {5, 86400, "00:00:00"},
        {5, 86100, "23:55:00"},
        {7, keep, "08:00:00"},
        {8, keep, "Not applicable"}, // day 4 of 3
        {11, keep, "60 k/h"},
        {11, 62.5, "62.5 k/h"},
        {20, keep, "Competitor No 15"},
        {23, 0, "Competitor No 0"},
        {24, keep, "200 meters"},
        {25, keep, "600 seconds"},
        {26, keep, " B Speed Group"},
        {26, 4, " D Speed Group"},
        {27, keep, "1 seconds"},
        {28, keep, "4 seconds"},
        {30, 10, "10 seconds"},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        if (c.value == c.value) setNumericValue(config, c.field, c.value);
        EXPECT_EQ(panelValueText(config, c.field), c.shown) << "field " << c.field;
    }
}

TEST(ConfigDisplay, GroupsAndDaysBeyondTheCountsDoNotApply) {
    struct Case {
        double days, speedGroups, scoreGroups;
        int field;
        bool applies;
    };
    const Case cases[] = {
        {1, 4, 2, 5, true},   {1, 4, 2, 6, false},  {5, 4, 2, 9, true},   {3, 1, 2, 11, true},
        {3, 1, 2, 12, false}, {3, 3, 2, 13, true},  {3, 3, 2, 14, false}, {3, 1, 2, 20, true},
        {3, 1, 2, 21, false}, {3, 4, 2, 23, true},  {3, 4, 1, 16, true},  {3, 4, 1, 17, false},
        {3, 4, 3, 18, true},  {3, 4, 3, 19, false}, {1, 1, 1, 26, true},  {1, 1, 1, 3, true},
    };
    for (const auto& c : cases) {
        RallyConfig config;
        config.noOfDays = c.days;
        config.noOfSpeedGroups = c.speedGroups;
        config.noOfScoreGroups = c.scoreGroups;
        EXPECT_EQ(fieldApplies(config, c.field), c.applies) << "field " << c.field;
    }
    RallyConfig config;
    config.noOfScoreGroups = 1;
    EXPECT_EQ(textBoxText(config, 17), "Not applicable");
    EXPECT_EQ(textBoxText(config, 16), "Score Group A");
    EXPECT_EQ(panelValueText(config, 12), "70 k/h");
    config.noOfSpeedGroups = 1;
    EXPECT_EQ(panelValueText(config, 12), "Not applicable");
    EXPECT_EQ(panelValueText(config, 22), "Not applicable");
}

TEST(ConfigDisplay, TextFieldsThatApplyHoldTheUserUntilEnter) {
    RallyConfig config;
    config.noOfScoreGroups = 1;
    struct Case {
        int field;
        std::optional<bool> enter, steppers, dates, previous, next;
    };
    const Case cases[] = {
        {1, true, false, {}, false, false},
        {2, true, false, false, false, false},
        {3, false, {}, true, {}, {}},
        {4, {}, true, false, {}, {}},
        {10, {}, {}, {}, {}, {}},
        {15, false, true, {}, {}, true},
        {16, true, false, {}, false, false},
        {17, false, {}, {}, {}, {}}, // not applicable: moving on stays possible
        {19, false, false, {}, {}, {}},
        {20, false, true, {}, {}, {}},
        {26, {}, {}, {}, {}, true},
    };
    for (const auto& c : cases) {
        const PanelLayout p = panelLayout(config, c.field);
        EXPECT_EQ(p.enter, c.enter) << "field " << c.field;
        EXPECT_EQ(p.steppers, c.steppers) << "field " << c.field;
        EXPECT_EQ(p.dateButtons, c.dates) << "field " << c.field;
        EXPECT_EQ(p.previous, c.previous) << "field " << c.field;
        EXPECT_EQ(p.next, c.next) << "field " << c.field;
    }
    config.noOfScoreGroups = 4;
    const PanelLayout applies = panelLayout(config, 18);
    EXPECT_EQ(applies.enter, true);
    EXPECT_EQ(applies.previous, false);
    EXPECT_EQ(applies.next, false);
    EXPECT_EQ(afterEnterLayout(1).previous, std::nullopt);
    EXPECT_EQ(afterEnterLayout(1).next, true);
    EXPECT_EQ(afterEnterLayout(17).previous, true);
    EXPECT_EQ(afterEnterLayout(5).next, std::nullopt);
}

std::optional<std::string> summaryValue(const RallyConfig& config, const std::string& caption) {
    for (const auto& line : configSummary(config))
        if (line.caption == caption) return line.value;
    ADD_FAILURE() << "no summary line " << caption;
    return std::nullopt;
}

TEST(ConfigDisplay, SummaryShowsEveryFieldAndLeavesLabelsOnOddCounts) {
    RallyConfig config;
    config.noOfSpeedGroups = 2;
    config.dayStartTime[1] = 86400;
    config.baselineSpeedGroup = 1;
    config.utcOffset = 19800;
    EXPECT_EQ(configSummary(config).size(), 31u);
    struct Case {
        const char* caption;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"Start Date", "26 Jun 2015"},
        {"G, N - GPX and NMEA: UTC offset", "+05:30"},
        {"Day 1 Start Time", "00:00:00"},
        {"Day 3 Start Time", "08:00:00"},
        {"Day 4 Start Time", "Not applicable"},
        {"Group B Speed", "70 k/h"},
        {"Group C Speed", "Not applicable"},
        {"Last B Speed Group Entry", "Competitor No 30"},
        {"Last C Group Entry", "Not applicable"},
        {"Name of Score Group B", "Score Group B"},
        {"Name of Score Group C", "Not applicable"},
        {"Control Distance Window", "200 m"},
        {"Maximum Error", "600 s"},
        {"Baseline Speed", "A"},
        {"H - Holux Logger offset", "1 s"},
        {"X- Lumo Rally App Offset", "1 s"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(summaryValue(config, c.caption), c.value) << c.caption;

    config.noOfSpeedGroups = 2.5;
    config.noOfDays = 0;
    config.baselineSpeedGroup = 7;
    for (const char* caption :
         {"Group A Speed", "Group D Speed", "Last A Speed Group Entry", "Day 1 Start Time", "Baseline Speed"})
        EXPECT_EQ(summaryValue(config, caption), std::nullopt) << caption;
    EXPECT_EQ(summaryValue(config, "Name of Score Group A"), "Score Group A");
}

TEST(ConfigDisplay, EnterHintWhileATypedTextIsNotStored) {
    RallyConfig config; // three days, four speed groups, four score groups
    config.noOfScoreGroups = 2;
    struct Case {
        int field;
        const char* box;
        bool stored;
        bool hint;
    };
    const Case cases[] = {
        {1, "", false, true},               // a fresh visit: "Next" waits for "Enter"
        {1, "Spring Run", true, true},      // typed after storing
        {2, "123456", true, false},         // stored and untouched
        {17, "Score Group B", false, true}, // a group in use
        {17, "Score Group B", true, false},
        {18, "Not applicable", false, false}, // a group not in use needs no "Enter"
        {4, "", false, false},                // numeric fields never
        {3, "x", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textAwaitsEnter(config, c.field, c.box, c.stored), c.hint) << c.field << " " << c.box;
    }
}

} // namespace
} // namespace trakmora
