// Storage of menu item handlers in a dynamic property of the item's QAction.
#include "MenuItemHandlers.h"

#include <QAction>
#include <QVariant>

namespace {
// Kept on the action itself, so an item's handlers live and die with the item.
constexpr const char* handlersProperty = "tavrelMenuItemHandlers";
} // namespace

MenuItemHandlers HandlersOf(const QAction* item) {
    if (!item)
        return {};
    const QVariant stored = item->property(handlersProperty);
    if (!stored.canConvert<MenuItemHandlers>())
        return {};
    const auto handlers = stored.value<MenuItemHandlers>();
    return handlers.IsEmpty() ? MenuItemHandlers{} : handlers;
}

void SetHandlers(QAction* item, const MenuItemHandlers& handlers) {
    if (!item)
        return;
    item->setProperty(handlersProperty, handlers.IsEmpty() ? QVariant() : QVariant::fromValue(handlers));
}
