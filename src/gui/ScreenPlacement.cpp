#include "gui/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace trakmora {

namespace {

const char* const kDesignedSize = "trakmoraDesignedSize";

// Before a window manager has framed a window its frame is unknown: allow for a title bar and
// borders as wide as the usual desktops draw them.
QMargins frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    if (window->isVisible() && frame != inside)
        return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                frame.bottom() - inside.bottom()};
    return {4, 32, 4, 4};
}

const QScreen* screenFor(const QWidget* window, const QWidget* near) {
    if (near && near->screen()) return near->screen();
    if (window->screen()) return window->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

void setDesignedSize(QWidget* window, QSize size) {
    window->setProperty(kDesignedSize, size);
    window->setFixedSize(size);
}

QSize designedSize(const QWidget* window) {
    const QVariant size = window->property(kDesignedSize);
    return size.isValid() ? size.toSize() : window->size();
}

void layOutScrolling(QWidget* window, QWidget* body, QWidget* footer) {
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("screenScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    if (footer) layout->addWidget(footer);
}

QRect roomForWindow(const QWidget* window, const QWidget* near) {
    const QScreen* screen = screenFor(window, near);
    if (!screen) return {};
    return screen->availableGeometry().marginsRemoved(frameOf(window));
}

QRect placedInside(QSize designed, const QRect& room, QPoint centre) {
    QRect inside(QPoint(0, 0), designed.boundedTo(room.size()));
    inside.moveCenter(centre);
    inside.moveLeft(std::max(room.left(), std::min(inside.left(), room.right() - inside.width() + 1)));
    inside.moveTop(std::max(room.top(), std::min(inside.top(), room.bottom() - inside.height() + 1)));
    return inside;
}

void placeOver(QWidget* window, const QWidget* opener) {
    const QRect room = roomForWindow(window, opener);
    if (room.isEmpty()) return;
    const QPoint centre = opener && opener->isVisible() ? opener->geometry().center() : room.center();
    const QRect inside = placedInside(designedSize(window), room, centre);
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(inside.size());
    else
        window->resize(inside.size());
    // The inside is placed, not the frame: before a window manager has framed the window its
    // frame is unknown, and a frame position would then put the title bar above the desktop.
    window->setGeometry(QRect(inside.topLeft(), window->size()));
}

void bringForward(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace trakmora
