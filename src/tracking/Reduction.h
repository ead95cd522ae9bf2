#pragma once
// The two reductions of a competitor's fixes: first every fix closer to a control than the
// distance window, then, per control after two filler lines, every such fix logged strictly
// inside the time window around the competitor's ideal time there.
#include "schedule/ControlFile.h"
#include "tracking/ShortlistLine.h"
#include "tracking/TrackFix.h"

#include <vector>

namespace trakmora {

// Metres between a control and a fix, degrees taken as plane coordinates at 100,000 metres per
// degree on both axes.
double controlDistance(double controlLat, double controlLon, double fixLat, double fixLon);

// A control's filler line: fix number, fix position and time 1, distance 5000 or 5001. Fillers
// give every control two candidates and sort behind every real fix of the distance window.
ShortlistLine fillerLine(const ControlRecord& control, double groupTime, double distance);

// The competitor is due at a control at the group time plus one minute per competition number.
inline double idealTime(double groupTime, int competitorNo) {
    return groupTime + 60.0 * competitorNo;
}

// First reduction: for each control in order, each fix in order closer than `distanceWindow`.
std::vector<ShortlistLine> reduceByDistance(const std::vector<ControlRecord>& controls, int speedGroup,
                                            const std::vector<TrackFix>& fixes, double distanceWindow);

// Second reduction: per control, its two filler lines, then the fixes closer than
// `distanceWindow` logged strictly inside ideal -/+ `timeWindow`. `kept` counts the real fixes.
std::vector<ShortlistLine> reduceByTime(const std::vector<ControlRecord>& controls, int speedGroup,
                                        const std::vector<TrackFix>& fixes, int competitorNo,
                                        double distanceWindow, double timeWindow, int& kept);

} // namespace trakmora
