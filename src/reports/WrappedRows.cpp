#include "reports/WrappedRows.h"

#include "common/Format.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace trakmora {

namespace {

inline constexpr double kDefaultColumnWidth = 8.43;

// Width of one character of an 11-point font, in widths of the default font's digit (the unit
// of column widths). Proportional fonts: capitals are wider, blanks and punctuation narrower.
// The figures err on the wide side so that a wrapped line is never cut off.
double characterWidth(unsigned char c) {
    if (c == ' ') return 0.5;
    if (std::isdigit(c)) return 1.0;
    if (std::isupper(c)) return c == 'M' || c == 'W' ? 1.5 : 1.15;
    if (std::islower(c)) return c == 'm' || c == 'w' ? 1.4 : (c == 'i' || c == 'l' || c == 'j' ? 0.5 : 0.95);
    if (c >= 0x80) return 0.5; // part of a multi-byte character: two halves make one
    return 0.7;
}

double textWidth(std::string_view text, double scale) {
    double width = 0;
    for (char c : text) width += characterWidth(static_cast<unsigned char>(c));
    return width * scale;
}

std::string cellText(const CellValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<double>(&value)) return formatNumber(*number);
    return {};
}

// Lines taken by one paragraph (no line breaks) wrapped greedily at blanks; a word wider than
// the column is broken where it reaches the edge.
int paragraphLines(std::string_view text, double available, double scale) {
    int lines = 1;
    double used = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto blank = text.find(' ', start);
        const auto word = text.substr(start, blank == std::string_view::npos ? std::string_view::npos : blank - start);
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

double lineHeight(double fontSize) { return std::ceil(fontSize * 15.0 / 11.0 * 4.0) / 4.0; }

int wrappedLineCount(std::string_view text, double columnWidth, double fontSize, bool bold) {
    const double scale = fontSize / kDefaultFontSize * (bold ? 1.08 : 1.0);
    // The cell keeps a small margin on both sides of its text.
    const double available = std::max(columnWidth - 0.3, 0.5);
    int lines = 0;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find('\n', start);
        lines += paragraphLines(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start),
                                available, scale);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return std::max(lines, 1);
}

std::map<int, double> wrappedRowHeights(const Worksheet& sheet) {
    std::map<int, double> tallestCell; // every row with a value: its tallest cell
    std::map<int, bool> wraps;         // rows holding a value in a wrapping cell
    for (const auto& [position, cell] : sheet.cells()) {
        const auto [row, column] = position;
        if (std::holds_alternative<std::monostate>(cell.value)) continue;
        const auto layout = sheet.columns().find(column);
        if (layout != sheet.columns().end() && layout->second.hidden) continue;
        const double size = cell.format.effectiveFontSize();
        int lines = 1;
        if (cell.format.effectiveWrap()) {
            const double width = layout != sheet.columns().end() && layout->second.width
                                     ? *layout->second.width
                                     : kDefaultColumnWidth;
            lines = wrappedLineCount(cellText(cell.value), width, size, cell.format.effectiveBold());
            wraps[row] = true;
        }
        tallestCell[row] = std::max(tallestCell[row], lines * lineHeight(size));
    }
    std::map<int, double> heights;
    for (const auto& [row, height] : tallestCell)
        if (wraps.count(row) && !sheet.rowHeights().count(row)) heights[row] = std::min(height, 409.0);
    return heights;
}

} // namespace trakmora
