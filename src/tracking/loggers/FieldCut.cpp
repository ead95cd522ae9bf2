#include "tracking/loggers/FieldCut.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace trakmora::fieldcut {

namespace {

bool wholeNumber(std::string_view s, int& out) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (s.empty()) return false;
    // Plain digits, as nearly every date and time holds them, without the general reader.
    if (s.size() <= 9) {
        int value = 0;
        bool digits = true;
        for (const char c : s) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            value = value * 10 + (c - '0');
        }
        if (digits) {
            out = value;
            return true;
        }
    }
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && out >= 0;
}

// Where `c` is in a short text, from `from` on (npos when it is not): a plain loop, quicker than
// a library search on a dozen characters.
std::size_t findIn(std::string_view text, char c, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] == c) return i;
    return std::string_view::npos;
}

} // namespace

bool splitSlashDate(std::string_view text, int& year, int& month, int& day) {
    const auto first = findIn(text, '/');
    if (first == std::string_view::npos) return false;
    const auto second = findIn(text, '/', first + 1);
    if (second == std::string_view::npos) return false;
    return wholeNumber(text.substr(0, first), year) &&
           wholeNumber(text.substr(first + 1, second - first - 1), month) &&
           wholeNumber(text.substr(second + 1), day);
}

bool splitColonTime(std::string_view text, int& hours, int& minutes, int& seconds) {
    const auto first = findIn(text, ':');
    if (first == std::string_view::npos) return false;
    const auto second = findIn(text, ':', first + 1);
    if (second == std::string_view::npos) return false;
    std::string_view secondsText = text.substr(second + 1);
    if (const auto point = findIn(secondsText, '.'); point != std::string_view::npos) {
        for (char c : secondsText.substr(point + 1))
            if (c < '0' || c > '9') return false;
        secondsText = secondsText.substr(0, point);
    }
    return wholeNumber(text.substr(0, first), hours) &&
           wholeNumber(text.substr(first + 1, second - first - 1), minutes) &&
           wholeNumber(secondsText, seconds);
}

bool digitsAt(std::string_view text, std::size_t first, std::size_t last, int& out) {
    if (first < 1 || last < first || text.size() < last) return false;
    out = 0;
    for (std::size_t i = first - 1; i < last; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

std::string slashDate(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
    return text;
}

std::string clock(double seconds, bool twoDigitHours) {
    long whole = static_cast<long>(std::floor(seconds)) % 86400;
    if (whole < 0) whole += 86400;
    char text[32];
    std::snprintf(text, sizeof text, twoDigitHours ? "%02ld:%02ld:%02ld" : "%ld:%02ld:%02ld", whole / 3600,
                  whole / 60 % 60, whole % 60);
    return text;
}

Status badValue(const CsvDocument& doc, const CsvFields& record, std::size_t index, const char* what) {
    const CsvField& v = record.values[index];
    const std::string shown =
        v.text.size() > 40 ? std::string(v.text.substr(0, 40)) + "..." : std::string(v.text);
    return Status::failure(
        doc.problem(v.line, "value " + std::to_string(index + 1) + " \"" + shown + "\" is not " + what));
}

Status readPosition(const CsvDocument& doc, const CsvFields& record, std::size_t fixNoColumn,
                    std::size_t latColumn, std::size_t lonColumn, LoggedRecord& out) {
    Status st = doc.number(record, fixNoColumn, out.fixNo);
    if (st) st = doc.number(record, latColumn, out.lat);
    if (st) st = doc.number(record, lonColumn, out.lon);
    if (st) {
        out.latText = record.values[latColumn].text;
        out.lonText = record.values[lonColumn].text;
    }
    return st;
}

} // namespace trakmora::fieldcut
