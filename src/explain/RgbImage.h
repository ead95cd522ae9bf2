#pragma once
// A small RGB raster for pictures written without a GUI library: pixels, lines, circles, discs
// and a built-in 3 x 5 pixel font (digits, capitals and a few signs) drawn at any whole scale.
#include <cstdint>
#include <string_view>
#include <vector>

namespace trakmora {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

class RgbImage {
public:
    RgbImage(int width, int height, Rgb background);
    int width() const { return width_; }
    int height() const { return height_; }
    // Rows top to bottom, three bytes per pixel.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    Rgb pixel(int x, int y) const;
    // Points outside the picture are left out.
    void set(int x, int y, Rgb colour);
    void line(double x0, double y0, double x1, double y1, Rgb colour, int thickness = 1);
    void circle(double cx, double cy, double radius, Rgb colour, int thickness = 1);
    void disc(double cx, double cy, double radius, Rgb colour);
    void rect(int x, int y, int w, int h, Rgb colour);
    // Text with its top left corner at (x, y); lower case is drawn as capitals, characters the
    // font lacks as blanks. Returns the width drawn.
    int text(int x, int y, std::string_view s, Rgb colour, int scale);
    static int textWidth(std::string_view s, int scale) { return static_cast<int>(s.size()) * 4 * scale; }

private:
    int width_, height_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace trakmora
