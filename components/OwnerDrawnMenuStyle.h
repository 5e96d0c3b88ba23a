// The style of owner-drawn menus: hands size and paint requests of menu items to their handlers.
#pragma once

#include <QProxyStyle>

class QAction;
class QStyleOptionMenuItem;

// Set on a QMenuBar and on its QMenus, it makes them owner-drawn: every item that carries
// MenuItemHandlers is measured and painted by them, and the empty part of such a bar as a
// menu-bar item without a caption; items without handlers, and the rest (frames, margins),
// keep the base style.
class OwnerDrawnMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Without a base style the application's style is used.
    explicit OwnerDrawnMenuStyle(QStyle* base = nullptr);

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

    // The item of a QMenu or QMenuBar that an option was made for, or null. atItemRect: the
    // option's rectangle is the item's own (paint requests).
    static QAction* ItemOfOption(const QStyleOptionMenuItem* option, const QWidget* widget, bool atItemRect);
    // Left edge of a menu's item column in its own coordinates; it is x = 0 for the handlers.
    int MenuClientLeft(const QWidget* menu) const;
};
