#include "xlsx/CellRange.h"

#include "xlsx/Worksheet.h"

namespace trakmora {

CellRange CellRange::resize(int rows, int columns) const {
    if (!sheet_) return CellRange();
    if (rows < 1 || columns < 1 || block_.firstRow + rows > kMaxSheetRows ||
        block_.firstColumn + columns > kMaxSheetColumns) {
        sheet_->noteBadAddress(cellName(block_.firstRow, block_.firstColumn) + " resized to " +
                               std::to_string(rows) + " x " + std::to_string(columns));
        return CellRange();
    }
    return CellRange(*sheet_, CellBlock{block_.firstRow, block_.firstColumn, block_.firstRow + rows - 1,
                                        block_.firstColumn + columns - 1});
}

CellRange& CellRange::setValue(const CellValue& value) {
    if (!sheet_) return *this;
    for (int r = block_.firstRow; r <= block_.lastRow; ++r)
        for (int c = block_.firstColumn; c <= block_.lastColumn; ++c)
            sheet_->cell(r, c).value = value;
    return *this;
}

CellRange& CellRange::setValues(const std::vector<CellValue>& row) {
    if (!sheet_) return *this;
    for (int r = block_.firstRow; r <= block_.lastRow; ++r)
        for (int c = block_.firstColumn; c <= block_.lastColumn; ++c) {
            const auto j = static_cast<std::size_t>(c - block_.firstColumn);
            sheet_->cell(r, c).value = j < row.size() ? row[j] : CellValue();
        }
    return *this;
}

CellRange& CellRange::setValues(const std::vector<std::vector<CellValue>>& block) {
    if (!sheet_) return *this;
    for (int r = block_.firstRow; r <= block_.lastRow; ++r) {
        const auto i = static_cast<std::size_t>(r - block_.firstRow);
        for (int c = block_.firstColumn; c <= block_.lastColumn; ++c) {
            const auto j = static_cast<std::size_t>(c - block_.firstColumn);
            const bool inside = i < block.size() && j < block[i].size();
            sheet_->cell(r, c).value = inside ? block[i][j] : CellValue();
        }
    }
    return *this;
}

CellRange& CellRange::applyFormat(const CellFormat& format) {
    if (!sheet_) return *this;
    for (int r = block_.firstRow; r <= block_.lastRow; ++r)
        for (int c = block_.firstColumn; c <= block_.lastColumn; ++c)
            sheet_->cell(r, c).format.mergeFrom(format);
    return *this;
}

CellRange& CellRange::setFontName(const std::string& name) {
    CellFormat f;
    f.fontName = name;
    return applyFormat(f);
}

CellRange& CellRange::setBold(bool bold) {
    CellFormat f;
    f.bold = bold;
    return applyFormat(f);
}

CellRange& CellRange::setFontSize(double size) {
    CellFormat f;
    f.fontSize = size;
    return applyFormat(f);
}

CellRange& CellRange::setHorizontalAlignment(HorizontalAlignment alignment) {
    CellFormat f;
    f.horizontal = alignment;
    return applyFormat(f);
}

CellRange& CellRange::setVerticalAlignment(VerticalAlignment alignment) {
    CellFormat f;
    f.vertical = alignment;
    return applyFormat(f);
}

CellRange& CellRange::setWrapText(bool wrap) {
    CellFormat f;
    f.wrapText = wrap;
    return applyFormat(f);
}

CellRange& CellRange::setNumberFormat(const std::string& format) {
    CellFormat f;
    f.numberFormat = format;
    return applyFormat(f);
}

} // namespace trakmora
