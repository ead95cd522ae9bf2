#include "schedule/ScheduleDisplay.h"

#include "schedule/TimeCalc.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

// Five lines 10 km apart at 60 km/h in every group, calculated for day 1 starting 08:00.
ScheduleTable fiveLines(const RallyConfig& config) {
    ScheduleTable t;
    for (int i = 1; i <= 5; ++i) {
        ScheduleLine& line = t.line(i);
        line.no = i;
        line.instruction = "clue " + std::to_string(i);
        line.type = "o";
        line.distance = 10.0 * (i - 1);
        line.speed = {0, 60, 60, 60, 60};
        line.limit = 120;
    }
    t.lineCount = 5;
    calculateTimes(t, config, 1);
    return t;
}

TEST(ScheduleDisplay, WindowHasBlankRowsBeyondTheEnds) {
    RallyConfig config;
    ScheduleTable t = fiveLines(config);
    struct Case {
        int current;
        std::array<int, 7> lineNos;
    };
    const Case cases[] = {
        {1, {0, 0, 0, 1, 2, 3, 4}},
        {3, {0, 1, 2, 3, 4, 5, 0}},
        {5, {2, 3, 4, 5, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        t.currentLine = c.current;
        const auto rows = displayWindow(t);
        for (std::size_t r = 0; r < 7; ++r) {
            EXPECT_EQ(rows[r].lineNo, c.lineNos[r]) << c.current << " row " << r;
            if (c.lineNos[r] == 0) {
                EXPECT_EQ(rows[r].cells[1], "");
            }
        }
    }
    t.currentLine = 3;
    EXPECT_EQ(displayWindow(t)[4].cells,
              (std::array<std::string, 8>{"4", "clue 4", "o", "30.00", "60", "60", "60", "60"}));
}

TEST(ScheduleDisplay, CurrentLineFields) {
    RallyConfig config;
    ScheduleTable t = fiveLines(config);
    t.line(2).addTime[1] = 1.0 / 6; // 10 seconds
    t.line(2).lat = 33.86512;
    calculateTimes(t, config, 1);
    t.currentLine = 2;
    LineFields f = currentLineFields(t);
    EXPECT_EQ(f.caption, "2");
    EXPECT_EQ(f.distance, "10.00");
    EXPECT_EQ(f.limit, "120");
    EXPECT_EQ(f.addTime[1], "00:00:10");
    EXPECT_EQ(f.runningTime[1], "00:10:00");
    EXPECT_EQ(f.lat, "33.86512");
    t.currentLine = 4;
    f = currentLineFields(t);
    EXPECT_EQ(f.runningTime[1], "00:30:10");
    EXPECT_EQ(f.runningTime[2], "00:30:00");
    t.line(4).rallyTime[1] = 1.5;
    EXPECT_EQ(currentLineFields(t).runningTime[1], "01:30:00");
    t.line(4).type = "s"; // shown with no speed even before propagation
    EXPECT_EQ(currentLineFields(t).speed[3], "0");
}

TEST(ScheduleDisplay, PassingWindowAndChartOfTheNextLine) {
    RallyConfig config; // four groups, last entries 15, 30, 45, 60, start 08:00
    ScheduleTable t = fiveLines(config);
    t.currentLine = 1;
    PassingWindowView v = nextLinePassingWindow(t, config);
    ASSERT_TRUE(v.present);
    EXPECT_EQ(v.firstTime, "08:10:00");
    EXPECT_EQ(v.lastTime, "09:10:00");
    EXPECT_EQ(v.spreadText, "Spread = 60 minutes");
    // 132 units a minute: each group's 15 minutes follow the previous group's.
    for (int g = 1; g <= 4; ++g) {
        const ChartBar& bar = v.bars[static_cast<std::size_t>(g)];
        EXPECT_TRUE(bar.shown);
        EXPECT_DOUBLE_EQ(bar.width, 1980);
        EXPECT_DOUBLE_EQ(bar.left, 1980.0 * (g - 1));
    }

    config.noOfSpeedGroups = 2;
    calculateTimes(t, config, 1);
    v = nextLinePassingWindow(t, config);
    EXPECT_EQ(v.spreadText, "Spread = 30 minutes");
    EXPECT_DOUBLE_EQ(v.bars[2].left, 3960);
    EXPECT_DOUBLE_EQ(v.bars[2].width, 3960);
    EXPECT_FALSE(v.bars[3].shown);
    EXPECT_FALSE(v.bars[4].shown);

    t.currentLine = 5; // no following line
    EXPECT_FALSE(nextLinePassingWindow(t, config).present);
}

TEST(ScheduleDisplay, SpreadOfAnEmptyWindowIsOneMinute) {
    ScheduleLine line;
    line.firstTime = 490;
    line.lastTime = 490;
    EXPECT_EQ(spreadMinutes(line), 1);
    line.lastTime = 480;
    EXPECT_EQ(spreadMinutes(line), 1);
    line.lastTime = 512;
    EXPECT_EQ(spreadMinutes(line), 22);

    RallyConfig config;
    config.noOfSpeedGroups = 1;
    config.lastEntry = {0, 0, 0, 0, 0}; // one competitor: first and last at the same time
    ScheduleTable t = fiveLines(config);
    t.currentLine = 2;
    const PassingWindowView v = nextLinePassingWindow(t, config);
    EXPECT_EQ(v.spreadText, "Spread = 1 minutes");
    EXPECT_EQ(v.bars[1].width, 0);
}

TEST(ScheduleDisplay, BarsScaleToTheWidget) {
    struct Case {
        ChartBar bar;
        int pixels;
        int left;
        int width;
    };
    const Case cases[] = {
        {{true, 0, 7920}, 396, 0, 396},
        {{true, 1980, 1980}, 396, 99, 99},
        {{true, 3960, -1980}, 792, 396, 0},
    };
    for (const Case& c : cases) {
        const PixelSpan s = scaleBar(c.bar, c.pixels);
        EXPECT_EQ(s.left, c.left);
        EXPECT_EQ(s.width, c.width);
    }
}

} // namespace
} // namespace trakmora
