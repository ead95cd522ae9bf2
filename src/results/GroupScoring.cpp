#include "results/GroupScoring.h"

#include "common/Format.h"
#include "common/RallyConfig.h"
#include "results/CombinedDayResults.h"
#include "results/ControlScrap.h"
#include "results/DayPositions.h"
#include "results/FinalResults.h"
#include "results/MatrixFiles.h"
#include "results/ResultFiles.h"
#include "schedule/ControlFile.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

GroupScoring::GroupScoring(ProgramState& state) : state_(state) {}

int GroupScoring::noOfDays() const {
    return static_cast<int>(
        std::clamp(std::round(state_.config.noOfDays), 1.0, static_cast<double>(kMaxDays)));
}

std::string GroupScoring::dayTitle() const {
    if (dayMode()) return std::to_string(selectedDay_);
    if (finalMode()) return "Final";
    return "";
}

int GroupScoring::shownCells() const {
    return static_cast<int>(
        std::clamp(std::round(state_.config.lastEntry[4]), 0.0, static_cast<double>(kMatrixCells)));
}

int GroupScoring::controlCount(int day) const {
    return day >= 1 && day <= kMaxDays ? controlCount_[static_cast<std::size_t>(day)] : 0;
}

Status GroupScoring::selectDay() {
    const int days = noOfDays();
    int next = days > 1 ? selectedDay_ + 1 : 1;
    if (next > days + 1) next = 1;
    return enterDay(next);
}

Status GroupScoring::enterDay(int day) {
    const int days = noOfDays();
    if (day >= 1 && day <= days) return enterRallyDay(day);
    if (days > 1 && day == days + 1) return enterFinal();
    return Status::failure("Day " + std::to_string(day) + " is not a day of this " + std::to_string(days) +
                           "-day rally");
}

Status GroupScoring::enterRallyDay(int day) {
    selectedDay_ = day;
    state_.rally.selectedDay = day;
    state_.selectedDayStartTime = state_.config.dayStartTime[static_cast<std::size_t>(day)];
    auto& count = controlCount_[static_cast<std::size_t>(day)];
    const auto cpFile = dayControlFile(state_, day);
    if (regularFileExists(cpFile)) {
        std::vector<ControlRecord> controls;
        if (auto st = readControlFile(cpFile, controls); !st) return st;
        count = static_cast<int>(controls.size());
    }
    if (auto st = rebuildDayMatrix(state_, day, matrix_); !st) return st;
    DayScoreBuild build;
    if (auto st = buildDayScore(state_, day, count, build); !st) return st;
    count = build.controlCount;
    dayScore_ = std::move(build);
    return {};
}

Status GroupScoring::enterFinal() {
    selectedDay_ = noOfDays() + 1;
    const Status st = sumFinalMatrix(state_, noOfDays(), matrix_);
    finalReady_ = st.ok();
    finalProblem_ = st.message();
    return st;
}

Status GroupScoring::toggleNonFinisher(int compNo) {
    if (!dayMode()) return {};
    return trakmora::toggleNonFinisher(state_, selectedDay_, compNo, matrix_);
}

void GroupScoring::previousControl() {
    scrapControlNo_ = std::max(1, scrapControlNo_ - 1);
}

void GroupScoring::nextControl() {
    if (scrapControlNo_ + 1 <= controlCount(selectedDay_)) ++scrapControlNo_;
}

Status GroupScoring::scrapControl() {
    return scrapControl(scrapControlNo_);
}

Status GroupScoring::scrapControl(int controlNo) {
    if (!dayMode()) return Status::failure("Select a rally day before scrapping a control");
    if (auto st = trakmora::scrapControl(state_, selectedDay_, controlNo, controlCount(selectedDay_)); !st)
        return st;
    forgetCombined();
    return {};
}

void GroupScoring::forgetCombined() {
    // The combined results loaded before hold the totals of before the scrap or restore: the
    // positions must not be ranked from them.
    combined_ = CombinedDayTable{};
    combinedOutdated_[static_cast<std::size_t>(selectedDay_)] = true;
}

bool GroupScoring::combinedOutdated() const {
    return dayMode() && combinedOutdated_[static_cast<std::size_t>(selectedDay_)];
}

Status GroupScoring::askToScrap(int controlNo, bool& yes, int& scores) const {
    yes = false;
    scores = 0;
    if (!dayMode()) return Status::failure("Select a rally day before scrapping a control");
    if (auto st = scoresToScrap(state_, selectedDay_, controlNo, scores); !st) return st;
    yes = state_.messages->ask("Scrap a control", scrapQuestion(selectedDay_, controlNo, scores));
    return {};
}

Status GroupScoring::scrappedControls(std::vector<int>& controls) const {
    controls.clear();
    if (!dayMode()) return {};
    return scrappedControlsOfDay(state_, selectedDay_, controls);
}

bool GroupScoring::askToRestore(int controlNo) const {
    return dayMode() && state_.messages->ask("Restore a control", restoreQuestion(selectedDay_, controlNo));
}

Status GroupScoring::restoreControl(int controlNo, DaySummary& summary, const DayProgress& progress,
                                    const AfterScoring& afterScoring) {
    summary = DaySummary{};
    if (!dayMode()) return Status::failure("Select a rally day before restoring a control");
    if (auto st = restoreScrappedControl(state_, selectedDay_, controlNo, summary, progress, afterScoring);
        !st)
        return st;
    forgetCombined();
    return enterDay(selectedDay_);
}

namespace {

const DayScoreLine* lineOf(const DayScoreBuild& build, int compNo) {
    for (const DayScoreLine& l : build.lines)
        if (l.compNo == compNo) return &l;
    return nullptr;
}

std::string totalChange(int compNo, int day, const DayScoreLine* before, const DayScoreLine* after) {
    const std::string who = "Competitor " + std::to_string(compNo);
    if (!after)
        return who + ": no result on day " + std::to_string(day) + "; the correction is kept but not applied";
    const double was = before ? before->total : after->measuredTotal;
    const double diff = after->total - was;
    std::string text = who + ": day total " + formatNumber(was) + " -> " + formatNumber(after->total) + " (" +
                       (diff > 0 ? "+" : "") + (diff == 0 ? "no change" : formatNumber(diff)) + ")";
    const bool wasExcluded = before && before->excluded;
    if (after->excluded && !wasExcluded) text += ", non-finisher of the day";
    if (!after->excluded && wasExcluded) text += ", no longer excluded";
    return text;
}

} // namespace

Status GroupScoring::rebuildAfterCorrection(int compNo, std::string& outcome) {
    const DayScoreBuild before = dayScore_;
    forgetCombined();
    if (auto st = enterDay(selectedDay_); !st) return st;
    outcome = totalChange(compNo, selectedDay_, lineOf(before, compNo), lineOf(dayScore_, compNo));
    return {};
}

Status GroupScoring::rebuiltOrTakenBack(const std::vector<Correction>& before, int compNo,
                                        std::string& outcome) {
    const Status built = rebuildAfterCorrection(compNo, outcome);
    if (built) return built;
    // The day could not be built with the change: the change is taken back, so that the day's
    // files agree with its corrections and trying again does not enter a decision twice.
    if (auto undo = writeCorrections(state_, selectedDay_, before); !undo)
        return Status::failure(built.message() + "; " + undo.message());
    // The day as before the change; a problem here is the one just reported.
    static_cast<void>(enterDay(selectedDay_));
    return Status::failure(built.message() + " (the day's corrections are left as they were)");
}

Status GroupScoring::addCorrection(const Correction& correction, Correction& added, std::string& outcome) {
    outcome.clear();
    if (!dayMode()) return Status::failure("Select a rally day before entering a correction");
    std::vector<Correction> before;
    if (auto st = readCorrections(state_, selectedDay_, before); !st) return st;
    if (auto st = trakmora::addCorrection(state_, selectedDay_, correction, added); !st) return st;
    return rebuiltOrTakenBack(before, added.compNo, outcome);
}

Status GroupScoring::removeCorrection(int id, Correction& removed, std::string& outcome) {
    outcome.clear();
    if (!dayMode()) return Status::failure("Select a rally day before removing a correction");
    std::vector<Correction> before;
    if (auto st = readCorrections(state_, selectedDay_, before); !st) return st;
    if (auto st = trakmora::removeCorrection(state_, selectedDay_, id, removed); !st) return st;
    return rebuiltOrTakenBack(before, removed.compNo, outcome);
}

bool GroupScoring::askToRemoveCorrection(int id) const {
    if (!dayMode()) return false;
    std::string what = "correction " + std::to_string(id);
    for (const AppliedCorrection& a : dayScore_.corrections)
        if (a.correction.id == id) what = correctionText(a.correction);
    return state_.messages->ask("Remove a correction", "Remove this correction of day " +
                                                           std::to_string(selectedDay_) + "?\n" + what +
                                                           "\nThe day is built again without it.");
}

std::vector<std::filesystem::path> GroupScoring::scrapFiles() const {
    if (!dayMode()) return {};
    return {scrappedControlsFile(state_, selectedDay_), dayScoreFile(state_, selectedDay_),
            state_.rallyFile(RallyFolder::EntryList, "EntryList.csv")};
}

std::string GroupScoring::cellDescription(int compNo) const {
    std::string text = "No. " + std::to_string(compNo);
    const auto entry = std::find_if(state_.entries.entries.begin(), state_.entries.entries.end(),
                                    [compNo](const Entry& e) { return e.compNo == compNo; });
    text += entry != state_.entries.entries.end() ? ": " + entry->name : ": no entry";
    if (finalMode()) {
        if (entry == state_.entries.entries.end()) return text;
        double final = 0;
        for (int d = 1; d <= noOfDays(); ++d)
            final += entry->dayResult[static_cast<std::size_t>(d)];
        return text + "\nFinal total " + formatNumber(final);
    }
    if (!dayMode()) return text;
    const std::string day = "Day " + std::to_string(selectedDay_);
    const auto& lines = dayScore_.lines;
    const auto line = std::find_if(lines.begin(), lines.end(),
                                   [compNo](const DayScoreLine& l) { return l.compNo == compNo; });
    text +=
        line != lines.end() ? "\n" + day + " total " + formatNumber(line->total) : "\n" + day + ": no result";
    if (line != lines.end() && line->totalCorrected)
        text += " (corrected by the jury; measured " + formatNumber(line->measuredTotal) + ")";
    if (matrix_.state(compNo) == CellState::NonFinisher) text += "\nNon-finisher";
    return text;
}

Status GroupScoring::printCombinedDayResults(bool& proceeded) {
    proceeded = false;
    if (!dayMode()) return Status::failure("Select a rally day first");
    if (!state_.messages->ask(kCombinedQuestionTitle, kCombinedQuestionText)) return {};
    proceeded = true;
    const Status st = loadCombinedDayResults(state_, selectedDay_, controlCount(selectedDay_), combined_);
    if (st) combinedOutdated_[static_cast<std::size_t>(selectedDay_)] = false;
    return st;
}

Status GroupScoring::printDayPositions() {
    if (!dayMode()) return Status::failure("Select a rally day first");
    // Ranking another day's rows would put them in this day's position files.
    if (combined_.day != selectedDay_)
        return Status::failure("Print the combined day results of day " + std::to_string(selectedDay_) +
                               " first");
    return buildDayPositions(state_, selectedDay_, combined_, matrix_, dayPositions_);
}

Status GroupScoring::finalResults() {
    if (!finalMode()) return Status::failure("Select Day until the Final position is shown");
    if (!finalReady_) return Status::failure(finalProblem_);
    return buildFinalResults(state_, matrix_, finalPositions_);
}

} // namespace trakmora
