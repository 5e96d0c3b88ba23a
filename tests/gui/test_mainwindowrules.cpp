// The main window's rules that need no window: input list order, box values, change check.
#include <QCollator>
#include <QLocale>
#include <QtTest>

#include "MainWindowRules.h"

namespace {
ProjectControlValues ControlsOf(const PSoundProject& project) {
    ProjectControlValues controls;
    controls.qualityItem = QString::fromStdString(project.Quality);
    controls.modeItem = project.Mode == "j" ? QStringLiteral("joint") : QStringLiteral("stereo");
    controls.bitrateItem = QString::fromStdString(project.Bitrate) + QStringLiteral(" kbps");
    controls.outputFolder = QString::fromStdString(project.OutputFolder);
    for (const PSoundFile& file : project.Files)
        controls.files << QString::fromStdString(file.File);
    controls.framesPerSecondText = QString::number(project.FramePerSeconds);
    controls.frameTunerText = QString::number(project.FrameTuner);
    controls.stopAction = project.StopAction;
    return controls;
}

PSoundProject SampleProject() {
    PSoundProject project;
    project.Quality = "5";
    project.Mode = "j";
    project.Bitrate = "128";
    project.OutputFolder = "/out/";
    project.Files = {PSoundFile{"/s/a.wav", {}}, PSoundFile{"/s/b.wav", {}}};
    project.StopAction = 1;
    project.FramePerSeconds = 12;
    project.FrameTuner = -3;
    return project;
}
} // namespace

class TestMainWindowRules : public QObject {
    Q_OBJECT
private slots:
    void mergeInputFiles_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sorted without regard to case")
            << QStringList{} << QStringList{"/s/b.wav", "/s/C.wav", "/s/a.wav"}
            << QStringList{"/s/a.wav", "/s/b.wav", "/s/C.wav"};
        QTest::newRow("same path in other case is added once, first spelling kept")
            << QStringList{"/s/Song.WAV"} << QStringList{"/s/song.wav", "/s/SONG.wav"}
            << QStringList{"/s/Song.WAV"};
        QTest::newRow("duplicates among the chosen files")
            << QStringList{} << QStringList{"/s/x.mp3", "/s/X.MP3"} << QStringList{"/s/x.mp3"};
        QTest::newRow("an unsorted loaded list is sorted even with nothing added")
            << QStringList{"/z.wav", "/b.wav", "/a.wav"} << QStringList{}
            << QStringList{"/a.wav", "/b.wav", "/z.wav"};
        QTest::newRow("present entries keep their spelling over added ones")
            << QStringList{"/M/One.wav", "/m/two.wav"}
            << QStringList{"/m/ONE.wav", "/m/Two.WAV", "/m/three.wav"}
            << QStringList{"/M/One.wav", "/m/three.wav", "/m/two.wav"};
    }
    void mergeInputFiles() {
        QFETCH(QStringList, present);
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        QCOMPARE(MergeInputFiles(present, added), expected);
    }

    void mergeInputFilesFollowsTheLocale() {
        // By a German user's rules "ä" sorts with "a", not after "z" as its bytes would.
        QCollator german{QLocale(QLocale::German, QLocale::Germany)};
        german.setCaseSensitivity(Qt::CaseInsensitive);
        QCOMPARE(MergeInputFiles({}, {"/z.wav", "/Äpfel.wav", "/b.wav", "/äpfel.WAV"}, german),
                 (QStringList{"/Äpfel.wav", "/b.wav", "/z.wav"}));
    }

    void itemValues_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("bitrate");
        QTest::newRow("joint / 128 kbps") << "joint"
                                          << "j"
                                          << "";
        QTest::newRow("bitrate item") << "128 kbps"
                                      << "1"
                                      << "128";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("leading blank") << " 64 kbps"
                                       << " "
                                       << "";
    }
    void itemValues() {
        QFETCH(QString, item);
        QFETCH(QString, mode);
        QFETCH(QString, bitrate);
        QCOMPARE(ModeValueOfItem(item), mode);
        QCOMPARE(BitrateValueOfItem(item), bitrate);
    }

    void indexOfValues() {
        const QStringList qualities{"1", "2", "3"};
        const QStringList modes{"stereo", "joint", "force", "mono", "auto"};
        const QStringList bitrates{"16 kbps", "32 kbps", "64 kbps", "128 kbps", "256 kbps"};
        QCOMPARE(IndexOfQualityValue(qualities, "2"), 1);
        QCOMPARE(IndexOfQualityValue(qualities, "02"), -1);
        QCOMPARE(IndexOfModeValue(modes, "m"), 3);
        QCOMPARE(IndexOfModeValue(modes, "M"), -1); // case counts
        QCOMPARE(IndexOfModeValue(modes, "jo"), -1);
        QCOMPARE(IndexOfModeValue(modes, ""), -1);
        QCOMPARE(IndexOfBitrateValue(bitrates, "64"), 2);
        QCOMPARE(IndexOfBitrateValue(bitrates, "6"), -1);
        QCOMPARE(IndexOfBitrateValue(bitrates, ""), -1);
    }

    // locale: the user's locale for the row, "" for the test's own.
    void untitledTest_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("trimmed");
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<QString>("locale");
        QTest::newRow("default name") << "Untitled.xml" << false << true << "";
        QTest::newRow("any letter case") << "uNTITLED.XmL" << false << true << "";
        QTest::newRow("blanks count for Save Project") << " Untitled.xml\t" << false << false << "";
        QTest::newRow("blanks stripped by the prompt") << " Untitled.xml\t" << true << true << "";
        QTest::newRow("a path is a title") << "/home/u/Untitled.xml" << true << false << "";
        // Turkish upper-cases "i" to a dotted capital, yet the program's own name stays untitled.
        QTest::newRow("Turkish: the new project's name") << "Untitled.xml" << false << true << "tr_TR";
        QTest::newRow("Turkish: lower case") << "untitled.xml" << true << true << "tr_TR";
        QTest::newRow("Turkish: upper case") << "UNTITLED.XML" << false << true << "tr_TR";
        QTest::newRow("Turkish: a path is a title") << "/u/Untitled.xml" << false << false << "tr_TR";
    }
    void untitledTest() {
        QFETCH(QString, name);
        QFETCH(bool, trimmed);
        QFETCH(bool, untitled);
        QFETCH(QString, locale);
        const QLocale before;
        if (!locale.isEmpty())
            QLocale::setDefault(QLocale(locale));
        const bool result = IsUntitledProjectName(name.toStdString(), trimmed);
        QLocale::setDefault(before);
        QCOMPARE(result, untitled);
    }

    // One change per row, each made against the unchanged controls, plus combinations that
    // show the order: an invalid number fails the check only when nothing before it differs.
    void changeCheck_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << "" << false << "";
        QTest::newRow("quality") << "quality" << true << "";
        QTest::newRow("mode") << "mode" << true << "";
        QTest::newRow("bitrate") << "bitrate" << true << "";
        QTest::newRow("folder case") << "folder" << true << "";
        QTest::newRow("file count") << "count" << true << "";
        QTest::newRow("frames") << "fps" << true << "";
        QTest::newRow("tuner") << "tuner" << true << "";
        QTest::newRow("stop action") << "stop" << true << "";
        QTest::newRow("file name") << "file" << true << "";
        QTest::newRow("frames with blanks around the same number") << "fps-blanks" << false << "";
        QTest::newRow("invalid frames alone") << "fps-bad" << false << "'12a' is not a valid integer value";
        QTest::newRow("empty frames") << "fps-empty" << false << "'' is not a valid integer value";
        QTest::newRow("invalid frames after a folder change") << "fps-bad folder" << true << "";
        QTest::newRow("invalid frames after a count change") << "fps-bad count" << true << "";
        QTest::newRow("invalid tuner before a stop change")
            << "tuner-bad stop" << false << "'x' is not a valid integer value";
        QTest::newRow("invalid tuner before a file change")
            << "tuner-bad file" << false << "'x' is not a valid integer value";
        QTest::newRow("changed frames before an invalid tuner") << "fps tuner-bad" << true << "";
        QTest::newRow("no stop action checked keeps the project's") << "stop-none" << false << "";
    }
    void changeCheck() {
        QFETCH(QString, change);
        QFETCH(bool, changed);
        QFETCH(QString, error);
        const PSoundProject project = SampleProject();
        ProjectControlValues controls = ControlsOf(project);
        const QStringList changes = change.split(' ', Qt::SkipEmptyParts);
        for (const QString& what : changes) {
            if (what == "quality")
                controls.qualityItem = "6";
            if (what == "mode")
                controls.modeItem = "stereo";
            if (what == "bitrate")
                controls.bitrateItem = "64 kbps";
            if (what == "folder")
                controls.outputFolder = "/OUT/";
            if (what == "count")
                controls.files << "/s/c.wav";
            if (what == "fps")
                controls.framesPerSecondText = "13";
            if (what == "tuner")
                controls.frameTunerText = "0";
            if (what == "stop")
                controls.stopAction = 2;
            if (what == "file")
                controls.files[1] = "/s/B.wav";
            if (what == "fps-blanks")
                controls.framesPerSecondText = " 12 ";
            if (what == "fps-bad")
                controls.framesPerSecondText = "12a";
            if (what == "fps-empty")
                controls.framesPerSecondText = "";
            if (what == "tuner-bad")
                controls.frameTunerText = "x";
            if (what == "stop-none")
                controls.stopAction.reset();
        }
        try {
            QCOMPARE(ControlsDifferFromProject(controls, project), changed);
            QVERIFY2(error.isEmpty(), "expected an invalid-integer failure");
        } catch (const InvalidIntegerValue& failure) {
            QCOMPARE(QString::fromStdString(failure.what()), error);
        }
    }

    void takeProjectFromControls() {
        PSoundProject project = SampleProject();
        project.ProjectName = "/p/keep.xml";
        ProjectControlValues controls;
        controls.qualityItem = "9";
        controls.modeItem = "mono";
        controls.bitrateItem = "nospace";
        controls.outputFolder = "/new/";
        controls.files = QStringList{"/x/2.wav", "/x/1.mp3"};
        controls.framesPerSecondText = "fast";
        controls.frameTunerText = "";
        controls.stopAction.reset();
        TakeProjectFromControls(controls, project);
        QCOMPARE(project.ProjectName, std::string("/p/keep.xml"));
        QCOMPARE(project.Quality, std::string("9"));
        QCOMPARE(project.Mode, std::string("m"));
        QCOMPARE(project.Bitrate, std::string()); // no blank: empty
        QCOMPARE(project.OutputFolder, std::string("/new/"));
        QCOMPARE(project.Files.size(), size_t(2));
        QCOMPARE(project.Files[0].File, std::string("/x/2.wav")); // list order, not sorted
        QCOMPARE(project.StopAction, 1);                          // none checked: kept
        QCOMPARE(project.FramePerSeconds, 12);                    // invalid: 12
        QCOMPARE(project.FrameTuner, 0);                          // invalid: 0
    }
};

QTEST_MAIN(TestMainWindowRules)
#include "test_mainwindowrules.moc"
