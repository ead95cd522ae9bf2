#pragma once
// The downloads that carry their own structure and UTC times: g for GPX, n for NMEA 0183. As for
// the comma-separated layouts, the letter starts the download name, matched without regard to
// case; the name must also end with one of the format's extensions.
//
//   g2045.gpx, G2045-phone.GPX        GPX download of competitor 45 on day 2
//   n2045.nmea, n2045.nma, n2045.log  NMEA download of competitor 45 on day 2
#include "common/Status.h"
#include "tracking/loggers/TrackRead.h"

#include <array>
#include <string_view>
#include <vector>

namespace trakmora {

using TrackReader = Status (*)(std::string_view text, TrackRead& out);

struct TrackFormat {
    char letter = 'g';                   // first character of the download name (lower case)
    const char* name = "";               // for messages
    std::vector<const char*> extensions; // with the dot, lower case
    TrackReader read = nullptr;
};

// In the order the download list shows them, after the comma-separated layouts.
const std::array<const TrackFormat*, 2>& trackFormats();

// The format of a download name (letter and extension), or nullptr.
const TrackFormat* findTrackFormat(std::string_view downloadName);

} // namespace trakmora
