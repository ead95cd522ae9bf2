#pragma once
// The configuration fields as the editor sees them (the 30 of config3.csv and UtcOffset, 31): their names,
// titles, steps and limits, and the operations that change one field (step, clamp, accept a text, set from a
// typed value). The configuration screen and the command line both change the settings only through these.
#include "common/RallyConfig.h"
#include "common/Status.h"

#include <string>
#include <string_view>

namespace trakmora {

enum class ConfigFieldKind {
    Text,   // typed and accepted with "Enter"
    Date,   // a date serial, set with the date buttons or stepped by whole days
    Clock,  // seconds after midnight, shown as hh:mm:ss
    Number, // stepped with "-" and "+"
    Offset, // signed seconds shown as +hh:mm, stepped with "-" and "+"
};

struct ConfigFieldInfo {
    int number = 0;         // 1..30, the position in config3.csv; 31 UtcOffset
    const char* name = "";  // command-line name: RallyName, DayStartTime1, GroupSpeedA, ...
    const char* title = ""; // title of the editing panel
    ConfigFieldKind kind = ConfigFieldKind::Number;
    double step = 0;
    double lower = 0;
    double upper = 0;   // field 26 takes NoOfSpeedGroups instead, see upperLimit()
    bool whole = false; // only whole values make sense (counts, group numbers, serials)
};

// The field with number 1..31; numbers outside give field 1.
const ConfigFieldInfo& configField(int number);
// The number of the field named `nameOrNumber` ("GroupSpeedB", "12", case ignored); 0 if none.
int configFieldNumber(std::string_view nameOrNumber);

// The upper limit of a numeric field for this configuration (field 26 is bounded by the number
// of speed groups in use).
double upperLimit(const RallyConfig& config, int field);
// A value below the lower limit becomes the lower limit, above the upper the upper limit.
double clampToLimits(const RallyConfig& config, int field, double value);

// Numeric fields (3..15, 20..31) as doubles (UtcOffset as utcOffsetSeconds gives it); text fields give 0 and
// ignore a set.
double numericValue(const RallyConfig& config, int field);
void setNumericValue(RallyConfig& config, int field, double value);
// Text fields (1, 2, 16..19); other fields give "" and ignore a set.
std::string textValue(const RallyConfig& config, int field);

// "-" (direction -1) and "+" (direction +1): add the step, then clamp. No effect on text fields.
void stepField(RallyConfig& config, int field, int direction);

// "Enter" on a text field: empty text becomes "No Name" ("No Number" for the permit number) and
// `text` shows the replacement; then the field takes it. A double quote or a line break is
// refused, since config3.csv writes text in quotes without escaping.
Status acceptText(RallyConfig& config, int field, std::string& text);

// Sets a field from typed text, for the command line: a text as with "Enter"; StartDate as a
// serial or YYYY-MM-DD; day start times as seconds or hh:mm:ss; other numbers in decimal.
// Numbers are clamped to the editor's limits; `clamped` tells whether that changed the value.
// Nothing changes when the value cannot be read.
Status setFieldFromText(RallyConfig& config, int field, std::string_view valueText, bool& clamped);
// The same with the field given by number or name.
Status setField(RallyConfig& config, std::string_view fieldNumberOrName, std::string_view valueText);

// The stored value as shown to the organiser: texts as they are, StartDate "dd mmm yyyy", day
// start times "hh:mm:ss", UtcOffset "+hh:mm", other numbers in shortest decimal form.
std::string formatFieldValue(const RallyConfig& config, int field);

// The rally's UtcOffset when set, otherwise this computer's offset from UTC at noon of the start
// date (so that a summer rally takes summer time).
int utcOffsetSeconds(const RallyConfig& config);
int computerUtcOffset(double dateSerial);
// "+02:00", "-05:30", "+00:00"; seconds past the minute as "+01:00:30".
std::string formatUtcOffset(int seconds);
// "+02:00", "-5:30", "02:00" or seconds in whole minutes ("7200", "-18000"); false for anything
// else or beyond -12:00..+14:00.
bool parseUtcOffset(std::string_view text, int& seconds);

} // namespace trakmora
