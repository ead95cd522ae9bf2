#pragma once
// Sizing, placing and bringing forward the program's windows. A laptop desktop may be smaller
// than the size a screen was designed for: the screen then takes the room there is, its body
// scrolls, and the buttons that save or close stay in view below the scrolling part.
#include <QWidget>

namespace trakmora {

// Window sizes are given in twips; 15 twips make a pixel at 96 DPI.
constexpr int twips(int value) {
    return value / 15;
}

// The size the screen was designed for. It is kept where the desktop has room for it.
void setDesignedSize(QWidget* window, QSize size);
QSize designedSize(const QWidget* window);

// Lays `window` out as a scroll area holding `body`, with `footer` (may be null) below it, outside
// the scroll area, so that it stays in view however small the window gets.
void layOutScrolling(QWidget* window, QWidget* body, QWidget* footer = nullptr);

// The room for a window's inside on the desktop that shows `near` (or the primary one): the
// available desktop less the window frame (title bar and borders).
QRect roomForWindow(const QWidget* window, const QWidget* near);

// Where a window's inside goes: its designed size bounded to `room`, centred on `centre`, then
// moved wholly into `room` (the top left wins where it cannot fit, so that the title bar stays on
// the desktop).
QRect placedInside(QSize designed, const QRect& room, QPoint centre);

// Sizes `window` to its designed size, or to the room on the desktop where that is smaller, and
// puts it centred over `opener` (the desktop's centre without one), wholly inside the available
// desktop, title bar included.
void placeOver(QWidget* window, const QWidget* opener);
inline void centreOnScreen(QWidget* window) {
    placeOver(window, nullptr);
}

// Shows a screen that may be hidden, minimised or behind others.
void bringForward(QWidget* window);

} // namespace trakmora
