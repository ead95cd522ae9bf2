#pragma once
// Row heights for rows whose cells wrap their text. The file format leaves row heights to the
// program that opens it, and some programs then show only the first line of a wrapped cell; the
// reports therefore write an explicit height worked out from the text, the column width and the
// font.
#include "reports/Worksheet.h"

#include <map>
#include <string_view>

namespace trakmora {

// Lines that `text` takes when wrapped at word boundaries in a column `columnWidth` characters
// of the default font wide, in a font of `fontSize` points; at least 1.
int wrappedLineCount(std::string_view text, double columnWidth, double fontSize, bool bold);

// Height in points of one line of text in a font of `fontSize` points (15 for 11 points).
double lineHeight(double fontSize);

// Heights for every row (0-based) that holds a value in a wrapping cell of a visible column:
// the tallest cell of the row, in points. Rows with an explicit height are left out.
std::map<int, double> wrappedRowHeights(const Worksheet& sheet);

} // namespace trakmora
