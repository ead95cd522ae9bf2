#include "common/Format.h"
#include "support/RallyTest.h"
#include "workspace/ConfigFields.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

namespace trakmora {
namespace {

TEST(UtcOffset, TypedOffsetsAreReadOrRefused) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"+02:00", 7200},
        {"-05:30", -19800},
        {"02:00", 7200},
        {" 5:45 ", 20700},
        {"7200", 7200},
        {"-18000", -18000},
        {"0", 0},
        {"+14:00", 50400},
        {"-12:00", -43200},
        {"+14:15", std::nullopt},
        {"-12:30", std::nullopt},
        {"+2", std::nullopt},
        {"90", std::nullopt},
        {"+02:0", std::nullopt},
        {"+02:60", std::nullopt},
        {"1:2:3", std::nullopt},
        {"", std::nullopt},
        {"UTC+2", std::nullopt},
        {"+:30", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        int seconds = 12345;
        const bool read = parseUtcOffset(text, seconds);
        EXPECT_EQ(read, expected.has_value()) << text;
        EXPECT_EQ(seconds, expected.value_or(12345)) << text;
    }
    for (const auto& [seconds, shown] : std::vector<std::pair<int, std::string>>{
             {7200, "+02:00"}, {-19800, "-05:30"}, {0, "+00:00"}, {20700, "+05:45"}, {-3630, "-01:00:30"}})
        EXPECT_EQ(formatUtcOffset(seconds), shown);
}

// The computer's offset follows its time zone's rules on the rally's start date.
TEST(UtcOffset, TheComputersOffsetOnTheStartDateIsTheDefault) {
    const char* before = std::getenv("TZ");
    const std::optional<std::string> saved = before ? std::optional<std::string>(before) : std::nullopt;
    setenv("TZ", "AEST-10AEDT,M10.1.0,M4.1.0/3", 1); // Melbourne: summer time from October to April
    tzset();
    RallyConfig config;
    config.startDate = dateSerial(2026, 3, 14);
    const int summer = utcOffsetSeconds(config);
    config.startDate = dateSerial(2026, 6, 14);
    const int winter = utcOffsetSeconds(config);
    config.utcOffset = -3600;
    const int set = utcOffsetSeconds(config);
    if (saved)
        setenv("TZ", saved->c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_EQ(summer, 11 * 3600);
    EXPECT_EQ(winter, 10 * 3600);
    EXPECT_EQ(set, -3600);
}

class UtcOffsetFile : public test::RallyTest {
protected:
    UtcOffsetFile() : RallyTest("Offset Rally", "Offset") {}
    std::filesystem::path offsetFile() const { return file(RallyFolder::Working, "UtcOffset.csv"); }
};

TEST_F(UtcOffsetFile, IsWrittenOnlyOnceSetAndReadWhenTheRallyOpens) {
    EXPECT_FALSE(std::filesystem::exists(offsetFile())) << "an unset offset is not written";
    configure([](RallyConfig& c) { c.utcOffset = -16200; });
    EXPECT_EQ(test::readFile(offsetFile()), "\"UtcOffset\",\"-04:30\"\r\n");
    state.config.utcOffset.reset();
    ASSERT_TRUE(openRallyByShortName(state, "Offset"));
    EXPECT_EQ(state.config.utcOffset, std::optional<int>(-16200));

    // A damaged file is reported; the other settings still open, and the computer's offset stands in.
    configure([](RallyConfig& c) { c.distanceWindow = 300; });
    write(RallyFolder::Working, "UtcOffset.csv", "\"UtcOffset\",\"two hours\"\r\n");
    const Status st = openRallyByShortName(state, "Offset");
    EXPECT_FALSE(st);
    EXPECT_NE(st.message().find("UtcOffset.csv line 1: \"two hours\" is not a UTC offset"), std::string::npos)
        << st.message();
    EXPECT_FALSE(state.config.utcOffset.has_value());
    EXPECT_EQ(state.config.distanceWindow, 300);
}

} // namespace
} // namespace trakmora
