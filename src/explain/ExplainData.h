#pragma once
// What a picture of one scored control needs, read from the files the scoring kept in
// Working/Explain/ (tracking/KeptExplainFiles.h).
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/TrackFix.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace trakmora {

struct ExplainScene {
    int day = 1;
    int competitorNo = 0;
    int controlNo = 0;
    double controlLat = 0;
    double controlLon = 0;
    double distanceWindow = 200; // metres
    double idealTime = 0;        // seconds after midnight
    // The CL fixes within three distance windows of the control (flat distance), in log order.
    std::vector<TrackFix> track;
    // The two candidates of the 3Shortlist; a filler line is no candidate.
    bool hasFirst = false, hasSecond = false;
    TrackFix first, second;
    // The foot of the perpendicular from the control onto the line through the candidates and
    // the passage time the scoring takes from it; none when both are fillers.
    bool hasPassage = false;
    double passageLat = 0, passageLon = 0, passageTime = 0;
    double score = 0;    // the control score of the Report
    bool inside = false; // scored inside the window
    // The control's score in the competitor's R file now, when the file holds one: it differs
    // from `score` once the control was scrapped.
    std::optional<double> resultScore;
    bool scrapped = false; // the control is scrapped for the day
    // Timed by the competitor's backup logger: `track` and the candidates are the backup's.
    bool fromBackup = false;
    // The other logger's fixes within three distance windows, in log order, for a competitor
    // scored with a backup logger; none otherwise.
    std::vector<TrackFix> otherTrack;
    // The jury's corrections of this control, one line each: "Corrected to 0 by the jury
    // (correction 2, entered ...): Approach blocked by a tractor".
    std::vector<std::string> corrections{};
};

// Reads the kept files and Marshals/cp<day>.csv. Fails with a message naming what is missing:
// no kept files (scored without keeping them), or a control the competitor has no line for.
Status loadExplainScene(const ProgramState& state, int day, int competitorNo, int controlNo,
                        ExplainScene& scene);
// The scenes of every control of the day the competitor has a score for, in control order, from
// one reading of the files. Fails as loadExplainScene does when the kept files are missing.
Status loadExplainScenes(const ProgramState& state, int day, int competitorNo,
                         std::vector<ExplainScene>& scenes);

// The competitors of the day whose kept scoring files are all in Working/Explain/, ascending.
std::vector<int> keptCompetitors(const ProgramState& state, int day);

} // namespace trakmora
