// entries: load the entry list of the open rally, check its score groups, show the count.
#include "cli/CliContext.h"
#include "entries/EntryList.h"

#include <iostream>

namespace trakmora::cli {

namespace {

// The first entry whose score group is not exactly "A".."D" (case matters), or null.
const Entry* firstBadScoreGroup(const EntryTable& table) {
    for (const Entry& e : table.entries)
        if (e.scoreGroup != "A" && e.scoreGroup != "B" && e.scoreGroup != "C" && e.scoreGroup != "D") return &e;
    return nullptr;
}

} // namespace

void addEntriesCommands(CLI::App& app, CliContext& ctx) {
    auto* entries = app.add_subcommand("entries", "Load the entry list, check the score groups, show the count");
    entries->callback([&ctx] {
        ctx.needsRally = true;
        ctx.run = [&ctx] {
            if (int rc = ctx.report(loadEntryList(*ctx.state))) return rc;
            if (const Entry* bad = firstBadScoreGroup(ctx.state->entries)) {
                ctx.messages.info("You have an incorrect Score Group assignment");
                std::cerr << "Comp No " << bad->compNo << " has the score group \"" << bad->scoreGroup
                          << "\"; use A, B, C or D\n";
                return 1;
            }
            std::cout << ctx.state->entries.count() << "  Entries Loaded\n";
            return 0;
        };
    });
}

} // namespace trakmora::cli
