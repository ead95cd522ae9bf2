#include "tracking/Reduction.h"

#include <cmath>

namespace trakmora {

namespace {

constexpr double kMetresPerDegree = 100000;

ShortlistLine pairLine(const ControlRecord& c, double groupTime, const TrackFix& f, double distance) {
    return ShortlistLine{static_cast<double>(c.no),
                         c.lat,
                         c.lon,
                         c.dist,
                         groupTime,
                         f.fixNo,
                         f.lat,
                         f.lon,
                         f.seconds,
                         distance};
}

// True when the fix is certainly not closer than the window along one axis alone; saves the
// square root for the many fixes far from every control. The margin keeps borderline fixes for
// the exact test.
bool clearlyOutside(const ControlRecord& c, const TrackFix& f, double windowDegrees) {
    return std::fabs(c.lat - f.lat) > windowDegrees || std::fabs(c.lon - f.lon) > windowDegrees;
}

double windowInDegrees(double distanceWindow) {
    return distanceWindow / kMetresPerDegree * (1 + 1e-9) + 1e-12;
}

} // namespace

double controlDistance(double controlLat, double controlLon, double fixLat, double fixLon) {
    const double dLon = controlLon - fixLon;
    const double dLat = controlLat - fixLat;
    return std::sqrt(dLon * dLon + dLat * dLat) * kMetresPerDegree;
}

ShortlistLine fillerLine(const ControlRecord& control, double groupTime, double distance) {
    return ShortlistLine{
        static_cast<double>(control.no), 1, 1, control.dist, groupTime, 1, 1, 1, 1, distance};
}

std::vector<ShortlistLine> reduceByDistance(const std::vector<ControlRecord>& controls, int speedGroup,
                                            const std::vector<TrackFix>& fixes, double distanceWindow) {
    std::vector<ShortlistLine> lines;
    const double windowDegrees = windowInDegrees(distanceWindow);
    for (const ControlRecord& c : controls) {
        const double groupTime = c.groupTime[static_cast<std::size_t>(speedGroup)];
        for (const TrackFix& f : fixes) {
            if (clearlyOutside(c, f, windowDegrees)) continue;
            const double d = controlDistance(c.lat, c.lon, f.lat, f.lon);
            if (d < distanceWindow) lines.push_back(pairLine(c, groupTime, f, d));
        }
    }
    return lines;
}

std::vector<ShortlistLine> reduceByTime(const std::vector<ControlRecord>& controls, int speedGroup,
                                        const std::vector<TrackFix>& fixes, int competitorNo,
                                        double distanceWindow, double timeWindow, int& kept) {
    std::vector<ShortlistLine> lines;
    kept = 0;
    const double windowDegrees = windowInDegrees(distanceWindow);
    for (const ControlRecord& c : controls) {
        const double groupTime = c.groupTime[static_cast<std::size_t>(speedGroup)];
        lines.push_back(fillerLine(c, groupTime, 5000));
        lines.push_back(fillerLine(c, groupTime, 5001));
        const double ideal = idealTime(groupTime, competitorNo);
        for (const TrackFix& f : fixes) {
            if (!(f.seconds > ideal - timeWindow && f.seconds < ideal + timeWindow)) continue;
            if (clearlyOutside(c, f, windowDegrees)) continue;
            const double d = controlDistance(c.lat, c.lon, f.lat, f.lon);
            if (d >= distanceWindow) continue;
            lines.push_back(pairLine(c, groupTime, f, d));
            ++kept;
        }
    }
    return lines;
}

} // namespace trakmora
