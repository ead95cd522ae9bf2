#include "explain/ExplainPicture.h"

#include "common/Format.h"

#include <algorithm>
#include <cmath>

namespace trakmora {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kGrid{232, 236, 240}, kTrack{150, 150, 150}, kFix{60, 60, 60},
    kWindow{40, 110, 220}, kControl{210, 30, 30}, kCandidate{240, 140, 0}, kPassage{20, 160, 60},
    kInk{20, 20, 20}, kOtherTrack{160, 195, 235};

double planDistance(const PlanView& plan, double lat, double lon) {
    const PlanPoint p = plan.toPlan(lat, lon);
    return std::hypot(p.x, p.y);
}

std::string clock(double seconds) {
    // Tenths of a second: passage times are interpolated between fixes.
    const double tenths = std::round(seconds * 10);
    const double whole = std::floor(tenths / 10);
    return formatClockSeconds(whole) + "." + std::to_string(static_cast<int>(tenths - whole * 10));
}

std::string signedSeconds(double v) {
    return (v > 0 ? "+" : "") + formatNumber(v) + " S";
}

// A scale bar length of 1, 2 or 5 times a power of ten metres, near a fifth of the width.
double niceLength(double metres) {
    const double p = std::pow(10, std::floor(std::log10(metres)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * p <= metres) return m * p;
    return p;
}

} // namespace

ExplainGeometry explainGeometry(const ExplainScene& scene, int width, int height, int margin) {
    const PlanView unit(scene.controlLat, scene.controlLon, 1, 1, 1, 0);
    double radius = 1.25 * scene.distanceWindow;
    const auto widen = [&](bool has, double lat, double lon) {
        if (has)
            radius = std::max(radius, std::min(1.1 * planDistance(unit, lat, lon), 3 * scene.distanceWindow));
    };
    widen(scene.hasFirst, scene.first.lat, scene.first.lon);
    widen(scene.hasSecond, scene.second.lat, scene.second.lon);
    widen(scene.hasPassage, scene.passageLat, scene.passageLon);

    const PlanView plan(scene.controlLat, scene.controlLon, radius, width, height, margin);
    ExplainGeometry g;
    g.metresPerPixel = plan.metresPerPixel();
    g.control = plan.toPixel(scene.controlLat, scene.controlLon);
    g.circleRadius = scene.distanceWindow * plan.pixelsPerMetre();
    for (std::size_t i = 0; i < scene.track.size(); ++i) {
        g.track.push_back(plan.toPixel(scene.track[i].lat, scene.track[i].lon));
        g.joined.push_back(i > 0 && scene.track[i].fixNo == scene.track[i - 1].fixNo + 1);
    }
    for (std::size_t i = 0; i < scene.otherTrack.size(); ++i) {
        g.otherTrack.push_back(plan.toPixel(scene.otherTrack[i].lat, scene.otherTrack[i].lon));
        g.otherJoined.push_back(i > 0 && scene.otherTrack[i].fixNo == scene.otherTrack[i - 1].fixNo + 1);
    }
    g.hasFirst = scene.hasFirst;
    g.hasSecond = scene.hasSecond;
    g.hasPassage = scene.hasPassage;
    if (scene.hasFirst) g.first = plan.toPixel(scene.first.lat, scene.first.lon);
    if (scene.hasSecond) g.second = plan.toPixel(scene.second.lat, scene.second.lon);
    if (scene.hasPassage) g.passage = plan.toPixel(scene.passageLat, scene.passageLon);
    return g;
}

std::vector<std::string> explainCaption(const ExplainScene& scene) {
    std::vector<std::string> lines;
    lines.push_back("DAY " + std::to_string(scene.day) + "  COMPETITOR " +
                    std::to_string(scene.competitorNo) + "  CONTROL " + std::to_string(scene.controlNo) +
                    "  WINDOW " + formatNumber(scene.distanceWindow) + " M");
    std::string times = "IDEAL " + formatClockSeconds(std::round(scene.idealTime));
    if (scene.hasPassage) times += "  PASSAGE " + clock(scene.passageTime);
    if (scene.fromBackup) times += "  B (BACKUP LOGGER)";
    lines.push_back(times);
    if (scene.inside)
        lines.push_back("DEVIATION " + signedSeconds(scene.score) +
                        (scene.score > 0   ? " (EARLY)"
                         : scene.score < 0 ? " (LATE)"
                                           : ""));
    else
        lines.push_back(
            std::string(scene.hasPassage ? "OUTSIDE THE TIME WINDOW" : "NO FIX NEAR THE CONTROL") +
            ": SCORE " + formatNumber(scene.score) + " S");
    return lines;
}

RgbImage explainPicture(const ExplainScene& scene, int width, int height) {
    const int captionHeight = 4 * 18 + 16; // three caption lines and the legend
    const int mapHeight = std::max(height - captionHeight, 50);
    RgbImage img(width, height, kWhite);
    const ExplainGeometry g = explainGeometry(scene, width, mapHeight, 24);

    // A faint grid of scale-bar squares around the control.
    const double bar = niceLength(g.metresPerPixel * width / 5);
    const double step = bar / g.metresPerPixel;
    for (double x = std::fmod(g.control.x, step); x < width; x += step)
        img.line(x, 0, x, mapHeight - 1, kGrid);
    for (double y = std::fmod(g.control.y, step); y < mapHeight; y += step)
        img.line(0, y, width - 1, y, kGrid);

    img.circle(g.control.x, g.control.y, g.circleRadius, kWindow, 2);
    // The other logger of a pair, faint under the track that timed the control.
    for (std::size_t i = 1; i < g.otherTrack.size(); ++i)
        if (g.otherJoined[i])
            img.line(g.otherTrack[i - 1].x, g.otherTrack[i - 1].y, g.otherTrack[i].x, g.otherTrack[i].y,
                     kOtherTrack, 2);
    for (const auto& p : g.otherTrack)
        img.disc(p.x, p.y, 2, kOtherTrack);
    for (std::size_t i = 1; i < g.track.size(); ++i)
        if (g.joined[i]) img.line(g.track[i - 1].x, g.track[i - 1].y, g.track[i].x, g.track[i].y, kTrack, 2);
    for (const auto& p : g.track)
        img.disc(p.x, p.y, 2.5, kFix);
    if (g.hasFirst && g.hasSecond) img.line(g.first.x, g.first.y, g.second.x, g.second.y, kCandidate, 1);
    if (g.hasPassage) img.line(g.control.x, g.control.y, g.passage.x, g.passage.y, kPassage, 1);
    const auto candidate = [&](bool has, const PixelPoint& p, const char* label) {
        if (!has) return;
        img.circle(p.x, p.y, 7, kCandidate, 3);
        img.text(static_cast<int>(p.x) + 10, static_cast<int>(p.y) - 5, label, kCandidate, 2);
    };
    candidate(g.hasFirst, g.first, "1");
    candidate(g.hasSecond, g.second, "2");
    // The control as a cross.
    img.line(g.control.x - 9, g.control.y - 9, g.control.x + 9, g.control.y + 9, kControl, 3);
    img.line(g.control.x - 9, g.control.y + 9, g.control.x + 9, g.control.y - 9, kControl, 3);
    img.text(static_cast<int>(g.control.x) + 12, static_cast<int>(g.control.y) + 8,
             "CP " + std::to_string(scene.controlNo), kControl, 2);
    if (g.hasPassage) img.disc(g.passage.x, g.passage.y, 5.5, kPassage);

    // Scale bar and north arrow.
    img.rect(12, mapHeight - 16, static_cast<int>(std::lround(step)), 4, kInk);
    img.text(12, mapHeight - 30, formatNumber(bar) + " M", kInk, 2);
    img.line(width - 20, 40, width - 20, 14, kInk, 2);
    img.line(width - 20, 14, width - 26, 22, kInk, 2);
    img.line(width - 20, 14, width - 14, 22, kInk, 2);
    img.text(width - 25, 44, "N", kInk, 2);

    // The caption area is cleared of any track drawn past the map.
    img.rect(0, mapHeight, width, height - mapHeight, kWhite);
    img.rect(0, mapHeight, width, 1, kTrack);
    int y = mapHeight + 10;
    for (const auto& line : explainCaption(scene)) {
        img.text(12, y, line, kInk, 2);
        y += 18;
    }
    // Legend: the colours of the points.
    int x = 12;
    std::vector<std::pair<Rgb, const char*>> legend = {{kFix, "FIX"},
                                                       {kCandidate, "CANDIDATE"},
                                                       {kPassage, "PASSAGE"},
                                                       {kControl, "CONTROL"},
                                                       {kWindow, "WINDOW"}};
    if (!g.otherTrack.empty()) legend.emplace_back(kOtherTrack, "OTHER LOGGER");
    for (const auto& [colour, name] : legend) {
        img.disc(x + 5, y + 5, 5, colour);
        x += 14 + img.text(x + 14, y + 1, name, kInk, 2) + 10;
    }
    return img;
}

} // namespace trakmora
