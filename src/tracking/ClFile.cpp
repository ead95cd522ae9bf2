#include "tracking/ClFile.h"

#include "common/Csv.h"
#include "common/FileIo.h"

#include <algorithm>

namespace trakmora {

Status readClFile(const std::filesystem::path& file, std::vector<TrackFix>& fixes) {
    std::string content;
    if (auto st = readWholeFile(file, content); !st) return st;
    const CsvDocument doc = CsvDocument::forFile(file.string());
    std::vector<TrackFix> read;
    read.reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1);
    CsvRecordReader reader(content);
    CsvRecord r;
    while (reader.next(r)) {
        if (read.size() == static_cast<std::size_t>(kMaxFixes))
            return Status::failure(doc.problem(r.line, "more than 100,000 fixes"));
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
