// The headless front end: exit statuses and messages on standard error, on real projects and files.
#include "cli/ProgramStart.h"
#include "cli/ProjectRunFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>

#include "cli/ExitStatus.h"
#include "common/standard_error.h"
#include "core/RunFixtures.h"
#include "run/AutomationRun.h"
#include "run/RunPaths.h"
#include "sound/SoundLength.h"
#include "sound/SoundMovieBuilder.h"
#include "text/ErrorLines.h"

namespace {

const char* const kSettings = "[general]\r\noutputmodecount=3\r\nemptyproject=0\r\n"
                              "[constParams]\r\nquality=q\r\nmode=m\r\nbitrate=b\r\n"
                              "[0]\r\nname=Music\r\nquality=5\r\nmode=j\r\nbitrate=128\r\n"
                              "[1]\r\nname=Speech\r\nquality=5\r\nmode=m\r\nbitrate=32\r\n"
                              "[2]\r\nname=Custom...\r\nenabled=1\r\nquality=5\r\nmode=j\r\nbitrate=128\r\n";

// Runs the headless front end and collects what it writes to standard error.
struct Outcome {
    int status;
    std::string errors;
};

Outcome RunCapturingErrors(const QStringList& arguments, const QString& programFolder) {
    int status = -1;
    const std::string errors =
        CapturingErrors([&] { status = RunHeadless(ParseCommandLine(arguments), programFolder); });
    return {status, errors};
}

class Headless : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath("program");
        QDir(root.path()).mkpath("in");
        fixtures::WriteBytes(Path("program/settings.ini"), kSettings);
        project.ProjectName = Path("Demo.xml");
        project.OutputFolder = Path("out");
        project.Quality = "5";
        project.Mode = "j";
        project.Bitrate = "128";
    }
    std::string Path(const QString& relative) const { return root.filePath(relative).toStdString(); }
    QString Saved() {
        SaveProjectFile(project);
        return QString::fromStdString(project.ProjectName);
    }
    Outcome Run(const QStringList& arguments) {
        return RunCapturingErrors(arguments, root.filePath("program"));
    }

    QTemporaryDir root;
    PSoundProject project;
};

TEST_F(Headless, ACompletedRunEndsWithStatusZeroAndSaysNothing) {
    const std::string wav = Path("in/a.wav");
    ASSERT_TRUE(fixtures::WriteToneWav(wav, 44100, 2, 22050));
    const std::string mp3 = Path("in/b.mp3");
    ASSERT_TRUE(fixtures::RunLame({QString::fromStdString(wav), QString::fromStdString(mp3)}));
    project.Files = {{wav, {}}, {mp3, {}}};

    const Outcome outcome = Run({"-f:" + Saved(), "-hide", "ignored"});

    EXPECT_EQ(outcome.status, kExitCompleted);
    EXPECT_EQ(outcome.errors, "");
    EXPECT_EQ(fixtures::ReadBytes(Path("out/Demo.txt")),
              Path("in/a.mp3") + ":Operation Successful.\r\n" + mp3 + ":Operation Successful.\r\n");
    EXPECT_TRUE(QFileInfo::exists(root.filePath("out/a.swf")));
    EXPECT_TRUE(QFileInfo::exists(root.filePath("out/b.swf")));
    EXPECT_FALSE(QFileInfo::exists(root.filePath("in/a.mp3")));
}

// Without any output mode (no settings.ini beside the program, none shipped in share/tavrel beside
// its folder) a WAV cannot be encoded; the run still converts the MP3s, and standard error says
// why the WAVs give nothing, naming the file that was looked for.
TEST_F(Headless, NoOutputModeIsSaidOnStandardError) {
    ASSERT_TRUE(QFile::remove(root.filePath("program/settings.ini")));
    const std::string wav = Path("in/a.wav");
    ASSERT_TRUE(fixtures::WriteToneWav(wav, 44100, 2, 22050));
    const std::string mp3 = Path("in/b.mp3");
    ASSERT_TRUE(fixtures::RunLame({QString::fromStdString(wav), QString::fromStdString(mp3)}));
    project.Files = {{wav, {}}, {mp3, {}}};

    const Outcome outcome = Run({"-f:" + Saved(), "-hide"});

    EXPECT_EQ(outcome.status, kExitFilesFailed);
    EXPECT_EQ(outcome.errors, "No output mode is defined in " + Path("share/tavrel/settings.ini") +
                                  ": files that are not MP3 files cannot be encoded in this run.\n" + wav +
                                  ": no output mode is defined\n");
    EXPECT_EQ(fixtures::ReadBytes(Path("out/Demo.txt")),
              wav + ":Unable to Encode.\r\n" + mp3 + ":Operation Successful.\r\n");
}

// The window shows a loaded project's frame rate and tuner within the ranges of its up-down
// controls and runs those values; without the window the run must make the same movie.
TEST_F(Headless, FrameValuesOutsideTheWindowsRangesAreTakenAsTheWindowShowsThem) {
    const std::string wav = Path("in/a.wav");
    ASSERT_TRUE(fixtures::WriteToneWav(wav, 44100, 2, 44100));
    const std::string mp3 = Path("in/a.mp3");
    ASSERT_TRUE(fixtures::RunLame({QString::fromStdString(wav), QString::fromStdString(mp3)}));
    project.Files = {{mp3, {}}};
    project.FramePerSeconds = 5000; // the window shows 100
    project.FrameTuner = 500;       // the window shows 100

    const Outcome outcome = Run({"-f:" + Saved(), "-hide"});

    EXPECT_EQ(outcome.status, kExitCompleted);
    EXPECT_EQ(fixtures::ReadBytes(Path("out/Demo.txt")), mp3 + ":Operation Successful.\r\n");
    const std::string movie = fixtures::ReadBytes(Path("out/a.swf"));
    const SwfMovie read = ParseSwfMovie(reinterpret_cast<const uint8_t*>(movie.data()), movie.size());
    ASSERT_TRUE(read.valid) << read.problem;
    EXPECT_EQ(read.frameCount, static_cast<unsigned>(SoundFrameCount(SoundLengthMs(mp3), 100, 100)));
}

// The samples of a 16-bit sound file, interleaved, and its channel count.
std::vector<short> ReadSamples(const std::string& path, int& channels) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<short> samples(file ? static_cast<size_t>(info.frames * info.channels) : 0);
    if (file) {
        sf_readf_short(file, samples.data(), info.frames);
        sf_close(file);
    }
    channels = info.channels;
    return samples;
}

// The shift, within ±range samples, at which the first channel of `got` matches that of `sent` best.
int BestLag(const std::vector<short>& sent, const std::vector<short>& got, int channels, int range) {
    const auto frames = static_cast<int>(std::min(sent.size(), got.size()) / static_cast<size_t>(channels));
    int best = 0;
    double bestSum = -1e300;
    for (int lag = -range; lag <= range; ++lag) {
        double sum = 0;
        for (int i = std::max(0, -lag); i < frames && i + lag < frames; ++i)
            sum += double(sent[size_t(i * channels)]) * got[size_t((i + lag) * channels)];
        if (sum > bestSum) {
            bestSum = sum;
            best = lag;
        }
    }
    return best;
}

// Runs tavrel-inspect; true when it ends with status 0.
bool Inspect(const QStringList& arguments) {
    QProcess inspect;
    inspect.start(QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel-inspect"), arguments);
    return inspect.waitForFinished(-1) && inspect.exitStatus() == QProcess::NormalExit &&
           inspect.exitCode() == 0;
}

// Exact movies that loop and state their own rate: the sound taken back out of the movie of a WAV
// is the WAV's, in place (lag 0) and of its length; that of a tagged MP3 (stereo, 22.05 kHz) holds
// its audio frames alone and its length. A movie made as ever holds an MP3 input whole.
TEST_F(Headless, ExactMoviesGiveTheirSoundBack) {
    const std::string wav = Path("in/a.wav"), tagged = Path("in/b.mp3");
    constexpr int64_t kFrames = 30000;
    ASSERT_TRUE(fixtures::WriteToneWav(wav, 44100, 2, kFrames));
    ASSERT_TRUE(fixtures::RunLame({"--resample", "22.05", "--add-id3v2", "--tt", "Tone",
                                   QString::fromStdString(wav), QString::fromStdString(tagged)}));
    project.Files = {{wav, {}}, {tagged, {}}};
    project.Gapless = project.Standalone = true;
    project.Loops = 2;
    project.FramePerSeconds = 25;
    ASSERT_EQ(Run({"-f:" + Saved(), "-hide"}).status, kExitCompleted);

    const std::string movie = fixtures::ReadBytes(Path("out/a.swf"));
    const SwfMovie read = ParseSwfMovie(reinterpret_cast<const uint8_t*>(movie.data()), movie.size());
    EXPECT_EQ(read.frameRate, 25u);
    EXPECT_EQ(read.frameCount,
              unsigned(MovieFrameCount(kFrames * 1000 / 44100, SoundMovieOptionsOf(project))));
    ASSERT_TRUE(Inspect({"--extract-wav", root.filePath("a.wav"), root.filePath("out/a.swf")}));
    int channels = 0;
    const std::vector<short> sent = ReadSamples(wav, channels);
    const std::vector<short> got = ReadSamples(Path("a.wav"), channels);
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_EQ(BestLag(sent, got, 2, 40), 0);

    ASSERT_TRUE(Inspect({"--extract-wav", root.filePath("b.wav"), root.filePath("out/b.swf")}));
    EXPECT_EQ(ReadSamples(Path("b.wav"), channels).size(), size_t(kFrames / 2 * 2))
        << "half the frames, stereo";
    ASSERT_TRUE(Inspect({"--extract-mp3", root.filePath("b.mp3"), root.filePath("out/b.swf")}));
    const std::string frames = fixtures::ReadBytes(Path("b.mp3")), input = fixtures::ReadBytes(tagged);
    // Without the ID3 tags and lame's Info frame.
    const auto* bytes = reinterpret_cast<const uint8_t*>(input.data());
    const size_t tag = Id3v2TagSize(bytes, input.size());
    const size_t sound = tag + static_cast<size_t>(DecodeMp3Header(bytes + tag).frameLength);
    const size_t end = input.compare(input.size() - 128, 3, "TAG") == 0 ? input.size() - 128 : input.size();
    EXPECT_GT(tag, 0u);
    EXPECT_EQ(frames, input.substr(sound, end - sound));

    project.Gapless = project.Standalone = false;
    project.Loops = 0;
    project.FramePerSeconds = 12;
    project.OutputFolder = Path("plain");
    project.Files = {{tagged, {}}};
    ASSERT_EQ(Run({"-f:" + Saved(), "-hide"}).status, kExitCompleted);
    ASSERT_TRUE(Inspect({"--extract-mp3", root.filePath("c.mp3"), root.filePath("plain/b.swf")}));
    EXPECT_EQ(fixtures::ReadBytes(Path("c.mp3")), input);
}

struct CheckCase {
    const char* name;
    QStringList arguments; // "<project>" stands for the saved project
    int files;             // inputs in the project
    const char* outputFolder;
    int status;
    const char* errors;     // "<root>" stands for the temporary folder
    const char* settings{}; // what stands at program/settings.ini instead: "folder" or "fifo"
};

class HeadlessChecks : public Headless, public testing::WithParamInterface<CheckCase> {};

TEST_P(HeadlessChecks, EndWithAMessageOnStandardErrorAndAStatus) {
    const CheckCase& c = GetParam();
    for (int i = 0; i < c.files; ++i)
        project.Files.push_back({Path("in/missing.wav"), {}});
    project.OutputFolder = *c.outputFolder ? Path(c.outputFolder) : "";
    const QString saved = Saved();
    const std::string settings = Path("program/settings.ini");
    if (c.settings) {
        ASSERT_EQ(unlink(settings.c_str()), 0);
        ASSERT_EQ(std::string(c.settings) == "folder" ? mkdir(settings.c_str(), 0700)
                                                      : mkfifo(settings.c_str(), 0600),
                  0);
    }
    QStringList arguments;
    for (QString argument : c.arguments)
        arguments << argument.replace("<project>", saved).replace("<root>", root.path());

    const Outcome outcome = Run(arguments);

    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(QString::fromStdString(outcome.errors),
              QString(c.errors).replace("<root>", root.path()) + "\n");
    EXPECT_FALSE(QFileInfo::exists(root.filePath("out")));
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, HeadlessChecks,
    testing::Values(
        // Standard error says what is missing, or which file, and why.
        CheckCase{
            "OnlyHide",
            {"-hide"},
            1,
            "out",
            kExitCheckMessage,
            "Invalid Parameters: -hide needs a project, -f:<project> (files are converted without -hide: "
            "tavrel -o DIR FILE...)"},
        CheckCase{"NoArguments",
                  {},
                  1,
                  "out",
                  kExitCheckMessage,
                  "Invalid Parameters: no project file is named: -f:<project>, with no blank after -f:"},
        CheckCase{"LetterCase",
                  {"-F:<project>", "-Hide"},
                  1,
                  "out",
                  kExitCheckMessage,
                  "Invalid Parameters: no project file is named: -f:<project>, with no blank after -f:"},
        CheckCase{"MissingProject",
                  {"-f:<root>/nothing.xml", "-hide"},
                  1,
                  "out",
                  kExitCheckMessage,
                  "Invalid Filename: <root>/nothing.xml: No such file or directory"},
        CheckCase{"FolderAsProject",
                  {"-f:<root>/in", "-hide"},
                  1,
                  "out",
                  kExitCheckMessage,
                  "Invalid Filename: <root>/in: it is a folder, not a project file"},
        CheckCase{"NoFiles", {"-f:<project>", "-hide"}, 0, "out", kExitCheckMessage, kNoInputFilesMessage},
        CheckCase{"NoFolder", {"-f:<project>", "-hide"}, 1, "", kExitCheckMessage, kNoOutputFolderMessage},
        CheckCase{
            "FolderNotMade",
            {"-f:<project>", "-hide"},
            1,
            "program/settings.ini/out",
            kExitCheckMessage,
            "Unable to create the output directory.Operation Aborted: <root>/program/settings.ini: Not a "
            "directory"},
        // Exists, but reading it fails.
        CheckCase{"Unreadable",
                  {"-f:/proc/self/mem", "-hide"},
                  1,
                  "out",
                  kExitLoadFailed,
                  "Cannot open file /proc/self/mem"},
        // settings.ini is there but cannot be read: the run would lack its output modes. A FIFO
        // would never answer a read.
        CheckCase{"SettingsFolder",
                  {"-f:<project>", "-hide"},
                  1,
                  "out",
                  kExitLoadFailed,
                  "Cannot read <root>/program/settings.ini: it is a folder, not a settings file.",
                  "folder"},
        CheckCase{"SettingsFifo",
                  {"-f:<project>", "-hide"},
                  1,
                  "out",
                  kExitLoadFailed,
                  "Cannot read <root>/program/settings.ini: it is not a regular file.",
                  "fifo"}),
    [](const testing::TestParamInfo<CheckCase>& row) { return std::string(row.param.name); });

TEST_F(Headless, AReportThatCannotBeWrittenIsAnIncompleteRun) {
    project.Files = {{Path("in/missing.wav"), {}}};
    QDir(root.path()).mkpath("out/Demo.txt");
    const Outcome outcome = Run({"-f:" + Saved(), "-hide"});
    EXPECT_EQ(outcome.status, kExitRunIncomplete);
    EXPECT_EQ(outcome.errors, "Cannot create file " + Path("out/Demo.txt") + "\n" + Path("in/missing.wav") +
                                  ": file not found\n");
}

TEST_F(Headless, SigtermStopsTheRunAndTheReportOfWhatWasDoneIsWritten) {
    const std::string wav = Path("in/long.wav");
    ASSERT_TRUE(fixtures::WriteToneWav(wav, 44100, 2, 44100 * 120));
    project.Files = {{wav, {}}, {wav, {}}};
    const QString saved = Saved();
    QTimer::singleShot(150, [] { std::raise(SIGTERM); });

    const Outcome outcome = Run({"-f:" + saved, "-hide"});

    EXPECT_EQ(outcome.status, kExitRunIncomplete);
    EXPECT_EQ(fixtures::ReadBytes(Path("out/Demo.txt")), "");
    EXPECT_EQ(QDir(root.filePath("in")).entryList(QDir::Files), QStringList{"long.wav"});
    EXPECT_EQ(QDir(root.filePath("out")).entryList(QDir::Files), QStringList{"Demo.txt"});
}

// scripts/batch-parallel.sh splits a folder into projects written as the program writes them,
// has GNU parallel run them through the program (paths NUL-separated) and ends with the worst of
// their statuses. Files that would share a movie or an intermediate MP3 stay in one project, so
// the split run gives the movies and report lines of one run of the whole folder.
struct SplitCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> inputs; // name, "tone" / "mp3" / "junk"
    const char* output;
    int status;
};

class BatchParallel : public Headless, public testing::WithParamInterface<SplitCase> {};

TEST_P(BatchParallel, GivesWhatOneRunGives) {
    const SplitCase& c = GetParam();
    for (const auto& [name, kind] : c.inputs) {
        const QString path = root.filePath(QString("in/") + name);
        const std::string type = kind;
        if (type == "junk")
            fixtures::WriteBytes(path.toStdString(), "not a sound");
        else if (type == "tone")
            ASSERT_TRUE(fixtures::WriteToneWav(path.toStdString(), 44100, 2, 22050));
        else
            ASSERT_TRUE(fixtures::WriteToneWav(Path("tone.wav"), 44100, 2, 22050) &&
                        fixtures::RunLame({root.filePath("tone.wav"), path}) &&
                        QFile::remove(root.filePath("tone.wav")));
        project.Files.push_back({path.toStdString(), {}});
    }
    const QString out = root.filePath(c.output);
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TAVREL", TAVREL_PROGRAM_DIR "/tavrel");
    environment.insert("ASAN_OPTIONS", "detect_leaks=0"); // Qt's caches live until exit
    script.setProcessEnvironment(environment);
    script.start("bash", {TAVREL_SOURCE_DIR "/scripts/batch-parallel.sh", root.filePath("in"), out, "2"});
    ASSERT_TRUE(script.waitForFinished(300000));
    EXPECT_EQ(script.exitCode(), c.status) << script.readAllStandardError().toStdString();

    // Each project is written as the program writes it, and no stem is parted.
    const auto addLines = [](const std::string& report, std::vector<std::string>& lines) {
        for (const QString& line :
             QString::fromStdString(fixtures::ReadBytes(report)).split("\r\n", Qt::SkipEmptyParts))
            lines.push_back(line.toStdString());
    };
    std::map<std::string, int> partOfStem;
    std::vector<std::string> splitLines;
    for (int part = 1; part <= 2; ++part) {
        const std::string path = (out + QString("/projects/part-%1.xml").arg(part)).toStdString();
        PSoundProject written;
        LoadProjectFile(path, written);
        EXPECT_EQ(fixtures::ReadBytes(path), ProjectFileText(written));
        for (const PSoundFile& file : written.Files) {
            const std::string stem = ChangeExtension(FinalPathComponent(file.File), "");
            EXPECT_EQ(partOfStem.emplace(stem, part).first->second, part) << file.File;
        }
        addLines((out + QString("/part-%1.txt").arg(part)).toStdString(), splitLines);
    }

    // The same folder as one project.
    std::sort(project.Files.begin(), project.Files.end(),
              [](const PSoundFile& x, const PSoundFile& y) { return x.File < y.File; });
    project.OutputFolder = Path("single");
    Run({"-f:" + Saved(), "-hide"});
    std::vector<std::string> singleLines;
    addLines(Path("single/Demo.txt"), singleLines);
    std::sort(splitLines.begin(), splitLines.end());
    std::sort(singleLines.begin(), singleLines.end());
    EXPECT_EQ(splitLines, singleLines);
    QStringList movies = fixtures::FilesIn(root.filePath("single"));
    movies.removeAll("Demo.txt");
    QStringList expected = movies + QStringList{"part-1.txt", "part-2.txt", "projects"};
    expected.sort();
    EXPECT_EQ(fixtures::FilesIn(out), expected);
    for (const QString& movie : movies)
        EXPECT_EQ(fixtures::ReadBytes((out + "/" + movie).toStdString()),
                  fixtures::ReadBytes(Path("single/" + movie)))
            << movie.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Folders, BatchParallel,
    testing::Values(SplitCase{"OneFileGivesNoMovie",
                              {{"a.wav", "tone"}, {"b.mp3", "mp3"}, {"c.wav", "junk"}},
                              "out",
                              kExitFilesFailed},
                    SplitCase{"OneMovieNameAndALineBreakInTheFolder",
                              {{"c.flac", "tone"}, {"c.live.wav", "tone"}, {"c.mp3", "mp3"}},
                              "out\nput",
                              kExitCompleted}),
    [](const testing::TestParamInfo<SplitCase>& row) { return std::string(row.param.name); });

// A run that completed while some listed files gave no movie has a status of its own, and names
// each of them, with the bytes of its name, on standard error; a stopped run stays stopped.
struct StatusCase {
    const char* name;
    AutomationResult::Outcome outcome;
    std::vector<AutomationResult::FileProblem> problems;
    int status;
    const char* errors;
};

class ExitStatuses : public testing::TestWithParam<StatusCase> {};

TEST_P(ExitStatuses, FollowTheOutcomeAndTheFilesThatFailed) {
    const StatusCase& c = GetParam();
    AutomationResult result;
    result.outcome = c.outcome;
    result.problems = c.problems;
    EXPECT_EQ(ExitStatusFor(result), c.status);
    EXPECT_EQ(CapturingErrors([&] { PrintFileProblems(result); }), c.errors);
}

using Outcomes = AutomationResult::Outcome;
INSTANTIATE_TEST_SUITE_P(
    Results, ExitStatuses,
    testing::Values(
        StatusCase{"AllMovies", Outcomes::Completed, {}, kExitCompleted, ""},
        StatusCase{
            "SomeFailed",
            Outcomes::Completed,
            {{"/in/caf\xE9.wav", {FileFailure::Cause::NotFound, {}}},
             {"/in/b.mp3", {FileFailure::Cause::UnexpectedFormat, "Not an MP3 format file"}}},
            kExitFilesFailed,
            "/in/caf\xE9.wav: file not found\n/in/b.mp3: unexpected file format: Not an MP3 format file\n"},
        StatusCase{"StoppedWithFailures",
                   Outcomes::Stopped,
                   {{"/in/a.wav", {FileFailure::Cause::Stopped, {}}}},
                   kExitRunIncomplete,
                   "/in/a.wav: stopped\n"},
        StatusCase{"Refused", Outcomes::Refused, {}, kExitCheckMessage, ""}),
    [](const testing::TestParamInfo<StatusCase>& row) { return std::string(row.param.name); });

// Which output mode a loaded project selects.
struct MatchCase {
    const char* quality;
    const char* mode;
    const char* bitrate;
    std::vector<PMP3Converter> modes;
    const char* expected;
};

class MatchingModes : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchingModes, FollowTheProjectsValues) {
    const MatchCase& c = GetParam();
    PSoundProject project;
    project.Quality = c.quality;
    project.Mode = c.mode;
    project.Bitrate = c.bitrate;
    EXPECT_EQ(MatchOutputModeName(c.modes, project, "fallback"), c.expected);
}

PMP3Converter Preset(const char* name, const char* q, const char* m, const char* b) {
    return PMP3Converter{name, {{"q", q}, {"m", m}, {"b", b}}, false};
}

INSTANTIATE_TEST_SUITE_P(
    Presets, MatchingModes,
    testing::Values(
        MatchCase{
            "5", "m", "32", {Preset("Music", "5", "j", "128"), Preset("Speech", "5", "m", "32")}, "Speech"},
        MatchCase{"5", "j", "128", {Preset("A", "5", "j", "128"), Preset("B", "5", "j", "128")}, "A"},
        MatchCase{"3",
                  "f",
                  "64",
                  {Preset("Music", "5", "j", "128"), Preset("Custom...", "5", "j", "128")},
                  "Custom..."},
        MatchCase{"3", "f", "64", {Preset("Music", "5", "j", "128")}, "fallback"},
        MatchCase{"5", "j", "128", {PMP3Converter{"Short", {{"q", "5"}}, false}}, "fallback"}));

TEST(HeadlessChoice, NeedsArgumentsAndNoDisplay) {
    const QByteArray display = qgetenv("DISPLAY"), wayland = qgetenv("WAYLAND_DISPLAY"),
                     platform = qgetenv("QT_QPA_PLATFORM");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":0");
    EXPECT_FALSE(ShouldRunHeadless(ParseCommandLine({"-f:p.xml", "-hide"})));
    qunsetenv("DISPLAY");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_FALSE(ShouldRunHeadless(ParseCommandLine({"-f:p.xml", "-hide"})));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(ShouldRunHeadless(ParseCommandLine({"-f:p.xml", "-hide"})));
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("WAYLAND_DISPLAY");
    EXPECT_TRUE(ShouldRunHeadless(ParseCommandLine({"-f:p.xml", "-hide"})));
    EXPECT_TRUE(ShouldRunHeadless(ParseCommandLine({"-hide"})));
    EXPECT_TRUE(ShouldRunHeadless(ParseCommandLine({"-f:p.xml"})));
    EXPECT_TRUE(ShouldRunHeadless(ParseCommandLine({"anything"})));
    EXPECT_FALSE(ShouldRunHeadless(ParseCommandLine({})));
    qputenv("DISPLAY", display);
    qputenv("WAYLAND_DISPLAY", wayland);
    qputenv("QT_QPA_PLATFORM", platform);
    if (display.isNull())
        qunsetenv("DISPLAY");
    if (wayland.isNull())
        qunsetenv("WAYLAND_DISPLAY");
    if (platform.isNull())
        qunsetenv("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
