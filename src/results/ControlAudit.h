#pragma once
// The control audit of a scored day: per control, how the competitors' scores spread, so that a
// control set up at the wrong coordinates or with a wrong scheduled time stands out before the
// results go out. Read from the R files and the day's control file only.
//
// A score equal to +TimeWindow counts as capped (a passage outside the window or no passage at
// all); every other score is a deviation inside the window (positive = early). An R file cannot
// tell a capped control from a passage exactly TimeWindow seconds early, so the latter also counts
// as capped.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <string>
#include <vector>

namespace trakmora {

inline constexpr double kAuditMedianLimit = 30; // seconds

struct ControlAuditRow {
    int controlNo = 0;
    int competitors = 0; // R files holding a score for this control
    int inside = 0;      // scored inside the window
    int capped = 0;      // scored TimeWindow
    int backup = 0;      // timed by a backup logger (Working/Sources<day>_<no>.csv)
    // Of the scores inside the window; all 0 when there is none.
    double median = 0;
    double mean = 0;
    double iqr = 0; // third quartile minus first (linear interpolation between ranks)
    bool flagged = false;
    bool operator==(const ControlAuditRow&) const = default;
};

struct ControlAudit {
    int day = 1;
    double timeWindow = 600;
    int competitors = 0; // R files read
    std::vector<ControlAuditRow> rows;
};

// The row of one control from its scores (one per competitor). Flagged when the median of the
// scores inside the window is beyond kAuditMedianLimit either way, or more than half are capped.
ControlAuditRow auditControl(int controlNo, const std::vector<double>& scores, double timeWindow);

// Reads Marshals/cp<day>.csv and Results/R<day><nnn>.csv for numbers 1..250. Fails on a missing or
// malformed control file or a malformed R file, naming the file.
Status auditDay(const ProgramState& state, int day, ControlAudit& out);

// The printed table, one line per control, flagged controls marked "CHECK".
std::string auditTableText(const ControlAudit& audit);

} // namespace trakmora
