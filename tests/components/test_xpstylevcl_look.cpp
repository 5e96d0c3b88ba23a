// Renders a main window's menu bar with its File drop-down open, painted by the menu painter,
// into a PNG to look at: $TAVREL_MENU_SHOT or menu-painter-look.png in the temporary folder; in a
// dark palette too, menu-painter-look-dark.png.
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>

#include "Xpstylevcl.h"

namespace {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

} // namespace

class TestXPStyleVCLLook : public QObject {
    Q_OBJECT

private slots:
    void rendersMenuBarWithOpenDropDown_data();
    void rendersMenuBarWithOpenDropDown();
};

void TestXPStyleVCLLook::rendersMenuBarWithOpenDropDown_data() {
    QTest::addColumn<bool>("dark");
    QTest::newRow("light palette: the properties' colours") << false;
    QTest::newRow("dark palette: the palette's colours") << true;
}

void TestXPStyleVCLLook::rendersMenuBarWithOpenDropDown() {
    QFETCH(bool, dark);
    QMainWindow window;
    window.resize(696, 480);
    QPalette palette(QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    if (dark)
        window.setPalette(palette);
    // The main window's menus, with pictures on every item.
    QMenu* file = window.menuBar()->addMenu("File");
    file->addAction(ThemeIcon("document-new", QStyle::SP_FileIcon), "New Project");
    file->addSeparator();
    QAction* load = file->addAction(ThemeIcon("document-open", QStyle::SP_DialogOpenButton), "Load Project");
    file->addAction(ThemeIcon("document-save", QStyle::SP_DialogSaveButton), "Save Project");
    file->addAction(ThemeIcon("document-save-as", QStyle::SP_DriveFDIcon), "Save Project As...");
    file->addSeparator();
    file->addAction(ThemeIcon("preferences-system", QStyle::SP_FileDialogDetailedView), "Preferences")
        ->setEnabled(false);
    file->addSeparator();
    file->addAction(ThemeIcon("application-exit", QStyle::SP_DialogCloseButton), "E&xit");
    window.menuBar()->addMenu("Edit")->addAction(ThemeIcon("list-add", QStyle::SP_FileDialogNewFolder),
                                                 "Add File(s)");
    window.menuBar()->addMenu("Run")->addAction(ThemeIcon("media-playback-start", QStyle::SP_MediaPlay),
                                                "Start Automation");
    window.menuBar()->addMenu("Help")->addAction(ThemeIcon("help-about", QStyle::SP_MessageBoxInformation),
                                                 "About");

    auto* painter = new TXPStyleVCL(&window);
    painter->setObjectName("XPStyleVCL");
    painter->Setactive(true);
    QCOMPARE(painter->GetMenuIncreaseWidth(), 50);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.menuBar()->setActiveAction(file->menuAction());
    QTRY_VERIFY(file->isVisible());
    file->setActiveAction(load);

    const QImage windowImage = window.grab().toImage();
    const QImage menuImage = file->grab().toImage();
    const QPoint menuAt = file->pos() - window.mapToGlobal(QPoint(0, 0));
    QImage shot(qMax(windowImage.width(), menuAt.x() + menuImage.width()),
                qMax(windowImage.height(), menuAt.y() + menuImage.height()), QImage::Format_RGB32);
    shot.fill(Qt::darkGray);
    {
        QPainter composer(&shot);
        composer.drawImage(0, 0, windowImage);
        composer.drawImage(menuAt, menuImage);
    }

    // The strip of the drop-down and the open File item, as a quick check of what is shown.
    const QRect loadRect = file->actionGeometry(load);
    QCOMPARE(menuImage.pixelColor(loadRect.left() + 1, loadRect.top() + 1),
             dark ? palette.color(QPalette::Window) : TXPStyleVCL::ToQColor(painter->GetVerticalColor()));
    const QRect fileRect = window.menuBar()->actionGeometry(file->menuAction());
    QCOMPARE(windowImage.pixelColor(window.menuBar()->mapTo(&window, fileRect.topLeft())),
             dark ? palette.color(QPalette::Highlight) : TXPStyleVCL::ToQColor(painter->GetBorderColorTop()));
    // A closed menu-bar item is no light block in a dark window.
    const QRect editRect = window.menuBar()->actionGeometry(window.menuBar()->actions().at(1));
    const QColor closedItem =
        dark ? palette.color(QPalette::Window) : TXPStyleVCL::ToQColor(painter->GetMainMenuBackground());
    QCOMPARE(windowImage.pixelColor(window.menuBar()->mapTo(&window, editRect.topLeft())), closedItem);
    // The bar beside its items has their background up to the window's right edge.
    const QRect bar = window.menuBar()->geometry();
    QCOMPARE(windowImage.pixelColor(bar.right() - 2, bar.center().y()), closedItem);

    QString target = qEnvironmentVariableIsSet("TAVREL_MENU_SHOT")
                         ? qEnvironmentVariable("TAVREL_MENU_SHOT")
                         : QDir::temp().filePath("menu-painter-look.png");
    if (dark)
        target.replace(QLatin1String(".png"), QLatin1String("-dark.png"));
    QVERIFY(shot.save(target));
    qInfo("menu look written to %s", qPrintable(target));
}

QTEST_MAIN(TestXPStyleVCLLook)
#include "test_xpstylevcl_look.moc"
