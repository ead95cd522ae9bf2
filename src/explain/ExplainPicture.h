#pragma once
// The picture of one scored control: the competitor's fixes around it in plan view, the control,
// the distance window circle, the two candidate fixes and the passage point with its time and the
// score. The geometry is shared by the PNG and the scoring screen's map.
#include "explain/ExplainData.h"
#include "explain/PlanView.h"
#include "explain/RgbImage.h"

#include <string>
#include <vector>

namespace trakmora {

struct ExplainGeometry {
    double metresPerPixel = 1;
    PixelPoint control;
    double circleRadius = 0; // pixels: the distance window
    std::vector<PixelPoint> track;
    std::vector<bool> joined;           // track[i] follows track[i - 1] in the log (no fix left out between)
    std::vector<PixelPoint> otherTrack; // the other logger of a pair, joined the same way
    std::vector<bool> otherJoined;
    bool hasFirst = false, hasSecond = false, hasPassage = false;
    PixelPoint first, second, passage;
};

// The scale shows 1.25 distance windows around the control, more when a candidate or the passage
// point lies further out (at most three windows).
ExplainGeometry explainGeometry(const ExplainScene& scene, int width, int height, int margin);

// The text lines under the picture: who and which control, then the times and the score.
std::vector<std::string> explainCaption(const ExplainScene& scene);

RgbImage explainPicture(const ExplainScene& scene, int width, int height);

} // namespace trakmora
