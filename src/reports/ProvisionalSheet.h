#pragma once
// The provisional result sheet handed to a competitor after scoring: per control the ideal and
// actual times, the control score, and the day score, marked as provisional.
// Saved as Results/DayScore<day>_<competitor>.xlsx (DayScore1_7.xlsx for competitor 7 on day 1).
#include "common/ProgramState.h"
#include "common/Status.h"
#include "xlsx/PrintClock.h"
#include "xlsx/Workbook.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

// One ReportLine of the competitor's Report file, in file order. Times are fractions of a day, as
// the Report file holds them; a control passed outside the window has 0 as its passage and actual
// rally times and the time window as its score.
struct ProvisionalLine {
    double controlNo = 0;
    double idealClockTime = 0;     // (group time + 60 × competitor) / 86400
    double passageClockTime = 0;   // passage time / 86400, or 0
    double scheduledRallyTime = 0; // (group time − day start) / 86400
    double actualRallyTime = 0;    // (passage − day start − 60 × competitor) / 86400, or 0
    double score = 0;              // ControlScore, seconds, signed
    double distance = 0;           // km
    bool fromBackup = false;       // timed by the backup logger: "B" beside the score
    bool corrected = false;        // the jury set this score: printed with an asterisk
};

struct ProvisionalSheet {
    int day = 1;
    int competitorNo = 0;
    double dayTotal = 0;         // sum of the absolute scores, with the jury's corrections
    bool totalCorrected = false; // printed with an asterisk
    std::string rallyName;
    std::vector<ProvisionalLine> lines; // at most 100 in practice; more are still all shown
};

// The body holds this many rows even when fewer controls were scored.
inline constexpr int kProvisionalBodyRows = 100;

Workbook buildProvisionalSheet(const ProvisionalSheet& sheet, const PrintClock& clock);

// Results/DayScore<day>_<competitorNo>.xlsx of the open rally.
std::filesystem::path provisionalSheetFile(const ProgramState& state, int day, int competitorNo);

// Builds and saves the sheet with the state's clock; does nothing when workbooks are switched off.
Status writeProvisionalSheet(const ProgramState& state, const ProvisionalSheet& sheet);

} // namespace trakmora
