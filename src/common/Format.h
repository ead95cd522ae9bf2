#pragma once
// Number, time and date formatting shared by files, screens and workbooks, and the rounding
// rules the scores depend on.
#include <charconv>
#include <string>
#include <string_view>

namespace trakmora {

// Plain decimal, shortest form that reads back to the same double, never an exponent, whole
// values without a decimal part: 42181, 0.5, -12, 0.16666666666666666. Non-finite values give "0".
std::string formatNumber(double value);
// The same onto the end of `out`, for files written a number at a time.
void appendNumber(std::string& out, double value);
// Whether `text` is already what appendNumber writes for the number it reads as: a plain decimal
// of at most 15 significant digits with no leading or trailing zero that says nothing ("41.8",
// "-0.5", "151", not "41.80", "007", "-0" or "+1"). Such text can be copied instead.
bool isNumberAsWritten(std::string_view text);
// std::from_chars for a decimal in general format, with the same result and end, made quick for
// the plain decimals the files hold.
std::from_chars_result readDecimal(const char* first, const char* last, double& out);

// Applies a digit pattern of the kind "00#", "##0.#0", "###", "0.00": "0" is a digit always shown,
// "#" a digit shown only when significant, "." the decimal point. Rounds half away from zero on
// the value's 15-digit decimal form. A zero with no "0" before the point gives "".
std::string formatPattern(double value, std::string_view pattern);

// A competition number as at least three digits: 7 -> "007", 123 -> "123".
std::string formatCompNo(int number);

// "hh:mm:ss" of a fraction of a day; the whole days are dropped, seconds rounded to nearest.
std::string formatClock(double fractionOfDay);
// "hh:mm:ss" of seconds after midnight.
std::string formatClockSeconds(double seconds);

// Date serials count days since 30 December 1899 (serial 1 is 31 December 1899).
struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
};
// Builds a serial from parts, carrying overflowing months and days into the next ones
// (31 February 2016 is 2 March 2016).
double dateSerial(int year, int month, int day);
CivilDate civilFromSerial(double serial);
// "dd mmm yyyy", for example "26 Jun 2015".
std::string formatDate(double serial);
// "YYYY-MM-DD" to a serial; false when the text is not such a date.
bool parseIsoDate(std::string_view text, double& serial);
// "hh:mm:ss" (or "hh:mm") to seconds; false when malformed.
bool parseClock(std::string_view text, double& seconds);

// Round half to even, as the scores are rounded: 9.5 -> 10, 8.5 -> 8, -2.5 -> -2.
double roundHalfEven(double value);

} // namespace trakmora
