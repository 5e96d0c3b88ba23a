// Runs the `lame` MP3 encoder as a child process and waits for it without blocking the event loop.
#include "EncoderRunner.h"

#include <array>
#include <cerrno>
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

#include "Descriptors.h"
#include "FDTSoundMP3.h"
#include "NativeText.h"

namespace {

// How often a running encoder asks the stop check; short enough to feel immediate.
constexpr int kStopCheckIntervalMs = 50;

constexpr std::array<int, 6> kAcceptedRates = {8000, 11025, 12000, 22050, 24000, 44100};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The sample rate of a frame header of any layer, 0 where the bytes are no usable header.
int SampleRateOfHeader(const unsigned char* b) {
    if (!IsFrameSync(b))
        return 0;
    const MP3HeaderFields fields = HeaderFields(b);
    if (fields.version == 1 || fields.layer == 0 || fields.bitrateIndex == 15 || fields.sampleRateIndex == 3)
        return 0;
    int rate = 0;
    DecodeFrameHeader(b, nullptr, nullptr, nullptr, nullptr, nullptr, &rate);
    return rate;
}

// Ends a running encoder with whatever it started: it leads a process group of its own.
void EndProcessGroup(QProcess& process) {
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
    process.kill();
}

bool OutOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE;
}

void CloseDescriptors(int& first, int& second) {
    for (int* fd : {&first, &second}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
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
        arguments << TextFromBytes(option);
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

EncoderRunner::EncoderRunner(QString encoderProgram)
    : encoderProgram_(std::move(encoderProgram)), context_(std::make_unique<QObject>()) {}

EncoderRunner::~EncoderRunner() {
    context_.reset(); // no delivery after this
    if (process_) {
        process_->disconnect();
        EndProcessGroup(*process_);
        process_->waitForFinished(-1); // moments after SIGKILL
    }
    CloseDescriptors(inputFd_, outputFd_);
}

EncoderRunner::Outcome EncoderRunner::Start(const std::string& inputPath, const std::string& outputPath,
                                            const std::vector<PMP3Converter>& outputModes,
                                            const std::string& modeName, std::function<void(Outcome)> done) {
    const PMP3Converter* mode = FindOutputMode(outputModes, modeName);
    if (!mode)
        throw OutputModeNotFoundError("No output mode is named \"" + modeName + "\"");
    if (process_)
        return Fail("the encoder is busy with another file");
    // Copy the options now: the mode list may change while the encoder runs.
    mode_ = *mode;
    problem_.clear();
    CloseDescriptors(inputFd_, outputFd_);
    inherited_.clear();
    resampled_ = false;
    stopped_ = false;
    mayStartLater_ = false;
    if (encoderProgram_.isEmpty()) {
        problem_ = "the encoder was not found";
        return Outcome::NotStarted;
    }

    // Opened without waiting: a FIFO or a device would keep the encoder (and so the run) waiting
    // for ever. Only a regular file is handed on.
    inputFd_ = ::open(inputPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (inputFd_ < 0)
        return OutOfDescriptors(errno) ? NotStartedForNow() : Fail("the file could not be read");
    if (::fstat(inputFd_, &info) != 0 || !S_ISREG(info.st_mode))
        return Fail("not a regular file");

    // A path whose bytes a QString would change reaches the encoder as a descriptor of ours; the
    // encoder opens "/dev/fd/<n>" like a path and can seek in it as in the file itself.
    inputArgument_ = inputPath;
    if (!SurvivesCommandLine(inputPath)) {
        inherited_.push_back(inputFd_);
        inputArgument_ = "/dev/fd/" + std::to_string(inputFd_);
    }
    outputPath_ = outputPath;
    outputArgument_ = outputPath;
    if (!SurvivesCommandLine(outputPath)) {
        outputFd_ = ::open(outputPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (outputFd_ < 0)
            return OutOfDescriptors(errno) ? NotStartedForNow() : Fail("the MP3 file could not be created");
        inherited_.push_back(outputFd_);
        outputArgument_ = "/dev/fd/" + std::to_string(outputFd_);
    }

    // Short of descriptors, the start would fail, with Qt's pipe warnings on standard error.
    if (!DescriptorsToSpare(kDescriptorsPerStart))
        return NotStartedForNow();
    done_ = std::move(done);
    StartPass(EncoderArguments(mode_, inputArgument_, outputArgument_));
    return Outcome::Running;
}

EncoderRunner::Outcome EncoderRunner::RunEncoder(const std::string& inputPath, const std::string& outputPath,
                                                 const std::vector<PMP3Converter>& outputModes,
                                                 const std::string& modeName) {
    QEventLoop loop;
    Outcome outcome = Outcome::Running;
    const Outcome started = Start(inputPath, outputPath, outputModes, modeName, [&](Outcome ended) {
        outcome = ended;
        loop.quit();
    });
    if (started != Outcome::Running)
        return started;
    QTimer stopPoll;
    if (stopCheck_) {
        QObject::connect(&stopPoll, &QTimer::timeout, &loop, [this] {
            if (stopCheck_())
                Stop();
        });
        stopPoll.start(kStopCheckIntervalMs);
    }
    if (outcome == Outcome::Running)
        loop.exec();
    // The loop also ends when the application quits; an encoder still running then is stopped.
    if (outcome == Outcome::Running) {
        done_ = nullptr;
        if (process_) {
            process_->disconnect();
            EndProcessGroup(*process_);
            process_->waitForFinished(-1);
            endedProcess_ = std::move(process_);
        }
        outcome = Outcome::Stopped;
    }
    return outcome;
}

EncoderRunner::Outcome EncoderRunner::NotStartedForNow() {
    problem_ = "the encoder could not be started";
    mayStartLater_ = true;
    CloseDescriptors(inputFd_, outputFd_);
    return Outcome::NotStarted;
}

EncoderRunner::Outcome EncoderRunner::Fail(std::string problem) {
    problem_ = std::move(problem);
    CloseDescriptors(inputFd_, outputFd_);
    return Outcome::Failed;
}

void EncoderRunner::StartPass(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(encoderProgram_);
    process->setArguments(arguments);
    // Nothing to read from and nobody to read what it says: keep the encoder away from our console.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // Runs in the child before the encoder starts; async-signal-safe calls only.
    const pid_t parent = ::getpid();
    const std::vector<int> inherited = inherited_;
    process->setChildProcessModifier([parent, inherited] {
        // A process group of its own: a stop ends the encoder with whatever it started (a wrapper
        // script's own encoder), and Ctrl+C at the terminal reaches us only.
        ::setpgid(0, 0);
        // Signals as a shell would give them: none ignored (we ignore SIGPIPE), none blocked.
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        for (int signal = 1; signal < NSIG; ++signal)
            ::sigaction(signal, &byDefault, nullptr);
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        // An encoder left behind by a killed run would go on writing beside the input. (The signal
        // comes when the starting thread ends; runs start their encoders on the main thread.)
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) // we died before the line above took effect
            ::_exit(127);
        for (const int fd : inherited)
            ::fcntl(fd, F_SETFD, 0);
    });
    // Both signals come from the event loop; a start that fails may report at once, inside start().
    QObject::connect(process.get(), &QProcess::finished, context_.get(), [this] { PassEnded(false); });
    QObject::connect(process.get(), &QProcess::errorOccurred, context_.get(),
                     [this](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             PassEnded(true);
                     });
    process_ = std::move(process);
    process_->start();
}

void EncoderRunner::PassEnded(bool failedToStart) {
    if (!process_)
        return; // the pass has been reported already
    // The process object is still inside its own signal: delete it later, never here.
    endedProcess_ = std::move(process_);
    QProcess& process = *endedProcess_;
    process.disconnect(context_.get());

    Outcome outcome = Outcome::Finished;
    // A stop asked for meanwhile (Ctrl+C reaches the encoder too and ends it before the next poll)
    // leaves an unfinished MP3, which must not become a movie.
    if (!stopped_ && stopCheck_ && stopCheck_())
        stopped_ = true;
    if (stopped_) {
        outcome = Outcome::Stopped;
    } else if (failedToStart || process.error() == QProcess::FailedToStart) {
        // Most often too few descriptors or processes for one more: it may start once another ends.
        problem_ = "the encoder could not be started";
        mayStartLater_ = true;
        outcome = Outcome::NotStarted;
    } else if (process.exitStatus() == QProcess::CrashExit) {
        // An encoder that crashed, was killed (a full disk sends SIGXFSZ) or gave up leaves an
        // unfinished MP3 that would make a movie cut short.
        outcome = Fail("the encoder was ended by signal " + std::to_string(process.exitCode()));
    } else if (process.exitCode() != 0) {
        outcome = Fail("the encoder failed (exit status " + std::to_string(process.exitCode()) + ")");
    } else if (!resampled_) {
        // Some of the encoder's own rate choices (16, 32, 48 kHz) give MP3s the movie reader rejects.
        const int rate = FirstFrameSampleRate(outputPath_);
        if (rate != 0 && !IsAcceptedSampleRate(rate)) {
            resampled_ = true;
            StartPass(EncoderArguments(mode_, inputArgument_, outputArgument_,
                                       ResampleArgument(AcceptedSampleRateAtOrAbove(rate))));
            return;
        }
    }
    Deliver(outcome);
}

void EncoderRunner::Deliver(Outcome outcome) {
    CloseDescriptors(inputFd_, outputFd_);
    // Never from inside Start or a QProcess call of the caller's: the caller's own state may be
    // half changed there. Queued on the runner's context, so a deleted runner delivers nothing.
    QTimer::singleShot(0, context_.get(), [this, outcome] {
        auto done = std::move(done_);
        done_ = nullptr;
        if (done)
            done(outcome);
    });
}

void EncoderRunner::Stop() {
    if (!process_)
        return;
    stopped_ = true;
    EndProcessGroup(*process_);
}
