// import, score: logger downloads into competitor logs, competitor logs into day results.
#include "cli/CommandSteps.h"
#include "common/Format.h"
#include "common/RallyConfig.h"
#include "reports/ReportInputs.h"
#include "tracking/ScoreDay.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace trakmora::cli {

namespace {

struct DayFiles {
    int day = 1;
    std::vector<std::string> files;
    DaySummary* summary = nullptr; // the run's table of competitors, when one is kept
};

// "[3/250] " before each line of a long batch.
std::string progress(std::size_t index, std::size_t count) {
    return "[" + std::to_string(index + 1) + "/" + std::to_string(count) + "] ";
}

int runImport(CliContext& ctx, const DayFiles& args) {
    std::vector<std::string> files = args.files;
    if (files.empty()) files = listCompetitorFiles(*ctx.state, args.day).downloads;
    if (files.empty()) std::cout << "No downloads waiting for day " << args.day << '\n';
    int status = 0;
    const auto clashes = sameCompetitorFiles(files, 1);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::cout << progress(i, files.size()) << files[i] << ": ";
        if (const auto clash = clashes.find(files[i]); clash != clashes.end()) {
            std::cout << clash->second << '\n';
            if (args.summary) noteImport(*args.summary, files[i], Status::failure(clash->second));
            status = 1;
            continue;
        }
        ImportResult result;
        const Status st = importDownload(*ctx.state, args.day, files[i], result);
        if (args.summary) noteImport(*args.summary, files[i], st);
        if (st) {
            std::cout << result.fixesKept << " fixes kept of " << result.recordsRead << " records -> "
                      << result.clFileName;
            if (!result.earlierBackup.empty())
                std::cout << " (the earlier download of that name is kept as Bak/" << result.earlierBackup
                          << ')';
            std::cout << '\n';
        } else {
            std::cout << st.message() << '\n';
            status = 1;
        }
    }
    return status;
}

int runScore(CliContext& ctx, const DayFiles& args) {
    std::vector<std::string> files = args.files;
    if (files.empty()) files = listCompetitorFiles(*ctx.state, args.day).clFiles;
    if (files.empty()) std::cout << "No competitor logs waiting for day " << args.day << '\n';
    int status = 0;
    const auto clashes = sameCompetitorFiles(files, 2);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::cout << progress(i, files.size()) << files[i] << ": ";
        if (const auto clash = clashes.find(files[i]); clash != clashes.end()) {
            std::cout << clash->second << '\n';
            if (args.summary) noteScoring(*args.summary, files[i], Status::failure(clash->second), {});
            status = 1;
            continue;
        }
        ScoringRun run;
        const Status st = scoreCompetitor(*ctx.state, args.day, files[i], run);
        if (args.summary) noteScoring(*args.summary, files[i], st, run);
        if (!st) {
            std::cout << st.message() << '\n';
            status = 1;
            if (st.message() == kNoControlsLoaded) { // the same for every competitor of the day
                for (std::size_t rest = i + 1; args.summary && rest < files.size(); ++rest)
                    noteScoring(*args.summary, files[rest], st, {});
                break;
            }
            continue;
        }
        std::cout << "competitor " << run.competitorNo << ", speed group " << groupLetter(run.speedGroup)
                  << ", " << run.report.size() << " controls, DayTotal " << formatNumber(run.dayTotal)
                  << " -> " << resultFileName(run.day, run.competitorNo) << '\n';
        const Status sheet = writeProvisionalSheet(*ctx.state, provisionalSheetFor(*ctx.state, run));
        if (args.summary) noteAfterScoring(*args.summary, files[i], sheet);
        if (reportWorkbook(ctx, sheet, provisionalSheetFile(*ctx.state, run.day, run.competitorNo)))
            status = 1;
    }
    return status;
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

int importCommand(CliContext& ctx, int day, const std::vector<std::string>& files, DaySummary* summary) {
    return runImport(ctx, DayFiles{day, files, summary});
}

int scoreCommand(CliContext& ctx, int day, const std::vector<std::string>& files, DaySummary* summary) {
    return runScore(ctx, DayFiles{day, files, summary});
}

void addTrackingCommands(CLI::App& app, CliContext& ctx) {
    addDayCommand(app, ctx, "import", "Import logger downloads into competitor logs (CL files)",
                  "Download file names in CompetitorsLog (default: every download waiting for the day)",
                  runImport);
    addDayCommand(app, ctx, "score", "Score competitor logs into R files",
                  "CL file names in CompetitorsLog (default: every CL file of the day)", runScore);
}

} // namespace trakmora::cli
