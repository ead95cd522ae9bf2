#include "tracking/ShortlistLine.h"

#include "common/FileIo.h"

namespace trakmora {

void writeShortlistLine(CsvWriter& out, const ShortlistLine& l) {
    out.number(l.controlNo)
        .number(l.controlLat)
        .number(l.controlLon)
        .number(l.controlDist)
        .number(l.groupTime);
    out.number(l.fixNo).number(l.fixLat).number(l.fixLon).number(l.fixSeconds).number(l.distance).endRecord();
}

Status writeShortlistFile(const std::filesystem::path& file, const std::vector<ShortlistLine>& lines) {
    CsvWriter out;
    for (const auto& l : lines)
        writeShortlistLine(out, l);
    return writeFile(file, out.str());
}

Status readShortlistFile(const std::filesystem::path& file, std::vector<ShortlistLine>& lines) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    std::vector<ShortlistLine> read;
    read.reserve(doc.records().size());
    for (const CsvRecord& r : doc.records()) {
        ShortlistLine l;
        double* fields[] = {&l.controlNo, &l.controlLat, &l.controlLon, &l.controlDist, &l.groupTime,
                            &l.fixNo,     &l.fixLat,     &l.fixLon,     &l.fixSeconds,  &l.distance};
        for (std::size_t i = 0; i < 10; ++i)
            if (auto st = doc.number(r, i, *fields[i]); !st) return st;
        read.push_back(l);
    }
    lines = std::move(read);
    return {};
}

} // namespace trakmora
