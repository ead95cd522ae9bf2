#pragma once
// Sizing, centring and bringing forward the program's windows.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace trakmora {

// Window sizes are given in twips; 15 twips make a pixel at 96 DPI.
constexpr int twips(int value) { return value / 15; }

inline void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

// Shows a screen that may be hidden, minimised or behind others.
inline void bringForward(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace trakmora
