// Runs the `lame` MP3 encoder as a child process and waits for it without blocking the event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <QByteArray>

#include <QString>
#include <QStringList>

class QObject;
class QProcess;
struct SoundFormat;

// The encoder in the search path (PATH), or an empty text when there is none.
QString FindEncoder();

// The encoder's arguments: its options (an output mode's: "--silent", "--quiet", one
// "-<name><value>" per parameter), then "--mp3input" for an MP3 input, then, when resampleKhz is
// given, "--resample" and it, then the input and output paths. An empty inputPath stands for the
// standard input ("-").
QStringList EncoderArguments(const QStringList& options, const std::string& inputPath,
                             const std::string& outputPath, const QString& resampleKhz = QString(),
                             bool mp3Input = false);

// Sample rate in Hz of the first MPEG audio frame of the file (an ID3v2 tag in front is skipped)
// or of the data, or 0 when the file cannot be read or holds no frame header.
int FirstFrameSampleRate(const std::string& path);
int FirstFrameSampleRate(int fd); // the file open at fd, read from its start (pread)
int FirstFrameSampleRate(const unsigned char* data, size_t size);

// What to ask the encoder for when it would choose chosenHz by itself: nothing for a rate the
// movie's sound header states exactly (or 0, unknown), else the nearest such rate ("22.05").
QString ResampleFor(int chosenHz);

// The rate the encoder chooses depends on the input's rate and channel count and on the options
// only: what it was found to be for each, the "--resample" argument it needs, kept for a run.
class EncoderRateChoices {
public:
    using Key = std::tuple<QString, QStringList, int, int>; // encoder, options, rate, channels
    const QString* Find(const Key& key) const;
    void Remember(const Key& key, const QString& resample) { choices_[key] = resample; }

private:
    std::map<Key, QString> choices_;
};

// Descriptors one start takes for a moment (the encoder's three standard files, the pipes of the
// start), and those a running encoder keeps (its input, the handle of the process), measured.
constexpr int kDescriptorsPerStart = 8;
constexpr int kDescriptorsPerEncoder = 4;

class EncoderRunner {
public:
    enum class Outcome {
        Finished,   // the encoder ran and ended with exit status 0
        NotStarted, // no encoder, or it could not be started
        Stopped,    // ended by Stop()
        Failed,     // the encoder crashed, was killed or ended with an error; its output is unfinished
        Running,    // Start only: the encoder runs, and the outcome comes to the done callback
    };

    // encoderProgram: the program to start; empty means none is available.
    explicit EncoderRunner(QString encoderProgram = FindEncoder());
    // Ends an encoder that still runs; its done callback is not called any more.
    ~EncoderRunner();
    EncoderRunner(const EncoderRunner&) = delete;
    EncoderRunner& operator=(const EncoderRunner&) = delete;

    // Starts encoding inputPath into outputPath with the encoder options (an output mode's:
    // EncoderOptionArguments) and returns at once. When nothing could be started (no encoder, an input that
    // is not a regular file) returns that outcome and never calls done. Otherwise returns Running, and done
    // gets the outcome from the event loop once the encoder has ended. The MP3 gets a rate the movie's sound
    // header states exactly: for an input whose rate and channels are known, the rate the encoder would
    // choose is found first (a probe encode of a moment of silence at that rate, once per rate, channels and
    // options), and when it is another, "--resample" asks for the nearest such rate. An MP3 input is decoded
    // ("--mp3input"). The encoder dies with this process. One encode at a time per runner. inputFormat: the
    // input's format when the caller has read it already (SndfileLengthMs); without it the runner reads it
    // (SoundFormatOf).
    Outcome Start(const std::string& inputPath, const std::string& outputPath,
                  const std::vector<std::string>& options, std::function<void(Outcome)> done,
                  const SoundFormat* inputFormat = nullptr);

    // Ends a running encoder at once (it may be left with an unfinished output file); its done
    // callback follows from the event loop with Stopped.
    void Stop();
    bool IsRunning() const { return process_ != nullptr; }
    // How much of the MP3 the running encoder has written so far, in bytes; 0 when none runs.
    int64_t BytesWritten() const;

    // Why the last encode gave Failed or NotStarted, e.g. "the encoder failed (exit status 2)",
    // followed by the last lines the encoder wrote on its standard error.
    const std::string& Problem() const { return problem_; }
    // The last lines (at most a few, about 1 KiB) the encoder wrote on its standard error in the
    // last pass, joined by "; "; empty when it wrote nothing.
    const std::string& ErrorOutput() const { return errorOutput_; }

    // Shares what the encoder's rate choices were found to be with other runners (those of a run).
    void ShareRateChoices(std::shared_ptr<EncoderRateChoices> choices) { rateChoices_ = std::move(choices); }
    // True when the last NotStarted may not happen again once another encoder has ended: too few
    // descriptors to start one more, or the start failed (a failed fork, say).
    bool MayStartLater() const { return mayStartLater_; }

private:
    // The probe pass (probeInput not empty) reads it as its input and writes the MP3 on its
    // standard output; an encoding pass reads and writes files, its standard input from
    // inputFile when given.
    void StartPass(const QStringList& arguments, const QByteArray& probeInput = QByteArray(),
                   const std::string& inputFile = std::string());
    // Start's steps: the state of a new encode, the input opened and handed over, and the first
    // pass (the probe, unless the rate choice is known) once the input's format is known.
    void Reset();
    std::optional<Outcome> OpenFiles(const std::string& inputPath, const std::string& outputPath);
    std::optional<Outcome> ReadFormat(const SoundFormat* inputFormat, SoundFormat& format, bool& known);
    void StartFirstPass(const SoundFormat& format, bool known);
    std::unique_ptr<QProcess> NewProcess(const QStringList& arguments, const QByteArray& probeInput,
                                         const std::string& inputFile) const;
    void WatchProcess(QProcess& process);
    void StartEncoding(const QString& resample);
    void PassEnded(bool failedToStart);
    void Deliver(Outcome outcome);
    Outcome Fail(std::string problem);
    Outcome NotStartedForNow();

    QString encoderProgram_;
    std::function<void(Outcome)> done_;
    // What one encode needs while its passes run.
    QStringList options_;
    std::string inputArgument_;
    std::string outputArgument_;
    int inputFd_ = -1;
    int outputFd_ = -1;
    std::vector<int> inherited_;
    bool mp3Input_ = false;
    bool inputAsStream_ = false; // the input is read from the standard input
    bool probing_ = false;
    EncoderRateChoices::Key rateKey_;
    int inputRate_ = 0;
    std::shared_ptr<EncoderRateChoices> rateChoices_ = std::make_shared<EncoderRateChoices>();
    QByteArray probeOutput_;
    QByteArray errorTail_;
    std::string errorOutput_;

    std::unique_ptr<QProcess> process_;      // the pass under way
    std::unique_ptr<QProcess> endedProcess_; // the last pass, kept until it is safe to delete
    std::unique_ptr<QObject> context_;       // ends queued deliveries with the runner
    bool stopped_ = false;
    bool mayStartLater_ = false;
    std::string problem_;
};
