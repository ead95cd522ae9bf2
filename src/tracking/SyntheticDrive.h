#pragma once
// A generated rally day for benchmarks and the demonstration rally: one winding route logged
// once a second, controls placed on it, and each competitor's fixes along it at its own pace.
//
// The route is a random walk of headings from a fixed seed, so the same settings always give the
// same day. Route time tau runs from 0 to fixCount - 1 seconds at the base speed; a control lies
// between two route points and its group times are the day start plus its route time, the same
// for every speed group. Competitor N starts 60 x N seconds after the day start; at pace p its
// fix k lies at route time k x p and is logged at start + 60 x N + k.
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
    std::uint32_t seed = 1;
};

class SyntheticDrive {
public:
    explicit SyntheticDrive(const SyntheticDriveSettings& settings);

    // Controls numbered 1..controlCount in route order.
    const std::vector<ControlRecord>& controls() const { return controls_; }
    // The route time of control i (0-based) in seconds.
    double controlRouteTime(std::size_t i) const { return controlRouteTimes_[i]; }

    // The fixes of competitor `competitorNo` driving at `pace` (1 = the schedule exactly; 1.001
    // is 0.1 % fast), numbered from 1.
    std::vector<TrackFix> competitorFixes(int competitorNo, double pace) const;

private:
    void position(double routeTime, double& lat, double& lon) const;
    SyntheticDriveSettings settings_;
    std::vector<double> lat_, lon_; // route point per second
    std::vector<ControlRecord> controls_;
    std::vector<double> controlRouteTimes_;
};

} // namespace trakmora
