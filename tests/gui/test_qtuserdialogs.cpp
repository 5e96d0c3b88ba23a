// The real dialogs behind the seam: the save dialog's ".xml" and its overwrite question, and
// the Yes/No/Cancel box, answered by a timer on the offscreen platform.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <QTextBrowser>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "HelpWindow.h"
#include "NamedParts.h"
#include "QtUserDialogs.h"
#include "text/NativeText.h"

namespace {
const QString kProjectFilter = QStringLiteral("Extended Markup Language (*.xml);;All Files (*)");

// Hands the next modal window of type T to answer once it is up; later calls queue behind it.
template <typename T> void WhenModal(std::function<void(T*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (T* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(window);
        }
    });
    timer->start();
}

// The file dialog with name typed into its file name field, then Save pressed.
void TypeNameAndSave(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

void TouchFile(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old");
}
} // namespace

class TestQtUserDialogs : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QtUserDialogs dialogs_;

private slots:
    void init() { QDir::setCurrent(dir_.path()); }

    void saveDialogAddsXml_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << "project"
                                      << "project.xml";
        QTest::newRow("own extension kept") << "project.txt"
                                            << "project.txt";
        QTest::newRow("xml kept") << "song.xml"
                                  << "song.xml";
    }
    void saveDialogAddsXml() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(dir_.path());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Save Project"));
            QCOMPARE(dialog->nameFilters(),
                     (QStringList{"Extended Markup Language (*.xml)", "All Files (*)"}));
            TypeNameAndSave(dialog, typed);
        });
        const QString chosen = dialogs_.SaveFileName(nullptr, "Save Project", kProjectFilter, "xml");
        QCOMPARE(chosen, dir_.filePath(expected));
    }

    void saveDialogAsksBeforeOverwriting_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("Yes replaces") << true;
        QTest::newRow("No keeps the dialog open") << false;
    }
    void saveDialogAsksBeforeOverwriting() {
        QFETCH(bool, replace);
        TouchFile(dir_.filePath("taken.xml"));
        QString question;
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(dir_.path());
            WhenModal<QMessageBox>([&, dialog](QMessageBox* box) {
                question = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                if (!replace)
                    QTimer::singleShot(0, dialog, &QFileDialog::reject);
            });
            // The question is about the name with ".xml" added.
            TypeNameAndSave(dialog, "taken");
        });
        const QString chosen = dialogs_.SaveFileName(nullptr, "Save Project As", kProjectFilter, "xml");
        QVERIFY2(question.contains("taken.xml"), qPrintable(question));
        QCOMPARE(chosen, replace ? dir_.filePath("taken.xml") : QString());
    }

    // Qt's dialog shows a name that is not UTF-8 with U+FFFD and takes it for a new file; the name
    // chosen comes back with its bytes, and replacing that file is asked about.
    void saveDialogKeepsANameThatIsNotUtf8_data() { saveDialogAsksBeforeOverwriting_data(); }
    void saveDialogKeepsANameThatIsNotUtf8() {
        QFETCH(bool, replace);
        const std::string taken = QFile::encodeName(dir_.path()).toStdString() + "/b\xE9.xml";
        QCOMPARE(close(open(taken.c_str(), O_CREAT | O_WRONLY, 0600)), 0);
        QString question;
        WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(dir_.path());
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            TypeNameAndSave(dialog, QFile::decodeName("b\xE9.xml"));
        });
        const QString chosen = dialogs_.SaveFileName(nullptr, "Save Project As", kProjectFilter, "xml");
        QVERIFY2(question.contains(TextFromBytes("b\xE9.xml")), qPrintable(question));
        QCOMPARE(BytesFromText(chosen), replace ? taken : std::string());
    }

    void yesNoCancel_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << int(UserDialogs::Answer::Yes);
        QTest::newRow("No") << int(QMessageBox::No) << int(UserDialogs::Answer::No);
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << int(UserDialogs::Answer::Cancel);
        QTest::newRow("closed some other way") << 0 << int(UserDialogs::Answer::Cancel);
    }
    void yesNoCancel() {
        QFETCH(int, button);
        QFETCH(int, answer);
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Warning"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            if (button == 0)
                box->reject(); // Escape or the close box
            else
                box->button(QMessageBox::StandardButton(button))->click();
        });
        const auto got = dialogs_.AskYesNoCancel(nullptr, "Do you want to save the changes you have made?",
                                                 "Warning", QString());
        QCOMPARE(int(got), answer);
    }

    void messageCaptionIsTheApplicationTitle() {
        QString caption;
        QString text;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            caption = box->windowTitle();
            text = box->text();
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box->accept();
        });
        dialogs_.ShowMessage(nullptr, "Please select an output folder!");
        QCOMPARE(caption, QStringLiteral("SWF Tavrel Tool"));
        QCOMPARE(text, QStringLiteral("Please select an output folder!"));
    }

    void missingHelpFileIsSaidClearly() {
        QString text;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            box->accept();
        });
        dialogs_.ShowHelp(nullptr, dir_.filePath("Tavrel.hlp"), "INTRODUCTION");
        QVERIFY2(text.contains(dir_.filePath("Tavrel.hlp")), qPrintable(text));
    }

    // Qt's file classes cannot name a file in a folder whose name is not UTF-8; the help opens all the same.
    void helpInAFolderThatIsNotUtf8Opens() {
        const std::string folder = QFile::encodeName(dir_.path()).toStdString() + "/prog\xE9";
        QCOMPARE(mkdir(folder.c_str(), 0700), 0);
        const std::string help = "<html><body><a name=\"INTRODUCTION\">Introduction</a></body></html>";
        const int file = open((folder + "/Tavrel.hlp").c_str(), O_CREAT | O_WRONLY, 0600);
        QCOMPARE(write(file, help.data(), help.size()), ssize_t(help.size()));
        close(file);
        QString boxText; // a box here would mean the file was not found
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxText = box->text();
                box->accept();
            }
        });
        closer.start(10);
        dialogs_.ShowHelp(nullptr, TextFromBytes(folder + "/Tavrel.hlp"), "INTRODUCTION");
        closer.stop();
        QCOMPARE(boxText, QString());
        HelpWindow* window = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("HelpWindow"))
                window = qobject_cast<HelpWindow*>(widget);
        QVERIFY(window && window->isVisible());
        QVERIFY(Find<QTextBrowser>(*window, "HelpBrowser")->toPlainText().contains("Introduction"));
        window->close();
        ::remove((folder + "/Tavrel.hlp").c_str());
        ::rmdir(folder.c_str());
    }
};

QTEST_MAIN(TestQtUserDialogs)
#include "test_qtuserdialogs.moc"
