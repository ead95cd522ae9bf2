#include "gui/results/frmScore2Workbooks.h"

#include "gui/SavedWorkbook.h"
#include "reports/ProvisionalSheet.h"
#include "reports/ReportInputs.h"
#include "reports/ResultWorkbooks.h"
#include "results/GroupScoring.h"
#include "results/ResultFiles.h"

#include <filesystem>

namespace trakmora {

bool dayScoreWorkbookExists(const ProgramState& state, int day) {
    std::error_code ec;
    return day >= 1 && std::filesystem::is_regular_file(dayScoreWorkbookFile(state, day), ec);
}

namespace {
Status opened(const ProgramState& state, Status saved, const std::filesystem::path& file) {
    if (saved) openSavedWorkbook(state, file);
    return saved;
}
} // namespace

Status writeDayScoreWorkbookOf(const ProgramState& state, const GroupScoring& scoring) {
    const int day = scoring.combined().day;
    return opened(
        state,
        writeDayScoreWorkbook(state, dayScoreInputFor(state, scoring.combined(), scoring.controlCount(day))),
        dayScoreWorkbookFile(state, day));
}

Status writeDayPositionWorkbookOf(const ProgramState& state, const GroupScoring& scoring) {
    const int day = scoring.combined().day;
    return opened(state,
                  writeDayPositionWorkbook(state, dayPositionInputFor(state, day, scoring.dayPositions())),
                  dayPositionWorkbookFile(state, day));
}

Status writeFinalWorkbookOf(const ProgramState& state, const GroupScoring& scoring) {
    return opened(state, writeFinalWorkbook(state, finalInputFor(state, scoring.finalPositions())),
                  finalWorkbookFile(state));
}

std::vector<std::filesystem::path> dayScoreFilesOf(const ProgramState& state, const GroupScoring& scoring) {
    return {dayScoreWorkbookFile(state, scoring.combined().day)};
}

std::vector<std::filesystem::path> dayPositionFilesOf(const ProgramState& state,
                                                      const GroupScoring& scoring) {
    const int day = scoring.combined().day;
    std::vector<std::filesystem::path> files{dayPositionWorkbookFile(state, day)};
    for (int g = 1; g <= 4; ++g)
        if (!scoring.dayPositions()[static_cast<std::size_t>(g - 1)].rows.empty())
            files.push_back(dayPositionFile(state, day, g));
    return files;
}

std::vector<std::filesystem::path> finalFilesOf(const ProgramState& state, const GroupScoring& scoring) {
    std::vector<std::filesystem::path> files{finalWorkbookFile(state)};
    for (int g = 1; g <= 4; ++g)
        if (!scoring.finalPositions()[static_cast<std::size_t>(g - 1)].rows.empty())
            files.push_back(finalScoreFile(state, g));
    return files;
}

AfterScoring provisionalSheetWriter(const ProgramState& state) {
    return [&state](const ScoringRun& run) {
        return writeProvisionalSheet(state, provisionalSheetFor(state, run));
    };
}

} // namespace trakmora
