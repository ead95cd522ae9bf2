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
};

class SyntheticDrive {
public:
    explicit SyntheticDrive(const SyntheticDriveSettings& settings);

    // Controls numbered 1..controlCount in route order.
    const std::vector<ControlRecord>& controls() const { return controls_; }

    // The fixes of competitor `competitorNo` driving at `pace` (1 = the schedule exactly; 1.001
    // is 0.1 % fast), numbered from 1.
    std::vector<TrackFix> competitorFixes(int competitorNo, double pace) const;

private:
    void position(double tau, double& lat, double& lon) const;
    SyntheticDriveSettings settings_;
    std::vector<double> lat_, lon_; // route point per second
    std::vector<ControlRecord> controls_;
};

} // namespace trakmora
