#include "gui/QtMessages.h"

#include "gui/QtText.h"

#include <QApplication>
#include <QMessageBox>
#include <QWindow>

namespace trakmora {

QtMessages::QtMessages(QWidget* fallback) : fallback_(fallback) {
    // The active window is gone while a box is up or the desktop has another program in front:
    // remember the last of ours that was.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &connections_, [this](QWindow* window) {
        if (!window) return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window && !qobject_cast<QMessageBox*>(w)) lastActive_ = w;
    });
}

QWidget* QtMessages::boxParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow(); active && !qobject_cast<QMessageBox*>(active))
        return active;
    if (lastActive_ && lastActive_->isVisible()) return lastActive_;
    return fallback_;
}

void QtMessages::info(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Trakmora"), qText(text), QMessageBox::Ok,
                    boxParent());
    box.exec();
}

bool QtMessages::ask(const std::string& title, const std::string& text) {
    return QMessageBox::question(boxParent(), qText(title), qText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace trakmora
