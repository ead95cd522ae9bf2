#include "reports/ResultWorkbooks.h"

#include "common/RallyConfig.h"
#include "reports/ReportLayout.h"
#include "xlsx/CellRange.h"

#include <algorithm>
#include <system_error>

namespace trakmora {

namespace {

int bodyRows(std::size_t filled) {
    return std::max(kResultBodyRows, static_cast<int>(filled));
}

std::vector<CellValue> textRow(const std::vector<std::string>& texts) {
    std::vector<CellValue> row;
    for (const std::string& text : texts)
        row.push_back(text.empty() ? CellValue() : textValue(text));
    return row;
}

// The header row's font, shared by all result sheets: A1:AX1 Calibri, not bold, size 10.
void headerFont(Worksheet& sheet) {
    sheet.range("A1:AX1").setFontName(kReportFont).setBold(false).setFontSize(10);
}

// The body of a score group sheet: `columns` wide from A3, centred but for the left-aligned
// names in column B, top-aligned and wrapped.
void groupBody(Worksheet& sheet, const std::vector<std::vector<CellValue>>& body, int columns) {
    const int rows = bodyRows(body.size());
    sheet.range("A3").setFontName(kReportFont);
    sheet.range("A3")
        .resize(rows, columns)
        .setBold(false)
        .setFontSize(10)
        .setWrapText(true)
        .setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("B3").resize(rows, columns).setHorizontalAlignment(HorizontalAlignment::Left);
    sheet.range("C3").resize(rows, columns).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("A3").resize(rows, columns).setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A3").resize(rows, columns).setValues(body);
}

// The rows above a sheet's body: the heading row and the gap below it, printed atop every page.
inline constexpr int kHeadingRows = 2;

// A day's landscape sheet with gridlines: the day and `title` in the header beside the rally
// name, page numbers at the foot.
void dayPage(PageSetup& page, int day, const char* title, std::string_view rallyName) {
    page.leftHeader = dayLabel(day);
    page.rightHeader = title;
    page.centerFooter = kPageNumberFooter;
    page.printGridlines = true;
    page.orientation = PageOrientation::Landscape;
    printOnA4(page, kHeadingRows);
    page.centerHeader = centreHeader(page, rallyName);
}

// The centre header is the rally name (shortened to fit) followed by `centreTail`.
void groupPage(PageSetup& page, std::string left, std::string_view rallyName, std::string_view centreTail,
               const char* right, PageOrientation orientation) {
    page.leftHeader = std::move(left);
    page.rightHeader = right;
    page.centerFooter = kPageNumberFooter;
    page.printGridlines = true;
    page.orientation = orientation;
    page.centerHorizontally = true;
    printOnA4(page, kHeadingRows);
    page.centerHeader = centreHeader(page, rallyName, centreTail);
}

std::string groupSheetName(int group) {
    return std::string("Score Group ") + groupLetter(group + 1);
}

// Removes a workbook before it is written again; a file that cannot be removed is replaced by
// the save or reported by it.
void removeOldFile(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

// The jury's decisions of the day, one per line, after the day score.
void addCorrectionsSheet(Workbook& book, const DayScoreInput& input) {
    Worksheet& sheet = book.addWorksheet();
    sheet.setName("Corrections");
    setColumnWidths(sheet, {{"A:A", 8}, {"B:B", 30}, {"C:C", 9}, {"D:D", 8}, {"E:F", 10}, {"G:G", 60}});
    headerFont(sheet);
    sheet.range("A1:G1").setValues(
        textRow({"Comp No", "Name", "Kind", "Control", "Measured", "Corrected", "Reason"}));
    std::vector<std::vector<CellValue>> body;
    for (const CorrectionRow& c : input.corrections)
        body.push_back({typedValue(c.compNo), textValue(c.name), textValue(c.kind), typedValue(c.control),
                        typedValue(c.measured), typedValue(c.corrected), textValue(c.reason)});
    const int rows = static_cast<int>(body.size());
    sheet.range("A3").setFontName(kReportFont);
    sheet.range("A3").resize(rows, 7).setBold(false).setFontSize(10).setWrapText(true);
    sheet.range("A3").resize(rows, 7).setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A3").resize(rows, 7).setValues(body);
    dayPage(sheet.pageSetup(), input.day, "Corrections", input.rallyName);
}

} // namespace

std::vector<std::string> dayScoreHeader(int controlCount) {
    std::vector<std::string> header{"Name", "No", "ScoreG", "Total"};
    const int shown = std::clamp(controlCount, 0, kMaxDayScoreControls);
    for (int cp = 1; cp <= shown; ++cp)
        header.push_back("CP" + std::to_string(cp));
    header.resize(kDayScoreColumns);
    return header;
}

Workbook buildDayScoreWorkbook(const DayScoreInput& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    Worksheet& sheet = book.worksheet(1);
    sheet.setName("Day Score");
    setColumnWidths(sheet, {{"A:A", 30}, {"B:B", 5}, {"C:C", 0}, {"D:D", 8}, {"E:AX", 5}});

    const std::vector<std::string> header = dayScoreHeader(input.controlCount);
    sheet.range("A1").setHorizontalAlignment(HorizontalAlignment::Left);
    sheet.range("B1:AX1").setHorizontalAlignment(HorizontalAlignment::Center);
    headerFont(sheet);
    sheet.range("A1:AX1").setValues(textRow(header));

    PageSetup& page = sheet.pageSetup();
    // The controls run to several pages across: each page repeats whose scores they are, the
    // columns up to the total.
    page.repeatColumns = LineSpan{0, 3};
    dayPage(page, input.day, "Day Score", input.rallyName);

    // Every column the header names is placed: the four leading columns and each control up to
    // the fortieth.
    const std::size_t columns =
        4 + static_cast<std::size_t>(std::clamp(input.controlCount, 0, kMaxDayScoreControls));
    std::vector<std::vector<CellValue>> body;
    for (const DayScoreRow& row : input.rows) {
        std::vector<CellValue> cells{typedValue(row.name), typedValue(row.compNo), typedValue(row.scoreGroup),
                                     typedValue(row.total)};
        for (const std::string& score : row.controlScores) {
            if (cells.size() == columns) break;
            cells.push_back(typedValue(score));
        }
        body.push_back(std::move(cells));
    }
    const int rows = bodyRows(body.size());
    sheet.range("A3").setFontName(kReportFont);
    sheet.range("A3").resize(rows, kDayScoreColumns).setBold(false).setFontSize(10).setWrapText(true);
    sheet.range("B3").resize(rows, kDayScoreColumns - 1).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("A3").resize(rows, kDayScoreColumns).setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A3").resize(rows, kDayScoreColumns).setValues(body);
    if (!input.corrections.empty()) addCorrectionsSheet(book, input);
    return book;
}

Workbook buildDayPositionWorkbook(const DayPositionInput& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    for (int i = 0; i < 3; ++i)
        book.addWorksheet();
    for (int group = 0; group < 4; ++group) {
        Worksheet& sheet = book.worksheet(group + 1);
        sheet.setName(groupSheetName(group));
        setColumnWidths(sheet, {{"A:A", 8}, {"B:B", 40}, {"C:C", 8}, {"D:D", 8}});
        sheet.range("A1").setHorizontalAlignment(HorizontalAlignment::Center);
        sheet.range("B1").setHorizontalAlignment(HorizontalAlignment::Left);
        sheet.range("C1:D1").setHorizontalAlignment(HorizontalAlignment::Center);
        headerFont(sheet);
        sheet.range("A1:D1").setValues(textRow({"Position", "Name", "Comp No", "Score"}));
        const auto g = static_cast<std::size_t>(group);
        groupPage(sheet.pageSetup(), dayLabel(input.day), input.rallyName, " - " + input.scoreGroupName[g],
                  "Day Position", PageOrientation::Portrait);

        std::vector<std::vector<CellValue>> body;
        for (const DayPositionRow& row : input.groups[g])
            body.push_back({typedValue(row.position), typedValue(row.name), typedValue(row.compNo),
                            typedValue(row.total)});
        groupBody(sheet, body, 4);
    }
    return book;
}

Workbook buildFinalWorkbook(const FinalInput& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    for (int i = 0; i < 3; ++i)
        book.addWorksheet();
    for (int group = 0; group < 4; ++group) {
        Worksheet& sheet = book.worksheet(group + 1);
        sheet.setName(groupSheetName(group));
        setColumnWidths(sheet, {{"A:A", 8}, {"B:B", 40}, {"C:I", 8}});
        sheet.range("A1").setHorizontalAlignment(HorizontalAlignment::Center);
        sheet.range("B1").setHorizontalAlignment(HorizontalAlignment::Left);
        sheet.range("C1:I1").setHorizontalAlignment(HorizontalAlignment::Center);
        headerFont(sheet);
        sheet.range("A1:I1").setValues(
            textRow({"Position", "Name", "Comp No", "Day 1", "Day 2", "Day 3", "Day 4", "Day 5", "Final"}));
        const auto g = static_cast<std::size_t>(group);
        groupPage(sheet.pageSetup(), headerText(input.scoreGroupName[g]), input.rallyName, {}, "Final Score",
                  PageOrientation::Landscape);
        // Days after the last rally day are hidden: columns D..H are Day 1..Day 5.
        for (int day = std::max(input.noOfDays, 0) + 1; day <= kMaxDays; ++day) {
            const std::string column(1, static_cast<char>('D' + day - 1));
            sheet.setColumnsHidden(column + ":" + column, true);
        }

        std::vector<std::vector<CellValue>> body;
        for (const FinalPositionRow& row : input.groups[g]) {
            std::vector<CellValue> cells{typedValue(row.position), typedValue(row.name),
                                         typedValue(row.compNo)};
            for (const std::string& result : row.days)
                cells.push_back(typedValue(result));
            cells.push_back(typedValue(row.final));
            body.push_back(std::move(cells));
        }
        groupBody(sheet, body, 9);
    }
    return book;
}

std::filesystem::path dayScoreWorkbookFile(const ProgramState& state, int day) {
    return reportFile(state, RallyFolder::Results, "DayScore" + std::to_string(day) + ".xlsx");
}

std::filesystem::path dayPositionWorkbookFile(const ProgramState& state, int day) {
    return reportFile(state, RallyFolder::Results, "Position_Day_" + std::to_string(day) + ".xlsx");
}

std::filesystem::path finalWorkbookFile(const ProgramState& state) {
    return reportFile(state, RallyFolder::Results, "FinalScore.xlsx");
}

Status writeDayScoreWorkbook(const ProgramState& state, const DayScoreInput& input) {
    if (!state.writeWorkbooks) return {};
    const auto file = dayScoreWorkbookFile(state, input.day);
    removeOldFile(file);
    return buildDayScoreWorkbook(input, printClock(state)).save(file);
}

Status writeDayPositionWorkbook(const ProgramState& state, const DayPositionInput& input) {
    if (!state.writeWorkbooks) return {};
    return buildDayPositionWorkbook(input, printClock(state)).save(dayPositionWorkbookFile(state, input.day));
}

Status writeFinalWorkbook(const ProgramState& state, const FinalInput& input) {
    if (!state.writeWorkbooks) return {};
    const auto file = finalWorkbookFile(state);
    removeOldFile(file);
    return buildFinalWorkbook(input, printClock(state)).save(file);
}

} // namespace trakmora
