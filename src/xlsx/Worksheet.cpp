#include "xlsx/Worksheet.h"

#include "xlsx/CellRange.h"

namespace trakmora {

CellRange Worksheet::range(std::string_view address) {
    const auto block = parseCellBlock(address);
    if (!block) {
        noteBadAddress(address);
        return CellRange();
    }
    return CellRange(*this, *block);
}

void Worksheet::setColumnWidth(std::string_view columns, double width) {
    const auto span = parseColumnSpan(columns);
    if (!span || !(width >= 0 && width <= 255)) {
        noteBadAddress(columns);
        return;
    }
    for (int c = span->first; c <= span->last; ++c) {
        ColumnLayout& layout = columns_[c];
        if (width == 0) {
            layout.hidden = true;
        } else {
            layout.width = width;
            layout.hidden = false;
        }
    }
}

void Worksheet::setColumnsHidden(std::string_view columns, bool hidden) {
    const auto span = parseColumnSpan(columns);
    if (!span) {
        noteBadAddress(columns);
        return;
    }
    for (int c = span->first; c <= span->last; ++c)
        columns_[c].hidden = hidden;
}

void Worksheet::setRowHeight(int row, double points) {
    if (row < 0 || row >= kMaxSheetRows || !(points >= 0 && points <= 409)) {
        noteBadAddress("row " + std::to_string(row + 1));
        return;
    }
    rowHeights_[row] = points;
}

CellValue Worksheet::value(std::string_view cellAddress) const {
    const auto block = parseCellBlock(cellAddress);
    if (!block) return CellValue();
    const auto it = cells_.find({block->firstRow, block->firstColumn});
    return it == cells_.end() ? CellValue() : it->second.value;
}

void Worksheet::noteBadAddress(std::string_view address) {
    if (addressProblem_.empty())
        addressProblem_ = "sheet \"" + name_ + "\" uses the bad address \"" + std::string(address) + "\"";
}

} // namespace trakmora
