#include "schedule/PrintMenu.h"

#include "schedule/ControlFiles.h"

#include <array>
#include <string>

namespace trakmora {

const std::array<PrintButton, 3>& printButtons() {
    static const std::array<PrintButton, 3> buttons = {
        PrintButton{"Print Check Route Schedule", {}},
        PrintButton{"Print Route Schedules", {}},
        PrintButton{"Print Virtual Marshal Schedule", {}},
    };
    return buttons;
}

Status runPrintButton(ProgramState& state, const WorkbookWriter& workbook) {
    int controls = 0;
    if (Status st = writeControlFiles(state, &controls); !st) return st;
    if (workbook) return workbook(state);
    const int day = state.rally.selectedDay;
    state.messages->info("Control files of day " + std::to_string(day) +
                         " written: " + controlFilePath(state, day).filename().string() + " with " +
                         std::to_string(controls) + (controls == 1 ? " control" : " controls") +
                         ", the speed table and the passing windows. This workbook is not built yet.");
    return {};
}

} // namespace trakmora
