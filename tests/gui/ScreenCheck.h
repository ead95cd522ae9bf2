#pragma once
// Checks shared by the screen tests: texts cut off or outside their window, and pictures of the
// screens saved to the folder named by TRAKMORA_SCREENSHOTS when it is set.
#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QtTest>

namespace trakmora::test {

// Lists the widgets whose text is cut off or that lie outside the window.
inline QStringList clippedWidgets(QWidget* window) {
    QStringList problems;
    const QRect inside = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) continue;
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
        if (text.isEmpty()) continue;
        if (!inside.contains(area)) problems << text + " lies outside the window";
        auto* label = qobject_cast<QLabel*>(w);
        const bool wraps = label && label->wordWrap();
        if (!wraps && w->width() < w->sizeHint().width()) problems << text + " is cut off";
        if (wraps && w->height() < label->heightForWidth(w->width())) problems << text + " is cut off";
    }
    return problems;
}

inline void saveScreenshot(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("TRAKMORA_SCREENSHOTS");
    if (folder.isEmpty() || name.isEmpty()) return;
    QVERIFY(window->grab().save(QDir(folder).filePath(name)));
}

} // namespace trakmora::test
