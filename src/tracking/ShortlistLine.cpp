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
    out.reserve(lines.size() * 96); // ten numbers of up to about nine characters each
    for (const auto& l : lines)
        writeShortlistLine(out, l);
    return writeFile(file, out.str());
}

Status readShortlistFile(const std::filesystem::path& file, std::vector<ShortlistLine>& lines) {
    std::string content;
    if (auto st = readWholeFile(file, content); !st) return st;
    const CsvDocument doc = CsvDocument::forFile(file.string());
    std::vector<ShortlistLine> read;
    read.reserve(countLineFeeds(content) + 1);
    CsvRecordReader reader(content);
    CsvFields r;
    while (reader.next(r)) {
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
