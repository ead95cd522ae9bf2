// The group scoring of a full day: 250 competitors with 40 control scores each, day score build
// (R files, day score file, entry list write-back, matrix files), combined day results, day
// positions, and the final of a two-day rally.
#include "Bench.h"
#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "results/GroupScoring.h"
#include "results/ResultFiles.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <filesystem>
#include <string>

namespace {
namespace fs = std::filesystem;
using namespace trakmora;

void writeRally(ProgramState& state) {
    createRally(state, "Bench Rally", "Bench");
    state.config.noOfDays = 2;
    state.config.lastEntry = {0, 60, 120, 180, 250};
    saveConfig(state);
    CsvWriter entries;
    for (int i = 0; i < 12; ++i)
        entries.text("Header");
    entries.endRecord();
    for (int n = 1; n <= 250; ++n) {
        entries.number(n)
            .text("Crew " + std::to_string(n))
            .text("1936")
            .text("Riley")
            .text("Kestrel")
            .text("B");
        entries.text(std::string(1, static_cast<char>('A' + n % 4)))
            .number(0)
            .number(0)
            .number(0)
            .number(0)
            .number(0);
        entries.endRecord();
    }
    writeFileAtomically(state.rallyFile(RallyFolder::EntryList, "EntryList.csv"), entries.str());
    for (int day = 1; day <= 2; ++day)
        for (int n = 1; n <= 250; ++n) {
            CsvWriter r;
            for (int c = 1; c <= 40; ++c)
                r.number(((n * 7 + c * 13 + day) % 61) - 30).endRecord();
            writeFile(resultFile(state, day, n), r.str());
        }
}

trakmora::bench::Register resultsBench("results", [] {
    const fs::path root = fs::temp_directory_path() / "trakmora-results-bench";
    fs::remove_all(root);
    RecordingMessages messages;
    ProgramState state(root, messages);
    writeRally(state);
    trakmora::bench::timeIt("day of 250 competitors x 40 controls: build, combine, rank", 5, [&] {
        GroupScoring scoring(state);
        bool proceeded = false;
        if (!scoring.enterDay(1) || !scoring.printCombinedDayResults(proceeded) ||
            !scoring.printDayPositions())
            std::printf("day failed\n");
    });
    GroupScoring scoring(state);
    scoring.enterDay(2);
    trakmora::bench::timeIt("final of a two-day rally of 250 competitors", 5, [&] {
        if (!scoring.enterDay(3) || !scoring.finalResults()) std::printf("final failed\n");
    });
    fs::remove_all(root);
});
} // namespace
