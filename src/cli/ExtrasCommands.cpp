// audit, publish, explain: what the organiser looks at beyond the printouts.
#include "cli/CliContext.h"
#include "common/Format.h"
#include "common/RallyConfig.h"
#include "explain/ExplainData.h"
#include "explain/ExplainPicture.h"
#include "explain/PngWriter.h"
#include "results/ControlAudit.h"
#include "results/PublishResults.h"

#include <algorithm>
#include <iostream>
#include <memory>

namespace trakmora::cli {
namespace {

int runAudit(CliContext& ctx, int day) {
    ControlAudit audit;
    if (auto st = auditDay(*ctx.state, day, audit); !st) return ctx.report(st);
    std::cout << auditTableText(audit);
    return 0;
}

struct PublishArgs {
    int day = 0;
    bool final = false;
    std::string out;
    bool official = false;
};

int runPublish(CliContext& ctx, const PublishArgs& args) {
    if ((args.day > 0) == args.final) {
        ctx.messages.info("Pass either --day N or --final");
        return 2;
    }
    ResultsPageContent content;
    const Status built = args.final ? finalPageContent(*ctx.state, args.official, content)
                                    : dayPageContent(*ctx.state, args.day, args.official, content);
    if (!built) return ctx.report(built);
    const auto file = publishedPageFile(args.out, args.final ? 0 : args.day);
    if (auto st = writeResultsPage(content, file); !st) return ctx.report(st);
    std::cout << (args.official ? "Official" : "Provisional") << " results written to " << file.string()
              << '\n';
    return 0;
}

struct ExplainArgs {
    int day = 0;
    int competitorNo = 0;
    int controlNo = 0;
    std::string png;
    int width = 720;
    int height = 800;
};

int runExplain(CliContext& ctx, const ExplainArgs& args) {
    ExplainScene scene;
    if (auto st = loadExplainScene(*ctx.state, args.day, args.competitorNo, args.controlNo, scene); !st)
        return ctx.report(st);
    for (const auto& line : explainCaption(scene))
        std::cout << line << '\n';
    if (scene.scrapped)
        std::cout << "The control is scrapped for the day: it counts 0 in the R file\n";
    else if (scene.resultScore && *scene.resultScore != scene.score)
        std::cout << "The R file now holds " << formatNumber(*scene.resultScore)
                  << " for this control: it has changed since these files were kept\n";
    for (const auto& line : scene.corrections)
        std::cout << line << '\n';
    if (args.png.empty()) return 0;
    if (auto st = writePng(explainPicture(scene, args.width, args.height), args.png); !st)
        return ctx.report(st);
    std::cout << "Picture written to " << args.png << '\n';
    return 0;
}

} // namespace

void addExtrasCommands(CLI::App& app, CliContext& ctx) {
    auto* audit =
        app.add_subcommand("audit", "Per control of a scored day: spread of the scores, doubtful controls");
    auto auditDayNo = std::make_shared<int>(0);
    audit->add_option("--day", *auditDayNo, "Rally day")->required()->check(CLI::Range(1, kMaxDays));
    audit->callback([&ctx, auditDayNo] {
        ctx.needsRally = true;
        ctx.run = [&ctx, auditDayNo] { return runAudit(ctx, *auditDayNo); };
    });

    auto* publish =
        app.add_subcommand("publish", "Write the day positions or the final positions as one web page");
    auto publishArgs = std::make_shared<PublishArgs>();
    auto* dayOption =
        publish->add_option("--day", publishArgs->day, "Rally day")->check(CLI::Range(1, kMaxDays));
    auto* finalOption = publish->add_flag("--final", publishArgs->final, "The final positions");
    dayOption->excludes(finalOption);
    publish->add_option("--out", publishArgs->out, "Folder to write the page into")->required();
    publish->add_flag("--official", publishArgs->official,
                      "Mark the results official instead of provisional");
    publish->callback([&ctx, publishArgs] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx, publishArgs] { return runPublish(ctx, *publishArgs); };
    });

    auto* explain = app.add_subcommand(
        "explain", "Show how one control of a competitor was scored, as text and a picture");
    auto explainArgs = std::make_shared<ExplainArgs>();
    explain->add_option("--day", explainArgs->day, "Rally day")->required()->check(CLI::Range(1, kMaxDays));
    explain->add_option("--comp", explainArgs->competitorNo, "Competition number")
        ->required()
        ->check(CLI::Range(1, 999));
    explain->add_option("--control", explainArgs->controlNo, "Control number")
        ->required()
        ->check(CLI::Range(1, 100));
    explain->add_option("--png", explainArgs->png, "Write the picture to this PNG file");
    explain->add_option("--width", explainArgs->width, "Picture width in pixels")
        ->check(CLI::Range(200, 4000));
    explain->add_option("--height", explainArgs->height, "Picture height in pixels")
        ->check(CLI::Range(200, 4000));
    explain->callback([&ctx, explainArgs] {
        ctx.needsRally = true;
        ctx.run = [&ctx, explainArgs] { return runExplain(ctx, *explainArgs); };
    });

    // score --keep-explain and run --keep-explain: the scoring keeps what explain draws. The state
    // exists only once the command line is parsed, so the chosen command is wrapped to set it
    // when it runs.
    auto keeps = std::make_shared<std::vector<std::shared_ptr<bool>>>();
    for (CLI::App* scoring : app.get_subcommands(
             [](CLI::App* c) { return c->get_name() == "score" || c->get_name() == "run"; })) {
        keeps->push_back(std::make_shared<bool>(false));
        scoring->add_flag("--keep-explain", *keeps->back(),
                          "Keep each competitor's files for the explain command");
    }
    app.final_callback([&ctx, keeps] {
        const bool keep = std::any_of(keeps->begin(), keeps->end(), [](const auto& k) { return *k; });
        if (!keep || !ctx.run) return;
        ctx.run = [&ctx, inner = ctx.run] {
            ctx.state->keepExplainFiles = true;
            return inner();
        };
    });
}

} // namespace trakmora::cli
