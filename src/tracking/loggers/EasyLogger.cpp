#include "tracking/loggers/EasyLogger.h"

#include "tracking/loggers/FieldCut.h"

namespace trakmora {

namespace {

constexpr double kClockBehindSeconds = 7200;

Status readEasyLogger(const CsvDocument& doc, const CsvFields& r, LoggedRecord& out) {
    if (auto st = fieldcut::readPosition(doc, r, 0, 5, 7, out); !st) return st;
    if (!fieldcut::splitSlashDate(r.values[2].text, out.year, out.month, out.day))
        return fieldcut::badValue(doc, r, 2, "a date written year/month/day");
    const std::string_view t = r.values[3].text;
    int h = 0, m = 0, s = 0;
    if (!fieldcut::digitsAt(t, 1, 2, h) || !fieldcut::digitsAt(t, 4, 5, m) || !fieldcut::digitsAt(t, 7, 8, s))
        return fieldcut::badValue(doc, r, 3, "a time written hh:mm:ss");
    out.seconds = fieldcut::secondsOfDay(h, m, s) + kClockBehindSeconds;
    return {};
}

double easyLoggerOffset(const RallyConfig& config) {
    return config.easyLoggerOffset;
}

void writeEasyLogger(CsvWriter& out, const LoggedRecord& r) {
    out.number(r.fixNo).text("T").text(fieldcut::slashDate(r.year, r.month, r.day));
    out.text(fieldcut::clock(r.seconds - kClockBehindSeconds, true)).text("SPS").number(r.lat).text("N");
    out.number(r.lon)
        .text("E")
        .text("100 m")
        .text("50 km/h")
        .text("1.1")
        .text("0.8")
        .text("11(11)")
        .endRecord();
}
} // namespace

const LoggerLayout& easyLoggerLayout() {
    static const LoggerLayout layout{
        'e',
        "Easy Logger",
        14,
        readEasyLogger,
        writeEasyLogger,
        "INDEX,RCR,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED,PDOP,HDOP,NSAT",
        easyLoggerOffset,
        5,
        false};
    return layout;
}

} // namespace trakmora
