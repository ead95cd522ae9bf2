#pragma once
// Row heights for rows whose text wraps onto more lines or is larger than the default font. The
// file format leaves such heights to the program that opens it, and some programs then show only
// the first line of a wrapped cell or cut the tops of large letters; the reports therefore write
// an explicit height worked out from the text, the column width and the font.
#include "xlsx/Worksheet.h"

#include <map>
#include <string_view>

namespace trakmora {

// Lines that `text` takes when wrapped at word boundaries in a column `columnWidth` characters
// of the default font wide, in a font of `fontSize` points; at least 1.
int wrappedLineCount(std::string_view text, double columnWidth, double fontSize, bool bold);

// Height in points of one line of text in a font of `fontSize` points (15 for 11 points).
double lineHeight(double fontSize);

// Heights for every row (0-based) holding, in a visible column, a text that wraps onto more than
// one line or a value in a font above 11 points: the tallest cell of the row, in points. Rows
// with an explicit height are left out.
std::map<int, double> neededRowHeights(const Worksheet& sheet);

} // namespace trakmora
