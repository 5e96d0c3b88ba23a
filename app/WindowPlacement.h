// Where a window opens: never larger than the screen's available area, never outside it.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The client area a window opens with. wanted: the size it asks for, grown to minimum (what its
// layout needs) and then bounded by available less frame (the title bar and borders the window
// manager adds); centred on centre, then moved so that the frame lies within available.
QRect FittedGeometry(QSize wanted, QSize minimum, const QRect& available, const QPoint& centre,
                     const QMargins& frame);

// Gives window that geometry on the screen it opens on: centred on over's window when over is
// given and shown, else on the screen. Before the first show the frame is not known yet; a title
// bar and borders of the usual size are kept free for it.
void PlaceWindow(QWidget* window, QSize wanted, const QWidget* over = nullptr);
