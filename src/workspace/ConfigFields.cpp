#include "workspace/ConfigFields.h"

#include "common/Csv.h"
#include "common/Format.h"
#include "common/Paths.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace trakmora {

namespace {

using K = ConfigFieldKind;

// Index 0 is unused so that the field number indexes the table.
constexpr std::array<ConfigFieldInfo, kSettingCount + 1> kFields = {{
    {},
    {1, "RallyName", "Rally Name", K::Text},
    {2, "PermitNo", "TERVAN Permit No", K::Text},
    {3, "StartDate", "Rally Start Date", K::Date, 1, 40000, 80000, true},
    {4, "NoOfDays", "Number of Rally Days", K::Number, 1, 1, 5, true},
    {5, "DayStartTime1", "Day 1 Start Time", K::Clock, 300, 0, 86400},
    {6, "DayStartTime2", "Day 2 Start Time", K::Clock, 300, 0, 86400},
    {7, "DayStartTime3", "Day 3 Start Time", K::Clock, 300, 0, 86400},
    {8, "DayStartTime4", "Day 4 Start Time", K::Clock, 300, 0, 86400},
    {9, "DayStartTime5", "Day 5 Start Time", K::Clock, 300, 0, 86400},
    {10, "NoOfSpeedGroups", "No of Speed Groups", K::Number, 1, 1, 4, true},
    {11, "GroupSpeedA", "Group A Speed", K::Number, 5, 40, 120},
    {12, "GroupSpeedB", "Group B Speed", K::Number, 5, 40, 120},
    {13, "GroupSpeedC", "Group C Speed", K::Number, 5, 40, 120},
    {14, "GroupSpeedD", "Group D Speed", K::Number, 5, 40, 120},
    {15, "NoOfScoreGroups", "No of Score Groups", K::Number, 1, 1, 4, true},
    {16, "ScoreGroupNameA", "Name of Score Group A", K::Text},
    {17, "ScoreGroupNameB", "Name of Score Group B", K::Text},
    {18, "ScoreGroupNameC", "Name of Score Group C", K::Text},
    {19, "ScoreGroupNameD", "Name of Score Group D", K::Text},
    {20, "LastEntryA", "Last Entry in A Speed Group", K::Number, 1, 0, 300, true},
    {21, "LastEntryB", "Last Entry in B Speed Group", K::Number, 1, 0, 300, true},
    {22, "LastEntryC", "Last Entry in C Speed Group", K::Number, 1, 0, 300, true},
    {23, "LastEntryD", "Last Entry in D Speed Group", K::Number, 1, 0, 300, true},
    {24, "DistanceWindow", "Control/Tracker distance window", K::Number, 100, 100, 2000},
    {25, "TimeWindow", "Control/Tracker time window", K::Number, 30, 60, 1000},
    {26, "BaselineSpeedGroup", "Baseline Speed Group", K::Number, 1, 1, 4, true},
    {27, "HoluxOffset", "Holux Logger Offset", K::Number, 1, 0, 10, true},
    {28, "CanmoreOffset", "Canmore Logger Offset", K::Number, 1, 0, 10, true},
    {29, "EasyLoggerOffset", "Easy Logger Offset", K::Number, 1, 0, 10},
    {30, "LumoOffset", "Lumo_Rally.exe External app Offset", K::Number, 1, 0, 10},
    {31, "UtcOffset", "UTC Offset of GPX and NMEA times", K::Offset, 900, -43200, 50400, true},
}};

bool validField(int field) {
    return field >= 1 && field <= kSettingCount;
}
bool isText(int field) {
    return validField(field) && kFields[field].kind == K::Text;
}

// Works for a const and a mutable configuration alike.
template <typename Config> auto textSlot(Config& c, int field) -> decltype(&c.rallyName) {
    if (field == 1) return &c.rallyName;
    if (field == 2) return &c.permitNo;
    if (field >= 16 && field <= 19) return &c.scoreGroupName[field - 15];
    return nullptr;
}

template <typename Config> auto numberSlot(Config& c, int field) -> decltype(&c.startDate) {
    if (field == 3) return &c.startDate;
    if (field == 4) return &c.noOfDays;
    if (field >= 5 && field <= 9) return &c.dayStartTime[field - 4];
    if (field == 10) return &c.noOfSpeedGroups;
    if (field >= 11 && field <= 14) return &c.groupSpeed[field - 10];
    if (field == 15) return &c.noOfScoreGroups;
    if (field >= 20 && field <= 23) return &c.lastEntry[field - 19];
    if (field == 24) return &c.distanceWindow;
    if (field == 25) return &c.timeWindow;
    if (field == 26) return &c.baselineSpeedGroup;
    if (field == 29) return &c.easyLoggerOffset;
    if (field == 30) return &c.lumoOffset;
    return nullptr; // 27 and 28 are integers, handled apart
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Reads the typed value of a numeric field; false when it is not a value of that field.
bool readTypedNumber(int field, std::string_view text, double& out) {
    text = trimBlanks(text);
    if (text.empty()) return false;
    const ConfigFieldInfo& info = kFields[field];
    if (info.kind == K::Date && parseIsoDate(text, out)) return true;
    if (info.kind == K::Clock && text.find(':') != std::string_view::npos) return parseClock(text, out);
    if (info.kind == K::Offset) {
        int seconds = 0;
        if (!parseUtcOffset(text, seconds)) return false;
        out = seconds;
        return true;
    }
    return parseNumber(text, out);
}

} // namespace

const ConfigFieldInfo& configField(int number) {
    return kFields[validField(number) ? number : 1];
}

int configFieldNumber(std::string_view nameOrNumber) {
    nameOrNumber = trimBlanks(nameOrNumber);
    int number = 0;
    const char* end = nameOrNumber.data() + nameOrNumber.size();
    if (auto [p, ec] = std::from_chars(nameOrNumber.data(), end, number); ec == std::errc() && p == end)
        return validField(number) ? number : 0;
    for (int f = 1; f <= kSettingCount; ++f)
        if (equalsIgnoreCase(nameOrNumber, kFields[f].name)) return f;
    return 0;
}

double upperLimit(const RallyConfig& config, int field) {
    if (field == 26) {
        // A count below one would put the upper limit under the lower one; group A always exists.
        return config.noOfSpeedGroups >= 1 ? config.noOfSpeedGroups : 1;
    }
    return configField(field).upper;
}

double clampToLimits(const RallyConfig& config, int field, double value) {
    const double lower = configField(field).lower;
    const double upper = upperLimit(config, field);
    if (value < lower) return lower;
    if (value > upper) return upper;
    return value;
}

double numericValue(const RallyConfig& config, int field) {
    if (field == 27) return config.holuxOffset;
    if (field == 28) return config.canmoreOffset;
    if (field == kUtcOffsetField) return utcOffsetSeconds(config);
    const double* slot = numberSlot(config, field);
    return slot ? *slot : 0;
}

void setNumericValue(RallyConfig& config, int field, double value) {
    if (field == 27)
        config.holuxOffset = static_cast<int>(std::lround(value));
    else if (field == 28)
        config.canmoreOffset = static_cast<int>(std::lround(value));
    else if (field == kUtcOffsetField)
        config.utcOffset = static_cast<int>(std::lround(value));
    else if (double* slot = numberSlot(config, field))
        *slot = value;
}

std::string textValue(const RallyConfig& config, int field) {
    const std::string* slot = textSlot(config, field);
    return slot ? *slot : std::string();
}

void stepField(RallyConfig& config, int field, int direction) {
    if (!validField(field) || isText(field)) return;
    const double step = configField(field).step * (direction < 0 ? -1 : 1);
    setNumericValue(config, field, clampToLimits(config, field, numericValue(config, field) + step));
}

Status acceptText(RallyConfig& config, int field, std::string& text) {
    std::string* slot = textSlot(config, field);
    if (!slot) return {};
    if (text.find_first_of("\"\r\n") != std::string::npos)
        return Status::failure("\"" + std::string(configField(field).title) +
                               "\" must not contain a double quote or a line break");
    if (text.empty()) text = field == 2 ? "No Number" : "No Name";
    *slot = text;
    return {};
}

Status setFieldFromText(RallyConfig& config, int field, std::string_view valueText, bool& clamped) {
    clamped = false;
    if (!validField(field))
        return Status::failure("There is no configuration field " + std::to_string(field));
    const ConfigFieldInfo& info = kFields[field];
    if (info.kind == K::Text) {
        std::string text(valueText);
        return acceptText(config, field, text);
    }
    double value = 0;
    if (!readTypedNumber(field, valueText, value))
        return Status::failure("\"" + std::string(valueText) + "\" is not a value for " + info.name);
    if (info.whole && value != std::floor(value))
        return Status::failure(std::string(info.name) + " takes whole numbers only, not " +
                               std::string(valueText));
    const double limited = clampToLimits(config, field, value);
    clamped = limited != value;
    setNumericValue(config, field, limited);
    return {};
}

Status setField(RallyConfig& config, std::string_view fieldNumberOrName, std::string_view valueText) {
    const int field = configFieldNumber(fieldNumberOrName);
    if (field == 0)
        return Status::failure("There is no configuration field \"" + std::string(fieldNumberOrName) + "\"");
    bool clamped = false;
    return setFieldFromText(config, field, valueText, clamped);
}

std::string formatFieldValue(const RallyConfig& config, int field) {
    if (!validField(field)) return {};
    switch (kFields[field].kind) {
    case K::Text:
        return textValue(config, field);
    case K::Date:
        return formatDate(config.startDate);
    case K::Clock:
        return formatClockSeconds(numericValue(config, field));
    case K::Offset:
        return formatUtcOffset(utcOffsetSeconds(config));
    case K::Number:
        break;
    }
    return formatNumber(numericValue(config, field));
}

int computerUtcOffset(double dateSerial) {
    // Noon of the date as a UTC instant; the local calendar's offset at that moment.
    const std::time_t noon =
        static_cast<std::time_t>(std::llround((std::floor(dateSerial) - 25569) * 86400)) + 43200;
    std::tm local{};
    if (!localtime_r(&noon, &local)) return 0;
    return static_cast<int>(local.tm_gmtoff);
}

int utcOffsetSeconds(const RallyConfig& config) {
    return config.utcOffset ? *config.utcOffset : computerUtcOffset(config.startDate);
}

std::string formatUtcOffset(int seconds) {
    const char sign = seconds < 0 ? '-' : '+';
    const int size = std::abs(seconds);
    char text[48];
    if (size % 60 != 0)
        std::snprintf(text, sizeof text, "%c%02d:%02d:%02d", sign, size / 3600, size / 60 % 60, size % 60);
    else
        std::snprintf(text, sizeof text, "%c%02d:%02d", sign, size / 3600, size / 60 % 60);
    return text;
}

bool parseUtcOffset(std::string_view text, int& seconds) {
    text = trimBlanks(text);
    int sign = 1;
    std::string_view rest = text;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        sign = rest.front() == '-' ? -1 : 1;
        rest.remove_prefix(1);
    }
    auto whole = [](std::string_view digits, int& value) {
        if (digits.empty() || digits.size() > 5) return false;
        const auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return ec == std::errc() && p == digits.data() + digits.size();
    };
    int value = 0;
    const auto colon = rest.find(':');
    if (colon == std::string_view::npos) {
        // In seconds, a whole number of minutes: "+2" is no offset of two seconds but a slip.
        if (!whole(rest, value) || value % 60 != 0) return false;
    } else {
        int hours = 0, minutes = 0;
        const std::string_view m = rest.substr(colon + 1);
        if (colon == 0 || colon > 2 || m.size() != 2 || !whole(rest.substr(0, colon), hours) ||
            !whole(m, minutes) || minutes > 59)
            return false;
        value = hours * 3600 + minutes * 60;
    }
    value *= sign;
    if (value < -43200 || value > 50400) return false;
    seconds = value;
    return true;
}

} // namespace trakmora
