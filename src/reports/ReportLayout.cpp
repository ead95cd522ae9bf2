#include "reports/ReportLayout.h"

#include "common/Format.h"

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
