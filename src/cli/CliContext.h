#pragma once
// What every command of trakmora-cli shares: the program state, the global options and the
// messages printed on standard error.
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "common/Status.h"

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
        std::cerr << title << ": " << text << (answerYes ? " [Yes]" : " [No, pass --yes to answer Yes]") << '\n';
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

    // Reports a failed status as a message; returns the exit status for it.
    int report(const Status& st) {
        if (st) return 0;
        messages.info(st.message());
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
