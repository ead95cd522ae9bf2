#pragma once
// Messages shown as plain message boxes. A box belongs to the screen the organiser is working in
// and stays above it: parenting every box to the home window would bring the home window to the
// front and bury the screen that asked.
#include "common/Messages.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace trakmora {

class QtMessages : public Messages {
public:
    // `fallback` owns the boxes raised while none of the program's windows was active.
    explicit QtMessages(QWidget* fallback = nullptr);
    void info(const std::string& text) override;
    bool ask(const std::string& title, const std::string& text) override;

    // The window a box raised now belongs to: an open modal dialog, else the program's window
    // last active (still shown), else the fallback.
    QWidget* boxParent() const;

private:
    QObject connections_; // ends the focus tracking with this object
    QPointer<QWidget> fallback_;
    QPointer<QWidget> lastActive_;
};

} // namespace trakmora
