#pragma once
// What the readers of self-describing track files (GPX, NMEA 0183) give the import: the fixes in
// file order with their UTC date and time, and the points or sentences they left out, by reason.
// Unlike the comma-separated layouts, these files carry their own structure and time zone.
#include "tracking/loggers/LoggerLayout.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace trakmora {

// The most track points (or fixes) one file may hold; past it the file is refused whole.
inline constexpr std::size_t kMaxTrackPoints = 1'000'000;

struct TrackRead {
    // fixNo is the running number of the point (GPX) or fix (NMEA) in the file, from 1; the date
    // and seconds are UTC.
    std::vector<LoggedRecord> fixes;
    // Reasons in the order first met, each with its count: {"no time", 3}.
    std::vector<std::pair<std::string, int>> skipped;

    void skip(const std::string& reason) {
        for (auto& [r, count] : skipped)
            if (r == reason) {
                ++count;
                return;
            }
        skipped.emplace_back(reason, 1);
    }
    int skippedCount() const {
        int total = 0;
        for (const auto& s : skipped)
            total += s.second;
        return total;
    }
};

} // namespace trakmora
