#include "tracking/loggers/Canmore.h"

#include "tracking/loggers/FieldCut.h"

namespace trakmora {

namespace {

Status readCanmore(const CsvDocument& doc, const CsvFields& r, LoggedRecord& out) {
    if (auto st = fieldcut::readPosition(doc, r, 0, 5, 7, out); !st) return st;
    if (!fieldcut::splitSlashDate(r.values[3].text, out.year, out.month, out.day))
        return fieldcut::badValue(doc, r, 3, "a date written year/month/day");
    const std::string_view t = r.values[4].text;
    int h = 0, m = 0, s = 0;
    if (!fieldcut::digitsAt(t, 1, 2, h) || !fieldcut::digitsAt(t, 4, 5, m) || !fieldcut::digitsAt(t, 7, 8, s))
        return fieldcut::badValue(doc, r, 4, "a time written hh:mm:ss");
    out.seconds = fieldcut::secondsOfDay(h, m, s);
    return {};
}

double canmoreOffset(const RallyConfig& config) {
    return config.canmoreOffset;
}

void writeCanmore(CsvWriter& out, const LoggedRecord& r) {
    out.number(r.fixNo).text("T").text("SPS").text(fieldcut::slashDate(r.year, r.month, r.day));
    out.text(fieldcut::clock(r.seconds, true)).number(r.lat).text("N").number(r.lon).text("E");
    out.number(100).number(50).endRecord();
}
} // namespace

const LoggerLayout& canmoreLayout() {
    static const LoggerLayout layout{'c',
                                     "Canmore",
                                     11,
                                     readCanmore,
                                     writeCanmore,
                                     "INDEX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED",
                                     canmoreOffset,
                                     1,
                                     false};
    return layout;
}

} // namespace trakmora
