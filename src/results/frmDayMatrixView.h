#pragma once
// The day matrix of the group scoring screen as one widget: the shown cells painted in their
// state's colour with their number, a click on a cell reported by its number.
#include "results/DayMatrix.h"

#include <QWidget>

namespace trakmora {

class DayMatrixView : public QWidget {
    Q_OBJECT
public:
    explicit DayMatrixView(QWidget* parent = nullptr);

    void setMatrix(const DayMatrix& matrix, int shownCells);
    int shownCells() const { return shown_; }
    QSize sizeHint() const override;
    // The middle of cell n in widget coordinates (for tests and tooltips).
    QPoint cellCentre(int n) const;

signals:
    void cellClicked(int compNo);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    DayMatrix matrix_;
    int shown_ = 0;
};

} // namespace trakmora
