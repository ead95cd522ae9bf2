#pragma once
// The group scoring as the organiser drives it: select a day (or the Final position), mark
// non-finishers, scrap a control, load the combined day results, rank the day and the final.
// The group scoring screen and the command line both work through this class; the screen only
// draws its matrix and tables and calls the workbook writers with them.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/CombinedDayTable.h"
#include "results/DayMatrix.h"
#include "results/DayPositionTable.h"
#include "results/DayScore.h"
#include "results/FinalPositionTable.h"
#include "tracking/ScoreDay.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

class GroupScoring {
public:
    explicit GroupScoring(ProgramState& state);

    // 0 before a day is chosen, 1..NoOfDays for a rally day, NoOfDays + 1 for Final.
    int selectedDay() const { return selectedDay_; }
    int noOfDays() const;
    bool dayMode() const { return selectedDay_ >= 1 && selectedDay_ <= noOfDays(); }
    bool finalMode() const { return noOfDays() > 1 && selectedDay_ == noOfDays() + 1; }
    // The title over the matrix: the day number, "Final", or empty before a day is chosen.
    std::string dayTitle() const;
    // The number of cells the screen shows: LastEntry of speed group D, 0..250.
    int shownCells() const;

    // "Select Day": steps 1, 2, ..., NoOfDays, Final, 1, ... (a one-day rally stays on day 1) and
    // enters the new position.
    Status selectDay();
    // Enters a rally day (control count from the control file, then the day score build with its
    // matrix) or, for NoOfDays + 1, the Final position (final summation). Other values are refused.
    Status enterDay(int day);

    // Day mode only; a number without a cell changes nothing.
    Status toggleNonFinisher(int compNo);
    // The scrap panel: the chosen control steps within 1..ControlCount of the day.
    int scrapControlNo() const { return scrapControlNo_; }
    void openScrapPanel() { scrapControlNo_ = 1; }
    void previousControl();
    void nextControl();
    // Scraps a control of the selected day (default: the panel's) and forgets the combined day
    // results loaded before, which hold the totals of before. The day score is not rebuilt:
    // the totals change when the day is entered again.
    Status scrapControl();
    Status scrapControl(int controlNo);
    // Asks "Scrap control K of day D for every competitor? It sets N scores to 0."; `yes` is the
    // answer, `scores` is N. Nothing is written.
    Status askToScrap(int controlNo, bool& yes, int& scores) const;
    // The controls scrapped on the selected day (none before a day is selected).
    Status scrappedControls(std::vector<int>& controls) const;
    // Asks whether to restore the control, saying that the day is scored again.
    bool askToRestore(int controlNo) const;
    // Restores a scrapped control of the selected day (the downloads scored again, see
    // restoreScrappedControl) and builds the day again, as entering it does. Like a scrap it
    // forgets the combined day results loaded before.
    Status restoreControl(int controlNo, DaySummary& summary, const DayProgress& progress = {},
                          const AfterScoring& afterScoring = {});
    // True after a scrap or restore of the selected day until its combined day results are loaded
    // again: a day score workbook printed before holds the totals of before.
    bool combinedOutdated() const;
    // The files a scrap or restore of the selected day leaves for the organiser besides the R files:
    // the scrapped controls, the day score file and the entry list with the day totals.
    std::vector<std::filesystem::path> scrapFiles() const;
    // The jury's decisions of the selected day (Corrections.h). Each change is written, the day
    // is built again as entering it does (day score, matrix, entry list totals), the combined day
    // results loaded before are forgotten, and `outcome` says what changed in the competitor's
    // day total: "Competitor 12: day total 845 -> 905 (+60)". When the day cannot be built, the
    // change is taken back and the failure reported.
    Status addCorrection(const Correction& correction, Correction& added, std::string& outcome);
    Status removeCorrection(int id, Correction& removed, std::string& outcome);
    // Asks "Remove correction 2 of day 1? ..." for a correction of the selected day.
    bool askToRemoveCorrection(int id) const;
    // Every correction of the selected day with what it did at the last build.
    const std::vector<AppliedCorrection>& corrections() const { return dayScore_.corrections; }

    // The tooltip of cell n: the crew's number and name, then its day total (or, in the Final
    // position, its final total) or why it has none.
    std::string cellDescription(int compNo) const;

    // "Print combined day results": asks the question, then loads the day score file. `proceeded`
    // is false when the answer was No (nothing changed). "No data to load" keeps the old table.
    Status printCombinedDayResults(bool& proceeded);
    // "Print Day Position": ranks the loaded combined table with the current matrix. Refused
    // unless the table holds the selected day.
    Status printDayPositions();
    // "Final Results": Final position only, and only after a complete final summation.
    Status finalResults();

    int controlCount(int day) const;
    const DayMatrix& matrix() const { return matrix_; }
    const DayScoreBuild& dayScore() const { return dayScore_; }
    const CombinedDayTable& combined() const { return combined_; }
    const DayPositionTables& dayPositions() const { return dayPositions_; }
    const FinalPositionTables& finalPositions() const { return finalPositions_; }

private:
    Status enterRallyDay(int day);
    Status enterFinal();
    void forgetCombined();
    Status rebuildAfterCorrection(int compNo, std::string& outcome);
    Status rebuiltOrTakenBack(const std::vector<Correction>& before, int compNo, std::string& outcome);

    ProgramState& state_;
    int selectedDay_ = 0;
    int scrapControlNo_ = 1;
    std::array<int, 6> controlCount_{}; // days 1..5
    std::array<bool, 6> combinedOutdated_{};
    bool finalReady_ = false;
    std::string finalProblem_;
    DayMatrix matrix_;
    DayScoreBuild dayScore_;
    CombinedDayTable combined_;
    DayPositionTables dayPositions_;
    FinalPositionTables finalPositions_;
};

} // namespace trakmora
