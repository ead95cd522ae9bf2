#include "tracking/loggers/NmeaTrack.h"

#include "common/FileIo.h"
#include "common/Format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace trakmora {

namespace {

constexpr const char* kBadChecksum = "bad checksum";
constexpr const char* kNoFix = "no fix";
constexpr const char* kBadSentence = "bad sentence";
constexpr const char* kNoDate = "no date";

// The comma-separated fields of a sentence body, the address first. Fields past the last one
// either sentence reads are not kept.
struct Fields {
    std::array<std::string_view, 12> value;
    std::size_t count = 0;
};

Fields splitFields(std::string_view body) {
    Fields f;
    while (true) {
        const std::size_t comma = body.find(',');
        if (f.count < f.value.size()) f.value[f.count] = body.substr(0, comma);
        ++f.count;
        if (comma == std::string_view::npos) break;
        body.remove_prefix(comma + 1);
    }
    return f;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number written by `count` digits at `at`.
bool digits(std::string_view text, std::size_t at, std::size_t count, int& out) {
    if (at + count > text.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i])) return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

// Digits, optionally followed by a point and more digits.
bool isDecimal(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.empty()) return false;
    for (char c : whole)
        if (!isDigit(c)) return false;
    if (point == std::string_view::npos) return true;
    for (char c : text.substr(point + 1))
        if (!isDigit(c)) return false;
    return true;
}

// "hhmmss" with an optional fraction, which is dropped.
bool readTime(std::string_view text, double& seconds) {
    int h = 0, m = 0, s = 0;
    if (!isDecimal(text) || !digits(text, 0, 2, h) || !digits(text, 2, 2, m) || !digits(text, 4, 2, s))
        return false;
    if ((text.size() > 6 && text[6] != '.') || h > 23 || m > 59 || s > 59) return false;
    seconds = h * 3600.0 + m * 60.0 + s;
    return true;
}

// "ddmmyy"; years 80 to 99 are the 1900s, as GPS time starts in 1980.
bool readDate(std::string_view text, int& year, int& month, int& day) {
    int yy = 0;
    if (text.size() != 6 || !digits(text, 0, 2, day) || !digits(text, 2, 2, month) || !digits(text, 4, 2, yy))
        return false;
    year = yy >= 80 ? 1900 + yy : 2000 + yy;
    if (month < 1 || month > 12 || day < 1) return false;
    const CivilDate check = civilFromSerial(dateSerial(year, month, day));
    return check.year == year && check.month == month && check.day == day; // not 31 April
}

// "ddmm.mmmm" or "dddmm.mmmm" with its hemisphere letter to signed degrees, at most `limit`.
bool readAngle(std::string_view text, std::string_view hemisphere, char positive, char negative, double limit,
               double& out) {
    if (!isDecimal(text) || hemisphere.size() != 1) return false;
    if (hemisphere[0] != positive && hemisphere[0] != negative) return false;
    const std::size_t whole = std::min(text.find('.'), text.size());
    if (whole < 3) return false; // at least a degree digit and two minute digits
    int degrees = 0;
    for (std::size_t i = 0; i < whole - 2; ++i)
        if ((degrees = degrees * 10 + (text[i] - '0')) > 999) return false;
    double minutes = 0;
    const std::string_view m = text.substr(whole - 2);
    const auto [end, ec] = std::from_chars(m.data(), m.data() + m.size(), minutes);
    if (ec != std::errc() || end != m.data() + m.size() || minutes >= 60) return false;
    const double angle = degrees + minutes / 60.0;
    if (angle > limit) return false;
    out = hemisphere[0] == negative ? -angle : angle;
    return true;
}

class NmeaReader {
public:
    explicit NmeaReader(TrackRead& out) : out_(out) {}

    // False when the fix limit is passed; `line` is then where.
    bool sentence(std::string_view line) {
        const std::size_t dollar = line.rfind('$');
        if (dollar == std::string_view::npos) return true;
        std::string_view body = line.substr(dollar + 1);
        const std::size_t star = body.find('*');
        const std::string_view checksum = star == std::string_view::npos ? "" : body.substr(star + 1);
        body = body.substr(0, star);

        const Fields f = splitFields(body);
        const std::string_view address = f.value[0];
        if (address.size() != 5 || address[0] < 'A' || address[0] > 'Z' || address[0] == 'P' ||
            address[1] < 'A' || address[1] > 'Z')
            return true; // not a talker sentence (a proprietary one starts with P)
        const std::string_view type = address.substr(2);
        if (type != "RMC" && type != "GGA") return true;

        if (star != std::string_view::npos && !checksumMatches(body, checksum)) {
            out_.skip(kBadChecksum);
            return true;
        }
        return type == "RMC" ? rmc(f) : gga(f);
    }

private:
    static bool checksumMatches(std::string_view body, std::string_view checksum) {
        if (checksum.size() != 2 || hexDigit(checksum[0]) < 0 || hexDigit(checksum[1]) < 0) return false;
        unsigned sum = 0;
        for (char c : body)
            sum ^= static_cast<unsigned char>(c);
        return sum == static_cast<unsigned>(hexDigit(checksum[0]) * 16 + hexDigit(checksum[1]));
    }

    // $--RMC,time,status,lat,N/S,lon,E/W,speed,course,date,...
    bool rmc(const Fields& f) {
        if (f.count < 10) return bad();
        if (f.value[2] == "V") return noFix();
        LoggedRecord r;
        if (f.value[2] != "A" || !readTime(f.value[1], r.seconds) ||
            !readDate(f.value[9], r.year, r.month, r.day) || !readPosition(f, 3, r))
            return bad();
        date_ = dateSerial(r.year, r.month, r.day);
        haveDate_ = true;
        return take(r);
    }

    // $--GGA,time,lat,N/S,lon,E/W,quality,...
    bool gga(const Fields& f) {
        if (f.count < 7) return bad();
        if (f.value[6] == "0") return noFix();
        LoggedRecord r;
        if (f.value[6].size() != 1 || !isDigit(f.value[6][0]) || !readTime(f.value[1], r.seconds) ||
            !readPosition(f, 2, r))
            return bad();
        if (!haveDate_) {
            out_.skip(kNoDate);
            return true;
        }
        if (r.seconds + 43200 < lastSeconds_) date_ += 1; // past midnight since the last time taken
        const CivilDate d = civilFromSerial(date_);
        r.year = d.year;
        r.month = d.month;
        r.day = d.day;
        return take(r);
    }

    static bool readPosition(const Fields& f, std::size_t at, LoggedRecord& r) {
        return readAngle(f.value[at], f.value[at + 1], 'N', 'S', 90, r.lat) &&
               readAngle(f.value[at + 2], f.value[at + 3], 'E', 'W', 180, r.lon);
    }

    bool take(LoggedRecord& r) {
        lastSeconds_ = r.seconds;
        if (!out_.fixes.empty()) {
            const LoggedRecord& last = out_.fixes.back();
            if (last.seconds == r.seconds && last.day == r.day && last.month == r.month &&
                last.year == r.year)
                return true; // the same epoch as the fix before
        }
        if (out_.fixes.size() == kMaxTrackPoints) return false;
        r.fixNo = static_cast<double>(out_.fixes.size() + 1);
        out_.fixes.push_back(r);
        return true;
    }

    bool bad() {
        out_.skip(kBadSentence);
        return true;
    }
    bool noFix() {
        out_.skip(kNoFix);
        return true;
    }

    TrackRead& out_;
    double date_ = 0;
    bool haveDate_ = false;
    double lastSeconds_ = 0;
};

std::string withThousands(std::size_t n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

} // namespace

Status readNmeaTrack(std::string_view text, TrackRead& out) {
    out = TrackRead{};
    if (text.size() > kMaxReadableFileBytes)
        return Status::failure("is too large to read (" + std::to_string(text.size()) +
                               " bytes); a download is read up to 256 MB");
    NmeaReader reader(out);
    std::size_t lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        // Lines end with CR LF, LF or a lone CR.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!reader.sentence(line)) {
            out = TrackRead{};
            return Status::failure("line " + std::to_string(lineNo) + ": more than " +
                                   withThousands(kMaxTrackPoints) + " fixes; a download holds at most " +
                                   withThousands(kMaxTrackPoints));
        }
    }
    return {};
}

} // namespace trakmora
