#pragma once
// The plan view of a control and the fixes around it, for pictures only: positions are projected
// flat around the control with the cosine of its latitude (scoring keeps its own distance rule),
// then scaled so that a chosen radius around the control fills the picture.
namespace trakmora {

inline constexpr double kMetresPerDegree = 6371000.0 * 3.14159265358979323846 / 180.0;

struct PlanPoint {
    double x = 0; // metres east of the centre
    double y = 0; // metres north of the centre
};

struct PixelPoint {
    double x = 0; // right
    double y = 0; // down
};

class PlanView {
public:
    // A picture of width x height pixels with the centre in its middle and `radius` metres around
    // it inside the picture, `margin` pixels left free at the nearer edges.
    PlanView(double centreLat, double centreLon, double radius, int width, int height, int margin);
    PlanPoint toPlan(double lat, double lon) const;
    PixelPoint toPixel(const PlanPoint& p) const;
    PixelPoint toPixel(double lat, double lon) const { return toPixel(toPlan(lat, lon)); }
    double pixelsPerMetre() const { return scale_; }
    double metresPerPixel() const { return 1 / scale_; }

private:
    double lat0_, lon0_, cosLat_, scale_;
    int width_, height_;
};

} // namespace trakmora
