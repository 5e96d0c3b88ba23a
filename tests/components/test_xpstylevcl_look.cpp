// Renders a main window's menu bar with its File drop-down open, painted by the menu painter,
// into a PNG to look at: $TAVREL_MENU_SHOT or menu-painter-look.png in the temporary folder.
#include <QtTest>

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "Xpstylevcl.h"

namespace {

QIcon SampleIcon(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(color);
    painter.drawRect(1, 1, 13, 13);
    return QIcon(pixmap);
}

} // namespace

class TestXPStyleVCLLook : public QObject {
    Q_OBJECT

private slots:
    void rendersMenuBarWithOpenDropDown();
};

void TestXPStyleVCLLook::rendersMenuBarWithOpenDropDown() {
    QMainWindow window;
    window.resize(696, 480);
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction(SampleIcon(Qt::white), "New Project");
    file->addSeparator();
    QAction* load = file->addAction(SampleIcon(Qt::yellow), "Load Project");
    file->addAction(SampleIcon(Qt::blue), "Save Project");
    file->addAction("Save Project As...");
    file->addSeparator();
    file->addAction("Preferences")->setEnabled(false);
    file->addSeparator();
    file->addAction("E&xit");
    window.menuBar()->addMenu("&Edit")->addAction(SampleIcon(Qt::green), "Add File(s)");
    window.menuBar()->addMenu("&Run")->addAction(SampleIcon(Qt::red), "Start Automation");
    window.menuBar()->addMenu("&Help")->addAction("About");

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
             TXPStyleVCL::ToQColor(painter->GetVerticalColor()));
    const QRect fileRect = window.menuBar()->actionGeometry(file->menuAction());
    QCOMPARE(windowImage.pixelColor(window.menuBar()->mapTo(&window, fileRect.topLeft())),
             TXPStyleVCL::ToQColor(painter->GetBorderColorTop()));

    const QString target = qEnvironmentVariableIsSet("TAVREL_MENU_SHOT")
                               ? qEnvironmentVariable("TAVREL_MENU_SHOT")
                               : QDir::temp().filePath("menu-painter-look.png");
    QVERIFY(shot.save(target));
    qInfo("menu look written to %s", qPrintable(target));
}

QTEST_MAIN(TestXPStyleVCLLook)
#include "test_xpstylevcl_look.moc"
