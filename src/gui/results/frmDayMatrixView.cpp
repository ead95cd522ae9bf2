#include "gui/results/frmDayMatrixView.h"

#include "results/MatrixLayout.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace trakmora {

namespace {

// Cells are about this square; the widget is as wide as the screen allows.
constexpr int kCellPixels = 32;

QColor colourOf(CellState state) {
    const int c = cellColour(state); // red + 256 x green + 65536 x blue
    return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
}

} // namespace

DayMatrixView::DayMatrixView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(400, 60);
    // As tall as the rows of shown cells need, so the legend sits right beneath them.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

QSize DayMatrixView::sizeHint() const {
    const MatrixLayout layout(shown_, 1, 1);
    return QSize(kCellPixels * layout.columns(), std::max(kCellPixels * layout.rows() + 1, 60));
}

void DayMatrixView::setMatrix(const DayMatrix& matrix, int shownCells) {
    matrix_ = matrix;
    shown_ = shownCells;
    setMinimumHeight(sizeHint().height());
    update();
}

QPoint DayMatrixView::cellCentre(int n) const {
    const MatrixRect r = MatrixLayout(shown_, width(), height()).cellRect(n);
    return QPoint(static_cast<int>(r.x + r.width / 2), static_cast<int>(r.y + r.height / 2));
}

QString DayMatrixView::toolTipAt(QPoint p) const {
    const int n = MatrixLayout(shown_, width(), height()).cellAt(p.x(), p.y());
    return n > 0 && describe_ ? describe_(n) : QString();
}

bool DayMatrixView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    // The tip stays while the mouse is over the same cell.
    const MatrixLayout layout(shown_, width(), height());
    const MatrixRect r = layout.cellRect(layout.cellAt(help->pos().x(), help->pos().y()));
    QToolTip::showText(help->globalPos(), text, this,
                       QRect(static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width),
                             static_cast<int>(r.height)));
    return true;
}

void DayMatrixView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const MatrixLayout layout(shown_, width(), height());
    QFont small = font();
    small.setPointSizeF(8);
    painter.setFont(small);
    for (int n = 1; n <= layout.shown(); ++n) {
        const MatrixRect r = layout.cellRect(n);
        const QRectF cell(r.x + 1, r.y + 1, r.width - 2, r.height - 2);
        painter.fillRect(cell, colourOf(matrix_.state(n)));
        painter.setPen(QColor(90, 90, 90));
        painter.drawRect(cell);
        painter.setPen(Qt::black);
        painter.drawText(cell, Qt::AlignCenter, QString::number(n));
    }
}

void DayMatrixView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF p = event->position();
    if (const int n = MatrixLayout(shown_, width(), height()).cellAt(p.x(), p.y()); n > 0)
        emit cellClicked(n);
}

} // namespace trakmora
