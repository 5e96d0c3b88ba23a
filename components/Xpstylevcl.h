// TXPStyleVCL: the menu painter that measures and paints its owner window's menus in a flat style.
#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRect>

#include "MenuItemHandlers.h"

class QAction;
class QMenuBar;
class QPainter;
class QWidget;
class OwnerDrawnMenuStyle;

// A colour as a 32-bit integer: lowest byte red, then green, then blue.
using ColorValue = qint32;

// Owned by a window (its QObject parent). Once active, the window's menu bar and the drop-down
// menus of the menu bar are owner-drawn: their items are measured by MyExpandItemWidth and
// painted by TopMenuAdvancedDrawItem (menu-bar items) or SubMenuDrawItem (drop-down items).
// Other menus of the window, such as a list's context menu, keep the platform's look.
//
// Qt mapping of the menu items: a menu-bar item is a QAction shown in a QMenuBar; every other
// QAction shown in a QMenu is a drop-down item; a separator is a separator action (or an action
// whose text is exactly "-"). Rectangles handed to the handlers are QRects of the item; inside,
// the painting works with exclusive right and bottom edges (x() + width(), y() + height()).
// Images: every Qt menu item carries its own icon, so a drop-down item shows its action's icon;
// the menu bar counts as having an image list when any item of it or of its drop-downs has one.
// A Qt window has no pop-up menu of its own; context menus belong to their controls.
//
// The colour properties hold under a light palette; under a dark one (IsDarkPalette) the menus
// keep their flat look in the owner window's palette colours.
//
// Setting a property repaints nothing; the next measure or paint request uses the new value.
class TXPStyleVCL : public QObject {
    Q_OBJECT
    Q_PROPERTY(int MainMenuBackground READ GetMainMenuBackground WRITE SetMainMenuBackground)
    Q_PROPERTY(int MainMenuHighlightColor READ GetMainMenuHighlightColor WRITE SetMainMenuHighlightColor)
    Q_PROPERTY(int MainMenuTextColor READ GetMainMenuTextColor WRITE SetMainMenuTextColor)
    Q_PROPERTY(int MainMenuTextBackground READ GetMainMenuTextBackground WRITE SetMainMenuTextBackground)
    Q_PROPERTY(
        int MainMenuHighlightTextColor READ GetMainMenuHighlightTextColor WRITE SetMainMenuHighlightTextColor)
    Q_PROPERTY(int Custom READ GetCustom WRITE SetCustom)
    Q_PROPERTY(int VerticalColor READ GetVerticalColor WRITE SetVerticalColor)
    Q_PROPERTY(int MenuColor READ GetMenuColor WRITE SetMenuColor)
    Q_PROPERTY(int HighlightColor READ GetHighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(int BorderColor READ GetBorderColor WRITE SetBorderColor)
    Q_PROPERTY(int BorderEraseColor READ GetBorderEraseColor WRITE SetBorderEraseColor)
    Q_PROPERTY(int NormalTextColor READ GetNormalTextColor WRITE SetNormalTextColor)
    Q_PROPERTY(int NormalTextBackground READ GetNormalTextBackground WRITE SetNormalTextBackground)
    Q_PROPERTY(int HighlightTextColor READ GetHighlightTextColor WRITE SetHighlightTextColor)
    Q_PROPERTY(int DisabledTextColor READ GetDisabledTextColor WRITE SetDisabledTextColor)
    Q_PROPERTY(int VerticalWidth READ GetVerticalWidth WRITE SetVerticalWidth)
    Q_PROPERTY(int FocusRectRightIndent READ GetFocusRectRightIndent WRITE SetFocusRectRightIndent)
    Q_PROPERTY(int FocusRectLeftIndent READ GetFocusRectLeftIndent WRITE SetFocusRectLeftIndent)
    Q_PROPERTY(int LeftTextPos READ GetLeftTextPos WRITE SetLeftTextPos)
    Q_PROPERTY(int SideBuffer READ GetSideBuffer WRITE SetSideBuffer)
    Q_PROPERTY(int MenuIncreaseWidth READ GetMenuIncreaseWidth WRITE SetMenuIncreaseWidth)
    Q_PROPERTY(int Offset READ GetOffset WRITE SetOffset)
    Q_PROPERTY(int MenuItemHeight READ GetMenuItemHeight WRITE SetMenuItemHeight)
    Q_PROPERTY(int ItemOffset READ GetItemOffset WRITE SetItemOffset)
    Q_PROPERTY(
        int MainMenuHighlightColorTop READ GetMainMenuHighlightColorTop WRITE SetMainMenuHighlightColorTop)
    Q_PROPERTY(int BorderColorTop READ GetBorderColorTop WRITE SetBorderColorTop)
public:
    explicit TXPStyleVCL(QObject* owner);
    ~TXPStyleVCL() override;

    ColorValue GetMainMenuBackground() const { return mainMenuBackground_; }
    void SetMainMenuBackground(ColorValue value) { mainMenuBackground_ = value; }
    ColorValue GetMainMenuHighlightColor() const { return mainMenuHighlightColor_; }
    void SetMainMenuHighlightColor(ColorValue value) { mainMenuHighlightColor_ = value; }
    ColorValue GetMainMenuTextColor() const { return mainMenuTextColor_; }
    void SetMainMenuTextColor(ColorValue value) { mainMenuTextColor_ = value; }
    ColorValue GetMainMenuTextBackground() const { return mainMenuTextBackground_; }
    void SetMainMenuTextBackground(ColorValue value) { mainMenuTextBackground_ = value; }
    ColorValue GetMainMenuHighlightTextColor() const { return mainMenuHighlightTextColor_; }
    void SetMainMenuHighlightTextColor(ColorValue value) { mainMenuHighlightTextColor_ = value; }
    ColorValue GetCustom() const { return custom_; }
    void SetCustom(ColorValue value) { custom_ = value; }
    ColorValue GetVerticalColor() const { return verticalColor_; }
    void SetVerticalColor(ColorValue value) { verticalColor_ = value; }
    ColorValue GetMenuColor() const { return menuColor_; }
    void SetMenuColor(ColorValue value) { menuColor_ = value; }
    ColorValue GetHighlightColor() const { return highlightColor_; }
    void SetHighlightColor(ColorValue value) { highlightColor_ = value; }
    ColorValue GetBorderColor() const { return borderColor_; }
    void SetBorderColor(ColorValue value) { borderColor_ = value; }
    ColorValue GetBorderEraseColor() const { return borderEraseColor_; }
    void SetBorderEraseColor(ColorValue value) { borderEraseColor_ = value; }
    ColorValue GetNormalTextColor() const { return normalTextColor_; }
    void SetNormalTextColor(ColorValue value) { normalTextColor_ = value; }
    ColorValue GetNormalTextBackground() const { return normalTextBackground_; }
    void SetNormalTextBackground(ColorValue value) { normalTextBackground_ = value; }
    ColorValue GetHighlightTextColor() const { return highlightTextColor_; }
    void SetHighlightTextColor(ColorValue value) { highlightTextColor_ = value; }
    ColorValue GetDisabledTextColor() const { return disabledTextColor_; }
    void SetDisabledTextColor(ColorValue value) { disabledTextColor_ = value; }
    int GetVerticalWidth() const { return verticalWidth_; }
    void SetVerticalWidth(int value) { verticalWidth_ = value; }
    int GetFocusRectRightIndent() const { return focusRectRightIndent_; }
    void SetFocusRectRightIndent(int value) { focusRectRightIndent_ = value; }
    int GetFocusRectLeftIndent() const { return focusRectLeftIndent_; }
    void SetFocusRectLeftIndent(int value) { focusRectLeftIndent_ = value; }
    int GetLeftTextPos() const { return leftTextPos_; }
    void SetLeftTextPos(int value) { leftTextPos_ = value; }
    int GetSideBuffer() const { return sideBuffer_; }
    void SetSideBuffer(int value) { sideBuffer_ = value; }
    int GetMenuIncreaseWidth() const { return menuIncreaseWidth_; }
    void SetMenuIncreaseWidth(int value) { menuIncreaseWidth_ = value; }
    int GetOffset() const { return offset_; }
    void SetOffset(int value) { offset_ = value; }
    int GetMenuItemHeight() const { return menuItemHeight_; }
    void SetMenuItemHeight(int value) { menuItemHeight_ = value; }
    int GetItemOffset() const { return itemOffset_; }
    void SetItemOffset(int value) { itemOffset_ = value; }
    ColorValue GetMainMenuHighlightColorTop() const { return mainMenuHighlightColorTop_; }
    void SetMainMenuHighlightColorTop(ColorValue value) { mainMenuHighlightColorTop_ = value; }
    ColorValue GetBorderColorTop() const { return borderColorTop_; }
    void SetBorderColorTop(ColorValue value) { borderColorTop_ = value; }

    bool Getactive() const { return active_; }
    // True: decides MenuIncreaseWidth from the owner window's menu bar, then ChangeState(1).
    // False: ChangeState(0).
    void Setactive(bool value);

    // Makes the owner window's menu bar and its drop-down menus owner-drawn (in both states) and
    // attaches (1) or removes (0) the handlers of every menu item the window owns. Returns true.
    bool ChangeState(int state);
    // Attaches the handlers to one item created later, whatever `active` is.
    void AddMenuItem(QAction* item);

    // Measure handler: width and height come in as the menu system's measurement.
    void MyExpandItemWidth(QAction* sender, QPainter* canvas, int& width, int& height);
    // Paint handler of drop-down items.
    void SubMenuDrawItem(QAction* sender, QPainter* canvas, const QRect& rect, bool selected);
    // Paint handler of menu-bar items.
    void TopMenuAdvancedDrawItem(QAction* sender, QPainter* canvas, const QRect& rect, OwnerDrawState state);

    static QColor ToQColor(ColorValue value);
    // A palette whose window colour is dark: the menus then take its colours, not the properties.
    static bool IsDarkPalette(const QPalette& palette);
    // The colour a property paints with: the property's own, or under a dark palette of the owner
    // window the palette's colour of the same part (role).
    QColor PaintColor(ColorValue value, QPalette::ColorRole role,
                      QPalette::ColorGroup group = QPalette::Active) const;
    static bool IsMenuBarItem(const QAction* item);
    static bool IsSeparator(const QAction* item);
    // The owner window's menu bar, or null (also when the owner is not a window).
    QMenuBar* MainMenu() const;
    // The style that makes menus owner-drawn.
    OwnerDrawnMenuStyle* MenuStyle() const { return menuStyle_; }

private:
    QWidget* OwnerWindow() const;
    MenuItemHandlers HandlersFor(const QAction* item);
    void MakeOwnerDrawn(QWidget* menu);
    void Remeasure();
    // The parts of a drop-down item SubMenuDrawItem paints: the highlight (which also sets the
    // caption's font and tells the colours its texts take), the image, the caption and shortcut.
    struct TextColors {
        QColor fill;
        QColor text;
    };
    TextColors PaintSubMenuHighlight(QPainter& paint, const QRect& rect, bool selected, bool enabled) const;
    void PaintSubMenuImage(QPainter& paint, const QAction* sender, int top) const;
    void PaintSubMenuTexts(QPainter& paint, const QAction* sender, const QRect& rect,
                           const TextColors& colors) const;

    ColorValue mainMenuBackground_ = 12632256;
    ColorValue mainMenuHighlightColor_ = 14073525;
    ColorValue mainMenuTextColor_ = 0;
    ColorValue mainMenuTextBackground_ = 12632256;
    ColorValue mainMenuHighlightTextColor_ = 0;
    ColorValue custom_ = 16117689;
    ColorValue verticalColor_ = 12632256;
    ColorValue menuColor_ = 16777215;
    ColorValue highlightColor_ = 14073525;
    ColorValue borderColor_ = 7021576;
    ColorValue borderEraseColor_ = 0;
    ColorValue normalTextColor_ = 0;
    ColorValue normalTextBackground_ = 16777215;
    ColorValue highlightTextColor_ = 0;
    ColorValue disabledTextColor_ = 12632256;
    int verticalWidth_ = 26;
    int focusRectRightIndent_ = 3;
    int focusRectLeftIndent_ = 3;
    int leftTextPos_ = 35;
    int sideBuffer_ = 1;
    int menuIncreaseWidth_ = 0;
    int offset_ = 5;
    int menuItemHeight_ = 0;
    int itemOffset_ = 0;
    ColorValue mainMenuHighlightColorTop_ = 14073525;
    ColorValue borderColorTop_ = 7021576;
    bool active_ = false;
    OwnerDrawnMenuStyle* menuStyle_ = nullptr;
    QList<QPointer<QWidget>> ownerDrawn_; // menus this component switched to its style
};
