#include "xlsx/WrappedRows.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

namespace {

inline constexpr double kDefaultColumnWidth = 8.43;

// Advance widths of the report font (Calibri, regular) in thousandths of its size, for the
// printable ASCII characters from the blank (32) to the tilde (126).
constexpr short kAdvance[95] = {
    226, 326, 401, 498, 507, 715, 682, 221, 303, 303, 498, 498, 250, 306, 252, 386, // blank to /
    507, 507, 507, 507, 507, 507, 507, 507, 507, 507, 268, 268, 498, 498, 498, 463, // 0 to ?
    894, 579, 544, 533, 615, 488, 459, 631, 623, 252, 319, 520, 420, 855, 646, 662, // @ to O
    517, 673, 543, 459, 487, 642, 567, 890, 519, 487, 468, 307, 386, 307, 498, 498, // P to _
    291, 479, 525, 423, 525, 498, 305, 471, 525, 229, 239, 455, 229, 799, 525, 527, // ` to o
    525, 525, 349, 391, 335, 525, 452, 715, 433, 453, 395, 314, 460, 314, 498};     // p to ~

// Width of one character of an 11-point font, in widths of the default font's digit (the unit
// of column widths).
double characterWidth(unsigned char c) {
    if (c >= 32 && c <= 126) return kAdvance[c - 32] / 507.0;
    if ((c & 0xC0) == 0x80) return 0; // continuation byte of a multi-byte character
    return 1.2;                       // first byte of one: as wide as a wide letter
}

double textWidth(std::string_view text, double scale) {
    double width = 0;
    for (char c : text)
        width += characterWidth(static_cast<unsigned char>(c));
    return width * scale;
}

// Lines taken by one paragraph (no line breaks) wrapped greedily at blanks; a word wider than
// the column is broken where it reaches the edge.
int paragraphLines(std::string_view text, double available, double scale) {
    int lines = 1;
    double used = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto blank = text.find(' ', start);
        const auto word =
            text.substr(start, blank == std::string_view::npos ? std::string_view::npos : blank - start);
        const double wordWidth = textWidth(word, scale);
        const double gap = used > 0 ? textWidth(" ", scale) : 0;
        if (used > 0 && used + gap + wordWidth > available) {
            ++lines;
            used = 0;
        } else {
            used += gap;
        }
        for (char c : word) {
            const double w = characterWidth(static_cast<unsigned char>(c)) * scale;
            if (used > 0 && used + w > available) {
                ++lines;
                used = 0;
            }
            used += w;
        }
        if (blank == std::string_view::npos) break;
        start = blank + 1;
    }
    return lines;
}

} // namespace

double lineHeight(double fontSize) {
    return std::ceil(fontSize * 15.0 / 11.0 * 4.0) / 4.0;
}

int wrappedLineCount(std::string_view text, double columnWidth, double fontSize, bool bold) {
    const double scale = fontSize / kDefaultFontSize * (bold ? 1.04 : 1.0);
    // A column w characters wide is w digits plus a few pixels of margin; a little is kept back
    // for differences between programs.
    const double available = std::max(columnWidth - 0.2, 0.5);
    int lines = 0;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find('\n', start);
        lines += paragraphLines(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start),
            available, scale);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return std::max(lines, 1);
}

std::map<int, double> neededRowHeights(const Worksheet& sheet) {
    std::map<int, double> tallestCell; // every row with a value: its tallest cell
    std::map<int, bool> needed;        // rows with wrapped text or a large font
    for (const auto& [position, cell] : sheet.cells()) {
        const auto [row, column] = position;
        if (std::holds_alternative<std::monostate>(cell.value)) continue;
        const auto layout = sheet.columns().find(column);
        if (layout != sheet.columns().end() && layout->second.hidden) continue;
        const double size = cell.format.effectiveFontSize();
        int lines = 1;
        // Numbers never wrap: a number too wide for its column shows as "###".
        const auto* text = std::get_if<std::string>(&cell.value);
        if (cell.format.effectiveWrap() && text) {
            const double width = layout != sheet.columns().end() && layout->second.width
                                     ? *layout->second.width
                                     : kDefaultColumnWidth;
            lines = wrappedLineCount(*text, width, size, cell.format.effectiveBold());
        }
        if (lines > 1 || size > kDefaultFontSize) needed[row] = true;
        tallestCell[row] = std::max(tallestCell[row], lines * lineHeight(size));
    }
    std::map<int, double> heights;
    for (const auto& [row, height] : tallestCell)
        if (needed.count(row) && !sheet.rowHeights().count(row)) heights[row] = std::min(height, 409.0);
    return heights;
}

} // namespace trakmora
