#pragma once
// One fix of a competitor log (CL file): fix number, position and time of day after the
// logger's offset.
namespace trakmora {

struct TrackFix {
    double fixNo = 0;
    double lat = 0;
    double lon = 0;
    double seconds = 0; // after midnight
    bool operator==(const TrackFix&) const = default;
};

// A download or a CL file holds at most this many fixes.
inline constexpr int kMaxFixes = 100000;

} // namespace trakmora
