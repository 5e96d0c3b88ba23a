// The built program started as a batch script would start it, with no display: "-f:" and "-hide",
// its exit statuses, its messages on standard error, and the movies and report it leaves.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

#include <string>


#include "ProjectFile.h"
#include "core/RunFixtures.h"

namespace {

const QString kProgram = QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel");

struct Ended {
    bool finished = false;
    int status = -1;
    QByteArray errors;
};

// Starts the program with no display, as a server or a cron job would; or, with staleDisplay,
// with a DISPLAY that names an X server that is not there.
Ended RunProgram(const QStringList& arguments, bool staleDisplay = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (staleDisplay)
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":917"));
    else
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(kProgram, arguments);
    Ended ended;
    ended.finished = program.waitForFinished(300000);
    ended.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    ended.errors = program.readAllStandardError();
    return ended;
}

} // namespace

class TestTavrelProgram : public QObject {
    Q_OBJECT
private:
    QTemporaryDir root_;

    QString Path(const QString& relative) const { return root_.filePath(relative); }
    std::string StdPath(const QString& relative) const { return Path(relative).toStdString(); }

    // A project with the values of the shipped preset "Music (128 kbps)": -q5 -mj -b128.
    QString SaveProject(const QString& name, const QStringList& inputs, const QString& outputFolder) {
        PSoundProject project;
        project.ProjectName = StdPath(name);
        project.Quality = "5";
        project.Mode = "j";
        project.Bitrate = "128";
        project.OutputFolder = outputFolder.toStdString();
        for (const QString& input : inputs)
            project.Files.push_back({input.toStdString(), {}});
        SaveProjectFile(project);
        return Path(name);
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(kProgram).isExecutable())
            QSKIP("The program is not built yet: build the target 'tavrel' before this test.");
        QVERIFY(QFileInfo::exists(TAVREL_PROGRAM_DIR "/settings.ini"));
        QVERIFY(root_.isValid());
    }
    void init() {
        // System entries too: a row leaves a socket file behind.
        for (const QString& entry :
             QDir(root_.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            QVERIFY(QFileInfo(Path(entry)).isDir() ? QDir(Path(entry)).removeRecursively()
                                                   : QFile::remove(Path(entry)));
        QVERIFY(QDir(root_.path()).mkpath("in"));
    }

    // WAV and MP3 inputs (names with blanks, an upper-case ".MP3") become movies whose sound is,
    // byte for byte, the MP3 each was made from; the report lists them in list order.
    void convertsAMixedListAndEndsWithStatusZero() {
        const std::string a = StdPath("in/a.wav"), cd = StdPath("in/c d.wav");
        QVERIFY(fixtures::WriteToneWav(a, 44100, 2, 22050));
        QVERIFY(fixtures::WriteToneWav(cd, 44100, 1, 30000));
        QVERIFY(QFile::copy(TAVREL_TEST_DATA_DIR "/mp3/mpeg1-44100-stereo.mp3", Path("in/b.mp3")));
        QVERIFY(QFile::copy(TAVREL_SOURCE_DIR "/demo/sounds/Bell Tone.MP3", Path("in/Bell Tone.MP3")));
        const QString project = SaveProject(
            "Batch.xml", {Path("in/a.wav"), Path("in/b.mp3"), Path("in/Bell Tone.MP3"), Path("in/c d.wav")},
            Path("out"));

        const Ended ended = RunProgram({"-f:" + project, "-hide"});

        QVERIFY(ended.finished);
        QCOMPARE(ended.errors, QByteArray());
        QCOMPARE(ended.status, 0);
        QCOMPARE(fixtures::FilesIn(Path("out")),
                 (QStringList{"Batch.txt", "Bell Tone.swf", "a.swf", "b.swf", "c d.swf"}));
        QCOMPARE(fixtures::ReadBytes(StdPath("out/Batch.txt")),
                 StdPath("in/a.mp3") + ":Operation Successful.\r\n" + StdPath("in/b.mp3") +
                     ":Operation Successful.\r\n" + StdPath("in/Bell Tone.MP3") +
                     ":Operation Successful.\r\n" + StdPath("in/c d.mp3") + ":Operation Successful.\r\n");
        // The intermediate MP3s are gone; the inputs are untouched.
        QCOMPARE(fixtures::FilesIn(Path("in")), (QStringList{"Bell Tone.MP3", "a.wav", "b.mp3", "c d.wav"}));

        // The encoder gives the same bytes for the same input and options, so the WAVs' MP3s are
        // made again here to compare with.
        QVERIFY(QDir(root_.path()).mkpath("reference"));
        for (const char* name : {"a", "c d"}) {
            const QString wav = Path(QString("in/%1.wav").arg(name));
            const QString mp3 = Path(QString("reference/%1.mp3").arg(name));
            QVERIFY(fixtures::RunLame({"-q5", "-mj", "-b128", wav, mp3}));
        }
        const std::pair<const char*, QString> movies[] = {{"a.swf", Path("reference/a.mp3")},
                                                          {"b.swf", Path("in/b.mp3")},
                                                          {"Bell Tone.swf", Path("in/Bell Tone.MP3")},
                                                          {"c d.swf", Path("reference/c d.mp3")}};
        for (const auto& [movie, mp3] : movies) {
            const std::string sound =
                fixtures::EmbeddedMp3(fixtures::ReadBytes(StdPath(QString("out/") + movie)));
            QVERIFY2(!sound.empty(), movie);
            QVERIFY2(sound == fixtures::ReadBytes(mp3.toStdString()), movie);
        }
    }

    // Every way a command-line start can fail ends the program with a non-zero status and one
    // line on standard error; nothing is written.
    void failuresEndWithTheirStatusAndMessage_data() {
        QTest::addColumn<QStringList>("arguments"); // <root> stands for the temporary folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors");
        QTest::newRow("only -hide") << QStringList{"-hide"} << 1 << "Invalid Parameters\n";
        QTest::newRow("letter case counts")
            << QStringList{"-F:<root>/p.xml", "-Hide"} << 1 << "Invalid Parameters\n";
        QTest::newRow("no such project")
            << QStringList{"-f:<root>/missing.xml", "-hide"} << 1 << "Invalid Filename\n";
        QTest::newRow("no input files, without -hide")
            << QStringList{"-f:<root>/empty.xml"} << 1
            << "Please select at least one Wave Data file to convert!\n";
        QTest::newRow("output folder under a missing folder")
            << QStringList{"-f:<root>/nested.xml", "-hide"} << 1
            << "Unable to create the output directory.Operation Aborted\n";
        QTest::newRow("project that cannot be read")
            << QStringList{"-f:<root>/socket.xml", "-hide"} << 2 << "Cannot open file <root>/socket.xml\n";
    }
    void failuresEndWithTheirStatusAndMessage() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, errors);
        QVERIFY(QFile::copy(TAVREL_TEST_DATA_DIR "/mp3/mpeg1-44100-stereo.mp3", Path("in/b.mp3")));
        SaveProject("p.xml", {Path("in/b.mp3")}, Path("out"));
        SaveProject("empty.xml", {}, Path("out"));
        SaveProject("nested.xml", {Path("in/b.mp3")}, Path("missing/out"));
        QVERIFY(fixtures::MakeSocketFile(Path("socket.xml")));
        arguments.replaceInStrings("<root>", root_.path());

        const Ended ended = RunProgram(arguments);

        QVERIFY(ended.finished);
        QCOMPARE(QString::fromLocal8Bit(ended.errors), errors.replace("<root>", root_.path()));
        QCOMPARE(ended.status, status);
        QVERIFY(!QFileInfo::exists(Path("out")));
        QVERIFY(!QFileInfo::exists(Path("missing")));
    }

    // A DISPLAY left over in a batch script, naming an X server that is not there, does not stop
    // a command-line run: it goes on headless, with its messages on standard error.
    void aStaleDisplayRunsHeadless() {
        QVERIFY(QFile::copy(TAVREL_TEST_DATA_DIR "/mp3/mpeg1-44100-stereo.mp3", Path("in/b.mp3")));
        const QString project = SaveProject("p.xml", {Path("in/b.mp3")}, Path("out"));

        const Ended converted = RunProgram({"-f:" + project, "-hide"}, true);
        QVERIFY(converted.finished);
        QCOMPARE(converted.status, 0);
        QCOMPARE(fixtures::FilesIn(Path("out")), (QStringList{"b.swf", "p.txt"}));

        const Ended refused = RunProgram({"-f:" + Path("missing.xml"), "-hide"}, true);
        QVERIFY(refused.finished);
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.errors.contains("Invalid Filename\n"), refused.errors.constData());
    }
};

QTEST_MAIN(TestTavrelProgram)
#include "test_tavrelprogram.moc"
