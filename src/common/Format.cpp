#include "common/Format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace trakmora {

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Positions and times as a logger writes them: a value that some decimal of at most 15
// significant digits reads back to. That decimal is the shortest form (two such decimals never
// read back to the same double). It is found as the integer nearest value * 10^d, with d giving
// 15 digits, if that integer divided by 10^d gives the value again: both operands of the division
// are exact, so its one rounding is the rounding a reader makes of the decimal. Its trailing
// zeros are then dropped. Anything else is left to the general conversion.
bool appendShortDecimal(std::string& out, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-7 && magnitude < 1e14)) return false;
    // The power of ten of the first digit: 10^first <= magnitude < 10^(first + 1), near enough;
    // a wrong guess only fails the test below.
    int first = 0;
    if (magnitude >= 1) {
        while (magnitude >= kPowersOfTen[first + 1])
            ++first;
    } else {
        first = -1;
        while (magnitude * kPowersOfTen[-first] < 1)
            --first;
    }
    int places = 14 - first;
    const double scaled = magnitude * kPowersOfTen[places];
    // The digits sought lie within a quarter of `scaled`: adding a half and dropping the
    // fraction finds them.
    const double nearest = static_cast<double>(static_cast<long long>(scaled + 0.5));
    if (nearest >= 1e15 || nearest / kPowersOfTen[places] != magnitude) return false;
    auto digits = static_cast<unsigned long long>(nearest);
    while (places > 0 && digits % 10 == 0) {
        digits /= 10;
        --places;
    }
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, digits);
    const int count = static_cast<int>(written.ptr - buf);
    if (value < 0) out += '-';
    if (count <= places) {
        out += "0.";
        out.append(static_cast<std::size_t>(places - count), '0');
        out.append(buf, static_cast<std::size_t>(count));
    } else {
        out.append(buf, static_cast<std::size_t>(count - places));
        out += '.';
        out.append(buf + count - places, static_cast<std::size_t>(places));
    }
    return true;
}

} // namespace

void appendNumber(std::string& out, double value) {
    if (!std::isfinite(value) || value == 0) { // also turns -0 into 0
        out += '0';
        return;
    }
    char buf[400];
    std::to_chars_result written;
    // Whole numbers (fix numbers, seconds, scores) the cheap way: the same digits.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        written = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
    } else {
        if (appendShortDecimal(out, value)) return;
        written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    }
    if (written.ec != std::errc())
        out += '0';
    else
        out.append(buf, static_cast<std::size_t>(written.ptr - buf));
}

bool isNumberAsWritten(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = text.empty() || text[0] != '-' ? 0 : 1;
    const std::size_t whole = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::size_t wholeDigits = i - whole;
    if (wholeDigits == 0 || (wholeDigits > 1 && text[whole] == '0')) return false;
    const bool zeroWhole = text[whole] == '0';
    if (i == text.size()) return wholeDigits <= 15 && !(zeroWhole && whole == 1); // "-0" is written "0"
    if (text[i] != '.' || i + 1 == text.size() || text.back() == '0') return false;
    std::size_t significant = zeroWhole ? 0 : wholeDigits;
    for (++i; i < text.size(); ++i) {
        if (!isDigit(text[i])) return false;
        if (significant > 0 || text[i] != '0') ++significant;
    }
    return significant <= 15;
}

std::from_chars_result readDecimal(const char* first, const char* last, double& out) {
    // Digits, perhaps a sign and a point: the integer they make, divided by a power of ten. With
    // the integer below 2^53 and the power at most 10^22 both are exact and the division rounds
    // once, as the general reader does. Exponents, long digit runs and the like go to it.
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (negative) ++p;
    std::uint64_t digits = 0;
    int count = 0, places = 0;
    const char* const wholeStart = p;
    for (; p != last && *p >= '0' && *p <= '9'; ++p, ++count)
        digits = digits * 10 + static_cast<unsigned>(*p - '0');
    bool plain = p != wholeStart;
    if (plain && p != last && *p == '.') {
        const char* const fractionStart = ++p;
        for (; p != last && *p >= '0' && *p <= '9'; ++p, ++count)
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
        places = static_cast<int>(p - fractionStart);
        plain = places > 0;
    }
    plain = plain && count <= 19 && places <= 22 && digits <= (std::uint64_t{1} << 53) &&
            (p == last || (*p != '.' && *p != 'e' && *p != 'E'));
    if (!plain) return std::from_chars(first, last, out, std::chars_format::general);
    const double value = static_cast<double>(digits) / kPowersOfTen[places];
    out = negative ? -value : value;
    return {p, std::errc()};
}

std::string formatNumber(double value) {
    std::string text;
    appendNumber(text, value);
    return text;
}

namespace {

// The value's decimal digits rounded half away from zero to `decimals` places, as a string of
// digits with the point implied; works on the 15-significant-digit form so that 12.345 rounds
// up as it reads, not as it is stored.
std::string roundedDigits(double magnitude, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15e", magnitude);
    // buf: d.ddddddddddddddde[+-]XX
    std::string mantissa;
    mantissa += buf[0];
    int i = 2;
    while (buf[i] != 'e')
        mantissa += buf[i++];
    const int exponent = std::atoi(buf + i + 1);
    // digits of the value = mantissa * 10^(exponent - 15); keep those down to 10^-decimals.
    const int scale = exponent - 15 + decimals; // shift the integer mantissa by this power of ten
    std::string digits = mantissa;
    if (scale >= 0) {
        digits.append(static_cast<std::size_t>(scale), '0');
    } else {
        const int drop = -scale;
        if (drop > static_cast<int>(digits.size())) return "0";
        const bool up = digits[digits.size() - static_cast<std::size_t>(drop)] >= '5';
        digits.resize(digits.size() - static_cast<std::size_t>(drop));
        if (digits.empty()) digits = "0";
        if (up) {
            int k = static_cast<int>(digits.size()) - 1;
            while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9')
                digits[static_cast<std::size_t>(k--)] = '0';
            if (k < 0)
                digits = "1" + digits;
            else
                ++digits[static_cast<std::size_t>(k)];
        }
    }
    const auto firstNonZero = digits.find_first_not_of('0');
    return firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
}

} // namespace

std::string formatPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value)) value = 0;
    const auto point = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, point);
    const std::string_view fracPart =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    // Every placeholder from the first "0" on is a digit always shown: "00#" gives at least three.
    const auto firstZero = intPart.find('0');
    const int minInt = firstZero == std::string_view::npos ? 0 : static_cast<int>(intPart.size() - firstZero);
    const int maxFrac = static_cast<int>(fracPart.size());
    const auto lastZero = fracPart.rfind('0');
    const int minFrac = lastZero == std::string_view::npos ? 0 : static_cast<int>(lastZero) + 1;

    std::string digits = roundedDigits(std::fabs(value), maxFrac);
    if (static_cast<int>(digits.size()) <= maxFrac)
        digits = std::string(static_cast<std::size_t>(maxFrac + 1 - static_cast<int>(digits.size())), '0') +
                 digits;
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(maxFrac));
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(maxFrac));
    while (static_cast<int>(fraction.size()) > minFrac && fraction.back() == '0')
        fraction.pop_back();
    const bool isZero = integer.find_first_not_of('0') == std::string::npos &&
                        fraction.find_first_not_of('0') == std::string::npos;
    integer.erase(0, integer.find_first_not_of('0') == std::string::npos ? integer.size()
                                                                         : integer.find_first_not_of('0'));
    if (static_cast<int>(integer.size()) < minInt)
        integer = std::string(static_cast<std::size_t>(minInt) - integer.size(), '0') + integer;
    std::string out = (value < 0 && !isZero) ? "-" : "";
    out += integer;
    if (!fraction.empty()) out += "." + fraction;
    return out;
}

std::string formatCompNo(int number) {
    return formatPattern(number, "00#");
}

std::string formatClockSeconds(double seconds) {
    if (!std::isfinite(seconds)) seconds = 0;
    long long total = std::llround(std::fabs(seconds));
    total %= 86400;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", total / 3600, (total / 60) % 60, total % 60);
    return buf;
}

std::string formatClock(double fractionOfDay) {
    if (!std::isfinite(fractionOfDay)) fractionOfDay = 0;
    const double frac = std::fabs(fractionOfDay) - std::floor(std::fabs(fractionOfDay));
    return formatClockSeconds(frac * 86400.0);
}

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (valid month and day).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr long long kSerialEpochFrom1970 = 25569; // serial of 1970-01-01

} // namespace

double dateSerial(int year, int month, int day) {
    // Months carry into years first, then the day is counted from the first of the month.
    long long m0 = static_cast<long long>(month) - 1;
    long long y = year + (m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
    m0 = ((m0 % 12) + 12) % 12;
    const long long first = daysFromCivil(y, static_cast<unsigned>(m0 + 1), 1);
    return static_cast<double>(first + kSerialEpochFrom1970 + (day - 1));
}

CivilDate civilFromSerial(double serial) {
    long long z = static_cast<long long>(std::floor(serial)) - kSerialEpochFrom1970 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

std::string formatDate(double serial) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!std::isfinite(serial)) serial = 0;
    const CivilDate c = civilFromSerial(serial);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d %s %04d", c.day, kMonths[c.month - 1], c.year);
    return buf;
}

namespace {
bool readInt(std::string_view s, int& out) {
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}
} // namespace

bool parseIsoDate(std::string_view text, double& serial) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    int y = 0, m = 0, d = 0;
    if (!readInt(text.substr(0, 4), y) || !readInt(text.substr(5, 2), m) || !readInt(text.substr(8, 2), d))
        return false;
    if (m < 1 || m > 12 || d < 1 || d > 31) return false;
    const double s = dateSerial(y, m, d);
    if (civilFromSerial(s).day != d) return false; // 31 April and the like
    serial = s;
    return true;
}

bool parseClock(std::string_view text, double& seconds) {
    int parts[3] = {0, 0, 0};
    int n = 0;
    while (n < 3) {
        const auto colon = text.find(':');
        if (!readInt(text.substr(0, colon), parts[n]) || parts[n] < 0) return false;
        ++n;
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
        if (n == 3) return false;
    }
    if (n < 2 || parts[1] > 59 || parts[2] > 59) return false;
    seconds = parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
    return true;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace trakmora
