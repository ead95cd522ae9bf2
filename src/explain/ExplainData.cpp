#include "explain/ExplainData.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "explain/PlanView.h"
#include "results/Corrections.h"
#include "schedule/ControlFile.h"
#include "tracking/BackupLogger.h"
#include "tracking/ClFile.h"
#include "tracking/KeptExplainFiles.h"
#include "tracking/PassageTime.h"
#include "tracking/ReportLine.h"
#include "tracking/ShortlistLine.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>

#include <cmath>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

// The 3Shortlist's filler lines carry distances 5000 and 5001; a real fix lies inside the
// distance window.
bool isFiller(const ShortlistLine& line) {
    return line.distance >= 5000;
}

TrackFix fixOf(const ShortlistLine& line) {
    return {line.fixNo, line.fixLat, line.fixLon, line.fixSeconds};
}

// The foot of the perpendicular from c onto the line through a and b, in the plane of the degree
// coordinates the passage time is computed in (a point when a and b coincide).
void foot(double ax, double ay, double bx, double by, double cx, double cy, double& fx, double& fy) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 == 0 ? 0 : ((cx - ax) * dx + (cy - ay) * dy) / len2;
    fx = ax + t * dx;
    fy = ay + t * dy;
}

} // namespace

namespace {

// The files a competitor's scenes are drawn from, read once.
struct KeptFiles {
    std::vector<ControlRecord> controls;
    std::vector<TrackFix> fixes;
    std::vector<ShortlistLine> pairs;
    std::vector<ReportLine> lines;
    std::vector<int> scrapped;
    std::vector<double> resultScores; // the R file now, one score a control
    std::vector<int> backupControls;  // timed by the backup logger
    std::vector<TrackFix> backupFixes;
};

Status readKeptFiles(const ProgramState& state, int day, int competitorNo, KeptFiles& kept) {
    for (int which = 0; which < 3; ++which)
        if (const fs::path f = keptExplainFile(state, which, day, competitorNo); !fs::is_regular_file(f))
            return Status::failure("No kept scoring data for competitor " + std::to_string(competitorNo) +
                                   " on day " + std::to_string(day) + " (" + f.string() +
                                   " is missing): score the competitor again with the explain files kept");
    if (auto st = readControlFile(state.rallyFile(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv"),
                                  kept.controls);
        !st)
        return st;
    if (auto st = readClFile(keptExplainFile(state, 0, day, competitorNo), kept.fixes); !st) return st;
    if (auto st = readShortlistFile(keptExplainFile(state, 1, day, competitorNo), kept.pairs); !st) return st;
    if (auto st = readReportFile(keptExplainFile(state, 2, day, competitorNo), kept.lines); !st) return st;
    if (!readScrappedControls(state, day, kept.controls, kept.scrapped)) kept.scrapped.clear();
    if (!readBackupControls(state, day, competitorNo, kept.backupControls)) kept.backupControls.clear();
    if (const fs::path b = keptExplainFile(state, 3, day, competitorNo); fs::is_regular_file(b))
        if (auto st = readClFile(b, kept.backupFixes); !st) return st;
    // One score a line; a file that cannot be read is left to the group scoring to report.
    CsvDocument result;
    if (CsvDocument::load(state.rallyFile(RallyFolder::Results, resultFileName(day, competitorNo)), result)) {
        CsvCursor cursor(result);
        double v = 0;
        while (!cursor.atEnd() && cursor.number(v))
            kept.resultScores.push_back(v);
    }
    return {};
}

Status sceneOf(const ProgramState& state, const KeptFiles& kept, int day, int competitorNo, int controlNo,
               ExplainScene& scene) {
    ExplainScene out;
    out.day = day;
    out.competitorNo = competitorNo;
    out.controlNo = controlNo;
    out.distanceWindow = state.config.distanceWindow;
    bool controlFound = false;
    for (const auto& c : kept.controls)
        if (c.no == controlNo) {
            out.controlLat = c.lat;
            out.controlLon = c.lon;
            controlFound = true;
        }
    if (!controlFound)
        return Status::failure("Day " + std::to_string(day) + " has no control " + std::to_string(controlNo));
    const ReportLine* line = nullptr;
    for (const auto& r : kept.lines)
        if (r.controlNo == controlNo) line = &r;
    if (!line)
        return Status::failure("Competitor " + std::to_string(competitorNo) + " has no score for control " +
                               std::to_string(controlNo) + " on day " + std::to_string(day));
    out.score = line->score;
    out.inside = line->passageClock != 0;
    out.scrapped = std::find(kept.scrapped.begin(), kept.scrapped.end(), controlNo) != kept.scrapped.end();
    out.fromBackup = std::find(kept.backupControls.begin(), kept.backupControls.end(), controlNo) !=
                     kept.backupControls.end();
    if (controlNo >= 1 && static_cast<std::size_t>(controlNo) <= kept.resultScores.size())
        out.resultScore = kept.resultScores[static_cast<std::size_t>(controlNo - 1)];
    // The jury's decisions on this control; the picture stays the measurement.
    CorrectedDay corrected;
    if (auto st = readCorrectedDay(state, day, corrected); !st) return st;
    for (const AppliedCorrection& a : corrected.corrections) {
        const Correction& c = a.correction;
        if (c.compNo != competitorNo || c.kind != CorrectionKind::SetControl || c.control != controlNo)
            continue;
        const std::string when = " (correction " + std::to_string(c.id) + ", entered " + c.entered + ")";
        out.corrections.push_back(a.effect == CorrectionEffect::Applied
                                      ? "Corrected by the jury from " + formatNumber(a.measured) + " to " +
                                            formatNumber(a.corrected) + when + ": " + c.reason
                                      : "A jury correction to " + formatNumber(c.value) + when + ": " +
                                            c.reason + ". " + correctionEffectText(a));
    }
    out.idealTime = line->idealClock * 86400;

    const auto& pairs = kept.pairs;
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
        if (pairs[i].controlNo != controlNo) continue;
        const ShortlistLine& a = pairs[i];
        const ShortlistLine& b = pairs[i + 1];
        out.hasFirst = !isFiller(a);
        out.hasSecond = !isFiller(b);
        out.first = fixOf(a);
        out.second = fixOf(b);
        if (out.hasFirst || out.hasSecond) {
            out.hasPassage = true;
            out.passageTime = passageTime(a, b);
            foot(a.fixLat, a.fixLon, b.fixLat, b.fixLon, a.controlLat, a.controlLon, out.passageLat,
                 out.passageLon);
        }
        break;
    }

    const PlanView plan(out.controlLat, out.controlLon, 1, 1, 1, 0);
    // The fixes of the logger that timed the control; a backup scored alone was kept as the CL file.
    const bool backupTrack = out.fromBackup && !kept.backupFixes.empty();
    const auto near = [&](const std::vector<TrackFix>& fixes, std::vector<TrackFix>& into) {
        for (const auto& f : fixes) {
            const PlanPoint p = plan.toPlan(f.lat, f.lon);
            if (std::hypot(p.x, p.y) <= 3 * out.distanceWindow) into.push_back(f);
        }
    };
    near(backupTrack ? kept.backupFixes : kept.fixes, out.track);
    if (!kept.backupFixes.empty()) near(backupTrack ? kept.fixes : kept.backupFixes, out.otherTrack);
    scene = std::move(out);
    return {};
}

} // namespace

Status loadExplainScene(const ProgramState& state, int day, int competitorNo, int controlNo,
                        ExplainScene& scene) {
    KeptFiles kept;
    if (auto st = readKeptFiles(state, day, competitorNo, kept); !st) return st;
    return sceneOf(state, kept, day, competitorNo, controlNo, scene);
}

Status loadExplainScenes(const ProgramState& state, int day, int competitorNo,
                         std::vector<ExplainScene>& scenes) {
    KeptFiles kept;
    if (auto st = readKeptFiles(state, day, competitorNo, kept); !st) return st;
    std::vector<ExplainScene> out;
    for (const ControlRecord& c : kept.controls) {
        ExplainScene scene;
        if (sceneOf(state, kept, day, competitorNo, c.no, scene)) out.push_back(std::move(scene));
    }
    scenes = std::move(out);
    return {};
}

std::vector<int> keptCompetitors(const ProgramState& state, int day) {
    std::vector<int> competitors;
    std::error_code ec;
    const std::string prefix = "CL" + std::to_string(day);
    for (fs::directory_iterator it(explainFolder(state), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        int competitorNo = 0;
        if (name.size() != 10 || name.rfind(prefix, 0) != 0 || name.substr(6) != ".csv") continue;
        if (!competitorNoFromClName(name, competitorNo)) continue;
        if (allExplainFilesKept(state, day, competitorNo)) competitors.push_back(competitorNo);
    }
    std::sort(competitors.begin(), competitors.end());
    return competitors;
}

} // namespace trakmora
