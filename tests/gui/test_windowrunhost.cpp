// The window's side of a run: progress window, message boxes, output-mode box and the command lock,
// driven by a real run on real files.
#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "FakeUserDialogs.h"
#include "NamedParts.h"
#include "TFormProgressBarPercent.h"
#include "WindowRunHost.h"
#include "common/standard_error.h"
#include "run/AutomationRun.h"

namespace {

bool MakeMp3(const QString& path) {
    QProcess sox;
    const QString wav = path + ".wav";
    sox.start("sox", {"-n", "-r", "44100", "-c", "1", "-b", "16", wav, "synth", "0.3", "sine", "440"});
    if (!sox.waitForFinished(-1) || sox.exitCode() != 0)
        return false;
    QProcess lame;
    lame.start("lame", {"--silent", "-b", "64", wav, path});
    const bool made = lame.waitForFinished(-1) && lame.exitCode() == 0;
    QFile::remove(wav);
    return made;
}

} // namespace

class TestWindowRunHost : public QObject {
    Q_OBJECT
private slots:
    void aRunShowsItsProgressAndHidesTheWindowAtTheEnd_data() {
        QTest::addColumn<bool>("hideMode");
        QTest::newRow("shown") << false;
        QTest::newRow("hide mode") << true;
    }
    void aRunShowsItsProgressAndHidesTheWindowAtTheEnd() {
        QFETCH(bool, hideMode);
        QTemporaryDir dir;
        PSoundProject project;
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            QVERIFY(MakeMp3(dir.filePath(name)));
            project.Files.push_back({dir.filePath(name).toStdString(), {}});
        }
        project.OutputFolder = dir.filePath("out").toStdString();
        QWidget owner;
        FakeUserDialogs dialogs;
        TFormProgressBarPercent progress(&owner);
        AutomationRun run;
        WindowRunHost host(&owner, dialogs, run);
        host.SetProgressForm(&progress);
        host.SetHideMode(hideMode);
        // What the progress window showed after every file.
        QStringList texts;
        QList<bool> visible;
        connect(&run, &AutomationRun::fileDone, this, [&] {
            texts << Find<QLabel>(progress, "LabelPercent")->text();
            visible << progress.isVisible();
        });
        AutomationResult result;
        QEventLoop loop;
        connect(&run, &AutomationRun::finished, &loop, [&](const AutomationResult& ended) {
            result = ended;
            loop.quit();
        });
        run.Start(MakeRunRequest(project, {}, RunChoices{"Music", {}, {}}));
        loop.exec();

        QCOMPARE(int(result.outcome), int(AutomationResult::Outcome::Completed));
        QCOMPARE(texts, (QStringList{"%33", "%66", "%100"}));
        QCOMPARE(visible, (QList<bool>{!hideMode, !hideMode, !hideMode}));
        QVERIFY(!progress.isVisible());
        QVERIFY(dialogs.shown.empty());
    }

    // A hidden run ("-hide") is watched by nobody: its messages go to standard error, never to a
    // box that would wait for a click.
    void messagesGoToBoxesOrToStandardErrorWhenHidden_data() {
        QTest::addColumn<bool>("hideMode");
        QTest::newRow("shown") << false;
        QTest::newRow("hide mode") << true;
    }
    void messagesGoToBoxesOrToStandardErrorWhenHidden() {
        QFETCH(bool, hideMode);
        QWidget owner;
        FakeUserDialogs dialogs;
        TFormProgressBarPercent progress(&owner);
        AutomationRun run;
        WindowRunHost host(&owner, dialogs, run);
        host.SetProgressForm(&progress);
        host.SetHideMode(hideMode);
        PSoundProject project;
        const QByteArray errors = QByteArray::fromStdString(CapturingErrors([&] {
            run.Start(MakeRunRequest(project, {}, RunChoices{"Music", {}, {}}));
            emit run.message("Cannot create file /x.txt", QString(), RunMessageSeverity::Error);
        }));
        QVERIFY(!progress.isVisible());
        if (hideMode) {
            QVERIFY(dialogs.shown.empty());
            QCOMPARE(errors, QByteArray("Please select at least one Wave Data file to convert!\n"
                                        "Cannot create file /x.txt\n"));
            return;
        }
        QCOMPARE(errors, QByteArray());
        QCOMPARE(int(dialogs.shown.size()), 2);
        QCOMPARE(int(dialogs.shown[0].kind), int(FakeUserDialogs::Kind::Message));
        QCOMPARE(dialogs.shown[0].text, QString("Please select at least one Wave Data file to convert!"));
        QCOMPARE(dialogs.shown[0].owner, &owner);
        QCOMPARE(int(dialogs.shown[1].kind), int(FakeUserDialogs::Kind::Error));
    }

    void commandsAreDisabledForTheRunAndGetTheirStateBack() {
        QAction start, save, exit;
        save.setEnabled(false);
        {
            CommandsDisabledDuringRun lock{&start, &save, &exit, nullptr};
            QVERIFY(!start.isEnabled());
            QVERIFY(!save.isEnabled());
            QVERIFY(!exit.isEnabled());
        }
        QVERIFY(start.isEnabled());
        QVERIFY(!save.isEnabled());
        QVERIFY(exit.isEnabled());
    }
};

QTEST_MAIN(TestWindowRunHost)
#include "test_windowrunhost.moc"
