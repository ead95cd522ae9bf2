#include "reports/ReportLayout.h"

#include "common/Format.h"
#include "common/Text.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

void setColumnWidths(Worksheet& sheet, std::initializer_list<std::pair<const char*, double>> widths) {
    for (const auto& [columns, width] : widths)
        sheet.setColumnWidth(columns, width);
}

void fitToA4Pages(PageSetup& page) {
    page.paperSize = kPaperA4;
    page.zoom = false;
    page.fitToPagesWide = 1;
    page.fitToPagesTall = 20;
}

void printOnA4(PageSetup& page, int headingRows) {
    page.paperSize = kPaperA4;
    page.firstPageNumber = 1;
    if (headingRows > 0) page.repeatRows = LineSpan{0, headingRows - 1};
}

std::string centreHeader(const PageSetup& page, std::string_view name, std::string_view tail) {
    // The centre section is centred on the page: it may use the line less twice the wider side
    // section, less a gap of two characters on either side.
    constexpr int kGap = 2;
    const int side = std::max(characterCount(page.leftHeader), characterCount(page.rightHeader));
    const std::string plainTail = utf8Text(tail);
    const int room = headerLineCharacters(page) - 2 * side - 2 * kGap - characterCount(plainTail);
    return headerText(shortenedText(utf8Text(name), room)) + headerText(plainTail);
}

CellValue patternNumber(double value, std::string_view pattern) {
    return typedValue(formatPattern(value, pattern));
}

CellValue clockValue(double fractionOfDay) {
    double seconds = 0;
    parseClock(formatClock(fractionOfDay), seconds);
    return CellValue(seconds / 86400.0);
}

std::string dayLabel(int day) {
    return "Day " + std::to_string(day);
}

std::filesystem::path reportFile(const ProgramState& state, RallyFolder folder, const std::string& fileName) {
    return state.rallyFile(folder, fileName);
}

PrintClock printClock(const ProgramState& state) {
    return PrintClock::at(state.now());
}

} // namespace trakmora
