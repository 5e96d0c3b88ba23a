// Where a window opens: never larger than the screen's available area, never outside it.
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

QRect FittedGeometry(QSize wanted, QSize minimum, const QRect& available, const QPoint& centre,
                     const QMargins& frame) {
    const QRect room = available.marginsRemoved(frame);
    const QSize size = wanted.expandedTo(minimum).boundedTo(room.size()).expandedTo(QSize(1, 1));
    QRect geometry(QPoint(0, 0), size);
    geometry.moveCenter(centre);
    // Left and top win when the window is larger than the room: its title bar stays on the screen.
    geometry.moveLeft(std::max(room.left(), std::min(geometry.left(), room.right() - size.width() + 1)));
    geometry.moveTop(std::max(room.top(), std::min(geometry.top(), room.bottom() - size.height() + 1)));
    return geometry;
}

void PlaceWindow(QWidget* window, QSize wanted, const QWidget* over) {
    const QWidget* parent = over ? over->window() : nullptr;
    if (parent && !parent->isVisible())
        parent = nullptr;
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QPoint centre = parent ? parent->geometry().center() : available.center();
    // The frame of a shown window is known; before that, a title bar and borders of usual size.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull()) {
        const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        frame = QMargins(border, titleBar + border, border, border);
    }
    const QRect geometry = FittedGeometry(wanted, window->minimumSizeHint(), available, centre, frame);
    window->resize(geometry.size());
    // A window's position is that of its frame.
    window->move(geometry.topLeft() - QPoint(frame.left(), frame.top()));
}
