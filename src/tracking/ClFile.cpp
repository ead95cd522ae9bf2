#include "tracking/ClFile.h"

#include "common/Csv.h"

namespace trakmora {

Status readClFile(const std::filesystem::path& file, std::vector<TrackFix>& fixes) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    const auto& records = doc.records();
    if (records.size() > static_cast<std::size_t>(kMaxFixes))
        return Status::failure(doc.problem(records[kMaxFixes].line, "more than 100,000 fixes"));
    std::vector<TrackFix> read;
    read.reserve(records.size());
    for (const CsvRecord& r : records) {
        TrackFix f;
        Status st = doc.number(r, 0, f.fixNo);
        if (st) st = doc.number(r, 1, f.lat);
        if (st) st = doc.number(r, 2, f.lon);
        if (st) st = doc.number(r, 3, f.seconds);
        if (!st) return st;
        read.push_back(f);
    }
    fixes = std::move(read);
    return {};
}

void writeClLine(CsvWriter& out, const TrackFix& fix) {
    out.number(fix.fixNo).number(fix.lat).number(fix.lon).number(fix.seconds).endRecord();
}

} // namespace trakmora
