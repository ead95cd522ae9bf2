#pragma once
// The open rally's 30 settings, in the order of config3.csv. Arrays are indexed from 1: days
// 1..5, groups 1..4 for A..D (position 0 unused).
#include <array>
#include <optional>
#include <string>

namespace trakmora {

struct RallyConfig {
    std::string rallyName = "Test Rally";
    std::string permitNo = "123456";
    double startDate = 42181; // 26 Jun 2015
    double noOfDays = 3;
    std::array<double, 6> dayStartTime = {0, 28800, 28800, 28800, 28800, 28800};
    double noOfSpeedGroups = 4;
    std::array<double, 5> groupSpeed = {0, 60, 70, 80, 90};
    double noOfScoreGroups = 2;
    std::array<std::string, 5> scoreGroupName = {"", "Score Group A", "Score Group B", "Score Group C",
                                                 "Score Group D"};
    std::array<double, 5> lastEntry = {0, 15, 30, 45, 60};
    double distanceWindow = 200; // metres
    double timeWindow = 600;     // seconds
    double baselineSpeedGroup = 2;
    int holuxOffset = 1;
    int canmoreOffset = 4;
    double easyLoggerOffset = 1;
    double lumoOffset = 1;
    // Local time minus UTC, in seconds, for the downloads that carry UTC times (GPX, NMEA). Kept
    // in Working/UtcOffset.csv beside config3.csv, whose 30-field line older files and other
    // programs rely on. Unset until the organiser sets it: the computer's own offset on the start
    // date stands in (utcOffsetSeconds).
    std::optional<int> utcOffset;

    // Defaults with the given rally name.
    static RallyConfig defaults(const std::string& rallyName) {
        RallyConfig c;
        c.rallyName = rallyName;
        return c;
    }
    bool operator==(const RallyConfig&) const = default;
};

inline constexpr int kConfigFieldCount = 30; // the fields of config3.csv
// The settings the editor and `config` go through: the 30 fields and UtcOffset.
inline constexpr int kUtcOffsetField = 31;
inline constexpr int kSettingCount = 31;
inline constexpr int kMaxDays = 5;
inline constexpr int kMaxGroups = 4;

// "A".."D" for groups 1..4.
inline char groupLetter(int group) {
    return static_cast<char>('A' + group - 1);
}

} // namespace trakmora
