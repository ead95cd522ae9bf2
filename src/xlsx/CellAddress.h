#pragma once
// Spreadsheet addresses: "A1", "h1:h1", "A1:D1" for cell blocks and "A:A", "F:H" for whole
// columns. Rows and columns are counted from 0 inside the program; letters and row numbers are
// the sheet's own (column A, row 1).
#include <optional>
#include <string>
#include <string_view>

namespace trakmora {

// Largest sheet the file format holds.
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;

struct CellBlock {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    int rows() const { return lastRow - firstRow + 1; }
    int columns() const { return lastColumn - firstColumn + 1; }
    bool operator==(const CellBlock&) const = default;
};

struct ColumnSpan {
    int first = 0;
    int last = 0;
    bool operator==(const ColumnSpan&) const = default;
};

// "A" -> 0, "AX" -> 49, case ignored; nothing for anything that is not 1 to 3 letters naming a
// column of the sheet.
std::optional<int> columnIndex(std::string_view letters);
// 0 -> "A", 49 -> "AX".
std::string columnLetters(int column);

// "B11" or "A1:I3" (either corner order); nothing for a malformed address.
std::optional<CellBlock> parseCellBlock(std::string_view address);
// "C:C" or "F:H"; nothing for a malformed address.
std::optional<ColumnSpan> parseColumnSpan(std::string_view address);

// "B11" for row 10, column 1.
std::string cellName(int row, int column);

} // namespace trakmora
