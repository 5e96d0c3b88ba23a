// The files of one run on their way to movies.
#include "run/RunScheduler.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTimer>

#include "StopRequest.h"
#include "run/Descriptors.h"
#include "run/RunOutputs.h"
#include "run/RunPaths.h"
#include "sound/SoundBlock.h"
#include "sound/SoundFileNames.h"
#include "sound/SoundLength.h"
#include "sound/SoundMovieBuilder.h"
#include "text/Translations.h"

namespace {

using Cause = FileFailure::Cause;

constexpr size_t kFilesAheadPerEncoder = 8;
// Reading an input, writing a movie and the report, a box or two: what the run itself opens.
constexpr int kDescriptorsKeptForTheRun = 16;

// No output mode has the chosen name: the run skips the files it would have to encode.
class OutputModeNotFoundError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace

// Nothing here waits: a FIFO, device or socket is never opened, and the open is non-blocking for
// the case that one took the file's place meanwhile.
std::optional<FileFailure> UnreadableInput(const std::string& path, const std::function<void(int fd)>& look) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return FileFailure{errno == ENOENT || errno == ENOTDIR ? Cause::NotFound : Cause::NotReadable, {}};
    if (!S_ISREG(info.st_mode))
        return FileFailure{Cause::NotRegularFile, {}};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FileFailure{Cause::NotReadable, {}};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (regular && look)
        look(fd);
    ::close(fd);
    if (!regular)
        return FileFailure{Cause::NotRegularFile, {}};
    return std::nullopt;
}

namespace {

// The report line's ending for a file whose work the exception being handled ended before the
// movie builder gave it a line.
const char* EndingOfFailure() {
    try {
        throw;
    } catch (const SoundLengthError&) {
        return ":Unexpected File Format.";
    } catch (const OutputModeNotFoundError&) {
        return ":Unable to Encode.";
    } catch (...) {
        return ":Unable to Write Output File.";
    }
}

// A step of a file's work failed: how its report line ends, and why the file gave no movie.
struct StepFailed {
    const char* ending;
    FileFailure failure;
};

// Runs one step of a file's work; whatever it throws becomes StepFailed with failure.
template <typename Step> auto During(FileFailure failure, Step&& step) {
    try {
        return step();
    } catch (const StepFailed&) {
        throw;
    } catch (...) {
        throw StepFailed{EndingOfFailure(), std::move(failure)};
    }
}

// Why a movie's outcome is no movie, or none for a movie made; detail: the reader's or builder's words.
std::optional<FileFailure> FailureOf(MovieOutcome outcome, const std::string& detail = {}) {
    switch (outcome) {
    case MovieOutcome::Written:
        return std::nullopt;
    case MovieOutcome::NoMp3:
        return FileFailure{Cause::NotFound, detail};
    case MovieOutcome::UnexpectedFormat:
        return FileFailure{Cause::UnexpectedFormat, detail};
    case MovieOutcome::TooLong:
        return FileFailure{Cause::TooLong, detail};
    case MovieOutcome::NotWritten:
        break;
    }
    return FileFailure{Cause::MovieNotWritten, detail};
}

// Seconds with the given number of decimals: 2795 ms, 3 -> "2.795".
std::string Seconds(int32_t ms, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, ms / 1000.0);
    return text;
}

// What to say of a damaged MP3, empty for one a decoder reads to its end.
std::string DamageNote(const Mp3Length& length) {
    if (length.stopsAtMs < 0)
        return {};
    return MessageBytes(QCoreApplication::translate(
                            "RunScheduler", "the input is damaged at %1 s of %2 s: some players stop there"),
                        {Seconds(length.stopsAtMs, 2), Seconds(length.ms, 2)});
}

} // namespace

enum class FileState {
    Waiting,  // not started
    Encoding, // its encoder runs
    Ready,    // ready for its movie, or skipped; handed to the worker when the files before it are
    Handed,   // its movie step is the worker's
    Finished, // its turn has come and gone
};

// What one input's way through the run needs from its start to its end.
struct RunScheduler::FileWork {
    bool handled = false;  // its work completed (a report line, the progress moved on)
    int32_t frames = 0;    // the movie's, for an input to encode worked out from it before encoding
    int32_t soundMs = 0;   // the length of the sound the frames were worked out from
    int32_t lengthMs = 0;  // what its MP3 must hold: the input's length, or its frames' for an MP3
    int32_t slackMs = 0;   // how much less than lengthMs the MP3 may hold, beyond one of its frames
    bool mp3Input = false; // an MP3 input encoded anew, at another rate than inputRate
    int inputRate = 0;
    std::optional<SoundFormat> format;   // a non-MP3 input's, found with its length, for its encoder
    std::string mp3Path;                 // the MP3 the movie is built from, as the report names it
    std::string encodedPath;             // the file the encoder writes it to; empty for an MP3 input
    std::optional<FileFailure> whyNoMp3; // what a builder that finds no MP3 stands for
    std::optional<FileFailure> encodeFailure;
    std::string encoderSaid;        // the last lines of the encoder's standard error
    std::vector<std::string> lines; // the report lines of this file
    // Why it gave no movie; none when it gave one. Set before its turn, it failed before its movie
    // step (skipped): it finishes with a line, no progress.
    std::optional<FileFailure> failure;
    std::string movieNote;                       // where its movie went, when not under the usual name
    const char* skipEnding = ":File Not Found."; // the ending of its line when it was skipped
    std::string note;                            // what to say of a movie made all the same
    const EncoderRunner* encoder = nullptr;      // its encoder, while Encoding
    int64_t expectedMp3Bytes = 0;                // what that encoder should write, about

    void AddNote(const std::string& text) {
        if (!text.empty())
            note += (note.empty() ? "" : "; ") + text;
    }
};

// One listed file: little until it starts, and again once it has finished.
struct RunScheduler::FileEntry {
    FileState state = FileState::Waiting;
    std::shared_ptr<FileWork> work;
    std::unique_ptr<IntermediateFile> intermediate; // removed on this thread, however the run ends
};

struct RunScheduler::Encoder {
    std::unique_ptr<EncoderRunner> runner;
    bool busy;
};

namespace {

// The most movies handed to the worker and not yet answered: enough to keep it busy with short
// sounds, few enough that what they hold stays small.
constexpr size_t kMoviesAhead = 32;
// The longest Advance keeps the event loop waiting (a stop, a repaint) while it starts files.
constexpr auto kLongestAdvance = std::chrono::milliseconds(10);

} // namespace

// One file's movie step, on the worker: the movie's path, the movie and the report line. It uses
// nothing of the scheduler, which may be gone by the time a step that was stopped ends.
class RunScheduler::MovieStep {
public:
    MovieStep(const PSoundProject& project, RunOutputs& outputs, size_t index, FileWork& work,
              StopRequest& stop)
        : project_(project), outputs_(outputs), index_(index), input_(project.Files[index].File), file_(work),
          stop_(stop) {}

    void Run() {
        // A stop came first: whatever this step would give is thrown away.
        if (stop_.Requested())
            return;
        // One line per listed file: a skipped one's names its input.
        if (file_.failure)
            file_.lines.push_back(input_ + file_.skipEnding);
        else
            FinishFile();
    }

private:
    // A stop came while a file was read: what the walk found is of no use.
    void GiveUpIfStopped() const {
        if (stop_.Requested())
            throw StepFailed{"", {Cause::Stopped, {}}};
    }
    void FinishFile();
    void BuildFromEncodedMp3(const std::string& moviePath);
    void BuildFromMp3Input(const std::string& moviePath);
    void MeasureMp3Input();

    const PSoundProject& project_;
    RunOutputs& outputs_;
    size_t index_;
    const std::string& input_;
    FileWork& file_;
    StopRequest& stop_;
};

RunScheduler::RunScheduler(Setup setup)
    : setup_(std::move(setup)), project_(*setup_.project), outputs_(*setup_.outputs),
      files_(project_.Files.size()) {
    const size_t encoderCount = std::min<size_t>(static_cast<size_t>(std::max(setup_.encoderCount, 1)),
                                                 std::max<size_t>(files_.size(), 1));
    const size_t allowed = std::min(encoderCount, EncodersDescriptorsAllow());
    // The encoder's rate choices are found once per run, whichever encoder meets them first.
    const auto rateChoices = std::make_shared<EncoderRateChoices>();
    for (size_t i = 0; i < allowed; ++i) {
        encoders_.push_back({std::make_unique<EncoderRunner>(setup_.encoderProgram), false});
        encoders_.back().runner->ShareRateChoices(rateChoices);
    }
}

// The worker goes first: it answers nothing more, and a movie under way is given up.
RunScheduler::~RunScheduler() = default;

void RunScheduler::Stop() {
    stopped_ = true;
    for (Encoder& encoder : encoders_)
        encoder.runner->Stop();
    worker_.Stop();
}

bool RunScheduler::Stopped() const {
    return nextToFinish_ < files_.size();
}

// How many encoders the descriptors left allow, the run's own files kept aside; one at least.
size_t RunScheduler::EncodersDescriptorsAllow() {
    const int spare = FreeDescriptors() - kDescriptorsKeptForTheRun;
    return size_t(std::max(1, spare / kDescriptorsPerEncoder));
}

std::optional<RunScheduler::InWork> RunScheduler::FileInWork() const {
    if (stopped_ || nextToFinish_ >= files_.size())
        return std::nullopt;
    const FileEntry& entry = files_[nextToFinish_];
    double encoded = 0;
    // Its work is this thread's while it is encoded.
    if (entry.state == FileState::Encoding && entry.work->expectedMp3Bytes > 0)
        encoded = std::min(0.99, double(entry.work->encoder->BytesWritten()) /
                                     double(entry.work->expectedMp3Bytes));
    return InWork{nextToFinish_, encoded};
}

void RunScheduler::CollectInto(AutomationResult& result) const {
    result.problems.insert(result.problems.end(), problems_.begin(), problems_.end());
    // Every file the stop kept from its movie, those under way included.
    for (size_t index = nextToFinish_; index < files_.size(); ++index)
        result.problems.push_back({project_.Files[index].File, FileFailure{Cause::Stopped, {}}});
    result.notes.insert(result.notes.end(), notes_.begin(), notes_.end());
    result.filesHandled += filesHandled_;
}

void RunScheduler::Advance() {
    // A file started just now may be ready for its movie: then once more, while the time allows.
    const auto until = std::chrono::steady_clock::now() + kLongestAdvance;
    do {
        HandReadyFiles();
    } while (StartFiles(until));
    if (!stopped_ && std::chrono::steady_clock::now() >= until) {
        if (!std::exchange(advanceLater_, true))
            QTimer::singleShot(0, &context_, [this] {
                advanceLater_ = false;
                Advance();
            });
        return;
    }
    if (Over() && !overTold_) {
        overTold_ = true;
        setup_.over();
    }
}

bool RunScheduler::Over() const {
    return BusyEncoders() == 0 && (nextToFinish_ == files_.size() || stopped_);
}

// Starts files in list order while an encoder is free. With one encoder a file starts only once
// the one before it has gone to its movie: one encode at a time. With more, files run ahead of the
// one whose turn it is, though not without bound: the MP3s of finished encodes wait on disk for
// their turn. True when a file it started is ready at once. Starts none once until has passed.
bool RunScheduler::StartFiles(std::chrono::steady_clock::time_point until) {
    bool readyAtOnce = false;
    const size_t encoderCount = encoders_.size();
    const size_t aheadLimit = encoderCount == 1 ? 1 : kFilesAheadPerEncoder * encoderCount;
    while (
        (!startAgain_.empty() || (nextToStart_ < files_.size() && nextToStart_ - nextToHand_ < aheadLimit)) &&
        !stopped_ && std::chrono::steady_clock::now() < until) {
        Encoder* free = FreeEncoder();
        if (!free)
            return readyAtOnce;
        size_t index = 0;
        if (!startAgain_.empty()) {
            index = startAgain_.front();
            startAgain_.pop_front();
        } else {
            index = nextToStart_++;
        }
        StartFile(index, *free);
        // Put back until an encoder ends: the files after it wait too.
        if (files_[index].state == FileState::Waiting)
            return readyAtOnce;
        // Ready at once (an MP3 input, a file skipped, an encoder that did not start): it may go
        // to its movie straight away.
        if (files_[index].state == FileState::Ready)
            readyAtOnce = true;
    }
    return readyAtOnce;
}

// A free encoder, while fewer than the encoders that could be started are busy.
RunScheduler::Encoder* RunScheduler::FreeEncoder() {
    if (BusyEncoders() >= usableEncoders_)
        return nullptr;
    for (Encoder& encoder : encoders_)
        if (!encoder.busy)
            return &encoder;
    return nullptr;
}

size_t RunScheduler::BusyEncoders() const {
    return size_t(std::count_if(encoders_.begin(), encoders_.end(), [](const Encoder& e) { return e.busy; }));
}

// An encoder that could not start for want of descriptors or processes while others run: the file
// goes back to be started again once one of them has ended, and no more encoders than run now are
// used from here on. False when none runs: the file fails then.
bool RunScheduler::StartLater(size_t index, EncoderRunner::Outcome outcome, const EncoderRunner& runner) {
    if (outcome != EncoderRunner::Outcome::NotStarted || !runner.MayStartLater() || BusyEncoders() == 0)
        return false;
    FileEntry& entry = files_[index];
    FileWork& file = *entry.work;
    if (entry.intermediate)
        entry.intermediate->Remove();
    entry.intermediate.reset();
    namesGiven_.erase(file.mp3Path);
    file.mp3Path.clear();
    file.encodedPath.clear();
    entry.state = FileState::Waiting;
    startAgain_.push_back(index);
    usableEncoders_ = BusyEncoders();
    return true;
}

// Checks an input, works out the movie's frame count from a non-MP3 input and starts its encoder.
// An MP3 input is measured from the bytes its movie is built from, when it finishes. A failure
// here skips the file: a line with its input's path, no progress.
void RunScheduler::StartFile(size_t index, Encoder& encoder) {
    FileEntry& entry = files_[index];
    if (!entry.work)
        entry.work = std::make_shared<FileWork>();
    FileWork& file = *entry.work;
    const std::string& input = project_.Files[index].File;
    entry.state = FileState::Ready;
    try {
        // Only a regular file we may read goes further; the sound readers open it too.
        const bool mp3 = IsMp3Name(input);
        int rate = 0;
        file.failure = UnreadableInput(input, [&](int fd) {
            if (mp3)
                rate = FirstFrameSampleRate(fd);
        });
        if (file.failure)
            return;
        if (mp3) {
            // At a rate the movie's sound header has no code for (16, 32, 48 kHz) it is encoded
            // anew, at a rate it has; at the others it is used as it is. What it holds is measured
            // with its movie, on the worker.
            if (rate == 0 || SwfSoundRateCode(rate) >= 0) {
                file.mp3Path = input;
                return;
            }
            file.mp3Input = true;
            file.inputRate = rate;
            StartEncoder(index, encoder);
            return;
        }
        During({Cause::LengthUnreadable, {}}, [&] {
            SoundFormat format;
            file.lengthMs = SndfileLengthMs(input, &format);
            file.format = format;
            // A WAV cut short is converted as far as it goes, and said to be so.
            int32_t heldMs = 0;
            int32_t promisedMs = 0;
            if (WavHoldsLessThanItsHeader(input, heldMs, promisedMs))
                file.AddNote(MessageBytes(
                    QCoreApplication::translate("RunScheduler",
                                                "the input holds less than its header says (%1 s of %2 s)"),
                    {Seconds(heldMs, 2), Seconds(promisedMs, 2)}));
        });
        file.frames = FramesFor(file, file.lengthMs, project_);
        StartEncoder(index, encoder);
    } catch (const StepFailed& failed) {
        file.skipEnding = failed.ending;
        file.failure = failed.failure;
        if (entry.intermediate)
            entry.intermediate->Remove();
    } catch (...) {
        file.skipEnding = EndingOfFailure();
        file.failure = FileFailure{Cause::Unexpected, {}};
        if (entry.intermediate)
            entry.intermediate->Remove();
    }
}

// Claims the intermediate MP3 and starts the encoder on it. The encoder writes a file of its own,
// never given out twice, so two encoders never share one; the names the report gives them are
// given out in list order, so a run with one encoder names them the same.
void RunScheduler::StartEncoder(size_t index, Encoder& encoder) {
    FileEntry& entry = files_[index];
    FileWork& file = *entry.work;
    const std::string& input = project_.Files[index].File;
    const EncoderOptions& options = setup_.encoder;
    EncoderRunner& runner = *encoder.runner;
    const EncoderRunner::Outcome started = During({Cause::NoOutputMode, options.modeName}, [&] {
        if (!options.found)
            throw OutputModeNotFoundError(options.modeName);
        entry.intermediate = std::make_unique<IntermediateFile>();
        const auto taken = [this](const std::string& name) {
            return outputs_.IsListed(name) || namesGiven_.count(name) != 0;
        };
        if (!setup_.encoderProgram.isEmpty()) {
            file.mp3Path = ClaimIntermediate(input, taken, privateFolder_, *entry.intermediate);
        } else {
            file.mp3Path = IntermediateMp3PathFor(input, taken);
            entry.intermediate->Use(file.mp3Path);
        }
        file.encodedPath = entry.intermediate->Path();
        namesGiven_.insert(file.mp3Path);
        return runner.Start(
            input, file.encodedPath, options.arguments,
            [this, index, &encoder](EncoderRunner::Outcome outcome) {
                encoder.busy = false;
                if (!StartLater(index, outcome, *encoder.runner))
                    FileEncoded(files_[index], outcome, *encoder.runner);
                Advance();
            },
            file.format ? &*file.format : nullptr);
    });
    if (started == EncoderRunner::Outcome::Running) {
        encoder.busy = true;
        entry.state = FileState::Encoding;
        file.encoder = &runner;
        file.expectedMp3Bytes = int64_t{file.lengthMs} * options.bitrateKbps / 8;
        return;
    }
    if (StartLater(index, started, runner))
        return;
    FileEncoded(entry, started, runner);
}

// An encoder has ended (or never started): the file is ready for its movie step.
void RunScheduler::FileEncoded(FileEntry& entry, EncoderRunner::Outcome outcome,
                               const EncoderRunner& runner) {
    FileWork& file = *entry.work;
    const std::string& problem = runner.Problem();
    file.encoderSaid = runner.ErrorOutput();
    entry.state = FileState::Ready;
    // Stopped, or ended some other way while the run was stopping: its MP3 may be unfinished, and
    // goes with its IntermediateFile when the run ends.
    if (outcome == EncoderRunner::Outcome::Stopped || stopped_) {
        file.encodeFailure = FileFailure{Cause::Stopped, {}};
        return;
    }
    if (outcome == EncoderRunner::Outcome::Failed)
        file.encodeFailure = FileFailure{Cause::Encoder, problem};
    if (outcome != EncoderRunner::Outcome::NotStarted)
        file.whyNoMp3 = FileFailure{Cause::Encoder, MessageBytes(QCoreApplication::translate(
                                                        "RunScheduler", "the encoder made no MP3 file"))};
    else if (!problem.empty())
        file.whyNoMp3 = FileFailure{Cause::Encoder, problem};
    // An encoder that made nothing leaves no MP3, as if the name had never been claimed.
    entry.intermediate->RemoveIfEmpty();
}

// Hands the worker, in list order, every file whose turn has come and which is ready, while it
// has few enough ahead of it.
void RunScheduler::HandReadyFiles() {
    while (!stopped_ && nextToHand_ < files_.size() && files_[nextToHand_].state == FileState::Ready &&
           worker_.Outstanding() < kMoviesAhead) {
        const size_t index = nextToHand_++;
        FileEntry& entry = files_[index];
        entry.state = FileState::Handed;
        worker_.Post([this, index, work = entry.work, project = setup_.project,
                      outputs = setup_.outputs](StopRequest& stop) -> std::function<void()> {
            MovieStep(*project, *outputs, index, *work, stop).Run();
            return [this, index, work] { FileFinished(index, *work); };
        });
    }
}

// A file's movie step is over: its report line, its outcome, and what it held goes.
void RunScheduler::FileFinished(size_t index, FileWork& file) {
    FileEntry& entry = files_[index];
    const std::string& input = project_.Files[index].File;
    nextToFinish_ = index + 1;
    for (const std::string& line : file.lines)
        setup_.reportLine(line);
    FileOutcome outcome;
    outcome.input = input;
    outcome.handled = file.handled;
    outcome.movieMade = !file.failure;
    if (file.failure) {
        outcome.failure = *file.failure;
        problems_.push_back({input, *file.failure});
    } else {
        for (const std::string* note : {&file.movieNote, &file.note})
            if (!note->empty()) {
                outcome.notes.push_back(*note);
                notes_.push_back({input, *note});
            }
    }
    if (file.handled)
        ++filesHandled_;
    setup_.fileFinished(index, outcome);
    // Its intermediate MP3 stays for whoever listens until now.
    entry.intermediate.reset();
    entry.work.reset();
    entry.state = FileState::Finished;
    Advance();
}

// The movie and its report line.
void RunScheduler::MovieStep::FinishFile() {
    try {
        // Never over a movie of this run, nor over an input.
        const RunOutputs::Target target = outputs_.MovieFor(index_);
        file_.movieNote = target.note;
        if (target.overInput) {
            file_.lines.push_back((file_.mp3Path.empty() ? input_ : file_.mp3Path) +
                                  ":Unable to Write Output File.");
            file_.failure = FileFailure{Cause::MovieOverInput, target.path};
        } else if (file_.encodedPath.empty()) {
            BuildFromMp3Input(target.path);
        } else if (file_.encodeFailure) {
            // An encoder that crashed, was killed or gave up left an unfinished MP3, which would
            // give a movie cut short: no movie then.
            file_.lines.push_back(file_.mp3Path + ":Unable to Encode.");
            file_.failure = file_.encodeFailure;
        } else {
            BuildFromEncodedMp3(target.path);
        }
        if (!file_.failure) {
            outputs_.MovieMade(target.path, index_);
            file_.AddNote(FramesNote(file_.frames, file_.soundMs, SoundMovieOptionsOf(project_)));
        }
        file_.handled = true;
        return;
    } catch (const StepFailed& failed) {
        if (file_.lines.empty())
            file_.lines.push_back((file_.mp3Path.empty() ? input_ : file_.mp3Path) + failed.ending);
        file_.failure = failed.failure;
    } catch (...) {
        // No progress. A line the builder added before it failed stays in the report; a file that
        // got none gets one.
        if (file_.lines.empty())
            file_.lines.push_back((file_.mp3Path.empty() ? input_ : file_.mp3Path) + EndingOfFailure());
        file_.failure = FileFailure{Cause::Unexpected, {}};
    }
}

// An MP3 input encoded anew must come out holding what the encoder decodes of it: its frames less
// the delay and padding its tag notes, less the decoder's own delay where it notes none, and one
// frame. The movie's frames follow the input's own length, whatever the new MP3's. One that cannot
// be measured (too large for a movie, say) gives no movie and no progress, as a file skipped does.
void RunScheduler::MovieStep::MeasureMp3Input() {
    SoundBlock mp3;
    int32_t frameMs = 0;
    const bool measured = During({Cause::LengthUnreadable, {}}, [&] {
        return mp3.Read(input_, {}, &stop_) && (file_.lengthMs = Mp3HeldMs(mp3, &frameMs)) >= 0;
    });
    GiveUpIfStopped();
    if (!measured) {
        file_.lines.push_back(input_ + ":Unexpected File Format.");
        throw StepFailed{":Unexpected File Format.", {Cause::LengthUnreadable, mp3.Problem()}};
    }
    const int rate = file_.inputRate;
    file_.slackMs = frameMs + (kMp3DecoderDelay * 1000 + rate - 1) / rate;
    file_.frames = FramesFor(file_, MeasuredMp3Length(file_, mp3, input_), project_);
}

// The encoder's MP3 must hold the whole input: a full disk, say, can leave it cut short while the
// encoder still ends well. Allowed: one MP3 frame less, and the rounding to milliseconds.
void RunScheduler::MovieStep::BuildFromEncodedMp3(const std::string& moviePath) {
    if (file_.mp3Input)
        MeasureMp3Input();
    const FileFailure notWritten{Cause::MovieNotWritten, {}};
    const SoundMovieOptions options = SoundMovieOptionsOf(project_);
    SoundMovieFile movieFile(moviePath, &stop_);
    SoundBlock mp3;
    std::string diagnostic;
    const bool read = During(
        notWritten, [&] { return mp3.Read(file_.encodedPath, movieFile.PlaceSound(options), &stop_); });
    GiveUpIfStopped();
    if (!read) {
        file_.lines.push_back(file_.mp3Path + ":File Not Found.");
        file_.failure = file_.whyNoMp3 ? file_.whyNoMp3 : FailureOf(MovieOutcome::NoMp3);
        return;
    }
    int32_t frameMs = 0;
    const int32_t heldMs = During(notWritten, [&] { return Mp3HeldMs(mp3, &frameMs); });
    if (heldMs >= 0 && heldMs + frameMs + file_.slackMs + 1 < file_.lengthMs) {
        file_.lines.push_back(file_.mp3Path + ":Encoded Sound Incomplete.");
        std::string held =
            MessageBytes(QCoreApplication::translate("RunScheduler", "the encoded MP3 holds %1 s of %2 s"),
                         {Seconds(heldMs, 3), Seconds(file_.lengthMs, 3)});
        if (!file_.encoderSaid.empty())
            held += ": " + file_.encoderSaid;
        file_.failure = FileFailure{Cause::EncodedIncomplete, held};
        return;
    }
    // With exact timing the frames follow the sound's exact length, found from the new MP3.
    if (options.exactTiming) {
        const int32_t exactMs = During({Cause::LengthUnreadable, {}}, [&] { return ExactSoundMs(mp3); });
        file_.frames = FramesFor(file_, exactMs, project_);
    }
    const MovieOutcome outcome = During(notWritten, [&] {
        return BuildSoundMovie(file_.mp3Path, std::move(mp3), movieFile, file_.lines, file_.frames, options,
                               &diagnostic);
    });
    file_.failure = FailureOf(outcome, diagnostic);
}

// An MP3 input is read once: its length is measured from the bytes the movie then holds.
void RunScheduler::MovieStep::BuildFromMp3Input(const std::string& moviePath) {
    const FileFailure lengthUnreadable{Cause::LengthUnreadable, {}};
    const SoundMovieOptions options = SoundMovieOptionsOf(project_);
    SoundMovieFile movieFile(moviePath, &stop_);
    SoundBlock mp3;
    const bool read =
        During(lengthUnreadable, [&] { return mp3.Read(input_, movieFile.PlaceSound(options), &stop_); });
    GiveUpIfStopped();
    if (!read) {
        file_.lines.push_back(input_ + ":File Not Found.");
        throw StepFailed{":Unexpected File Format.", lengthUnreadable};
    }
    // A file the movie's reader refuses (too large, no MP3...) is not measured: the builder says
    // why it refuses it.
    const bool measurable = During(lengthUnreadable, [&] {
        return mp3.Problem().empty() && mp3.Survey().result == MP3ReadResult::Ok &&
               SwfSoundRateCode(mp3.Survey().format.sampleRate) >= 0;
    });
    if (measurable) {
        // A damaged MP3 gets its note also when its frames follow its exact sound.
        const int32_t measuredMs = MeasuredMp3Length(file_, mp3, input_);
        file_.frames = FramesFor(
            file_,
            options.exactTiming ? During(lengthUnreadable, [&] { return ExactSoundMs(mp3); }) : measuredMs,
            project_);
    }
    std::string diagnostic;
    const MovieOutcome outcome = During({Cause::MovieNotWritten, {}}, [&] {
        return BuildSoundMovie(input_, std::move(mp3), movieFile, file_.lines, file_.frames, options,
                               &diagnostic);
    });
    file_.failure = FailureOf(outcome, diagnostic);
}

// The playing time of an MP3 input; a damaged one gets a note.
int32_t RunScheduler::MeasuredMp3Length(FileWork& file, const SoundBlock& mp3, const std::string& input) {
    const Mp3Length length = During({Cause::LengthUnreadable, {}}, [&] { return MeasureMp3(mp3, input); });
    file.AddNote(DamageNote(length));
    return length.ms;
}

// The movie's frame count for a sound of soundMs, which its note, if it needs one, tells of.
int32_t RunScheduler::FramesFor(FileWork& file, int32_t soundMs, const PSoundProject& project) {
    file.soundMs = soundMs;
    return During({Cause::FrameCountUnknown, {}},
                  [&] { return MovieFrameCount(soundMs, SoundMovieOptionsOf(project)); });
}
