#pragma once
// The bar chart of the passing window of the line after the current one: a strip standing for
// the whole window, one bar per speed group in use spanning that group's own window.
#include "schedule/ScheduleDisplay.h"

#include <QWidget>

namespace trakmora {

class frmScheduleChart : public QWidget {
    Q_OBJECT
public:
    explicit frmScheduleChart(QWidget* parent = nullptr);
    void setWindow(const PassingWindowView& view);
    const PassingWindowView& window() const { return view_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PassingWindowView view_;
};

} // namespace trakmora
