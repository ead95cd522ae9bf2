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

} // namespace trakmora
