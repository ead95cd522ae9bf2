#pragma once
// Pieces shared by the report writers: column widths in one call, the values the reports put
// into cells, the common page layout and the place and clock of a saved report.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "xlsx/PrintClock.h"
#include "xlsx/Workbook.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace trakmora {

inline constexpr const char* kReportFont = "Calibri";

// setColumnWidths(sheet, {{"A:A", 10}, {"B:B", 5}}).
void setColumnWidths(Worksheet& sheet, std::initializer_list<std::pair<const char*, double>> widths);

// The page layout most reports share: paper 9, zoom off, fitted to 1 page wide and 20 tall.
void fitToA4Pages(PageSetup& page);

// The footer of a sheet that shows its page number: "Page 2 of 3".
inline constexpr const char* kPageNumberFooter = "Page &P of &N";

// The print setup every report sheet shares: A4 paper, pages numbered from 1 on each sheet, and
// the first `headingRows` rows printed atop every page (none for 0).
void printOnA4(PageSetup& page, int headingRows);

// The centre header `name` + `tail` (both plain text, made safe for the header here), the name
// shortened with an ellipsis so that the centre fits between the left and right headers already
// set on the page and never runs into them. The tail is kept whole.
std::string centreHeader(const PageSetup& page, std::string_view name, std::string_view tail = {});

// A number turned into text with a digit pattern ("###", "##0"), then taken by the cell as the
// spreadsheet takes typed text: a number again, or empty when the pattern shows no digit.
CellValue patternNumber(double value, std::string_view pattern);
// A fraction of a day as the cell value of its "hh:mm:ss" text: the clock time to the second,
// the whole days dropped.
CellValue clockValue(double fractionOfDay);

// "Day " followed by the day number.
std::string dayLabel(int day);

// The file of a report in a folder of the open rally.
std::filesystem::path reportFile(const ProgramState& state, RallyFolder folder, const std::string& fileName);

// The print clock of the program state's clock.
PrintClock printClock(const ProgramState& state);

} // namespace trakmora
