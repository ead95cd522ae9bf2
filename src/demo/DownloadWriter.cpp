#include "demo/DownloadWriter.h"

#include "common/Csv.h"
#include "common/Format.h"

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
        LoggedRecord r{f.fixNo, f.lat, f.lon, d.year, d.month, d.day, f.seconds + offset};
        layout.write(out, r);
    }
    return text + out.str();
}

} // namespace trakmora
