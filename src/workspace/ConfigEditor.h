#pragma once
// The state of the configuration editor: which field is being edited and the day, month and year
// the date buttons work on. The screen shows it; every button is one call here followed by the
// configuration routine (saveConfig) and a refresh.
#include "common/RallyConfig.h"
#include "common/Status.h"

#include <string>

namespace trakmora {

enum class DatePart { Day, Month, Year };

class ConfigEditor {
public:
    // Starts on field 1 with the date parts taken from the configuration's StartDate.
    explicit ConfigEditor(const RallyConfig& config);

    int field() const { return field_; }
    int startDay() const { return day_; }
    int startMonth() const { return month_; }
    int startYear() const { return year_; }

    // "Previous" and "Next": one field back or on, staying within 1..30.
    void previous();
    void next();
    // "-" and "+" on the current field (no effect on text fields).
    void minus(RallyConfig& config);
    void plus(RallyConfig& config);
    // "Enter" on the current text field; `text` shows a replacement for an empty text.
    Status enter(RallyConfig& config, std::string& text);
    // "d-", "m-", "y-" (direction -1) and "d+", "m+", "y+" (+1): move the part within its limits
    // (day 1..31, month 1..12, year 2015..2050), then StartDate := that date, an overflowing
    // day carrying into the next month. The parts themselves stay as set.
    void dateButton(RallyConfig& config, DatePart part, int direction);

    // The serial the date parts stand for (with carry).
    double partsSerial() const;

private:
    void takeParts(double serial);

    int field_ = 1;
    int day_ = 1;
    int month_ = 1;
    int year_ = 2015;
};

} // namespace trakmora
