#include "tracking/loggers/GpxTrack.h"

#include "common/Format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trakmora {
namespace {

// A point as the reader gives it: "fix number: lat lon year-month-day seconds", UTC.
std::string print(const LoggedRecord& r) {
    return formatNumber(r.fixNo) + ": " + formatNumber(r.lat) + " " + formatNumber(r.lon) + " " +
           std::to_string(r.year) + "-" + std::to_string(r.month) + "-" + std::to_string(r.day) + " " +
           formatNumber(r.seconds);
}

std::vector<std::string> printAll(const TrackRead& read) {
    std::vector<std::string> out;
    for (const auto& r : read.fixes)
        out.push_back(print(r));
    return out;
}

std::string pt(const std::string& p, const char* lat, const char* lon, const char* time) {
    return "<" + p + "trkpt lat=\"" + lat + "\" lon=\"" + lon + "\"><" + p + "ele>12</" + p + "ele><" + p +
           "time>" + time + "</" + p + "time></" + p + "trkpt>\n";
}

std::string gpx(const std::string& version, const std::string& p, const std::string& tracks) {
    const std::string ns = "http://www.topografix.com/GPX/" + std::string(version == "1.0" ? "1/0" : "1/1");
    const std::string xmlns = p.empty() ? "xmlns" : "xmlns:" + p.substr(0, p.size() - 1);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + p + "gpx version=\"" + version +
           "\" creator=\"phone\" " + xmlns + "=\"" + ns + "\">\n" + tracks + "</" + p + "gpx>\n";
}

// Two tracks, the first of two segments, with a waypoint and a route point that are not read.
std::string twoTracks(const std::string& p) {
    return "<" + p + "wpt lat=\"1\" lon=\"1\"><" + p + "time>2015-06-26T01:00:00Z</" + p + "time></" + p +
           "wpt>\n<" + p + "trk><" + p + "name>Day 1</" + p + "name><" + p + "trkseg>\n" +
           pt(p, "41.8", "12.6", "2015-06-26T07:05:09Z") + "</" + p + "trkseg><" + p + "trkseg>\n" +
           pt(p, "-33.86785", "151.20732", "2015-06-26T07:05:10Z") + "</" + p + "trkseg></" + p + "trk>\n<" +
           p + "rte><" + p + "rtept lat=\"2\" lon=\"2\"/></" + p + "rte>\n<" + p + "trk><" + p + "trkseg>\n" +
           pt(p, "+41.81", "-0.5", "2015-06-26T07:05:11Z") + "</" + p + "trkseg></" + p + "trk>\n";
}

TEST(GpxTrack, ReadsPointsOfEveryTrackAndSegmentInFileOrder) {
    struct Case {
        std::string what, text;
    };
    const std::vector<Case> cases = {{"1.1", gpx("1.1", "", twoTracks(""))},
                                     {"1.1 prefixed", gpx("1.1", "gpx:", twoTracks("gpx:"))},
                                     {"1.0", gpx("1.0", "", twoTracks(""))},
                                     {"1.0 prefixed", gpx("1.0", "g:", twoTracks("g:"))}};
    const std::vector<std::string> want = {"1: 41.8 12.6 2015-6-26 25509",
                                           "2: -33.86785 151.20732 2015-6-26 25510",
                                           "3: 41.81 -0.5 2015-6-26 25511"};
    for (const Case& c : cases) {
        TrackRead read;
        const Status st = readGpxTrack(c.text, read);
        ASSERT_TRUE(st) << c.what << ": " << st.message();
        EXPECT_EQ(printAll(read), want) << c.what;
        EXPECT_EQ(read.skippedCount(), 0) << c.what;
    }
}

TEST(GpxTrack, TimesBecomeUtcDateAndWholeSeconds) {
    struct Case {
        const char* time;
        const char* utc;
    };
    const Case cases[] = {
        {"2015-06-26T07:05:09Z", "2015-6-26 25509"},
        {"2015-06-26T07:05:09", "2015-6-26 25509"}, // no zone: GPX times are UTC
        {"2015-06-26T09:05:09.750+02:00", "2015-6-26 25509"},
        {"2015-06-26T02:35:09,5-0430", "2015-6-26 25509"},
        {"  2015-06-26T07:05:09+00:00\n", "2015-6-26 25509"},
        {"2015-06-25T23:30:00-01:00", "2015-6-26 1800"},      // forward over midnight
        {"2015-06-26T00:15:00.999+01:00", "2015-6-25 83700"}, // back over midnight
        {"2015-12-31T23:59:59.5-00:30", "2016-1-1 1799"},     // into the new year
        {"2016-03-01T00:10:00+01", "2016-2-29 83400"},        // back into a leap day
        {"2015-03-01T05:00:00+10:00", "2015-2-28 68400"},
    };
    for (const Case& c : cases) {
        TrackRead read;
        const Status st = readGpxTrack(
            gpx("1.1", "", "<trk><trkseg>" + pt("", "1", "2", c.time) + "</trkseg></trk>"), read);
        ASSERT_TRUE(st) << c.time << ": " << st.message();
        EXPECT_EQ(printAll(read), std::vector<std::string>{std::string("1: 1 2 ") + c.utc}) << c.time;
    }
}

TEST(GpxTrack, PointsWithoutTimeOrWithBadValuesAreSkippedAndCounted) {
    const std::string good = "2015-06-26T07:05:09Z";
    std::string points = pt("", "41.8", "12.6", good.c_str());           // 1
    points += "<trkpt lat=\"41.8\" lon=\"12.6\"><ele>3</ele></trkpt>\n"; // 2
    for (const char* time :
         {"2015-02-29T07:05:09Z", "2015-06-26T24:00:00Z", "2015-06-26 07:05:09Z", "2015-06-26T07:05:09.Z",
          "2015-06-26T07:05:09+2:00", "2015-06-26T07:05Z", "yesterday", ""})
        points += pt("", "41.8", "12.6", time); // 3..10
    for (auto [lat, lon] : {std::pair{"90.5", "12.6"},
                            {"41.8", "-180.01"},
                            {"north", "12.6"},
                            {"nan", "12.6"},
                            {"41.8", "inf"},
                            {"", "12.6"},
                            {"41.8 5", "12.6"}})
        points += pt("", lat, lon, good.c_str());                        // 11..17
    points += "<trkpt lon=\"12.6\"><time>" + good + "</time></trkpt>\n"; // 18
    points += pt("", "-90", "180", good.c_str());                        // 19

    TrackRead read;
    const Status st = readGpxTrack(gpx("1.1", "", "<trk><trkseg>\n" + points + "</trkseg></trk>\n"), read);
    ASSERT_TRUE(st) << st.message();
    // Skipped points keep their running numbers.
    EXPECT_EQ(printAll(read),
              (std::vector<std::string>{"1: 41.8 12.6 2015-6-26 25509", "19: -90 180 2015-6-26 25509"}));
    const std::vector<std::pair<std::string, int>> skipped = {
        {"no time", 1}, {"bad time", 8}, {"bad position", 8}};
    EXPECT_EQ(read.skipped, skipped);
}

TEST(GpxTrack, DamagedOrUnsafeDocumentsAreRefusedWholeWithTheLine) {
    const std::string head = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\">\n<trk><trkseg>\n";
    const std::string point = pt("", "41.8", "12.6", "2015-06-26T07:05:09Z");
    const std::string tail = "</trkseg></trk>\n</gpx>\n";
    struct Case {
        std::string what, text;
        int line;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"truncated", head + point + point + "<trkpt lat=\"41", 6, "not well-formed XML"},
        {"truncated between points", head + point + point, 5, "not well-formed XML"},
        {"wrong nesting", head + point + "<trkpt lat=\"1\" lon=\"2\"><time>x</trkpt></time>\n" + tail, 5,
         "not well-formed XML"},
        {"CR line ends", "<gpx>\r<trk>\r\r</gpx>", 4, "not well-formed XML"},
        {"entity declarations",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n<!ENTITY a \"aaaaaaaaaa\">\n<!ENTITY b "
         "\"&a;&a;&a;\">\n]>\n"
         "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>&b;</time></trkpt></trkseg></trk></gpx>",
         2, "document type declaration"},
        {"external DTD", "<?xml version=\"1.0\"?>\n\n<!DOCTYPE gpx SYSTEM \"file:///etc/passwd\">\n<gpx/>", 3,
         "document type declaration"},
        {"entity outside a DTD", head + point + "<!ENTITY a \"b\">\n" + tail, 5, "not well-formed XML"},
        {"not gpx", "<?xml version=\"1.0\"?>\n<kml>\n</kml>\n", 2, "root element is <kml>, not <gpx>"},
        {"two roots", "<gpx/>\n\n<gpx/>\n", 3, "second root element"},
        {"empty", "", 1, "not well-formed XML"},
    };
    for (const Case& c : cases) {
        TrackRead read;
        read.fixes.resize(2);
        read.skip("no time");
        const Status st = readGpxTrack(c.text, read);
        ASSERT_FALSE(st) << c.what;
        EXPECT_EQ(st.message().rfind("line " + std::to_string(c.line) + ": ", 0), 0u)
            << c.what << ": " << st.message();
        EXPECT_NE(st.message().find(c.says), std::string::npos) << c.what << ": " << st.message();
        EXPECT_TRUE(read.fixes.empty()) << c.what;
        EXPECT_TRUE(read.skipped.empty()) << c.what;
    }
}

TEST(GpxTrack, MoreThanTheMostTrackPointsIsRefused) {
    std::string text = "<gpx><trk><trkseg>\n";
    for (std::size_t i = 0; i < kMaxTrackPoints; ++i)
        text += "<trkpt/>\n";
    TrackRead read;
    ASSERT_TRUE(readGpxTrack(text + "</trkseg></trk></gpx>", read));
    EXPECT_EQ(read.skippedCount(), static_cast<int>(kMaxTrackPoints));

    text += "</trkseg><trkseg>\n<trkpt/>\n</trkseg></trk></gpx>";
    const Status st = readGpxTrack(text, read);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(), "line " + std::to_string(kMaxTrackPoints + 3) + ": more than " +
                                std::to_string(kMaxTrackPoints) + " track points");
    EXPECT_TRUE(read.skipped.empty());
}

} // namespace
} // namespace trakmora
