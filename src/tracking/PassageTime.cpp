#include "tracking/PassageTime.h"

#include "common/Format.h"
#include "tracking/Reduction.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

namespace {

constexpr double kSecondsPerDay = 86400;

double planeDistance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

} // namespace

std::vector<ShortlistLine> buildFinalShortlist(std::vector<ShortlistLine> lines, int controlCount) {
    const auto byDistance = [](const ShortlistLine& a, const ShortlistLine& b) {
        return a.distance < b.distance;
    };
    for (auto groupStart = lines.begin(); groupStart != lines.end();) {
        const auto groupEnd = std::find_if(groupStart, lines.end(), [&](const ShortlistLine& l) {
            return l.controlNo != groupStart->controlNo;
        });
        std::stable_sort(groupStart, groupEnd, byDistance);
        groupStart = groupEnd;
    }
    std::vector<ShortlistLine> chosen;
    std::size_t from = 0;
    for (int control = 1; control <= controlCount; ++control) {
        std::size_t i = from;
        while (i < lines.size() && lines[i].controlNo != control)
            ++i;
        if (i == lines.size()) continue; // no group for this number: the search stays where it was
        chosen.push_back(lines[i]);
        from = i + 1;
        if (from < lines.size() && lines[from].controlNo == control) chosen.push_back(lines[from++]);
    }
    return chosen;
}

double passageTime(const ShortlistLine& first, const ShortlistLine& second) {
    // P1 is the earlier fix by fix number; on equal numbers the second line of the pair.
    const ShortlistLine& p1 = first.fixNo < second.fixNo ? first : second;
    const ShortlistLine& p2 = first.fixNo < second.fixNo ? second : first;
    const double x1 = p1.fixLat, y1 = p1.fixLon, t1 = p1.fixSeconds;
    const double x2 = p2.fixLat, y2 = p2.fixLon, t2 = p2.fixSeconds;
    const double xc = first.controlLat, yc = first.controlLon;
    const double dx = x2 - x1, dy = y2 - y1;
    double fx = 0, fy = 0;
    if (dx != 0 && dy != 0) {
        const double m = dy / dx;
        fx = (m * x2 - y2 + xc / m + yc) / (1 / m + m);
        fy = (fx - x2) * m + y2;
    }
    if (dx == 0) {
        fx = x2;
        fy = yc;
    }
    if (dy == 0) { // applied last: wins when both are zero
        fx = xc;
        fy = y2;
    }
    const double d1 = planeDistance(fx, fy, x1, y1);
    const double d2 = planeDistance(fx, fy, x2, y2);
    const double d12 = planeDistance(x1, y1, x2, y2);
    if (d2 == 0 || d12 == 0) return t1;
    if (d2 > d12 && d2 > d1) return t1 - (d1 / d2) * (t2 - t1); // the foot lies beyond P1
    return t1 + (d1 / d12) * (t2 - t1);
}

ReportLine scoreControl(const ShortlistLine& first, const ShortlistLine& second, const ScoreSettings& s) {
    const double offset = 60.0 * s.competitorNo;
    const double ideal = idealTime(first.groupTime, s.competitorNo);
    const double passage = passageTime(first, second);
    const double deviation = roundHalfEven(ideal - passage); // positive: early
    ReportLine r;
    r.controlNo = first.controlNo;
    r.idealClock = ideal / kSecondsPerDay;
    r.scheduledRally = (first.groupTime - s.dayStartTime) / kSecondsPerDay;
    r.controlDist = first.controlDist;
    if (deviation >= -s.timeWindow && deviation <= s.timeWindow) {
        r.passageClock = passage / kSecondsPerDay;
        r.actualRally = (passage - s.dayStartTime - offset) / kSecondsPerDay;
        r.score = deviation;
    } else {
        r.score = s.timeWindow;
    }
    return r;
}

std::vector<ReportLine> scoreFinalShortlist(const std::vector<ShortlistLine>& lines, const ScoreSettings& s) {
    std::vector<ReportLine> report;
    for (std::size_t i = 0; i + 1 < lines.size();) {
        if (lines[i].controlNo == lines[i + 1].controlNo) {
            report.push_back(scoreControl(lines[i], lines[i + 1], s));
            i += 2;
        } else {
            ++i;
        }
    }
    return report;
}

} // namespace trakmora
