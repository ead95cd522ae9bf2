#pragma once
// The competitor log (CL file): one fix per line, four numbers, no header.
//
//   1,41.805592,12.679832,25508
//   2,41.805626,12.679758,25513
#include "common/Csv.h"
#include "common/Status.h"
#include "tracking/TrackFix.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trakmora {

// Reads every fix; fails with file and line on a malformed line or more than kMaxFixes fixes.
// `fixes` is only replaced on success.
Status readClFile(const std::filesystem::path& file, std::vector<TrackFix>& fixes);

// Writes one CL line.
void writeClLine(CsvWriter& out, const TrackFix& fix);
// The same with the latitude and longitude copied from the text they were read from, where that
// is already the form written here.
void writeClLine(CsvWriter& out, const TrackFix& fix, std::string_view latText, std::string_view lonText);

} // namespace trakmora
