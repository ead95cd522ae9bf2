#include "tracking/TrackPlotModel.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

std::vector<double> controlLines(const std::vector<ControlRecord>& controls, int speedGroup) {
    std::vector<double> xs;
    if (speedGroup < 1 || speedGroup > 4) return xs;
    xs.reserve(controls.size());
    for (const ControlRecord& c : controls)
        xs.push_back(plotX(c.groupTime[static_cast<std::size_t>(speedGroup)]));
    return xs;
}

std::vector<PlotSegment> trackSegments(const std::vector<TrackFix>& fixes, double gapThreshold) {
    std::vector<PlotSegment> segments;
    for (std::size_t i = 1; i < fixes.size(); ++i) {
        const double t0 = fixes[i - 1].seconds;
        const double t1 = fixes[i].seconds;
        // The difference counts either way: a logger clock jumping back by hours must not draw a
        // line across the whole day.
        if (!(std::fabs(t1 - t0) < gapThreshold)) continue;
        const PlotSegment s{plotX(std::min(t0, t1)), plotX(std::max(t0, t1))};
        if (!segments.empty() && segments.back().x2 == s.x1)
            segments.back().x2 = s.x2;
        else
            segments.push_back(s);
    }
    return segments;
}

} // namespace trakmora
