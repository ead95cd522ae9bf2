#pragma once
// Where the cells of the day matrix lie on the group scoring screen: cells 1..shown in rows of
// `columns`, numbered left to right and top to bottom, every cell the same size. The screen
// paints from cellRect and answers clicks with cellAt; nothing else decides placement.
namespace trakmora {

struct MatrixRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

class MatrixLayout {
public:
    // `shown` cells (clamped to 0..250) in an area of width x height.
    MatrixLayout(int shown, double width, double height, int columns = 20);

    int shown() const { return shown_; }
    int columns() const { return columns_; }
    int rows() const;
    // The rectangle of cell n (1..shown); an empty rectangle for any other number.
    MatrixRect cellRect(int n) const;
    // The cell under a point, or 0 when the point lies on no shown cell.
    int cellAt(double x, double y) const;

private:
    int shown_;
    int columns_;
    double cellWidth_ = 0;
    double cellHeight_ = 0;
};

} // namespace trakmora
