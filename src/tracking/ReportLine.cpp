#include "tracking/ReportLine.h"

namespace trakmora {

void writeReportLine(CsvWriter& out, const ReportLine& l) {
    out.number(l.controlNo).number(l.idealClock).number(l.passageClock).number(l.scheduledRally);
    out.number(l.actualRally).number(l.score).number(l.controlDist).endRecord();
}

Status readReportFile(const std::filesystem::path& file, std::vector<ReportLine>& lines) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    std::vector<ReportLine> read;
    for (const CsvRecord& r : doc.records()) {
        ReportLine l;
        double* fields[] = {&l.controlNo,   &l.idealClock, &l.passageClock, &l.scheduledRally,
                            &l.actualRally, &l.score,      &l.controlDist};
        for (std::size_t i = 0; i < 7; ++i)
            if (auto st = doc.number(r, i, *fields[i]); !st) return st;
        read.push_back(l);
    }
    lines = std::move(read);
    return {};
}

} // namespace trakmora
