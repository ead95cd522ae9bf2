#include "explain/RgbImage.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace trakmora {
namespace {

// 3 x 5 glyphs: five rows of three bits, the high bit on the left.
struct Glyph {
    char c;
    std::uint8_t rows[5];
};
constexpr Glyph kFont[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
    {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},
    {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
    {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},
    {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
    {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
    {':', {0, 2, 0, 2, 0}}, {'-', {0, 0, 7, 0, 0}}, {'+', {0, 2, 7, 2, 0}}, {'.', {0, 0, 0, 0, 2}},
    {',', {0, 0, 0, 2, 4}}, {'/', {1, 1, 2, 4, 4}}, {'(', {1, 2, 2, 2, 1}}, {')', {4, 2, 2, 2, 4}},
    {'=', {0, 7, 0, 7, 0}}, {'#', {5, 7, 5, 7, 5}},
};

const Glyph* glyph(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const auto& g : kFont)
        if (g.c == c) return &g;
    return nullptr;
}

} // namespace

RgbImage::RgbImage(int width, int height, Rgb background)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      bytes_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3) {
    for (std::size_t i = 0; i < bytes_.size(); i += 3) {
        bytes_[i] = background.r;
        bytes_[i + 1] = background.g;
        bytes_[i + 2] = background.b;
    }
}

Rgb RgbImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    const std::size_t i =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
    return {bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void RgbImage::set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const std::size_t i =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
    bytes_[i] = colour.r;
    bytes_[i + 1] = colour.g;
    bytes_[i + 2] = colour.b;
}

void RgbImage::rect(int x, int y, int w, int h, Rgb colour) {
    for (int j = std::max(y, 0); j < std::min(y + h, height_); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, width_); ++i)
            set(i, j, colour);
}

void RgbImage::disc(double cx, double cy, double radius, Rgb colour) {
    const int x0 = static_cast<int>(std::floor(cx - radius)), x1 = static_cast<int>(std::ceil(cx + radius));
    const int y0 = static_cast<int>(std::floor(cy - radius)), y1 = static_cast<int>(std::ceil(cy + radius));
    for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); ++x)
            if (std::hypot(x - cx, y - cy) <= radius) set(x, y, colour);
}

void RgbImage::line(double x0, double y0, double x1, double y1, Rgb colour, int thickness) {
    // Far-off points are clipped to a generous frame first, so a huge coordinate cannot loop for long.
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double limit = 4.0 * (width_ + height_);
    if (!std::isfinite(length) || length > 4 * limit) return;
    const int steps = std::max(1, static_cast<int>(std::ceil(length * 2)));
    const double r = thickness / 2.0;
    for (int s = 0; s <= steps; ++s) {
        const double t = static_cast<double>(s) / steps;
        const double x = x0 + t * (x1 - x0), y = y0 + t * (y1 - y0);
        if (thickness <= 1)
            set(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), colour);
        else
            disc(x, y, r, colour);
    }
}

void RgbImage::circle(double cx, double cy, double radius, Rgb colour, int thickness) {
    if (!(radius > 0) || radius > 8.0 * (width_ + height_)) return;
    const int steps = std::max(16, static_cast<int>(std::ceil(2 * std::numbers::pi * radius * 2)));
    for (int s = 0; s < steps; ++s) {
        const double a = 2 * std::numbers::pi * s / steps;
        const double x = cx + radius * std::cos(a), y = cy + radius * std::sin(a);
        if (thickness <= 1)
            set(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), colour);
        else
            disc(x, y, thickness / 2.0, colour);
    }
}

int RgbImage::text(int x, int y, std::string_view s, Rgb colour, int scale) {
    int cx = x;
    for (char c : s) {
        if (const Glyph* g = glyph(c))
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g->rows[row] & (4 >> col))
                        rect(cx + col * scale, y + row * scale, scale, scale, colour);
        cx += 4 * scale;
    }
    return cx - x;
}

} // namespace trakmora
