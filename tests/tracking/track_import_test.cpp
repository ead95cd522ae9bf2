// GPX and NMEA downloads: UTC times brought to the rally's local time, coordinates to the sign
// convention of the day's controls, and the same competitor log and result as a club logger's.
#include "common/Format.h"
#include "demo/DownloadWriter.h"
#include "demo/SyntheticDrive.h"
#include "schedule/ControlFiles.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

class TrackFiles : public test::TrackingFixture {};

// The CL file's lines without their fix numbers.
std::string withoutFixNumbers(const std::string& cl) {
    std::string out;
    for (std::size_t at = 0; at < cl.size();) {
        const std::size_t end = cl.find('\n', at);
        out += cl.substr(cl.find(',', at) + 1, end - cl.find(',', at));
        at = end + 1;
    }
    return out;
}

// One drive written as a Holux download, a GPX file and an NMEA log gives the same competitor
// log and the same result, whatever the rally's UTC offset: at +11:00 the day starts at 21:00
// UTC the day before and the drive runs past midnight UTC; at -05:00 the evening before is
// already the rally day in UTC.
TEST_F(TrackFiles, OneDriveAsHoluxGpxAndNmeaGivesTheSameLogAndResult) {
    SyntheticDriveSettings settings;
    settings.fixCount = 5 * 3600;
    settings.controlCount = 8;
    const SyntheticDrive drive(settings);
    writeControls(1, drive.controls());
    std::vector<TrackFix> fixes;
    // The logger ran for a while at the evening scrutineering the day before.
    for (int k = 0; k < 20; ++k)
        fixes.push_back({static_cast<double>(k + 1), -33.8, 151.0, 20 * 3600.0 + 30 * k});
    for (const TrackFix& f : drive.competitorFixes(5, 1.002))
        fixes.push_back(quantisedForNmea({static_cast<double>(fixes.size() + 1), f.lat, f.lon, f.seconds}));
    const double date = state.config.startDate;

    for (const int offset : {11 * 3600, -5 * 3600, 0}) {
        SCOPED_TRACE(offset);
        state.config.utcOffset = offset;
        const std::pair<std::string, std::string> downloads[] = {
            {"h1005.csv", downloadText(*findLoggerLayout('h'), fixes, date, state.config, 20)},
            {"g1005.gpx", gpxDownloadText(fixes, date, offset, 20)},
            {"n1005.nmea", nmeaDownloadText(fixes, date, offset, 20)},
        };
        std::string holuxLog, holuxResult;
        for (const auto& [name, text] : downloads) {
            SCOPED_TRACE(name);
            writeText(logFile(name), text);
            ImportResult imported;
            const Status st = importDownload(state, 1, name, imported);
            ASSERT_TRUE(st) << st.message();
            EXPECT_EQ(imported.fixesKept, static_cast<int>(fixes.size()) - 20);
            const std::string log = withoutFixNumbers(readFile(logFile("CL1005.csv")));
            ScoringRun run;
            ASSERT_TRUE(scoreCompetitor(state, 1, "CL1005.csv", run));
            const std::string result = readFile(state.rallyFile(RallyFolder::Results, "R1005.csv"));
            if (holuxLog.empty()) {
                holuxLog = log;
                holuxResult = result;
                ASSERT_NE(result.find_first_not_of("0\r\n"), std::string::npos) << "a drive scores something";
            } else {
                EXPECT_TRUE(log == holuxLog) << "the competitor log differs from the Holux one";
                EXPECT_EQ(result, holuxResult);
            }
            fs::remove(bakFile(name));
        }
    }
}

std::string gpxPoint(double lat, double lon, const std::string& time) {
    return "<trkpt lat=\"" + formatNumber(lat) + "\" lon=\"" + formatNumber(lon) + "\">" +
           (time.empty() ? "" : "<time>" + time + "</time>") + "</trkpt>";
}

std::string gpx(const std::string& points) {
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.0\"><trk><trkseg>" + points + "</trkseg></trk></gpx>\n";
}

// The club's loggers and the route schedule give the size of the angle, so a day typed that way
// takes the size of every fix; a day with negative controls keeps the signs.
TEST_F(TrackFiles, FixesFollowTheSignsOfTheDaysControls) {
    state.config.utcOffset = 0;
    struct Case {
        std::optional<std::pair<double, double>> control; // none: no control file yet
        double lat, lon;
        const char* log;
    };
    const Case cases[] = {
        {std::pair{37.5, 144.25}, -37.5, 144.25, "1,37.5,144.25,36000\r\n"},
        {std::pair{-37.5, 144.25}, -37.5, 144.25, "1,-37.5,144.25,36000\r\n"},
        {std::pair{51.5, -0.25}, 51.5, -0.25, "1,51.5,-0.25,36000\r\n"},
        {std::pair{51.5, 0.25}, 51.5, -0.25, "1,51.5,0.25,36000\r\n"},
        {std::pair{-22.75, -43.5}, -22.75, -43.5, "1,-22.75,-43.5,36000\r\n"},
        {std::nullopt, -22.75, -43.5, "1,22.75,43.5,36000\r\n"},
    };
    for (const Case& c : cases) {
        fs::remove(controlFilePath(state, 1));
        if (c.control) writeControls(1, {test::control(1, c.control->first, c.control->second, 1, 36000)});
        writeText(logFile("g1001.gpx"), gpx(gpxPoint(c.lat, c.lon, "2015-06-26T10:00:00Z")));
        ImportResult imported;
        ASSERT_TRUE(importDownload(state, 1, "g1001.gpx", imported));
        EXPECT_EQ(readFile(logFile("CL1001.csv")), c.log) << c.lat << "," << c.lon;
        fs::remove(bakFile("g1001.gpx"));
    }
}

TEST_F(TrackFiles, TheImportSaysWhatItTookAndSkippedAndRefusesWhatItCannotRead) {
    state.config.utcOffset = 2 * 3600;
    // 21:59:59 UTC the day before is 23:59:59 the day before here; 22:00:00 UTC is midnight.
    writeText(logFile("g1002.gpx"),
              gpx(gpxPoint(1.5, 2.5, "2015-06-25T21:59:59Z") +
                  gpxPoint(1.5, 2.5, "2015-06-25T22:00:00.400Z") +
                  gpxPoint(1.5, 2.5, "2015-06-25T22:00:00.900Z") + gpxPoint(1.5, 2.5, "") +
                  gpxPoint(91, 2.5, "2015-06-26T08:00:00Z") + gpxPoint(1.5, 2.5, "26 June") +
                  gpxPoint(1.5, 2.5, "2015-06-26T09:00:00+05:00")));
    ImportResult imported;
    ASSERT_TRUE(importDownload(state, 1, "g1002.gpx", imported));
    EXPECT_EQ(importSummary(imported),
              "2 fixes kept of 4 read, 3 skipped (1 no time, 1 bad position, 1 bad time)");
    EXPECT_EQ(readFile(logFile("CL1002.csv")), "2,1.5,2.5,0\r\n7,1.5,2.5,21600\r\n");
    EXPECT_TRUE(fs::exists(bakFile("g1002.gpx")));

    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"g1003.gpx", gpx(gpxPoint(1.5, 2.5, "2015-06-24T10:00:00Z")), kNoRecordsForRallyDate},
        {"n1004.nmea", nmeaDownloadText({{1, 1.5, 2.5, 36000}}, state.config.startDate - 2, 0),
         kNoRecordsForRallyDate},
        {"g1005.gpx", "<?xml version=\"1.0\"?>\n<gpx><trk><trkseg>\n<trkpt lat=\"1\" lon=\"2\">",
         logFile("g1005.gpx").string() + " line 3: not well-formed XML"},
        {"g1006.gpx", "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY e \"x\">]>\n<gpx/>",
         logFile("g1006.gpx").string() + " line 2: a document type declaration"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(logFile(c.name), c.text);
        const Status st = importDownload(state, 1, c.name, imported);
        ASSERT_FALSE(st);
        EXPECT_EQ(st.message().substr(0, c.message.size()), c.message);
        EXPECT_FALSE(fs::exists(logFile(clFileNameFor(c.name))));
        EXPECT_TRUE(fs::exists(logFile(c.name)));
    }
}

} // namespace
} // namespace trakmora
