// The automation run end to end on real files with the real `lame`, driven by a recording host.
#include "run/AutomationRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "common/file_size_limit.h"
#include "core/RunFixtures.h"
#include "run/RunPaths.h"
#include "run/RunReport.h"
#include "sound/SoundFileNames.h"

namespace {

using Outcome = AutomationResult::Outcome;

// Records everything a run tells, in order, and keeps a copy of every MP3 the movie was made from:
// the run deletes its intermediate MP3 only after the progress step.
class RecordingHost {
public:
    // Starts run and waits for its end in an event loop of the test's own; stopWhen is asked a few
    // times a second.
    AutomationResult Run(AutomationRun& run, const PSoundProject& project,
                         const std::vector<PMP3Converter>& modes) {
        QObject context;
        AutomationResult result;
        QEventLoop loop;
        const auto record = [this](std::string event) { events.push_back(std::move(event)); };
        QObject::connect(&run, &AutomationRun::message, &context,
                         [=](const QString& text, const QString&, RunMessageSeverity severity) {
                             record((severity == RunMessageSeverity::Error ? "error: " : "message: ") +
                                    text.toStdString());
                         });
        QObject::connect(&run, &AutomationRun::started, &context,
                         [=](int total) { record("show " + std::to_string(total)); });
        QObject::connect(&run, &AutomationRun::fileDone, &context,
                         [=](int index, const FileOutcome& outcome) {
                             if (!outcome.handled)
                                 return;
                             record("progress " + std::to_string(index + 1));
                             if (onProgress)
                                 onProgress();
                         });
        QObject::connect(&run, &AutomationRun::finished, &context, [&](const AutomationResult& ended) {
            record("hide");
            result = ended;
            loop.quit();
        });
        QTimer stopPoll;
        QObject::connect(&stopPoll, &QTimer::timeout, &context, [&] {
            if (stopWhen && stopWhen())
                run.Stop();
        });
        stopPoll.start(50);
        run.Start(Request(project, modes));
        loop.exec();
        return result;
    }
    RunRequest Request(const PSoundProject& project, const std::vector<PMP3Converter>& modes) const {
        TavrelSettings settings;
        settings.outputModes = modes;
        RunChoices choices;
        choices.outputMode = modeName;
        choices.encoders = encoders;
        return MakeRunRequest(project, settings, choices);
    }

    std::vector<std::string> events;
    std::string modeName = "Music";
    int encoders = DefaultEncoderCount();
    std::function<bool()> stopWhen;
    std::function<void()> onProgress;
};

// "input: reason" for each file that gave no movie.
std::vector<std::string> Problems(const AutomationResult& result) {
    std::vector<std::string> lines;
    for (const auto& problem : result.problems)
        lines.push_back(problem.Text());
    return lines;
}

// Root passes every permission check; while this lives, the calling thread is held to the bits.
class PermissionBitsApply {
public:
    PermissionBitsApply() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct held[2] = {saved_[0], saved_[1]};
        held[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header_, held);
    }
    ~PermissionBitsApply() { syscall(SYS_capset, &header_, saved_); }
    PermissionBitsApply(const PermissionBitsApply&) = delete;
    PermissionBitsApply& operator=(const PermissionBitsApply&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

std::vector<PMP3Converter> Modes() {
    return {PMP3Converter{"Music", {{"q", "5"}, {"m", "j"}, {"b", "128"}}, false}};
}

class Run : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath("in");
        QDir(root.path()).mkpath("kept");
        project.ProjectName = Path("projects/Demo.xml");
        project.OutputFolder = Path("out");
        project.FramePerSeconds = 12;
        host.onProgress = [this] { KeepMp3s(); };
    }
    // QTemporaryDir leaves names that are not UTF-8 behind.
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root.path().toStdString(), ignored);
    }

    std::string Path(const QString& relative) const { return root.filePath(relative).toStdString(); }
    std::string Wav(const QString& name, double seconds = 0.5, int rate = 44100) {
        const std::string path = Path("in/" + name);
        EXPECT_TRUE(fixtures::WriteToneWav(path, rate, 2, int64_t(rate * seconds)));
        return path;
    }
    std::string Mp3(const QString& name, double seconds = 0.5) {
        const std::string wav = Path("kept/source.wav");
        EXPECT_TRUE(fixtures::WriteToneWav(wav, 44100, 2, int64_t(44100 * seconds)));
        const std::string path = Path("in/" + name);
        EXPECT_TRUE(
            fixtures::RunLame({"-b", "64", QString::fromStdString(wav), QString::fromStdString(path)}));
        return path;
    }
    // A stand-in for lame: a shell script whose last argument is in $last.
    QString FakeEncoder(const std::string& script) {
        const QString path = root.filePath("encoder");
        fixtures::WriteBytes(path.toStdString(), "#!/bin/sh\nfor last; do :; done\n" + script + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    void AddInputs(std::initializer_list<std::string> inputs) {
        for (const std::string& input : inputs)
            project.Files.push_back(PSoundFile{input, {}});
    }
    AutomationResult Start(AutomationRun&& run = AutomationRun()) { return host.Run(run, project, modes); }
    void KeepMp3s() {
        for (auto& [name, bytes] : fixtures::Mp3sByReportName(root.filePath("in")))
            kept[name] = std::move(bytes);
    }
    QStringList FilesIn(const QString& folder) const {
        return QDir(root.filePath(folder))
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    std::string Report() const { return fixtures::ReadBytes(Path("out/Demo.txt")); }
    // Every movie's sound is the MP3 its report line names, byte for byte.
    void ExpectMoviesHoldTheirMp3s(const std::vector<std::pair<QString, std::string>>& movieAndMp3) {
        for (const auto& [movie, mp3] : movieAndMp3) {
            const std::string sound = fixtures::EmbeddedMp3(fixtures::ReadBytes(Path("out/" + movie)));
            ASSERT_TRUE(kept.count(mp3)) << mp3;
            EXPECT_FALSE(sound.empty()) << movie.toStdString();
            EXPECT_TRUE(sound == kept[mp3]) << movie.toStdString() << " does not hold " << mp3;
        }
    }

    QTemporaryDir root;
    PSoundProject project;
    std::vector<PMP3Converter> modes = Modes();
    RecordingHost host;
    std::map<std::string, std::string> kept;
};

TEST_F(Run, ConvertsWavAndMp3InputsIntoMoviesAndAReport) {
    const std::string a = Wav("a.wav");
    const std::string b = Mp3("b.mp3");
    const std::string c = Wav("c.wav", 0.3, 48000); // lame would make a 48 kHz MP3 of it
    AddInputs({a, b, c});

    const AutomationResult result = Start();

    EXPECT_EQ(result.outcome, Outcome::Completed);
    EXPECT_EQ(result.filesHandled, 3);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"show 3", "progress 1", "progress 2", "progress 3", "hide"}));
    const std::string aMp3 = Path("in/a.mp3"), cMp3 = Path("in/c.mp3");
    EXPECT_EQ(Report(), aMp3 + ":Operation Successful.\r\n" + b + ":Operation Successful.\r\n" + cMp3 +
                            ":Operation Successful.\r\n");
    EXPECT_EQ(result.reportPath, Path("out/Demo.txt"));
    EXPECT_EQ(result.outputFolder, Path("out") + "/");
    EXPECT_EQ(FilesIn("out"), (QStringList{"Demo.txt", "a.swf", "b.swf", "c.swf"}));
    // Only the inputs are left where they were: the intermediate MP3s are gone, the MP3 input stays.
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav", "b.mp3", "c.wav"}));
    ExpectMoviesHoldTheirMp3s({{"a.swf", aMp3}, {"b.swf", b}, {"c.swf", cMp3}});
}

TEST_F(Run, OtherFormatsThatBothReadersKnowAreConverted) {
    const std::string flac = Path("in/d.flac");
    const std::string aiff = Path("in/e.aiff");
    ASSERT_TRUE(fixtures::WriteToneWav(flac, 44100, 1, 22050, SF_FORMAT_FLAC));
    ASSERT_TRUE(fixtures::WriteToneWav(aiff, 22050, 2, 22050, SF_FORMAT_AIFF));
    AddInputs({flac, aiff});

    Start();

    EXPECT_EQ(Report(), Path("in/d.mp3") + ":Operation Successful.\r\n" + Path("in/e.mp3") +
                            ":Operation Successful.\r\n");
    ExpectMoviesHoldTheirMp3s({{"d.swf", Path("in/d.mp3")}, {"e.swf", Path("in/e.mp3")}});
}

TEST_F(Run, AnMp3BesideAWavIsNeverReplacedNorDeleted) {
    const std::string a = Wav("a.wav");
    const std::string precious = Path("in/a.mp3");
    fixtures::WriteBytes(precious, "the user's own a.mp3");
    fixtures::WriteBytes(Path("in/a.1.mp3"), "and another one");
    AddInputs({a});

    Start();

    EXPECT_EQ(fixtures::ReadBytes(precious), "the user's own a.mp3");
    EXPECT_EQ(fixtures::ReadBytes(Path("in/a.1.mp3")), "and another one");
    EXPECT_EQ(Report(), Path("in/a.2.mp3") + ":Operation Successful.\r\n");
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.1.mp3", "a.mp3", "a.wav"}));
    ExpectMoviesHoldTheirMp3s({{"a.swf", Path("in/a.2.mp3")}});
}

// Nor is the movie of another input: the later one's goes under the next free name.
TEST_F(Run, AnotherInputOfTheListIsNeverTheIntermediate) {
    const std::string wav = Wav("a.wav");
    const std::string mp3 = Mp3("a.mp3");
    AddInputs({wav, mp3});
    const std::string mp3Bytes = fixtures::ReadBytes(mp3);

    const AutomationResult result = Start();

    EXPECT_EQ(fixtures::ReadBytes(mp3), mp3Bytes);
    EXPECT_EQ(Report(),
              Path("in/a.1.mp3") + ":Operation Successful.\r\n" + mp3 + ":Operation Successful.\r\n");
    EXPECT_EQ(FilesIn("out"), (QStringList{"Demo.txt", "a.1.swf", "a.swf"}));
    ExpectMoviesHoldTheirMp3s({{"a.swf", Path("in/a.1.mp3")}, {"a.1.swf", mp3}});
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_EQ(result.notes[0].Text(), mp3 + ": its movie is " + Path("out/a.1.swf") + " (" +
                                          Path("out/a.swf") + " is the movie of " + wav + ")");
}

TEST_F(Run, AnMp3InputInCapitalsIsUsedAsItIs) {
    const std::string upper = Mp3("B.MP3");
    const std::string mixed = Mp3("c.Mp3");
    AddInputs({upper, mixed});

    Start();

    EXPECT_EQ(Report(), upper + ":Operation Successful.\r\n" + mixed + ":Operation Successful.\r\n");
    EXPECT_EQ(FilesIn("in"), (QStringList{"B.MP3", "c.Mp3"}));
    ExpectMoviesHoldTheirMp3s({{"B.swf", upper}, {"c.swf", mixed}});
}

TEST_F(Run, AnInputThatCannotBeReadIsSkippedWithALine) {
    const std::string missing = Path("in/missing.wav");
    const std::string notSound = Path("in/text.wav");
    fixtures::WriteBytes(notSound, "not a sound");
    // None of these may be opened as a file: a FIFO would wait for a writer for ever.
    const std::string fifo = Path("in/fifo.wav"), folder = Path("in/folder.wav"),
                      socket = Path("in/socket.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_TRUE(fixtures::MakeSocketFile(QString::fromStdString(socket)));
    const std::string a = Wav("a.wav");
    AddInputs({missing, notSound, fifo, folder, socket, "/dev/zero", a});

    const AutomationResult result = Start();

    EXPECT_EQ(result.outcome, Outcome::Completed);
    EXPECT_EQ(result.filesHandled, 1);
    EXPECT_EQ(host.events, (std::vector<std::string>{"show 7", "progress 7", "hide"}));
    EXPECT_EQ(Report(), missing + ":File Not Found.\r\n" + notSound + ":Unexpected File Format.\r\n" + fifo +
                            ":File Not Found.\r\n" + folder + ":File Not Found.\r\n" + socket +
                            ":File Not Found.\r\n/dev/zero:File Not Found.\r\n" + Path("in/a.mp3") +
                            ":Operation Successful.\r\n");
    EXPECT_EQ(Problems(result),
              (std::vector<std::string>{missing + ": file not found",
                                        notSound + ": the sound length could not be read",
                                        fifo + ": not a regular file", folder + ": not a regular file",
                                        socket + ": not a regular file", "/dev/zero: not a regular file"}));
}

TEST_F(Run, AnUnknownOutputModeSkipsNonMp3InputsAndLeavesNothingBehind) {
    const std::string a = Wav("a.wav");
    const std::string b = Mp3("b.mp3");
    AddInputs({a, b});
    host.modeName = "No such mode";

    Start();

    EXPECT_EQ(Report(), a + ":Unable to Encode.\r\n" + b + ":Operation Successful.\r\n");
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav", "b.mp3"}));
}

TEST_F(Run, WithoutLameItSaysSoOnceAndStillConvertsMp3Inputs) {
    const std::string a = Wav("a.wav");
    const std::string b = Mp3("b.mp3");
    const std::string c = Wav("c.wav");
    AddInputs({a, b, c});

    const AutomationResult result = Start(AutomationRun(QString()));

    EXPECT_FALSE(result.encoderFound);
    EXPECT_EQ(result.outcome, Outcome::Completed);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"show 3", "message: " + std::string(kEncoderMissingMessage),
                                        "progress 1", "progress 2", "progress 3", "hide"}));
    EXPECT_EQ(Report(), Path("in/a.mp3") + ":File Not Found.\r\n" + b + ":Operation Successful.\r\n" +
                            Path("in/c.mp3") + ":File Not Found.\r\n");
    EXPECT_EQ(FilesIn("out"), (QStringList{"Demo.txt", "b.swf"}));
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav", "b.mp3", "c.wav"}));
    EXPECT_EQ(Problems(result), (std::vector<std::string>{a + ": the encoder was not found",
                                                          c + ": the encoder was not found"}));
}

// An encoder that fails, is killed part-way, makes nothing or cannot be started gives no movie, and
// its MP3, whole or cut short, is not left behind.
TEST_F(Run, AnEncoderThatFailsGivesNoMovieAndLeavesNoMp3Behind) {
    struct Row {
        const char* script; // none: no such program
        const char* line;
        const char* problem;
    };
    const Row rows[] = {
        {"printf partial > \"$last\"; exit 2", ":Unable to Encode.", "the encoder failed (exit status 2)"},
        {"printf partial > \"$last\"; kill -9 $$", ":Unable to Encode.", "the encoder was ended by signal 9"},
        {"exit 0", ":File Not Found.", "the encoder made no MP3 file"},
        {nullptr, ":File Not Found.", "the encoder could not be started"},
    };
    const std::string a = Wav("a.wav"), b = Wav("b.wav");
    AddInputs({a, b});

    for (const Row& row : rows) {
        host.events.clear();
        const AutomationResult result =
            Start(AutomationRun(row.script ? FakeEncoder(row.script) : root.filePath("no-such-encoder")));
        EXPECT_TRUE(result.encoderFound);
        EXPECT_EQ(result.outcome, Outcome::Completed);
        EXPECT_EQ(host.events, (std::vector<std::string>{"show 2", "progress 1", "progress 2", "hide"}));
        EXPECT_EQ(Report(), Path("in/a.mp3") + row.line + "\r\n" + Path("in/b.mp3") + row.line + "\r\n");
        EXPECT_EQ(Problems(result),
                  (std::vector<std::string>{a + ": " + row.problem, b + ": " + row.problem}));
        EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav", "b.wav"}));
        EXPECT_EQ(FilesIn("out"), (QStringList{"Demo.txt"}));
    }
}

// A preset open for editing ("Custom...") stands for the values the user chose and saw, which the
// project holds; a fixed preset encodes its own.
TEST_F(Run, AnEditablePresetEncodesTheProjectsValues) {
    const QString encoder = FakeEncoder("printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/arguments\"; exit 1");
    const std::string a = Wav("a.wav");
    AddInputs({a});
    project.Quality = "3", project.Mode = "f", project.Bitrate = "64";
    host.modeName = "Custom...";

    for (const bool editable : {true, false}) {
        modes = {PMP3Converter{"Custom...", {{"q", "5"}, {"m", "j"}, {"b", "128"}}, editable}};
        Start(AutomationRun(encoder));
        const std::string arguments = std::string("--silent\n--quiet\n") +
                                      (editable ? "-q3\n-mf\n-b64\n" : "-q5\n-mj\n-b128\n") + a + "\n" +
                                      Path("in/.a.mp3.");
        EXPECT_EQ(fixtures::ReadBytes(Path("arguments")).substr(0, arguments.size()), arguments);
    }
}

// Names are bytes: a Latin-1 input, MP3 input and output folder each reach the file system, the
// encoder, the movies and the report lines unchanged; a relative name that starts with "-" is the
// working folder's file, and is reported by its whole path.
TEST_F(Run, NamesKeepTheirBytes) {
    const std::string in = Path("in") + "/";
    ASSERT_TRUE(fixtures::WriteToneWav(in + "caf\xE9.wav", 44100, 2, 22050));
    ASSERT_TRUE(fixtures::WriteToneWav(in + "-dash.wav", 44100, 2, 22050));
    ASSERT_EQ(::rename(Mp3("b.mp3").c_str(), (in + "b\xE9.mp3").c_str()), 0);
    AddInputs({in + "caf\xE9.wav", in + "b\xE9.mp3", "-dash.wav"});
    const std::string out = Path("out") + "\xE9";
    project.OutputFolder = out;
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(root.filePath("in"));

    const AutomationResult result = Start();
    QDir::setCurrent(previousFolder);

    EXPECT_EQ(fixtures::ReadBytes(out + "/Demo.txt"), in + "caf\xE9.mp3:Operation Successful.\r\n" + in +
                                                          "b\xE9.mp3:Operation Successful.\r\n" + in +
                                                          "-dash.mp3:Operation Successful.\r\n");
    for (const char* movie : {"caf\xE9.swf", "b\xE9.swf", "-dash.swf"})
        EXPECT_FALSE(fixtures::EmbeddedMp3(fixtures::ReadBytes(out + "/" + movie)).empty()) << movie;
    EXPECT_FALSE(std::filesystem::exists(Path("out") + "\xEF\xBF\xBD"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(in), std::filesystem::directory_iterator()),
              3);
}

// Where the input's folder takes no new file, the intermediate MP3 goes to a folder of the run's own,
// which is gone afterwards.
TEST_F(Run, AnInputInAReadOnlyFolderIsEncodedThroughAPrivateFolder) {
    const std::string a = Wav("a.wav");
    AddInputs({a});
    QDir(root.path()).mkdir("tmp");
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", root.filePath("tmp").toLocal8Bit());
    ASSERT_EQ(::chmod(Path("in").c_str(), 0555), 0);

    AutomationResult result;
    {
        PermissionBitsApply permissionBits;
        result = Start();
    }
    ::chmod(Path("in").c_str(), 0755);
    qputenv("TMPDIR", previousTemp);

    const std::string line = Report();
    EXPECT_EQ(line.rfind(Path("tmp/tavrel-"), 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 30), "/a.mp3:Operation Successful.\r\n") << line;
    EXPECT_TRUE(QFileInfo::exists(root.filePath("out/a.swf")));
    EXPECT_EQ(FilesIn("tmp"), QStringList{});
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav"}));
}

// With several encoders every one of them is ended, and the MP3s of files encoded ahead of their
// turn go too.
TEST_F(Run, StoppingDuringAnEncodeEndsItRemovesItsMp3AndReportsWhatWasDone) {
    const std::string b = Mp3("b.mp3");
    const std::string longWav = Wav("long.wav", 120);
    const std::string long2 = Wav("long2.wav", 120);
    const std::string c = Wav("c.wav");
    AddInputs({b, longWav, long2, c});
    // Stop once the encoder has begun writing the long file's MP3.
    host.stopWhen = [this] { return fixtures::EncodedSoFar(root.filePath("in"), "long.mp3") > 0; };

    for (const int encoders : {1, 3}) {
        SCOPED_TRACE(encoders);
        host.events.clear();
        host.encoders = encoders;
        const AutomationResult result = Start();

        EXPECT_EQ(result.outcome, Outcome::Stopped);
        EXPECT_EQ(result.filesHandled, 1);
        EXPECT_EQ(host.events, (std::vector<std::string>{"show 4", "progress 1", "hide"}));
        EXPECT_EQ(Report(), b + ":Operation Successful.\r\n");
        EXPECT_EQ(FilesIn("in"), (QStringList{"b.mp3", "c.wav", "long.wav", "long2.wav"}));
        EXPECT_EQ(FilesIn("out"), (QStringList{"Demo.txt", "b.swf"}));
        EXPECT_EQ(Problems(result),
                  (std::vector<std::string>{longWav + ": stopped", long2 + ": stopped", c + ": stopped"}));
    }
}

// Files finish in list order whatever the number of encoders: movies (their sound's id counts
// the sounds refused before them), report, problems and progress are those of one at a time. The
// list mixes WAV and MP3 inputs, a missing file, an MP3 the movie reader refuses, a WAV whose MP3
// name is taken, two inputs of one name in two folders and two of one stem in one folder.
TEST_F(Run, ManyEncodersGiveWhatOneGives) {
    QDir(root.path()).mkpath("in/sub");
    fixtures::WriteBytes(Path("in/taken.mp3"), "the user's own");
    const std::string refused = Path("in/free.mp3");
    fixtures::WriteBytes(refused,
                         fixtures::ReadBytes(TAVREL_TEST_DATA_DIR "/mp3/free-format-22050-mono.mp3"));
    const std::string aiff = Path("in/a.aiff");
    ASSERT_TRUE(fixtures::WriteToneWav(aiff, 22050, 1, 11025, SF_FORMAT_AIFF));
    // The first file takes longest: the others are encoded ahead of their turn.
    AddInputs({Wav("long.wav", 20), Wav("a.wav"), refused, Mp3("b.mp3"), Path("in/missing.wav"),
               Wav("taken.wav"), Wav("sub/a.wav"), aiff});

    std::map<int, AutomationResult> results;
    std::map<int, std::vector<std::string>> events;
    for (const int encoders : {1, 3}) {
        host.events.clear();
        project.OutputFolder = Path("out" + QString::number(encoders));
        host.encoders = encoders;
        results[encoders] = Start();
        events[encoders] = host.events;
    }

    EXPECT_EQ(
        fixtures::ReadBytes(Path("out3/Demo.txt")),
        Path("in/long.mp3:Operation Successful.\r\n") + Path("in/a.mp3:Operation Successful.\r\n") + refused +
            ":Unexpected File Format.\r\n" + Path("in/b.mp3:Operation Successful.\r\n") +
            Path("in/missing.wav:File Not Found.\r\n") + Path("in/taken.1.mp3:Operation Successful.\r\n") +
            Path("in/sub/a.mp3:Operation Successful.\r\n") + Path("in/a.1.mp3:Operation Successful.\r\n"));
    EXPECT_EQ(Problems(results[3]), Problems(results[1]));
    EXPECT_EQ(Problems(results[3]).size(), 2u);
    EXPECT_EQ(events[3], events[1]);
    EXPECT_EQ(FilesIn("out3"),
              (QStringList{"Demo.txt", "a.1.swf", "a.2.swf", "a.swf", "b.swf", "long.swf", "taken.swf"}));
    EXPECT_EQ(results[3].notes.size(), 2u);
    EXPECT_EQ(FilesIn("out3"), FilesIn("out1"));
    for (const QString& name : FilesIn("out3"))
        EXPECT_TRUE(fixtures::ReadBytes(Path("out3/" + name)) == fixtures::ReadBytes(Path("out1/" + name)))
            << name.toStdString();
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.aiff", "a.wav", "b.mp3", "free.mp3", "long.wav", "sub",
                                          "taken.mp3", "taken.wav"}));
}

TEST_F(Run, StoppingBetweenFilesLeavesTheRestUndone) {
    const std::string a = Wav("a.wav");
    const std::string b = Wav("b.wav", 20);
    AddInputs({a, b});
    AutomationRun run;
    host.onProgress = [&] { run.Stop(); };

    const AutomationResult result = host.Run(run, project, modes);

    EXPECT_EQ(result.outcome, Outcome::Stopped);
    EXPECT_FALSE(run.IsRunning());
    EXPECT_EQ(Report(), Path("in/a.mp3") + ":Operation Successful.\r\n");
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav", "b.wav"}));
    EXPECT_EQ(FilesIn("out"), (QStringList{"Demo.txt", "a.swf"}));
    EXPECT_EQ(Problems(result), (std::vector<std::string>{b + ": stopped"}));
}

TEST_F(Run, AReportThatCannotBeWrittenIsShownAndTheCleanUpStillHappens) {
    const std::string a = Wav("a.wav");
    AddInputs({a});
    QDir(root.path()).mkpath("out/Demo.txt");

    const AutomationResult result = Start();

    EXPECT_EQ(result.outcome, Outcome::ReportFailed);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"show 1", "progress 1",
                                        "error: Cannot create file " + Path("out/Demo.txt"), "hide"}));
    EXPECT_TRUE(QFileInfo(root.filePath("out/Demo.txt")).isDir());
    EXPECT_TRUE(QFileInfo::exists(root.filePath("out/a.swf")));
    EXPECT_EQ(FilesIn("in"), (QStringList{"a.wav"}));
}

TEST_F(Run, WhenNoFileReachesTheBuilderTheReportStillListsIt) {
    AddInputs({Path("in/missing.wav")});
    fixtures::WriteBytes(Path("out.txt"), "");
    project.OutputFolder = Path("out") + "/";
    project.ProjectName = "Untitled.xml";

    const AutomationResult result = Start();

    EXPECT_EQ(result.outcome, Outcome::Completed);
    EXPECT_EQ(fixtures::ReadBytes(Path("out/Untitled.txt")), Path("in/missing.wav") + ":File Not Found.\r\n");
    EXPECT_EQ(result.outputFolder, Path("out") + "/");
}

TEST_F(Run, ASecondRunStartsOver) {
    AddInputs({Wav("a.wav")});
    AutomationRun run;
    host.Run(run, project, modes);
    host.events.clear();
    host.Run(run, project, modes);
    EXPECT_EQ(host.events, (std::vector<std::string>{"show 1", "progress 1", "hide"}));
    EXPECT_EQ(Report(), Path("in/a.mp3") + ":Operation Successful.\r\n");
}

// Start returns at once; each file's outcome is told as its turn ends, with its failure's cause.
TEST_F(Run, StartReturnsAtOnceAndTellsEachFileInOrder) {
    const std::string a = Wav("a.wav"), missing = Path("in/missing.wav");
    AddInputs({a, missing});
    AutomationRun run;
    std::vector<std::string> done;
    QObject::connect(&run, &AutomationRun::fileDone, [&](int index, const FileOutcome& outcome) {
        done.push_back(std::to_string(index) + " " + outcome.input + (outcome.movieMade ? " movie" : "") +
                       (outcome.failure.cause == FileFailure::Cause::NotFound ? " not found" : ""));
    });
    // A second start while the first runs ends at once, before the first.
    QEventLoop loop;
    std::vector<Outcome> ends;
    QObject::connect(&run, &AutomationRun::finished, [&](const AutomationResult& ended) {
        ends.push_back(ended.outcome);
        if (ends.size() == 2)
            loop.quit();
    });

    run.Start(host.Request(project, modes));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_TRUE(done.empty());
    run.Start(host.Request(project, modes));
    loop.exec();

    EXPECT_EQ(ends, (std::vector<Outcome>{Outcome::AlreadyRunning, Outcome::Completed}));
    EXPECT_FALSE(run.IsRunning());
    EXPECT_EQ(done, (std::vector<std::string>{"0 " + a + " movie", "1 " + missing + " not found"}));
}

// The checks before a run, and the output folder that cannot be made: one message, nothing else.
struct CheckCase {
    const char* name;
    bool withFiles;
    const char* outputFolder; // relative to the temporary folder unless blank
    const char* message;
    Outcome outcome;
};

class Checks : public Run, public testing::WithParamInterface<CheckCase> {};

TEST_P(Checks, ShowOneMessageAndChangeNothing) {
    const CheckCase& c = GetParam();
    if (c.withFiles)
        AddInputs({Wav("a.wav")});
    const std::string folder = c.outputFolder;
    project.OutputFolder = TrimBlanks(folder).empty() ? folder : Path(QString::fromStdString(folder));
    const std::string before = project.OutputFolder;

    const AutomationResult result = Start();

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.message.toStdString(), c.message);
    EXPECT_EQ(host.events, (std::vector<std::string>{"message: " + std::string(c.message), "hide"}));
    EXPECT_EQ(project.OutputFolder, before);
    EXPECT_FALSE(QFileInfo::exists(root.filePath("out")));
    EXPECT_EQ(FilesIn("in"), c.withFiles ? QStringList{"a.wav"} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Checks,
    testing::Values(
        CheckCase{"NoFiles", false, "out", kNoInputFilesMessage, Outcome::Refused},
        CheckCase{"NoFilesAndNoFolder", false, "", kNoInputFilesMessage, Outcome::Refused},
        CheckCase{"EmptyFolder", true, "", kNoOutputFolderMessage, Outcome::Refused},
        CheckCase{"BlankFolder", true, " \t ", kNoOutputFolderMessage, Outcome::Refused},
        CheckCase{"UnderAFile", true, "in/a.wav/deeper", kOutputFolderFailedMessage, Outcome::Aborted},
        CheckCase{"FolderIsAFile", true, "in/a.wav", kOutputFolderFailedMessage, Outcome::Aborted}),
    [](const testing::TestParamInfo<CheckCase>& row) { return std::string(row.param.name); });

// What a request is built of: the folder with its "/" (checked, not made), the mode's options found
// once, the inputs absolute, the report's path; what would refuse the run.
TEST_F(Run, ARequestIsBuiltOnceWithEverythingResolved) {
    struct Row {
        const char* outputFolder; // relative to the temporary folder
        const char* input;        // relative to the working folder unless absolute
        std::optional<std::string> mode;
        const char* runFolder; // "": refused
        const char* firstArgument;
    };
    const std::string a = Wav("a.wav");
    const std::string cwd = QDir::currentPath().toStdString();
    const Row rows[] = {
        {"out/new", a.c_str(), "Music", "out/new/", "-q5"}, // missing but makeable: made by the run
        {"out/", "rel.wav", std::nullopt, "out/", "-q5"},   // matched by the project's values
        {"out", a.c_str(), "Unknown", "out/", nullptr},     // no such mode: nothing to encode with
        {"in/a.wav/deeper", a.c_str(), "Music", "", "-q5"}, // under a file: refused
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.outputFolder);
        project.Files = {PSoundFile{row.input, {}}};
        project.OutputFolder = Path(row.outputFolder);
        TavrelSettings settings;
        settings.outputModes = modes;
        RunChoices choices;
        choices.outputMode = row.mode;
        const RunRequest request = MakeRunRequest(project, settings, choices);

        EXPECT_EQ(request.project.OutputFolder, project.OutputFolder);
        EXPECT_EQ(request.project.Files[0].File, row.input[0] == '/' ? row.input : cwd + "/" + row.input);
        EXPECT_EQ(request.encoder.found, row.firstArgument != nullptr);
        if (row.firstArgument) {
            EXPECT_EQ(request.encoder.arguments.at(2), row.firstArgument);
        }
        EXPECT_EQ(request.encoder.modeName, row.mode.value_or("Music"));
        EXPECT_EQ(request.refused.has_value(), *row.runFolder == '\0');
        if (*row.runFolder) {
            EXPECT_EQ(request.outputFolder, Path(row.runFolder));
            EXPECT_EQ(request.reportPath, Path(row.runFolder) + "Demo.txt");
        }
        EXPECT_FALSE(QFileInfo::exists(root.filePath("out")));
    }
}

TEST(RunMessages, AreWordedExactly) {
    EXPECT_STREQ(kNoInputFilesMessage, "Please select at least one Wave Data file to convert!");
    EXPECT_STREQ(kNoOutputFolderMessage, "Please select an output folder!");
    EXPECT_STREQ(kOutputFolderFailedMessage, "Unable to create the output directory.Operation Aborted");
    EXPECT_EQ(std::string(kEncoderMissingMessage).rfind("The MP3 encoder 'lame' was not found", 0), 0u);
}

// Path rules, with "/" as the separator.
struct PathCase {
    const char* folder;
    const char* input;
    const char* movie;
};

class MoviePaths : public testing::TestWithParam<PathCase> {};

TEST_P(MoviePaths, JoinTheFolderAndTheInputsName) {
    EXPECT_EQ(MoviePathFor(GetParam().folder, GetParam().input), GetParam().movie);
}

INSTANTIATE_TEST_SUITE_P(Paths, MoviePaths,
                         testing::Values(PathCase{"/out", "/snd/a.wav", "/out/a.swf"},
                                         PathCase{"/out/", "/snd/a.wav", "/out/a.swf"},
                                         PathCase{"/out", "/snd/a.b.c.MP3", "/out/a.b.c.swf"},
                                         PathCase{"/out", "/snd.d/noext", "/out/noext.swf"},
                                         PathCase{"out", "relative/x y.flac", "out/x y.swf"}));

TEST(RunPaths, ReportIsNamedAfterTheProjectFile) {
    EXPECT_EQ(ReportPathFor("/out/", "/projects/Demo.xml"), "/out/Demo.txt");
    EXPECT_EQ(ReportPathFor("/out/", "Untitled.xml"), "/out/Untitled.txt");
    EXPECT_EQ(ReportPathFor("/out/", "/p.d/project"), "/out/project.txt");
}

// The report is written whole or not at all; a disk that fills up keeps the old report.
struct ReportCase {
    const char* name;
    rlim_t sizeLimit; // bytes a file may grow to while the report is written
    bool oldReport;
    bool written;
};

class ReportFile : public testing::TestWithParam<ReportCase> {};

TEST_P(ReportFile, IsWrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Demo.txt").toStdString();
    const std::string old = "/in/old.mp3:Operation Successful.\r\n";
    if (GetParam().oldReport)
        fixtures::WriteBytes(path, old);
    std::vector<std::string> lines;
    std::string whole;
    for (int i = 0; i < 100; ++i) {
        lines.push_back("/music/input/file number " + std::to_string(i) + ".mp3:Operation Successful.");
        whole += lines.back() + "\r\n";
    }
    bool written = false;
    {
        FileSizeLimit limit(GetParam().sizeLimit);
        written = WriteRunReport(path, lines);
    }
    EXPECT_EQ(written, GetParam().written);
    EXPECT_EQ(fixtures::ReadBytes(path), written ? whole : GetParam().oldReport ? old : "");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
              written || GetParam().oldReport ? 1 : 0)
        << "no temporary file stays behind";
}

INSTANTIATE_TEST_SUITE_P(Writes, ReportFile,
                         testing::Values(ReportCase{"Whole", 1 << 20, true, true},
                                         ReportCase{"FullAfterAPage", 4096, true, false},
                                         ReportCase{"FullAfterAPageWithoutAnOldReport", 4096, false, false},
                                         ReportCase{"FullFromTheStart", 0, true, false}),
                         [](const testing::TestParamInfo<ReportCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(SoundFileNames, Mp3ByItsNameIgnoresLetterCase) {
    EXPECT_TRUE(IsMp3Name("/snd/a.mp3"));
    EXPECT_TRUE(IsMp3Name("/snd/a.MP3"));
    EXPECT_TRUE(IsMp3Name("/snd/a.mP3"));
    EXPECT_FALSE(IsMp3Name("/snd/a.mp3.wav"));
    EXPECT_FALSE(IsMp3Name("/snd.mp3/a"));
    EXPECT_FALSE(IsMp3Name("/snd/a.mp4"));
    EXPECT_TRUE(IsMp3Name("/snd/.mp3"));
    EXPECT_FALSE(IsMp3Name("/snd/a.mp3/"));
    EXPECT_FALSE(IsMp3Name("/snd/amp3"));
}

TEST(RunPaths, IntermediateNameAvoidsListedInputs) {
    const auto avoiding = [](std::set<std::string> names) {
        return [names](const std::string& name) { return names.count(name) != 0; };
    };
    EXPECT_EQ(IntermediateMp3PathFor("/nonexistent/a.wav", {}), "/nonexistent/a.mp3");
    EXPECT_EQ(IntermediateMp3PathFor("/nonexistent/a.wav", avoiding({"/nonexistent/a.mp3"})),
              "/nonexistent/a.1.mp3");
    EXPECT_EQ(
        IntermediateMp3PathFor("/nonexistent/a", avoiding({"/nonexistent/a.mp3", "/nonexistent/a.1.mp3"})),
        "/nonexistent/a.2.mp3");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
