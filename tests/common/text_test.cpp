#include "common/Text.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

TEST(Text, Utf8StaysAndWindows1252BecomesUtf8) {
    struct Case {
        const char* what;
        std::string in, out;
    };
    const Case cases[] = {
        {"ASCII", "Ann Hale", "Ann Hale"},
        {"empty", "", ""},
        {"UTF-8 accent",
         "Ren\xC3\xA9"
         "e",
         "Ren\xC3\xA9"
         "e"},
        {"UTF-8 four bytes", "Car \xF0\x9F\x9A\x97", "Car \xF0\x9F\x9A\x97"},
        {"Latin-1 accent",
         "Ren\xE9"
         "e M\xFCller",
         "Ren\xC3\xA9"
         "e M\xC3\xBCller"},
        {"Windows-1252 euro and quotes", "\x80 5 \x93ok\x94", "\xE2\x82\xAC 5 \xE2\x80\x9Cok\xE2\x80\x9D"},
        {"unassigned byte keeps its Latin-1 meaning", "a\x81", "a\xC2\x81"},
        {"UTF-8 lead byte cut off at the end", "Caf\xC3", "Caf\xC3\x83"},
        {"overlong slash", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"UTF-16 surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        // One invalid byte decides for the whole text: the valid-looking pair is read as two
        // Windows-1252 characters too, as the spreadsheet program wrote them.
        {"mixed", "\xC3\xA9 \xE9", "\xC3\x83\xC2\xA9 \xC3\xA9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8Text(c.in), c.out) << c.what;
}

} // namespace
} // namespace trakmora
