#include "tracking/TrackPlotModel.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

std::vector<TrackFix> fixesAt(const std::vector<double>& seconds) {
    std::vector<TrackFix> fixes;
    for (double t : seconds)
        fixes.push_back({static_cast<double>(fixes.size() + 1), 51.3, 12.4, t});
    return fixes;
}

TEST(TrackPlot, TimeAxisStartsAtSevenAndControlsUseTheirGroupTime) {
    EXPECT_DOUBLE_EQ(plotX(25200), 0);
    EXPECT_DOUBLE_EQ(plotX(36000), 10800 * 0.2563);
    EXPECT_DOUBLE_EQ(plotX(21600), -3600 * 0.2563); // before 07:00 lies left of the picture

    ControlRecord c;
    c.groupTime = {0, 30600, 30420, 30300, 30180};
    const std::vector<ControlRecord> controls{c};
    EXPECT_EQ(controlLines(controls, 1), std::vector<double>{plotX(30600)});
    EXPECT_EQ(controlLines(controls, 4), std::vector<double>{plotX(30180)});
    EXPECT_TRUE(controlLines(controls, 0).empty());
}

TEST(TrackPlot, GapsOfThirtySecondsOrMoreLeaveHoles) {
    struct Case {
        const char* what;
        std::vector<double> seconds;
        std::vector<std::pair<double, double>> expected; // segment ends in seconds
    };
    const Case cases[] = {
        {"every 5 s: one line", {36000, 36005, 36010, 36015}, {{36000, 36015}}},
        {"a 40 s gap", {36000, 36005, 36045, 36050}, {{36000, 36005}, {36045, 36050}}},
        {"29 s joins, 30 s does not", {36000, 36029, 36059, 36060}, {{36000, 36029}, {36059, 36060}}},
        {"a lone fix draws nothing", {36000}, {}},
        {"isolated fixes draw nothing", {36000, 36100, 36200}, {}},
        {"a clock jumping back hours draws no line across the day", {50000, 30000, 30005}, {{30000, 30005}}},
        {"a small step back still draws", {36010, 36005}, {{36005, 36010}}},
    };
    for (const Case& c : cases) {
        std::vector<PlotSegment> expected;
        for (auto [a, b] : c.expected)
            expected.push_back({plotX(a), plotX(b)});
        EXPECT_EQ(trackSegments(fixesAt(c.seconds)), expected) << c.what;
    }
}

} // namespace
} // namespace trakmora
