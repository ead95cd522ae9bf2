#pragma once
// What the three result workbooks print. The result tables hold text; every value arrives as the
// text that stands in the table ("15.5", "NF", "12") and is placed as the spreadsheet takes typed
// text (plain numbers become numbers). Score groups are indexed 0..3 for A..D.
#include "results/DayPositionTable.h"
#include "results/DayScore.h"
#include "results/FinalPositionTable.h"

#include <array>
#include <string>
#include <vector>

namespace trakmora {

// One row of the combined day results, ordered by competition number.
struct DayScoreRow {
    std::string name;
    std::string compNo;
    std::string scoreGroup; // "A".."D"
    std::string total;
    std::vector<std::string> controlScores; // CP1..CPk in control order
};

// One line of the "Corrections" sheet: a jury decision and what it did.
struct CorrectionRow {
    std::string compNo;
    std::string name;
    std::string kind; // "control", "penalty", "exclude"
    std::string control;
    std::string measured;
    std::string corrected;
    std::string reason;
};

struct DayScoreInput {
    int day = 1;
    std::string rallyName;
    int controlCount = 0; // ControlCount of the day; the header lists CP1..CP<count>, at most 40
    // A corrected control score or total carries an asterisk ("905*").
    std::vector<DayScoreRow> rows;
    // Every correction of the day; the "Corrections" sheet is added when there is one.
    std::vector<CorrectionRow> corrections{};
};

// The ranked rows of a score group on a day are the day position table's own rows.
struct DayPositionInput {
    int day = 1;
    std::string rallyName;
    std::array<std::string, 4> scoreGroupName; // ScoreGroupName of A..D
    std::array<std::vector<DayPositionRow>, 4> groups;
};

// The ranked rows of a score group in the final results are the final table's own rows.
struct FinalInput {
    int noOfDays = 1; // columns of later days are hidden
    std::string rallyName;
    std::array<std::string, 4> scoreGroupName;
    std::array<std::vector<FinalPositionRow>, 4> groups;
};

// The result bodies hold this many rows; a longer table gets as many as it needs.
inline constexpr int kResultBodyRows = 250;
// Columns of the day score header: name, number, score group, total and 40 control scores.
inline constexpr int kDayScoreColumns = 44;

} // namespace trakmora
