#pragma once
// Marshals/cp<day>.csv: the day's scored controls with their coordinates and each speed group's
// scheduled clock time. Written from the route schedule, read by every scoring step.
//
//   "No","Lat","Long","Dist","A_Time","B_Time","C_Time","D_Time"
//   1,-33.86785,151.20732,12.4,30600,30420,30300,30180
#include "common/Status.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

struct ControlRecord {
    int no = 0;
    double lat = 0;
    double lon = 0;
    double dist = 0;
    std::array<double, 5> groupTime{}; // groups 1..4 (A..D), whole seconds after midnight
    bool operator==(const ControlRecord&) const = default;
};

// Reads the control file (header line skipped). Fails with file and line on a malformed record;
// `controls` is only replaced on success.
Status readControlFile(const std::filesystem::path& file, std::vector<ControlRecord>& controls);

// The control file's text: the header record, then one record per control.
std::string controlFileText(const std::vector<ControlRecord>& controls);

} // namespace trakmora
