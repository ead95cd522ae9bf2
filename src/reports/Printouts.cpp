#include "reports/Printouts.h"

#include "reports/ProvisionalSheet.h"
#include "reports/ReportInputs.h"
#include "reports/ResultWorkbooks.h"
#include "reports/RouteScheduleWorkbooks.h"
#include "results/GroupScoring.h"
#include "results/ResultFiles.h"

namespace trakmora {

namespace {

struct SchedulePrintout {
    Status (*write)(const ProgramState&, const RouteScheduleInput&);
    std::filesystem::path (*file)(const ProgramState&, int day);
};

SchedulePrintout printoutOf(ScheduleWorkbook kind) {
    switch (kind) {
    case ScheduleWorkbook::Route:
        return {writeRouteScheduleWorkbook, routeScheduleFile};
    case ScheduleWorkbook::Check:
        return {writeCheckRouteScheduleWorkbook, checkRouteScheduleFile};
    case ScheduleWorkbook::Marshal:
        break;
    }
    return {writeVirtualMarshalWorkbook, virtualMarshalFile};
}

} // namespace

Status writeScheduleWorkbook(const ProgramState& state, ScheduleWorkbook kind) {
    return printoutOf(kind).write(state, routeScheduleInputFor(state));
}

std::filesystem::path scheduleWorkbookFile(const ProgramState& state, ScheduleWorkbook kind) {
    return printoutOf(kind).file(state, state.rally.selectedDay);
}

Status writeProvisionalSheet(const ProgramState& state, const ScoringRun& run) {
    return writeProvisionalSheet(state, provisionalSheetFor(state, run));
}

AfterScoring provisionalSheetWriter(const ProgramState& state) {
    return [&state](const ScoringRun& run) { return writeProvisionalSheet(state, run); };
}

Status writeDayScoreWorkbook(const ProgramState& state, const GroupScoring& scoring) {
    const int day = scoring.combined().day;
    // The corrections of the day the screen last built; the combined table was loaded from it.
    const std::vector<AppliedCorrection> none;
    const auto& corrections = scoring.dayScore().day == day ? scoring.dayScore().corrections : none;
    return writeDayScoreWorkbook(
        state, dayScoreInputFor(state, scoring.combined(), scoring.controlCount(day), corrections));
}

Status writeDayPositionWorkbook(const ProgramState& state, const GroupScoring& scoring) {
    return writeDayPositionWorkbook(
        state, dayPositionInputFor(state, scoring.combined().day, scoring.dayPositions()));
}

Status writeFinalWorkbook(const ProgramState& state, const GroupScoring& scoring) {
    return writeFinalWorkbook(state, finalInputFor(state, scoring.finalPositions()));
}

bool dayScoreWorkbookExists(const ProgramState& state, int day) {
    std::error_code ec;
    return day >= 1 && std::filesystem::is_regular_file(dayScoreWorkbookFile(state, day), ec);
}

namespace {

// The workbook, then the position file of each score group with rows.
template <typename Tables, typename GroupFile>
std::vector<std::filesystem::path> withGroupFiles(std::filesystem::path workbook, const Tables& tables,
                                                  GroupFile groupFile) {
    std::vector<std::filesystem::path> files{std::move(workbook)};
    for (int g = 1; g <= 4; ++g)
        if (!tables[static_cast<std::size_t>(g - 1)].rows.empty()) files.push_back(groupFile(g));
    return files;
}

} // namespace

std::vector<std::filesystem::path> dayScoreFilesOf(const ProgramState& state, const GroupScoring& scoring) {
    return {dayScoreWorkbookFile(state, scoring.combined().day)};
}

std::vector<std::filesystem::path> dayPositionFilesOf(const ProgramState& state,
                                                      const GroupScoring& scoring) {
    const int day = scoring.combined().day;
    return withGroupFiles(dayPositionWorkbookFile(state, day), scoring.dayPositions(),
                          [&](int g) { return dayPositionFile(state, day, g); });
}

std::vector<std::filesystem::path> finalFilesOf(const ProgramState& state, const GroupScoring& scoring) {
    return withGroupFiles(finalWorkbookFile(state), scoring.finalPositions(),
                          [&](int g) { return finalScoreFile(state, g); });
}

} // namespace trakmora
