#pragma once
// The state of the configuration editor: which field is being edited and the day, month and year
// the date buttons work on. The screen shows it; every button is one call here followed by the
// configuration routine (saveConfig) and a refresh.
#include "common/RallyConfig.h"
#include "common/Status.h"

#include <string>

namespace trakmora {

enum class DatePart { Day, Month, Year };

// The years the date buttons reach.
inline constexpr int kFirstStartYear = 2015;
inline constexpr int kLastStartYear = 2050;

// The date a date button moves `serial` to: "d-"/"d+" one day back or on (across month and year
// ends), "m-"/"m+" one month (across year ends), "y-"/"y+" one year; a day beyond the length of
// the month reached becomes its last day (31 January and "m+" give 28 or 29 February). A press
// that would take the date out of the years 2015..2050 leaves it where it is.
double movedStartDate(double serial, DatePart part, int direction);

class ConfigEditor {
public:
    // Starts on field 1 with the date parts taken from the configuration's StartDate.
    explicit ConfigEditor(const RallyConfig& config);

    int field() const { return field_; }
    int startDay() const { return day_; }
    int startMonth() const { return month_; }
    int startYear() const { return year_; }

    // "Previous" and "Next": one field back or on, staying within 1..31.
    void previous();
    void next();
    // "-" and "+" on the current field. Nothing changes on text fields, nor on a field shown as
    // "Not applicable" (a day or group not in use); false then.
    bool minus(RallyConfig& config);
    bool plus(RallyConfig& config);
    // "Enter" on the current text field; `text` shows a replacement for an empty text.
    Status enter(RallyConfig& config, std::string& text);
    // "d-", "m-", "y-" (direction -1) and "d+", "m+", "y+" (+1): StartDate moves as
    // movedStartDate() says, and the parts follow it.
    void dateButton(RallyConfig& config, DatePart part, int direction);

    // The serial the date parts stand for.
    double partsSerial() const;

private:
    bool step(RallyConfig& config, int direction);
    void takeParts(double serial);

    int field_ = 1;
    int day_ = 1;
    int month_ = 1;
    int year_ = 2015;
};

} // namespace trakmora
