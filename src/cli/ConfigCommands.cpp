// config: show the settings of the open rally (the 30 fields of config3.csv and UtcOffset) and set
// them with the editor's limits.
#include "cli/CliContext.h"
#include "workspace/ConfigFields.h"
#include "workspace/ConfigFile.h"

#include <fmt/format.h>

#include <iostream>
#include <memory>
#include <vector>

namespace trakmora::cli {

namespace {

struct Assignment {
    int field = 0;
    std::string value;
};

// Splits FIELD=VALUE; false (usage error) when there is no "=" or no such field.
bool readAssignment(const std::string& text, Assignment& out) {
    const auto eq = text.find('=');
    if (eq == std::string::npos) {
        std::cerr << "--set takes FIELD=VALUE, not \"" << text << "\"\n";
        return false;
    }
    out.field = configFieldNumber(std::string_view(text).substr(0, eq));
    out.value = text.substr(eq + 1);
    if (out.field == 0) {
        std::cerr << "There is no configuration field \"" << text.substr(0, eq)
                  << "\": give a number 1..31 or a name such as GroupSpeedB or UtcOffset\n";
        return false;
    }
    return true;
}

void printConfig(const RallyConfig& config) {
    for (int f = 1; f <= kSettingCount; ++f)
        std::cout << fmt::format("{:>2}  {:<20}{}{}\n", f, configField(f).name, formatFieldValue(config, f),
                                 f == kUtcOffsetField && !config.utcOffset
                                     ? " (not set: this computer's offset on the start date)"
                                     : "");
}

// Applies every assignment to a copy, in the order given; the rally's settings change only when
// all of them could be read.
int applyAssignments(CliContext& ctx, const std::vector<std::string>& sets) {
    std::vector<Assignment> assignments(sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i)
        if (!readAssignment(sets[i], assignments[i])) return 2;
    RallyConfig edited = ctx.state->config;
    for (const auto& a : assignments) {
        bool clamped = false;
        if (int rc = ctx.report(setFieldFromText(edited, a.field, a.value, clamped))) return rc;
        if (clamped)
            std::cerr << configField(a.field).name << ": " << a.value << " is outside the limits, "
                      << formatFieldValue(edited, a.field) << " is used\n";
    }
    if (ctx.state->configDamaged && !ctx.yes) {
        ctx.messages.info(
            "The settings could not be read, so every setting not given here would be saved as its "
            "default (rally name, days, start times, speed and score groups, windows). Mend "
            "Working/config3.csv instead, or pass --yes to save the defaults with these changes.");
        return 1;
    }
    ctx.state->config = edited;
    return ctx.report(saveConfig(*ctx.state, true));
}

} // namespace

void addConfigCommands(CLI::App& app, CliContext& ctx) {
    auto* config = app.add_subcommand("config", "Show the settings of the rally; --set changes them");
    auto sets = std::make_shared<std::vector<std::string>>();
    config
        ->add_option(
            "--set", *sets,
            "FIELD=VALUE, FIELD a number 1..31 or a name (RallyName, StartDate, GroupSpeedA, UtcOffset, "
            "...); dates as YYYY-MM-DD or serial, start times as hh:mm:ss or seconds, UtcOffset "
            "(local time minus UTC, for GPX and NMEA downloads) as +hh:mm or seconds")
        ->take_all();
    config->callback([&ctx, sets] {
        ctx.needsRally = true;
        ctx.runsOnDamagedSettings = true;
        ctx.writes = !sets->empty();
        ctx.run = [&ctx, sets] {
            if (!sets->empty())
                if (int rc = applyAssignments(ctx, *sets)) return rc;
            printConfig(ctx.state->config);
            return 0;
        };
    });
}

} // namespace trakmora::cli
