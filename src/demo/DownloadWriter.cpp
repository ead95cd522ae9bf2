#include "demo/DownloadWriter.h"

#include "common/Csv.h"
#include "common/Format.h"

#include <cmath>
#include <cstdio>

namespace trakmora {

std::string downloadText(const LoggerLayout& layout, const std::vector<TrackFix>& fixes, double dateSerial,
                         const RallyConfig& config, std::size_t earlierDateFixes) {
    const CivilDate date = civilFromSerial(dateSerial);
    const CivilDate earlier = civilFromSerial(dateSerial - 1);
    const double offset = layout.offset(config);
    std::string text = std::string(layout.header) + "\r\n";
    CsvWriter out;
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const TrackFix& f = fixes[i];
        const CivilDate& d = i < earlierDateFixes ? earlier : date;
        LoggedRecord r{f.fixNo, f.lat, f.lon, d.year, d.month, d.day, f.seconds + offset, {}, {}};
        layout.write(out, r);
    }
    return text + out.str();
}

namespace {

struct UtcTime {
    CivilDate date;
    int seconds = 0; // of the day
};

// The UTC date and time of a fix logged at local time `seconds` on `dateSerial`.
UtcTime utcOf(double seconds, double dateSerial, int utcOffset) {
    const double utc = std::round(seconds) - utcOffset;
    const double days = std::floor(utc / 86400);
    return {civilFromSerial(dateSerial + days), static_cast<int>(utc - days * 86400)};
}

// Degrees and minutes of an angle's size, minutes rounded to a millionth.
void degreesMinutes(double angle, int& degrees, long long& microMinutes) {
    const double size = std::fabs(angle);
    degrees = static_cast<int>(std::floor(size));
    microMinutes = std::llround((size - degrees) * 60 * 1e6);
    if (microMinutes >= 60'000'000) {
        ++degrees;
        microMinutes -= 60'000'000;
    }
}

std::string nmeaAngle(double angle, int degreeDigits, char positive, char negative) {
    int degrees = 0;
    long long micro = 0;
    degreesMinutes(angle, degrees, micro);
    char text[80];
    std::snprintf(text, sizeof text, "%0*d%02lld.%06lld,%c", degreeDigits, degrees, micro / 1'000'000,
                  micro % 1'000'000, angle < 0 ? negative : positive);
    return text;
}

std::string withChecksum(const std::string& body) {
    unsigned sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[16];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

} // namespace

TrackFix quantisedForNmea(const TrackFix& fix) {
    auto quantised = [](double angle) {
        int degrees = 0;
        long long micro = 0;
        degreesMinutes(angle, degrees, micro);
        const double size = degrees + (static_cast<double>(micro) / 1e6) / 60.0;
        return angle < 0 ? -size : size;
    };
    return {fix.fixNo, quantised(fix.lat), quantised(fix.lon), fix.seconds};
}

std::string gpxDownloadText(const std::vector<TrackFix>& fixes, double dateSerial, int utcOffset,
                            std::size_t earlierDateFixes) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"Trakmora\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
        " <trk><name>Rally day</name><trkseg>\n";
    char time[80];
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const TrackFix& f = fixes[i];
        const UtcTime t = utcOf(f.seconds, dateSerial - (i < earlierDateFixes ? 1 : 0), utcOffset);
        std::snprintf(time, sizeof time, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.date.year, t.date.month,
                      t.date.day, t.seconds / 3600, t.seconds / 60 % 60, t.seconds % 60);
        text += "  <trkpt lat=\"" + formatNumber(f.lat) + "\" lon=\"" + formatNumber(f.lon) + "\"><time>" +
                time + "</time></trkpt>\n";
    }
    return text + " </trkseg></trk>\n</gpx>\n";
}

std::string nmeaDownloadText(const std::vector<TrackFix>& fixes, double dateSerial, int utcOffset,
                             std::size_t earlierDateFixes) {
    std::string text;
    char clock[48], date[48];
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const TrackFix& f = fixes[i];
        const UtcTime t = utcOf(f.seconds, dateSerial - (i < earlierDateFixes ? 1 : 0), utcOffset);
        std::snprintf(clock, sizeof clock, "%02d%02d%02d.00", t.seconds / 3600, t.seconds / 60 % 60,
                      t.seconds % 60);
        std::snprintf(date, sizeof date, "%02d%02d%02d", t.date.day, t.date.month, t.date.year % 100);
        const std::string position = nmeaAngle(f.lat, 2, 'N', 'S') + "," + nmeaAngle(f.lon, 3, 'E', 'W');
        text +=
            withChecksum(std::string("GPRMC,") + clock + ",A," + position + ",25.3,87.1," + date + ",,,A");
        text += withChecksum(std::string("GPGGA,") + clock + "," + position + ",1,09,0.9,112.4,M,4.2,M,,");
    }
    return text;
}

} // namespace trakmora
