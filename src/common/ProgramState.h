#pragma once
// Everything the open rally holds while the program runs. Created at start-up and passed by
// reference; there are no globals, so every test builds its own over its own data root.
#include "common/EntryTable.h"
#include "common/Messages.h"
#include "common/Paths.h"
#include "common/RallyConfig.h"
#include "common/ScheduleTable.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace trakmora {

struct RallyIdentity {
    std::string shortName; // folder name; empty until a rally is created or opened
    std::string longName;
    int selectedDay = 1;
};

class ProgramState {
public:
    ProgramState(std::filesystem::path dataRoot, Messages& messages)
        : paths(std::move(dataRoot)), messages(&messages) {}

    Paths paths;
    Messages* messages;
    RallyIdentity rally;
    RallyConfig config;
    EntryTable entries;
    ScheduleTable schedule;
    double selectedDayStartTime = 0;

    // Open saved workbooks with the desktop's default program (the GUI only; off in tests).
    bool openWorkbooks = false;
    // Skip workbook output altogether (command line --no-workbooks).
    bool writeWorkbooks = true;
    // The rally's config3.csv could not be read when it was opened: the settings in memory are
    // the defaults, and only a deliberate save (a change on the configuration screen, config
    // --set) writes them over the file.
    bool configDamaged = false;
    // Keep each scored competitor's CL, 3Shortlist and Report files in Working/Explain/ so that a
    // control's passage can be drawn later (the scoring otherwise deletes them).
    bool keepExplainFiles = false;
    // The clock used for print times and dates in workbook headers; tests pin it.
    std::function<std::chrono::system_clock::time_point()> now = [] {
        return std::chrono::system_clock::now();
    };

    bool rallyOpen() const { return !rally.shortName.empty(); }

    // Another rally is opened or created: nothing of the one before stays in use (its entries
    // would be scored, its route schedule saved into the new rally's files). The settings are
    // loaded afresh by the opening.
    void forgetRally(std::string shortName, std::string longName) {
        rally = RallyIdentity{std::move(shortName), std::move(longName), 1};
        config = RallyConfig{};
        entries = EntryTable{};
        schedule = ScheduleTable{};
        selectedDayStartTime = 0;
        configDamaged = false;
    }
    std::filesystem::path rallyFile(RallyFolder folder, const std::string& fileName) const {
        return paths.file(rally.shortName, folder, fileName);
    }
    std::filesystem::path rallyFolder(RallyFolder folder) const {
        return paths.folder(rally.shortName, folder);
    }
};

} // namespace trakmora
