#include "workspace/ConfigEditor.h"

#include "common/Format.h"
#include "workspace/ConfigDisplay.h"
#include "workspace/ConfigFields.h"

#include <algorithm>

namespace trakmora {

namespace {

int daysInMonth(int year, int month) {
    return static_cast<int>(dateSerial(year, month + 1, 1) - dateSerial(year, month, 1));
}

} // namespace

// Every press moves the date by exactly one unit. Building the date from separately clamped
// parts would stall (day 31 and "d+", December and "m+") and jump (31 January and "m+" carried
// into March), and a carried date would no longer match the parts it was built from.
double movedStartDate(double serial, DatePart part, int direction) {
    const int step = direction < 0 ? -1 : 1;
    const CivilDate from = civilFromSerial(serial);
    CivilDate to = from;
    switch (part) {
    case DatePart::Day:
        to = civilFromSerial(serial + step);
        break;
    case DatePart::Month: {
        const int months = from.year * 12 + (from.month - 1) + step;
        to.year = months / 12;
        to.month = months % 12 + 1;
        break;
    }
    case DatePart::Year:
        to.year = from.year + step;
        break;
    }
    if (part != DatePart::Day) to.day = std::min(from.day, daysInMonth(to.year, to.month));
    const bool leavesYears =
        (step > 0 && to.year > kLastStartYear) || (step < 0 && to.year < kFirstStartYear);
    if (leavesYears) return serial;
    return dateSerial(to.year, to.month, to.day);
}

ConfigEditor::ConfigEditor(const RallyConfig& config) {
    takeParts(config.startDate);
}

void ConfigEditor::takeParts(double serial) {
    const CivilDate date = civilFromSerial(serial);
    day_ = date.day;
    month_ = date.month;
    year_ = date.year;
}

double ConfigEditor::partsSerial() const {
    return dateSerial(year_, month_, day_);
}

void ConfigEditor::previous() {
    field_ = std::max(1, field_ - 1);
}
void ConfigEditor::next() {
    field_ = std::min(kSettingCount, field_ + 1);
}

bool ConfigEditor::step(RallyConfig& config, int direction) {
    // A day or group not in use shows "Not applicable": stepping it would store a value the
    // organiser cannot see.
    if (configField(field_).kind == ConfigFieldKind::Text || !fieldApplies(config, field_)) return false;
    stepField(config, field_, direction);
    return true;
}

bool ConfigEditor::minus(RallyConfig& config) {
    return step(config, -1);
}
bool ConfigEditor::plus(RallyConfig& config) {
    return step(config, +1);
}

Status ConfigEditor::enter(RallyConfig& config, std::string& text) {
    return acceptText(config, field_, text);
}

void ConfigEditor::dateButton(RallyConfig& config, DatePart part, int direction) {
    // StartDate may have moved since the parts were last taken ("-"/"+" on field 3, another
    // rally opened): the buttons always work from the date actually stored.
    config.startDate = movedStartDate(config.startDate, part, direction);
    takeParts(config.startDate);
}

} // namespace trakmora
