// import, score: logger downloads into competitor logs, competitor logs into day results.
#include "cli/CommandSteps.h"
#include "common/Format.h"
#include "common/RallyConfig.h"
#include "reports/Printouts.h"
#include "reports/ProvisionalSheet.h"
#include "tracking/ScoreDay.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace trakmora::cli {

namespace {

struct DayFiles {
    int day = 1;
    std::vector<std::string> files;
};

// "[3/250] " before each line of a long batch.
std::string progress(std::size_t index, std::size_t count) {
    return "[" + std::to_string(index + 1) + "/" + std::to_string(count) + "] ";
}

void printImported(const ImportResult& result) {
    std::cout << importSummary(result) << " -> " << result.clFileName;
    if (!result.earlierBackup.empty())
        std::cout << " (the earlier download of that name is kept as Bak/" << result.earlierBackup << ')';
    std::cout << '\n';
}

void printScored(const ScoringRun& run) {
    std::cout << "competitor " << run.competitorNo << ", speed group " << groupLetter(run.speedGroup) << ", "
              << run.report.size() << " controls, DayTotal " << formatNumber(run.dayTotal) << " -> "
              << resultFileName(run.day, run.competitorNo);
    if (!run.backupClFileName.empty())
        std::cout << " (" << std::count(run.fromBackup.begin(), run.fromBackup.end(), true)
                  << " controls from the backup logger " << run.backupClFileName << ')';
    std::cout << '\n';
}

} // namespace

int printedDayBatch(CliContext& ctx, int day, DayBatch batch, DaySummary* summary,
                    const std::function<void(BatchStep)>& stepHeading) {
    int status = 0;
    batch.stepStarts = [&](BatchStep step, std::size_t count) {
        if (stepHeading) stepHeading(step);
        if (count == 0)
            std::cout << (step == BatchStep::Import ? "No downloads waiting for day "
                                                    : "No competitor logs waiting for day ")
                      << day << '\n';
    };
    // Every competitor scored gets its provisional result sheet, as on the screen.
    batch.afterScoring = provisionalSheetWriter(*ctx.state);
    batch.fileDone = [&](const BatchFileDone& done) {
        std::cout << progress(done.index, done.count) << done.file << ": ";
        if (!done.status) {
            std::cout << done.status.message() << '\n';
            status = 1;
        } else if (done.step == BatchStep::Import) {
            printImported(done.import);
        } else {
            printScored(done.run);
            if (!done.note.empty()) std::cout << "  " << done.note << '\n';
            if (reportWorkbook(ctx, done.afterScoring,
                               provisionalSheetFile(*ctx.state, done.run.day, done.run.competitorNo)))
                status = 1;
        }
    };
    DaySummary ran = runDayBatch(*ctx.state, day, batch);
    if (summary) *summary = std::move(ran);
    return status;
}

namespace {

int runImport(CliContext& ctx, const DayFiles& args) {
    DayBatch batch;
    batch.scoreLogs = false;
    batch.downloads = args.files;
    return printedDayBatch(ctx, args.day, batch, nullptr, {});
}

int runScore(CliContext& ctx, const DayFiles& args) {
    DayBatch batch;
    batch.importDownloads = false;
    batch.clFiles = args.files;
    return printedDayBatch(ctx, args.day, batch, nullptr, {});
}

CLI::App* addDayCommand(CLI::App& app, CliContext& ctx, const char* name, const char* help,
                        const char* filesHelp, int (*work)(CliContext&, const DayFiles&)) {
    auto args = std::make_shared<DayFiles>();
    auto* command = app.add_subcommand(name, help);
    command->add_option("--day", args->day, "Rally day")->required()->check(CLI::Range(1, kMaxDays));
    command->add_option("files", args->files, filesHelp);
    command->callback([&ctx, args, work] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx, args, work] { return work(ctx, *args); };
    });
    return command;
}

} // namespace

int importCommand(CliContext& ctx, int day, const std::vector<std::string>& files) {
    return runImport(ctx, DayFiles{day, files});
}

int scoreCommand(CliContext& ctx, int day, const std::vector<std::string>& files) {
    return runScore(ctx, DayFiles{day, files});
}

void addTrackingCommands(CLI::App& app, CliContext& ctx) {
    addDayCommand(app, ctx, "import", "Import logger downloads into competitor logs (CL files)",
                  "Download file names in CompetitorsLog (default: every download waiting for the day)",
                  runImport);
    addDayCommand(app, ctx, "score", "Score competitor logs into R files",
                  "CL file names in CompetitorsLog (default: every CL file of the day)", runScore);
}

} // namespace trakmora::cli
