#pragma once
// The jury's decisions of a rally day, kept beside the scores and never inside them:
//   set control  a competitor's score for one control is replaced
//   penalty      seconds added to a competitor's day total (negative: a bonus)
//   exclude      the competitor is a non-finisher of the day
// Each has a running number, the time it was entered and a reason. They are kept in
// Working/Corrections Day<day>.csv, one per line after a header line:
//   "Id","Entered","Comp No","Kind","Control","Value","Reason"
//   1,"2026-06-26 18:40",12,"control",3,0,"Approach blocked by a tractor"
//   2,"2026-06-26 18:42",7,"penalty",0,60,"Stopped inside the control area, seen by a marshal"
//   3,"2026-06-26 18:45",21,"exclude",0,0,"Missed the start"
// Kind is "control", "penalty" or "exclude"; Control is the control of a set control (else 0);
// Value the new score of a set control or the seconds of a penalty (else 0).
//
// Every day score build applies them to the scores the R files hold (the measurement, which stays
// as scoring wrote it), so scoring again, scrapping and restoring keep them.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace trakmora {

enum class CorrectionKind { SetControl, Penalty, Exclude };

struct Correction {
    int id = 0;
    std::string entered; // "YYYY-MM-DD hh:mm", local time
    int compNo = 0;
    CorrectionKind kind = CorrectionKind::Penalty;
    int control = 0;  // SetControl only
    double value = 0; // the new score (SetControl) or the seconds (Penalty)
    std::string reason;
};

// What a correction did at the last build of the day.
enum class CorrectionEffect {
    Applied,
    ScrappedControl, // kept, but the control is scrapped for everyone: it stays 0
    NoResult,        // not applied: the competitor has no R file of the day
    NoSuchControl,   // not applied: the R file holds fewer scores than the control number
};

struct AppliedCorrection {
    Correction correction;
    CorrectionEffect effect = CorrectionEffect::Applied;
    // Set control: the control's score measured and corrected. Penalty: the day total before and
    // after the penalty. Exclude: the day total (both). 0 when not applied.
    double measured = 0;
    double corrected = 0;
};

// One competitor's scores of the day after the corrections.
struct CorrectedScores {
    std::vector<double> scores;          // R file scores with the set controls applied
    std::vector<bool> correctedControls; // per score: a correction changed it
    double measuredTotal = 0;            // sum of the absolute R file scores
    double total = 0;                    // corrected day total, never below 0
    bool totalCorrected = false;         // some correction was applied to this competitor
    bool excluded = false;
};

struct CorrectedDay {
    std::map<int, CorrectedScores> competitors; // by competition number, those with an R file
    std::vector<AppliedCorrection> corrections; // every correction of the day, in file order
};

// Working/Corrections Day<day>.csv
std::filesystem::path correctionsFile(const ProgramState& state, int day);

// "control", "penalty", "exclude"
const char* correctionKindName(CorrectionKind kind);
// "Applied", "No effect: control 3 is scrapped", "Not applied: no result of the day", ...
std::string correctionEffectText(const AppliedCorrection& applied);
// One line for the organiser: "No. 2, competitor 12, control 3 set to 0: Approach blocked ..."
std::string correctionText(const Correction& correction);

// Reads the day's corrections; a missing file is none. Fails with file and line on a malformed
// line (unknown kind, a number that is not one, an empty reason).
Status readCorrections(const ProgramState& state, int day, std::vector<Correction>& corrections);
// Replaces the file atomically (a failed write leaves the old file); no corrections remove it.
Status writeCorrections(const ProgramState& state, int day, const std::vector<Correction>& corrections);

// Checks the correction (competition number, a control of 1..100 for a set control, a reason),
// gives it the next running number and the state clock's time, and adds it to the file.
Status addCorrection(const ProgramState& state, int day, Correction correction, Correction& added);
// Takes correction `id` off the day's file; an unknown id is refused with nothing changed.
Status removeCorrection(const ProgramState& state, int day, int id, Correction& removed);

// Applies `corrections` to the measured scores of the competitors with an R file: set controls
// first, then penalties, in running number order; a set control of a scrapped control has no
// effect. Pure: reads nothing.
CorrectedDay applyCorrections(const std::vector<Correction>& corrections,
                              const std::map<int, std::vector<double>>& measured,
                              const std::vector<int>& scrappedControls);

// The day as it stands now: the R files of numbers 1..250 read and the day's corrections applied
// (with the day's scrapped controls).
Status readCorrectedDay(const ProgramState& state, int day, CorrectedDay& out);
// Reads the corrections and the scrapped controls and applies them to `measured`.
Status correctDay(const ProgramState& state, int day, const std::map<int, std::vector<double>>& measured,
                  CorrectedDay& out);

} // namespace trakmora
