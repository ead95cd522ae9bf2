#pragma once
// The picture of the individual scoring screen: red control lines and the blue logged track on a
// 07:00 to 19:00 time axis. It paints what TrackPlotModel computed, scaled to its own size.
#include "tracking/TrackPlotModel.h"

#include <QWidget>

namespace trakmora {

class TrackPlot : public QWidget {
    Q_OBJECT
public:
    explicit TrackPlot(QWidget* parent = nullptr);

    void setControls(std::vector<double> controlXs);
    void setTrack(std::vector<PlotSegment> segments);
    void clear();

    const std::vector<double>& controls() const { return model_.controlXs; }
    const std::vector<PlotSegment>& segments() const { return model_.trackSegments; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TrackPlotModel model_;
};

} // namespace trakmora
