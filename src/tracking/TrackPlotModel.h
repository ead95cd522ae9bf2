#pragma once
// What the track plot of the individual scoring screen shows, in plot units: a time axis where
// x = (t - 25200) x 0.2563 for t seconds after midnight (07:00:00 at x = 0), red control lines
// from y = 10 to y = 400 at the competitor's group times, and blue segments at y = 100 between
// consecutive fixes logged less than the gap threshold apart. The widget only scales and paints.
#include "schedule/ControlFile.h"
#include "tracking/TrackFix.h"

#include <vector>

namespace trakmora {

inline constexpr double kPlotOriginSeconds = 25200; // 07:00:00
inline constexpr double kPlotUnitsPerSecond = 0.2563;
inline constexpr double kPlotEndSeconds = 68400; // 19:00:00: the right edge of the picture
inline constexpr double kPlotControlTop = 10;
inline constexpr double kPlotControlBottom = 400;
inline constexpr double kPlotTrackY = 100;
inline constexpr double kPlotHeight = 410;
inline constexpr double kGapThresholdSeconds = 30;

inline double plotX(double seconds) {
    return (seconds - kPlotOriginSeconds) * kPlotUnitsPerSecond;
}
inline double plotWidth() {
    return plotX(kPlotEndSeconds);
}

struct PlotSegment {
    double x1 = 0;
    double x2 = 0;
    bool operator==(const PlotSegment&) const = default;
};

struct TrackPlotModel {
    std::vector<double> controlXs;          // one red line per control
    std::vector<PlotSegment> trackSegments; // the blue line, consecutive close fixes merged
};

// The x of every control's group time (speedGroup 1..4), without the competitor's start offset.
std::vector<double> controlLines(const std::vector<ControlRecord>& controls, int speedGroup);

// The blue line: fix pairs closer than `gapThreshold` seconds, joined where they touch, so a gap
// in the logging is a gap between two segments.
std::vector<PlotSegment> trackSegments(const std::vector<TrackFix>& fixes,
                                       double gapThreshold = kGapThresholdSeconds);

} // namespace trakmora
