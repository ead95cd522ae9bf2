#include "results/ControlAudit.h"

#include "common/Format.h"
#include "results/DayMatrix.h"
#include "results/DayScore.h"
#include "results/ResultFiles.h"
#include "schedule/ControlFile.h"
#include "tracking/BackupLogger.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace trakmora {
namespace {

// The value at fraction q (0..1) of the sorted values, interpolated between neighbouring ranks.
double quantile(const std::vector<double>& sorted, double q) {
    if (sorted.empty()) return 0;
    const double pos = q * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(pos));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (pos - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

std::string fixed1(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", value == 0 ? 0.0 : value);
    return buf;
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

ControlAuditRow auditControl(int controlNo, const std::vector<double>& scores, double timeWindow) {
    ControlAuditRow row;
    row.controlNo = controlNo;
    row.competitors = static_cast<int>(scores.size());
    std::vector<double> inside;
    for (double s : scores) {
        if (s == timeWindow)
            ++row.capped;
        else
            inside.push_back(s);
    }
    row.inside = static_cast<int>(inside.size());
    if (!inside.empty()) {
        std::sort(inside.begin(), inside.end());
        double sum = 0;
        for (double s : inside)
            sum += s;
        row.mean = sum / static_cast<double>(inside.size());
        row.median = quantile(inside, 0.5);
        row.iqr = quantile(inside, 0.75) - quantile(inside, 0.25);
    }
    row.flagged =
        (row.inside > 0 && std::fabs(row.median) > kAuditMedianLimit) || 2 * row.capped > row.competitors;
    return row;
}

Status auditDay(const ProgramState& state, int day, ControlAudit& out) {
    std::vector<ControlRecord> controls;
    const auto controlFile = dayControlFile(state, day);
    if (!regularFileExists(controlFile))
        return Status::failure("The control file " + controlFile.string() + " does not exist");
    if (auto st = readControlFile(controlFile, controls); !st) return st;

    ControlAudit audit;
    audit.day = day;
    audit.timeWindow = state.config.timeWindow;
    std::vector<std::vector<double>> perControl(controls.size());
    std::vector<std::vector<int>> backupControls(kMatrixCells + 1);
    for (int n = 1; n <= kMatrixCells; ++n) {
        const auto file = resultFile(state, day, n);
        if (!regularFileExists(file)) continue;
        std::vector<double> scores;
        if (auto st = readResultScores(file, scores); !st) return st;
        ++audit.competitors;
        // Scores are in control order; an R file may hold fewer scores than the day has controls.
        for (std::size_t i = 0; i < scores.size() && i < controls.size(); ++i)
            perControl[i].push_back(scores[i]);
        if (auto st = readBackupControls(state, day, n, backupControls[static_cast<std::size_t>(n)]); !st)
            return st;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        audit.rows.push_back(auditControl(controls[i].no, perControl[i], audit.timeWindow));
        for (const auto& timed : backupControls)
            audit.rows.back().backup +=
                static_cast<int>(std::count(timed.begin(), timed.end(), controls[i].no));
    }
    out = std::move(audit);
    return {};
}

std::string auditTableText(const ControlAudit& audit) {
    std::string text = "Control audit, day " + std::to_string(audit.day) + ": " +
                       std::to_string(audit.competitors) +
                       (audit.competitors == 1 ? " competitor" : " competitors") + ", time window " +
                       formatNumber(audit.timeWindow) + " s\n";
    // The backup column only for a day where a backup logger timed a control.
    const bool backups = std::any_of(audit.rows.begin(), audit.rows.end(),
                                     [](const ControlAuditRow& r) { return r.backup > 0; });
    text += std::string("Control  Scored  Inside  Capped") + (backups ? "  Backup" : "") +
            "   Median     Mean      IQR\n";
    for (const auto& r : audit.rows) {
        text += padLeft(std::to_string(r.controlNo), 7) + padLeft(std::to_string(r.competitors), 8) +
                padLeft(std::to_string(r.inside), 8) + padLeft(std::to_string(r.capped), 8) +
                (backups ? padLeft(std::to_string(r.backup), 8) : std::string()) +
                (r.inside == 0
                     ? padLeft("-", 9) + padLeft("-", 9) + padLeft("-", 9) // nothing inside the window
                     : padLeft(fixed1(r.median), 9) + padLeft(fixed1(r.mean), 9) + padLeft(fixed1(r.iqr), 9));
        if (r.flagged) text += "  CHECK";
        text += '\n';
    }
    return text;
}

} // namespace trakmora
