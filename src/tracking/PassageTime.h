#pragma once
// From the reduced fixes to control scores: the two nearest candidates per control, the moment
// the competitor passed the control, and the score of the deviation from the ideal time.
#include "tracking/ReportLine.h"
#include "tracking/ShortlistLine.h"

#include <vector>

namespace trakmora {

// The 3Shortlist: each control's consecutive group of lines sorted by distance (stably, groups
// never mixing), then for control numbers 1..controlCount the first two lines of that control,
// the search for each number continuing after the lines taken for the one before.
std::vector<ShortlistLine> buildFinalShortlist(std::vector<ShortlistLine> lines, int controlCount);

// The passage time from the two candidates of a control: the foot of the perpendicular from the
// control onto the line through both fixes, placed in time between (or beyond) them.
double passageTime(const ShortlistLine& first, const ShortlistLine& second);

struct ScoreSettings {
    int competitorNo = 0;
    double dayStartTime = 0; // seconds after midnight
    double timeWindow = 600; // seconds
};

// The Report line of one control from its pair of candidates.
ReportLine scoreControl(const ShortlistLine& first, const ShortlistLine& second,
                        const ScoreSettings& settings);

// One Report line for every two consecutive 3Shortlist lines of the same control, in order.
std::vector<ReportLine> scoreFinalShortlist(const std::vector<ShortlistLine>& lines,
                                            const ScoreSettings& settings);

} // namespace trakmora
