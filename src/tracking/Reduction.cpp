#include "tracking/Reduction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace trakmora {

namespace {

constexpr double kMetresPerDegree = 100000;

ShortlistLine pairLine(const ControlRecord& c, double groupTime, const TrackFix& f, double distance) {
    return ShortlistLine{static_cast<double>(c.no),
                         c.lat,
                         c.lon,
                         c.dist,
                         groupTime,
                         f.fixNo,
                         f.lat,
                         f.lon,
                         f.seconds,
                         distance};
}

// True when the fix is certainly not closer than the window along one axis alone; saves the
// square root for the many fixes far from every control. The margin keeps borderline fixes for
// the exact test.
bool clearlyOutside(const ControlRecord& c, const TrackFix& f, double windowDegrees) {
    return std::fabs(c.lat - f.lat) > windowDegrees || std::fabs(c.lon - f.lon) > windowDegrees;
}

double windowInDegrees(double distanceWindow) {
    return distanceWindow / kMetresPerDegree * (1 + 1e-9) + 1e-12;
}

// The fixes in the order of one key (latitude, or time), so that each control looks only at
// the fixes near its own key value rather than at all of them. A search returns a superset of
// the fixes the exact tests keep; the exact tests then run on those alone, and the fixes kept go
// back into file order, so the shortlists are the same as a scan over every fix would give.
class KeyIndex {
public:
    using Key = double (*)(const TrackFix&);

    KeyIndex(const std::vector<TrackFix>& fixes, Key key) : fixes_(fixes), key_(key) {
        for (const TrackFix& f : fixes)
            if (!std::isfinite(key(f))) return; // never met in a CL file; scanned whole then
        // A logger writes its fixes in time order: then the file itself is searched.
        bool inOrder = true;
        for (std::size_t i = 1; inOrder && i < fixes.size(); ++i)
            inOrder = !(key(fixes[i]) < key(fixes[i - 1]));
        if (!inOrder) {
            sorted_.reserve(fixes.size());
            for (std::uint32_t i = 0; i < fixes.size(); ++i)
                sorted_.emplace_back(key(fixes[i]), i);
            std::sort(sorted_.begin(), sorted_.end());
        }
        usable_ = true;
    }

    // Every fix whose key lies within [low, high] (and, without an index, every fix), in no
    // particular order: the few the exact tests keep are put back in file order after them.
    void within(double low, double high, std::vector<std::uint32_t>& out) const {
        out.clear();
        std::uint32_t from = 0, to = static_cast<std::uint32_t>(fixes_.size());
        if (usable_ && sorted_.empty()) {
            const auto below = [this](const TrackFix& f, double value) { return key_(f) < value; };
            const auto above = [this](double value, const TrackFix& f) { return value < key_(f); };
            const auto first = std::lower_bound(fixes_.begin(), fixes_.end(), low, below);
            from = static_cast<std::uint32_t>(first - fixes_.begin());
            to = static_cast<std::uint32_t>(std::upper_bound(first, fixes_.end(), high, above) -
                                            fixes_.begin());
        } else if (usable_) {
            using Entry = std::pair<double, std::uint32_t>;
            const auto first = std::lower_bound(sorted_.begin(), sorted_.end(), low,
                                                [](const Entry& e, double value) { return e.first < value; });
            const auto last = std::upper_bound(first, sorted_.end(), high,
                                               [](double value, const Entry& e) { return value < e.first; });
            for (auto e = first; e != last; ++e)
                out.push_back(e->second);
            return;
        }
        for (std::uint32_t i = from; i < to; ++i)
            out.push_back(i);
    }

private:
    const std::vector<TrackFix>& fixes_;
    Key key_;
    bool usable_ = false;
    std::vector<std::pair<double, std::uint32_t>> sorted_; // key and fix, when not in file order
};

// Twice the window and a little more: far beyond any rounding of the exact tests.
double searchMargin(double window) {
    return 2 * std::fabs(window) + 1e-6;
}

} // namespace

double controlDistance(double controlLat, double controlLon, double fixLat, double fixLon) {
    const double dLon = controlLon - fixLon;
    const double dLat = controlLat - fixLat;
    return std::sqrt(dLon * dLon + dLat * dLat) * kMetresPerDegree;
}

ShortlistLine fillerLine(const ControlRecord& control, double groupTime, double distance) {
    return ShortlistLine{
        static_cast<double>(control.no), 1, 1, control.dist, groupTime, 1, 1, 1, 1, distance};
}

std::vector<ShortlistLine> reduceByDistance(const std::vector<ControlRecord>& controls, int speedGroup,
                                            const std::vector<TrackFix>& fixes, double distanceWindow) {
    std::vector<ShortlistLine> lines;
    const double windowDegrees = windowInDegrees(distanceWindow);
    const KeyIndex byLat(fixes, [](const TrackFix& f) { return f.lat; });
    std::vector<std::uint32_t> near;
    std::vector<std::pair<std::uint32_t, double>> kept; // fix and its distance
    for (const ControlRecord& c : controls) {
        const double groupTime = c.groupTime[static_cast<std::size_t>(speedGroup)];
        const double margin = searchMargin(windowDegrees);
        byLat.within(c.lat - margin, c.lat + margin, near);
        kept.clear();
        for (const std::uint32_t i : near) {
            const TrackFix& f = fixes[i];
            if (clearlyOutside(c, f, windowDegrees)) continue;
            const double d = controlDistance(c.lat, c.lon, f.lat, f.lon);
            if (d < distanceWindow) kept.emplace_back(i, d);
        }
        std::sort(kept.begin(), kept.end());
        for (const auto& [i, d] : kept)
            lines.push_back(pairLine(c, groupTime, fixes[i], d));
    }
    return lines;
}

std::vector<ShortlistLine> reduceByTime(const std::vector<ControlRecord>& controls, int speedGroup,
                                        const std::vector<TrackFix>& fixes, int competitorNo,
                                        double distanceWindow, double timeWindow, int& keptCount) {
    std::vector<ShortlistLine> lines;
    keptCount = 0;
    const double windowDegrees = windowInDegrees(distanceWindow);
    const KeyIndex byTime(fixes, [](const TrackFix& f) { return f.seconds; });
    std::vector<std::uint32_t> near;
    std::vector<std::pair<std::uint32_t, double>> kept; // fix and its distance
    for (const ControlRecord& c : controls) {
        const double groupTime = c.groupTime[static_cast<std::size_t>(speedGroup)];
        lines.push_back(fillerLine(c, groupTime, 5000));
        lines.push_back(fillerLine(c, groupTime, 5001));
        const double ideal = idealTime(groupTime, competitorNo);
        const double margin = searchMargin(timeWindow);
        byTime.within(ideal - margin, ideal + margin, near);
        kept.clear();
        for (const std::uint32_t i : near) {
            const TrackFix& f = fixes[i];
            if (!(f.seconds > ideal - timeWindow && f.seconds < ideal + timeWindow)) continue;
            if (clearlyOutside(c, f, windowDegrees)) continue;
            const double d = controlDistance(c.lat, c.lon, f.lat, f.lon);
            if (d < distanceWindow) kept.emplace_back(i, d);
        }
        std::sort(kept.begin(), kept.end());
        for (const auto& [i, d] : kept)
            lines.push_back(pairLine(c, groupTime, fixes[i], d));
        keptCount += static_cast<int>(kept.size());
    }
    return lines;
}

} // namespace trakmora
