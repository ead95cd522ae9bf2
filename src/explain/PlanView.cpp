#include "explain/PlanView.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

PlanView::PlanView(double centreLat, double centreLon, double radius, int width, int height, int margin)
    : lat0_(centreLat), lon0_(centreLon), cosLat_(std::cos(centreLat * kMetresPerDegree / 6371000.0)),
      width_(width), height_(height) {
    const double room = std::max(1.0, std::min(width, height) / 2.0 - margin);
    scale_ = room / std::max(radius, 1e-6);
}

PlanPoint PlanView::toPlan(double lat, double lon) const {
    return {(lon - lon0_) * cosLat_ * kMetresPerDegree, (lat - lat0_) * kMetresPerDegree};
}

PixelPoint PlanView::toPixel(const PlanPoint& p) const {
    return {width_ / 2.0 + p.x * scale_, height_ / 2.0 - p.y * scale_};
}

} // namespace trakmora
