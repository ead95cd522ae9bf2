#include "common/Csv.h"
#include "common/Format.h"
#include "common/Paths.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

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

// The quick paths for the numbers of logger files and competitor logs against the general
// conversions they stand in for: the same text written, the same double and end read.
TEST(Format, QuickNumberPathsAgreeWithTheGeneralConversions) {
    std::mt19937_64 random(20261209);
    const auto pick = [&](std::uint64_t below) { return random() % below; };
    std::vector<double> values = {0.1,
                                  -0.1,
                                  0.3,
                                  2.5e-8,
                                  123456.7890123,
                                  99999.99999999999,
                                  1e-22,
                                  0.7 - 0.2,
                                  151.20931 - 0.0000001,
                                  8.881784197001252e-16};
    for (int k = 0; k < 200000; ++k) {
        // A decimal of up to 17 digits at some scale, as a logger or this program writes it,
        // and a double made of random bits within the range the quick path takes.
        const double digits = static_cast<double>(pick(std::uint64_t{1} << (1 + pick(56))));
        values.push_back((pick(2) ? -1 : 1) * digits / std::pow(10.0, static_cast<double>(pick(24))));
        std::uint64_t bits = (random() & 0x000FFFFFFFFFFFFFull) | ((1023 - 30 + pick(80)) << 52);
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        values.push_back(d);
    }
    for (const double value : values) {
        char general[400];
        const bool whole = value == std::trunc(value) && std::fabs(value) < 1e15;
        const auto end =
            whole ? std::to_chars(general, general + sizeof general, static_cast<long long>(value))
                  : std::to_chars(general, general + sizeof general, value, std::chars_format::fixed);
        std::string quick;
        appendNumber(quick, value);
        ASSERT_EQ(quick, value == 0 ? "0" : std::string(general, end.ptr)) << std::hexfloat << value;
    }

    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "0.0",
                                      "-0.000",
                                      "007",
                                      "1.",
                                      ".5",
                                      "-.5",
                                      "1e5",
                                      "1.5E-3",
                                      "2.5e",
                                      "-",
                                      "+1",
                                      "inf",
                                      "nan",
                                      "1.2.3",
                                      "12,34",
                                      "9007199254740993",
                                      "9007199254740992.5",
                                      "1234567890123456789012",
                                      "0.00000000000000000000001",
                                      "41.805592 ",
                                      "-33.8,151"};
    for (int k = 0; k < 200000; ++k) {
        std::string t = pick(4) == 0 ? "-" : "";
        for (std::uint64_t n = 1 + pick(12); n > 0; --n)
            t += static_cast<char>('0' + pick(10));
        if (pick(3)) t += ".";
        for (std::uint64_t n = pick(14); n > 0; --n)
            t += static_cast<char>('0' + pick(10));
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        const char* const first = t.data();
        const char* const last = first + t.size();
        double general = -1, quick = -2;
        const auto want = std::from_chars(first, last, general, std::chars_format::general);
        const auto got = readDecimal(first, last, quick);
        ASSERT_EQ(got.ec, want.ec) << t;
        ASSERT_EQ(got.ptr - first, want.ptr - first) << t;
        // Bit for bit: -0 and 0 differ, and "nan" reads as a NaN both ways.
        if (want.ec == std::errc()) {
            ASSERT_EQ(std::memcmp(&quick, &general, sizeof quick), 0) << t;
        }
    }
}

// Text a download holds that is copied into a competitor log as it stands must be exactly what
// writing the number it reads as would give.
TEST(Format, TextCopiedAsWrittenIsWhatWritingTheNumberGives) {
    const std::pair<const char*, bool> cases[] = {{"41.805592", true},
                                                  {"-33.8", true},
                                                  {"151", true},
                                                  {"0", true},
                                                  {"-0.5", true},
                                                  {"0.0000001", true},
                                                  {"0.1234567890123456", false},
                                                  {"123456789012345", true},
                                                  {"1234567890123456", false},
                                                  {"41.80", false},
                                                  {"007", false},
                                                  {"-0", false},
                                                  {"+1", false},
                                                  {"1.", false},
                                                  {".5", false},
                                                  {"1e5", false},
                                                  {"", false},
                                                  {"-", false},
                                                  {"4 1", false},
                                                  {"12.3.4", false},
                                                  {"0.00", false},
                                                  {"-0.0", false}};
    for (const auto& [text, copied] : cases)
        EXPECT_EQ(isNumberAsWritten(text), copied) << text;
    std::mt19937_64 random(7);
    const char alphabet[] = "0123456789000.-";
    int accepted = 0;
    for (int k = 0; k < 300000; ++k) {
        std::string text;
        for (std::uint64_t n = 1 + random() % 19; n > 0; --n)
            text += alphabet[random() % (sizeof alphabet - 1)];
        if (!isNumberAsWritten(text)) continue;
        ++accepted;
        double value = 0;
        ASSERT_TRUE(parseNumber(text, value)) << text;
        std::string written;
        appendNumber(written, value);
        ASSERT_EQ(written, text);
    }
    EXPECT_GT(accepted, 1000);
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
