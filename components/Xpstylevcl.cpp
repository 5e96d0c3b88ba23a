// TXPStyleVCL: the menu painter that measures and paints its owner window's menus in a flat style.
#include "Xpstylevcl.h"

#include "OwnerDrawnMenuStyle.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

// Room between a caption and its shortcut, and between the shortcut and the item's right edge.
constexpr int kShortcutGap = 12;
constexpr int kShortcutRightMargin = 12;

// Edges are left, top, right, bottom with right and bottom exclusive.
void FillEdges(QPainter& canvas, int left, int top, int right, int bottom, const QColor& color) {
    if (right > left && bottom > top)
        canvas.fillRect(QRect(left, top, right - left, bottom - top), color);
}

// A 1-pixel border just inside the edges.
void FrameEdges(QPainter& canvas, int left, int top, int right, int bottom, const QColor& color) {
    if (right <= left || bottom <= top)
        return;
    FillEdges(canvas, left, top, right, top + 1, color);
    FillEdges(canvas, left, bottom - 1, right, bottom, color);
    FillEdges(canvas, left, top, left + 1, bottom, color);
    FillEdges(canvas, right - 1, top, right, bottom, color);
}

// Left- and top-aligned, clipped to the edges, "&" underlines the next character, and the
// glyphs get an opaque background in the current fill colour.
void DrawCaption(QPainter& canvas, const QString& caption, int left, int top, int right, int bottom,
                 const QColor& textColor, const QColor& fillColor) {
    if (caption.isEmpty() || right <= left || bottom <= top)
        return;
    const QRect box(left, top, right - left, bottom - top);
    canvas.setClipRect(box, Qt::IntersectClip);
    canvas.setPen(textColor);
    canvas.setBackgroundMode(Qt::OpaqueMode);
    canvas.setBackground(fillColor);
    canvas.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, caption);
}

// Right-aligned in the text row, as menus show keys; left out rather than drawn over the caption
// when the item is too narrow for both.
void DrawShortcut(QPainter& canvas, const QString& keys, int captionRight, int top, int right, int bottom,
                  const QColor& textColor, const QColor& fillColor) {
    const int width = canvas.fontMetrics().horizontalAdvance(keys);
    if (keys.isEmpty() || right - width < captionRight || bottom <= top)
        return;
    canvas.save();
    canvas.setClipRect(QRect(right - width, top, width, bottom - top), Qt::IntersectClip);
    canvas.setPen(textColor);
    canvas.setBackgroundMode(Qt::OpaqueMode);
    canvas.setBackground(fillColor);
    canvas.drawText(QRect(right - width, top, width, bottom - top), Qt::AlignRight | Qt::AlignTop, keys);
    canvas.restore();
}

// The caption ends before a tab; a shortcut is drawn from the item's keys (ShortcutOf).
QString CaptionOf(const QAction* item) {
    if (!item)
        return {};
    const QString text = item->text();
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? text : text.left(tab);
}

QString ShortcutOf(const QAction* item) {
    return item ? item->shortcut().toString(QKeySequence::NativeText) : QString();
}

// A font style set replaces the others, as bold or regular.
QFont WithStyle(QFont font, bool bold) {
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

bool IsMenuItem(const QAction* item) {
    const auto containers = item->associatedObjects();
    return std::any_of(containers.begin(), containers.end(), [](const QObject* container) {
        return qobject_cast<const QMenu*>(container) || qobject_cast<const QMenuBar*>(container);
    });
}

// On Qt a menu has no image list; the menu bar is taken to have one as soon as any of its
// items, or any item of its drop-downs, carries an icon.
bool HasImages(const QWidget* menu) {
    for (const QAction* item : menu->actions()) {
        if (!item->icon().isNull())
            return true;
        if (item->menu() && HasImages(item->menu()))
            return true;
    }
    return false;
}

} // namespace

TXPStyleVCL::TXPStyleVCL(QObject* owner) : QObject(owner), menuStyle_(new OwnerDrawnMenuStyle) {
    menuStyle_->setParent(this);
}

TXPStyleVCL::~TXPStyleVCL() = default;

bool TXPStyleVCL::IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor TXPStyleVCL::PaintColor(ColorValue value, QPalette::ColorRole role, QPalette::ColorGroup group) const {
    const QWidget* window = OwnerWindow();
    const QPalette palette = window ? window->palette() : QGuiApplication::palette();
    return IsDarkPalette(palette) ? palette.color(group, role) : ToQColor(value);
}

QColor TXPStyleVCL::ToQColor(ColorValue value) {
    const auto bits = static_cast<quint32>(value);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

bool TXPStyleVCL::IsMenuBarItem(const QAction* item) {
    if (!item)
        return false;
    const auto containers = item->associatedObjects();
    return std::any_of(containers.begin(), containers.end(),
                       [](const QObject* container) { return qobject_cast<const QMenuBar*>(container); });
}

bool TXPStyleVCL::IsSeparator(const QAction* item) {
    return item && (item->isSeparator() || item->text() == QLatin1String("-"));
}

QWidget* TXPStyleVCL::OwnerWindow() const {
    return qobject_cast<QWidget*>(parent());
}

QMenuBar* TXPStyleVCL::MainMenu() const {
    QWidget* window = OwnerWindow();
    if (!window)
        return nullptr;
    // menuWidget() does not create a menu bar the way menuBar() would.
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        return qobject_cast<QMenuBar*>(mainWindow->menuWidget());
    if (window->layout() && window->layout()->menuBar())
        return qobject_cast<QMenuBar*>(window->layout()->menuBar());
    return window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void TXPStyleVCL::Setactive(bool value) {
    active_ = value;
    if (!value) {
        ChangeState(0);
        return;
    }
    if (OwnerWindow()) {
        const QMenuBar* bar = MainMenu();
        menuIncreaseWidth_ = (bar && !HasImages(bar)) ? 100 : 50;
    }
    ChangeState(1);
}

bool TXPStyleVCL::ChangeState(int state) {
    QWidget* window = OwnerWindow();
    if (!window)
        return true;
    // A Qt window has no pop-up menu of its own: only the menu bar and its drop-downs become
    // owner-drawn. Context menus of controls receive the handlers below but keep their style.
    if (QMenuBar* bar = MainMenu())
        MakeOwnerDrawn(bar);
    const auto items = window->findChildren<QAction*>();
    for (QAction* item : items) {
        if (!IsMenuItem(item))
            continue;
        if (state == 1)
            SetHandlers(item, HandlersFor(item));
        else if (state == 0)
            SetHandlers(item, {});
    }
    Remeasure();
    return true;
}

void TXPStyleVCL::AddMenuItem(QAction* item) {
    if (!item)
        return;
    SetHandlers(item, HandlersFor(item));
    // A drop-down added to an owner-drawn menu is part of it, as the ones there at activation are.
    if (item->menu()) {
        const auto containers = item->associatedObjects();
        for (QObject* container : containers) {
            const auto* menu = qobject_cast<QWidget*>(container);
            if (menu && menu->style() == menuStyle_ &&
                (qobject_cast<const QMenu*>(menu) || qobject_cast<const QMenuBar*>(menu))) {
                MakeOwnerDrawn(item->menu());
                break;
            }
        }
    }
    Remeasure();
}

MenuItemHandlers TXPStyleVCL::HandlersFor(const QAction* item) {
    MenuItemHandlers handlers;
    handlers.owner = this;
    handlers.measure = [this](QAction* sender, QPainter* canvas, int& width, int& height) {
        MyExpandItemWidth(sender, canvas, width, height);
    };
    if (IsMenuBarItem(item)) {
        handlers.advancedPaint = [this](QAction* sender, QPainter* canvas, const QRect& rect,
                                        OwnerDrawState state) {
            TopMenuAdvancedDrawItem(sender, canvas, rect, state);
        };
    } else {
        handlers.paint = [this](QAction* sender, QPainter* canvas, const QRect& rect, bool selected) {
            SubMenuDrawItem(sender, canvas, rect, selected);
        };
    }
    return handlers;
}

void TXPStyleVCL::MakeOwnerDrawn(QWidget* menu) {
    if (!menu)
        return;
    if (menu->style() != menuStyle_) {
        menu->setStyle(menuStyle_);
        ownerDrawn_.append(menu);
    }
    for (QAction* item : menu->actions()) {
        if (item->menu() && item->menu() != menu)
            MakeOwnerDrawn(item->menu());
    }
}

// Sizes are asked once and cached by the menus; a changed set of handlers needs new ones.
void TXPStyleVCL::Remeasure() {
    ownerDrawn_.removeAll(QPointer<QWidget>());
    for (const QPointer<QWidget>& menu : std::as_const(ownerDrawn_)) {
        if (menu->style() != menuStyle_)
            continue;
        QEvent styleChange(QEvent::StyleChange);
        QCoreApplication::sendEvent(menu, &styleChange);
    }
}

void TXPStyleVCL::MyExpandItemWidth(QAction* /*sender*/, QPainter* /*canvas*/, int& width, int& height) {
    width += menuIncreaseWidth_;
    height += offset_;
    menuItemHeight_ = height;
    itemOffset_ = offset_ / 2;
}

void TXPStyleVCL::SubMenuDrawItem(QAction* sender, QPainter* canvas, const QRect& rect, bool selected) {
    if (!canvas)
        return;
    QPainter& paint = *canvas;
    paint.save();
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();

    FillEdges(paint, left, top, right, bottom, PaintColor(menuColor_, QPalette::Base));
    // The strip's right edge is an absolute coordinate, and it reaches past the item's top and
    // bottom so that the strips of neighbouring items join.
    FillEdges(paint, left, top - sideBuffer_, verticalWidth_, bottom + sideBuffer_,
              PaintColor(verticalColor_, QPalette::Window));

    if (IsSeparator(sender)) {
        const int middle = top + (bottom - top) / 2;
        FillEdges(paint, verticalWidth_, middle, right, middle + 1, PaintColor(0, QPalette::Mid));
    } else {
        const TextColors colors = PaintSubMenuHighlight(paint, rect, selected, sender && sender->isEnabled());
        PaintSubMenuImage(paint, sender, top);
        PaintSubMenuTexts(paint, sender, rect, colors);
    }
    paint.restore();
}

TXPStyleVCL::TextColors TXPStyleVCL::PaintSubMenuHighlight(QPainter& paint, const QRect& rect, bool selected,
                                                           bool enabled) const {
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    QFont font = paint.font();
    TextColors colors;
    if (selected && enabled) {
        FrameEdges(paint, left + focusRectLeftIndent_ - sideBuffer_, top,
                   right - (focusRectRightIndent_ - sideBuffer_), bottom,
                   PaintColor(borderColor_, QPalette::Highlight));
        FillEdges(paint, left + focusRectLeftIndent_, top + sideBuffer_, right - focusRectRightIndent_,
                  bottom - sideBuffer_, PaintColor(highlightColor_, QPalette::Highlight));
        colors.fill = PaintColor(highlightColor_, QPalette::Highlight);
        colors.text = PaintColor(highlightTextColor_, QPalette::HighlightedText);
        font = WithStyle(font, true);
    } else if (selected) {
        colors.fill = PaintColor(normalTextBackground_, QPalette::Base);
        colors.text = PaintColor(disabledTextColor_, QPalette::Text, QPalette::Disabled);
        font = WithStyle(font, false);
    } else {
        colors.fill = PaintColor(normalTextBackground_, QPalette::Base);
        colors.text = enabled ? PaintColor(normalTextColor_, QPalette::Text)
                              : PaintColor(disabledTextColor_, QPalette::Text, QPalette::Disabled);
    }
    paint.setFont(font);
    return colors;
}

void TXPStyleVCL::PaintSubMenuImage(QPainter& paint, const QAction* sender, int top) const {
    if (!sender || sender->icon().isNull())
        return;
    const int imageSize = 16;
    const QPixmap image =
        sender->icon().pixmap(QSize(imageSize, imageSize), paint.device()->devicePixelRatioF());
    paint.drawPixmap(QRect(5, top + itemOffset_ + 1, imageSize, imageSize), image);
}

void TXPStyleVCL::PaintSubMenuTexts(QPainter& paint, const QAction* sender, const QRect& rect,
                                    const TextColors& colors) const {
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    const int textTop = top + (offset_ > 0 ? offset_ / 2 + sideBuffer_ : sideBuffer_ + 2) + sideBuffer_;
    const QString caption = CaptionOf(sender);
    const QString keys = ShortcutOf(sender);
    if (!keys.isEmpty()) {
        // Measured before the caption's clip: a caption with "&" is one character narrower drawn.
        const int captionRight =
            left + leftTextPos_ + paint.fontMetrics().horizontalAdvance(caption) + kShortcutGap;
        DrawShortcut(paint, keys, captionRight, textTop, right - kShortcutRightMargin, bottom, colors.text,
                     colors.fill);
    }
    DrawCaption(paint, caption, left + leftTextPos_, textTop, right, bottom, colors.text, colors.fill);
}

void TXPStyleVCL::TopMenuAdvancedDrawItem(QAction* sender, QPainter* canvas, const QRect& rect,
                                          OwnerDrawState state) {
    if (!canvas)
        return;
    QPainter& paint = *canvas;
    paint.save();
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();

    QColor fillColor = PaintColor(mainMenuBackground_, QPalette::Window);
    FillEdges(paint, left, top, right, bottom, fillColor);
    const QString caption = CaptionOf(sender);
    if (caption.isEmpty()) {
        paint.restore();
        return;
    }

    QColor textColor = PaintColor(mainMenuTextColor_, QPalette::WindowText);
    const auto highlight = [&](ColorValue border, ColorValue fill) {
        FrameEdges(paint, left, top, right, bottom, PaintColor(border, QPalette::Highlight));
        fillColor = PaintColor(fill, QPalette::Highlight);
        FillEdges(paint, left + sideBuffer_, top + sideBuffer_, right - sideBuffer_, bottom - sideBuffer_,
                  fillColor);
        textColor = PaintColor(mainMenuHighlightTextColor_, QPalette::HighlightedText);
    };
    if (state.testFlag(OwnerDrawHot))
        highlight(borderColor_, mainMenuHighlightColor_);
    else if (state.testFlag(OwnerDrawSelected))
        highlight(borderColorTop_, mainMenuHighlightColorTop_);

    DrawCaption(paint, caption, left + 5, top + 1, right, bottom, textColor, fillColor);
    paint.restore();
}
