#include "reports/ReportInputs.h"

#include "common/Format.h"
#include "results/ResultFiles.h"

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
                                              i < run.fromBackup.size() && run.fromBackup[i], false});
    }
    // The jury's decisions already taken for the day go on the sheet as on the day score: the
    // corrected score and total, marked. A day whose corrections cannot be read keeps the
    // measurement; the day score build reports the file.
    std::vector<double> measured;
    if (!readResultScores(resultFile(state, run.day, run.competitorNo), measured)) return sheet;
    CorrectedDay corrected;
    if (!correctDay(state, run.day, {{run.competitorNo, measured}}, corrected)) return sheet;
    const CorrectedScores& scores = corrected.competitors[run.competitorNo];
    if (!scores.totalCorrected) return sheet;
    sheet.totalCorrected = true;
    sheet.dayTotal = scores.total;
    for (ProvisionalLine& line : sheet.lines) {
        const auto i = static_cast<std::size_t>(line.controlNo) - 1;
        if (line.controlNo >= 1 && i < scores.scores.size() && scores.correctedControls[i]) {
            line.score = scores.scores[i];
            line.corrected = true;
        }
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

DayScoreInput dayScoreInputFor(const ProgramState& state, const CombinedDayTable& table, int controlCount,
                               const std::vector<AppliedCorrection>& corrections) {
    DayScoreInput input;
    input.day = table.day;
    input.rallyName = state.config.rallyName;
    input.controlCount = controlCount;
    for (const CombinedDayRow& r : table.rows) {
        DayScoreRow row{r.name, r.compNo, r.scoreGroup, r.total, r.scores};
        double compNo = 0;
        parseNumber(r.compNo, compNo);
        bool totalCorrected = false;
        std::vector<bool> controlCorrected(row.controlScores.size(), false);
        for (const AppliedCorrection& a : corrections) {
            if (a.effect != CorrectionEffect::Applied || a.correction.compNo != compNo) continue;
            totalCorrected = true;
            const auto i = static_cast<std::size_t>(a.correction.control - 1);
            if (a.correction.kind == CorrectionKind::SetControl && i < controlCorrected.size())
                controlCorrected[i] = true;
        }
        if (totalCorrected) row.total += "*";
        for (std::size_t i = 0; i < controlCorrected.size(); ++i)
            if (controlCorrected[i]) row.controlScores[i] += "*";
        input.rows.push_back(std::move(row));
    }
    for (const AppliedCorrection& a : corrections) {
        const Correction& c = a.correction;
        CorrectionRow row;
        row.compNo = std::to_string(c.compNo);
        for (const Entry& e : state.entries.entries)
            if (e.compNo == c.compNo) row.name = e.name;
        row.kind = correctionKindName(c.kind);
        if (c.kind == CorrectionKind::SetControl) row.control = std::to_string(c.control);
        if (a.effect == CorrectionEffect::Applied) {
            row.measured = formatNumber(a.measured);
            row.corrected = c.kind == CorrectionKind::Exclude ? "NF" : formatNumber(a.corrected);
        } else {
            row.corrected = correctionEffectText(a);
        }
        row.reason = c.reason;
        input.corrections.push_back(std::move(row));
    }
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
