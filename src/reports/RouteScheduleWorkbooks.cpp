#include "reports/RouteScheduleWorkbooks.h"

#include "common/Format.h"
#include "common/RallyConfig.h"
#include "reports/ReportLayout.h"
#include "xlsx/CellRange.h"

#include <algorithm>

namespace trakmora {

namespace {

int bodyRows(std::size_t filled) {
    return std::max(kRouteScheduleBodyRows, static_cast<int>(filled));
}

void headerRow(Worksheet& sheet, const char* address, const std::vector<CellValue>& texts, bool bold,
               double size) {
    sheet.range(address)
        .setHorizontalAlignment(HorizontalAlignment::Center)
        .setFontName(kReportFont)
        .setBold(bold)
        .setFontSize(size)
        .setValues(texts);
}

std::vector<CellValue> texts(std::initializer_list<const char*> items) {
    std::vector<CellValue> out;
    for (const char* item : items)
        out.push_back(textValue(item));
    return out;
}

// Sheets 2..5 serve speed groups A, B, C, D.
void speedGroupSheet(Worksheet& sheet, int group, const RouteScheduleInput& input) {
    const char letter = groupLetter(group + 1);
    sheet.setName(std::string(1, letter) + " Speed Group");
    setColumnWidths(sheet, {{"A:A", 10}, {"B:B", 8}, {"C:C", 15}, {"D:D", 60}});
    headerRow(sheet, "A1:D1", texts({"Dist", "Speed", "Time", "Instruction"}), true, 16);

    PageSetup& page = sheet.pageSetup();
    page.leftHeader = formatDate(input.startDate + input.day - 1);
    page.rightHeader = formatNumber(input.groupSpeed[static_cast<std::size_t>(group)]) + " km/h (" + letter +
                       ") Speed Group";
    page.centerFooter = kPageNumberFooter;
    page.printGridlines = true;
    fitToA4Pages(page);
    printOnA4(page, 1);
    page.centerHeader = centreHeader(page, input.rallyName, " - Day " + std::to_string(input.day));

    const auto g = static_cast<std::size_t>(group);
    std::vector<std::vector<CellValue>> body;
    for (const SpeedTableRow& row : input.speedTable)
        body.push_back({patternNumber(row.distance, "##0.#0"), patternNumber(row.speed[g + 1], "##0"),
                        clockValue(row.rallyTime[g + 1] / 24), textValue(row.note[g + 1])});
    const int rows = bodyRows(body.size());
    CellRange block = sheet.range("A2").resize(rows, 4);
    block.setFontName(kReportFont)
        .setBold(true)
        .setFontSize(16)
        .setWrapText(true)
        .setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A2").resize(rows, 3).setHorizontalAlignment(HorizontalAlignment::Center);
    block.setValues(body);
    if (!body.empty()) {
        const int filled = static_cast<int>(body.size());
        sheet.range("A2").resize(filled, 1).setNumberFormat("0.00");
        sheet.range("C2").resize(filled, 1).setNumberFormat("hh:mm:ss");
    }
}

void masterSheet(Worksheet& sheet, const RouteScheduleInput& input) {
    sheet.setName("Master");
    setColumnWidths(sheet, {{"A:A", 5},
                            {"B:B", 11},
                            {"C:C", 6},
                            {"D:D", 6},
                            {"E:E", 6},
                            {"F:F", 6},
                            {"G:G", 12},
                            {"H:H", 12},
                            {"I:I", 60},
                            {"J:J", 3}});
    headerRow(sheet, "A1:J1",
              texts({"No", "Dist", "Asp", "Bsp", "Csp", "Dsp", "First", "Last", "Instruction", "t"}), true,
              16);

    PageSetup& page = sheet.pageSetup();
    page.orientation = PageOrientation::Landscape;
    page.leftHeader = dayLabel(input.day);
    page.rightHeader = "Master";
    page.centerFooter = kPageNumberFooter;
    page.printGridlines = true;
    fitToA4Pages(page);
    printOnA4(page, 1);
    page.centerHeader = centreHeader(page, input.rallyName);
    page.centerHorizontally = true;

    std::vector<std::vector<CellValue>> body;
    for (const RouteScheduleLine& line : input.lines) {
        std::vector<CellValue> row{patternNumber(line.no, "###"), patternNumber(line.distance, "##0.#0")};
        for (double speed : line.speed)
            row.push_back(patternNumber(speed, "##0"));
        row.push_back(numberValue(line.firstTime / 1440));
        // The last time is text with a trailing colon, so the number format does not touch it.
        row.push_back(textValue(formatClock(line.lastTime / 1440) + ":"));
        row.push_back(textValue(line.instruction));
        row.push_back(textValue(line.type));
        body.push_back(std::move(row));
    }
    sheet.range("A2").resize(bodyRows(body.size()), 10).setValues(body);
    if (body.empty()) return;
    const int filled = static_cast<int>(body.size());
    sheet.range("A2")
        .resize(filled, 10)
        .setFontName(kReportFont)
        .setBold(true)
        .setFontSize(16)
        .setWrapText(true)
        .setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A2").resize(filled, 8).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("J2").resize(filled, 1).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("B2").resize(filled, 1).setNumberFormat("0.00");
    sheet.range("G2").resize(filled, 2).setNumberFormat("hh:mm:ss");
}

} // namespace

Workbook buildRouteScheduleWorkbook(const RouteScheduleInput& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    for (int i = 0; i < 4; ++i)
        book.addWorksheet();
    // Group sheets in use, in the order D, B, C, A: sheet number = group index + 2.
    const int groups = input.noOfSpeedGroups;
    if (groups == 4) speedGroupSheet(book.worksheet(5), 3, input);
    if (groups >= 2 && groups <= 4) speedGroupSheet(book.worksheet(3), 1, input);
    if (groups >= 3 && groups <= 4) speedGroupSheet(book.worksheet(4), 2, input);
    speedGroupSheet(book.worksheet(2), 0, input);
    masterSheet(book.worksheet(1), input);
    return book;
}

Workbook buildCheckRouteScheduleWorkbook(const RouteScheduleInput& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    for (int i = 0; i < 4; ++i)
        book.addWorksheet();
    Worksheet& sheet = book.worksheet(1);
    sheet.setName("Check Route Schedule");
    setColumnWidths(sheet, {{"A:A", 6},
                            {"B:B", 11},
                            {"C:C", 12},
                            {"D:D", 6},
                            {"E:E", 6},
                            {"F:F", 6},
                            {"G:G", 6},
                            {"H:H", 70},
                            {"I:I", 3}});
    headerRow(sheet, "A1:I1", texts({"No", "Dist", "Check", "Asp", "Bsp", "Csp", "Dsp", "Instruction", "t"}),
              true, 16);

    PageSetup& page = sheet.pageSetup();
    page.orientation = PageOrientation::Landscape;
    page.leftHeader = dayLabel(input.day);
    page.rightHeader = "Check";
    page.centerFooter = kPageNumberFooter;
    page.printGridlines = true;
    fitToA4Pages(page);
    printOnA4(page, 1);
    page.centerHeader = centreHeader(page, input.rallyName);

    std::vector<std::vector<CellValue>> body;
    for (const RouteScheduleLine& line : input.lines) {
        // The "Check" column stays empty for ticking off on paper.
        std::vector<CellValue> row{patternNumber(line.no, "###"), patternNumber(line.distance, "##0.#0"),
                                   CellValue()};
        for (double speed : line.speed)
            row.push_back(patternNumber(speed, "##0"));
        row.push_back(textValue(line.instruction));
        row.push_back(textValue(line.type));
        body.push_back(std::move(row));
    }
    sheet.range("A2").resize(bodyRows(body.size()), 9).setValues(body);
    if (body.empty()) return book;
    const int filled = static_cast<int>(body.size());
    sheet.range("A2")
        .resize(filled, 9)
        .setFontName(kReportFont)
        .setBold(true)
        .setFontSize(16)
        .setWrapText(true)
        .setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A2").resize(filled, 7).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("I2").resize(filled, 1).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("B2").resize(filled, 1).setNumberFormat("0.00");
    return book;
}

Workbook buildVirtualMarshalWorkbook(const RouteScheduleInput& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    Worksheet& sheet = book.worksheet(1);
    sheet.setName("Virual Marshal Schedule");
    setColumnWidths(sheet, {{"A:A", 5}, {"B:B", 10}, {"C:C", 10}, {"D:D", 7}, {"E:E", 60}});
    headerRow(sheet, "A1:E1", texts({"No", "Lat", "Long", "Dist", "Instruction"}), false, 10);

    PageSetup& page = sheet.pageSetup();
    page.leftHeader = dayLabel(input.day);
    page.rightHeader = "Virtual Marshals";
    page.centerFooter = kPageNumberFooter;
    page.printGridlines = true;
    fitToA4Pages(page);
    printOnA4(page, 1);
    page.centerHeader = centreHeader(page, input.rallyName);

    // Coordinates and distances keep their fixed decimals: the sheet sets no number format.
    std::vector<std::vector<CellValue>> body;
    int number = 0;
    for (const RouteScheduleLine& line : input.lines) {
        if (line.type != "v") continue;
        body.push_back({numberValue(++number), textValue(formatPattern(line.lat, "##.00000")),
                        textValue(formatPattern(line.lon, "##.00000")),
                        textValue(formatPattern(line.distance, "##0.#0")), textValue(line.instruction)});
    }
    const int rows = bodyRows(body.size());
    CellRange block = sheet.range("A2").resize(rows, 5);
    block.setFontName(kReportFont)
        .setBold(false)
        .setFontSize(10)
        .setWrapText(true)
        .setVerticalAlignment(VerticalAlignment::Top);
    sheet.range("A2").resize(rows, 4).setHorizontalAlignment(HorizontalAlignment::Center);
    block.setValues(body);
    return book;
}

std::filesystem::path routeScheduleFile(const ProgramState& state, int day) {
    return reportFile(state, RallyFolder::RouteSchedule,
                      "PrintRouteSchedule" + std::to_string(day) + ".xlsx");
}

std::filesystem::path checkRouteScheduleFile(const ProgramState& state, int day) {
    return reportFile(state, RallyFolder::RouteSchedule,
                      "CheckRouteSchedule" + std::to_string(day) + ".xlsx");
}

std::filesystem::path virtualMarshalFile(const ProgramState& state, int day) {
    return reportFile(state, RallyFolder::Marshals, "VirtualMarshalSchedule" + std::to_string(day) + ".xlsx");
}

Status writeRouteScheduleWorkbook(const ProgramState& state, const RouteScheduleInput& input) {
    if (!state.writeWorkbooks) return {};
    const Status saved =
        buildRouteScheduleWorkbook(input, printClock(state)).save(routeScheduleFile(state, input.day));
    // The usual cause first, then what actually went wrong (a missing folder, a full disk).
    return saved.ok() ? saved : Status::failure(std::string(kCannotSaveFileOpen) + "\n" + saved.message());
}

Status writeCheckRouteScheduleWorkbook(const ProgramState& state, const RouteScheduleInput& input) {
    if (!state.writeWorkbooks) return {};
    return buildCheckRouteScheduleWorkbook(input, printClock(state))
        .save(checkRouteScheduleFile(state, input.day));
}

Status writeVirtualMarshalWorkbook(const ProgramState& state, const RouteScheduleInput& input) {
    if (!state.writeWorkbooks) return {};
    return buildVirtualMarshalWorkbook(input, printClock(state)).save(virtualMarshalFile(state, input.day));
}

} // namespace trakmora
