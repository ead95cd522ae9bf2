#include "xlsx/PageSetup.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

namespace {

// Paper widths and heights in points.
inline constexpr double kA4Short = 595.3;
inline constexpr double kA4Long = 841.9;
inline constexpr double kLetterShort = 612.0;
inline constexpr double kLetterLong = 792.0;
// The default left and right margins of a sheet, 0.7 inch each.
inline constexpr double kSideMargins = 2 * 0.7 * 72;
// The header font and the width of an average character in it (mixed case, digits and spaces;
// erring on the wide side so that an estimate that fits also prints without overlap).
inline constexpr double kHeaderFontPoints = 11;
inline constexpr double kAverageCharacterEm = 0.55;

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string headerText(std::string_view plain) {
    std::string out;
    out.reserve(plain.size());
    for (char c : plain) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

int headerLineCharacters(const PageSetup& page) {
    const bool a4 = page.paperSize == kPaperA4;
    const bool landscape = page.orientation == PageOrientation::Landscape;
    const double width = a4 ? (landscape ? kA4Long : kA4Short) : (landscape ? kLetterLong : kLetterShort);
    return static_cast<int>(std::floor((width - kSideMargins) / (kHeaderFontPoints * kAverageCharacterEm)));
}

int characterCount(std::string_view text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return !continuationByte(c); }));
}

std::string shortenedText(std::string_view plain, int characters) {
    if (characterCount(plain) <= characters) return std::string(plain);
    if (characters <= 0) return {};
    std::string out;
    int kept = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (!continuationByte(plain[i]) && ++kept == characters) break;
        out += plain[i];
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out + "\xE2\x80\xA6";
}

} // namespace trakmora
