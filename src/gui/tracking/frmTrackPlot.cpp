#include "gui/tracking/frmTrackPlot.h"

#include <QPainter>

namespace trakmora {

TrackPlot::TrackPlot(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(110);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void TrackPlot::setControls(std::vector<double> controlXs) {
    if (controlXs == model_.controlXs) return;
    model_.controlXs = std::move(controlXs);
    update();
}

void TrackPlot::setTrack(std::vector<PlotSegment> segments) {
    model_.trackSegments = std::move(segments);
    update();
}

void TrackPlot::clear() {
    model_ = {};
    update();
}

void TrackPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double sx = width() / plotWidth();
    const double sy = height() / kPlotHeight;

    // Hour marks along the bottom so the organiser can read the times off the picture.
    painter.setPen(QColor(190, 190, 190));
    QFont small = font();
    small.setPointSizeF(7);
    painter.setFont(small);
    for (int hour = 7; hour <= 19; ++hour) {
        const double x = plotX(hour * 3600.0) * sx;
        painter.drawLine(QPointF(x, height() - 12), QPointF(x, height()));
        if (hour < 19)
            painter.drawText(QPointF(x + 2, height() - 2), QString::number(hour).rightJustified(2, '0'));
    }

    painter.setPen(QPen(Qt::red, 1));
    for (double x : model_.controlXs)
        painter.drawLine(QPointF(x * sx, kPlotControlTop * sy), QPointF(x * sx, kPlotControlBottom * sy));

    painter.setPen(QPen(Qt::blue, 3, Qt::SolidLine, Qt::FlatCap));
    const double y = kPlotTrackY * sy;
    for (const PlotSegment& s : model_.trackSegments)
        painter.drawLine(QPointF(s.x1 * sx, y), QPointF(s.x2 * sx, y));
}

} // namespace trakmora
