// run: a rally day from the route schedule to the day positions in one go.
#include "cli/CommandSteps.h"
#include "cli/ResultsCommands.h"
#include "tracking/TrackImport.h"

#include <iostream>
#include <memory>

namespace trakmora::cli {

int runDayCommand(CliContext& ctx, GroupScoring& scoring, int day, bool again) {
    const auto step = [day](const char* what) { std::cout << "== Day " << day << ": " << what << " ==\n"; };
    step("control files");
    if (int rc = controlsCommand(ctx, day)) return rc;
    if (again) {
        step("downloads put back from CompetitorsLog/Bak");
        std::vector<std::string> restored;
        if (const Status st = restoreDownloads(*ctx.state, day, restored); !st) {
            std::cout << st.message() << '\n';
            return 1;
        }
        std::cout << restored.size() << " downloads to import and score again\n";
    }
    // A download or CL file that fails is reported on its line; the others go on.
    DaySummary summary;
    const int failed = printedDayBatch(ctx, day, DayBatch{}, &summary, [&step](BatchStep s) {
        step(s == BatchStep::Import ? "import" : "score");
    });
    step("competitors");
    std::cout << competitorTableText(summary);
    step("day score");
    if (int rc = dayCommand(ctx, scoring, day, {})) return rc;
    step("positions");
    if (int rc = resultsCommand(ctx, scoring, day)) return rc;
    return failed;
}

void addRunCommands(CLI::App& app, CliContext& ctx) {
    auto* run =
        app.add_subcommand("run", "Control files, import, score, day score and day positions of a day");
    auto day = std::make_shared<int>(0);
    auto again = std::make_shared<bool>(false);
    run->add_option("--day", *day, "Rally day")->required();
    run->add_flag("--again", *again,
                  "Score every competitor of the day again from the imported downloads (after a control was "
                  "corrected)");
    run->callback([&ctx, day, again] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx, day, again] {
            GroupScoring scoring(*ctx.state);
            return runDayCommand(ctx, scoring, *day, *again);
        };
    });
}

} // namespace trakmora::cli
