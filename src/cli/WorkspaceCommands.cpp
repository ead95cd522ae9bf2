// new, list: creating and listing rallies.
#include "cli/CliContext.h"
#include "workspace/Workspace.h"

#include <iostream>

namespace trakmora::cli {

void addWorkspaceCommands(CLI::App& app, CliContext& ctx) {
    auto* create = app.add_subcommand("new", "Create a rally");
    auto longName = std::make_shared<std::string>();
    auto shortName = std::make_shared<std::string>();
    create->add_option("--name", *longName, "Rally name")->required();
    create->add_option("--short", *shortName, "Short rally name (its folder)")->required();
    create->callback([&ctx, longName, shortName] {
        ctx.run = [&ctx, longName, shortName] {
            if (int rc = ctx.report(createRally(*ctx.state, *longName, *shortName))) return rc;
            // No lock: nothing is written after the creation, which refuses an existing folder, and a
            // lock that could not be written would report a rally that was created as not created.
            std::cout << "Created " << ctx.state->paths.rallyFolder(ctx.state->rally.shortName).string()
                      << '\n';
            return 0;
        };
    });

    auto* list = app.add_subcommand("list", "List the registered rallies");
    list->callback([&ctx] {
        ctx.run = [&ctx] {
            std::vector<RegisterRecord> records;
            const int rc = ctx.report(readRegisterSkippingBadLines(*ctx.state, records));
            for (const auto& r : records)
                std::cout << r.shortName << '\t' << r.longName << '\n';
            if (records.empty())
                std::cout << "No rallies registered in " << ctx.state->paths.dataRoot().string() << '\n';
            return rc;
        };
    });
}

} // namespace trakmora::cli
