// The measure and paint handlers a menu item (a QAction) carries while its menus are owner-drawn.
#pragma once

#include <QFlags>
#include <QMetaType>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QPainter;
class QRect;

// The owner-draw states a menu-bar item is painted with. Selected: its drop-down is open;
// hot: the pointer (or the keyboard) is on it while no drop-down is open.
enum OwnerDrawStateFlag {
    OwnerDrawSelected = 0x0001,
    OwnerDrawHot = 0x0040,
};
Q_DECLARE_FLAGS(OwnerDrawState, OwnerDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(OwnerDrawState)

// An item without handlers is measured and painted by the plain default style.
struct MenuItemHandlers {
    // The handlers count only while the object they belong to lives.
    QPointer<QObject> owner;
    // width and height hold the menu system's own measurement and come back enlarged.
    std::function<void(QAction* sender, QPainter* canvas, int& width, int& height)> measure;
    // Drop-down items; selected is true for the item under the highlight.
    std::function<void(QAction* sender, QPainter* canvas, const QRect& rect, bool selected)> paint;
    // Menu-bar items.
    std::function<void(QAction* sender, QPainter* canvas, const QRect& rect, OwnerDrawState state)>
        advancedPaint;

    bool IsEmpty() const { return !owner || (!measure && !paint && !advancedPaint); }
};
Q_DECLARE_METATYPE(MenuItemHandlers)

// Null or an item without handlers gives empty handlers.
MenuItemHandlers HandlersOf(const QAction* item);
// Empty handlers detach everything from the item.
void SetHandlers(QAction* item, const MenuItemHandlers& handlers);
