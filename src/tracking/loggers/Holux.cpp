#include "tracking/loggers/Holux.h"

#include "tracking/loggers/FieldCut.h"

namespace trakmora {

namespace {

Status readHolux(const CsvDocument& doc, const CsvFields& r, LoggedRecord& out) {
    if (auto st = fieldcut::readPosition(doc, r, 0, 6, 8, out); !st) return st;
    if (!fieldcut::splitSlashDate(r.values[4].text, out.year, out.month, out.day))
        return fieldcut::badValue(doc, r, 4, "a date written year/month/day");
    int h = 0, m = 0, s = 0;
    if (!fieldcut::splitColonTime(r.values[5].text, h, m, s))
        return fieldcut::badValue(doc, r, 5, "a time written hours:minutes:seconds");
    out.seconds = fieldcut::secondsOfDay(h, m, s);
    return {};
}

double holuxOffset(const RallyConfig& config) {
    return config.holuxOffset;
}

void writeHolux(CsvWriter& out, const LoggedRecord& r) {
    out.number(r.fixNo).number(r.fixNo).text("T").text("SPS").text(
        fieldcut::slashDate(r.year, r.month, r.day));
    out.text(fieldcut::clock(r.seconds, false)).number(r.lat).text("N").number(r.lon).text("E");
    out.number(100).number(50).endRecord();
}
} // namespace

const LoggerLayout& holuxLayout() {
    static const LoggerLayout layout{
        'h',         "Holux",    12,
        readHolux,   writeHolux, "INDEX,FIX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED",
        holuxOffset, 1,          false};
    return layout;
}

} // namespace trakmora
