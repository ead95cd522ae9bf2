#include "results/Corrections.h"

#include "common/Csv.h"
#include "common/EntryTable.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "results/CellState.h"
#include "results/ControlScrap.h"
#include "results/DayScore.h"
#include "results/ResultFiles.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace trakmora {

namespace {

const char* const kHeader[] = {"Id", "Entered", "Comp No", "Kind", "Control", "Value", "Reason"};

bool kindFromName(const std::string& name, CorrectionKind& kind) {
    for (CorrectionKind k : {CorrectionKind::SetControl, CorrectionKind::Penalty, CorrectionKind::Exclude})
        if (name == correctionKindName(k)) {
            kind = k;
            return true;
        }
    return false;
}

std::string enteredAt(const ProgramState& state) {
    const std::time_t t = std::chrono::system_clock::to_time_t(state.now());
    std::tm local{};
    localtime_r(&t, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min);
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::filesystem::path correctionsFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Working, "Corrections Day" + std::to_string(day) + ".csv");
}

const char* correctionKindName(CorrectionKind kind) {
    switch (kind) {
    case CorrectionKind::SetControl:
        return "control";
    case CorrectionKind::Penalty:
        return "penalty";
    case CorrectionKind::Exclude:
        break;
    }
    return "exclude";
}

std::string correctionEffectText(const AppliedCorrection& applied) {
    switch (applied.effect) {
    case CorrectionEffect::Applied:
        return "Applied";
    case CorrectionEffect::ScrappedControl:
        return "No effect: control " + std::to_string(applied.correction.control) + " is scrapped";
    case CorrectionEffect::NoResult:
        return "Not applied: competitor " + std::to_string(applied.correction.compNo) + " has no result";
    case CorrectionEffect::NoSuchControl:
        break;
    }
    return "Not applied: no score for control " + std::to_string(applied.correction.control);
}

std::string correctionText(const Correction& c) {
    std::string what;
    switch (c.kind) {
    case CorrectionKind::SetControl:
        what = "control " + std::to_string(c.control) + " set to " + formatNumber(c.value);
        break;
    case CorrectionKind::Penalty:
        what = c.value < 0 ? "bonus of " + formatNumber(-c.value) + " s"
                           : "penalty of " + formatNumber(c.value) + " s";
        break;
    case CorrectionKind::Exclude:
        what = "non-finisher";
        break;
    }
    return "No. " + std::to_string(c.id) + ", competitor " + std::to_string(c.compNo) + ", " + what + ": " +
           c.reason;
}

Status readCorrections(const ProgramState& state, int day, std::vector<Correction>& corrections) {
    corrections.clear();
    const auto file = correctionsFile(state, day);
    std::error_code ec;
    // Anything but a missing file is read, so that a folder in its place is reported by name.
    if (!std::filesystem::exists(file, ec)) return {};
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    std::vector<Correction> read;
    for (const CsvRecord& r : doc.records()) {
        if (r.line == doc.records().front().line && !r.values.empty() && r.values[0].text == kHeader[0])
            continue;
        if (auto st = doc.expectValues(r, 7); !st) return st;
        Correction c;
        long id = 0, compNo = 0, control = 0;
        std::string kind;
        if (auto st = doc.integer(r, 0, 1, 1000000, id); !st) return st;
        if (auto st = doc.text(r, 1, c.entered); !st) return st;
        if (auto st = doc.integer(r, 2, 1, kMaxEntries, compNo); !st) return st;
        if (auto st = doc.text(r, 3, kind); !st) return st;
        if (!kindFromName(kind, c.kind))
            return Status::failure(doc.problem(r.line, "unknown kind of correction \"" + kind + "\""));
        if (auto st = doc.integer(r, 4, 0, kMaxControlScores, control); !st) return st;
        if (auto st = doc.number(r, 5, c.value); !st) return st;
        if (auto st = doc.text(r, 6, c.reason); !st) return st;
        if (trimmed(c.reason).empty()) return Status::failure(doc.problem(r.line, "the reason is empty"));
        if (c.kind == CorrectionKind::SetControl && control < 1)
            return Status::failure(doc.problem(r.line, "a control correction needs a control number"));
        c.id = static_cast<int>(id);
        c.compNo = static_cast<int>(compNo);
        c.control = static_cast<int>(control);
        read.push_back(std::move(c));
    }
    corrections = std::move(read);
    return {};
}

Status writeCorrections(const ProgramState& state, int day, const std::vector<Correction>& corrections) {
    const auto file = correctionsFile(state, day);
    if (corrections.empty()) return removeIfExists(file);
    CsvWriter w;
    for (const char* h : kHeader)
        w.text(h);
    w.endRecord();
    for (const Correction& c : corrections)
        w.number(c.id)
            .text(c.entered)
            .number(c.compNo)
            .text(correctionKindName(c.kind))
            .number(c.kind == CorrectionKind::SetControl ? c.control : 0)
            .number(c.kind == CorrectionKind::Exclude ? 0 : c.value)
            .textAsTyped(c.reason)
            .endRecord();
    return writeFileAtomically(file, w.str());
}

Status addCorrection(const ProgramState& state, int day, Correction c, Correction& added) {
    if (c.compNo < 1 || c.compNo > kMaxEntries)
        return Status::failure("Competition number " + std::to_string(c.compNo) + " is not one of 1 to " +
                               std::to_string(kMaxEntries));
    if (c.kind == CorrectionKind::SetControl && (c.control < 1 || c.control > kMaxControlScores))
        return Status::failure("Control " + std::to_string(c.control) + " is not one of 1 to " +
                               std::to_string(kMaxControlScores));
    if (c.kind != CorrectionKind::Exclude && !std::isfinite(c.value))
        return Status::failure("The value of a correction must be a number");
    c.reason = trimmed(c.reason);
    if (c.reason.empty()) return Status::failure("A correction needs a reason");
    std::vector<Correction> list;
    if (auto st = readCorrections(state, day, list); !st) return st;
    int last = 0;
    for (const Correction& e : list)
        last = std::max(last, e.id);
    c.id = last + 1;
    c.entered = enteredAt(state);
    if (c.kind != CorrectionKind::SetControl) c.control = 0;
    if (c.kind == CorrectionKind::Exclude) c.value = 0;
    list.push_back(c);
    if (auto st = writeCorrections(state, day, list); !st) return st;
    added = std::move(c);
    return {};
}

Status removeCorrection(const ProgramState& state, int day, int id, Correction& removed) {
    std::vector<Correction> list;
    if (auto st = readCorrections(state, day, list); !st) return st;
    const auto it = std::find_if(list.begin(), list.end(), [id](const Correction& c) { return c.id == id; });
    if (it == list.end())
        return Status::failure("Day " + std::to_string(day) + " has no correction number " +
                               std::to_string(id));
    Correction taken = *it;
    list.erase(it);
    if (auto st = writeCorrections(state, day, list); !st) return st;
    removed = std::move(taken);
    return {};
}

CorrectedDay applyCorrections(const std::vector<Correction>& corrections,
                              const std::map<int, std::vector<double>>& measured,
                              const std::vector<int>& scrappedControls) {
    CorrectedDay day;
    for (const auto& [n, scores] : measured) {
        CorrectedScores& c = day.competitors[n];
        c.scores = scores;
        c.correctedControls.assign(scores.size(), false);
        for (double s : scores)
            c.measuredTotal += std::fabs(s);
    }
    for (const Correction& c : corrections)
        day.corrections.push_back(AppliedCorrection{c, CorrectionEffect::NoResult, 0, 0});

    // Set controls first, so that a penalty is added to the corrected control scores.
    std::vector<AppliedCorrection*> penalties;
    for (AppliedCorrection& a : day.corrections) {
        const Correction& c = a.correction;
        const auto it = day.competitors.find(c.compNo);
        if (it == day.competitors.end()) continue;
        CorrectedScores& s = it->second;
        switch (c.kind) {
        case CorrectionKind::SetControl: {
            const auto i = static_cast<std::size_t>(c.control - 1);
            if (c.control < 1 || i >= s.scores.size()) {
                a.effect = CorrectionEffect::NoSuchControl;
                break;
            }
            a.measured = measured.at(c.compNo)[i];
            if (std::find(scrappedControls.begin(), scrappedControls.end(), c.control) !=
                scrappedControls.end()) {
                a.effect = CorrectionEffect::ScrappedControl;
                a.corrected = s.scores[i];
                break;
            }
            a.effect = CorrectionEffect::Applied;
            s.scores[i] = c.value;
            s.correctedControls[i] = true;
            s.totalCorrected = true;
            a.corrected = c.value;
            break;
        }
        case CorrectionKind::Penalty:
            a.effect = CorrectionEffect::Applied;
            s.totalCorrected = true;
            penalties.push_back(&a);
            break;
        case CorrectionKind::Exclude:
            a.effect = CorrectionEffect::Applied;
            s.excluded = true;
            s.totalCorrected = true;
            break;
        }
    }
    for (auto& [n, s] : day.competitors) {
        s.total = 0;
        for (double v : s.scores)
            s.total += std::fabs(v);
    }
    for (AppliedCorrection* a : penalties) {
        CorrectedScores& s = day.competitors[a->correction.compNo];
        a->measured = s.total;
        // A bonus never takes a day total below 0.
        s.total = std::max(0.0, s.total + a->correction.value);
        a->corrected = s.total;
    }
    for (AppliedCorrection& a : day.corrections)
        if (a.correction.kind == CorrectionKind::Exclude && a.effect == CorrectionEffect::Applied)
            a.measured = a.corrected = day.competitors[a.correction.compNo].total;
    return day;
}

Status correctDay(const ProgramState& state, int day, const std::map<int, std::vector<double>>& measured,
                  CorrectedDay& out) {
    std::vector<Correction> corrections;
    if (auto st = readCorrections(state, day, corrections); !st) return st;
    std::vector<int> scrapped;
    if (!corrections.empty())
        if (auto st = scrappedControlsOfDay(state, day, scrapped); !st) return st;
    out = applyCorrections(corrections, measured, scrapped);
    return {};
}

Status readCorrectedDay(const ProgramState& state, int day, CorrectedDay& out) {
    std::map<int, std::vector<double>> measured;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const auto file = resultFile(state, day, n);
        if (!regularFileExists(file)) continue;
        if (auto st = readResultScores(file, measured[n]); !st) return st;
    }
    return correctDay(state, day, measured, out);
}

} // namespace trakmora
