#include "tracking/DownloadWriter.h"

#include "common/Csv.h"
#include "common/Format.h"

namespace trakmora {

std::string downloadText(const LoggerLayout& layout, const std::vector<TrackFix>& fixes, double dateSerial,
                         const RallyConfig& config) {
    const CivilDate date = civilFromSerial(dateSerial);
    const double offset = layout.offset(config);
    std::string text = std::string(layout.header) + "\r\n";
    CsvWriter out;
    for (const TrackFix& f : fixes) {
        LoggedRecord r{f.fixNo, f.lat, f.lon, date.year, date.month, date.day, f.seconds + offset};
        layout.write(out, r);
    }
    return text + out.str();
}

} // namespace trakmora
