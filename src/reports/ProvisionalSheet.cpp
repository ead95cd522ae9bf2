#include "reports/ProvisionalSheet.h"

#include "common/Format.h"
#include "reports/ReportLayout.h"
#include "xlsx/CellRange.h"

#include <algorithm>

namespace trakmora {

namespace {

// The sheet names its font in lower case; the spreadsheet matches font names without regard to
// case.
inline constexpr const char* kProvisionalFont = "calibri";

std::vector<CellValue> bodyRow(const ProvisionalLine& line) {
    return {
        patternNumber(line.controlNo, "###"),
        // Distances keep their two decimals: the column has no number format to show them.
        textValue(formatPattern(line.distance, "##0.#0")),
        clockValue(line.idealClockTime),
        clockValue(line.passageClockTime),
        clockValue(line.scheduledRallyTime),
        clockValue(line.actualRallyTime),
        line.corrected ? textValue(formatPattern(line.score, "##0") + "*") : patternNumber(line.score, "##0"),
    };
}

} // namespace

Workbook buildProvisionalSheet(const ProvisionalSheet& input, const PrintClock& clock) {
    Workbook book;
    book.setCreated(clock.created);
    Worksheet& sheet = book.worksheet(1);
    setColumnWidths(sheet, {{"A:A", 10},
                            {"B:B", 5},
                            {"C:C", 9},
                            {"D:D", 9},
                            {"E:E", 9},
                            {"F:F", 9},
                            {"G:G", 9},
                            {"H:H", 7},
                            {"I:I", 7}});

    sheet.range("A1:I3").setHorizontalAlignment(HorizontalAlignment::Left);
    sheet.range("A1:D1").setFontName(kProvisionalFont);
    sheet.range("A1:I1").setBold(true).setFontSize(11);

    sheet.range("A1:A1").setValue(textValue("Competitor No " + std::to_string(input.competitorNo)));
    sheet.range("h1:h1").setValue(textValue("Day Score:  " + formatPattern(input.dayTotal, "#####") +
                                            (input.totalCorrected ? "*" : "")));
    sheet.range("h3:h3").setValue(textValue("Print Time: " + formatClockSeconds(clock.secondsOfDay)));
    sheet.range("a5:a5").setValue(textValue("These are your PROVISIONAL results"));

    sheet.range("B9:H9").setValues(
        std::vector<CellValue>{textValue("Control"), CellValue(), textValue("       Real Time"), CellValue(),
                               textValue("       Rally Time"), CellValue(), CellValue()});
    sheet.range("B10:H10").setValues(
        std::vector<CellValue>{textValue("No"), textValue("Dist"), textValue("ETA"), textValue("ATA"),
                               textValue("ETA"), textValue("ATA"), textValue("Score")});

    PageSetup& page = sheet.pageSetup();
    page.leftHeader = dayLabel(input.day);
    page.rightHeader = formatDate(clock.dateSerial);
    fitToA4Pages(page);
    printOnA4(page, 0);
    page.centerHeader = centreHeader(page, input.rallyName);

    const int count = static_cast<int>(input.lines.size());
    const int bodyRows = std::max(kProvisionalBodyRows, count);
    sheet.range("B11").resize(bodyRows, 7).setBold(false);
    sheet.range("a1").resize(bodyRows + 10, 10).setFontName(kProvisionalFont).setFontSize(11);
    sheet.range("B9").resize(bodyRows + 2, 7).setHorizontalAlignment(HorizontalAlignment::Center);

    std::vector<std::vector<CellValue>> body;
    body.reserve(input.lines.size());
    for (const ProvisionalLine& line : input.lines)
        body.push_back(bodyRow(line));
    sheet.range("B11").resize(bodyRows, 7).setValues(body);
    if (count > 0) sheet.range("D11").resize(count, 4).setNumberFormat("hh:mm:ss");
    // Controls timed by the backup logger carry a "B" beside the score; a sheet without any is
    // as it always was.
    if (std::any_of(input.lines.begin(), input.lines.end(),
                    [](const ProvisionalLine& l) { return l.fromBackup; })) {
        sheet.range("I10:I10").setValue(textValue("Logger"));
        std::vector<std::vector<CellValue>> loggers;
        for (const ProvisionalLine& line : input.lines)
            loggers.push_back({line.fromBackup ? textValue("B") : CellValue()});
        sheet.range("I11").resize(count, 1).setValues(loggers).setHorizontalAlignment(
            HorizontalAlignment::Center);
    }
    return book;
}

std::filesystem::path provisionalSheetFile(const ProgramState& state, int day, int competitorNo) {
    return reportFile(state, RallyFolder::Results,
                      "DayScore" + std::to_string(day) + "_" + std::to_string(competitorNo) + ".xlsx");
}

Status writeProvisionalSheet(const ProgramState& state, const ProvisionalSheet& sheet) {
    if (!state.writeWorkbooks) return {};
    return buildProvisionalSheet(sheet, printClock(state))
        .save(provisionalSheetFile(state, sheet.day, sheet.competitorNo));
}

} // namespace trakmora
