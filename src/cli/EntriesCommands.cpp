// entries: load the entry list of the open rally, check its score groups, show the count.
#include "cli/CliContext.h"
#include "entries/Allocation.h"
#include "entries/EntryList.h"

#include <iostream>

namespace trakmora::cli {

void addEntriesCommands(CLI::App& app, CliContext& ctx) {
    auto* entries =
        app.add_subcommand("entries", "Load the entry list, check the score groups, show the count");
    entries->callback([&ctx] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx] {
            if (int rc = ctx.report(loadEntryList(*ctx.state))) return rc;
            if (const int badAt = firstBadScoreGroup(ctx.state->entries)) {
                const Entry* bad = &ctx.state->entries.entries[badAt - 1];
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
