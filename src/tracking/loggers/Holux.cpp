#include "tracking/loggers/Holux.h"

#include "tracking/loggers/FieldCut.h"

namespace trakmora {

namespace {

Status readHolux(const CsvDocument& doc, const CsvRecord& r, LoggedRecord& out) {
    if (auto st = fieldcut::readPosition(doc, r, 0, 6, 8, out.fixNo, out.lat, out.lon); !st) return st;
    if (!fieldcut::splitSlashDate(r.values[4].text, out.year, out.month, out.day))
        return fieldcut::badValue(doc, r, 4, "a date written year/month/day");
    int h = 0, m = 0, s = 0;
    if (!fieldcut::splitColonTime(r.values[5].text, h, m, s))
        return fieldcut::badValue(doc, r, 5, "a time written hours:minutes:seconds");
    out.seconds = fieldcut::secondsOfDay(h, m, s);
    return {};
}

double holuxOffset(const RallyConfig& config) { return config.holuxOffset; }

} // namespace

const LoggerLayout& holuxLayout() {
    static const LoggerLayout layout{'h', "Holux", 12, readHolux, holuxOffset, 1, false};
    return layout;
}

} // namespace trakmora
