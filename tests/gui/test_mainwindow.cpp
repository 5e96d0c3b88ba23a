// The main window on the offscreen platform: start-up, controls, menus, input list, output
// folder, output modes, help, about and the close box; dialogs answered by a script.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <map>
#include <memory>

#include "FakeUserDialogs.h"
#include "HelpWindow.h"
#include "MainWindowFixture.h"
#include "NamedParts.h"
#include "TFormAbout.h"
#include "TFormAddNewOutputMode.h"
#include "TFormMain.h"
#include "TFormPreferences.h"
#include "TFormProgressBarPercent.h"
#include "TavrelWindows.h"
#include "UpDownArrows.h"
#include "Xpstylevcl.h"
#include "project/ProgramFiles.h"
#include "project/ProjectControls.h"
#include "text/NativeText.h"
#include "text/Translations.h"

using Kind = FakeUserDialogs::Kind;
using Answer = UserDialogs::Answer;

namespace {
// The items of the window's box of that name.
QStringList ItemsOf(const QWidget& window, const char* name) {
    const QComboBox* box = Find<QComboBox>(window, name);
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Captions of a menu's or tool bar's actions as shown (the "&" of the Alt letter left out),
// separators as "-".
QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions)
        captions << (action->isSeparator() ? QStringLiteral("-") : QString(action->text()).remove(u'&'));
    return captions;
}

QImage IconImage(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

// What a screen reader meets in window without a name: each control that takes the focus, and each
// progress bar, whose accessible name has no letter or digit ("..." is none), as "object (role)".
QStringList UnnamedControls(QAccessibleInterface* node) {
    QStringList unnamed;
    for (int i = 0; node && i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child)
            continue;
        const QAccessible::State state = child->state();
        const QString name = child->text(QAccessible::Name);
        if (!state.invisible && (state.focusable || child->role() == QAccessible::ProgressBar) &&
            !std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            unnamed << QStringLiteral("%1 (%2)")
                           .arg(child->object() ? child->object()->objectName() : QString())
                           .arg(child->role());
        unnamed << UnnamedControls(child);
    }
    return unnamed;
}

QStringList BoxStates(const TFormMain& window) {
    QStringList states;
    for (const char* name : {"ComboBoxQuality", "ComboBoxMode", "ComboBoxBitrate"}) {
        const QComboBox* box = Find<QComboBox>(window, name);
        states << box->currentText() + (box->isEnabled() ? "" : " (disabled)");
    }
    return states;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolder> folder_;
    FakeUserDialogs dialogs_;
    std::unique_ptr<TavrelWindows> windows_;
    TFormMain* window_ = nullptr; // windows_->main

    TFormMain& NewWindow(const QByteArray& settings = StandardSettings()) {
        windows_.reset();
        folder_ = std::make_unique<ProgramFolder>(settings);
        dialogs_.Reset();
        windows_ = std::make_unique<TavrelWindows>(folder_->Path(), &dialogs_);
        window_ = windows_->main.get();
        return *window_;
    }

private slots:
    void init() { NewWindow(); }
    void cleanup() {
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList());
        windows_.reset();
        window_ = nullptr;
    }

    void startsWithTheNewProject() {
        TFormMain& w = *window_;
        QCOMPARE(w.windowTitle(), QStringLiteral("Tavrel Tool v1.5 - Untitled.xml[*]"));
        QVERIFY(!w.isWindowModified());
        QCOMPARE(w.size(), QSize(696, 480));
        // The shipped icon, not one of the theme's.
        const QIcon shipped(QStringLiteral(TAVREL_SOURCE_DIR "/dist/org.tavrel.swftavreltool.svg"));
        QCOMPARE(IconImage(w.windowIcon()), IconImage(shipped));
        QCOMPARE(IconImage(windows_->about->windowIcon()), IconImage(shipped));
        QCOMPARE(ItemsOf(w, "ComboBoxOutputMode"), (QStringList{"Music", "Speech", "Custom..."}));
        QCOMPARE(Find<QComboBox>(w, "ComboBoxOutputMode")->currentText(), QStringLiteral("Music"));
        QCOMPARE(BoxStates(w), (QStringList{"5 (disabled)", "joint (disabled)", "128 kbps (disabled)"}));
        QCOMPARE(Find<QLineEdit>(w, "EditFramePerSeconds")->text(), QStringLiteral("12"));
        QCOMPARE(Find<QLineEdit>(w, "EditFrameTuner")->text(), QStringLiteral("0"));
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), QStringLiteral("/tmp/tavrel-out/"));
        QVERIFY(Find<QRadioButton>(w, "RadioButtonNoStopAction")->isChecked());
        QCOMPARE(ListEntries(w).size(), 0);
        QCOMPARE(InputList(w)->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!w.isWindowModified());
        QVERIFY(dialogs_.shown.empty());
    }

    // The menu bar and its drop-downs are measured and painted by the window's menu painter;
    // the input list's context menu keeps the platform's look.
    void menuPainterOwnsTheMainMenusOnly() {
        TFormMain& w = *window_;
        const TXPStyleVCL* painter = Find<TXPStyleVCL>(w, "XPStyleVCL");
        QVERIFY(painter->Getactive());
        QCOMPARE(painter->GetMenuIncreaseWidth(), 50); // the menus carry pictures
        QStyle* painted = w.menuBar()->style();
        QVERIFY(painted != QApplication::style());
        QMenu* file = Find<QMenu>(w, "File1");
        for (QMenu* menu : {file, Find<QMenu>(w, "Edit1"), Find<QMenu>(w, "Run1"), Find<QMenu>(w, "Help1")})
            QCOMPARE(menu->style(), painted);
        QVERIFY(Find<QMenu>(w, "PopupMenuInputFiles")->style() != painted);

        // Every drop-down item is Offset pixels taller than the platform's own item.
        QAction* newProject = Find<QAction>(w, "NewProject1");
        QMenu plain;
        plain.addAction(newProject->icon(), newProject->text());
        const int plainHeight = plain.actionGeometry(plain.actions().first()).height();
        file->ensurePolished();
        QCOMPARE(file->actionGeometry(newProject).height(), plainHeight + painter->GetOffset());
    }

    void fixedItemsAndCaptions() {
        TFormMain& w = *window_;
        QCOMPARE(ItemsOf(w, "ComboBoxQuality"), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(ItemsOf(w, "ComboBoxMode"), (QStringList{"stereo", "joint", "force", "mono", "auto"}));
        QCOMPARE(ItemsOf(w, "ComboBoxBitrate"),
                 (QStringList{"16 kbps", "32 kbps", "64 kbps", "128 kbps", "256 kbps"}));
        QCOMPARE(Find<QGroupBox>(w, "GroupBoxCustomOutputSettings")->title(),
                 QStringLiteral("Output Settings :"));
        QCOMPARE(Find<QRadioButton>(w, "RadioButtonNoStopAction")->text(), QStringLiteral("No Stop Action"));
        QCOMPARE(Find<QRadioButton>(w, "RadioButtonStopActionToStart")->text(),
                 QStringLiteral("Stop Action To Start"));
        QCOMPARE(Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->text(),
                 QStringLiteral("Stop Action To End"));
        QCOMPARE(Find<QPushButton>(w, "ButtonOutputFolder")->text(), QStringLiteral("..."));
    }

    void everyNamedPartExists_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"NewProject1",
                                 "LoadProject1",
                                 "SaveProject1",
                                 "SaveProjectAs1",
                                 "Preferences1",
                                 "Exit1",
                                 "AddFiles1",
                                 "RemoveFiles1",
                                 "StartAutomation1",
                                 "SpawnSession1",
                                 "Help2",
                                 "WebPage1",
                                 "About1",
                                 "File1",
                                 "Edit1",
                                 "Run1",
                                 "Help1",
                                 "ToolBar1",
                                 "PopupMenuInputFiles",
                                 "ComboBoxOutputMode",
                                 "GroupBoxCustomOutputSettings",
                                 "ComboBoxQuality",
                                 "ComboBoxMode",
                                 "ComboBoxBitrate",
                                 "RadioButtonNoStopAction",
                                 "RadioButtonStopActionToStart",
                                 "RadioButtonStopActionToEnd",
                                 "EditFramePerSeconds",
                                 "UpDownFramePerSeconds",
                                 "EditFrameTuner",
                                 "UpDownFrameTuner",
                                 "EditOutputFolder",
                                 "ButtonOutputFolder",
                                 "ListBoxInputFiles",
                                 "CheckBoxGapless",
                                 "EditLoops",
                                 "UpDownLoops",
                                 "CheckBoxStandalone"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyNamedPartExists() {
        QFETCH(QString, name);
        QVERIFY2(window_->findChild<QObject*>(name), qPrintable(name));
    }

    void menusAndToolBar() {
        TFormMain& w = *window_;
        QCOMPARE(Captions(w.menuBar()->actions()), (QStringList{"File", "Edit", "Run", "Help"}));
        QCOMPARE(Captions(Find<QMenu>(w, "File1")->actions()),
                 (QStringList{"New Project", "-", "Load Project", "Save Project", "Save Project As...", "-",
                              "Preferences", "-", "Exit"}));
        QCOMPARE(Captions(Find<QMenu>(w, "Edit1")->actions()),
                 (QStringList{"Add File(s)", "Remove File(s)"}));
        QCOMPARE(Captions(Find<QMenu>(w, "Run1")->actions()),
                 (QStringList{"Start Automation", "Stop Automation", "-", "Spawn Session"}));
        QCOMPARE(Captions(Find<QMenu>(w, "Help1")->actions()), (QStringList{"Help", "Web Page", "About"}));
        QCOMPARE(Captions(Find<QToolBar>(w, "ToolBar1")->actions()),
                 (QStringList{"New Project", "-", "Load Project", "Save Project", "-", "Add File(s)",
                              "Remove File(s)", "-", "Start Automation", "-", "Help"}));
        // Every menu title and item has an Alt letter, none twice in one menu.
        for (QWidget* menu : std::initializer_list<QWidget*>{
                 w.menuBar(), Find<QMenu>(w, "File1"), Find<QMenu>(w, "Edit1"), Find<QMenu>(w, "Run1"),
                 Find<QMenu>(w, "Help1"), Find<QMenu>(w, "PopupMenuInputFiles")}) {
            QStringList letters;
            for (const QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    letters << QKeySequence::mnemonic(action->text()).toString();
            }
            QVERIFY2(!letters.contains(QString()), qPrintable(letters.join(' ')));
            QCOMPARE(letters.removeDuplicates(), 0);
        }
        // The tool bar runs the very menu items, and every item has a picture.
        QCOMPARE(Find<QToolBar>(w, "ToolBar1")->actions().first(), Find<QAction>(w, "NewProject1"));
        for (QAction* action : w.findChildren<QAction*>()) {
            if (!action->objectName().isEmpty() && !action->menu())
                QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
        }
    }

    void upDownSteps_data() {
        QTest::addColumn<bool>("tuner");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up from the typed number") << false << "12" << 1 << "13";
        QTest::newRow("down from the typed number") << false << "50" << -2 << "48";
        QTest::newRow("stops at 100") << false << "100" << 1 << "100";
        QTest::newRow("stops at 0, no wrap") << false << "0" << -1 << "0";
        QTest::newRow("a typed number above the range") << false << "150" << 1 << "100";
        QTest::newRow("text that is no number starts from the position") << false << "abc" << 1 << "13";
        QTest::newRow("tuner stops at -100") << true << "-100" << -1 << "-100";
        QTest::newRow("tuner steps through 0") << true << "-1" << 2 << "1";
        QTest::newRow("tuner stops at 100") << true << "99" << 3 << "100";
    }
    void upDownSteps() {
        QFETCH(bool, tuner);
        QFETCH(QString, typed);
        QFETCH(int, steps);
        QFETCH(QString, shown);
        TFormMain& w = *window_;
        QLineEdit* edit = Find<QLineEdit>(w, tuner ? "EditFrameTuner" : "EditFramePerSeconds");
        UpDownArrows* upDown = Find<UpDownArrows>(w, tuner ? "UpDownFrameTuner" : "UpDownFramePerSeconds");
        QCOMPARE(upDown->Associate(), edit);
        // Any text can be typed.
        edit->setText(typed);
        QCOMPARE(edit->text(), typed);
        for (int i = 0; i < std::abs(steps); ++i)
            (steps > 0 ? upDown->UpButton() : upDown->DownButton())->click();
        QCOMPARE(edit->text(), shown);
    }

    void upDownKeys() {
        TFormMain& w = *window_;
        QLineEdit* tuner = Find<QLineEdit>(w, "EditFrameTuner");
        QTest::keyClick(tuner, Qt::Key_Down);
        QTest::keyClick(tuner, Qt::Key_Down);
        QCOMPARE(tuner->text(), QStringLiteral("-2"));
        QLineEdit* framesPerSecond = Find<QLineEdit>(w, "EditFramePerSeconds");
        QTest::keyClick(framesPerSecond, Qt::Key_Up);
        QCOMPARE(framesPerSecond->text(), QStringLiteral("13"));
    }

    void outputModeChange_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("fixed preset")
            << "Speech" << QStringList{"7 (disabled)", "mono (disabled)", "32 kbps (disabled)"};
        QTest::newRow("editable preset") << "Custom..." << QStringList{"4", "stereo", "256 kbps"};
        QTest::newRow("values no item shows keep the boxes")
            << "Odd" << QStringList{"5 (disabled)", "joint (disabled)", "128 kbps (disabled)"};
    }
    void outputModeChange() {
        QFETCH(QString, mode);
        QFETCH(QStringList, boxes);
        TFormMain& w = NewWindow(StandardSettings().replace("outputmodecount=3", "outputmodecount=4") +
                                 "[3]\nname=Odd\nenabled=0\nquality=0\nmode=x\nbitrate=100\n");
        Find<QComboBox>(w, "ComboBoxOutputMode")->setCurrentText(mode);
        w.ComboBoxOutputModeChange();
        QCOMPARE(BoxStates(w), boxes);
    }

    void duplicatePresetNamesUseTheFirst() {
        TFormMain& w = NewWindow(StandardSettings().replace("name=Speech", "name=Music"));
        Find<QComboBox>(w, "ComboBoxOutputMode")->setCurrentIndex(1); // the second "Music"
        w.ComboBoxOutputModeChange();
        QCOMPARE(BoxStates(w), (QStringList{"5 (disabled)", "joint (disabled)", "128 kbps (disabled)"}));
    }

    void matchOutputMode_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("outputMode");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("a preset's values")
            << "7 m 32"
            << "Speech" << QStringList{"7 (disabled)", "mono (disabled)", "32 kbps (disabled)"};
        QTest::newRow("no preset: Custom..., open boxes")
            << "3 f 64"
            << "Custom..." << QStringList{"3", "force", "64 kbps"};
        QTest::newRow("values no item shows keep the items")
            << "x y 1"
            << "Custom..." << QStringList{"5", "joint", "128 kbps"};
    }
    void matchOutputMode() {
        QFETCH(QString, values);
        QFETCH(QString, outputMode);
        QFETCH(QStringList, boxes);
        TFormMain& w = *window_;
        const QStringList parts = values.split(' ');
        w.ShowProject(MakeProject(parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString()));
        QCOMPARE(Find<QComboBox>(w, "ComboBoxOutputMode")->currentText(), outputMode);
        QCOMPARE(BoxStates(w), boxes);
    }

    void withoutCustomTheOutputModeStays() {
        TFormMain& w = NewWindow(StandardSettings().replace("outputmodecount=3", "outputmodecount=2"));
        w.ShowProject(MakeProject("3", "f", "64"));
        QCOMPARE(Find<QComboBox>(w, "ComboBoxOutputMode")->currentText(), QStringLiteral("Music"));
        QCOMPARE(BoxStates(w), (QStringList{"3", "force", "64 kbps"}));
    }

    void startsWithoutSettingsFile() {
        TFormMain& w = NewWindow(QByteArray());
        QCOMPARE(Find<QComboBox>(w, "ComboBoxOutputMode")->count(), 0);
        QCOMPARE(BoxStates(w), (QStringList{"5", "joint", "128 kbps"}));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tavrel Tool v1.5 - Untitled.xml[*]"));
        QVERIFY(!w.isWindowModified());
    }

    // Told at the first activation, once the command line says whether a box may be shown.
    void unreadableSettingsNumbersAreReported() {
        TFormMain& w = NewWindow(StandardSettings().replace("emptyproject=0", "emptyproject=first"));
        QCOMPARE(dialogs_.Count(Kind::Message), 0);
        w.FormActivate();
        QCOMPARE(dialogs_.Count(Kind::Message), 1);
        QVERIFY(dialogs_.Texts(Kind::Message).first().contains("emptyproject"));
        QCOMPARE(Find<QComboBox>(w, "ComboBoxOutputMode")->currentText(), QStringLiteral("Music"));
    }

    void addFilesSortsAndSkipsDuplicates() {
        TFormMain& w = *window_;
        dialogs_.openFileNamesResults = {{"/snd/b.wav", "/snd/A.mp3"},
                                         {"/snd/a.MP3", "/snd/c.wav", "/snd/B.WAV"}};
        w.AddFiles1Click();
        QCOMPARE(ListEntries(w), (QStringList{"/snd/A.mp3", "/snd/b.wav"}));
        w.AddFiles1Click();
        QCOMPARE(ListEntries(w), (QStringList{"/snd/A.mp3", "/snd/b.wav", "/snd/c.wav"}));
        const auto asked = dialogs_.Of(Kind::OpenFiles);
        QCOMPARE(int(asked.size()), 2);
        QCOMPARE(asked[0].filter,
                 QStringLiteral("Wav files (*.wav);;MP3 files (*.mp3);;Wav and MP3 files (*.mp3 "
                                "*.wav);;All Files (*)"));
        QCOMPARE(asked[0].owner, static_cast<QWidget*>(&w));
    }

    void cancelledAddFilesStillSorts() {
        TFormMain& w = *window_;
        w.ShowProject(MakeProject("5", "j", "128", {"/z.wav", "/m.wav", "/a.wav"}));
        QCOMPARE(ListEntries(w), (QStringList{"/z.wav", "/m.wav", "/a.wav"}));
        w.AddFiles1Click(); // nothing queued: cancelled
        QCOMPARE(ListEntries(w), (QStringList{"/a.wav", "/m.wav", "/z.wav"}));
    }

    void removeFilesRemovesEverySelectedEntry() {
        TFormMain& w = *window_;
        w.ShowProject(MakeProject("5", "j", "128", {"/1.wav", "/2.wav", "/3.wav", "/4.wav", "/5.wav"}));
        w.RemoveFiles1Click(); // nothing selected: nothing happens
        QCOMPARE(ListEntries(w).size(), 5);
        for (int row : {0, 2, 3})
            SelectEntry(w, row);
        w.RemoveFiles1Click();
        QCOMPARE(ListEntries(w), (QStringList{"/2.wav", "/5.wav"}));
    }

    // The keys of the desktop, on the menus' commands; Delete only where the list has the focus.
    void shortcuts_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("triggers");
        QTest::newRow("New Project") << "NewProject1" << QKeySequence("Ctrl+N") << "ListBoxInputFiles"
                                     << true;
        QTest::newRow("Load Project")
            << "LoadProject1" << QKeySequence("Ctrl+O") << "EditOutputFolder" << true;
        QTest::newRow("Save Project")
            << "SaveProject1" << QKeySequence("Ctrl+S") << "ComboBoxOutputMode" << true;
        QTest::newRow("Save Project As")
            << "SaveProjectAs1" << QKeySequence("Ctrl+Shift+S") << "EditFrameTuner" << true;
        QTest::newRow("Exit") << "Exit1" << QKeySequence("Ctrl+Q") << "ListBoxInputFiles" << true;
        QTest::newRow("Remove File(s)")
            << "RemoveFiles1" << QKeySequence("Del") << "ListBoxInputFiles" << true;
        QTest::newRow("Delete in the folder edit edits it")
            << "RemoveFiles1" << QKeySequence("Del") << "EditOutputFolder" << false;
        QTest::newRow("Help") << "Help2" << QKeySequence("F1") << "EditFramePerSeconds" << true;
        QTest::newRow("Preferences") << "Preferences1" << QKeySequence("Ctrl+,") << "ListBoxInputFiles"
                                     << true;
        QTest::newRow("Start Automation")
            << "StartAutomation1" << QKeySequence("Ctrl+R") << "EditOutputFolder" << true;
        QTest::newRow("Alt+F opens the File menu")
            << "File1" << QKeySequence("Alt+F") << "EditOutputFolder" << true;
        QTest::newRow("Alt+R opens the Run menu")
            << "Run1" << QKeySequence("Alt+R") << "ListBoxInputFiles" << true;
        QTest::newRow("the Menu key opens the input list's menu")
            << "PopupMenuInputFiles" << QKeySequence(Qt::Key_Menu) << "ListBoxInputFiles" << true;
        QTest::newRow("Shift+F10 opens the input list's menu")
            << "PopupMenuInputFiles" << QKeySequence("Shift+F10") << "ListBoxInputFiles" << true;
    }
    void shortcuts() {
        QFETCH(QString, action);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, focus);
        QFETCH(bool, triggers);
        TFormMain& w = *window_;
        auto* menu = w.findChild<QMenu*>(action);
        auto* command = menu ? menu->menuAction() : w.findChild<QAction*>(action);
        QVERIFY(command);
        if (!menu)
            QCOMPARE(command->shortcut(), keys);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* widget = w.findChild<QWidget*>(focus);
        widget->setFocus();
        QSignalSpy triggered(command, &QAction::triggered);
        QTest::keySequence(widget, keys);
        if (menu) {
            QTRY_VERIFY(menu->isVisible());
            menu->close();
        } else {
            QCOMPARE(triggered.count(), triggers ? 1 : 0);
        }
        w.hide();
    }

    // A drop adds what Add File(s) would: a folder's WAV and MP3 files (not its other files, not
    // its subfolders'), files as they are, with the bytes of their names; merged and sorted.
    void droppedFilesAndFolders_data() {
        QTest::addColumn<QStringList>("dropped"); // "<dir>": the dropped folder; "<latin1>": café.wav
        QTest::addColumn<QStringList>("added");
        QTest::newRow("a folder") << QStringList{"<dir>"} << QStringList{"<dir>/a.wav", "<dir>/b.MP3"};
        QTest::newRow("files, one named in Latin-1")
            << QStringList{"<dir>/notes.txt", "<latin1>"} << QStringList{"<latin1>", "<dir>/notes.txt"};
        QTest::newRow("twice the same, and nothing local")
            << QStringList{"<dir>/a.wav", "<dir>", "http://example.org/x.wav"}
            << QStringList{"<dir>/a.wav", "<dir>/b.MP3"};
    }
    void droppedFilesAndFolders() {
        QFETCH(QStringList, dropped);
        QFETCH(QStringList, added);
        TFormMain& w = *window_;
        const QString dir = folder_->FilePath("drop");
        QVERIFY(QDir().mkpath(dir + "/sub"));
        for (const char* name : {"a.wav", "b.MP3", "notes.txt", "sub/c.wav"})
            folder_->WriteFile(QString("drop/") + name, "RIFF");
        const std::string latin1 = BytesFromText(folder_->Path()) + "/caf\xE9.wav";
        std::FILE* file = std::fopen(latin1.c_str(), "w");
        QVERIFY(file);
        std::fclose(file);
        const auto substitute = [&](QString path) {
            return path.replace("<dir>", dir).replace("<latin1>", TextFromBytes(latin1));
        };
        QList<QUrl> urls;
        for (const QString& entry : dropped) {
            const QString path = substitute(entry);
            urls << (path.startsWith('/')
                         ? QUrl::fromEncoded(
                               "file://" +
                               QByteArray::fromStdString(BytesFromText(path)).toPercentEncoding("/"))
                         : QUrl(path));
        }
        w.ShowProject(MakeProject("5", "j", "128", {"/z.wav"}));
        QMimeData data;
        data.setUrls(urls);
        QWidget* target = InputList(w)->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());

        QStringList expected;
        for (const QString& entry : added)
            expected << substitute(entry);
        QCOMPARE(ListEntries(w), MergeInputFiles(expected, {"/z.wav"}));
    }

    // The settings panel's width cuts the shipped presets' longer names: the list is as wide as
    // the longest, and the chosen one is the box's tooltip.
    void outputTypeShowsWholeNames() {
        QFile shipped(TAVREL_SOURCE_DIR "/app/resources/settings.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        TFormMain& w = NewWindow(shipped.readAll());
        QComboBox* box = Find<QComboBox>(w, "ComboBoxOutputMode");
        w.show();
        const int boxWidth = box->width();
        box->setCurrentText("High Quality (256 kbps)");
        QCOMPARE(box->toolTip(), QStringLiteral("High Quality (256 kbps)"));
        QCOMPARE(box->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("Speech (32 kbps mono)"));
        box->showPopup();
        for (int i = 0; i < box->count(); ++i)
            QVERIFY2(box->view()->visualRect(box->model()->index(i, 0)).width() >
                         box->view()->fontMetrics().horizontalAdvance(box->itemText(i)),
                     qPrintable(box->itemText(i)));
        box->hidePopup();
        QCOMPARE(box->width(), boxWidth);
    }

    void contextMenuRunsTheEditCommands() {
        TFormMain& w = *window_;
        QCOMPARE(InputList(w)->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(Captions(Find<QMenu>(w, "PopupMenuInputFiles")->actions()),
                 (QStringList{"Add File(s)", "Remove File(s)"}));
        dialogs_.openFileNamesResults = {{"/b.wav", "/a.wav"}};
        Find<QMenu>(w, "PopupMenuInputFiles")->actions().at(0)->trigger();
        QCOMPARE(ListEntries(w), (QStringList{"/a.wav", "/b.wav"}));
        SelectEntry(w, 1);
        Find<QMenu>(w, "PopupMenuInputFiles")->actions().at(1)->trigger();
        QCOMPARE(ListEntries(w), (QStringList{"/a.wav"}));
    }

    void outputFolderBrowser_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a folder gets its separator") << "/home/u/Sounds"
                                                     << "/home/u/Sounds/";
        QTest::newRow("the root keeps its single one") << "/"
                                                       << "/";
        QTest::newRow("cancelled changes nothing") << ""
                                                   << "/tmp/tavrel-out/";
    }
    void outputFolderBrowser() {
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        TFormMain& w = *window_;
        if (!chosen.isEmpty())
            dialogs_.folderResults = {chosen};
        Find<QPushButton>(w, "ButtonOutputFolder")->click();
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), shown);
        QCOMPARE(dialogs_.Of(Kind::Folder).at(0).title, QStringLiteral("Please Select a Directory"));
    }

    void helpAndWebPage() {
        TFormMain& w = *window_;
        Find<QAction>(w, "Help2")->trigger();
        Find<QAction>(w, "WebPage1")->trigger();
        const auto help = dialogs_.Of(Kind::Help);
        QCOMPARE(int(help.size()), 1);
        QCOMPARE(help[0].text, folder_->FilePath("Tavrel.hlp"));
        QCOMPARE(help[0].title, QStringLiteral("INTRODUCTION"));
        QCOMPARE(dialogs_.Texts(Kind::Browser), QStringList{folder_->FilePath("webpage.html")});
    }

    void aboutWindow() {
        TFormMain& w = *window_;
        TFormAbout& about = *windows_->about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About SWF Tavrel Tool"));
        QCOMPARE(about.size(), QSize(306, 239));
        QCOMPARE(Find<QLabel>(about, "ProductName")->text(), QStringLiteral("SWF Tavrel Tool "));
        QCOMPARE(Find<QLabel>(about, "Version")->text(), QStringLiteral("v1.52"));
        QVERIFY(Find<QPushButton>(about, "OKButton")->isDefault());
        QCOMPARE(Find<QPushButton>(about, "OKButton")->text(), QStringLiteral("OK"));
        QVERIFY(!Find<QLabel>(about, "ProgramIcon")->pixmap().isNull());

        Find<QAction>(w, "About1")->trigger();
        QVERIFY(about.isVisible());
        QVERIFY(!about.isModal());
        Find<QPushButton>(about, "OKButton")->click();
        QVERIFY(!about.isVisible());
    }

    // At any font size the window opens within the screen and shows every caption whole; dialogs
    // open centred on it, and a fixed-size one has nothing to minimise or maximise.
    // In every language: a caption of the user's language, the whole of it.
    void windowsFitTheScreenAndTheirCaptions_data() {
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("settingsCaption");
        QTest::newRow("the usual font") << 0 << "C"
                                        << "Output Settings :";
        QTest::newRow("16 pt") << 16 << "C"
                               << "Output Settings :";
        QTest::newRow("26 pt") << 26 << "C"
                               << "Output Settings :";
        QTest::newRow("de_DE, 16 pt") << 16 << "de_DE"
                                      << "Ausgabeeinstellungen:";
        QTest::newRow("fr_FR, 16 pt") << 16 << "fr_FR"
                                      << "Réglages de sortie :";
    }
    void windowsFitTheScreenAndTheirCaptions() {
        QFETCH(int, pointSize);
        QFETCH(QString, language);
        QFETCH(QString, settingsCaption);
        const QFont usual = QApplication::font();
        const ProgramFiles shipped(TAVREL_PROGRAM_DIR);
        const auto restore = qScopeGuard([&] {
            QApplication::setFont(usual);
            InstallTranslations(shipped, QLocale::c());
        });
        QCOMPARE(InstallTranslations(shipped, QLocale(language)), language != "C");
        QFont font = usual;
        if (pointSize > 0)
            font.setPointSize(pointSize);
        QApplication::setFont(font);
        TFormMain& w = NewWindow();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        for (QWidget* part : w.centralWidget()->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(part) || qobject_cast<QRadioButton*>(part) ||
                qobject_cast<QComboBox*>(part))
                QVERIFY2(part->width() >= part->sizeHint().width(), qPrintable(part->objectName()));
        }
        const QGroupBox* settings = Find<QGroupBox>(w, "GroupBoxCustomOutputSettings");
        QCOMPARE(settings->title(), settingsCaption);
        QVERIFY(settings->width() > settings->fontMetrics().horizontalAdvance(settings->title()));

        TFormAbout& about = *windows_->about;
        Find<QAction>(w, "About1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY((about.frameGeometry().center() - w.frameGeometry().center()).manhattanLength() <= 2);
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QLabel* productName = Find<QLabel>(about, "ProductName");
        QVERIFY(productName->width() >= productName->sizeHint().width());
        about.hide();
        w.hide();
    }

    // A screen reader names every control that takes the focus, in every window.
    void everyFocusableControlHasAName_data() {
        QTest::addColumn<QString>("window");
        for (const char* window : {"main", "preferences", "new output mode", "about", "progress", "help"})
            QTest::newRow(window) << QString::fromLatin1(window);
    }
    void everyFocusableControlHasAName() {
        QFETCH(QString, window);
        TFormMain& w = *window_;
        w.ShowProject(MakeProject("5", "j", "128", {"/in/a.wav"}));
        HelpWindow help;
        const std::map<QString, QWidget*> windows{{"main", &w},
                                                  {"preferences", windows_->preferences},
                                                  {"new output mode", windows_->newOutputMode},
                                                  {"about", windows_->about},
                                                  {"progress", windows_->progress},
                                                  {"help", &help}};
        QWidget* shown = windows.at(window);
        if (shown == &help)
            QVERIFY(help.ShowTopic(TAVREL_SOURCE_DIR "/app/resources/Tavrel.hlp", "INTRODUCTION"));
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const QStringList unnamed = UnnamedControls(QAccessible::queryAccessibleInterface(shown));
        shown->hide();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // Tab onto the empty input list shows where the focus is.
    void theEmptyInputListShowsTheFocus() {
        TFormMain& w = *window_;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QListView* list = InputList(w);
        const QImage without = list->grab().toImage();
        Find<QLineEdit>(w, "EditOutputFolder")->setFocus();
        QTest::keyClick(Find<QLineEdit>(w, "EditOutputFolder"), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(list->hasFocus());
        QVERIFY(list->grab().toImage() != without);
        w.hide();
    }

    void preferencesAreShownModeless() {
        TFormMain& w = *window_;
        TFormPreferences& preferences = *windows_->preferences;
        Find<QAction>(w, "Preferences1")->trigger();
        QVERIFY(preferences.isVisible());
        QVERIFY(!preferences.isModal());
        // Its Help opens the main window's help file.
        Find<QPushButton>(preferences, "ButtonHelp")->click();
        QCOMPARE(dialogs_.Texts(Kind::Help), QStringList{folder_->FilePath("Tavrel.hlp")});
        preferences.hide();
    }

    // The close box asks like Exit does; "-" stands for no question asked.
    void closeBox_data() {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged closes at once") << false << "-" << false << true << false;
        QTest::newRow("changed, Cancel keeps it open") << true << "Cancel" << false << false << false;
        QTest::newRow("changed, No closes without saving") << true << "No" << false << true << false;
        QTest::newRow("changed, Yes saves and closes") << true << "Yes" << true << true << true;
        QTest::newRow("changed, Yes but no file chosen stays") << true << "Yes" << false << false << false;
    }
    void closeBox() {
        QFETCH(bool, change);
        QFETCH(QString, answer);
        QFETCH(bool, saveChosen);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        TFormMain& w = *window_;
        w.show();
        if (change)
            Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->setChecked(true);
        if (answer == "Yes")
            dialogs_.answers = {Answer::Yes};
        if (answer == "No")
            dialogs_.answers = {Answer::No};
        const QString path = folder_->FilePath("closing.xml");
        if (saveChosen)
            dialogs_.saveFileNameResults = {path};

        QCOMPARE(w.close(), closed);
        QCOMPARE(w.isVisible(), !closed);
        QCOMPARE(dialogs_.Count(Kind::Question), answer == "-" ? 0 : 1);
        QCOMPARE(QFile::exists(path), saved);
        if (saved)
            QCOMPARE(ReadProject(path).StopAction, 2);
    }

    void exitAsksOnlyAboutChanges() {
        TFormMain& w = *window_;
        w.show();
        Find<QLineEdit>(w, "EditOutputFolder")->setText("/elsewhere/");
        QVERIFY(w.isWindowModified()); // the title's "*"
        w.Exit1Click();                // Cancel: the program goes on
        QVERIFY(w.isVisible());
        QCOMPARE(dialogs_.Count(Kind::Question), 1);
        QCOMPARE(dialogs_.shown.back().text,
                 QStringLiteral("Do you want to save the changes you have made?"));
        QCOMPARE(dialogs_.shown.back().title, QStringLiteral("Warning"));
        QCOMPARE(dialogs_.shown.back().detail, QStringLiteral("Project: Untitled.xml"));
        dialogs_.answers = {Answer::No};
        Find<QAction>(w, "Exit1")->trigger();
        QVERIFY(!w.isVisible());
        QCOMPARE(dialogs_.Count(Kind::Question), 2); // Exit's own question, not another one from the close

        NewWindow().show();
        window_->Exit1Click();
        QVERIFY(!window_->isVisible());
        QCOMPARE(dialogs_.Count(Kind::Question), 0);
    }

    void failureInACommandIsShownAndTheWindowGoesOn() {
        TFormMain& w = *window_;
        w.show();
        Find<QLineEdit>(w, "EditFramePerSeconds")->setText("twelve");
        QVERIFY(!w.close());
        w.NewProject1Click();
        QCOMPARE(dialogs_.Texts(Kind::Error), (QStringList{"'twelve' is not a valid integer value",
                                                           "'twelve' is not a valid integer value"}));
        QVERIFY(w.isVisible());
        QCOMPARE(Find<QLineEdit>(w, "EditFramePerSeconds")->text(), QStringLiteral("twelve"));
        dialogs_.Reset(); // the errors were expected
        Find<QLineEdit>(w, "EditFramePerSeconds")->setText("12");
        QVERIFY(w.close());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
