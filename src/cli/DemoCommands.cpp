// demo: makes the demonstration rally and runs every step of both days on it.
#include "cli/CommandSteps.h"
#include "cli/ResultsCommands.h"
#include "demo/DemoRally.h"
#include "results/Corrections.h"

#include <iostream>
#include <memory>

namespace trakmora::cli {

namespace {

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
        for (const Correction& decision : decisions) {
            Correction added;
            std::string outcome;
            if (int rc = ctx.report(scoring.addCorrection(decision, added, outcome))) return rc;
            std::cout << correctionText(added) << '\n' << outcome << '\n';
        }
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
