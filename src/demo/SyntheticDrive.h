#pragma once
// A generated rally day for benchmarks and the demonstration rally: one winding route logged
// once a second, controls placed on it, and each competitor's fixes along it at its own pace.
//
// The route is a random walk of headings from a fixed seed, so the same settings always give the
// same day. It has one point per fix interval; route position tau runs from 0 to fixCount - 1. A
// control lies between two route points; its group times are the day start plus tau x
// secondsPerFix, rounded, the same for every speed group. Competitor N starts 60 x N seconds
// after the day start; at pace p its fix k lies at route position k x p and is logged at
// start + 60 x N + k x secondsPerFix.
#include "schedule/ControlFile.h"
#include "tracking/TrackFix.h"

#include <cstdint>
#include <vector>

namespace trakmora {

struct SyntheticDriveSettings {
    int fixCount = 30000;
    int controlCount = 30;
    double dayStartTime = 28800; // seconds after midnight
    double startLat = -33.8;
    double startLon = 151.0;
    double metresPerSecond = 15;
    double secondsPerFix = 1; // 0.5 for a logger writing twice a second
    std::uint32_t seed = 1;
    // How strongly the heading is drawn back to its first value each step; above 0 the road
    // winds without turning back on itself over a long day.
    double headingPull = 0;
};

// Where a car is due: `metres` along the route at `seconds` after midnight.
struct TimedPoint {
    double metres = 0;
    double seconds = 0;
};

// How one logger records a drive along the route.
struct DriveLog {
    double interval = 1;    // seconds between fixes
    double noiseMetres = 3; // standard deviation of the GPS error, each axis
    double gapFrom = 0;     // no fixes from gapFrom to gapTo (seconds after midnight)
    double gapTo = 0;
    double detourFrom = -1; // between these route positions (metres) the car is well off the
    double detourTo = -1;   // route, so a control there is missed
    std::uint32_t seed = 1;
};

class SyntheticDrive {
public:
    explicit SyntheticDrive(const SyntheticDriveSettings& settings);

    // Controls numbered 1..controlCount in route order.
    const std::vector<ControlRecord>& controls() const { return controls_; }

    // The fixes of competitor `competitorNo` driving at `pace` (1 = the schedule exactly; 1.001
    // is 0.1 % fast), numbered from 1.
    std::vector<TrackFix> competitorFixes(int competitorNo, double pace) const;

    // Route length and the point `metres` along it.
    double routeMetres() const;
    void pointAt(double metres, double& lat, double& lon) const;

    // The fixes of a car that is at timetable[i].metres at timetable[i].seconds, moving evenly in
    // between, logged from the first to the last timetable time; numbered from 1.
    std::vector<TrackFix> timedFixes(const std::vector<TimedPoint>& timetable, const DriveLog& log) const;

private:
    void position(double tau, double& lat, double& lon) const;
    SyntheticDriveSettings settings_;
    std::vector<double> lat_, lon_; // route point per second
    std::vector<ControlRecord> controls_;
};

} // namespace trakmora
