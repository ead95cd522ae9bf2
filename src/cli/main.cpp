// trakmora-cli: everything the organiser does with data, without a display.
#include "cli/CliContext.h"
#include "workspace/Workspace.h"

#include <filesystem>

using namespace trakmora;
using namespace trakmora::cli;

int main(int argc, char** argv) {
    CliContext ctx;
    CLI::App app{"Trakmora: GPS scoring of regularity rallies for vintage vehicles", "trakmora-cli"};
    app.require_subcommand(1);
    app.add_option("--data-root", ctx.dataRoot, "Folder that holds every rally (default: ~/Trakmora)");
    app.add_option("--rally", ctx.rally, "Short name of the rally to open");
    app.add_flag("--yes", ctx.yes, "Answer every question with Yes");
    app.add_flag("--no-workbooks", ctx.noWorkbooks, "Do not write workbooks");

    addWorkspaceCommands(app, ctx);
    addConfigCommands(app, ctx);
    addEntriesCommands(app, ctx);
    addScheduleCommands(app, ctx);
    addResultsCommands(app, ctx);
    addTrackingCommands(app, ctx);
    addRunCommands(app, ctx);
    addExtrasCommands(app, ctx); // after the commands it adds --keep-explain to
    addDemoCommands(app, ctx);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    ctx.messages.answerYes = ctx.yes;
    const std::filesystem::path root = ctx.dataRoot.empty() ? defaultDataRoot() : std::filesystem::path(ctx.dataRoot);
    ctx.state = std::make_unique<ProgramState>(root, ctx.messages);
    ctx.state->writeWorkbooks = !ctx.noWorkbooks;
    if (auto st = ensureDataRoot(*ctx.state); !st) return ctx.report(st);

    if (ctx.needsRally) {
        if (ctx.rally.empty()) {
            std::cerr << "This command needs an open rally: pass --rally SHORT\n";
            return 2;
        }
        if (auto st = openRallyByShortName(*ctx.state, ctx.rally); !st) {
            ctx.messages.info(st.message());
            // Scoring or printing on default settings would give wrong results that look right.
            if (!ctx.state->rallyOpen() || !ctx.runsOnDamagedSettings) return 1;
        }
    }
    const int status = ctx.run ? ctx.run() : 0;
    return status;
}
