// The main window's run and command line on real files with the real `lame`: Start Automation,
// its messages, the commands locked during a run, closing during a run, "-f:", "-hide" and the
// auto-run's exit status. Dialogs are answered by a script.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakeUserDialogs.h"
#include "MainWindowFixture.h"
#include "NamedParts.h"
#include "TFormMain.h"
#include "TFormProgressBarPercent.h"
#include "TavrelWindows.h"
#include "WindowRunHost.h"
#include "common/standard_error.h"
#include "core/RunFixtures.h"
#include "run/AutomationRun.h"

using Kind = FakeUserDialogs::Kind;
using Answer = UserDialogs::Answer;
using Outcome = AutomationResult::Outcome;

namespace {

// The status ExecUntilEnd gives when nothing ended the program in time.
constexpr int kStillOpen = -1000;

// What the window showed after a file's progress step.
struct Step {
    int position;
    QString label;
    bool progressVisible;
    bool mainVisible;
};

} // namespace

class TestMainWindowRun : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolder> program_;
    std::unique_ptr<QTemporaryDir> files_;
    FakeUserDialogs dialogs_;
    std::unique_ptr<TavrelWindows> windows_;
    TFormMain* window_ = nullptr;                 // windows_->main
    TFormProgressBarPercent* progress_ = nullptr; // windows_->progress
    std::vector<Step> steps_;
    std::map<std::string, std::string> keptMp3s_;

    // settings: the content of settings.ini, or "<folder>" for a folder standing at its name.
    TFormMain& NewWindow(const QByteArray& settings = StandardSettings()) {
        windows_.reset();
        program_ = std::make_unique<ProgramFolder>(settings == "<folder>" ? QByteArray() : settings);
        if (settings == "<folder>")
            QDir(program_->Path()).mkdir("settings.ini");
        files_ = std::make_unique<QTemporaryDir>();
        QDir(files_->path()).mkpath("in");
        dialogs_.Reset();
        steps_.clear();
        keptMp3s_.clear();
        windows_ = std::make_unique<TavrelWindows>(program_->Path(), &dialogs_);
        window_ = windows_->main.get();
        progress_ = windows_->progress;
        // Every progress step: keep the MP3s the movie was made from (the run deletes its own
        // right after the step), and note what the windows show.
        connect(&window_->Run(), &AutomationRun::fileDone, window_,
                [this](int index, const FileOutcome& outcome) {
                    if (!outcome.handled)
                        return;
                    KeepMp3s();
                    steps_.push_back({index + 1, Find<QLabel>(*progress_, "LabelPercent")->text(),
                                      progress_->isVisible(), window_->isVisible()});
                });
        return *window_;
    }

    QProgressBar* ProgressBar() const { return Find<QProgressBar>(*progress_, "ProgressBarPercent"); }

    QString Path(const QString& relative) const { return QDir(files_->path()).filePath(relative); }
    std::string StdPath(const QString& relative) const { return Path(relative).toStdString(); }

    std::string Wav(const QString& name, double seconds = 0.5, int rate = 44100) {
        const std::string path = StdPath("in/" + name);
        if (!fixtures::WriteToneWav(path, rate, 2, int64_t(rate * seconds)))
            qFatal("cannot write %s", path.c_str());
        return path;
    }
    std::string Mp3(const QString& name) {
        const std::string path = StdPath("in/" + name);
        if (!QFile::copy(QStringLiteral(TAVREL_TEST_DATA_DIR "/mp3/mpeg1-44100-stereo.mp3"),
                         QString::fromStdString(path)))
            qFatal("cannot copy an MP3 to %s", path.c_str());
        return path;
    }
    void KeepMp3s() {
        for (auto& [name, bytes] : fixtures::Mp3sByReportName(Path("in")))
            keptMp3s_[name] = std::move(bytes);
    }

    // An untitled project of these inputs (Music's values) writing into outputFolder.
    static PSoundProject ProjectOf(const std::vector<std::string>& inputs, const std::string& outputFolder) {
        PSoundProject project = MakeProject("5", "j", "128");
        project.OutputFolder = outputFolder;
        for (const std::string& input : inputs)
            project.Files.push_back({input, {}});
        return project;
    }

    // Shows a project of these inputs and output folder in the window, as Load Project would.
    void ShowInputs(const std::vector<std::string>& inputs, const std::string& outputFolder) {
        window_->ShowProject(ProjectOf(inputs, outputFolder));
    }

    // A project file of these inputs writing into outputFolder.
    QString SaveProject(const QString& name, const std::vector<std::string>& inputs,
                        const std::string& outputFolder) {
        PSoundProject project = ProjectOf(inputs, outputFolder);
        project.ProjectName = StdPath(name);
        SaveProjectFile(project);
        return Path(name);
    }

    // Runs the event loop as the program does until something ends the program; kStillOpen when
    // nothing did within timeoutMs.
    int ExecUntilEnd(const std::function<void()>& start, int timeoutMs = 120000) {
        QTimer::singleShot(0, window_, start);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(kStillOpen); });
        guard.start(timeoutMs);
        const int status = QCoreApplication::exec();
        // Closing the last window posts a quit that the ended program never handles; here it would
        // end every event loop of the tests after this one.
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
        return status;
    }

    // Starts a run with start and handles events until it has finished, as the program would.
    void RunToEnd(const std::function<void()>& start) {
        QEventLoop loop;
        connect(&window_->Run(), &AutomationRun::finished, &loop, &QEventLoop::quit);
        start();
        loop.exec();
    }

    // The commands a run locks, by name, with whether each is enabled now.
    QStringList CommandStates() const {
        const TFormMain& w = *window_;
        QStringList states;
        for (const char* action : {"StartAutomation1", "NewProject1", "LoadProject1", "SaveProject1",
                                   "SaveProjectAs1", "Preferences1", "AddFiles1", "RemoveFiles1", "AddFiles2",
                                   "RemoveFiles2", "Exit1", "SpawnSession1", "Help2", "WebPage1", "About1"})
            states << QString(action) + (Find<QAction>(w, action)->isEnabled() ? " on" : " off");
        for (const char* button : {"ToolButtonStartAutomation", "ToolButtonNewProject", "ToolButtonHelp"})
            states << QString(button) + (Find<QWidget>(w, button)->isEnabled() ? " on" : " off");
        return states;
    }

    void ExpectMoviesHoldTheirMp3s(const std::vector<std::pair<QString, std::string>>& movieAndMp3) {
        for (const auto& [movie, mp3] : movieAndMp3) {
            const std::string sound = fixtures::EmbeddedMp3(fixtures::ReadBytes(StdPath("out/" + movie)));
            QVERIFY2(keptMp3s_.count(mp3) == 1, mp3.c_str());
            QVERIFY2(!sound.empty(), qPrintable(movie));
            QVERIFY2(sound == keptMp3s_[mp3],
                     qPrintable(movie + " does not hold " + QString::fromStdString(mp3)));
        }
    }

private slots:
    void init() { NewWindow(); }
    void cleanup() {
        // No test may leave the application quitting: the next test's runs wait in event loops.
        QCoreApplication::processEvents();
        QEventLoop probe;
        QTimer::singleShot(10, &probe, [&] { probe.exit(1); });
        QCOMPARE(probe.exec(), 1);
        windows_.reset();
        window_ = nullptr;
        progress_ = nullptr;
        files_.reset();
        program_.reset();
    }

    // --- Start Automation in the window ---------------------------------------------------

    // A WAV and an MP3 become movies and a report; the project's output folder gains a "/" when it
    // lacked one, which is no change of the user's: closing afterwards asks nothing.
    void aMixedListBecomesMoviesAndAReport_data() {
        QTest::addColumn<bool>("folderEndsWithSlash");
        QTest::newRow("folder typed without /") << false;
        QTest::newRow("folder typed with /") << true;
    }
    void aMixedListBecomesMoviesAndAReport() {
        QFETCH(bool, folderEndsWithSlash);
        TFormMain& w = *window_;
        const std::string a = Wav("a.wav"), b = Mp3("b.mp3");
        const std::string out = StdPath("out") + (folderEndsWithSlash ? "/" : "");
        ShowInputs({a, b}, out);
        QVERIFY(!w.isWindowModified());

        RunToEnd([&] { Find<QAction>(w, "StartAutomation1")->trigger(); });

        QCOMPARE(int(w.LastRunResult().outcome), int(Outcome::Completed));
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Untitled.txt", "a.swf", "b.swf"}));
        const std::string aMp3 = StdPath("in/a.mp3");
        QCOMPARE(fixtures::ReadBytes(StdPath("out/Untitled.txt")),
                 aMp3 + ":Operation Successful.\r\n" + b + ":Operation Successful.\r\n");
        // The intermediate MP3 is gone, the MP3 input stays.
        QCOMPARE(fixtures::FilesIn(Path("in")), (QStringList{"a.wav", "b.mp3"}));
        ExpectMoviesHoldTheirMp3s({{"a.swf", aMp3}, {"b.swf", b}});
        QVERIFY(dialogs_.shown.empty());

        QCOMPARE(w.LastRunResult().outputFolder, StdPath("out") + "/");
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), QString::fromStdString(out));
        QVERIFY(!w.isWindowModified());
        w.show();
        QVERIFY(w.close());
        QCOMPARE(dialogs_.Count(Kind::Question), 0);
    }

    void progressCountsFilesHandledAndASecondRunStartsFromNothing() {
        TFormMain& w = *window_;
        const std::string a = Mp3("a.mp3"), b = Wav("b.wav"), c = Mp3("c.mp3");
        const std::string missing = StdPath("in/missing.wav");
        ShowInputs({a, missing, b, c}, StdPath("out"));
        w.show();

        RunToEnd([&] { w.StartAutomation1Click(); });

        // The missing file is skipped without a step; the next one counts it as handled.
        QCOMPARE(int(steps_.size()), 3);
        QCOMPARE(steps_[0].position, 1);
        QCOMPARE(steps_[0].label, QStringLiteral("%25"));
        QCOMPARE(steps_[1].position, 3);
        QCOMPARE(steps_[1].label, QStringLiteral("%75"));
        QCOMPARE(steps_[2].position, 4);
        QCOMPARE(steps_[2].label, QStringLiteral("%100"));
        QCOMPARE(ProgressBar()->maximum(), 4);
        QVERIFY(!progress_->isVisible());
        QCOMPARE(dialogs_.Texts(Kind::Message),
                 QStringList{
                     QString::fromStdString("These files gave no movie:\n" + missing + ": file not found")});

        QList<int> positions;
        connect(ProgressBar(), &QProgressBar::valueChanged, [&](int p) { positions << p; });
        ShowInputs({a}, StdPath("out"));
        RunToEnd([&] { w.StartAutomation1Click(); });
        QCOMPARE(positions, (QList<int>{0, 1}));
        QCOMPARE(Find<QLabel>(*progress_, "LabelPercent")->text(), QStringLiteral("%100"));
    }

    // A run started in the window shows the progress window all along (a hidden auto-run updates it
    // but never shows it: anAutoRunConvertsTheProjectAndEndsTheProgram).
    void theProgressWindowShowsAllAlongARun() {
        TFormMain& w = *window_;
        ShowInputs({Mp3("a.mp3"), Wav("b.wav"), Mp3("c.mp3")}, StdPath("out"));
        w.show();

        RunToEnd([&] { w.StartAutomation1Click(); });

        QCOMPARE(int(steps_.size()), 3);
        QStringList labels;
        for (const Step& step : steps_) {
            labels << step.label;
            QVERIFY(step.progressVisible);
            QVERIFY(step.mainVisible);
        }
        QCOMPARE(labels, (QStringList{"%33", "%66", "%100"}));
        QVERIFY(!progress_->isVisible());
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Untitled.txt", "a.swf", "b.swf", "c.swf"}));
    }

    // The Start command's checks, and the run's own message when the folder cannot be made.
    void messagesStopTheStartCommand_data() {
        QTest::addColumn<bool>("withFiles");
        QTest::addColumn<QString>("outputFolder"); // relative to the temporary folder unless blank
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("outcome");
        QTest::newRow("no input files")
            << false << "out"
            << "Please select at least one Wave Data file to convert!" << int(Outcome::Refused);
        QTest::newRow("blank output folder") << true << " \t "
                                             << "Please select an output folder!" << int(Outcome::Refused);
        // The box keeps the program's words; standard error gets the folder and the reason too.
        QTest::newRow("folder under a file")
            << true << "in/a.mp3/out"
            << "Unable to create the output directory.Operation Aborted" << int(Outcome::Aborted);
    }
    void messagesStopTheStartCommand() {
        QFETCH(bool, withFiles);
        QFETCH(QString, outputFolder);
        QFETCH(QString, message);
        QFETCH(int, outcome);
        TFormMain& w = *window_;
        const std::string folder =
            outputFolder.trimmed().isEmpty() ? outputFolder.toStdString() : StdPath(outputFolder);
        ShowInputs(withFiles ? std::vector<std::string>{Mp3("a.mp3")} : std::vector<std::string>{}, folder);
        Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->setChecked(true);
        w.show();
        const QStringList before = CommandStates();

        RunToEnd([&] { Find<QAction>(w, "StartAutomation1")->trigger(); });

        QCOMPARE(dialogs_.Texts(Kind::Message), QStringList{message});
        QCOMPARE(dialogs_.shown.front().owner, &w);
        QCOMPARE(int(w.LastRunResult().outcome), outcome);
        QCOMPARE(fixtures::FilesIn(files_->path()), QStringList{"in"});
        QVERIFY(steps_.empty());
        QVERIFY(!progress_->isVisible());
        QCOMPARE(CommandStates(), before);
        QVERIFY(w.LastRunResult().outputFolder.empty()); // nothing ran, nothing gained a "/"
        QVERIFY(w.isWindowModified());                   // Start saved nothing
    }

    // The project's fields come from the window when Start is given, not from the last load.
    void startTakesTheProjectFromTheWindow() {
        TFormMain& w = *window_;
        ShowInputs({Mp3("a.mp3")}, StdPath("elsewhere"));
        Find<QLineEdit>(w, "EditOutputFolder")->setText(Path("out"));
        RunToEnd([&] { w.StartAutomation1Click(); });
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Untitled.txt", "a.swf"}));
        QVERIFY(!QFileInfo::exists(Path("elsewhere")));
    }

    // A report that cannot be written goes to the error box; the progress window is still hidden
    // and the commands come back.
    void aReportThatCannotBeWrittenIsShownAsAnError() {
        TFormMain& w = *window_;
        QVERIFY(QDir().mkpath(Path("out/Untitled.txt"))); // a folder where the report belongs
        ShowInputs({Mp3("a.mp3")}, StdPath("out"));
        w.show();
        const QStringList before = CommandStates();

        RunToEnd([&] { w.StartAutomation1Click(); });

        QCOMPARE(int(w.LastRunResult().outcome), int(Outcome::ReportFailed));
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList{"Cannot create file " + Path("out/Untitled.txt")});
        QVERIFY(QFileInfo::exists(Path("out/a.swf")));
        QVERIFY(!progress_->isVisible());
        QCOMPARE(CommandStates(), before);
    }

    // While lame runs: the commands that would disturb the run are off (and ignore a trigger),
    // Spawn Session, Help, Web Page and About stay on; afterwards every command is as before.
    void commandsThatWouldDisturbARunAreOffDuringIt() {
        TFormMain& w = *window_;
        const std::string a = Wav("a.wav", 3.0), b = Mp3("b.mp3");
        ShowInputs({a, b}, StdPath("out"));
        w.show();
        const QStringList before = CommandStates();
        QCOMPARE(before.filter(" off"), QStringList());

        QStringList during;
        bool encoding = false;
        bool runningDuring = false;
        RunToEnd([&] {
            Find<QAction>(w, "StartAutomation1")->trigger();
            // Once the run has started its first file.
            QTimer::singleShot(0, &w, [&] {
                encoding = fixtures::EncodedSoFar(Path("in"), "a.mp3") >= 0; // claimed before lame starts
                runningDuring = w.IsRunning();
                during = CommandStates();
                // Disabled commands ignore even a direct trigger, and a second start does nothing.
                Find<QAction>(w, "NewProject1")->trigger();
                Find<QAction>(w, "Exit1")->trigger();
                Find<QAction>(w, "LoadProject1")->trigger();
                w.StartAutomation1Click();
            });
        });

        QVERIFY(encoding);
        QVERIFY(runningDuring);
        QCOMPARE(during, (QStringList{"StartAutomation1 off", "NewProject1 off", "LoadProject1 off",
                                      "SaveProject1 off", "SaveProjectAs1 off", "Preferences1 off",
                                      "AddFiles1 off", "RemoveFiles1 off", "AddFiles2 off",
                                      "RemoveFiles2 off", "Exit1 off", "SpawnSession1 on", "Help2 on",
                                      "WebPage1 on", "About1 on", "ToolButtonStartAutomation off",
                                      "ToolButtonNewProject off", "ToolButtonHelp on"}));
        QVERIFY(dialogs_.shown.empty());
        QVERIFY(w.isVisible());
        QCOMPARE(int(w.LastRunResult().outcome), int(Outcome::Completed));
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Untitled.txt", "a.swf", "b.swf"}));
        QVERIFY(!w.IsRunning());
        QCOMPARE(CommandStates(), before);
    }

    // Closing the window while lame encodes asks one question. Yes ends the encoder, leaves no
    // unfinished MP3 or movie, writes the report of what was done and closes; No and Cancel let the
    // run finish. With unsaved changes the one question is whether to save them: Yes saves, No
    // does not, both stop and close; Cancel lets the run finish.
    // The progress window's Stop (it names the file in work) stops as Yes does, asking nothing, and
    // the window stays.
    void closingDuringARunAsksWhetherToStop_data() {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<bool>("closed");
        const int yes = int(Answer::Yes), no = int(Answer::No), cancel = int(Answer::Cancel);
        QTest::newRow("Yes stops and closes") << false << QList<int>{yes} << true << true;
        QTest::newRow("No lets the run finish") << false << QList<int>{no} << false << false;
        QTest::newRow("Cancel lets the run finish") << false << QList<int>{cancel} << false << false;
        QTest::newRow("unsaved: Yes saves, stops and closes") << true << QList<int>{yes} << true << true;
        QTest::newRow("unsaved: No stops and closes") << true << QList<int>{no} << true << true;
        QTest::newRow("unsaved: Cancel lets the run finish") << true << QList<int>{cancel} << false << false;
        QTest::newRow("the progress window's Stop") << true << QList<int>{} << true << false;
    }
    void closingDuringARunAsksWhetherToStop() {
        QFETCH(bool, unsaved);
        QFETCH(QList<int>, answers);
        QFETCH(bool, stopped);
        QFETCH(bool, closed);
        const bool stopButton = answers.isEmpty();
        TFormMain& w = *window_;
        const std::string a = Mp3("a.mp3"), b = Wav("long.wav", 30.0), c = Mp3("c.mp3");
        ShowInputs({a, b, c}, StdPath("out"));
        if (unsaved)
            Find<QRadioButton>(w, "RadioButtonStopActionToEnd")->setChecked(true);
        for (int answer : answers)
            dialogs_.answers.push_back(Answer(answer));
        dialogs_.saveFileNameResults = {Path("p.xml")};
        w.show();

        // Close as soon as lame is working on the long file and the movie before it is made.
        bool closeAccepted = true;
        bool asked = false;
        QString fileInWork;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &w, [&] {
            // a.swf may be on disk before the window has heard that a.mp3 is done.
            if (asked || fixtures::EncodedSoFar(Path("in"), "long.mp3") < 0 ||
                !QFileInfo::exists(Path("out/a.swf")) || ProgressBar()->value() < 1)
                return;
            asked = true;
            fileInWork = Find<QLabel>(*progress_, "LabelFile")->text();
            if (stopButton)
                Find<QPushButton>(*progress_, "ButtonStop")->click();
            else
                closeAccepted = w.close();
        });
        poll.start(5);
        RunToEnd([&] { w.StartAutomation1Click(); });
        poll.stop();

        QVERIFY(asked);
        QCOMPARE(fileInWork, QStringLiteral("Converting: long.wav"));
        QCOMPARE(closeAccepted, stopButton); // the close box itself never closes during a run
        QCOMPARE(dialogs_.Count(Kind::Question), stopButton ? 0 : 1);
        if (!stopButton) {
            QVERIFY(dialogs_.Of(Kind::Question).front().text.startsWith("A conversion is under way."));
            QCOMPARE(dialogs_.Of(Kind::Question).front().text.endsWith("save the changes you have made?"),
                     unsaved);
        }
        QCOMPARE(w.isVisible(), !closed);
        const bool saved = unsaved && answers == QList<int>{int(Answer::Yes)};
        QCOMPARE(QFileInfo::exists(Path("p.xml")), saved);
        if (saved)
            QCOMPARE(ReadProject(Path("p.xml")).StopAction, 2);
        QVERIFY(!w.IsRunning());
        const std::string aLine = a + ":Operation Successful.\r\n";
        if (stopped) {
            QCOMPARE(int(w.LastRunResult().outcome), int(Outcome::Stopped));
            QCOMPARE(fixtures::ReadBytes(StdPath("out/Untitled.txt")), aLine);
            QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Untitled.txt", "a.swf"}));
        } else {
            QCOMPARE(int(w.LastRunResult().outcome), int(Outcome::Completed));
            QCOMPARE(fixtures::ReadBytes(StdPath("out/Untitled.txt")), aLine + StdPath("in/long.mp3") +
                                                                           ":Operation Successful.\r\n" + c +
                                                                           ":Operation Successful.\r\n");
            QCOMPARE(fixtures::FilesIn(Path("out")),
                     (QStringList{"Untitled.txt", "a.swf", "c.swf", "long.swf"}));
        }
        // No unfinished MP3 is left beside the inputs.
        QCOMPARE(fixtures::FilesIn(Path("in")), (QStringList{"a.mp3", "c.mp3", "long.wav"}));
        QCOMPARE(dialogs_.Count(Kind::Error), 0);
    }

    // Spawn Session starts the program file, detached, with no arguments.
    void spawnSessionStartsAnotherCopyWithoutArguments() {
        TFormMain& w = *window_;
        const QString marker = Path("spawned.txt");
        const QString script =
            program_->WriteFile("tavrel-copy", QByteArray("#!/bin/sh\necho \"$# arguments\" > '") +
                                                   QFile::encodeName(marker) + "'\n");
        QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner));
        w.SetProgramFile(script);
        Find<QAction>(w, "SpawnSession1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(marker).size() > 0, 10000);
        QCOMPARE(program_->ReadFile(marker), QByteArray("0 arguments\n"));
        QVERIFY(dialogs_.shown.empty());
    }

    // --- The command line -----------------------------------------------------------------

    // Arguments without a usable "-f:" end the program after "Invalid Parameters"; a path that
    // names no file after "Invalid Filename". Matching is exact, letter case included.
    void badArgumentsEndTheProgramAfterTheirMessage_data() {
        QTest::addColumn<QStringList>("arguments"); // "<p>" stands for an existing project file
        QTest::addColumn<QString>("message");
        QTest::newRow("letter case counts") << QStringList{"-F:<p>", "-Hide"} << "Invalid Parameters";
        QTest::newRow("-f: with nothing behind") << QStringList{"-f:"} << "Invalid Parameters";
        QTest::newRow("-f: with blanks only") << QStringList{"-f: \t "} << "Invalid Parameters";
        QTest::newRow("an unknown argument alone") << QStringList{"--help"} << "Invalid Parameters";
        QTest::newRow("no such file") << QStringList{"-f:<p>.missing"} << "Invalid Filename";
        QTest::newRow("a folder") << QStringList{"-f:<in>"} << "Invalid Filename";
        QTest::newRow("the last -f: counts") << QStringList{"-f:<p>", "-f:<p>.missing"} << "Invalid Filename";
    }
    void badArgumentsEndTheProgramAfterTheirMessage() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        TFormMain& w = *window_;
        const QString project = SaveProject("p.xml", {Mp3("a.mp3")}, StdPath("out"));
        arguments.replaceInStrings("<p>", project).replaceInStrings("<in>", Path("in"));

        w.SetCommandLine(ParseCommandLine(arguments));
        const int status = ExecUntilEnd([&] { w.FormActivate(); });

        QCOMPARE(status, 1);
        QCOMPARE(dialogs_.Texts(Kind::Message), QStringList{message}); // in a box: no hide mode
        QVERIFY(!w.IsRunning());
        QVERIFY(!QFileInfo::exists(Path("out")));
    }

    // The first show reads the arguments: the project is loaded and shown, run once the queued
    // events are handled, and the program ends with status 0. "-hide" hides the main window for
    // the run and never shows the progress window; without it both stay visible.
    void anAutoRunConvertsTheProjectAndEndsTheProgram_data() {
        QTest::addColumn<bool>("hide");
        QTest::newRow("with -hide") << true;
        QTest::newRow("windows shown") << false;
    }
    void anAutoRunConvertsTheProjectAndEndsTheProgram() {
        QFETCH(bool, hide);
        TFormMain& w = *window_;
        const std::string a = Wav("a.wav"), b = Mp3("b.mp3");
        const QString project = SaveProject("Batch.xml", {a, b}, StdPath("out"));
        QStringList arguments{"-f:" + project};
        if (hide)
            arguments << "-hide";
        w.SetCommandLine(ParseCommandLine(arguments));

        QString shownFolder;
        connect(ProgressBar(), &QProgressBar::valueChanged, &w, [&](int position) {
            if (position == 1)
                shownFolder = Find<QLineEdit>(w, "EditOutputFolder")->text();
        });
        const int status = ExecUntilEnd([&] { w.show(); });

        QCOMPARE(status, 0);
        QVERIFY(dialogs_.shown.empty());
        QCOMPARE(w.isVisible(), !hide);     // "-hide" hid the window for the run
        QCOMPARE(shownFolder, Path("out")); // the loaded project is shown while it runs
        QCOMPARE(w.windowTitle(), "Tavrel Tool v1.5 - " + project + "[*]");
        QCOMPARE(int(steps_.size()), 2);
        for (const Step& step : steps_) {
            QCOMPARE(step.mainVisible, !hide);
            QCOMPARE(step.progressVisible, !hide);
        }
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Batch.txt", "a.swf", "b.swf"}));
        QCOMPARE(fixtures::ReadBytes(StdPath("out/Batch.txt")),
                 StdPath("in/a.mp3") + ":Operation Successful.\r\n" + b + ":Operation Successful.\r\n");
        ExpectMoviesHoldTheirMp3s({{"a.swf", StdPath("in/a.mp3")}, {"b.swf", b}});
    }

    // The auto-run starts only when no run is under way: one already running is not cut short by
    // the end of the program, and the auto-run follows it.
    void theAutoRunWaitsForARunUnderWay() {
        TFormMain& w = *window_;
        const std::string a = Wav("a.wav", 3.0), b = Mp3("b.mp3");
        ShowInputs({a, b}, StdPath("out"));
        const QString project = SaveProject("p.xml", {a, b}, StdPath("out"));
        int runs = 0;
        connect(ProgressBar(), &QProgressBar::valueChanged, &w, [&](int position) {
            if (position == 2)
                ++runs;
        });

        const int status = ExecUntilEnd([&] {
            w.StartAutomation1Click();
            w.SetCommandLine(ParseCommandLine({"-f:" + project}));
            w.FormActivate();
            QTimer::singleShot(0, &w, [&] {
                QVERIFY(w.IsRunning());
                // The project is loaded, its run waiting for the run under way.
                QCOMPARE(w.windowTitle(), "Tavrel Tool v1.5 - " + project + "[*]");
            });
        });

        QCOMPARE(status, 0);
        QCOMPARE(runs, 2);
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Untitled.txt", "a.swf", "b.swf", "p.txt"}));
        QVERIFY(dialogs_.shown.empty());
    }

    // An auto-run stopped by closing the window ends the program with status 3 once the report of
    // what was done is written.
    void aStoppedAutoRunEndsWithStatusThree() {
        TFormMain& w = *window_;
        const std::string a = Mp3("a.mp3"), b = Wav("long.wav", 30.0);
        const QString project = SaveProject("Batch.xml", {a, b}, StdPath("out") + "/");
        dialogs_.answers = {Answer::Yes};
        QTimer poll;
        connect(&poll, &QTimer::timeout, &w, [&] {
            if (dialogs_.Count(Kind::Question) == 0 && fixtures::EncodedSoFar(Path("in"), "long.mp3") >= 0 &&
                QFileInfo::exists(Path("out/a.swf")))
                w.close();
        });
        poll.start(5);

        const int status = ExecUntilEnd([&] {
            w.SetCommandLine(ParseCommandLine({"-f:" + project}));
            w.show();
        });

        QCOMPARE(status, 3);
        QCOMPARE(dialogs_.Count(Kind::Question), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(fixtures::ReadBytes(StdPath("out/Batch.txt")), a + ":Operation Successful.\r\n");
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"Batch.txt", "a.swf"}));
        QCOMPARE(fixtures::FilesIn(Path("in")), (QStringList{"a.mp3", "long.wav"}));
    }

    // Of two "-f:" arguments the last is loaded and run; an unknown argument beside them is ignored.
    void theLastProjectArgumentIsRunAndUnknownOnesIgnored() {
        TFormMain& w = *window_;
        const std::string a = Mp3("a.mp3");
        const QString first = SaveProject("first.xml", {a}, StdPath("out1"));
        const QString second = SaveProject("second.xml", {a}, StdPath("out2"));

        w.SetCommandLine(ParseCommandLine({"-f:" + first, "--verbose", "-f:" + second}));
        const int status = ExecUntilEnd([&] { w.show(); });

        QCOMPARE(status, 0);
        QVERIFY(dialogs_.shown.empty());
        QVERIFY(w.isVisible()); // no "-hide"
        QVERIFY(!QFileInfo::exists(Path("out1")));
        QCOMPARE(fixtures::FilesIn(Path("out2")), (QStringList{"a.swf", "second.txt"}));
    }

    // A loaded project that fails the Start checks ends the program after the check's message.
    void anAutoRunRefusedByTheStartChecksEndsWithStatusOne() {
        TFormMain& w = *window_;
        const QString project = SaveProject("empty.xml", {}, StdPath("out"));
        w.SetCommandLine(ParseCommandLine({"-f:" + project}));
        const int status = ExecUntilEnd([&] { w.FormActivate(); });
        QCOMPARE(status, 1);
        QCOMPARE(dialogs_.Texts(Kind::Message),
                 QStringList{"Please select at least one Wave Data file to convert!"});
        QVERIFY(!QFileInfo::exists(Path("out")));
    }

    // A project file that exists but cannot be read: the error box, no run, the program stays open.
    void aProjectThatCannotBeReadKeepsTheProgramOpen() {
        TFormMain& w = *window_;
        const QString socketFile = Path("p.xml");
        QVERIFY(fixtures::MakeSocketFile(socketFile));
        const QString titleBefore = w.windowTitle();
        const QString folderBefore = Find<QLineEdit>(w, "EditOutputFolder")->text();

        w.SetCommandLine(ParseCommandLine({"-f:" + socketFile}));
        const int status = ExecUntilEnd([&] { w.FormActivate(); }, 1000);

        QCOMPARE(status, kStillOpen);
        QCOMPARE(dialogs_.Texts(Kind::Error), QStringList{"Cannot open file " + socketFile});
        QVERIFY(!w.IsRunning());
        QCOMPARE(w.windowTitle(), titleBefore);
        QCOMPARE(Find<QLineEdit>(w, "EditOutputFolder")->text(), folderBefore);
        QVERIFY(w.LastRunResult().reportPath.empty());
    }

    // A hidden run ("-hide") is watched by nobody, so no box may wait for a click: every message,
    // the settings' warnings included, goes to standard error, and what would keep the program
    // open for a user ends it with a status a script can read.
    void aHiddenRunNeverWaitsForAClick_data() {
        QTest::addColumn<QByteArray>("settings"); // as NewWindow takes it
        // "<p>": a project of one MP3; "<empty>": of no files; "<socket>": a file that cannot be read
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("lameFound");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors"); // on standard error; "<program>", "<socket>" as above
        QTest::addColumn<QStringList>("movies");
        const QByteArray standard = StandardSettings();
        const QStringList none, made{"a.swf", "p.txt"};
        QTest::newRow("only -hide") << standard << QStringList{"-hide"} << true << 1
                                    << "Invalid Parameters: -hide needs a project" << none;
        QTest::newRow("no such project") << standard << QStringList{"-f:<p>.missing", "-hide"} << true << 1
                                         << "Invalid Filename: <p>.missing: No such file or directory\n"
                                         << none;
        QTest::newRow("no input files") << standard << QStringList{"-f:<empty>", "-hide"} << true << 1
                                        << "Please select at least one Wave Data file to convert!\n"
                                        << none;
        QTest::newRow("project that cannot be read")
            << standard << QStringList{"-f:<socket>", "-hide"} << true << 2 << "Cannot open file <socket>\n"
            << none;
        QTest::newRow("no lame on the search path")
            << standard << QStringList{"-f:<p>", "-hide"} << false << 0 << "'lame' was not found" << made;
        QTest::newRow("a settings warning, and the run goes on")
            << QByteArray(standard).replace("emptyproject=0", "emptyproject=first")
            << QStringList{"-f:<p>", "-hide"} << true << 0 << "emptyproject" << made;
        QTest::newRow("settings that cannot be read")
            << QByteArray("<folder>") << QStringList{"-f:<p>", "-hide"} << true << 2
            << "Cannot read <program>/settings.ini: it is a folder, not a settings file.\n"
            << none;
    }
    void aHiddenRunNeverWaitsForAClick() {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, arguments);
        QFETCH(bool, lameFound);
        QFETCH(int, status);
        QFETCH(QString, errors);
        QFETCH(QStringList, movies);
        TFormMain& w = NewWindow(settings);
        const QString project = SaveProject("p.xml", {Mp3("a.mp3")}, StdPath("out"));
        const QString empty = SaveProject("empty.xml", {}, StdPath("out"));
        QVERIFY(fixtures::MakeSocketFile(Path("socket.xml")));
        arguments.replaceInStrings("<p>", project)
            .replaceInStrings("<empty>", empty)
            .replaceInStrings("<socket>", Path("socket.xml"));
        const QByteArray path = qgetenv("PATH");
        if (!lameFound)
            qputenv("PATH", QFile::encodeName(Path("no-programs-here")));
        w.SetCommandLine(ParseCommandLine(arguments));

        int ended = kStillOpen;
        const QString written =
            QString::fromStdString(CapturingErrors([&] { ended = ExecUntilEnd([&] { w.show(); }); }));
        qputenv("PATH", path);

        QCOMPARE(ended, status);
        errors.replace("<program>", program_->Path())
            .replace("<socket>", Path("socket.xml"))
            .replace("<p>", project);
        QVERIFY2(written.contains(errors), qPrintable(written));
        QVERIFY(dialogs_.shown.empty());
        QCOMPARE(fixtures::FilesIn(Path("out")), movies);
    }

    // Only the first activation looks at the command line; no arguments means interactive use.
    void laterActivationsIgnoreTheCommandLine() {
        TFormMain& w = *window_;
        const QString project = SaveProject("p.xml", {Mp3("a.mp3")}, StdPath("out"));
        w.SetCommandLine(CommandLine());

        const int status = ExecUntilEnd(
            [&] {
                w.show(); // the first activation, without arguments
                QTimer::singleShot(50, &w, [&] {
                    w.SetCommandLine(ParseCommandLine({"-hide"}));
                    w.FormActivate();
                    w.SetCommandLine(ParseCommandLine({"-f:" + project}));
                    w.FormActivate();
                    w.show();
                });
            },
            500);

        QCOMPARE(status, kStillOpen);
        QVERIFY(!w.IsRunning());
        QVERIFY(dialogs_.shown.empty());
        QVERIFY(!QFileInfo::exists(Path("out")));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tavrel Tool v1.5 - Untitled.xml[*]"));
        // "-hide" was not taken either: a message still comes in a box, not on standard error.
        w.StartAutomation1Click();
        QCOMPARE(dialogs_.Texts(Kind::Message),
                 QStringList{"Please select at least one Wave Data file to convert!"});
    }
};

QTEST_MAIN(TestMainWindowRun)
#include "test_mainwindowrun.moc"
