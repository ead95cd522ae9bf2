#include "results/MatrixLayout.h"

#include "results/CellState.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

MatrixLayout::MatrixLayout(int shown, double width, double height, int columns)
    : shown_(std::clamp(shown, 0, kMatrixCells)), columns_(std::max(columns, 1)) {
    const int r = rows();
    if (r == 0 || width <= 0 || height <= 0) return;
    cellWidth_ = width / columns_;
    // Cells stay no taller than they are wide, so a short matrix does not stretch into bars.
    cellHeight_ = std::min(height / r, cellWidth_);
}

int MatrixLayout::rows() const {
    return (shown_ + columns_ - 1) / columns_;
}

MatrixRect MatrixLayout::cellRect(int n) const {
    if (n < 1 || n > shown_) return {};
    const int index = n - 1;
    return {(index % columns_) * cellWidth_, (index / columns_) * cellHeight_, cellWidth_, cellHeight_};
}

int MatrixLayout::cellAt(double x, double y) const {
    if (cellWidth_ <= 0 || cellHeight_ <= 0 || x < 0 || y < 0) return 0;
    const int column = static_cast<int>(std::floor(x / cellWidth_));
    const int row = static_cast<int>(std::floor(y / cellHeight_));
    if (column >= columns_ || row >= rows()) return 0;
    const int n = row * columns_ + column + 1;
    return n <= shown_ ? n : 0;
}

} // namespace trakmora
