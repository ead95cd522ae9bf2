#include "common/Csv.h"

#include "common/FileIo.h"
#include "common/Format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace trakmora {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Consumes a line end at `i` (CR LF, LF or CR); returns true when there was one.
bool consumeLineEnd(std::string_view s, std::size_t& i) {
    if (i >= s.size()) return false;
    if (s[i] == '\r') {
        ++i;
        if (i < s.size() && s[i] == '\n') ++i;
        return true;
    }
    if (s[i] == '\n') {
        ++i;
        return true;
    }
    return false;
}

// A comma or a line end: one look-up per character of the value.
constexpr auto kEndsValue = [] {
    std::array<bool, 256> ends{};
    ends[','] = ends['\r'] = ends['\n'] = true;
    return ends;
}();

bool endsValue(char c) {
    return kEndsValue[static_cast<unsigned char>(c)];
}

// Kept apart so that taking the next value stays small enough to be inlined.
[[gnu::noinline]] void addSlot(std::vector<CsvField>& values) {
    values.emplace_back();
}

std::string shorten(const std::string& s) {
    return s.size() > 40 ? s.substr(0, 40) + "..." : s;
}

} // namespace

CsvRecordReader::CsvRecordReader(std::string_view content) : s_(content) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") i_ = 3;
}

bool CsvRecordReader::next(CsvFields& record) {
    const std::string_view s = s_;
    const std::size_t n = s.size();
    std::size_t i = i_;   // kept in a register; written back on the way out
    std::size_t used = 0; // values of `record` filled so far; the others are reused storage
    unquoted_.clear();
    copied_.clear();
    const auto emptySlot = [&]() -> CsvField& {
        if (used == record.values.size()) addSlot(record.values);
        CsvField& v = record.values[used++];
        v = CsvField{{}, false, line_};
        return v;
    };
    // Views into unquoted_ are made once the record is whole: it may move while it grows.
    const auto finish = [&] {
        i_ = i;
        record.values.resize(used);
        const std::string_view copies = unquoted_;
        for (const Copied& c : copied_)
            record.values[c.value].text = copies.substr(c.offset, c.size);
    };
    record.line = line_;
    bool lineHasContent = false;
    while (i < n) {
        // One value.
        while (i < n && isBlank(s[i]))
            ++i;
        CsvField& value = emptySlot();
        if (i < n && s[i] == '"') {
            value.quoted = true;
            std::size_t from = i + 1, close = s.find('"', from);
            const auto doubled = [&] {
                return close != std::string_view::npos && close + 1 < n && s[close + 1] == '"';
            };
            if (doubled()) {
                // A doubled quote inside the value is one quote, as spreadsheet programs write it.
                const std::size_t offset = unquoted_.size();
                while (doubled()) {
                    unquoted_.append(s.substr(from, close + 1 - from));
                    from = close + 2;
                    close = s.find('"', from);
                }
                if (close == std::string_view::npos) close = n;
                unquoted_.append(s.substr(from, close - from));
                copied_.push_back({used - 1, offset, unquoted_.size() - offset});
            } else {
                if (close == std::string_view::npos) close = n;
                value.text = s.substr(from, close - from);
            }
            line_ += static_cast<int>(std::count(s.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                                 s.begin() + static_cast<std::ptrdiff_t>(close), '\n'));
            i = close < n ? close + 1 : close;
            // Anything between the closing quote and the next separator is dropped.
            while (i < n && !endsValue(s[i]))
                ++i;
        } else {
            // Blanks before the value are passed already; those after it are dropped.
            const std::size_t start = i;
            while (i < n && !endsValue(s[i]))
                ++i;
            std::size_t end = i;
            while (end > start && isBlank(s[end - 1]))
                --end;
            value.text = s.substr(start, end - start);
        }
        if (value.quoted || !value.text.empty()) lineHasContent = true;
        if (i < n && s[i] == ',') {
            ++i;
            lineHasContent = true;
            if (i >= n) emptySlot();
            continue;
        }
        consumeLineEnd(s, i);
        ++line_;
        if (lineHasContent) {
            finish();
            return true;
        }
        used = 0; // a blank line: start again on the next one
        record.line = line_;
    }
    finish();
    return lineHasContent;
}

bool CsvRecordReader::next(CsvRecord& record) {
    const bool found = next(fields_);
    record.line = fields_.line;
    record.values.resize(fields_.values.size());
    for (std::size_t k = 0; k < fields_.values.size(); ++k) {
        const CsvField& from = fields_.values[k];
        CsvValue& to = record.values[k];
        to.text.assign(from.text);
        to.quoted = from.quoted;
        to.line = from.line;
    }
    return found;
}

CsvDocument CsvDocument::parse(std::string_view s, std::string fileName) {
    CsvDocument doc;
    doc.fileName_ = std::move(fileName);
    // Reserving for every line and for as many values as the line before keeps a large file from
    // being copied over and over while it grows.
    doc.records_.reserve(countLineFeeds(s) + 1);
    CsvRecordReader reader(s);
    CsvRecord record;
    while (reader.next(record)) {
        const std::size_t valuesPerRecord = record.values.size();
        doc.records_.push_back(std::move(record));
        record = CsvRecord{};
        record.values.reserve(valuesPerRecord);
    }
    return doc;
}

CsvDocument CsvDocument::forFile(std::string fileName) {
    CsvDocument doc;
    doc.fileName_ = std::move(fileName);
    return doc;
}

Status CsvDocument::load(const std::filesystem::path& file, CsvDocument& out) {
    std::string content;
    if (auto st = readWholeFile(file, content); !st) return st;
    out = parse(content, file.string());
    return {};
}

std::string CsvDocument::problem(int line, const std::string& message) const {
    return fileName_ + " line " + std::to_string(line) + ": " + message;
}

Status CsvDocument::valuesFound(int line, std::size_t found, std::size_t count) const {
    if (found >= count) return {};
    return Status::failure(
        problem(line, "expected " + std::to_string(count) + " values, found " + std::to_string(found)));
}

Status CsvDocument::expectValues(const CsvRecord& record, std::size_t count) const {
    return valuesFound(record.line, record.values.size(), count);
}

Status CsvDocument::expectValues(const CsvFields& record, std::size_t count) const {
    return valuesFound(record.line, record.values.size(), count);
}

Status CsvDocument::text(const CsvRecord& record, std::size_t index, std::string& out) const {
    if (auto st = expectValues(record, index + 1); !st) return st;
    out = record.values[index].text;
    return {};
}

Status CsvDocument::numberIn(std::string_view text, int line, std::size_t index, double& out) const {
    if (parseNumber(text, out)) return {};
    return Status::failure(problem(line, "value " + std::to_string(index + 1) + " \"" +
                                             shorten(std::string(text)) + "\" is not a number"));
}

Status CsvDocument::number(const CsvRecord& record, std::size_t index, double& out) const {
    if (auto st = expectValues(record, index + 1); !st) return st;
    return numberIn(record.values[index].text, record.values[index].line, index, out);
}

Status CsvDocument::number(const CsvFields& record, std::size_t index, double& out) const {
    if (index < record.values.size() && parseNumber(record.values[index].text, out)) return {};
    if (auto st = expectValues(record, index + 1); !st) return st;
    return numberIn(record.values[index].text, record.values[index].line, index, out);
}

Status CsvDocument::integer(const CsvRecord& record, std::size_t index, long min, long max, long& out) const {
    double d = 0;
    if (auto st = number(record, index, d); !st) return st;
    const CsvValue& v = record.values[index];
    if (d != std::floor(d) || d < static_cast<double>(min) || d > static_cast<double>(max))
        return Status::failure(problem(v.line, "value " + std::to_string(index + 1) + " \"" +
                                                   shorten(v.text) + "\" is not a whole number from " +
                                                   std::to_string(min) + " to " + std::to_string(max)));
    out = static_cast<long>(d);
    return {};
}

std::size_t countLineFeeds(std::string_view text) {
    std::size_t count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!found) break;
        ++count;
        p = static_cast<const char*>(found) + 1;
    }
    return count;
}

bool parseNumber(std::string_view text, double& out) {
    text = trim(text);
    if (text.empty()) {
        out = 0;
        return true;
    }
    if (text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = readDecimal(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return false;
    out = value;
    return true;
}

CsvCursor::CsvCursor(const CsvDocument& document) : document_(document) {}

bool CsvCursor::atEnd() const {
    std::size_t r = record_, v = value_;
    const auto& recs = document_.records();
    while (r < recs.size() && v >= recs[r].values.size()) {
        ++r;
        v = 0;
    }
    return r >= recs.size();
}

int CsvCursor::line() const {
    const auto& recs = document_.records();
    if (recs.empty()) return 1;
    // A record whose values are all taken is passed over: the next value is on a later line.
    std::size_t r = record_, v = value_;
    while (r < recs.size() && v >= recs[r].values.size()) {
        ++r;
        v = 0;
    }
    if (r >= recs.size()) return recs.back().line;
    return recs[r].line;
}

const CsvValue* CsvCursor::next(Status& status) {
    const auto& recs = document_.records();
    while (record_ < recs.size() && value_ >= recs[record_].values.size()) {
        ++record_;
        value_ = 0;
    }
    if (record_ >= recs.size()) {
        status = Status::failure(document_.problem(line(), "a value is missing"));
        return nullptr;
    }
    return &recs[record_].values[value_++];
}

Status CsvCursor::text(std::string& out) {
    Status st;
    if (const CsvValue* v = next(st)) out = v->text;
    return st;
}

Status CsvCursor::number(double& out) {
    Status st;
    const CsvValue* v = next(st);
    if (!v) return st;
    if (!parseNumber(v->text, out))
        return Status::failure(document_.problem(v->line, "\"" + shorten(v->text) + "\" is not a number"));
    return {};
}

Status CsvCursor::integer(long min, long max, long& out) {
    Status st;
    const CsvValue* v = next(st);
    if (!v) return st;
    double d = 0;
    if (!parseNumber(v->text, d) || d != std::floor(d) || d < static_cast<double>(min) ||
        d > static_cast<double>(max))
        return Status::failure(
            document_.problem(v->line, "\"" + shorten(v->text) + "\" is not a whole number from " +
                                           std::to_string(min) + " to " + std::to_string(max)));
    out = static_cast<long>(d);
    return {};
}

void CsvWriter::separate() {
    if (!atRecordStart_) out_ += ',';
    atRecordStart_ = false;
}

CsvWriter& CsvWriter::text(std::string_view value) {
    separate();
    out_ += '"';
    // A double quote inside would end the value early on reading; it becomes an apostrophe.
    for (char c : value)
        out_ += (c == '"') ? '\'' : c;
    out_ += '"';
    return *this;
}

CsvWriter& CsvWriter::textAsTyped(std::string_view value) {
    separate();
    out_ += '"';
    for (char c : value) {
        if (c == '"') out_ += '"';
        out_ += c;
    }
    out_ += '"';
    return *this;
}

CsvWriter& CsvWriter::number(double value) {
    separate();
    appendNumber(out_, value);
    return *this;
}

CsvWriter& CsvWriter::number(double value, std::string_view asRead) {
    if (!isNumberAsWritten(asRead)) return number(value);
    separate();
    out_ += asRead;
    return *this;
}

CsvWriter& CsvWriter::endRecord() {
    out_ += "\r\n";
    atRecordStart_ = true;
    return *this;
}

} // namespace trakmora
