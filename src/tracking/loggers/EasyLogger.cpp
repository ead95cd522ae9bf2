#include "tracking/loggers/EasyLogger.h"

#include "tracking/loggers/FieldCut.h"

namespace trakmora {

namespace {

constexpr double kClockBehindSeconds = 7200;

Status readEasyLogger(const CsvDocument& doc, const CsvRecord& r, LoggedRecord& out) {
    if (auto st = fieldcut::readPosition(doc, r, 0, 5, 7, out.fixNo, out.lat, out.lon); !st) return st;
    if (!fieldcut::splitSlashDate(r.values[2].text, out.year, out.month, out.day))
        return fieldcut::badValue(doc, r, 2, "a date written year/month/day");
    const std::string& t = r.values[3].text;
    int h = 0, m = 0, s = 0;
    if (!fieldcut::digitsAt(t, 1, 2, h) || !fieldcut::digitsAt(t, 4, 5, m) || !fieldcut::digitsAt(t, 7, 8, s))
        return fieldcut::badValue(doc, r, 3, "a time written hh:mm:ss");
    out.seconds = fieldcut::secondsOfDay(h, m, s) + kClockBehindSeconds;
    return {};
}

double easyLoggerOffset(const RallyConfig& config) { return config.easyLoggerOffset; }

} // namespace

const LoggerLayout& easyLoggerLayout() {
    static const LoggerLayout layout{'e', "Easy Logger", 14, readEasyLogger, easyLoggerOffset, 5, false};
    return layout;
}

} // namespace trakmora
