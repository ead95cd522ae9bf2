#pragma once
// A pinned print clock and a program state over a temporary data root with the report folders,
// shared by the workbook writer tests.
#include "common/Format.h"
#include "common/ProgramState.h"
#include "reports/WorkbookDump.h"
#include "support/RallyFixture.h"
#include "xlsx/PrintClock.h"
#include "xlsx/Workbook.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace trakmora::test {

// 26 Jun 2015, 10:15:30.
inline PrintClock pinnedClock() {
    PrintClock clock;
    clock.dateSerial = dateSerial(2015, 6, 26);
    clock.secondsOfDay = 10 * 3600 + 15 * 60 + 30;
    clock.created = 1435313730;
    return clock;
}

// Saves the workbook under `name` in `dir` and reads it back. When TRAKMORA_KEEP_WORKBOOKS names
// a folder, a copy is left there to look at.
inline WorkbookDump saveAndDump(const Workbook& book, const TempDir& dir, const std::string& name) {
    const auto file = dir / name;
    const Status saved = book.save(file);
    if (!saved.ok()) {
        WorkbookDump failed;
        failed.error = saved.message();
        return failed;
    }
    if (const char* keep = std::getenv("TRAKMORA_KEEP_WORKBOOKS")) {
        std::error_code ignored;
        std::filesystem::copy_file(file, std::filesystem::path(keep) / name,
                                   std::filesystem::copy_options::overwrite_existing, ignored);
    }
    return dumpWorkbook(file);
}

// A rally "Spring" with its folders but nothing else (not even its settings), the clock pinned at
// 10:15:30 local time on 26 Jun 2015.
struct ReportState : TestRally {
    ReportState() {
        state.rally.shortName = "Spring";
        for (RallyFolder folder : kRallyFolders)
            std::filesystem::create_directories(state.rallyFolder(folder));
        std::tm local{};
        local.tm_year = 115;
        local.tm_mon = 5;
        local.tm_mday = 26;
        local.tm_hour = 10;
        local.tm_min = 15;
        local.tm_sec = 30;
        local.tm_isdst = -1;
        const auto moment = std::chrono::system_clock::from_time_t(std::mktime(&local));
        state.now = [moment] { return moment; };
    }
};

} // namespace trakmora::test
