#include "reports/ReportInputs.h"

#include <algorithm>

namespace trakmora {

namespace {

std::array<std::string, 4> scoreGroupNames(const RallyConfig& config) {
    std::array<std::string, 4> names;
    for (std::size_t g = 0; g < names.size(); ++g)
        names[g] = config.scoreGroupName[g + 1];
    return names;
}

} // namespace

ProvisionalSheet provisionalSheetFor(const ProgramState& state, const ScoringRun& run) {
    ProvisionalSheet sheet;
    sheet.day = run.day;
    sheet.competitorNo = run.competitorNo;
    sheet.dayTotal = run.dayTotal;
    sheet.rallyName = state.config.rallyName;
    for (std::size_t i = 0; i < run.report.size(); ++i) {
        const ReportLine& r = run.report[i];
        sheet.lines.push_back(ProvisionalLine{r.controlNo, r.idealClock, r.passageClock, r.scheduledRally,
                                              r.actualRally, r.score, r.controlDist,
                                              i < run.fromBackup.size() && run.fromBackup[i]});
    }
    return sheet;
}

RouteScheduleInput routeScheduleInputFor(const ProgramState& state) {
    const RallyConfig& config = state.config;
    RouteScheduleInput input;
    input.day = state.rally.selectedDay;
    input.rallyName = config.rallyName;
    input.startDate = config.startDate;
    input.noOfSpeedGroups = std::clamp(static_cast<int>(config.noOfSpeedGroups), 1, kMaxGroups);
    for (std::size_t g = 0; g < input.groupSpeed.size(); ++g)
        input.groupSpeed[g] = config.groupSpeed[g + 1];
    for (int i = 1; i <= state.schedule.lineCount; ++i) {
        const ScheduleLine& l = state.schedule.line(i);
        RouteScheduleLine line{i,           l.instruction, l.type, l.distance, {},
                               l.firstTime, l.lastTime,    l.lat,  l.lon};
        for (std::size_t g = 0; g < line.speed.size(); ++g)
            line.speed[g] = l.speed[g + 1];
        input.lines.push_back(std::move(line));
    }
    input.speedTable = state.schedule.speedTable.rows;
    return input;
}

DayScoreInput dayScoreInputFor(const ProgramState& state, const CombinedDayTable& table, int controlCount) {
    DayScoreInput input;
    input.day = table.day;
    input.rallyName = state.config.rallyName;
    input.controlCount = controlCount;
    for (const CombinedDayRow& r : table.rows)
        input.rows.push_back(DayScoreRow{r.name, r.compNo, r.scoreGroup, r.total, r.scores});
    return input;
}

DayPositionInput dayPositionInputFor(const ProgramState& state, int day, const DayPositionTables& tables) {
    DayPositionInput input;
    input.day = day;
    input.rallyName = state.config.rallyName;
    input.scoreGroupName = scoreGroupNames(state.config);
    for (std::size_t g = 0; g < tables.size(); ++g)
        input.groups[g] = tables[g].rows;
    return input;
}

FinalInput finalInputFor(const ProgramState& state, const FinalPositionTables& tables) {
    FinalInput input;
    input.noOfDays = std::clamp(static_cast<int>(state.config.noOfDays), 1, kMaxDays);
    input.rallyName = state.config.rallyName;
    input.scoreGroupName = scoreGroupNames(state.config);
    for (std::size_t g = 0; g < tables.size(); ++g)
        input.groups[g] = tables[g].rows;
    return input;
}

} // namespace trakmora
