// The style of owner-drawn menus: hands size and paint requests of menu items to their handlers.
#include "OwnerDrawnMenuStyle.h"

#include "MenuItemHandlers.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace {

QString TextBeforeTab(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? text : text.left(tab);
}

// QMenu puts the shortcut text behind a tab into the option; the item's own text is before it.
bool OptionShowsItem(const QStyleOptionMenuItem* option, const QAction* item) {
    return item->isVisible() &&
           item->isSeparator() == (option->menuItemType == QStyleOptionMenuItem::Separator) &&
           TextBeforeTab(item->text()) == TextBeforeTab(option->text) &&
           item->icon().cacheKey() == option->icon.cacheKey();
}

bool HasItemHandlers(const QWidget* menu) {
    const auto items = menu->actions();
    return std::any_of(items.begin(), items.end(),
                       [](const QAction* item) { return !HandlersOf(item).IsEmpty(); });
}

} // namespace

OwnerDrawnMenuStyle::OwnerDrawnMenuStyle(QStyle* base) : QProxyStyle(base) {}

QAction* OwnerDrawnMenuStyle::ItemOfOption(const QStyleOptionMenuItem* option, const QWidget* widget,
                                           bool atItemRect) {
    if (!option)
        return nullptr;
    // Paint requests carry the item's rectangle. Size requests carry the whole menu's, and come
    // while the menu lays its items out, when asking it for the item at a point would recurse;
    // there the item is found by what the option shows.
    QAction* hit = nullptr;
    QList<QAction*> items;
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) {
        hit = atItemRect ? menu->actionAt(option->rect.center()) : nullptr;
        items = menu->actions();
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) {
        hit = atItemRect ? bar->actionAt(option->rect.center()) : nullptr;
        items = bar->actions();
    }
    if (hit && OptionShowsItem(option, hit))
        return hit;
    for (QAction* item : items) {
        if (OptionShowsItem(option, item))
            return item;
    }
    return nullptr;
}

int OwnerDrawnMenuStyle::MenuClientLeft(const QWidget* menu) const {
    const auto* dropDown = qobject_cast<const QMenu*>(menu);
    if (!dropDown)
        return 0;
    for (QAction* item : dropDown->actions()) {
        if (item->isVisible())
            return dropDown->actionGeometry(item).left();
    }
    return 0;
}

int OwnerDrawnMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                     const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (!widget || !HasItemHandlers(widget))
        return base;
    // Owner-drawn menu-bar items sit edge to edge, as the handlers measure them; an owner-drawn
    // drop-down keeps a frame around its items so that it stands out from the window below.
    if (metric == PM_MenuBarItemSpacing && qobject_cast<const QMenuBar*>(widget))
        return 0;
    if (metric == PM_MenuPanelWidth && qobject_cast<const QMenu*>(widget))
        return qMax(base, 1);
    return base;
}

QSize OwnerDrawnMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                            const QSize& contentsSize, const QWidget* widget) const {
    QSize size = QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    if (type != CT_MenuItem && type != CT_MenuBarItem)
        return size;
    QAction* item = ItemOfOption(qstyleoption_cast<const QStyleOptionMenuItem*>(option), widget, false);
    const MenuItemHandlers handlers = HandlersOf(item);
    if (!handlers.measure)
        return size;
    // A menu-bar item without text or icon has no size of its own yet.
    int width = qMax(size.width(), 0);
    int height = qMax(size.height(), 0);
    handlers.measure(item, nullptr, width, height);
    return {width, height};
}

void OwnerDrawnMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    const auto* itemOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarEmptyArea && painter && qobject_cast<const QMenuBar*>(widget)) {
        // The bar beside its items is painted as an item without a caption is, so that the items'
        // background runs the whole width of the window.
        const auto items = widget->actions();
        for (QAction* item : items) {
            if (const MenuItemHandlers handlers = HandlersOf(item); handlers.advancedPaint) {
                painter->save();
                handlers.advancedPaint(nullptr, painter, option->rect, OwnerDrawState());
                painter->restore();
                return;
            }
        }
    }
    if (!itemOption || !painter || (element != CE_MenuItem && element != CE_MenuBarItem)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QAction* item = ItemOfOption(itemOption, widget, true);
    const MenuItemHandlers handlers = HandlersOf(item);

    if (element == CE_MenuItem && handlers.paint) {
        // The handlers see the item column as the menu's client area: its left edge is x = 0.
        const int clientLeft = MenuClientLeft(widget);
        painter->save();
        painter->setFont(itemOption->font);
        painter->translate(clientLeft, 0);
        handlers.paint(item, painter, itemOption->rect.translated(-clientLeft, 0),
                       itemOption->state.testFlag(State_Selected));
        painter->restore();
        return;
    }
    if (element == CE_MenuBarItem && handlers.advancedPaint) {
        // QMenuBar marks its current item Selected, and Sunken while that item's drop-down is open.
        OwnerDrawState state;
        if (itemOption->state.testFlag(State_Sunken))
            state |= OwnerDrawSelected;
        else if (itemOption->state.testFlag(State_Selected))
            state |= OwnerDrawHot;
        painter->save();
        handlers.advancedPaint(item, painter, itemOption->rect, state);
        painter->restore();
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
