#include "schedule/ControlFile.h"

#include "common/Csv.h"

#include <climits>

namespace trakmora {

Status readControlFile(const std::filesystem::path& file, std::vector<ControlRecord>& controls) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    std::vector<ControlRecord> read;
    const auto& records = doc.records();
    for (std::size_t i = 1; i < records.size(); ++i) { // record 0 is the header
        const CsvRecord& r = records[i];
        ControlRecord c;
        long no = 0;
        Status st = doc.integer(r, 0, INT_MIN, INT_MAX, no);
        if (st) st = doc.number(r, 1, c.lat);
        if (st) st = doc.number(r, 2, c.lon);
        if (st) st = doc.number(r, 3, c.dist);
        for (int g = 1; g <= 4 && st; ++g)
            st = doc.number(r, static_cast<std::size_t>(3 + g), c.groupTime[g]);
        if (!st) return st;
        c.no = static_cast<int>(no);
        read.push_back(c);
    }
    controls = std::move(read);
    return {};
}

std::string controlFileText(const std::vector<ControlRecord>& controls) {
    CsvWriter w;
    for (const char* name : {"No", "Lat", "Long", "Dist", "A_Time", "B_Time", "C_Time", "D_Time"})
        w.text(name);
    w.endRecord();
    for (const ControlRecord& c : controls) {
        w.number(c.no).number(c.lat).number(c.lon).number(c.dist);
        for (int g = 1; g <= 4; ++g)
            w.number(c.groupTime[static_cast<std::size_t>(g)]);
        w.endRecord();
    }
    return w.take();
}

} // namespace trakmora
