// Import and scoring of logger downloads: one big download, and a whole day of competitors.
#include "Bench.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "common/InOrder.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "demo/DownloadWriter.h"
#include "demo/SyntheticDrive.h"
#include "schedule/ControlFile.h"
#include "tracking/ScoreDay.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"
#include "workspace/Workspace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {
namespace fs = std::filesystem;
using namespace trakmora;

class BenchRally {
public:
    explicit BenchRally(const char* tag)
        : root_(fs::temp_directory_path() /
                ("trakmora-bench-" + std::string(tag) + "-" + std::to_string(getpid()))),
          state(root_, messages) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        if (auto st = createRally(state, "Bench Rally", "B"); !st) std::printf("%s\n", st.message().c_str());
    }
    // TRAKMORA_BENCH_KEEP=1 leaves the rally for a profiler.
    ~BenchRally() {
        if (std::getenv("TRAKMORA_BENCH_KEEP")) {
            std::printf("    rally kept in %s\n", root_.string().c_str());
            return;
        }
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    void writeControls(const std::vector<ControlRecord>& controls) {
        (void)writeFile(state.rallyFile(RallyFolder::Marshals, "cp1.csv"), controlFileText(controls));
    }
    void writeDownload(const std::string& name, const std::string& text) {
        (void)writeFile(state.rallyFile(RallyFolder::CompetitorsLog, name), text);
    }
    // The downloads written out to disk before the clock starts, as downloads copied from the
    // loggers some minutes before the scoring are: the import flushes each one before it moves
    // it, which otherwise times the disk writing the benchmark's own files.
    static void settle() { ::sync(); }

private:
    fs::path root_;

public:
    RecordingMessages messages;
    ProgramState state;
};

// Like bench::timeIt, but also prints the processor time the process used, which a machine
// shared with other work does not inflate the way it inflates the wall clock.
void timeWithCpu(const char* label, int repeats, const std::function<void()>& work) {
    double bestCpu = 1e300;
    trakmora::bench::timeIt(label, repeats, [&] {
        const std::clock_t c0 = std::clock();
        work();
        const double cpu = 1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
        bestCpu = cpu < bestCpu ? cpu : bestCpu;
    });
    std::printf("%-60s best %10.3f ms of processor time\n", "", bestCpu);
}

// Imports and scores one download; prints a failure.
bool importAndScore(const ProgramState& state, const std::string& download, ScoringRun& run) {
    ImportResult imported;
    Status st = importDownload(state, 1, download, imported);
    if (st) st = scoreCompetitor(state, 1, imported.clFileName, run);
    if (!st) std::printf("%s: %s\n", download.c_str(), st.message().c_str());
    return st.ok();
}

// Competitor 7's Holux download of 100,000 fixes along a road with 100 controls, waiting as
// h1007.csv; the road is returned for other layouts of the same drive.
SyntheticDrive writeLargeDownload(BenchRally& rally) {
    SyntheticDriveSettings settings;
    settings.fixCount = 100000;
    settings.controlCount = 100;
    settings.secondsPerFix = 0.5; // 100,000 fixes in under 14 hours
    const SyntheticDrive drive(settings);
    rally.writeControls(drive.controls());
    const std::string text = downloadText(*findLoggerLayout('h'), drive.competitorFixes(7, 1.0005),
                                          rally.state.config.startDate, rally.state.config);
    rally.writeDownload("h1007.csv", text);
    BenchRally::settle();
    return drive;
}

// Scoring removes the competitor log CL1007.csv; a second name for it puts it back between runs
// without copying it inside the time measured.
class CompetitorLogKept {
public:
    explicit CompetitorLogKept(BenchRally& rally)
        : log_(rally.state.rallyFile(RallyFolder::CompetitorsLog, "CL1007.csv")),
          kept_(rally.state.paths.dataRoot() / "CL1007.kept") {
        fs::remove(kept_);
        fs::create_hard_link(log_, kept_);
    }
    void putBack() const {
        if (!fs::exists(log_)) fs::create_hard_link(kept_, log_);
    }

private:
    fs::path log_, kept_;
};

trakmora::bench::Register oneDownload("tracking-one", [] {
    BenchRally rally("one");
    const SyntheticDrive drive = writeLargeDownload(rally);
    const fs::path waiting = rally.state.rallyFile(RallyFolder::CompetitorsLog, "h1007.csv");
    const fs::path imported = rally.state.rallyFile(RallyFolder::CompetitorsLogBak, "h1007.csv");
    ScoringRun run;
    timeWithCpu("import and score one download of 100,000 fixes, 100 controls", 10, [&] {
        if (fs::exists(imported)) fs::rename(imported, waiting); // put the download back
        importAndScore(rally.state, "h1007.csv", run);
    });
    std::printf("    competitor 7: %zu controls scored, DayTotal %.0f\n", run.report.size(), run.dayTotal);
    // The two halves on their own.
    timeWithCpu("  of which: import only", 5, [&] {
        if (fs::exists(imported)) fs::rename(imported, waiting);
        ImportResult result;
        (void)importDownload(rally.state, 1, "h1007.csv", result);
    });
    const CompetitorLogKept kept(rally);
    timeWithCpu("  of which: score only (CL file of 100,000 fixes)", 5, [&] {
        kept.putBack();
        (void)scoreCompetitor(rally.state, 1, "CL1007.csv", run);
    });
    // The same drive from a phone (GPX) and a logger writing NMEA: UTC times, one file of
    // 100,000 points each.
    rally.state.config.utcOffset = 0;
    const std::vector<TrackFix> fixes = drive.competitorFixes(7, 1.0005);
    for (const auto& [name, label, text] : {std::tuple<std::string, std::string, std::string>{
                                                "g1007.gpx", "  the same drive as GPX: import only",
                                                gpxDownloadText(fixes, rally.state.config.startDate, 0)},
                                            std::tuple<std::string, std::string, std::string>{
                                                "n1007.nmea", "  the same drive as NMEA: import only",
                                                nmeaDownloadText(fixes, rally.state.config.startDate, 0)}}) {
        rally.writeDownload(name, text);
        BenchRally::settle();
        const fs::path from = rally.state.rallyFile(RallyFolder::CompetitorsLog, name);
        const fs::path done = rally.state.rallyFile(RallyFolder::CompetitorsLogBak, name);
        ImportResult result;
        timeWithCpu(label.c_str(), 5, [&] {
            if (fs::exists(done)) fs::rename(done, from);
            if (auto st = importDownload(rally.state, 1, name, result); !st)
                std::printf("%s: %s\n", name.c_str(), st.message().c_str());
        });
        std::printf("    %s: %s\n", name.c_str(), importSummary(result).c_str());
    }
});

// The same download as two whole processes, `import` then `score`, as the organiser runs them:
// start-up, opening the rally and its lock included; no workbooks.
trakmora::bench::Register twoProcesses("tracking-processes", [] {
    BenchRally rally("processes");
    writeLargeDownload(rally);
    const fs::path waiting = rally.state.rallyFile(RallyFolder::CompetitorsLog, "h1007.csv");
    const fs::path imported = rally.state.rallyFile(RallyFolder::CompetitorsLogBak, "h1007.csv");
    const std::string cli = std::string(TRAKMORA_CLI) + " --data-root '" +
                            rally.state.paths.dataRoot().string() + "' --rally B --no-workbooks ";
    const std::string import = cli + "import --day 1 h1007.csv > /dev/null";
    const std::string score = cli + "score --day 1 CL1007.csv > /dev/null";
    auto run = [](const std::string& command) {
        if (std::system(command.c_str()) != 0) std::printf("failed: %s\n", command.c_str());
    };
    trakmora::bench::timeIt("import + score of 100,000 fixes, 100 controls, as two processes", 10, [&] {
        if (fs::exists(imported)) fs::rename(imported, waiting);
        run(import);
        run(score);
    });
    trakmora::bench::timeIt("  of which: import process", 10, [&] {
        if (fs::exists(imported)) fs::rename(imported, waiting);
        run(import);
    });
    const CompetitorLogKept kept(rally);
    trakmora::bench::timeIt("  of which: score process", 10, [&] {
        kept.putBack();
        run(score);
    });
    trakmora::bench::timeIt("  a process that only opens the rally (config)", 10,
                            [&] { run(cli + "config > /dev/null"); });
});

trakmora::bench::Register wholeDay("tracking-day", [] {
    BenchRally rally("day");
    SyntheticDriveSettings settings;
    settings.fixCount = 30000;
    settings.controlCount = 30;
    const SyntheticDrive drive(settings);
    rally.writeControls(drive.controls());
    const char letters[] = {'h', 'c', 'e', 'x'};
    for (int no = 1; no <= 250; ++no) {
        const char letter = letters[no % 4];
        const double pace = 1.0 + ((no * 37) % 21 - 10) * 0.0002; // within 0.2 % of the schedule
        const std::string name = std::string(1, letter) + "1" + formatCompNo(no) + ".csv";
        rally.writeDownload(name, downloadText(*findLoggerLayout(letter), drive.competitorFixes(no, pace),
                                               rally.state.config.startDate, rally.state.config));
    }
    BenchRally::settle();
    // As "Score all", `score` and `run` do it: the day batch, one worker per core.
    DaySummary summary;
    timeWithCpu("import and score a day of 250 competitors x 30,000 fixes", 1,
                [&] { summary = runDayBatch(rally.state, 1, DayBatch{}); });
    double total = 0;
    for (const CompetitorOutcome& c : summary.competitors)
        total += c.dayTotal;
    std::printf("    %d competitors scored on %u workers, mean DayTotal %.0f s\n", summary.competitorsScored,
                workerCount(), summary.competitorsScored ? total / summary.competitorsScored : 0.0);
});

} // namespace
