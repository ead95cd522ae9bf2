#pragma once
// The line of the Report working file: one scored control, seven numbers, times as fractions
// of a day so that a spreadsheet shows them as clock times.
//
//   1,0.36319444444444443,0.3631712962962963,0.02152777777777778,0.020949074074074075,2,12.4
//   2,0.4,0,0.05833333333333333,0,600,31.7                  (no passage inside the window)
#include "common/Csv.h"
#include "common/Status.h"

#include <filesystem>
#include <vector>

namespace trakmora {

struct ReportLine {
    double controlNo = 0;
    double idealClock = 0;     // (group time + 60 x CompetitorNo) / 86400
    double passageClock = 0;   // PassageTime / 86400, or 0 outside the window
    double scheduledRally = 0; // (group time - day start) / 86400
    double actualRally = 0;    // (PassageTime - day start - 60 x CompetitorNo) / 86400, or 0
    double score = 0;          // deviation in whole seconds, or TimeWindow outside the window
    double controlDist = 0;
    bool operator==(const ReportLine&) const = default;
};

void writeReportLine(CsvWriter& out, const ReportLine& line);
Status readReportFile(const std::filesystem::path& file, std::vector<ReportLine>& lines);

} // namespace trakmora
