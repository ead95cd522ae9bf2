#pragma once
// The line of the 1Shortlist, 2Shortlist and 3Shortlist working files: a control and one fix
// near it, ten numbers, no header.
//
//   1,41.8056,12.6798,12.4,30600,57,41.80561,12.67983,31019,1.41
//   1,41.8056,12.6798,12.4,30600,1,1,1,1,5000          (filler line)
#include "common/Csv.h"
#include "common/Status.h"

#include <filesystem>
#include <vector>

namespace trakmora {

struct ShortlistLine {
    double controlNo = 0;
    double controlLat = 0;
    double controlLon = 0;
    double controlDist = 0;
    double groupTime = 0; // the competitor's speed group's time at the control
    double fixNo = 0;
    double fixLat = 0;
    double fixLon = 0;
    double fixSeconds = 0;
    double distance = 0; // metres between control and fix
    bool operator==(const ShortlistLine&) const = default;
};

void writeShortlistLine(CsvWriter& out, const ShortlistLine& line);
// The lines as one working file (not atomic: a step that fails is scored again from the start).
Status writeShortlistFile(const std::filesystem::path& file, const std::vector<ShortlistLine>& lines);
Status readShortlistFile(const std::filesystem::path& file, std::vector<ShortlistLine>& lines);

} // namespace trakmora
