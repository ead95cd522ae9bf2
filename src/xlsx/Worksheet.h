#pragma once
// One sheet of a workbook: its name, cell values and formats, column widths, hidden columns, row
// heights and page layout. Cells are reached through ranges (see CellRange): sheet.range("A1:D1").
#include "xlsx/CellAddress.h"
#include "xlsx/CellFormat.h"
#include "xlsx/CellValue.h"
#include "xlsx/PageSetup.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace trakmora {

class CellRange;

struct Cell {
    CellValue value;
    CellFormat format;
};

struct ColumnLayout {
    std::optional<double> width; // in characters of the default font; unset: the sheet default
    bool hidden = false;
};

class Worksheet {
public:
    explicit Worksheet(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // A range by address ("A1:D1", "B11", "h1:h1"). A malformed address gives a range that
    // changes nothing and is reported when the workbook is saved.
    CellRange range(std::string_view address);

    // ColumnWidth of "A:A" or "E:AX". Width 0 hides the columns, as the spreadsheet does; the
    // file then marks them hidden (programs other than the one the reports were made for do
    // not take width 0 as hidden).
    void setColumnWidth(std::string_view columns, double width);
    void setColumnsHidden(std::string_view columns, bool hidden);
    // Row height in points for a row (0-based); overrides the height worked out for wrapped text.
    void setRowHeight(int row, double points);

    PageSetup& pageSetup() { return pageSetup_; }
    const PageSetup& pageSetup() const { return pageSetup_; }

    const std::map<std::pair<int, int>, Cell>& cells() const { return cells_; }
    const std::map<int, ColumnLayout>& columns() const { return columns_; }
    const std::map<int, double>& rowHeights() const { return rowHeights_; }
    // The value of a cell by address, empty for an empty or malformed one.
    CellValue value(std::string_view cell) const;
    // The first malformed address used on this sheet, or empty.
    const std::string& addressProblem() const { return addressProblem_; }

private:
    friend class CellRange;
    Cell& cell(int row, int column) { return cells_[{row, column}]; }
    void noteBadAddress(std::string_view address);

    std::string name_;
    std::map<std::pair<int, int>, Cell> cells_;
    std::map<int, ColumnLayout> columns_;
    std::map<int, double> rowHeights_;
    PageSetup pageSetup_;
    std::string addressProblem_;
};

} // namespace trakmora
