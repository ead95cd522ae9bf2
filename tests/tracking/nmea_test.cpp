#include "common/FileIo.h"
#include "tracking/loggers/NmeaTrack.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace trakmora {
namespace {

using Skips = std::vector<std::pair<std::string, int>>;

// "$<body>*hh" with the right checksum.
std::string sum(const std::string& body) {
    unsigned x = 0;
    for (char c : body)
        x ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", x);
    return "$" + body + tail;
}

std::string lowerHex(std::string sentence) {
    for (std::size_t i = sentence.size() - 2; i < sentence.size(); ++i)
        sentence[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(sentence[i])));
    return sentence;
}

const std::string kRmc = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
const std::string kGga = "GPGGA,123520,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

TEST(NmeaTrack, EachSentenceIsTakenOrSkippedForItsReason) {
    struct Case {
        std::string text;
        std::size_t fixes;
        Skips skipped;
    };
    const Case cases[] = {
        {sum(kRmc), 1, {}},
        {sum("GNRMC" + kRmc.substr(5)), 1, {}},
        {sum("GLRMC" + kRmc.substr(5)), 1, {}},
        {sum("GARMC" + kRmc.substr(5)), 1, {}},
        {sum("GBRMC" + kRmc.substr(5)), 1, {}},
        {sum("BDRMC" + kRmc.substr(5)), 1, {}},
        {"$" + kRmc, 1, {}}, // no checksum
        {lowerHex(sum(kRmc)), 1, {}},
        {"$" + kRmc + "*00", 0, {{"bad checksum", 1}}}, // wrong
        {"$" + kRmc + "*4", 0, {{"bad checksum", 1}}},  // not two hex digits
        {"\x01\xff junk$$" + sum(kRmc), 1, {}},         // noise before the '$'
        {sum("GPRMC,123519,V,,,,,,,230394,,"), 0, {{"no fix", 1}}},
        {sum("GPGGA,123520,,,,,0,00,,,M,,M,,"), 0, {{"no fix", 1}}},
        {sum(kGga), 0, {{"no date", 1}}}, // no RMC before it
        {sum("GPGSV,3,1,11,03,03,111,00") + "\n" + sum("PMTK001,604,3"), 0, {}},
        {sum("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,X,4807.038,N,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,48x7.038,N,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,,,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,4807.038,Q,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,4860.000,N,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,9100.000,N,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,4807.038,N,18100.000,W,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,246000,A,4807.038,N,01131.000,E,,,230394,,"), 0, {{"bad sentence", 1}}},
        {sum("GPRMC,123519,A,4807.038,N,01131.000,E,,,310494,,"), 0, {{"bad sentence", 1}}},
        {sum("GPGGA,123520,4807.038,N,01131.000,E,x,08"), 0, {{"bad sentence", 1}}},
        {sum("GPGGA,123520,4807.038,N,01131.000,E"), 0, {{"bad sentence", 1}}},
        {"", 0, {}},
        {"\r\n\n   \r\nno sentence here\n", 0, {}},
    };
    for (const Case& c : cases) {
        TrackRead read;
        const Status st = readNmeaTrack(c.text, read);
        ASSERT_TRUE(st) << c.text << ": " << st.message();
        EXPECT_EQ(read.fixes.size(), c.fixes) << c.text;
        EXPECT_EQ(read.skipped, c.skipped) << c.text;
    }
}

TEST(NmeaTrack, PositionsBecomeSignedDegreesAndTimesWholeSeconds) {
    struct Case {
        const char* position; // lat,N/S,lon,E/W
        double lat, lon;
    };
    const Case cases[] = {
        {"4916.45,N,12311.12,W", 49 + 16.45 / 60, -(123 + 11.12 / 60)},
        {"3351.5000,S,15112.7500,E", -(33 + 51.5 / 60), 151 + 12.75 / 60},
        {"0000.0000,N,00000.0000,E", 0, 0},
        {"9000.000,S,18000.000,W", -90, -180},
        {"4807,N,812.3456,E", 48 + 7.0 / 60, 8 + 12.3456 / 60}, // no fraction; a short longitude
    };
    for (const Case& c : cases) {
        TrackRead read;
        ASSERT_TRUE(
            readNmeaTrack(sum(std::string("GNRMC,235959.750,A,") + c.position + ",,,290224,,"), read));
        ASSERT_EQ(read.fixes.size(), 1u) << c.position;
        const LoggedRecord& f = read.fixes[0];
        EXPECT_NEAR(f.lat, c.lat, 1e-12) << c.position;
        EXPECT_NEAR(f.lon, c.lon, 1e-12) << c.position;
        EXPECT_EQ(f.fixNo, 1);
        EXPECT_EQ(f.year * 10000 + f.month * 100 + f.day, 20240229);
        EXPECT_EQ(f.seconds, 86399);
    }
}

TEST(NmeaTrack, GgaTakesTheRmcDateRollsOverMidnightAndOneSecondGivesOneFix) {
    const std::string pos = "5130.000,N,00007.500,W";
    std::string text;
    for (const std::string& s : {
             "GPGGA,235956," + pos + ",1", // no RMC yet: no date
             "GNGGA,235957," + pos + ",1", "GPRMC,235958," + ("A," + pos) + ",,,311224,,",
             "GPGGA,235958," + pos + ",1,08",     // same second as the RMC
             "GPGGA,235959," + pos + ",1,08",     // 1
             "GPGGA,000000.000," + pos + ",1,08", // past midnight and the year's end
             "GPGGA,000000.500," + pos + ",1,08", // the same whole second
             "GPGGA,000001," + pos + ",0,00",     // no fix
             "GNGGA,000002," + pos + ",1,08",
             "GNRMC,000002," + ("A," + pos) + ",,,010125,,", // same second as the GGA
             "GNGGA,000001," + pos + ",1,08",                // a step back is not a new day
         })
        text += sum(s) + "\r\n";
    TrackRead read;
    ASSERT_TRUE(readNmeaTrack(text, read));
    struct Expected {
        int date;
        double seconds;
    };
    const Expected expected[] = {
        {20241231, 86398}, {20241231, 86399}, {20250101, 0}, {20250101, 2}, {20250101, 1}};
    ASSERT_EQ(read.fixes.size(), std::size(expected));
    for (std::size_t i = 0; i < read.fixes.size(); ++i) {
        const LoggedRecord& f = read.fixes[i];
        EXPECT_EQ(f.fixNo, static_cast<double>(i + 1));
        EXPECT_EQ(f.year * 10000 + f.month * 100 + f.day, expected[i].date) << "fix " << i + 1;
        EXPECT_EQ(f.seconds, expected[i].seconds) << "fix " << i + 1;
        EXPECT_NEAR(f.lon, -0.125, 1e-12);
    }
    EXPECT_EQ(read.skipped, (Skips{{"no date", 2}, {"no fix", 1}}));
    EXPECT_EQ(read.skippedCount(), 3);
}

TEST(NmeaTrack, MoreFixesThanTheLimitOrTooMuchTextFailsWithNothingRead) {
    // One RMC, then one GGA a second, rolling over midnight as the days go by.
    std::string text = sum("GPRMC,000000,A,4807.038,N,01131.000,E,,,010125,,") + "\n";
    text.reserve(40 * (kMaxTrackPoints + 1));
    char line[64];
    for (std::size_t n = 1; n < kMaxTrackPoints; ++n) {
        const std::size_t s = n % 86400;
        std::snprintf(line, sizeof line, "$GPGGA,%02zu%02zu%02zu,4807.038,N,01131.000,E,1\n", s / 3600,
                      s / 60 % 60, s % 60);
        text += line;
    }
    TrackRead read;
    ASSERT_TRUE(readNmeaTrack(text, read));
    ASSERT_EQ(read.fixes.size(), kMaxTrackPoints);
    EXPECT_EQ(read.fixes.back().fixNo, static_cast<double>(kMaxTrackPoints));
    EXPECT_EQ(read.fixes.back().day, 1 + static_cast<int>((kMaxTrackPoints - 1) / 86400));

    text += "$GPGGA,235959,4807.038,N,01131.000,E,1\n";
    Status st = readNmeaTrack(text, read);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find("line 1000001: more than 1,000,000 fixes"), std::string::npos)
        << st.message();
    EXPECT_TRUE(read.fixes.empty());

    read.skip("left from before");
    st = readNmeaTrack(std::string(kMaxReadableFileBytes + 1, '\n'), read);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find("256 MB"), std::string::npos) << st.message();
    EXPECT_TRUE(read.fixes.empty() && read.skipped.empty());
}

} // namespace
} // namespace trakmora
