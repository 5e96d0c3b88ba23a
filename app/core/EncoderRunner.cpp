// Runs the `lame` MP3 encoder as a child process and waits for it without blocking the event loop.
#include "EncoderRunner.h"

#include <array>
#include <cstdio>
#include <memory>

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

QStringList EncoderArguments(const PMP3Converter& mode, const std::string& inputPath,
                             const std::string& outputPath, const QString& resampleKhz) {
    QStringList arguments;
    for (const std::string& option : EncoderOptionArguments(mode))
        arguments << QString::fromStdString(option);
    if (!resampleKhz.isEmpty())
        arguments << QStringLiteral("--resample") << resampleKhz;
    arguments << QFile::decodeName(inputPath.c_str()) << QFile::decodeName(outputPath.c_str());
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

    const Outcome outcome = RunOnce(EncoderArguments(selected, inputPath, outputPath));
    if (outcome != Outcome::Finished)
        return outcome;

    // Some of the encoder's own rate choices (16, 32, 48 kHz) give MP3s the movie reader rejects.
    const int rate = FirstFrameSampleRate(outputPath);
    if (rate == 0 || IsAcceptedSampleRate(rate))
        return outcome;
    return RunOnce(EncoderArguments(selected, inputPath, outputPath,
                                    ResampleArgument(AcceptedSampleRateAtOrAbove(rate))));
}

EncoderRunner::Outcome EncoderRunner::RunOnce(const QStringList& arguments) {
    if (encoderProgram_.isEmpty())
        return Outcome::NotStarted;

    QProcess process;
    process.setProgram(encoderProgram_);
    process.setArguments(arguments);
    // Nothing to read from and nobody to read what it says: keep the encoder away from our console.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

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
    if (failedToStart || process.error() == QProcess::FailedToStart)
        return Outcome::NotStarted;
    return Outcome::Finished;
}

void EncoderRunner::Stop() {
    if (!process_)
        return;
    stopped_ = true;
    process_->kill();
}
