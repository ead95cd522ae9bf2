#pragma once
// A rectangular block of cells on a worksheet, as the reports address them: a range by address,
// its top-left cell resized to rows × columns, and the properties set on all its cells at once.
#include "xlsx/CellAddress.h"
#include "xlsx/CellFormat.h"
#include "xlsx/CellValue.h"

#include <string>
#include <vector>

namespace trakmora {

class Worksheet;

class CellRange {
public:
    // A range that changes nothing (a malformed address).
    CellRange() = default;
    CellRange(Worksheet& sheet, CellBlock block) : sheet_(&sheet), block_(block) {}

    bool valid() const { return sheet_ != nullptr; }
    const CellBlock& block() const { return block_; }

    // The block of rows × columns whose top-left cell is this range's top-left cell. Sizes below
    // 1 or beyond the sheet give a range that changes nothing.
    CellRange resize(int rows, int columns) const;

    // One value into every cell of the range.
    CellRange& setValue(const CellValue& value);
    // A one-dimensional array: element j into column j of every row of the range.
    CellRange& setValues(const std::vector<CellValue>& row);
    // A two-dimensional array: element [i][j] into row i, column j of the range. The array is
    // cut to the range; cells of the range beyond the array are emptied.
    CellRange& setValues(const std::vector<std::vector<CellValue>>& block);

    CellRange& setFontName(const std::string& name);
    CellRange& setBold(bool bold);
    CellRange& setFontSize(double size);
    CellRange& setHorizontalAlignment(HorizontalAlignment alignment);
    CellRange& setVerticalAlignment(VerticalAlignment alignment);
    CellRange& setWrapText(bool wrap);
    CellRange& setNumberFormat(const std::string& format);

private:
    CellRange& applyFormat(const CellFormat& format);

    Worksheet* sheet_ = nullptr;
    CellBlock block_;
};

} // namespace trakmora
