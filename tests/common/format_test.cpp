#include "common/Format.h"
#include "common/Paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace trakmora {
namespace {

TEST(Format, DigitPatterns) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {7, "00#", "007"},
        {123, "00#", "123"},
        {1234, "00#", "1234"},
        {12.34, "##0.#0", "12.34"},
        {12.5, "##0.#0", "12.50"},
        {0, "##0.#0", "0.00"},
        {0.005, "0.00", "0.01"},
        {12.345, "0.00", "12.35"},
        {-1.5, "##0", "-2"},
        {2.5, "##0", "3"},
        {0, "###", ""},
        {45, "###", "45"},
        {99.996, "##0.#0", "100.00"},
        {60, "##0", "60"},
        {-0.001, "0.00", "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
    EXPECT_EQ(formatCompNo(45), "045");
}

// Numbers as the files hold them: shortest decimal that reads back, never an exponent; whole
// numbers take a faster path that must give the same digits.
TEST(Format, NumbersReadBackAndNeverUseAnExponent) {
    const std::pair<double, const char*> cases[] = {
        {42181, "42181"},
        {-12, "-12"},
        {0.5, "0.5"},
        {-0.0, "0"},
        {41.805592, "41.805592"},
        {-33.25, "-33.25"},
        {1.0 / 3, "0.3333333333333333"},
        {999999999999999, "999999999999999"},
        {1e15, "1000000000000000"},
        {-9007199254740993.0, "-9007199254740992"},
        {1e21, "1000000000000000000000"},
        {1e-7, "0.0000001"},
        {std::nan(""), "0"},
        {-HUGE_VAL, "0"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(formatNumber(value), text) << value;
        std::string appended = "x";
        appendNumber(appended, value);
        EXPECT_EQ(appended, std::string("x") + text);
    }
}

TEST(Format, ClockTimes) {
    EXPECT_EQ(formatClockSeconds(28800), "08:00:00");
    EXPECT_EQ(formatClockSeconds(86400), "00:00:00");
    EXPECT_EQ(formatClockSeconds(36010.4), "10:00:10");
    EXPECT_EQ(formatClockSeconds(36010.5), "10:00:11");
    EXPECT_EQ(formatClock(495.0 / 1440), "08:15:00");
    EXPECT_EQ(formatClock(1.25), "06:00:00");
    EXPECT_EQ(formatClock(3.0 / 1440), "00:03:00");
    double s = 0;
    EXPECT_TRUE(parseClock("08:15:30", s));
    EXPECT_EQ(s, 29730);
    EXPECT_TRUE(parseClock("7:05", s));
    EXPECT_EQ(s, 25500);
    EXPECT_FALSE(parseClock("08:61:00", s));
    EXPECT_FALSE(parseClock("abc", s));
    EXPECT_FALSE(parseClock("1:2:3:4", s));
}

TEST(Format, DateSerials) {
    EXPECT_EQ(dateSerial(2015, 6, 26), 42181);
    EXPECT_EQ(dateSerial(1899, 12, 30), 0);
    EXPECT_EQ(dateSerial(1900, 3, 1), 61);
    EXPECT_EQ(formatDate(42181), "26 Jun 2015");
    EXPECT_EQ(formatDate(40000), "06 Jul 2009");
    // Days and months carry as the date buttons need.
    EXPECT_EQ(dateSerial(2016, 2, 31), dateSerial(2016, 3, 2));
    EXPECT_EQ(dateSerial(2015, 2, 31), dateSerial(2015, 3, 3));
    EXPECT_EQ(dateSerial(2015, 13, 1), dateSerial(2016, 1, 1));
    EXPECT_EQ(dateSerial(2015, 0, 1), dateSerial(2014, 12, 1));
    const CivilDate c = civilFromSerial(42181);
    EXPECT_EQ(c.year, 2015);
    EXPECT_EQ(c.month, 6);
    EXPECT_EQ(c.day, 26);
    double serial = 0;
    EXPECT_TRUE(parseIsoDate("2015-06-26", serial));
    EXPECT_EQ(serial, 42181);
    EXPECT_FALSE(parseIsoDate("2015-04-31", serial));
    EXPECT_FALSE(parseIsoDate("26/06/2015", serial));
}

TEST(Format, HalfEvenRounding) {
    const std::pair<double, double> cases[] = {
        {9.5, 10},        {8.5, 8},         {-2.5, -2},  {-3.5, -4}, {0.5, 0}, {1.5, 2},
        {30600.5, 30600}, {30601.5, 30602}, {2.4999, 2}, {-0.6, -1}, {7, 7}};
    for (auto [in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
}

TEST(Paths, UnsafeShortNamesAreRefused) {
    const char* refused[] = {"",     "a/b",  "a\\b",      "..",    "x..y",  "C:",  "a*",
                             "a?",   "a\"b", "<a>",       "a|b",   "CON",   "con", "nul.txt",
                             "COM1", "LPT9", "tab\there", " lead", "trail."};
    for (const char* name : refused)
        EXPECT_TRUE(unsafeFolderNameReason(name).has_value()) << name;
    const char* accepted[] = {"Spring", "Spring-2026", "Rally_1", "CONCOURS", "COM0", "a.b"};
    for (const char* name : accepted)
        EXPECT_FALSE(unsafeFolderNameReason(name).has_value()) << name;
}

} // namespace
} // namespace trakmora
