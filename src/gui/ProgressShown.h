#pragma once
// A long run of the day (scoring every download) shown on a progress bar that stays live: the
// screen repaints between files, but takes no clicks meanwhile.
#include "tracking/ScoreDay.h"

#include <QCoreApplication>
#include <QProgressBar>

#include <algorithm>

namespace trakmora {

// Shows `bar` at 0 and returns the progress callback that moves it.
inline DayProgress progressShownOn(QProgressBar* bar) {
    bar->setValue(0);
    bar->setVisible(true);
    return [bar](int done, int total, const std::string&) {
        bar->setMaximum(std::max(total, 1));
        bar->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace trakmora
