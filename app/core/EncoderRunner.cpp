// Runs the `lame` MP3 encoder as a child process and waits for it without blocking the event loop.
#include "EncoderRunner.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

// How often a running encoder asks the stop check; short enough to feel immediate.
constexpr int kStopCheckIntervalMs = 50;

constexpr std::array<int, 6> kAcceptedRates = {8000, 11025, 12000, 22050, 24000, 44100};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

int SampleRateOfHeader(const unsigned char* b) {
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (b[1] >> 3) & 3;   // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
    const int layer = (b[1] >> 1) & 3;     // 0 reserved
    const int bitrateIndex = b[2] >> 4;    // 15 is invalid
    const int rateIndex = (b[2] >> 2) & 3; // 3 is reserved
    if (version == 1 || layer == 0 || bitrateIndex == 15 || rateIndex == 3)
        return 0;
    static const int rates[4][3] = {
        {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
    return rates[version][rateIndex];
}

} // namespace

QString FindEncoder() {
    return QStandardPaths::findExecutable(QStringLiteral("lame"));
}

bool SurvivesCommandLine(const std::string& path) {
    return QFile::encodeName(QFile::decodeName(QByteArray::fromStdString(path))).toStdString() == path;
}

QString EncoderPathArgument(const std::string& path) {
    const QString text = QFile::decodeName(QByteArray::fromStdString(path));
    return path.empty() || path[0] != '-' ? text : QStringLiteral("./") + text;
}

QStringList EncoderArguments(const PMP3Converter& mode, const std::string& inputPath,
                             const std::string& outputPath, const QString& resampleKhz) {
    QStringList arguments;
    for (const std::string& option : EncoderOptionArguments(mode))
        arguments << QString::fromStdString(option);
    if (!resampleKhz.isEmpty())
        arguments << QStringLiteral("--resample") << resampleKhz;
    arguments << EncoderPathArgument(inputPath) << EncoderPathArgument(outputPath);
    return arguments;
}

int FirstFrameSampleRate(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return 0;
    // The header sits within the first few kilobytes, unless an ID3v2 tag (with pictures) comes first.
    unsigned char id3[10];
    long start = 0;
    if (std::fread(id3, 1, sizeof id3, file.get()) == sizeof id3 && id3[0] == 'I' && id3[1] == 'D' &&
        id3[2] == '3') {
        const long tagSize = (long(id3[6] & 0x7F) << 21) | (long(id3[7] & 0x7F) << 14) |
                             (long(id3[8] & 0x7F) << 7) | long(id3[9] & 0x7F);
        start = 10 + tagSize + ((id3[5] & 0x10) ? 10 : 0);
    }
    if (std::fseek(file.get(), start, SEEK_SET) != 0)
        return 0;
    std::array<unsigned char, 64 * 1024> buffer{};
    const size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
    for (size_t i = 0; i + 4 <= count; ++i) {
        if (const int rate = SampleRateOfHeader(&buffer[i]))
            return rate;
    }
    return 0;
}

bool IsAcceptedSampleRate(int rateHz) {
    for (int accepted : kAcceptedRates)
        if (accepted == rateHz)
            return true;
    return false;
}

int AcceptedSampleRateAtOrAbove(int rateHz) {
    for (int accepted : kAcceptedRates)
        if (accepted >= rateHz)
            return accepted;
    return kAcceptedRates.back();
}

QString ResampleArgument(int rateHz) {
    // The encoder takes the rate in kHz: 22050 -> "22.05", 8000 -> "8".
    return QString::number(rateHz / 1000.0, 'g', 6);
}

EncoderRunner::EncoderRunner(QString encoderProgram) : encoderProgram_(std::move(encoderProgram)) {}

EncoderRunner::~EncoderRunner() {
    Stop();
}

EncoderRunner::Outcome EncoderRunner::RunEncoder(const std::string& inputPath, const std::string& outputPath,
                                                 const std::vector<PMP3Converter>& outputModes,
                                                 const std::string& modeName) {
    const PMP3Converter* mode = FindOutputMode(outputModes, modeName);
    if (!mode)
        throw OutputModeNotFoundError("No output mode is named \"" + modeName + "\"");
    // Copy the options now: the mode list may change while the encoder runs.
    const PMP3Converter selected = *mode;
    problem_.clear();
    if (encoderProgram_.isEmpty()) {
        problem_ = "the encoder was not found";
        return Outcome::NotStarted;
    }

    // Opened without waiting: a FIFO or a device would keep the encoder (and so the run) waiting
    // for ever. Only a regular file is handed on.
    const Descriptor input(::open(inputPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (input.get() < 0)
        return Fail("the file could not be read");
    if (::fstat(input.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return Fail("not a regular file");

    // A path whose bytes a QString would change reaches the encoder as a descriptor of ours; the
    // encoder opens "/dev/fd/<n>" like a path and can seek in it as in the file itself.
    std::vector<int> inherited;
    std::string inputArgument = inputPath;
    if (!SurvivesCommandLine(inputPath)) {
        inherited.push_back(input.get());
        inputArgument = "/dev/fd/" + std::to_string(input.get());
    }
    const Descriptor output(SurvivesCommandLine(outputPath)
                                ? -1
                                : ::open(outputPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    std::string outputArgument = outputPath;
    if (!SurvivesCommandLine(outputPath)) {
        if (output.get() < 0)
            return Fail("the MP3 file could not be created");
        inherited.push_back(output.get());
        outputArgument = "/dev/fd/" + std::to_string(output.get());
    }

    const Outcome outcome = RunOnce(EncoderArguments(selected, inputArgument, outputArgument), inherited);
    if (outcome != Outcome::Finished)
        return outcome;

    // Some of the encoder's own rate choices (16, 32, 48 kHz) give MP3s the movie reader rejects.
    const int rate = FirstFrameSampleRate(outputPath);
    if (rate == 0 || IsAcceptedSampleRate(rate))
        return outcome;
    return RunOnce(EncoderArguments(selected, inputArgument, outputArgument,
                                    ResampleArgument(AcceptedSampleRateAtOrAbove(rate))),
                   inherited);
}

EncoderRunner::Outcome EncoderRunner::Fail(std::string problem) {
    problem_ = std::move(problem);
    return Outcome::Failed;
}

EncoderRunner::Outcome EncoderRunner::RunOnce(const QStringList& arguments,
                                              const std::vector<int>& inheritedDescriptors) {
    QProcess process;
    process.setProgram(encoderProgram_);
    process.setArguments(arguments);
    // Nothing to read from and nobody to read what it says: keep the encoder away from our console.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // Runs in the child before the encoder starts; async-signal-safe calls only.
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent, inheritedDescriptors] {
        // An encoder left behind by a killed run would go on writing beside the input. (The signal
        // comes when the starting thread ends; runs start their encoders on the main thread.)
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) // we died before the line above took effect
            ::_exit(127);
        for (const int fd : inheritedDescriptors)
            ::fcntl(fd, F_SETFD, 0);
    });

    QEventLoop loop;
    bool ended = false;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            ended = true;
            loop.quit();
        }
    });
    QTimer stopPoll;
    if (stopCheck_) {
        QObject::connect(&stopPoll, &QTimer::timeout, &loop, [this] {
            if (stopCheck_())
                Stop();
        });
        stopPoll.start(kStopCheckIntervalMs);
    }

    stopped_ = false;
    process_ = &process;
    process.start();
    if (!ended && process.state() != QProcess::NotRunning)
        loop.exec();
    // The loop also ends when the application quits; an encoder still running then is stopped.
    if (process.state() != QProcess::NotRunning) {
        stopped_ = true;
        process.kill();
        process.waitForFinished(-1);
    }
    process_ = nullptr;
    stopPoll.stop();
    // A stop asked for meanwhile (Ctrl+C reaches the encoder too and ends it before the next poll)
    // leaves an unfinished MP3, which must not become a movie.
    if (!stopped_ && stopCheck_ && stopCheck_())
        stopped_ = true;

    if (stopped_)
        return Outcome::Stopped;
    if (failedToStart || process.error() == QProcess::FailedToStart) {
        problem_ = "the encoder could not be started";
        return Outcome::NotStarted;
    }
    // An encoder that crashed, was killed (a full disk sends SIGXFSZ) or gave up leaves an
    // unfinished MP3 that would make a movie cut short.
    if (process.exitStatus() == QProcess::CrashExit)
        return Fail("the encoder was ended by signal " + std::to_string(process.exitCode()));
    if (process.exitCode() != 0)
        return Fail("the encoder failed (exit status " + std::to_string(process.exitCode()) + ")");
    return Outcome::Finished;
}

void EncoderRunner::Stop() {
    if (!process_)
        return;
    stopped_ = true;
    process_->kill();
}
