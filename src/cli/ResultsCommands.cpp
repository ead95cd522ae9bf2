// day, results, final, correct: the group scoring screen's steps, each in a fresh process.
#include "cli/ResultsCommands.h"

#include "cli/CommandSteps.h"
#include "reports/Printouts.h"
#include "reports/ProvisionalSheet.h"
#include "reports/ResultWorkbooks.h"
#include "results/Corrections.h"
#include "results/DayScore.h"
#include "results/ResultFiles.h"

#include <iostream>
#include <memory>

namespace trakmora::cli {

namespace {

std::string withoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string groupTitle(const ProgramState& state, int group) {
    return std::string(1, groupLetter(group)) + ": " +
           state.config.scoreGroupName[static_cast<std::size_t>(group)];
}

Status selectRallyDay(GroupScoring& scoring, int day) {
    if (day < 1 || day > scoring.noOfDays())
        return Status::failure("Day " + std::to_string(day) + " is not a day of this " +
                               std::to_string(scoring.noOfDays()) + "-day rally");
    return scoring.enterDay(day);
}

// Restores the control: the day's downloads are scored again, each with its provisional sheet,
// and the day is built again. `troubled` is set when a file of the day failed or was not scored
// again; the summary lists them.
int restoreControl(CliContext& ctx, GroupScoring& scoring, int day, int controlNo, bool& troubled) {
    const auto progress = [](int done, int total, const std::string& file) {
        if (!file.empty()) std::cout << '[' << done + 1 << '/' << total << "] " << file << '\n';
    };
    DaySummary summary;
    if (int rc = ctx.report(
            scoring.restoreControl(controlNo, summary, progress, provisionalSheetWriter(*ctx.state))))
        return rc;
    std::cout << "Control " << controlNo << " of day " << day << " restored\n"
              << daySummaryText(summary) << '\n';
    troubled = !summary.messages.empty();
    return 0;
}

} // namespace

int dayCommand(CliContext& ctx, GroupScoring& scoring, int day, const DayCommandOptions& options) {
    for (int n : options.nonFinishers)
        if (!DayMatrix::hasCell(n))
            return ctx.report(Status::failure("Competition number " + std::to_string(n) +
                                              " has no cell in the matrix (1 to 250)"));
    if (int rc = ctx.report(selectRallyDay(scoring, day))) return rc;
    // The scrap first: a control number the day does not have is refused before any mark changes.
    if (options.scrap)
        if (int rc = ctx.report(scoring.scrapControl(*options.scrap))) return rc;
    bool troubled = false;
    if (options.unscrap)
        if (int rc = restoreControl(ctx, scoring, day, *options.unscrap, troubled)) return rc;
    for (int n : options.nonFinishers) {
        if (int rc = ctx.report(scoring.toggleNonFinisher(n))) return rc;
        const bool marked = scoring.matrix().state(n) == CellState::NonFinisher;
        std::cout << "Competitor " << n
                  << (marked ? " marked as a non-finisher" : " no longer marked as a non-finisher") << '\n';
    }
    if (!options.nonFinishers.empty() || options.scrap)
        if (int rc = ctx.report(scoring.enterDay(day))) return rc;

    const MatrixCounts counts = scoring.matrix().counts(scoring.shownCells());
    std::cout << "Day " << day << ": " << scoring.controlCount(day) << " controls\n"
              << "Finishers " << counts.finishers << ", non-finishers " << counts.nonFinishers
              << ", non-starters " << counts.nonStarters << '\n';
    for (const DayScoreLine& line : scoring.dayScore().lines)
        std::cout << withoutLineEnd(dayScoreLineText(line)) << '\n';
    return troubled ? 1 : 0;
}

int resultsCommand(CliContext& ctx, GroupScoring& scoring, int day) {
    if (scoring.selectedDay() != day)
        if (int rc = ctx.report(selectRallyDay(scoring, day))) return rc;
    bool proceeded = false;
    if (int rc = ctx.report(scoring.printCombinedDayResults(proceeded))) return rc;
    if (!proceeded) return 1;
    const ProgramState& written = *ctx.state;
    if (int rc =
            reportWorkbook(ctx, writeDayScoreWorkbook(written, scoring), dayScoreWorkbookFile(written, day)))
        return rc;
    if (int rc = ctx.report(scoring.printDayPositions())) return rc;
    if (int rc = reportWorkbook(ctx, writeDayPositionWorkbook(written, scoring),
                                dayPositionWorkbookFile(written, day)))
        return rc;

    const auto& state = *ctx.state;
    std::cout << "Day " << day << " positions\n";
    for (int g = 1; g <= 4; ++g) {
        const auto& rows = scoring.dayPositions()[static_cast<std::size_t>(g - 1)].rows;
        if (rows.empty()) continue;
        std::cout << groupTitle(state, g) << "\nPosition\tNo\tName\tScore\n";
        for (const auto& r : rows)
            std::cout << r.position << '\t' << r.compNo << '\t' << r.name << '\t' << r.total << '\n';
    }
    return 0;
}

int finalCommand(CliContext& ctx, GroupScoring& scoring) {
    if (scoring.noOfDays() < 2) {
        ctx.messages.info("A one-day rally has no Final position: its day positions are its results");
        return 1;
    }
    // Every day selected before is built again first, as stepping "Select Day" through the days
    // to Final does on the screen: the day totals in the entry list are then those of the R files
    // now, even when the entry list was copied in afresh since. A day never selected stays
    // missing, and entering Final says which.
    for (int d = 1; d <= scoring.noOfDays(); ++d)
        if (regularFileExists(finalMatrixFile(*ctx.state, d)))
            if (int rc = ctx.report(scoring.enterDay(d))) return rc;
    if (int rc = ctx.report(scoring.enterDay(scoring.noOfDays() + 1))) return rc;
    if (int rc = ctx.report(scoring.finalResults())) return rc;
    if (int rc = reportWorkbook(ctx, writeFinalWorkbook(*ctx.state, scoring), finalWorkbookFile(*ctx.state)))
        return rc;

    const auto& state = *ctx.state;
    std::cout << "Final positions\n";
    for (int g = 1; g <= 4; ++g) {
        const auto& rows = scoring.finalPositions()[static_cast<std::size_t>(g - 1)].rows;
        if (rows.empty()) continue;
        std::cout << groupTitle(state, g) << "\nPosition\tNo\tName";
        for (int d = 1; d <= scoring.noOfDays(); ++d)
            std::cout << "\tDay " << d;
        std::cout << "\tFinal\n";
        for (const auto& r : rows) {
            std::cout << r.position << '\t' << r.compNo << '\t' << r.name;
            for (int d = 1; d <= scoring.noOfDays(); ++d)
                std::cout << '\t' << r.days[static_cast<std::size_t>(d - 1)];
            std::cout << '\t' << r.final << '\n';
        }
    }
    return 0;
}

namespace {

struct CorrectArgs {
    int day = 0;
    int compNo = 0;
    int control = 0;
    double score = 0;
    double penalty = 0;
    bool exclude = false;
    std::string reason;
    bool list = false;
    int remove = 0;
    bool hasControl = false, hasPenalty = false, hasRemove = false;
};

// "No. 1, competitor 12, control 3 set to 0: Approach blocked (entered 2026-06-26 18:40; Applied)"
std::string correctionLine(const AppliedCorrection& a) {
    return correctionText(a.correction) + " (entered " + a.correction.entered + "; " +
           correctionEffectText(a) + ")";
}

int listCorrections(CliContext& ctx, int day) {
    if (day < 1 || day > kMaxDays)
        return ctx.report(Status::failure("Day " + std::to_string(day) + " is not a rally day"));
    CorrectedDay corrected;
    if (int rc = ctx.report(readCorrectedDay(*ctx.state, day, corrected))) return rc;
    if (corrected.corrections.empty()) {
        std::cout << "Day " << day << ": no corrections\n";
        return 0;
    }
    std::cout << "Day " << day << " corrections\n";
    for (const AppliedCorrection& a : corrected.corrections)
        std::cout << correctionLine(a) << '\n';
    return 0;
}

int changeCorrections(CliContext& ctx, const CorrectArgs& args) {
    GroupScoring scoring(*ctx.state);
    if (int rc = ctx.report(selectRallyDay(scoring, args.day))) return rc;
    std::string outcome;
    if (args.hasRemove) {
        Correction removed;
        if (int rc = ctx.report(scoring.removeCorrection(args.remove, removed, outcome))) return rc;
        std::cout << "Removed " << correctionText(removed) << '\n' << outcome << '\n';
        return 0;
    }
    Correction c;
    c.compNo = args.compNo;
    c.reason = args.reason;
    if (args.hasControl) {
        c.kind = CorrectionKind::SetControl;
        c.control = args.control;
        c.value = args.score;
    } else if (args.hasPenalty) {
        c.kind = CorrectionKind::Penalty;
        c.value = args.penalty;
    } else {
        c.kind = CorrectionKind::Exclude;
    }
    Correction added;
    if (int rc = ctx.report(scoring.addCorrection(c, added, outcome))) return rc;
    for (const AppliedCorrection& a : scoring.corrections())
        if (a.correction.id == added.id) std::cout << "Added " << correctionLine(a) << '\n';
    std::cout << outcome << '\n';
    return 0;
}

} // namespace

void addResultsCommands(CLI::App& app, CliContext& ctx) {
    auto* day =
        app.add_subcommand("day", "Rebuild the day score file, the matrix files and the entry list results; "
                                  "toggle non-finishers; scrap a control");
    auto dayNo = std::make_shared<int>(0);
    auto options = std::make_shared<DayCommandOptions>();
    auto scrap = std::make_shared<int>(0);
    day->add_option("--day", *dayNo, "Rally day")->required();
    day->add_option("--non-finisher", options->nonFinishers, "Toggle the non-finisher mark of these numbers");
    auto* scrapOption =
        day->add_option("--scrap", *scrap, "Scrap this control for every competitor of the day");
    auto unscrap = std::make_shared<int>(0);
    auto* unscrapOption =
        day->add_option("--unscrap", *unscrap,
                        "Restore this scrapped control: score the day again from the downloads kept in "
                        "CompetitorsLog/Bak");
    unscrapOption->excludes(scrapOption);
    day->callback([&ctx, dayNo, options, scrap, scrapOption, unscrap, unscrapOption] {
        ctx.needsRally = true;
        ctx.writes = true;
        if (*scrapOption) options->scrap = *scrap;
        if (*unscrapOption) options->unscrap = *unscrap;
        ctx.run = [&ctx, dayNo, options] {
            GroupScoring scoring(*ctx.state);
            return dayCommand(ctx, scoring, *dayNo, *options);
        };
    });

    auto* results = app.add_subcommand("results", "Combined day results and day positions");
    auto resultsDay = std::make_shared<int>(0);
    results->add_option("--day", *resultsDay, "Rally day")->required();
    results->callback([&ctx, resultsDay] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx, resultsDay] {
            GroupScoring scoring(*ctx.state);
            return resultsCommand(ctx, scoring, *resultsDay);
        };
    });

    auto* correct = app.add_subcommand(
        "correct",
        "The jury's decisions of a day: set a control's score, add a penalty, exclude a competitor; "
        "list or remove them");
    auto correctArgs = std::make_shared<CorrectArgs>();
    correct->add_option("--day", correctArgs->day, "Rally day")->required()->check(CLI::Range(1, kMaxDays));
    auto* comp = correct->add_option("--comp", correctArgs->compNo, "Competition number");
    auto* control = correct->add_option("--control", correctArgs->control, "Control whose score is set");
    auto* score = correct->add_option("--score", correctArgs->score, "The control's new score");
    auto* penalty = correct->add_option("--penalty", correctArgs->penalty,
                                        "Seconds added to the day total (negative for a bonus)");
    auto* exclude = correct->add_flag("--exclude", correctArgs->exclude, "Non-finisher of the day");
    auto* reason = correct->add_option("--reason", correctArgs->reason, "Why (required for a change)");
    auto* list = correct->add_flag("--list", correctArgs->list, "List the day's corrections");
    auto* remove = correct->add_option("--remove", correctArgs->remove, "Remove this correction");
    control->needs(score);
    score->needs(control);
    control->excludes(penalty, exclude, list, remove);
    penalty->excludes(exclude, list, remove);
    exclude->excludes(list, remove);
    list->excludes(remove, comp, reason);
    remove->excludes(comp, reason);
    for (CLI::Option* kind : {control, penalty, exclude}) {
        kind->needs(comp);
        kind->needs(reason);
    }
    correct->callback([&ctx, correctArgs, control, penalty, exclude, remove, list] {
        CorrectArgs& args = *correctArgs;
        args.hasControl = control->count() > 0;
        args.hasPenalty = penalty->count() > 0;
        args.hasRemove = remove->count() > 0;
        if (!*control && !*penalty && !*exclude && !*remove && !*list)
            throw CLI::ValidationError("correct",
                                       "give one of --control, --penalty, --exclude, --list, --remove");
        ctx.needsRally = true;
        ctx.writes = !args.list;
        ctx.run = [&ctx, correctArgs] {
            return correctArgs->list ? listCorrections(ctx, correctArgs->day)
                                     : changeCorrections(ctx, *correctArgs);
        };
    });

    auto* final = app.add_subcommand("final", "Final summation and final results");
    final->callback([&ctx] {
        ctx.needsRally = true;
        ctx.writes = true;
        ctx.run = [&ctx] {
            GroupScoring scoring(*ctx.state);
            return finalCommand(ctx, scoring);
        };
    });
}

} // namespace trakmora::cli
