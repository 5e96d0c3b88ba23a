// The help window with the help file that ships with the program.
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include "HelpWindow.h"
#include "NamedParts.h"

namespace {
const QString kHelpFile = QStringLiteral(TAVREL_SOURCE_DIR "/app/resources/Tavrel.hlp");
}

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void shipsBesideTheProgram_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("help file") << "Tavrel.hlp";
        QTest::newRow("web page") << "webpage.html";
        QTest::newRow("settings") << "settings.ini";
    }
    void shipsBesideTheProgram() {
        QFETCH(QString, name);
        QVERIFY2(QFile::exists(QStringLiteral(TAVREL_PROGRAM_DIR "/") + name), qPrintable(name));
    }

    // mentions: a text the help file holds for the topic.
    void opensAtTheTopic_data() {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("mentions");
        for (const char* topic :
             {"INTRODUCTION", "MAINWINDOW", "OUTPUTMODES", "PROJECTS", "RUNNING", "PREFERENCES"})
            QTest::newRow(topic) << QString::fromLatin1(topic) << QString();
        QTest::newRow("COMMANDLINE: files and folders") << "COMMANDLINE"
                                                        << "tavrel -o movies sounds/";
        QTest::newRow("COMMANDLINE: a project") << "COMMANDLINE"
                                                << "tavrel -f:/path/to/project.xml";
    }
    void opensAtTheTopic() {
        QFETCH(QString, topic);
        QFETCH(QString, mentions);
        HelpWindow window;
        window.resize(500, 300); // small, so that every topic needs scrolling
        QVERIFY(window.ShowTopic(kHelpFile, topic));
        QVERIFY(window.isVisible());
        const QTextBrowser* text = Find<QTextBrowser>(window, "HelpBrowser");
        QVERIFY(text->document()->toHtml().contains("name=\"" + topic + "\""));
        QVERIFY2(text->document()->toPlainText().contains(mentions), qPrintable(mentions));
        // Every topic lies below the table of contents, so the view has scrolled to it.
        QVERIFY2(text->verticalScrollBar()->value() > 0, qPrintable(topic));
    }

    void laterTopicsScrollFurther() {
        HelpWindow window;
        window.resize(500, 300);
        const QScrollBar* scroll = Find<QTextBrowser>(window, "HelpBrowser")->verticalScrollBar();
        QVERIFY(window.ShowTopic(kHelpFile, "INTRODUCTION"));
        const int introduction = scroll->value();
        QVERIFY(window.ShowTopic(kHelpFile, "PROJECTS"));
        const int projects = scroll->value();
        QVERIFY(window.ShowTopic(kHelpFile, "PREFERENCES"));
        const int preferences = scroll->value();
        QVERIFY(introduction < projects);
        QVERIFY(projects <= preferences);
    }

    // It opens centred on the window that asks for it (not in the screen's corner), within the screen.
    void opensCentredOnItsOwner() {
        QWidget owner;
        owner.setGeometry(260, 200, 280, 200);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        HelpWindow window;
        QVERIFY(window.ShowTopic(kHelpFile, "INTRODUCTION", &owner));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY((window.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 40);
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    }

    void closesWithEscapeOrItsButton_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("Close button") << false;
    }
    void closesWithEscapeOrItsButton() {
        QFETCH(bool, escape);
        HelpWindow window;
        QVERIFY(window.ShowTopic(kHelpFile, "INTRODUCTION"));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QPushButton* close = Find<QDialogButtonBox>(window, "HelpButtons")->button(QDialogButtonBox::Close);
        QVERIFY(close->isVisible());
        if (escape)
            QTest::keyClick(Find<QTextBrowser>(window, "HelpBrowser"), Qt::Key_Escape);
        else
            close->click();
        QVERIFY(!window.isVisible());
    }

    void missingFileIsRefused() {
        HelpWindow window;
        QVERIFY(!window.ShowTopic(QStringLiteral("/no/such/folder/Tavrel.hlp"), "INTRODUCTION"));
        QVERIFY(!window.isVisible());
        QVERIFY(Find<QTextBrowser>(window, "HelpBrowser")->source().isEmpty());
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_helpwindow.moc"
