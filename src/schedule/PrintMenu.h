#pragma once
// The three buttons of the print menu: each writes the control files of the selected day first,
// then builds its workbook. A button without a workbook writer says what was written instead.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <array>
#include <functional>

namespace trakmora {

using WorkbookWriter = std::function<Status(ProgramState&)>;

struct PrintButton {
    const char* caption;
    WorkbookWriter workbook; // empty while the workbook is not built
};

// The buttons in screen order: "Print Check Route Schedule", "Print Route Schedules",
// "Print Virtual Marshal Schedule".
const std::array<PrintButton, 3>& printButtons();

// Writes the control files; a failure stops before any workbook. Then runs `workbook`, or with
// none tells the organiser that the control files were written. Failures are returned, not shown.
Status runPrintButton(ProgramState& state, const WorkbookWriter& workbook);

} // namespace trakmora
