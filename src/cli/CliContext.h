#pragma once
// What every command of trakmora-cli shares: the program state, the global options and the
// messages printed on standard error.
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "common/Status.h"
#include "workspace/RallyLock.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <memory>
#include <string>

namespace trakmora::cli {

// Messages on standard error, after whatever standard output holds so far: a run written to a
// log file with 2>&1 keeps each message beside the step that gave it.
class StderrMessages : public Messages {
public:
    void info(const std::string& text) override {
        std::cout.flush();
        std::cerr << text << '\n';
        ++count;
    }
    bool ask(const std::string& title, const std::string& text) override {
        std::cout.flush();
        std::cerr << title << ": " << text << (answerYes ? " [Yes]" : " [No, pass --yes to answer Yes]")
                  << '\n';
        return answerYes;
    }
    bool answerYes = false;
    int count = 0;
};

struct CliContext {
    std::string dataRoot;
    std::string rally;
    bool yes = false;
    bool noWorkbooks = false;
    StderrMessages messages;
    std::unique_ptr<ProgramState> state;
    // The chosen command; returns the exit status.
    std::function<int()> run;
    // Set by commands that work on an open rally.
    bool needsRally = false;
    // Whether the command may run on a rally whose settings could not be read (on the defaults):
    // only `config`, which shows and saves them.
    bool runsOnDamagedSettings = false;
    // Set by commands that write the rally: they hold its lock for their run, so that the desktop
    // program or another computer does not write it at the same time. Read-only commands do not.
    bool writes = false;
    // --force-unlock: take a lock held by another computer or an unreadable lock file.
    bool forceUnlock = false;
    // Released when the context ends, whichever way the command ends.
    RallyLock lock;

    // Reports a failed status as a message; returns the exit status for it.
    int report(const Status& st) {
        if (st) return 0;
        messages.info(st.message());
        return 1;
    }

    // Takes the lock of the rally for this run; returns the exit status (1 with the message when
    // another writer holds it).
    int lockRally(const std::string& shortName) {
        LockRefusal why = LockRefusal::None;
        const Status st = takeRallyLock(*state, shortName, "trakmora-cli", lock, forceUnlock, &why);
        if (st) return 0;
        messages.info(st.message());
        if (why == LockRefusal::OtherHost || why == LockRefusal::Damaged)
            messages.info("If nothing writes the rally there any more, --force-unlock takes the lock over");
        return 1;
    }
};

// Each group of commands adds its subcommands here.
void addWorkspaceCommands(CLI::App& app, CliContext& ctx);
void addConfigCommands(CLI::App& app, CliContext& ctx);
void addEntriesCommands(CLI::App& app, CliContext& ctx);
void addScheduleCommands(CLI::App& app, CliContext& ctx);
void addResultsCommands(CLI::App& app, CliContext& ctx);
void addTrackingCommands(CLI::App& app, CliContext& ctx);
void addExtrasCommands(CLI::App& app, CliContext& ctx);
void addRunCommands(CLI::App& app, CliContext& ctx);
void addDemoCommands(CLI::App& app, CliContext& ctx);

} // namespace trakmora::cli
