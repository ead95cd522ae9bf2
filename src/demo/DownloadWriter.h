#pragma once
// Writes fixes as a logger download of any of the four layouts: a header line, then one record
// per fix. The logger time is chosen so that the import gives the fix time back (for whole
// seconds and whole offsets): the offset is added, and the Easy Logger's two hours taken off.
#include "common/RallyConfig.h"
#include "tracking/TrackFix.h"
#include "tracking/loggers/LoggerLayout.h"

#include <string>
#include <vector>

namespace trakmora {

// The first `earlierDateFixes` fixes carry the day before `dateSerial`, as a logger left running
// overnight writes them.
std::string downloadText(const LoggerLayout& layout, const std::vector<TrackFix>& fixes, double dateSerial,
                         const RallyConfig& config, std::size_t earlierDateFixes = 0);

// The same fixes as a phone's GPX 1.1 export: one track, points with lat, lon and a UTC time
// ("2015-06-26T07:05:09Z"), the fix's local time less `utcOffset` seconds.
std::string gpxDownloadText(const std::vector<TrackFix>& fixes, double dateSerial, int utcOffset,
                            std::size_t earlierDateFixes = 0);
// The same fixes as an NMEA 0183 log: an RMC and a GGA sentence per fix, with checksums, UTC
// times as for GPX. Positions are written to a millionth of a minute; a fix whose latitude is
// -(d + m / 60) for such an m reads back exactly (quantisedForNmea gives such fixes).
std::string nmeaDownloadText(const std::vector<TrackFix>& fixes, double dateSerial, int utcOffset,
                             std::size_t earlierDateFixes = 0);
// The fix moved to the nearest position an NMEA log can hold, computed as its reader computes it.
TrackFix quantisedForNmea(const TrackFix& fix);

} // namespace trakmora
