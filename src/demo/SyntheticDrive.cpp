#include "demo/SyntheticDrive.h"

#include <cmath>
#include <random>

namespace trakmora {

namespace {
constexpr double kMetresPerDegree = 100000;
constexpr double kDetourMetres = 600; // well outside any distance window

double roundedToLogger(double degrees) {
    return std::round(degrees * 1e6) / 1e6;
}

// Route position at `seconds` by the timetable, linear between its points.
double metresAt(const std::vector<TimedPoint>& timetable, double seconds) {
    if (seconds <= timetable.front().seconds) return timetable.front().metres;
    for (std::size_t i = 1; i < timetable.size(); ++i) {
        const TimedPoint& a = timetable[i - 1];
        const TimedPoint& b = timetable[i];
        if (seconds <= b.seconds)
            return b.seconds > a.seconds
                       ? a.metres + (b.metres - a.metres) * (seconds - a.seconds) / (b.seconds - a.seconds)
                       : b.metres;
    }
    return timetable.back().metres;
}

} // namespace

SyntheticDrive::SyntheticDrive(const SyntheticDriveSettings& settings) : settings_(settings) {
    const int n = settings.fixCount < 2 ? 2 : settings.fixCount;
    std::mt19937 random(settings.seed);
    std::uniform_real_distribution<double> turn(-0.05, 0.05);
    lat_.resize(static_cast<std::size_t>(n));
    lon_.resize(static_cast<std::size_t>(n));
    double heading = 0.3, lat = settings.startLat, lon = settings.startLon;
    const double step = settings.metresPerSecond * settings.secondsPerFix / kMetresPerDegree;
    for (std::size_t i = 0; i < lat_.size(); ++i) {
        lat_[i] = lat;
        lon_[i] = lon;
        heading += turn(random) - settings.headingPull * (heading - 0.3);
        lat += step * std::cos(heading);
        lon += step * std::sin(heading);
    }
    // Controls spread evenly, each half-way between two route points and a few metres aside.
    std::uniform_real_distribution<double> aside(-8, 8);
    const int count = settings.controlCount;
    for (int c = 1; c <= count; ++c) {
        const double tau = std::floor(static_cast<double>(n - 1) * c / (count + 1)) + 0.5;
        const double routeSeconds = tau * settings.secondsPerFix;
        ControlRecord control;
        control.no = c;
        position(tau, control.lat, control.lon);
        control.lat += aside(random) / kMetresPerDegree;
        control.dist = std::round(routeSeconds * settings.metresPerSecond / 100) / 10; // km
        for (std::size_t g = 1; g <= 4; ++g)
            control.groupTime[g] = settings.dayStartTime + std::round(routeSeconds);
        controls_.push_back(control);
    }
}

void SyntheticDrive::position(double tau, double& lat, double& lon) const {
    const double last = static_cast<double>(lat_.size() - 1);
    const double t = tau < 0 ? 0 : (tau > last ? last : tau);
    const auto i = static_cast<std::size_t>(std::floor(t));
    const std::size_t j = i + 1 < lat_.size() ? i + 1 : i;
    const double f = t - static_cast<double>(i);
    lat = lat_[i] + (lat_[j] - lat_[i]) * f;
    lon = lon_[i] + (lon_[j] - lon_[i]) * f;
}

std::vector<TrackFix> SyntheticDrive::competitorFixes(int competitorNo, double pace) const {
    std::vector<TrackFix> fixes;
    fixes.reserve(lat_.size());
    const double start = settings_.dayStartTime + 60.0 * competitorNo;
    for (std::size_t k = 0; k < lat_.size(); ++k) {
        TrackFix f;
        f.fixNo = static_cast<double>(k + 1);
        position(static_cast<double>(k) * pace, f.lat, f.lon);
        // Six decimals, as the loggers write them.
        f.lat = std::round(f.lat * 1e6) / 1e6;
        f.lon = std::round(f.lon * 1e6) / 1e6;
        f.seconds = start + static_cast<double>(k) * settings_.secondsPerFix;
        fixes.push_back(f);
    }
    return fixes;
}

double SyntheticDrive::routeMetres() const {
    return static_cast<double>(lat_.size() - 1) * settings_.metresPerSecond * settings_.secondsPerFix;
}

void SyntheticDrive::pointAt(double metres, double& lat, double& lon) const {
    position(metres / (settings_.metresPerSecond * settings_.secondsPerFix), lat, lon);
}

std::vector<TrackFix> SyntheticDrive::timedFixes(const std::vector<TimedPoint>& timetable,
                                                 const DriveLog& log) const {
    std::vector<TrackFix> fixes;
    if (timetable.empty() || log.interval <= 0) return fixes;
    std::mt19937 random(log.seed);
    std::normal_distribution<double> noise(0, log.noiseMetres > 0 ? log.noiseMetres : 1e-9);
    double fixNo = 0;
    for (double t = timetable.front().seconds; t <= timetable.back().seconds; t += log.interval) {
        if (t >= log.gapFrom && t < log.gapTo) continue;
        const double metres = metresAt(timetable, t);
        TrackFix f;
        pointAt(metres, f.lat, f.lon);
        if (metres >= log.detourFrom && metres <= log.detourTo) f.lat += kDetourMetres / kMetresPerDegree;
        f.lat = roundedToLogger(f.lat + noise(random) / kMetresPerDegree);
        f.lon = roundedToLogger(f.lon + noise(random) / kMetresPerDegree);
        f.fixNo = ++fixNo;
        f.seconds = std::round(t);
        fixes.push_back(f);
    }
    return fixes;
}

} // namespace trakmora
