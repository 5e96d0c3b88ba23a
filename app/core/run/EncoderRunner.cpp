// Runs the `lame` MP3 encoder as a child process and waits for it without blocking the event loop.
#include "run/EncoderRunner.h"

#include "text/Translations.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "FileBytes.h"
#include "Mp3Frames.h"
#include "run/Descriptors.h"
#include "sound/SoundLength.h"
#include "text/NativeText.h"

namespace {

// What is kept of the encoder's standard error: its last lines, a few of them, about 1 KiB.
constexpr qsizetype kErrorTailBytes = 1024;
constexpr int kErrorTailLines = 4;
// The probe's MP3 only has to show its first frame header.
constexpr qsizetype kProbeOutputBytes = 64 * 1024;

// The sample rate of a frame header of any layer, 0 where the bytes are no usable header.
int SampleRateOfHeader(const unsigned char* b) {
    const Mp3FrameHeader header = DecodeMp3Header(b);
    return header.IsUsable() ? header.sampleRate : 0;
}

// A tenth of a second of silence (at least two MP3 frames' worth) as a 16-bit WAV file.
QByteArray SilentWav(int rate, int channels) {
    const uint32_t frames = static_cast<uint32_t>(std::max(rate / 10, 2304));
    const uint32_t blockAlign = 2u * static_cast<uint32_t>(channels);
    const uint32_t dataBytes = frames * blockAlign;
    QByteArray wav;
    const auto add32 = [&wav](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const auto add16 = [&wav](uint32_t v) {
        wav.append(static_cast<char>(v & 0xFF));
        wav.append(static_cast<char>((v >> 8) & 0xFF));
    };
    wav.append("RIFF");
    add32(36 + dataBytes);
    wav.append("WAVEfmt ");
    add32(16);
    add16(1); // PCM
    add16(static_cast<uint32_t>(channels));
    add32(static_cast<uint32_t>(rate));
    add32(static_cast<uint32_t>(rate) * blockAlign);
    add16(blockAlign);
    add16(16);
    wav.append("data");
    add32(dataBytes);
    wav.append(QByteArray(static_cast<qsizetype>(dataBytes), '\0'));
    return wav;
}

// The last lines of text, blanks trimmed and empty ones left out, joined by "; ".
std::string LastLines(const QByteArray& text) {
    QList<QByteArray> lines;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    std::string joined;
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - kErrorTailLines); i < lines.size(); ++i)
        joined += (joined.empty() ? "" : "; ") + lines[i].toStdString();
    return joined;
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

// True when a path comes back unchanged from a QString, and so from the encoder's command line.
// Other paths are handed over as "/dev/fd/<n>" of a descriptor the runner opens for it.
bool SurvivesCommandLine(const std::string& path) {
    return QFile::encodeName(QFile::decodeName(QByteArray::fromStdString(path))).toStdString() == path;
}

// A path as the encoder is given it: "./" in front of a relative path that starts with "-", which
// the encoder would otherwise take for an option (or, alone, for standard input or output).
QString EncoderPathArgument(const std::string& path) {
    const QString text = QFile::decodeName(QByteArray::fromStdString(path));
    return path.empty() || path[0] != '-' ? text : QStringLiteral("./") + text;
}

// A rate in Hz as "--resample" takes it, in kHz: 22050 -> "22.05", 8000 -> "8".
QString ResampleArgument(int rateHz) {
    return QString::number(rateHz / 1000.0, 'g', 6);
}

} // namespace

QString FindEncoder() {
    return QStandardPaths::findExecutable(QStringLiteral("lame"));
}

QStringList EncoderArguments(const QStringList& options, const std::string& inputPath,
                             const std::string& outputPath, const QString& resampleKhz, bool mp3Input) {
    QStringList arguments = options;
    if (mp3Input)
        arguments << QStringLiteral("--mp3input");
    if (!resampleKhz.isEmpty())
        arguments << QStringLiteral("--resample") << resampleKhz;
    arguments << (inputPath.empty() ? QStringLiteral("-") : EncoderPathArgument(inputPath))
              << EncoderPathArgument(outputPath);
    return arguments;
}

int FirstFrameSampleRate(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int rate = FirstFrameSampleRate(fd);
    ::close(fd);
    return rate;
}

int FirstFrameSampleRate(int fd) {
    // The header sits within the first few kilobytes, unless an ID3v2 tag (with pictures) comes
    // first: then it is looked for behind the tag.
    std::array<unsigned char, 64 * 1024> buffer{};
    size_t count = ReadAt(fd, buffer.data(), 4096, 0);
    const uint64_t tag = Id3v2TagSize(buffer.data(), count);
    if (tag == 0) {
        if (const int rate = FirstFrameSampleRate(buffer.data(), count))
            return rate;
        if (count < 4096)
            return 0;
    }
    count = ReadAt(fd, buffer.data(), buffer.size(), tag);
    return FirstFrameSampleRate(buffer.data(), count);
}

int FirstFrameSampleRate(const unsigned char* data, size_t size) {
    for (size_t i = 0; i + 4 <= size; ++i) {
        if (const int rate = SampleRateOfHeader(data + i))
            return rate;
    }
    return 0;
}

QString ResampleFor(int chosenHz) {
    return chosenHz == 0 || IsStatedExactly(chosenHz) ? QString()
                                                      : ResampleArgument(NearestStatedRate(chosenHz));
}

const QString* EncoderRateChoices::Find(const Key& key) const {
    const auto found = choices_.find(key);
    return found == choices_.end() ? nullptr : &found->second;
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
                                            const std::vector<std::string>& options,
                                            std::function<void(Outcome)> done,
                                            const SoundFormat* inputFormat) {
    if (process_)
        return Fail("the encoder is busy with another file");
    Reset();
    options_.clear();
    for (const std::string& option : options)
        options_ << TextFromBytes(option);
    if (encoderProgram_.isEmpty()) {
        problem_ = MessageBytes(QCoreApplication::translate("EncoderRunner", "the encoder was not found"));
        return Outcome::NotStarted;
    }
    if (const std::optional<Outcome> failed = OpenFiles(inputPath, outputPath))
        return *failed;
    SoundFormat format;
    bool known = false;
    if (const std::optional<Outcome> failed = ReadFormat(inputFormat, format, known))
        return *failed;
    // Short of descriptors, the start would fail, with Qt's pipe warnings on standard error.
    if (!DescriptorsToSpare(kDescriptorsPerStart))
        return NotStartedForNow();
    done_ = std::move(done);
    StartFirstPass(format, known);
    return Outcome::Running;
}

void EncoderRunner::Reset() {
    problem_.clear();
    CloseDescriptors(inputFd_, outputFd_);
    inherited_.clear();
    mp3Input_ = false;
    inputAsStream_ = false;
    probing_ = false;
    errorOutput_.clear();
    stopped_ = false;
    mayStartLater_ = false;
}

std::optional<EncoderRunner::Outcome> EncoderRunner::OpenFiles(const std::string& inputPath,
                                                               const std::string& outputPath) {
    // Opened without waiting: a FIFO or a device would keep the encoder (and so the run) waiting
    // for ever. Only a regular file is handed on.
    inputFd_ = ::open(inputPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (inputFd_ < 0)
        return OutOfDescriptors(errno) ? NotStartedForNow()
                                       : Fail(MessageBytes(QCoreApplication::translate(
                                             "EncoderRunner", "the file could not be read")));
    if (::fstat(inputFd_, &info) != 0 || !S_ISREG(info.st_mode))
        return Fail(MessageBytes(QCoreApplication::translate("EncoderRunner", "not a regular file")));

    // A path whose bytes a QString would change reaches the encoder as a descriptor of ours; the
    // encoder opens "/dev/fd/<n>" like a path and can seek in it as in the file itself.
    inputArgument_ = inputPath;
    if (!SurvivesCommandLine(inputPath)) {
        inherited_.push_back(inputFd_);
        inputArgument_ = "/dev/fd/" + std::to_string(inputFd_);
    }
    outputArgument_ = outputPath;
    if (!SurvivesCommandLine(outputPath)) {
        outputFd_ = ::open(outputPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (outputFd_ < 0)
            return OutOfDescriptors(errno) ? NotStartedForNow()
                                           : Fail(MessageBytes(QCoreApplication::translate(
                                                 "EncoderRunner", "the MP3 file could not be created")));
        inherited_.push_back(outputFd_);
        outputArgument_ = "/dev/fd/" + std::to_string(outputFd_);
    }
    return std::nullopt;
}

std::optional<EncoderRunner::Outcome> EncoderRunner::ReadFormat(const SoundFormat* inputFormat,
                                                                SoundFormat& format, bool& known) {
    // The input's rate and channels decide the rate the encoder chooses; an input libsndfile does
    // not read is left to the encoder's own choice (and reading).
    if (inputFormat) {
        format = *inputFormat;
        known = format.rate > 0 && format.channels > 0;
    } else {
        known = SoundFormatOf(inputFd_, format);
        ::lseek(inputFd_, 0, SEEK_SET);
    }
    mp3Input_ = known && format.mpeg;
    // The encoder reads a WAV file given by name only as far as its header says, and one whose
    // header states 0 bytes not at all; as its standard input, it reads it to its end.
    inputAsStream_ = known && format.sizeUnstated;
    if (known && format.channels > 2)
        return Fail(MessageBytes(QCoreApplication::translate(
                                     "EncoderRunner", "the input has %1 channels; the encoder takes 1 or 2"),
                                 {std::to_string(format.channels)}));
    return std::nullopt;
}

void EncoderRunner::StartFirstPass(const SoundFormat& format, bool known) {
    rateKey_ = {encoderProgram_, options_, format.rate, format.channels};
    inputRate_ = format.rate;
    const QString* resample = known ? rateChoices_->Find(rateKey_) : nullptr;
    if (!known || resample) {
        StartEncoding(resample ? *resample : QString());
        return;
    }
    // The same options on a moment of silence at the input's rate, from standard input to
    // standard output: no file, and nothing a stand-in encoder could leave behind.
    probing_ = true;
    probeOutput_.clear();
    StartPass(EncoderArguments(options_, "/dev/stdin", "/dev/stdout"),
              SilentWav(format.rate, format.channels));
}

void EncoderRunner::StartEncoding(const QString& resample) {
    if (inputAsStream_)
        StartPass(EncoderArguments(options_, std::string(), outputArgument_, resample, mp3Input_),
                  QByteArray(), inputArgument_);
    else
        StartPass(EncoderArguments(options_, inputArgument_, outputArgument_, resample, mp3Input_));
}

EncoderRunner::Outcome EncoderRunner::NotStartedForNow() {
    problem_ = MessageBytes(QCoreApplication::translate("EncoderRunner", "the encoder could not be started"));
    mayStartLater_ = true;
    CloseDescriptors(inputFd_, outputFd_);
    return Outcome::NotStarted;
}

EncoderRunner::Outcome EncoderRunner::Fail(std::string problem) {
    problem_ = std::move(problem);
    CloseDescriptors(inputFd_, outputFd_);
    return Outcome::Failed;
}

void EncoderRunner::StartPass(const QStringList& arguments, const QByteArray& probeInput,
                              const std::string& inputFile) {
    errorTail_.clear();
    process_ = NewProcess(arguments, probeInput, inputFile);
    WatchProcess(*process_);
    const QProcess* started = process_.get();
    process_->start();
    if (!probeInput.isEmpty() && process_.get() == started) {
        process_->write(probeInput);
        process_->closeWriteChannel();
    }
}

std::unique_ptr<QProcess> EncoderRunner::NewProcess(const QStringList& arguments,
                                                    const QByteArray& probeInput,
                                                    const std::string& inputFile) const {
    auto process = std::make_unique<QProcess>();
    process->setProgram(encoderProgram_);
    process->setArguments(arguments);
    // Keep the encoder away from our console. What it says on its standard error is kept (the
    // last of it) to tell why it failed; the probe's standard input and output are ours.
    if (probeInput.isEmpty()) {
        process->setStandardInputFile(inputFile.empty()
                                          ? QProcess::nullDevice()
                                          : QFile::decodeName(QByteArray::fromStdString(inputFile)));
        process->setStandardOutputFile(QProcess::nullDevice());
    }
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
    return process;
}

void EncoderRunner::WatchProcess(QProcess& process) {
    // Both signals come from the event loop; a start that fails may report at once, inside start().
    QObject::connect(&process, &QProcess::finished, context_.get(), [this] { PassEnded(false); });
    QObject::connect(&process, &QProcess::errorOccurred, context_.get(),
                     [this](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             PassEnded(true);
                     });
    // Read as it comes, so that the encoder never waits on a full pipe; only the end is kept.
    QObject::connect(&process, &QProcess::readyReadStandardError, context_.get(), [this] {
        if (process_)
            errorTail_ = (errorTail_ + process_->readAllStandardError()).right(kErrorTailBytes);
    });
    QObject::connect(&process, &QProcess::readyReadStandardOutput, context_.get(), [this] {
        if (process_)
            probeOutput_ = (probeOutput_ + process_->readAllStandardOutput()).left(kProbeOutputBytes);
    });
}

void EncoderRunner::PassEnded(bool failedToStart) {
    if (!process_)
        return; // the pass has been reported already
    // The process object is still inside its own signal: delete it later, never here.
    endedProcess_ = std::move(process_);
    QProcess& process = *endedProcess_;
    process.disconnect(context_.get());
    errorOutput_ = LastLines((errorTail_ + process.readAllStandardError()).right(kErrorTailBytes));
    const std::string said = errorOutput_.empty() ? std::string() : ": " + errorOutput_;

    // A probe that did not end well (a stand-in encoder, options it takes only for files) leaves
    // the choice open: the file is encoded at its own rate, or the stated rate nearest it, and
    // whatever went wrong is the file's own pass to tell.
    if (probing_ && !failedToStart && process.error() != QProcess::FailedToStart &&
        (process.exitStatus() == QProcess::CrashExit || process.exitCode() != 0) && !stopped_) {
        probing_ = false;
        const QString resample = ResampleFor(inputRate_);
        rateChoices_->Remember(rateKey_, resample);
        StartEncoding(resample);
        return;
    }

    Outcome outcome = Outcome::Finished;
    if (stopped_) {
        outcome = Outcome::Stopped;
    } else if (failedToStart || process.error() == QProcess::FailedToStart) {
        // Most often too few descriptors or processes for one more: it may start once another ends.
        problem_ =
            MessageBytes(QCoreApplication::translate("EncoderRunner", "the encoder could not be started"));
        mayStartLater_ = true;
        outcome = Outcome::NotStarted;
    } else if (process.exitStatus() == QProcess::CrashExit) {
        // An encoder that crashed, was killed (a full disk sends SIGXFSZ) or gave up leaves an
        // unfinished MP3 that would make a movie cut short.
        outcome = Fail(
            MessageBytes(QCoreApplication::translate("EncoderRunner", "the encoder was ended by signal %1%2",
                                                     "%2: what the encoder said, beginning with a "
                                                     "colon, or nothing"),
                         {std::to_string(process.exitCode()), said}));
    } else if (process.exitCode() != 0) {
        outcome = Fail(
            MessageBytes(QCoreApplication::translate("EncoderRunner", "the encoder failed (exit status %1)%2",
                                                     "%2: what the encoder said, beginning with a "
                                                     "colon, or nothing"),
                         {std::to_string(process.exitCode()), said}));
    } else if (probing_) {
        // The rate of the probe's MP3 is the encoder's own choice for such an input.
        probing_ = false;
        probeOutput_ += process.readAllStandardOutput();
        const QString resample = ResampleFor(FirstFrameSampleRate(
            reinterpret_cast<const unsigned char*>(probeOutput_.constData()), size_t(probeOutput_.size())));
        probeOutput_.clear();
        rateChoices_->Remember(rateKey_, resample);
        StartEncoding(resample);
        return;
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

int64_t EncoderRunner::BytesWritten() const {
    struct stat info {};
    // The probe's MP3 is not the file's. A descriptor of ours is reached through our /dev/fd.
    if (!process_ || probing_ || ::stat(outputArgument_.c_str(), &info) != 0)
        return 0;
    return info.st_size;
}

void EncoderRunner::Stop() {
    if (!process_)
        return;
    stopped_ = true;
    EndProcessGroup(*process_);
}
