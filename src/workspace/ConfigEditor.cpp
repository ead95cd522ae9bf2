#include "workspace/ConfigEditor.h"

#include "common/Format.h"
#include "workspace/ConfigFields.h"

#include <algorithm>

namespace trakmora {

ConfigEditor::ConfigEditor(const RallyConfig& config) { takeParts(config.startDate); }

void ConfigEditor::takeParts(double serial) {
    const CivilDate date = civilFromSerial(serial);
    day_ = date.day;
    month_ = date.month;
    year_ = date.year;
}

double ConfigEditor::partsSerial() const { return dateSerial(year_, month_, day_); }

void ConfigEditor::previous() { field_ = std::max(1, field_ - 1); }
void ConfigEditor::next() { field_ = std::min(kConfigFieldCount, field_ + 1); }

void ConfigEditor::minus(RallyConfig& config) { stepField(config, field_, -1); }
void ConfigEditor::plus(RallyConfig& config) { stepField(config, field_, +1); }

Status ConfigEditor::enter(RallyConfig& config, std::string& text) { return acceptText(config, field_, text); }

void ConfigEditor::dateButton(RallyConfig& config, DatePart part, int direction) {
    // StartDate may have moved since the parts were taken ("-"/"+" on field 3, another rally
    // opened): building from the old parts would silently put back a stale date, so start again
    // from the date actually stored.
    if (partsSerial() != config.startDate) takeParts(config.startDate);
    const int step = direction < 0 ? -1 : 1;
    switch (part) {
    case DatePart::Day: day_ = std::clamp(day_ + step, 1, 31); break;
    case DatePart::Month: month_ = std::clamp(month_ + step, 1, 12); break;
    case DatePart::Year: year_ = std::clamp(year_ + step, 2015, 2050); break;
    }
    config.startDate = partsSerial();
}

} // namespace trakmora
