#pragma once
// The day matrix of the group scoring screen as one widget: the shown cells painted in their
// state's colour with their number, a click on a cell reported by its number, and a tooltip per
// cell that the screen words (the crew and its total).
#include "results/DayMatrix.h"

#include <QWidget>

#include <functional>

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
    // The tooltip of a cell: `describe` gives the text for a competition number.
    void setCellDescription(std::function<QString(int compNo)> describe) { describe_ = std::move(describe); }
    // The tooltip at a point of the widget; empty off the shown cells.
    QString toolTipAt(QPoint p) const;

signals:
    void cellClicked(int compNo);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    DayMatrix matrix_;
    int shown_ = 0;
    std::function<QString(int)> describe_;
};

} // namespace trakmora
