// trakmora-cli: everything the organiser does with data, without a display.
#include "cli/CliContext.h"
#include "common/FileIo.h"
#include "workspace/Workspace.h"

#include <cstdlib>
#include <filesystem>

using namespace trakmora;
using namespace trakmora::cli;

namespace {

// For the reliability tests: TRAKMORA_FAIL_WRITE=N:ENOSPC makes the Nth write of the file layer
// fail; at the end the number of writes seen is printed, so a test can try every one in turn.
int withWriteFaults(int argc, char** argv, int (*run)(int, char**)) {
    const char* setting = std::getenv("TRAKMORA_FAIL_WRITE");
    if (!setting) return run(argc, argv);
    if (!test_faults::armFromSetting(setting)) {
        std::cerr << "TRAKMORA_FAIL_WRITE takes N:ERROR, e.g. 3:ENOSPC\n";
        return 2;
    }
    const int status = run(argc, argv);
    std::cerr << "File layer writes: " << test_faults::writesSeen()
              << (test_faults::failureHappened() ? " (the armed one failed)" : "") << '\n';
    return status;
}

int runCli(int argc, char** argv) {
    CliContext ctx;
    CLI::App app{"Trakmora: GPS scoring of regularity rallies for vintage vehicles", "trakmora-cli"};
    app.require_subcommand(1);
    app.add_option("--data-root", ctx.dataRoot, "Folder that holds every rally (default: ~/Trakmora)");
    app.add_option("--rally", ctx.rally, "Short name of the rally to open");
    app.add_flag("--yes", ctx.yes, "Answer every question with Yes");
    app.add_flag("--no-workbooks", ctx.noWorkbooks, "Do not write workbooks");
    app.add_flag("--force-unlock", ctx.forceUnlock,
                 "Take the rally's lock even when another computer holds it or its lock file is damaged");

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
    const std::filesystem::path root =
        ctx.dataRoot.empty() ? defaultDataRoot() : std::filesystem::path(ctx.dataRoot);
    ctx.state = std::make_unique<ProgramState>(root, ctx.messages);
    ctx.state->writeWorkbooks = !ctx.noWorkbooks;
    if (auto st = ensureDataRoot(*ctx.state); !st) return ctx.report(st);

    bool openFailed = false;
    if (ctx.needsRally) {
        if (ctx.rally.empty()) {
            std::cerr << "This command needs an open rally: pass --rally SHORT\n";
            return 2;
        }
        // The lock comes before the opening, which may already save the settings. A rally that
        // does not exist is left to the opening to report.
        std::error_code ec;
        if (ctx.writes && !unsafeFolderNameReason(ctx.rally) &&
            std::filesystem::is_directory(ctx.state->paths.rallyFolder(ctx.rally), ec))
            if (int rc = ctx.lockRally(ctx.rally)) return rc;
        if (auto st = openRallyByShortName(*ctx.state, ctx.rally); !st) {
            ctx.messages.info(st.message());
            // Scoring or printing on default settings would give wrong results that look right.
            if (!ctx.state->rallyOpen() || !ctx.runsOnDamagedSettings) return 1;
            // Settings that could not be saved on opening (a full disk) still fail the command.
            openFailed = !ctx.state->configDamaged;
        }
    }
    const int status = ctx.run ? ctx.run() : 0;
    return status == 0 && openFailed ? 1 : status;
}

} // namespace

int main(int argc, char** argv) {
    return withWriteFaults(argc, argv, runCli);
}
