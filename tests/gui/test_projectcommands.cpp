// New, Load, Save, Save As and the save prompt of the main window, with real project files in
// a temporary folder and the dialogs answered by a script.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <memory>

#include "FakeUserDialogs.h"
#include "MainWindowFixture.h"
#include "NamedParts.h"
#include "TFormMain.h"
#include "TavrelWindows.h"

using Kind = FakeUserDialogs::Kind;
using Answer = UserDialogs::Answer;

namespace {
const QString kProjectFilter = QStringLiteral("Extended Markup Language (*.xml);;All Files (*)");

} // namespace

class TestProjectCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolder> folder_;
    FakeUserDialogs dialogs_;
    std::unique_ptr<TavrelWindows> windows_;
    TFormMain* window_ = nullptr; // windows_->main

    // A project file in the temporary folder whose ProjectName is its own path.
    QString SaveProjectAt(const QString& name, PSoundProject project) {
        project.ProjectName = folder_->FilePath(name).toStdString();
        SaveProjectFile(project);
        return folder_->FilePath(name);
    }

    QString Caption(const QString& name) const {
        return QStringLiteral("Tavrel Tool v1.5 - ") + name + "[*]";
    }

private slots:
    void init() {
        folder_ = std::make_unique<ProgramFolder>();
        dialogs_.Reset();
        windows_ = std::make_unique<TavrelWindows>(folder_->Path(), &dialogs_);
        window_ = windows_->main.get();
    }
    void cleanup() {
        windows_.reset();
        window_ = nullptr;
        folder_.reset();
    }

    void newProjectWithoutChangesAsksNothing() {
        TFormMain& w = *window_;
        w.NewProject1Click();
        QVERIFY(dialogs_.shown.empty());
        QCOMPARE(w.windowTitle(), Caption("Untitled.xml"));
    }

    // The prompt's answers, as New Project meets them after the stop action was changed.
    void promptAnswers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("newProjectShown");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Cancel") << "Cancel" << false << false << false;
        QTest::newRow("No") << "No" << false << true << false;
        QTest::newRow("Yes, file chosen") << "Yes" << true << true << true;
        QTest::newRow("Yes, save dialog cancelled") << "Yes" << false << false << false;
    }
    void promptAnswers() {
        QFETCH(QString, answer);
        QFETCH(bool, saveChosen);
        QFETCH(bool, newProjectShown);
        QFETCH(bool, saved);
        TFormMain& w = *window_;
        Find<QRadioButton>(w, "RadioButtonStopActionToStart")->setChecked(true);
        dialogs_.answers = {answer == "Yes" ? Answer::Yes : answer == "No" ? Answer::No : Answer::Cancel};
        const QString path = folder_->FilePath("prompted.xml");
        if (saveChosen)
            dialogs_.saveFileNameResults = {path};

        w.NewProject1Click();

        const auto questions = dialogs_.Of(Kind::Question);
        QCOMPARE(int(questions.size()), 1);
        QCOMPARE(questions[0].text, QStringLiteral("Do you want to save the changes you have made?"));
        QCOMPARE(questions[0].title, QStringLiteral("Warning"));
        QCOMPARE(Find<QRadioButton>(w, "RadioButtonNoStopAction")->isChecked(), newProjectShown);
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(dialogs_.Count(Kind::SaveFile), answer == "Yes" ? 1 : 0);
        if (answer == "Yes") {
            const auto save = dialogs_.Of(Kind::SaveFile).front();
            QCOMPARE(save.filter, kProjectFilter);
            QCOMPARE(save.defaultSuffix, QStringLiteral("xml"));
        }
        if (saved) {
            const PSoundProject written = ReadProject(path);
            QCOMPARE(written.StopAction, 1);
            QCOMPARE(written.ProjectName, path.toStdString());
        }
        QCOMPARE(w.windowTitle(), Caption("Untitled.xml"));
        QVERIFY(dialogs_.Of(Kind::Error).empty());
    }

    void promptSavesATitledProjectWithoutDialog() {
        TFormMain& w = *window_;
        const QString path = SaveProjectAt("titled.xml", MakeProject("5", "j", "128", {"/a.wav"}));
        dialogs_.openFileNameResults = {path};
        w.LoadProject1Click();
        Find<QLineEdit>(w, "EditFrameTuner")->setText("-7");
        dialogs_.answers = {Answer::Yes};
        w.NewProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 0);
        QCOMPARE(ReadProject(path).FrameTuner, -7);
        QCOMPARE(w.windowTitle(), Caption("Untitled.xml"));
    }

    void saveUntitledAsksThenSavesInPlace() {
        TFormMain& w = *window_;
        Find<QLineEdit>(w, "EditOutputFolder")->setText("/movies/");
        const QString path = folder_->FilePath("first.xml");
        dialogs_.saveFileNameResults = {path};
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 1);
        QCOMPARE(w.windowTitle(), Caption(path));
        QCOMPARE(ReadProject(path).OutputFolder, std::string("/movies/"));
        QVERIFY(!w.isWindowModified());

        // Now titled: Save takes the current values without a dialog.
        Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->setChecked(true);
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 1);
        QCOMPARE(ReadProject(path).StopAction, 2);
        QVERIFY(!w.isWindowModified());
    }

    void saveCancelledChangesNothing() {
        TFormMain& w = *window_;
        w.SaveProject1Click();
        w.SaveProjectAs1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 2);
        QCOMPARE(w.windowTitle(), Caption("Untitled.xml"));
        // Still untitled: Save asks for a name again.
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 3);
    }

    void saveAsWritesTheNewFileAndKeepsTheOld() {
        TFormMain& w = *window_;
        const QString old = SaveProjectAt("old.xml", MakeProject("7", "m", "32", {"/b.wav", "/a.wav"}));
        dialogs_.openFileNameResults = {old};
        w.LoadProject1Click();
        const QByteArray oldContent = folder_->ReadFile(old);
        SelectEntry(w, 0);
        w.RemoveFiles1Click();
        const QString copy = folder_->FilePath("copy.xml");
        dialogs_.saveFileNameResults = {copy};
        w.SaveProjectAs1Click();
        QCOMPARE(w.windowTitle(), Caption(copy));
        QCOMPARE(folder_->ReadFile(old), oldContent);
        const PSoundProject written = ReadProject(copy);
        QCOMPARE(written.Files.size(), size_t(1));
        QCOMPARE(written.Files[0].File, std::string("/a.wav"));
        QCOMPARE(written.Quality, std::string("7"));
        QCOMPARE(written.Mode, std::string("m"));
        QCOMPARE(written.Bitrate, std::string("32"));
    }

    void loadShowsTheProject() {
        TFormMain& w = *window_;
        const std::string here = folder_->WriteFile("here.wav", "RIFF").toStdString();
        PSoundProject project = MakeProject("3", "f", "64", {"/snd/z.wav", here, "/snd/a.mp3"});
        project.StopAction = 2;
        project.FramePerSeconds = 25;
        project.FrameTuner = -4;
        project.Gapless = project.Standalone = true;
        project.Loops = 4;
        const QString path = SaveProjectAt("load.xml", project);
        dialogs_.openFileNameResults = {path};
        w.LoadProject1Click();
        QCOMPARE(dialogs_.Of(Kind::OpenFile).front().filter, kProjectFilter);
        QCOMPARE(w.windowTitle(), Caption(path));
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), QStringLiteral("/tmp/movies/"));
        QCOMPARE(ListEntries(w), (QStringList{"/snd/z.wav", QString::fromStdString(here), "/snd/a.mp3"}));
        // The files that are not there are marked at once, with why.
        QStringList marked;
        for (int row = 0; row < 3; ++row)
            if (!InputList(w)->model()->index(row, 0).data(Qt::ToolTipRole).toString().isEmpty())
                marked << ListEntries(w)[row];
        QCOMPARE(marked, (QStringList{"/snd/z.wav", "/snd/a.mp3"}));
        QVERIFY(Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->isChecked());
        QCOMPARE(Find<QLineEdit>(w, "EditFramePerSeconds")->text(), QStringLiteral("25"));
        QCOMPARE(Find<QLineEdit>(w, "EditFrameTuner")->text(), QStringLiteral("-4"));
        QCOMPARE(Find<QComboBox>(w, "ComboBoxOutputMode")->currentText(), QStringLiteral("Custom..."));
        QCOMPARE(SettingTexts(w), (QStringList{"3", "force", "64 kbps"}));
        QVERIFY(Find<QComboBox>(w, "ComboBoxQuality")->isEnabled());
        QVERIFY(Find<QCheckBox>(w, "CheckBoxGapless")->isChecked() &&
                Find<QCheckBox>(w, "CheckBoxStandalone")->isChecked());
        QCOMPARE(Find<QLineEdit>(w, "EditLoops")->text(), QStringLiteral("4"));
        QVERIFY(!w.isWindowModified());
        Find<QCheckBox>(w, "CheckBoxStandalone")->setChecked(false);
        QVERIFY(w.isWindowModified());
    }

    void loadedNumbersOutOfRangeAreClamped_data() {
        QTest::addColumn<int>("framesPerSecond");
        QTest::addColumn<int>("tuner");
        QTest::addColumn<QString>("framesShown");
        QTest::addColumn<QString>("tunerShown");
        QTest::addColumn<bool>("changed");
        QTest::newRow("in range") << 100 << -100 << "100"
                                  << "-100" << false;
        QTest::newRow("frames above 100") << 150 << 0 << "100"
                                          << "0" << true;
        QTest::newRow("negative frames") << -5 << 0 << "0"
                                         << "0" << true;
        QTest::newRow("tuner below -100") << 12 << -250 << "12"
                                          << "-100" << true;
    }
    void loadedNumbersOutOfRangeAreClamped() {
        QFETCH(int, framesPerSecond);
        QFETCH(int, tuner);
        QFETCH(QString, framesShown);
        QFETCH(QString, tunerShown);
        QFETCH(bool, changed);
        TFormMain& w = *window_;
        PSoundProject project = MakeProject("5", "j", "128");
        project.FramePerSeconds = framesPerSecond;
        project.FrameTuner = tuner;
        dialogs_.openFileNameResults = {SaveProjectAt("range.xml", project)};
        w.LoadProject1Click();
        QCOMPARE(Find<QLineEdit>(w, "EditFramePerSeconds")->text(), framesShown);
        QCOMPARE(Find<QLineEdit>(w, "EditFrameTuner")->text(), tunerShown);
        QCOMPARE(w.isWindowModified(), changed);
    }

    // A copy is saved where it was opened from, whatever name it holds inside.
    void aLoadedCopyIsSavedWhereItWasOpened() {
        TFormMain& w = *window_;
        const QString original = SaveProjectAt("saved.xml", MakeProject("5", "j", "128"));
        const QByteArray originalContent = folder_->ReadFile(original);
        const QString copy = folder_->WriteFile("copy.xml", originalContent);
        dialogs_.openFileNameResults = {copy};
        w.LoadProject1Click();
        QCOMPARE(w.windowTitle(), Caption(copy));
        Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->setChecked(true);
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 0);
        QCOMPARE(folder_->ReadFile(original), originalContent);
        QCOMPARE(ReadProject(copy).StopAction, 2);
    }

    void unreadableProjectShowsTheErrorAndChangesNothing_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("missing file") << false;
        QTest::newRow("a folder") << true;
    }
    void unreadableProjectShowsTheErrorAndChangesNothing() {
        QFETCH(bool, folder);
        TFormMain& w = *window_;
        const QString shown = SaveProjectAt("shown.xml", MakeProject("7", "m", "32", {"/x.wav"}));
        dialogs_.openFileNameResults = {shown};
        w.LoadProject1Click();
        const QString bad = folder ? folder_->Path() : folder_->FilePath("missing.xml");
        dialogs_.openFileNameResults = {bad};
        w.LoadProject1Click();
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList{"Cannot open file " + bad});
        QCOMPARE(w.windowTitle(), Caption(shown));
        QCOMPARE(ListEntries(w), QStringList{"/x.wav"});
        QVERIFY(!w.isWindowModified());
        // Still the shown project: Save writes it in place without asking.
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 0);
        QCOMPARE(dialogs_.Count(Kind::Error), 1);
    }

    void unwritableProjectShowsTheError() {
        TFormMain& w = *window_;
        const QString path = folder_->FilePath("no-such-folder/p.xml");
        dialogs_.saveFileNameResults = {path};
        w.SaveProjectAs1Click();
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList{"Cannot create file " + path});
        // The window is not refreshed; the project keeps the chosen name, where Save then writes
        // without asking.
        QCOMPARE(w.windowTitle(), Caption("Untitled.xml"));
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 1);
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList(2, "Cannot create file " + path));
    }

    void failedSaveInThePromptStopsTheCommand() {
        TFormMain& w = *window_;
        Find<QLineEdit>(w, "EditOutputFolder")->setText("/changed/");
        dialogs_.answers = {Answer::Yes};
        dialogs_.saveFileNameResults = {folder_->FilePath("no-such-folder/p.xml")};
        w.NewProject1Click();
        QCOMPARE(dialogs_.Count(Kind::Error), 1);
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), QStringLiteral("/changed/"));
    }

    void invalidNumberStopsLoadBeforeAnyDialog() {
        TFormMain& w = *window_;
        Find<QLineEdit>(w, "EditFrameTuner")->setText("1.5");
        w.LoadProject1Click();
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList{"'1.5' is not a valid integer value"});
        QCOMPARE(dialogs_.Count(Kind::OpenFile), 0);
        QCOMPARE(dialogs_.Count(Kind::Question), 0);
        // Saving falls back instead: 0 for the tuner.
        const QString path = folder_->FilePath("fallback.xml");
        dialogs_.saveFileNameResults = {path};
        w.SaveProjectAs1Click();
        QCOMPARE(ReadProject(path).FrameTuner, 0);
        QCOMPARE(Find<QLineEdit>(w, "EditFrameTuner")->text(), QStringLiteral("0"));
    }

    void yesThenCancelledLoadKeepsTheSavedName() {
        TFormMain& w = *window_;
        Find<QLineEdit>(w, "EditOutputFolder")->setText("/changed/");
        const QString path = folder_->FilePath("saved-by-prompt.xml");
        dialogs_.answers = {Answer::Yes};
        dialogs_.saveFileNameResults = {path};
        w.LoadProject1Click(); // the open dialog is cancelled (nothing queued)
        QVERIFY(QFile::exists(path));
        QCOMPARE(w.windowTitle(), Caption("Untitled.xml")); // the prompt does not refresh the window
        // The project took the saved name: Save writes there without asking.
        Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->setChecked(true);
        w.SaveProject1Click();
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 1);
        QCOMPARE(ReadProject(path).StopAction, 2);
    }

    void promptTreatsBlankPaddedUntitledAsUntitled() {
        TFormMain& w = *window_;
        PSoundProject project = MakeProject("5", "j", "128");
        project.ProjectName = " untitled.XML ";
        w.ShowProject(project);
        Find<QLineEdit>(w, "EditOutputFolder")->setText("/changed/");
        dialogs_.answers = {Answer::Yes};
        w.NewProject1Click(); // save dialog cancelled
        QCOMPARE(dialogs_.Count(Kind::SaveFile), 1);
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), QStringLiteral("/changed/"));
    }
};

QTEST_MAIN(TestProjectCommands)
#include "test_projectcommands.moc"
