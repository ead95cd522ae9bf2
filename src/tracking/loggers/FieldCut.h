#pragma once
// Cutting dates and clock times out of download text the ways the loggers write them.
#include "common/Csv.h"
#include "common/Status.h"
#include "tracking/loggers/LoggerLayout.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace trakmora::fieldcut {

// "2015/06/26": year, month and day split at the first and second "/".
bool splitSlashDate(std::string_view text, int& year, int& month, int& day);

// "7:05:09" or "07:05:09.000": hours before the first ":", minutes before the next, seconds
// after it (a fractional part of the seconds is dropped).
bool splitColonTime(std::string_view text, int& hours, int& minutes, int& seconds);

// The whole number written by the characters `first`..`last` (1-based, inclusive).
bool digitsAt(std::string_view text, std::size_t first, std::size_t last, int& out);

// "2015/06/26".
std::string slashDate(int year, int month, int day);
// "07:05:09" (twoDigitHours) or "7:05:09" from whole seconds of the day; days past midnight
// wrap around.
std::string clock(double seconds, bool twoDigitHours);

// Seconds of the day from clock parts.
inline double secondsOfDay(int hours, int minutes, int seconds) {
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

// "<file> line <n>: value <i> "<text>" is not <what>" for value `index` (0-based).
Status badValue(const CsvDocument& doc, const CsvFields& record, std::size_t index, const char* what);

// Reads the numbers of the fix number, latitude and longitude columns (0-based), and keeps the
// text of the latitude and longitude.
Status readPosition(const CsvDocument& doc, const CsvFields& record, std::size_t fixNoColumn,
                    std::size_t latColumn, std::size_t lonColumn, LoggedRecord& out);

} // namespace trakmora::fieldcut
