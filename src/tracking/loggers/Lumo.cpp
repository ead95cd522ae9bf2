#include "tracking/loggers/Lumo.h"

#include "tracking/loggers/FieldCut.h"

#include <cstdio>

namespace trakmora {

namespace {

Status readLumo(const CsvDocument& doc, const CsvFields& r, LoggedRecord& out) {
    if (auto st = fieldcut::readPosition(doc, r, 0, 1, 2, out); !st) return st;
    const std::string_view t = r.values[3].text;
    if (!fieldcut::digitsAt(t, 1, 4, out.year) || !fieldcut::digitsAt(t, 6, 7, out.month) ||
        !fieldcut::digitsAt(t, 9, 10, out.day))
        return fieldcut::badValue(doc, r, 3, "a time stamp written yyyy-mm-ddThh:mm:ss");
    int h = 0, m = 0, s = 0;
    if (!fieldcut::digitsAt(t, 12, 13, h) || !fieldcut::digitsAt(t, 15, 16, m) ||
        !fieldcut::digitsAt(t, 18, 19, s))
        return fieldcut::badValue(doc, r, 3, "a time stamp written yyyy-mm-ddThh:mm:ss");
    out.seconds = fieldcut::secondsOfDay(h, m, s);
    return {};
}

double lumoOffset(const RallyConfig& config) {
    return config.lumoOffset;
}

void writeLumo(CsvWriter& out, const LoggedRecord& r) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%s", r.year, r.month, r.day,
                  fieldcut::clock(r.seconds, true).c_str());
    out.number(r.fixNo).number(r.lat).number(r.lon).text(stamp).endRecord();
}
} // namespace

const LoggerLayout& lumoLayout() {
    static const LoggerLayout layout{
        'x', "Lumo", 4, readLumo, writeLumo, "Fix,Latitude,Longitude,Time", lumoOffset, 1, true};
    return layout;
}

} // namespace trakmora
