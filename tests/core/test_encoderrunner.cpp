// The encoder runner with the real `lame`: arguments, waiting, stopping, a missing encoder, resampling.
#include "FDTSoundMP3.h"
#include "run/EncoderRunner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <filesystem>

#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "core/RunFixtures.h"
#include "project/OutputModes.h"

namespace {

PMP3Converter Mode(const std::string& name, const std::string& quality, const std::string& mode,
                   const std::string& bitrate) {
    return PMP3Converter{name, {{"q", quality}, {"m", mode}, {"b", bitrate}}, false};
}

const std::vector<PMP3Converter> kModes = {
    Mode("Music", "5", "j", "128"), Mode("Speech", "5", "m", "32"),
    Mode("Music", "9", "m", "16"), // same name: never chosen
    Mode("Low", "5", "j", "32"),    Mode("Web", "5", "j", "64"),
    Mode("Tiny", "5", "m", "8"),
};

// Start, then the outcome, waited for in an event loop of the test's own.
EncoderRunner::Outcome RunEncoder(EncoderRunner& runner, const std::string& input, const std::string& output,
                                  const std::vector<PMP3Converter>& modes, const std::string& modeName) {
    QEventLoop loop;
    EncoderRunner::Outcome outcome = EncoderRunner::Outcome::Running;
    const std::vector<std::string> options = EncoderOptionArguments(*FindOutputMode(modes, modeName));
    const EncoderRunner::Outcome started = runner.Start(input, output, options, [&](auto ended) {
        outcome = ended;
        loop.quit();
    });
    if (started != EncoderRunner::Outcome::Running)
        return started;
    if (outcome == EncoderRunner::Outcome::Running)
        loop.exec();
    return outcome;
}

// A mode's options as the encoder is given them.
QStringList Options(const PMP3Converter& mode) {
    QStringList options;
    for (const std::string& option : EncoderOptionArguments(mode))
        options << QString::fromStdString(option);
    return options;
}

TEST(EncoderArguments, AreOneArgumentPerOptionThenThePaths) {
    EXPECT_EQ(
        EncoderArguments(Options(kModes[0]), "/snd/a b.wav", "/out dir/a b.mp3"),
        (QStringList{"--silent", "--quiet", "-q5", "-mj", "-b128", "/snd/a b.wav", "/out dir/a b.mp3"}));
    EXPECT_EQ(EncoderArguments(Options(PMP3Converter{"Bare", {}, false}), "in.wav", "out.mp3"),
              (QStringList{"--silent", "--quiet", "in.wav", "out.mp3"}));
    // A relative path that starts with "-" (or is one) must not read as an option.
    EXPECT_EQ(EncoderArguments(Options(PMP3Converter{"Bare", {}, false}), "-in.wav", "-"),
              (QStringList{"--silent", "--quiet", "./-in.wav", "./-"}));
    EXPECT_EQ(EncoderArguments(Options(PMP3Converter{"Bare", {}, false}), "/snd/-in.wav", "dir/-out.mp3"),
              (QStringList{"--silent", "--quiet", "/snd/-in.wav", "dir/-out.mp3"}));
    EXPECT_EQ(EncoderArguments(Options(kModes[1]), "in.mp3", "out.mp3", "22.05", true),
              (QStringList{"--silent", "--quiet", "-q5", "-mm", "-b32", "--mp3input", "--resample", "22.05",
                           "in.mp3", "out.mp3"}));
}

// The rates a movie's sound header has a code for, and the ones it states exactly: what the
// encoder is asked for instead of a rate it would choose.
struct RateCase {
    int rate;
    int code;
    const char* resample;
};

class SampleRates : public testing::TestWithParam<RateCase> {};

TEST_P(SampleRates, GoToTheNearestStatedRate) {
    const RateCase& c = GetParam();
    EXPECT_EQ(SwfSoundRateCode(c.rate), c.code);
    EXPECT_EQ(ResampleFor(c.rate), QString(c.resample));
}

INSTANTIATE_TEST_SUITE_P(Rates, SampleRates,
                         testing::Values(RateCase{8000, 0, "11.025"}, RateCase{11025, 1, ""},
                                         RateCase{12000, 1, "11.025"}, RateCase{16000, -1, "22.05"},
                                         RateCase{22050, 2, ""}, RateCase{24000, 2, "22.05"},
                                         RateCase{32000, -1, "44.1"}, RateCase{44100, 3, ""},
                                         RateCase{48000, -1, "44.1"}, RateCase{0, -1, ""},
                                         RateCase{96000, -1, "44.1"}));

class FirstFrame : public testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(FirstFrame, GivesTheSampleRate) {
    EXPECT_EQ(FirstFrameSampleRate(std::string(TAVREL_TEST_DATA_DIR "/mp3/") + GetParam().first),
              GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Files, FirstFrame,
                         testing::Values(std::make_pair("mpeg1-44100-stereo.mp3", 44100),
                                         std::make_pair("mpeg1-48000-stereo.mp3", 48000),
                                         std::make_pair("mpeg1-32000-mono.mp3", 32000),
                                         std::make_pair("mpeg2-16000-mono.mp3", 16000),
                                         std::make_pair("mpeg2-22050-mono.mp3", 22050),
                                         std::make_pair("mpeg25-8000-mono.mp3", 8000),
                                         std::make_pair("mpeg25-11025-mono.mp3", 11025),
                                         std::make_pair("id3v2-cover.mp3", 44100),
                                         std::make_pair("no-such-file.mp3", 0)));

TEST(FirstFrame, IsZeroForAFileWithoutFrames) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("text.mp3").toStdString();
    fixtures::WriteBytes(path, "no frames in here");
    EXPECT_EQ(FirstFrameSampleRate(path), 0);
}

// Ten bytes that start with "ID3" but have a size byte with its top bit set are no tag: the search
// starts at the file's first byte. (Masking the bit would skip 417 bytes, to a 48 kHz header.)
TEST(FirstFrame, BadTagSizeBytesMeanNoTag) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("bad-tag.mp3").toStdString();
    std::string bytes("ID3\x03\x00\x00\x80\x80\x83\x21", 10);
    bytes += std::string("\xFF\xFB\x90\x64", 4) + std::string(413, '\0'); // 44100 Hz
    bytes += std::string("\xFF\xFB\x94\x64", 4) + std::string(380, '\0'); // 48000 Hz
    fixtures::WriteBytes(path, bytes);
    EXPECT_EQ(FirstFrameSampleRate(path), 44100);
}

class RealEncoder : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(FindEncoder().isEmpty()) << "lame is not installed";
    }
    // QTemporaryDir leaves names that are not UTF-8 behind.
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir.path().toStdString(), ignored);
    }
    std::string Wav(const QString& name, int rate, int channels, double seconds) {
        const QString path = dir.filePath(name);
        QFileInfo(path).dir().mkpath(".");
        EXPECT_TRUE(fixtures::WriteToneWav(path.toStdString(), rate, channels, int64_t(rate * seconds)));
        return path.toStdString();
    }
    QTemporaryDir dir;
};

// Names are bytes: each reaches the file system exactly, and the MP3 is the one lame makes of a
// plain-named copy, byte for byte.
struct NameCase {
    const char* name;
    const char* input;  // relative to the temporary folder
    const char* output; // the same
    bool relative;      // handed over relative to the current folder
};

class Names : public RealEncoder, public testing::WithParamInterface<NameCase> {};

TEST_P(Names, ReachTheEncoderExactly) {
    const NameCase& c = GetParam();
    const std::string folder = dir.path().toStdString() + "/";
    const std::string plain = Wav("plain.wav", 44100, 2, 0.5);
    const std::string input = folder + c.input, output = folder + c.output;
    std::filesystem::create_directories(std::filesystem::path(output).parent_path());
    fixtures::WriteBytes(input, fixtures::ReadBytes(plain));
    ASSERT_TRUE(
        fixtures::RunLame({"-q5", "-mj", "-b128", QString::fromStdString(plain), dir.filePath("plain.mp3")}));
    const QString previousFolder = QDir::currentPath();
    if (c.relative)
        QDir::setCurrent(dir.path());

    EncoderRunner runner;
    const auto outcome =
        RunEncoder(runner, c.relative ? c.input : input, c.relative ? c.output : output, kModes, "Music");
    QDir::setCurrent(previousFolder);

    EXPECT_EQ(outcome, EncoderRunner::Outcome::Finished) << runner.Problem();
    EXPECT_EQ(fixtures::ReadBytes(output), fixtures::ReadBytes(dir.filePath("plain.mp3").toStdString()));
}

INSTANTIATE_TEST_SUITE_P(Paths, Names,
                         testing::Values(NameCase{"Blanks", "a b.wav", "out dir/a \"b\".mp3", false},
                                         NameCase{"Latin1Input", "caf\xE9.wav", "cafe.mp3", false},
                                         NameCase{"Latin1Output", "cafe.wav", "sub\xE9/caf\xE9.mp3", false},
                                         NameCase{"Utf8", "caf\xC3\xA9.wav", "caf\xC3\xA9.mp3", false},
                                         NameCase{"DashFirst", "-in.wav", "-out.mp3", true},
                                         NameCase{"DashAlone", "-", "-.mp3", true}),
                         [](const testing::TestParamInfo<NameCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(RealEncoder, TheFirstModeOfTheNameGivesTheOptions) {
    const std::string input = Wav("a.wav", 44100, 2, 0.5);
    const std::string viaRunner = dir.filePath("runner.mp3").toStdString();
    const std::string direct = dir.filePath("direct.mp3").toStdString();
    EncoderRunner runner;
    RunEncoder(runner, input, viaRunner, kModes, "Music");
    ASSERT_TRUE(fixtures::RunLame(
        {"-q5", "-mj", "-b128", QString::fromStdString(input), QString::fromStdString(direct)}));
    EXPECT_EQ(fixtures::ReadBytes(viaRunner), fixtures::ReadBytes(direct));
}

// Rates lame would pick by itself that a movie cannot state exactly are asked for as the nearest
// one it can.
struct ResampleCase {
    int inputRate;
    int channels;
    const char* mode;
    int expectedRate;
};

class Resampling : public RealEncoder, public testing::WithParamInterface<ResampleCase> {};

TEST_P(Resampling, GivesAStatedRate) {
    const ResampleCase& c = GetParam();
    const std::string input = Wav("in.wav", c.inputRate, c.channels, 0.5);
    const std::string output = dir.filePath("in.mp3").toStdString();
    EncoderRunner runner;
    EXPECT_EQ(RunEncoder(runner, input, output, kModes, c.mode), EncoderRunner::Outcome::Finished);
    EXPECT_EQ(FirstFrameSampleRate(output), c.expectedRate);
}

INSTANTIATE_TEST_SUITE_P(Rates, Resampling,
                         testing::Values(ResampleCase{48000, 2, "Music", 44100}, // 48 kHz -> 44.1
                                         ResampleCase{32000, 2, "Music", 44100}, // 32 kHz -> 44.1
                                         ResampleCase{44100, 2, "Low", 22050},   // lame picks 16 kHz -> 22.05
                                         ResampleCase{44100, 2, "Web", 22050},   // lame picks 24 kHz -> 22.05
                                         ResampleCase{44100, 1, "Tiny", 11025},  // lame picks 8 kHz -> 11.025
                                         ResampleCase{44100, 2, "Music", 44100}, // untouched
                                         ResampleCase{22050, 1, "Speech", 22050}));

// The rate lame would choose is found once for each input rate, channel count and options, by
// the runners of one run together: one probe, then each file encoded once.
TEST_F(RealEncoder, TheRateChoiceIsProbedOncePerRun) {
    const QString counting = dir.filePath("counting-lame");
    fixtures::WriteBytes(counting.toStdString(), "#!/bin/sh\necho >> \"$0.calls\"\nexec lame \"$@\"\n");
    QFile::setPermissions(counting, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto choices = std::make_shared<EncoderRateChoices>();
    EncoderRunner first(counting), second(counting);
    first.ShareRateChoices(choices);
    second.ShareRateChoices(choices);
    for (EncoderRunner* runner : {&first, &second, &first}) {
        const std::string input = Wav("in.wav", 44100, 2, 0.2), output = dir.filePath("in.mp3").toStdString();
        EXPECT_EQ(RunEncoder(*runner, input, output, kModes, "Web"), EncoderRunner::Outcome::Finished);
        EXPECT_EQ(FirstFrameSampleRate(output), 22050);
    }
    EXPECT_EQ(fixtures::ReadBytes((counting + ".calls").toStdString()).size(), 4u);
}

TEST_F(RealEncoder, AFileThatNeedsNoResamplingIsEncodedOnce) {
    const std::string input = Wav("a.wav", 44100, 2, 0.5);
    const std::string viaRunner = dir.filePath("runner.mp3").toStdString();
    const std::string direct = dir.filePath("direct.mp3").toStdString();
    EncoderRunner runner;
    RunEncoder(runner, input, viaRunner, kModes, "Speech");
    ASSERT_TRUE(fixtures::RunLame(
        {"-q5", "-mm", "-b32", QString::fromStdString(input), QString::fromStdString(direct)}));
    EXPECT_EQ(FirstFrameSampleRate(direct), 22050);
    EXPECT_EQ(fixtures::ReadBytes(viaRunner), fixtures::ReadBytes(direct));
}

TEST_F(RealEncoder, EventsAreHandledWhileWaitingWithoutSpinning) {
    const std::string input = Wav("long.wav", 44100, 2, 60);
    const std::string output = dir.filePath("long.mp3").toStdString();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpuBefore = std::clock();
    EncoderRunner runner;
    RunEncoder(runner, input, output, kModes, "Music");
    const double cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
    const qint64 wallMs = wall.elapsed();
    EXPECT_GT(ticks, 3);
    // A busy wait would burn about one core for the whole encode.
    EXPECT_LT(cpuMs, 0.5 * double(wallMs)) << "cpu " << cpuMs << " ms, wall " << wallMs << " ms";
}

TEST_F(RealEncoder, StopEndsTheEncoderAtOnce) {
    const std::string input = Wav("long.wav", 44100, 2, 120);
    const std::string output = dir.filePath("long.mp3").toStdString();
    EncoderRunner runner;
    QTimer::singleShot(100, [&] {
        EXPECT_TRUE(runner.IsRunning());
        runner.Stop();
    });
    EXPECT_EQ(RunEncoder(runner, input, output, kModes, "Music"), EncoderRunner::Outcome::Stopped);
    EXPECT_FALSE(runner.IsRunning());
}

// Stand-ins for lame, each a shell script: how it ends decides the outcome.
struct FakeEncoderCase {
    const char* name;
    const char* script; // $last is the output path
    bool inputIsFifo;
    EncoderRunner::Outcome outcome;
    const char* problem;
};

class FakeEncoders : public testing::TestWithParam<FakeEncoderCase> {};

TEST_P(FakeEncoders, EndAsTheEncoderEnded) {
    const FakeEncoderCase& c = GetParam();
    QTemporaryDir dir;
    const QString encoder = dir.filePath("encoder");
    fixtures::WriteBytes(encoder.toStdString(),
                         std::string("#!/bin/sh\nfor last; do :; done\n") + c.script + "\n");
    QFile::setPermissions(encoder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::string input = dir.filePath("a.wav").toStdString();
    if (c.inputIsFifo)
        ASSERT_EQ(::mkfifo(input.c_str(), 0600), 0);
    else
        fixtures::WriteBytes(input, "RIFF");
    EncoderRunner runner(encoder);
    EXPECT_EQ(RunEncoder(runner, input, dir.filePath("a.mp3").toStdString(), kModes, "Music"), c.outcome);
    EXPECT_EQ(runner.Problem(), c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, FakeEncoders,
    testing::Values(
        FakeEncoderCase{"Succeeds", "printf done > \"$last\"", false, EncoderRunner::Outcome::Finished, ""},
        FakeEncoderCase{"ExitStatus", "printf partial > \"$last\"; exit 2", false,
                        EncoderRunner::Outcome::Failed, "the encoder failed (exit status 2)"},
        FakeEncoderCase{"KilledPartWay", "printf partial > \"$last\"; kill -9 $$", false,
                        EncoderRunner::Outcome::Failed, "the encoder was ended by signal 9"},
        // A full disk ends lame with an error or, under a file size limit, with SIGXFSZ.
        FakeEncoderCase{"FileSizeLimit", "printf partial > \"$last\"; kill -XFSZ $$", false,
                        EncoderRunner::Outcome::Failed, "the encoder was ended by signal 25"},
        FakeEncoderCase{"FifoInput", "exit 0", true, EncoderRunner::Outcome::Failed, "not a regular file"},
        // What it said last on its standard error is the reason: a few lines, blank ones left out.
        FakeEncoderCase{
            "SaysWhy", "seq 1 3000 >&2; printf 'Unsupported number of channels: 6\\n\\n' >&2; exit 255",
            false, EncoderRunner::Outcome::Failed,
            "the encoder failed (exit status 255): 2998; 2999; 3000; Unsupported number of channels: 6"}),
    [](const testing::TestParamInfo<FakeEncoderCase>& row) { return std::string(row.param.name); });

// A killed program takes its encoder with it. This test's own executable, started with
// "--encode-with", is the program killed; the encoder, orphaned, comes to this process to be waited for.
TEST(EncoderLife, EndsWithTheProgram) {
    QTemporaryDir dir;
    const QString encoder = dir.filePath("sleeping-encoder");
    const std::string pidFile = dir.filePath("pid").toStdString();
    fixtures::WriteBytes(encoder.toStdString(), "#!/bin/sh\necho $$ > \"" + pidFile + ".new\" && mv \"" +
                                                    pidFile + ".new\" \"" + pidFile + "\"\nexec sleep 10\n");
    QFile::setPermissions(encoder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    fixtures::WriteBytes(dir.filePath("a.wav").toStdString(), "RIFF");
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);

    QProcess program;
    program.start(QCoreApplication::applicationFilePath(), {"--encode-with", encoder, dir.filePath("a.wav")});
    while (!QFileInfo::exists(QString::fromStdString(pidFile)))
        ASSERT_FALSE(program.waitForFinished(20)) << "the program ended before its encoder started";
    const pid_t encoderPid = std::stoi(fixtures::ReadBytes(pidFile));
    program.kill();
    program.waitForFinished(-1);

    int status = 0;
    ASSERT_EQ(::waitpid(encoderPid, &status, 0), encoderPid);
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the encoder outlived the program";
}

TEST_F(RealEncoder, AMissingEncoderReturnsAtOnce) {
    const std::string input = Wav("a.wav", 44100, 2, 0.2);
    const std::string output = dir.filePath("a.mp3").toStdString();

    const QByteArray path = qgetenv("PATH");
    QTemporaryDir emptyFolder;
    qputenv("PATH", emptyFolder.path().toLocal8Bit());
    const QString found = FindEncoder();
    qputenv("PATH", path);
    EXPECT_TRUE(found.isEmpty());

    for (const QString& program : {found, dir.filePath("no-such-lame")}) {
        EncoderRunner runner(program);
        EXPECT_EQ(RunEncoder(runner, input, output, kModes, "Music"), EncoderRunner::Outcome::NotStarted);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(output)));
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // The program that EncoderLife kills: it encodes with the given encoder and waits for it.
    if (argc == 4 && std::string(argv[1]) == "--encode-with") {
        EncoderRunner runner(QString::fromLocal8Bit(argv[2]));
        RunEncoder(runner, argv[3], std::string(argv[3]) + ".mp3", kModes, "Music");
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
