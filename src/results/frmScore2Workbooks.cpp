#include "results/frmScore2Workbooks.h"

#include "reports/ResultWorkbooks.h"

#include <filesystem>

namespace trakmora {

bool dayScoreWorkbookExists(const ProgramState& state, int day) {
    std::error_code ec;
    return day >= 1 && std::filesystem::is_regular_file(dayScoreWorkbookFile(state, day), ec);
}

Status writeDayScoreWorkbookOf(const ProgramState&, const GroupScoring&) { return {}; }
Status writeDayPositionWorkbookOf(const ProgramState&, const GroupScoring&) { return {}; }
Status writeFinalWorkbookOf(const ProgramState&, const GroupScoring&) { return {}; }

} // namespace trakmora
