#include "tracking/ClFile.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace trakmora {

namespace {

// The competitor logs this program writes: four plain numbers a line, lines ending CR LF or LF.
// Read straight from the bytes; any other line (blanks, quotes, a fifth value, a damaged number,
// one fix too many) sends the whole file through the general reader, which says what is wrong
// and where. A line read here gives the values the general reader gives it.
bool readPlainLog(std::string_view text, std::vector<TrackFix>& out) {
    out.clear();
    out.reserve(countLineFeeds(text) + 1);
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        if (out.size() == static_cast<std::size_t>(kMaxFixes)) return false;
        TrackFix f;
        double* const values[] = {&f.fixNo, &f.lat, &f.lon, &f.seconds};
        for (int k = 0; k < 4; ++k) {
            const auto [next, ec] = readDecimal(p, end, *values[k]);
            if (ec != std::errc() || !std::isfinite(*values[k])) return false;
            p = next;
            if (k == 3) break;
            if (p == end || *p != ',') return false;
            ++p;
        }
        if (p < end && *p == '\r') ++p;
        if (p < end && *p++ != '\n') return false;
        out.push_back(f);
    }
    return true;
}

} // namespace

Status readClFile(const std::filesystem::path& file, std::vector<TrackFix>& fixes) {
    std::string content;
    if (auto st = readWholeFile(file, content); !st) return st;
    if (std::vector<TrackFix> plain; readPlainLog(content, plain)) {
        fixes = std::move(plain);
        return {};
    }
    const CsvDocument doc = CsvDocument::forFile(file.string());
    std::vector<TrackFix> read;
    read.reserve(countLineFeeds(content) + 1);
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

void writeClLine(CsvWriter& out, const TrackFix& fix, std::string_view latText, std::string_view lonText) {
    out.number(fix.fixNo).number(fix.lat, latText).number(fix.lon, lonText).number(fix.seconds).endRecord();
}

void writeClLine(CsvWriter& out, const TrackFix& fix) {
    out.number(fix.fixNo).number(fix.lat).number(fix.lon).number(fix.seconds).endRecord();
}

} // namespace trakmora
