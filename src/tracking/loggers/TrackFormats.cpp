#include "tracking/loggers/TrackFormats.h"

#include "common/Paths.h"
#include "tracking/loggers/GpxTrack.h"
#include "tracking/loggers/NmeaTrack.h"

namespace trakmora {

const std::array<const TrackFormat*, 2>& trackFormats() {
    static const TrackFormat gpx{'g', "GPX", {".gpx"}, readGpxTrack};
    static const TrackFormat nmea{'n', "NMEA", {".nmea", ".nma", ".log"}, readNmeaTrack};
    static const std::array<const TrackFormat*, 2> table = {&gpx, &nmea};
    return table;
}

const TrackFormat* findTrackFormat(std::string_view downloadName) {
    if (downloadName.empty()) return nullptr;
    const char first = downloadName.front();
    const char lower = (first >= 'A' && first <= 'Z') ? static_cast<char>(first - 'A' + 'a') : first;
    for (const TrackFormat* format : trackFormats()) {
        if (format->letter != lower) continue;
        for (const char* extension : format->extensions)
            if (endsWithIgnoreCase(downloadName, extension)) return format;
    }
    return nullptr;
}

} // namespace trakmora
