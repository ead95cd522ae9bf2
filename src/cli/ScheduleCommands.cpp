// schedule, controls: a day's route schedule and the files derived from it.
#include "cli/CommandSteps.h"
#include "common/Format.h"
#include "reports/Printouts.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"

#include <algorithm>
#include <iostream>

namespace trakmora::cli {

namespace {

// Chooses the day after checking it against the rally's number of days.
Status selectDay(ProgramState& state, int day) {
    const int days = std::clamp(static_cast<int>(state.config.noOfDays), 0, kMaxDays);
    if (day < 1 || day > days)
        return Status::failure("Day " + std::to_string(day) + " is not a day of this rally (1 to " +
                               std::to_string(days) + ")");
    state.rally.selectedDay = day;
    return {};
}

// Loads the day as the route schedule screen does, and calculates it even when it was just made
// from the template.
Status loadCalculated(ProgramState& state, int day, LoadSource* loaded = nullptr) {
    if (auto st = selectDay(state, day); !st) return st;
    LoadSource source = LoadSource::DataFile;
    if (auto st = loadDay(state, &source); !st) return st;
    if (loaded) *loaded = source;
    return source == LoadSource::Template ? recalculateSchedule(state) : Status{};
}

std::string hours(double h) {
    return formatClockSeconds(h * 3600.0);
}
std::string minutes(double m) {
    return formatClockSeconds(m * 60.0);
}

void printLines(const ScheduleTable& table) {
    std::cout << "No\tInstruction\tType\tDistance\tA_Speed\tB_Speed\tC_Speed\tD_Speed\t"
                 "A_Time\tB_Time\tC_Time\tD_Time\tFirstTime\tLastTime\n";
    for (int i = 1; i <= table.lineCount; ++i) {
        const ScheduleLine& line = table.line(i);
        std::cout << i << '\t' << line.instruction << '\t' << line.type << '\t'
                  << formatNumber(line.distance);
        for (int g = 1; g <= kMaxGroups; ++g)
            std::cout << '\t' << formatNumber(line.speed[g]);
        for (int g = 1; g <= kMaxGroups; ++g)
            std::cout << '\t' << hours(line.rallyTime[g]);
        std::cout << '\t' << minutes(line.firstTime) << '\t' << minutes(line.lastTime) << '\n';
    }
}

} // namespace

int controlsCommand(CliContext& ctx, int day) {
    ProgramState& state = *ctx.state;
    LoadSource source = LoadSource::DataFile;
    if (int rc = ctx.report(loadCalculated(state, day, &source))) return rc;
    // Control files from the four template lines would hold no control: an existing control file
    // (a route schedule misnamed or moved away) would be replaced by an empty one.
    if (source == LoadSource::Template)
        return ctx.report(Status::failure("Day " + std::to_string(day) + " had no route schedule (" +
                                          scheduleDataFile(state, day).filename().string() + " or " +
                                          scheduleImportFile(state, day).filename().string() +
                                          " in RouteSchedule): a template was made; enter the day's lines "
                                          "before writing its control files"));
    int written = 0;
    if (int rc = ctx.report(writeControlFiles(state, &written))) return rc;
    std::cout << written << (written == 1 ? " control" : " controls") << " written to "
              << controlFilePath(state, day).string() << '\n'
              << state.schedule.speedTable.count() << " speed table rows in "
              << speedTableFilePath(state, day).string() << '\n'
              << state.schedule.passingWindows.count() << " passing windows in "
              << passingWindowFilePath(state).string() << '\n';
    return 0;
}

int printCommand(CliContext& ctx, int day, const std::vector<ScheduleWorkbook>& kinds) {
    if (int rc = controlsCommand(ctx, day)) return rc;
    for (const ScheduleWorkbook kind : kinds)
        if (int rc = reportWorkbook(ctx, writeScheduleWorkbook(*ctx.state, kind),
                                    scheduleWorkbookFile(*ctx.state, kind)))
            return rc;
    return 0;
}

void addScheduleCommands(CLI::App& app, CliContext& ctx) {
    auto* schedule = app.add_subcommand("schedule", "Load a day's route schedule, calculate and print it");
    auto scheduleDay = std::make_shared<int>(0);
    auto save = std::make_shared<bool>(false);
    schedule->add_option("--day", *scheduleDay, "Rally day")->required();
    schedule->add_flag("--save", *save, "Save the day's data file afterwards");
    schedule->callback([&ctx, scheduleDay, save] {
        ctx.needsRally = true;
        ctx.writes = *save;
        ctx.run = [&ctx, scheduleDay, save] {
            ProgramState& state = *ctx.state;
            if (int rc = ctx.report(loadCalculated(state, *scheduleDay))) return rc;
            printLines(state.schedule);
            if (*save) {
                if (int rc = ctx.report(saveDay(state))) return rc;
                std::cout << "Saved " << scheduleDataFile(state, *scheduleDay).string() << '\n';
            }
            return 0;
        };
    });

    auto* controls =
        app.add_subcommand("controls", "Write the control file, speed table and passing-window file");
    auto controlsDay = std::make_shared<int>(0);
    controls->add_option("--day", *controlsDay, "Rally day")->required();
    controls->callback([&ctx, controlsDay] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx, controlsDay] { return controlsCommand(ctx, *controlsDay); };
    });

    auto* print = app.add_subcommand("print", "Write the control files, then a route schedule workbook");
    auto printDay = std::make_shared<int>(0);
    auto kind = std::make_shared<std::string>();
    print->add_option("--day", *printDay, "Rally day")->required();
    print->add_option("workbook", *kind, "route, check or marshal")
        ->required()
        ->check(CLI::IsMember({"route", "check", "marshal"}));
    print->callback([&ctx, printDay, kind] {
        ctx.needsRally = true;
        ctx.writes = true;
        const ScheduleWorkbook chosen = *kind == "route"   ? ScheduleWorkbook::Route
                                        : *kind == "check" ? ScheduleWorkbook::Check
                                                           : ScheduleWorkbook::Marshal;
        ctx.run = [&ctx, printDay, chosen] { return printCommand(ctx, *printDay, {chosen}); };
    });
}

} // namespace trakmora::cli
