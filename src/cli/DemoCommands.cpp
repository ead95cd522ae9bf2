// demo: makes the demonstration rally and runs every step of both days on it.
#include "cli/CommandSteps.h"
#include "cli/ResultsCommands.h"
#include "common/Format.h"
#include "demo/DemoRally.h"
#include "results/Corrections.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <memory>

namespace trakmora::cli {

namespace {

// 18:30 local time on the day of `dateSerial`.
std::chrono::system_clock::time_point eveningOf(double dateSerial) {
    const CivilDate date = civilFromSerial(dateSerial);
    std::tm local{};
    local.tm_year = date.year - 1900;
    local.tm_mon = date.month - 1;
    local.tm_mday = date.day;
    local.tm_hour = 18;
    local.tm_min = 30;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

struct DemoOptions {
    std::string shortName = "Demo";
    std::uint32_t seed = 1;
    bool replace = false;
};

void heading(const std::string& text) {
    std::cout << "\n== " << text << " ==\n";
}

int runDemo(CliContext& ctx, const DemoOptions& options) {
    ProgramState& state = *ctx.state;
    // An earlier demonstration rally open elsewhere is neither replaced nor added to.
    std::error_code ec;
    if (!unsafeFolderNameReason(options.shortName) &&
        std::filesystem::is_directory(state.paths.rallyFolder(options.shortName), ec))
        if (int rc = ctx.lockRally(options.shortName)) return rc;
    if (options.replace)
        if (int rc = ctx.report(removeDemoRally(state, options.shortName))) return rc;
    heading("Creating the demonstration rally");
    if (int rc = ctx.report(createDemoRally(state, options.shortName, options.seed))) return rc;
    if (int rc = ctx.lockRally(options.shortName)) return rc;
    std::cout << "Rally \"" << state.rally.longName << "\" in "
              << state.paths.rallyFolder(options.shortName).string() << ": " << state.entries.count()
              << " entries, " << kDemoDays << " days\n";

    // The demonstration answers the question before the combined day results itself.
    ctx.messages.answerYes = true;
    GroupScoring scoring(state);
    for (int day = 1; day <= kDemoDays; ++day) {
        const std::string dayText = "Day " + std::to_string(day) + ": ";
        heading(dayText + "control files and route schedule workbooks");
        if (int rc = printCommand(
                ctx, day, {ScheduleWorkbook::Route, ScheduleWorkbook::Check, ScheduleWorkbook::Marshal}))
            return rc;

        heading(dayText + "logger downloads from the simulated drives");
        std::vector<std::string> downloads;
        if (int rc = ctx.report(writeDemoDownloads(state, day, options.seed, downloads))) return rc;
        const DemoRoles roles = demoRoles(day);
        std::cout << downloads.size() << " downloads written. Competitor " << roles.nonStarter
                  << " did not start, " << roles.nonFinisher << " retired half-way, " << roles.missedControl
                  << " went off the route at control " << roles.missedControlNo << ", " << roles.loggingGap
                  << "'s logger stopped for four minutes, " << roles.otherDateFixes
                  << "'s logger holds fixes of the evening before\n";

        heading(dayText + "import");
        if (int rc = importCommand(ctx, day, {})) return rc;
        heading(dayText + "score");
        if (int rc = scoreCommand(ctx, day, {})) return rc;
        heading(dayText + "day score, competitor " + std::to_string(roles.nonFinisher) +
                " marked as a non-finisher");
        if (int rc = dayCommand(ctx, scoring, day, DayCommandOptions{{roles.nonFinisher}, {}})) return rc;
        const std::vector<Correction> decisions = demoCorrections(day);
        if (!decisions.empty()) heading(dayText + "the jury's decisions");
        // The jury meets at half past six on the evening of the day: the decisions carry that
        // time, so that the demonstration rally's files come out the same on every run.
        const auto clock = ctx.state->now;
        ctx.state->now = [at = eveningOf(ctx.state->config.startDate + day - 1)] { return at; };
        for (const Correction& decision : decisions) {
            Correction added;
            std::string outcome;
            const Status st = scoring.addCorrection(decision, added, outcome);
            if (st) std::cout << correctionText(added) << '\n' << outcome << '\n';
            if (int rc = ctx.report(st)) {
                ctx.state->now = clock;
                return rc;
            }
        }
        ctx.state->now = clock;
        heading(dayText + "combined day results and positions");
        if (int rc = resultsCommand(ctx, scoring, day)) return rc;
    }
    heading("Final");
    if (int rc = finalCommand(ctx, scoring)) return rc;

    heading("Where everything is");
    std::cout << "Rally folder      " << state.paths.rallyFolder(options.shortName).string() << '\n';
    if (state.writeWorkbooks)
        std::cout << "Result workbooks  " << state.rallyFolder(RallyFolder::Results).string() << '\n'
                  << "Route schedules   " << state.rallyFolder(RallyFolder::RouteSchedule).string() << '\n'
                  << "Marshal schedules " << state.rallyFolder(RallyFolder::Marshals).string() << '\n';
    return 0;
}

} // namespace

void addDemoCommands(CLI::App& app, CliContext& ctx) {
    auto options = std::make_shared<DemoOptions>();
    auto* demo =
        app.add_subcommand("demo", "Make a demonstration rally of generated data and run every step on it");
    demo->add_option("--short", options->shortName, "Short name of the demonstration rally (default Demo)");
    demo->add_option("--seed", options->seed, "Seed of the generated data (default 1)");
    demo->add_flag("--replace", options->replace, "Replace a demonstration rally of that name made earlier");
    demo->callback([&ctx, options] { ctx.run = [&ctx, options] { return runDemo(ctx, *options); }; });
}

} // namespace trakmora::cli
