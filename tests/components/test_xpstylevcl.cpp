// Tests of the menu painter: its properties, the measure and paint handlers drawn into images,
// and how activation makes a window's menu bar and its drop-downs owner-drawn.
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include "OwnerDrawnMenuStyle.h"
#include "Xpstylevcl.h"

namespace {

const QColor untouched(255, 0, 255); // what a canvas holds where nothing was painted

QColor Of(ColorValue value) {
    return TXPStyleVCL::ToQColor(value);
}

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(untouched);
    return image;
}

QImage DrawDropDown(TXPStyleVCL& painter, QAction* item, const QRect& rect, bool selected,
                    const QFont& menuFont = QApplication::font()) {
    QImage image = Canvas(220, 60);
    QPainter canvas(&image);
    canvas.setFont(menuFont);
    painter.SubMenuDrawItem(item, &canvas, rect, selected);
    return image;
}

QImage DrawMenuBarItem(TXPStyleVCL& painter, QAction* item, const QRect& rect, OwnerDrawState state) {
    QImage image = Canvas(rect.right() + 10, rect.bottom() + 10);
    QPainter canvas(&image);
    canvas.setFont(QApplication::font());
    painter.TopMenuAdvancedDrawItem(item, &canvas, rect, state);
    return image;
}

// Bounding box of the pixels inside area that differ from background.
QRect InkBox(const QImage& image, const QColor& background, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

int CountColor(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color ? 1 : 0;
    }
    return count;
}

// Where a caption's glyphs land when drawn at the origin on a plain background.
QRect CaptionInkAtOrigin(const QString& caption, const QFont& font, const QColor& text,
                         const QColor& background, int flags = Qt::TextShowMnemonic) {
    QImage image(300, 60, QImage::Format_RGB32);
    image.fill(background);
    QPainter canvas(&image);
    canvas.setFont(font);
    canvas.setPen(text);
    canvas.drawText(image.rect(), static_cast<int>(Qt::AlignLeft | Qt::AlignTop) | flags, caption);
    canvas.end();
    return InkBox(image, background, image.rect());
}

// Menu-bar colours no other part shares, so that a pixel tells what painted it: border 0x0000FF,
// top border 0x00FFFF, highlight 0x00FF00, top highlight 0xFFFF00, text 0x000080, highlight text
// 0x800000.
void SetDistinctMenuBarColours(TXPStyleVCL& painter) {
    painter.SetBorderColor(0x0000FF);
    painter.SetBorderColorTop(0x00FFFF);
    painter.SetMainMenuHighlightColor(0x00FF00);
    painter.SetMainMenuHighlightColorTop(0xFFFF00);
    painter.SetMainMenuTextColor(0x000080);
    painter.SetMainMenuHighlightTextColor(0x800000);
}

QIcon SolidIcon(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// A main window shaped like the program's: File, Edit, Run and Help in its menu bar and a
// list with a context menu of its own.
struct SampleWindow {
    QMainWindow window;
    QMenu* file = nullptr;
    QMenu* edit = nullptr;
    QMenu* run = nullptr;
    QMenu* help = nullptr;
    QAction* newProject = nullptr;
    QAction* loadProject = nullptr;
    QAction* separator = nullptr;
    QAction* exit = nullptr;
    QListWidget* list = nullptr;
    QMenu* listMenu = nullptr;

    explicit SampleWindow(bool withIcons) {
        window.resize(696, 480);
        file = window.menuBar()->addMenu("&File");
        newProject = file->addAction("New Project");
        separator = file->addSeparator();
        loadProject = file->addAction("Load Project");
        exit = file->addAction("E&xit");
        edit = window.menuBar()->addMenu("&Edit");
        edit->addAction("Add File(s)");
        run = window.menuBar()->addMenu("&Run");
        run->addAction("Start Automation");
        help = window.menuBar()->addMenu("&Help");
        help->addAction("About");
        if (withIcons)
            loadProject->setIcon(SolidIcon(Qt::yellow));
        list = new QListWidget(&window);
        window.setCentralWidget(list);
        listMenu = new QMenu(list);
        listMenu->addAction("Add File(s)");
        listMenu->addAction("Remove File(s)");
    }

    // The window's menu painter, made and switched on as the main window does.
    TXPStyleVCL* Activate() {
        auto* painter = new TXPStyleVCL(&window);
        painter->Setactive(true);
        return painter;
    }
};

// Item sizes as the menus lay them out.
struct MenuSizes {
    QSize fileOnBar;
    QSize newProjectItem;
    QSize fileMenu;
    int frame; // the drop-down's frame width

    static MenuSizes Measure(SampleWindow& sample) {
        return {sample.window.menuBar()->actionGeometry(sample.file->menuAction()).size(),
                sample.file->actionGeometry(sample.newProject).size(), sample.file->sizeHint(),
                sample.file->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, sample.file)};
    }
};

} // namespace

class TestXPStyleVCL : public QObject {
    Q_OBJECT

private slots:
    void propertiesInOrderWithDefaults_data();
    void propertiesInOrderWithDefaults();
    void colourValuesHaveRedInTheLowestByte_data();
    void colourValuesHaveRedInTheLowestByte();

    void expandItemWidth_data();
    void expandItemWidth();

    void stripAndImageSitAtFixedColumns_data();
    void stripAndImageSitAtFixedColumns();
    void separatorIsALineAtMidHeight_data();
    void separatorIsALineAtMidHeight();
    void highlightFrameAndFillInsets_data();
    void highlightFrameAndFillInsets();
    void textStartsAtLeftTextPosAndBelowTop_data();
    void textStartsAtLeftTextPosAndBelowTop();
    void textIsClippedToTheItem();
    void highlightedTextIsBold();
    void disabledItemsLookTheSameHighlightedOrNot();
    void ampersandsUnderlineOrShowOne();

    void menuBarItemStates_data();
    void menuBarItemStates();

    void activationDecidesMenuIncreaseWidth_data();
    void activationDecidesMenuIncreaseWidth();
    void activationMakesMenuBarAndDropDownsOwnerDrawn();
    void itemsGetHandlersByKind();
    void contextMenuKeepsThePlatformLook();
    void styleGrowsRealItemsByIncreaseWidthAndOffset();
    void deactivationRemovesHandlers();
    void addMenuItemHooksLaterItems();

    void realMenuBarPaintsHotAndOpenItems();
    void realDropDownPaintsHighlightAtItemEdges();
};

// ---------------------------------------------------------------- properties

void TestXPStyleVCL::propertiesInOrderWithDefaults_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    const QList<QPair<const char*, int>> rows = {
        {"MainMenuBackground", 12632256},
        {"MainMenuHighlightColor", 14073525},
        {"MainMenuTextColor", 0},
        {"MainMenuTextBackground", 12632256},
        {"MainMenuHighlightTextColor", 0},
        {"Custom", 16117689},
        {"VerticalColor", 12632256},
        {"MenuColor", 16777215},
        {"HighlightColor", 14073525},
        {"BorderColor", 7021576},
        {"BorderEraseColor", 0},
        {"NormalTextColor", 0},
        {"NormalTextBackground", 16777215},
        {"HighlightTextColor", 0},
        {"DisabledTextColor", 12632256},
        {"VerticalWidth", 26},
        {"FocusRectRightIndent", 3},
        {"FocusRectLeftIndent", 3},
        {"LeftTextPos", 35},
        {"SideBuffer", 1},
        {"MenuIncreaseWidth", 0},
        {"Offset", 5},
        {"MenuItemHeight", 0},
        {"ItemOffset", 0},
        {"MainMenuHighlightColorTop", 14073525},
        {"BorderColorTop", 7021576},
    };
    for (int i = 0; i < rows.size(); ++i)
        QTest::newRow(rows[i].first) << i << rows[i].second;
}

void TestXPStyleVCL::propertiesInOrderWithDefaults() {
    QFETCH(int, index);
    QFETCH(int, value);
    QWidget owner;
    TXPStyleVCL painter(&owner);
    const QMetaObject* meta = painter.metaObject();
    QCOMPARE(meta->propertyCount() - meta->propertyOffset(), 26);
    const QMetaProperty property = meta->property(meta->propertyOffset() + index);
    QCOMPARE(property.name(), QTest::currentDataTag());
    QCOMPARE(property.read(&painter).toInt(), value);
    QVERIFY(property.write(&painter, value + 7));
    QCOMPARE(property.read(&painter).toInt(), value + 7);
    QCOMPARE(painter.Getactive(), false);
}

void TestXPStyleVCL::colourValuesHaveRedInTheLowestByte_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red") << 0x0000FF << QColor(255, 0, 0);
    QTest::newRow("green") << 0x00FF00 << QColor(0, 255, 0);
    QTest::newRow("blue") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("silver") << 12632256 << QColor(0xC0, 0xC0, 0xC0);
    QTest::newRow("highlight") << 14073525 << QColor(0xB5, 0xBE, 0xD6);
    QTest::newRow("border") << 7021576 << QColor(0x08, 0x24, 0x6B);
    QTest::newRow("custom") << 16117689 << QColor(0xB9, 0xEF, 0xF5);
}

void TestXPStyleVCL::colourValuesHaveRedInTheLowestByte() {
    QFETCH(int, value);
    QFETCH(QColor, color);
    QCOMPARE(TXPStyleVCL::ToQColor(value), color);
}

// ---------------------------------------------------------------- measuring

void TestXPStyleVCL::expandItemWidth_data() {
    QTest::addColumn<int>("increase");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QSize>("measured");
    QTest::addColumn<QSize>("expanded");
    QTest::addColumn<int>("itemOffset");
    QTest::newRow("defaults after activation") << 50 << 5 << QSize(80, 17) << QSize(130, 22) << 2;
    QTest::newRow("no image list") << 100 << 5 << QSize(80, 17) << QSize(180, 22) << 2;
    QTest::newRow("even offset") << 0 << 8 << QSize(10, 10) << QSize(10, 18) << 4;
    QTest::newRow("offset 0") << 50 << 0 << QSize(0, 0) << QSize(50, 0) << 0;
    QTest::newRow("negative offset halves toward zero") << 0 << -3 << QSize(5, 20) << QSize(5, 17) << -1;
}

void TestXPStyleVCL::expandItemWidth() {
    QFETCH(int, increase);
    QFETCH(int, offset);
    QFETCH(QSize, measured);
    QFETCH(QSize, expanded);
    QFETCH(int, itemOffset);
    TXPStyleVCL painter(nullptr);
    painter.SetMenuIncreaseWidth(increase);
    painter.SetOffset(offset);
    int width = measured.width();
    int height = measured.height();
    painter.MyExpandItemWidth(nullptr, nullptr, width, height);
    QCOMPARE(QSize(width, height), expanded);
    QCOMPARE(painter.GetMenuItemHeight(), expanded.height());
    QCOMPARE(painter.GetItemOffset(), itemOffset);
}

// ---------------------------------------------------------------- drop-down items

// The strip spans from the item's left edge to VerticalWidth; the image sits at x = 5, whatever
// the item's left edge, and ItemOffset + 1 below its top; a separator shows none.
void TestXPStyleVCL::stripAndImageSitAtFixedColumns_data() {
    QTest::addColumn<int>("sideBuffer");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("normal") << 1 << false << false << true;
    QTest::newRow("highlighted") << 1 << false << true << true;
    QTest::newRow("disabled") << 1 << false << false << false;
    QTest::newRow("disabled, highlighted") << 1 << false << true << false;
    QTest::newRow("separator") << 1 << true << false << true;
    QTest::newRow("side buffer 3") << 3 << false << false << true;
}

void TestXPStyleVCL::stripAndImageSitAtFixedColumns() {
    QFETCH(int, sideBuffer);
    QFETCH(bool, separator);
    QFETCH(bool, selected);
    QFETCH(bool, enabled);
    TXPStyleVCL painter(nullptr);
    painter.SetSideBuffer(sideBuffer);
    painter.SetVerticalColor(0x00FF00);
    int width = 0;
    int height = 0;
    painter.MyExpandItemWidth(nullptr, nullptr, width, height); // ItemOffset = 5 / 2
    QAction item(separator ? QString() : QStringLiteral("Load Project"));
    item.setSeparator(separator);
    item.setEnabled(enabled);
    item.setIcon(SolidIcon(Qt::red));
    const QRect rect(4, 10, 200, 22); // left 4, top 10, exclusive right 204, bottom 32
    const QImage image = DrawDropDown(painter, &item, rect, selected);
    const QColor strip = Of(0x00FF00);
    for (int x = 4; x < 26; ++x) {
        QCOMPARE(image.pixelColor(x, 10 - sideBuffer), strip);
        QCOMPARE(image.pixelColor(x, 32 - 1 + sideBuffer), strip);
        QCOMPARE(image.pixelColor(x, 10 - sideBuffer - 1), untouched);
        QCOMPARE(image.pixelColor(x, 32 + sideBuffer), untouched);
    }
    QCOMPARE(image.pixelColor(3, 20), untouched);
    QCOMPARE(image.pixelColor(26, 20),
             Of(selected && enabled ? painter.GetHighlightColor() : painter.GetMenuColor()));
    QCOMPARE(image.pixelColor(26, 9), untouched);
    QRect imageBox;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 30; ++x)
            if (image.pixelColor(x, y) == QColor(Qt::red))
                imageBox |= QRect(x, y, 1, 1);
    QCOMPARE(imageBox, separator ? QRect() : QRect(5, 10 + 2 + 1, 16, 16));
}

void TestXPStyleVCL::separatorIsALineAtMidHeight_data() {
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("middle");
    QTest::newRow("odd height") << QRect(0, 0, 200, 9) << 4;
    QTest::newRow("even height, lower") << QRect(0, 20, 150, 10) << 25;
}

void TestXPStyleVCL::separatorIsALineAtMidHeight() {
    QFETCH(QRect, rect);
    QFETCH(int, middle);
    TXPStyleVCL painter(nullptr);
    QAction separator(nullptr);
    separator.setSeparator(true);
    QAction dash(QStringLiteral("-")); // a caption of "-" is a separator too
    for (QAction* item : {&separator, &dash}) {
        const QImage image = DrawDropDown(painter, item, rect, true);
        const int right = rect.x() + rect.width();
        for (int x = 26; x < right; ++x) {
            QCOMPARE(image.pixelColor(x, middle), QColor(Qt::black));
            QCOMPARE(image.pixelColor(x, middle - 1), Of(painter.GetMenuColor()));
            QCOMPARE(image.pixelColor(x, middle + 1), Of(painter.GetMenuColor()));
        }
        QCOMPARE(image.pixelColor(25, middle), Of(painter.GetVerticalColor()));
        QCOMPARE(image.pixelColor(right, middle), untouched);
        // Nothing else: no frame, no text.
        QCOMPARE(CountColor(image, QColor(Qt::black)), right - 26);
        QCOMPARE(CountColor(image, Of(painter.GetBorderColor())), 0);
    }
}

void TestXPStyleVCL::highlightFrameAndFillInsets_data() {
    QTest::addColumn<int>("leftIndent");
    QTest::addColumn<int>("rightIndent");
    QTest::addColumn<int>("sideBuffer");
    QTest::newRow("defaults") << 3 << 3 << 1;
    QTest::newRow("wider indents") << 6 << 4 << 2;
}

void TestXPStyleVCL::highlightFrameAndFillInsets() {
    QFETCH(int, leftIndent);
    QFETCH(int, rightIndent);
    QFETCH(int, sideBuffer);
    TXPStyleVCL painter(nullptr);
    painter.SetFocusRectLeftIndent(leftIndent);
    painter.SetFocusRectRightIndent(rightIndent);
    painter.SetSideBuffer(sideBuffer);
    painter.SetBorderColor(0x0000FF);
    painter.SetHighlightColor(0x00FF00);
    QAction item(QStringLiteral("Load"));
    const QRect rect(0, 0, 200, 24);
    const QImage image = DrawDropDown(painter, &item, rect, true);
    const QColor border = Of(0x0000FF);
    const QColor fill = Of(0x00FF00);

    const int frameLeft = leftIndent - sideBuffer;
    const int frameRight = 200 - (rightIndent - sideBuffer); // exclusive
    for (int y = 0; y < 24; ++y) {
        QCOMPARE(image.pixelColor(frameLeft, y), border);
        QCOMPARE(image.pixelColor(frameRight - 1, y), border);
        QCOMPARE(image.pixelColor(frameRight, y), Of(painter.GetMenuColor()));
    }
    for (int x = frameLeft; x < frameRight; ++x) {
        QCOMPARE(image.pixelColor(x, 0), border);
        QCOMPARE(image.pixelColor(x, 23), border);
    }
    // The bar: leftIndent .. 200 - rightIndent, sideBuffer from top and bottom; the strip
    // colour shows left of the frame.
    const QRect bar(leftIndent, sideBuffer, 200 - rightIndent - leftIndent, 24 - 2 * sideBuffer);
    for (const QPoint& corner : {bar.topLeft(), bar.topRight(), bar.bottomLeft(), bar.bottomRight()})
        QCOMPARE(image.pixelColor(corner), fill);
    QCOMPARE(image.pixelColor(bar.left() - 1, 12),
             frameLeft == bar.left() - 1 ? border : Of(painter.GetVerticalColor()));
    if (sideBuffer > 1)
        QCOMPARE(image.pixelColor(100, 1), Of(painter.GetMenuColor()));
    if (frameLeft > 0)
        QCOMPARE(image.pixelColor(frameLeft - 1, 12), Of(painter.GetVerticalColor()));
}

void TestXPStyleVCL::textStartsAtLeftTextPosAndBelowTop_data() {
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("sideBuffer");
    QTest::addColumn<int>("leftTextPos");
    QTest::addColumn<QPoint>("textOrigin");
    QTest::newRow("defaults") << QRect(0, 0, 200, 24) << 5 << 1 << 35 << QPoint(35, 4);
    QTest::newRow("lower item") << QRect(3, 30, 200, 24) << 5 << 1 << 35 << QPoint(38, 34);
    QTest::newRow("offset 0") << QRect(0, 0, 200, 24) << 0 << 3 << 35 << QPoint(35, 8);
    QTest::newRow("offset 8") << QRect(0, 0, 200, 24) << 8 << 1 << 40 << QPoint(40, 6);
}

void TestXPStyleVCL::textStartsAtLeftTextPosAndBelowTop() {
    QFETCH(QRect, rect);
    QFETCH(int, offset);
    QFETCH(int, sideBuffer);
    QFETCH(int, leftTextPos);
    QFETCH(QPoint, textOrigin);
    TXPStyleVCL painter(nullptr);
    painter.SetOffset(offset);
    painter.SetSideBuffer(sideBuffer);
    painter.SetLeftTextPos(leftTextPos);
    painter.SetNormalTextBackground(0x0000FF); // the glyphs' opaque background shows the text box
    painter.SetNormalTextColor(0xFF0000);
    QAction item(QStringLiteral("Save"));
    const QImage image = DrawDropDown(painter, &item, rect, false);
    const QRect textBox =
        InkBox(image, Of(painter.GetMenuColor()), rect.intersected(QRect(26, 0, 1000, 1000)));
    QCOMPARE(textBox.topLeft(), textOrigin);
    QCOMPARE(image.pixelColor(textOrigin), Of(0x0000FF));

    // The glyphs sit where drawing the caption at the text origin puts them.
    const QRect glyphs = InkBox(image, Of(0x0000FF), textBox);
    const QRect reference = CaptionInkAtOrigin("Save", QApplication::font(), Of(0xFF0000), Of(0x0000FF));
    QCOMPARE(glyphs, reference.translated(textOrigin));
}

void TestXPStyleVCL::textIsClippedToTheItem() {
    TXPStyleVCL painter(nullptr);
    painter.SetNormalTextBackground(0x0000FF);
    QAction item(QStringLiteral("Line one\nLine two that is long enough to pass the right edge"));
    const QRect rect(0, 0, 120, 10);
    const QImage image = DrawDropDown(painter, &item, rect, false);
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (!rect.contains(x, y) && !(x < 26 && y == 10))
                QCOMPARE(image.pixelColor(x, y), untouched);
        }
    }
    QVERIFY(CountColor(image, Of(0x0000FF)) > 0);
}

void TestXPStyleVCL::highlightedTextIsBold() {
    TXPStyleVCL painter(nullptr);
    painter.SetNormalTextColor(0x0000FF);
    painter.SetHighlightTextColor(0x0000FF);
    QAction item(QStringLiteral("MMMM WWWW"));
    const QRect rect(0, 0, 220, 24);
    const int regularInk = CountColor(DrawDropDown(painter, &item, rect, false), Of(0x0000FF));
    const int boldInk = CountColor(DrawDropDown(painter, &item, rect, true), Of(0x0000FF));
    QVERIFY2(boldInk > regularInk + regularInk / 4,
             qPrintable(QString("%1 vs %2").arg(boldInk).arg(regularInk)));
}

void TestXPStyleVCL::disabledItemsLookTheSameHighlightedOrNot() {
    TXPStyleVCL painter(nullptr);
    painter.SetDisabledTextColor(0x0000FF);
    QAction item(QStringLiteral("Pre&ferences"));
    item.setEnabled(false);
    item.setIcon(SolidIcon(Qt::green));
    const QRect rect(0, 0, 200, 24);
    const QImage plain = DrawDropDown(painter, &item, rect, false);
    const QImage highlighted = DrawDropDown(painter, &item, rect, true);
    QCOMPARE(highlighted, plain);
    QCOMPARE(CountColor(highlighted, Of(painter.GetBorderColor())), 0);
    QCOMPARE(CountColor(highlighted, Of(painter.GetHighlightColor())), 0);
    QVERIFY(CountColor(highlighted, Of(0x0000FF)) > 0);
    // Under the highlight the text is regular whatever font the menu hands in.
    QFont bold = QApplication::font();
    bold.setBold(true);
    QCOMPARE(DrawDropDown(painter, &item, rect, true, bold), plain);
}

void TestXPStyleVCL::ampersandsUnderlineOrShowOne() {
    TXPStyleVCL painter(nullptr);
    const QRect rect(0, 0, 200, 24);
    const auto textArea = [&](const QString& caption) {
        QAction item(caption);
        return DrawDropDown(painter, &item, rect, false).copy(QRect(35, 4, 165, 20));
    };
    // Two ampersands show one.
    const QRect doubled = InkBox(textArea("A&&B"), Qt::white, QRect(0, 0, 165, 20));
    const QRect single = CaptionInkAtOrigin("A&B", QApplication::font(), Qt::black, Qt::white, 0);
    QCOMPARE(doubled, single);
    // One ampersand is not shown (the glyphs take the room of "File", where an "&" would add
    // a whole glyph); it underlines the next letter below the baseline.
    const QRect whole(0, 0, 165, 20);
    const QRect mnemonic = InkBox(textArea("&File"), Qt::white, whole);
    const QRect plain = InkBox(textArea("File"), Qt::white, whole);
    QVERIFY2(qAbs(mnemonic.right() - plain.right()) <= 1, "an ampersand was drawn");
    QVERIFY(qAbs(mnemonic.left() - plain.left()) <= 1);
    const int baseline = QFontMetrics(QApplication::font()).ascent();
    QVERIFY(mnemonic.bottom() > baseline);
    QVERIFY(plain.bottom() <= baseline + 1);
}

// ---------------------------------------------------------------- menu-bar items

void TestXPStyleVCL::menuBarItemStates_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("frame"); // -1: none
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("text");
    // SetDistinctMenuBarColours's, and the background 0xC0C0C0.
    QTest::newRow("plain") << "&File" << 0 << -1 << 0xC0C0C0 << 0x000080;
    QTest::newRow("hot") << "&File" << int(OwnerDrawHot) << 0x0000FF << 0x00FF00 << 0x800000;
    QTest::newRow("open") << "&File" << int(OwnerDrawSelected) << 0x00FFFF << 0xFFFF00 << 0x800000;
    QTest::newRow("hot wins over open")
        << "&File" << int(OwnerDrawHot | OwnerDrawSelected) << 0x0000FF << 0x00FF00 << 0x800000;
    // An item without a caption shows only the background, whatever its state.
    QTest::newRow("no caption") << "" << 0 << -1 << 0xC0C0C0 << 0;
    QTest::newRow("no caption, hot") << "" << int(OwnerDrawHot) << -1 << 0xC0C0C0 << 0;
    QTest::newRow("no caption, open") << "" << int(OwnerDrawSelected) << -1 << 0xC0C0C0 << 0;
}

void TestXPStyleVCL::menuBarItemStates() {
    QFETCH(QString, caption);
    QFETCH(int, state);
    QFETCH(int, frame);
    QFETCH(int, fill);
    QFETCH(int, text);
    TXPStyleVCL painter(nullptr);
    SetDistinctMenuBarColours(painter);
    QAction item(caption);
    const QRect rect(10, 5, 80, 22); // exclusive right 90, bottom 27
    const QImage image = DrawMenuBarItem(painter, &item, rect, OwnerDrawState(state));
    const QColor edge = frame < 0 ? Of(fill) : Of(frame);
    for (int x = 10; x < 90; ++x) {
        QCOMPARE(image.pixelColor(x, 5), edge);
        QCOMPARE(image.pixelColor(x, 26), edge);
    }
    for (int y = 5; y < 27; ++y) {
        QCOMPARE(image.pixelColor(10, y), edge);
        QCOMPARE(image.pixelColor(89, y), edge);
        QCOMPARE(image.pixelColor(9, y), untouched);
        QCOMPARE(image.pixelColor(90, y), untouched);
    }
    QCOMPARE(image.pixelColor(11, 6), Of(fill));
    QCOMPARE(image.pixelColor(88, 25), Of(fill));
    if (caption.isEmpty()) {
        QCOMPARE(CountColor(image, Of(fill)), 80 * 22);
        return;
    }

    // The caption at (left + 5, top + 1), in the text colour over the fill colour.
    const QRect glyphs = InkBox(image, Of(fill), rect.adjusted(1, 1, -1, -1));
    const QRect reference = CaptionInkAtOrigin("&File", QApplication::font(), Of(text), Of(fill));
    QCOMPARE(glyphs, reference.translated(15, 6));
    QVERIFY(CountColor(image, Of(text)) > 0);
}

// ---------------------------------------------------------------- activation

void TestXPStyleVCL::activationDecidesMenuIncreaseWidth_data() {
    QTest::addColumn<QString>("menus");
    QTest::addColumn<int>("increase");
    QTest::newRow("menu bar without images") << "plain" << 100;
    QTest::newRow("menu bar with an image in a drop-down") << "icons" << 50;
    QTest::newRow("menu bar with an image on the bar") << "bar icon" << 50;
    QTest::newRow("no menu bar") << "none" << 50;
    QTest::newRow("plain widget with a menu bar child") << "widget" << 100;
    QTest::newRow("an owner that is no window keeps its value") << "no window" << 7;
}

void TestXPStyleVCL::activationDecidesMenuIncreaseWidth() {
    QFETCH(QString, menus);
    QFETCH(int, increase);
    QObject noWindow;
    QMainWindow window;
    QWidget plainWindow;
    QObject* owner = &window;
    if (menus == "plain" || menus == "icons" || menus == "bar icon") {
        QMenu* file = window.menuBar()->addMenu("&File");
        file->addAction("New Project");
        if (menus == "icons")
            file->addAction(SolidIcon(Qt::red), "Load Project");
        if (menus == "bar icon")
            file->menuAction()->setIcon(SolidIcon(Qt::red));
    } else if (menus == "widget") {
        auto* bar = new QMenuBar(&plainWindow);
        bar->addMenu("&File")->addAction("New Project");
        owner = &plainWindow;
    } else if (menus == "no window") {
        owner = &noWindow;
    }
    auto* painter = new TXPStyleVCL(owner);
    painter->setObjectName("XPStyleVCL");
    painter->SetMenuIncreaseWidth(7);
    painter->Setactive(true);
    QCOMPARE(painter->GetMenuIncreaseWidth(), increase);
    QCOMPARE(painter->Getactive(), true);
    QCOMPARE(painter->ChangeState(1), true);
    if (menus == "none" || menus == "no window")
        QCOMPARE(painter->MainMenu(), nullptr);
    if (menus == "none")
        QCOMPARE(window.menuWidget(), nullptr); // looking did not create one
}

void TestXPStyleVCL::activationMakesMenuBarAndDropDownsOwnerDrawn() {
    SampleWindow sample(true);
    QMenu* nested = sample.file->addMenu("Recent");
    nested->addAction("one.xml");
    TXPStyleVCL* painter = sample.Activate();
    QStyle* ownerDrawn = painter->MenuStyle();
    QCOMPARE(sample.window.menuBar()->style(), ownerDrawn);
    for (QMenu* menu : {sample.file, sample.edit, sample.run, sample.help, nested})
        QCOMPARE(menu->style(), ownerDrawn);
    QCOMPARE(sample.window.style(), QApplication::style());
    QCOMPARE(sample.list->style(), QApplication::style());
}

void TestXPStyleVCL::itemsGetHandlersByKind() {
    SampleWindow sample(false);
    QAction foreign("Not the window's"); // shown in File but owned by nobody
    sample.file->addAction(&foreign);
    sample.Activate();

    for (QMenu* menu : {sample.file, sample.edit, sample.run, sample.help}) {
        const MenuItemHandlers barItem = HandlersOf(menu->menuAction());
        QVERIFY(barItem.measure && barItem.advancedPaint && !barItem.paint);
        QVERIFY(TXPStyleVCL::IsMenuBarItem(menu->menuAction()));
    }
    for (QAction* item : {sample.newProject, sample.separator, sample.loadProject, sample.exit}) {
        const MenuItemHandlers dropDown = HandlersOf(item);
        QVERIFY(dropDown.measure && dropDown.paint && !dropDown.advancedPaint);
        QVERIFY(!TXPStyleVCL::IsMenuBarItem(item));
    }
    // The context menu's entries receive the handlers too; only its menu keeps its style.
    for (QAction* item : sample.listMenu->actions())
        QVERIFY(HandlersOf(item).paint);
    QVERIFY(HandlersOf(&foreign).IsEmpty());
    QVERIFY(TXPStyleVCL::IsSeparator(sample.separator));
    QVERIFY(!TXPStyleVCL::IsSeparator(sample.exit));
}

void TestXPStyleVCL::contextMenuKeepsThePlatformLook() {
    SampleWindow sample(false);
    sample.listMenu->popup(QPoint(40, 40));
    QTRY_VERIFY(sample.listMenu->isVisible());
    sample.listMenu->setActiveAction(sample.listMenu->actions().first());
    const QImage before = sample.listMenu->grab().toImage();
    const QSize sizeBefore = sample.listMenu->sizeHint();

    sample.Activate();
    QCOMPARE(sample.listMenu->style(), QApplication::style());
    sample.listMenu->update();
    QCOMPARE(sample.listMenu->sizeHint(), sizeBefore);
    QCOMPARE(sample.listMenu->grab().toImage(), before);
    sample.listMenu->hide();
}

void TestXPStyleVCL::styleGrowsRealItemsByIncreaseWidthAndOffset() {
    SampleWindow sample(false);
    const MenuSizes plain = MenuSizes::Measure(sample);
    TXPStyleVCL* painter = sample.Activate();
    QCOMPARE(painter->GetMenuIncreaseWidth(), 100);
    const MenuSizes drawn = MenuSizes::Measure(sample);
    QCOMPARE(drawn.fileOnBar, plain.fileOnBar + QSize(100, 5));
    QCOMPARE(drawn.newProjectItem, plain.newProjectItem + QSize(100, 5));
    QCOMPARE(drawn.frame, qMax(plain.frame, 1));
    QCOMPARE(drawn.fileMenu.height() - plain.fileMenu.height() - 2 * (drawn.frame - plain.frame), 4 * 5);

    // The style's answer for one item is the base style's answer enlarged.
    QStyleOptionMenuItem option;
    option.initFrom(sample.file);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = sample.exit->text();
    const QSize contents(60, 16);
    const QSize base = painter->MenuStyle()->baseStyle()->sizeFromContents(QStyle::CT_MenuItem, &option,
                                                                           contents, sample.file);
    QCOMPARE(painter->MenuStyle()->sizeFromContents(QStyle::CT_MenuItem, &option, contents, sample.file),
             base + QSize(100, 5));
    QCOMPARE(painter->GetMenuItemHeight(), base.height() + 5);
    QCOMPARE(painter->GetItemOffset(), 2);
    option.text = "No such item";
    QCOMPARE(painter->MenuStyle()->sizeFromContents(QStyle::CT_MenuItem, &option, contents, sample.file),
             base);
}

void TestXPStyleVCL::deactivationRemovesHandlers() {
    SampleWindow sample(false);
    const MenuSizes plain = MenuSizes::Measure(sample);
    TXPStyleVCL* painter = sample.Activate();
    QVERIFY(MenuSizes::Measure(sample).fileOnBar != plain.fileOnBar);
    painter->Setactive(false);
    QCOMPARE(painter->Getactive(), false);
    for (QAction* item : sample.window.findChildren<QAction*>())
        QVERIFY(HandlersOf(item).IsEmpty());
    // Still owner-drawn, now by the plain default painting and measuring.
    QCOMPARE(sample.file->style(), painter->MenuStyle());
    const MenuSizes after = MenuSizes::Measure(sample);
    QCOMPARE(after.fileOnBar, plain.fileOnBar);
    QCOMPARE(after.newProjectItem, plain.newProjectItem);

    // Handlers of a deleted painter count for nothing.
    painter->Setactive(true);
    delete painter;
    QVERIFY(HandlersOf(sample.exit).IsEmpty());
    QVERIFY(!sample.window.menuBar()->grab().isNull());
}

void TestXPStyleVCL::addMenuItemHooksLaterItems() {
    SampleWindow sample(false);
    TXPStyleVCL* painter = sample.Activate();
    QAction* later = sample.file->addAction("Spawn Session");
    QVERIFY(HandlersOf(later).IsEmpty());
    painter->AddMenuItem(later);
    QVERIFY(HandlersOf(later).paint);

    // A whole drop-down added to the bar later becomes part of the owner-drawn menus.
    QMenu* tools = sample.window.menuBar()->addMenu("&Tools");
    tools->addAction("Check");
    painter->AddMenuItem(tools->menuAction());
    QVERIFY(HandlersOf(tools->menuAction()).advancedPaint);
    QCOMPARE(tools->style(), painter->MenuStyle());

    // It does not look at `active`.
    painter->Setactive(false);
    QAction* afterwards = sample.edit->addAction("Remove File(s)");
    painter->AddMenuItem(afterwards);
    QVERIFY(HandlersOf(afterwards).paint);
    QVERIFY(HandlersOf(later).IsEmpty());
    painter->AddMenuItem(nullptr);
}

// ---------------------------------------------------------------- real menus on screen

void TestXPStyleVCL::realMenuBarPaintsHotAndOpenItems() {
    SampleWindow sample(true);
    sample.window.menuBar()->addAction(QString()); // an item with an empty caption
    QAction* empty = sample.window.menuBar()->actions().last();
    TXPStyleVCL* painter = sample.Activate();
    SetDistinctMenuBarColours(*painter);
    sample.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sample.window));
    QMenuBar* bar = sample.window.menuBar();

    const auto itemImage = [&](QAction* item) {
        return bar->grab().toImage().copy(bar->actionGeometry(item));
    };
    const auto expectFramed = [&](const QImage& image, const QColor& frame, const QColor& fill) {
        QCOMPARE(image.pixelColor(0, 0), frame);
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), frame);
        QCOMPARE(image.pixelColor(1, 1), fill);
        QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), fill);
    };

    const QColor background = Of(painter->GetMainMenuBackground());
    QImage editImage = itemImage(sample.edit->menuAction());
    QCOMPARE(editImage.pixelColor(0, 0), background);

    // Hot: the pointer is over Edit and no drop-down is open.
    QMouseEvent move(QEvent::MouseMove, bar->actionGeometry(sample.edit->menuAction()).center(),
                     bar->mapToGlobal(bar->actionGeometry(sample.edit->menuAction()).center()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QCOMPARE(bar->activeAction(), sample.edit->menuAction());
    expectFramed(itemImage(sample.edit->menuAction()), Of(0x0000FF), Of(0x00FF00));

    // Open: File's drop-down is showing.
    bar->setActiveAction(sample.file->menuAction());
    QTRY_VERIFY(sample.file->isVisible());
    expectFramed(itemImage(sample.file->menuAction()), Of(0x00FFFF), Of(0xFFFF00));
    QCOMPARE(itemImage(sample.edit->menuAction()).pixelColor(0, 0), background);
    sample.file->hide();

    // Empty caption: only the background.
    const QRect emptyRect = bar->actionGeometry(empty);
    QVERIFY(emptyRect.width() >= painter->GetMenuIncreaseWidth());
    const QImage emptyImage = itemImage(empty);
    QCOMPARE(CountColor(emptyImage, background), emptyImage.width() * emptyImage.height());
}

void TestXPStyleVCL::realDropDownPaintsHighlightAtItemEdges() {
    SampleWindow sample(true);
    TXPStyleVCL* painter = sample.Activate();
    painter->SetBorderColor(0x0000FF);
    painter->SetHighlightColor(0x00FF00);
    painter->SetVerticalColor(0xFF00FF);
    sample.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sample.window));
    sample.window.menuBar()->setActiveAction(sample.file->menuAction());
    QTRY_VERIFY(sample.file->isVisible());
    sample.file->setActiveAction(sample.loadProject);
    const QImage image = sample.file->grab().toImage();

    // The item column is the handlers' client area: the strip and the image are placed from
    // its left edge, the highlight from the item's own edges.
    const QRect item = sample.file->actionGeometry(sample.loadProject);
    const int clientLeft = sample.file->actionGeometry(sample.newProject).left();
    QCOMPARE(painter->MenuStyle()->MenuClientLeft(sample.file), clientLeft);
    const int right = item.x() + item.width();
    const int middle = item.top() + item.height() / 2;
    QCOMPARE(image.pixelColor(item.left() + 1, middle), Of(0xFF00FF));
    QCOMPARE(image.pixelColor(item.left() + 2, middle), Of(0x0000FF));
    QCOMPARE(image.pixelColor(item.left() + 3, item.top() + 1), Of(0x00FF00));
    QCOMPARE(image.pixelColor(right - 3, middle), Of(0x0000FF));
    QCOMPARE(image.pixelColor(right - 4, item.bottom() - 1), Of(0x00FF00));
    QCOMPARE(image.pixelColor(right - 2, middle), Of(painter->GetMenuColor()));
    QCOMPARE(image.pixelColor(clientLeft + 5, item.top() + painter->GetItemOffset() + 1), QColor(Qt::yellow));
    QCOMPARE(image.pixelColor(clientLeft + 20, item.top() + painter->GetItemOffset() + 16),
             QColor(Qt::yellow));

    const QRect other = sample.file->actionGeometry(sample.exit);
    QCOMPARE(image.pixelColor(clientLeft + 25, other.center().y()), Of(0xFF00FF));
    QCOMPARE(image.pixelColor(clientLeft + 26, other.center().y()), Of(painter->GetMenuColor()));
    const QRect line = sample.file->actionGeometry(sample.separator);
    QCOMPARE(image.pixelColor(clientLeft + 26, line.top() + line.height() / 2), QColor(Qt::black));
    sample.file->hide();
}

QTEST_MAIN(TestXPStyleVCL)
#include "test_xpstylevcl.moc"
