// The automation run: a project's input list becomes movies and a run report.
#include "AutomationRun.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>

#include "Descriptors.h"
#include "NativeText.h"
#include "ReplaceFile.h"
#include "RunOutputs.h"
#include "SoundLength.h"
#include "SoundMovieBuilder.h"

const char* const kNoInputFilesMessage = "Please select at least one Wave Data file to convert!";
const char* const kNoOutputFolderMessage = "Please select an output folder!";
const char* const kOutputFolderFailedMessage = "Unable to create the output directory.Operation Aborted";
const char* const kEncoderMissingMessage =
    "The MP3 encoder 'lame' was not found in the search path (PATH). Files that are not MP3 files "
    "cannot be encoded in this run and are reported as not found; MP3 files are converted as usual. "
    "Install the 'lame' package to convert the others.";

namespace {

// Paths are bytes: every file-system call below takes them as they are.

// A file or a link (even a dangling one) is there: the name is not ours to take.
bool PathIsTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Why an input cannot be measured, or an empty text when it is a regular file we may read. Nothing
// here waits: a FIFO, device or socket is never opened, and the open is non-blocking for the case
// that one took the file's place meanwhile.
std::string UnreadableInputProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "file not found" : "the file could not be read";
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return "the file could not be read";
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular ? std::string() : "not a regular file";
}

constexpr const char* kMovieNotWritten = "the movie could not be written";

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

// Why a movie's outcome is no movie, or an empty text for a movie made.
std::string ProblemOf(MovieOutcome outcome) {
    switch (outcome) {
    case MovieOutcome::Written:
        return {};
    case MovieOutcome::NoMp3:
        return "file not found";
    case MovieOutcome::UnexpectedFormat:
        return "unexpected file format";
    case MovieOutcome::TooLong:
        return "the sound is too long for one movie";
    case MovieOutcome::NotWritten:
        break;
    }
    return kMovieNotWritten;
}

// A problem with the reader's or the encoder's own words behind it, when there are any.
std::string WithDetail(std::string problem, const std::string& detail) {
    return detail.empty() ? problem : problem + ": " + detail;
}

// Seconds with the given number of decimals: 2795 ms, 3 -> "2.795".
std::string Seconds(int32_t ms, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, ms / 1000.0);
    return text;
}

// The presets as this project encodes them. An editable preset ("Custom...") stands for the values
// the user chose and saw, which the project holds (the window copies its boxes into it before a
// run): those are encoded, with the preset's option letters. Fixed presets keep their own values.
std::vector<PMP3Converter> ModesForProject(std::vector<PMP3Converter> modes, const std::string& selected,
                                           const PSoundProject& project) {
    PMP3Converter* mode = FindOutputMode(modes, selected);
    if (!mode || !mode->enabled)
        return modes;
    const std::string* shown[] = {&project.Quality, &project.Mode, &project.Bitrate};
    for (size_t i = 0; i < mode->params.size() && i < 3; ++i) {
        if (!shown[i]->empty())
            mode->params[i].value = *shown[i];
    }
    return modes;
}

// A folder of the run's own for the intermediate MP3s whose input's folder takes no new file;
// made when first needed, removed with whatever is left in it when the run ends, however it ends.
class PrivateFolder {
public:
    PrivateFolder() = default;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder() {
        if (path_.empty())
            return;
        if (DIR* folder = ::opendir(path_.c_str())) {
            while (const dirent* entry = ::readdir(folder)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..")
                    ::unlink((path_ + "/" + name).c_str());
            }
            ::closedir(folder);
        }
        ::rmdir(path_.c_str());
    }

    // The folder's path, or an empty text when it cannot be made.
    const std::string& Path() {
        if (path_.empty() && !failed_) {
            const char* base = std::getenv("TMPDIR");
            std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavrel-XXXXXX";
            if (::mkdtemp(pattern.data()))
                path_ = pattern;
            else
                failed_ = true;
        }
        return path_;
    }

private:
    std::string path_;
    bool failed_ = false;
};

// Deletes the intermediate MP3 the run made for one file when that file's work ends, however it ends.
class IntermediateFile {
public:
    IntermediateFile() = default;
    IntermediateFile(const IntermediateFile&) = delete;
    IntermediateFile& operator=(const IntermediateFile&) = delete;
    ~IntermediateFile() { Remove(); }

    // Claims a name that is free by creating the file, empty and exclusively, so that nobody else
    // takes it meanwhile and nothing that was there is ever replaced. False (errno set) when not.
    bool Claim(const std::string& path) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return false;
        ::close(fd);
        path_ = path;
        claimed_ = true;
        return true;
    }
    // Takes a name without creating the file: the encoder makes it, if anything does.
    void Use(const std::string& path) {
        path_ = path;
        claimed_ = false;
    }
    void RemoveIfEmpty() {
        struct stat info {};
        if (!path_.empty() && ::stat(path_.c_str(), &info) == 0 && info.st_size == 0)
            Remove();
    }
    void Remove() {
        // An unclaimed name was free when chosen, so whatever is there now the encoder made.
        if (!path_.empty() && (claimed_ || PathIsTaken(path_)))
            ::unlink(path_.c_str());
        path_.clear();
        claimed_ = false;
    }

private:
    std::string path_;
    bool claimed_ = false;
};

// Claims the intermediate MP3 of input: beside it, or, when its folder takes no new file (read-only,
// not ours), in the run's private folder. Returns the path claimed; when nothing can be claimed,
// the name beside the input, unclaimed, and the encoder's failure tells the rest. Names found
// taken meanwhile join avoid.
std::string ClaimIntermediate(const std::string& input, std::set<std::string>& avoid,
                              PrivateFolder& privateFolder, IntermediateFile& intermediate) {
    const auto claimFor = [&](const std::string& nameSource, std::string& path) {
        for (;;) {
            path = IntermediateMp3PathFor(nameSource, avoid);
            if (intermediate.Claim(path))
                return true;
            if (errno != EEXIST) // taken meanwhile: try the next name; anything else ends it here
                return false;
            avoid.insert(path);
        }
    };
    std::string beside;
    if (claimFor(input, beside))
        return beside;
    std::string inPrivateFolder;
    const std::string& folder = privateFolder.Path();
    if (!folder.empty() && claimFor(folder + "/" + FinalPathComponent(input), inPrivateFolder))
        return inPrivateFolder;
    intermediate.Use(beside);
    return beside;
}

} // namespace

std::string FinalPathComponent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ChangeExtension(const std::string& path, const std::string& extension) {
    const auto slash = path.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::string MoviePathFor(const std::string& outputFolder, const std::string& inputPath) {
    std::string path = outputFolder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + ChangeExtension(FinalPathComponent(inputPath), ".swf");
}

std::string ReportPathFor(const std::string& outputFolder, const std::string& projectName) {
    return outputFolder + ChangeExtension(FinalPathComponent(projectName), ".txt");
}

bool IsOwnMp3(const std::string& inputPath) {
    const std::string name = FinalPathComponent(inputPath);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    return QString::fromLatin1(name.substr(dot).c_str())
               .compare(QLatin1String(".mp3"), Qt::CaseInsensitive) == 0;
}

std::string IntermediateMp3PathFor(const std::string& inputPath, const std::set<std::string>& avoid) {
    const std::string plain = ChangeExtension(inputPath, ".mp3");
    const std::string stem = plain.substr(0, plain.size() - 4);
    std::string candidate = plain;
    for (int n = 1; PathIsTaken(candidate) || avoid.count(candidate) != 0; ++n)
        candidate = stem + "." + std::to_string(n) + ".mp3";
    return candidate;
}

bool WriteRunReport(const std::string& path, const std::vector<std::string>& lines) {
    // Whole or not at all: a report cut short by a full disk would pass for a shorter run.
    std::string text;
    for (const std::string& line : lines)
        text += EscapeControlCharacters(line) + "\r\n";
    return ReplaceFileContent(path, text);
}

// The files of one run on their way to movies. Up to `encoderCount` encoders run at once, each a
// child process watched from the event loop, so this thread stays free for the window and for
// building movies. Files start in list order, whenever an encoder is free, and finish in list
// order: a movie is built, its report line taken and the progress moved on only once every file
// before it has finished. So the movies (the sound's definition id depends on the movies built
// before it), the report and the progress are the same whatever the number of encoders, and
// so is the name the later of two inputs with the same movie name gets (RunOutputs).
class AutomationRun::Batch {
public:
    Batch(AutomationRun& run, PSoundProject& project, const std::vector<PMP3Converter>& outputModes,
          RunHost& host, bool encoderFound, RunOutputs& outputs)
        : run_(run), project_(project), outputModes_(outputModes), host_(host), encoderFound_(encoderFound),
          outputs_(outputs) {
        // The list is copied: whatever the window does while events are handled, the run goes
        // through the files it started with.
        for (const PSoundFile& file : project.Files) {
            files_.emplace_back();
            files_.back().input = file.File;
            namesTaken_.insert(file.File);
        }
        const size_t encoderCount =
            std::min<size_t>(std::max(run.encoderCount_, 1), std::max<size_t>(files_.size(), 1));
        const size_t allowed = std::min(encoderCount, EncodersDescriptorsAllow());
        // The encoder's rate choices are found once per run, whichever encoder meets them first.
        const auto rateChoices = std::make_shared<EncoderRateChoices>();
        for (size_t i = 0; i < allowed; ++i) {
            encoders_.push_back({std::make_unique<EncoderRunner>(run.encoderProgram_), false});
            encoders_.back().runner->ShareRateChoices(rateChoices);
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Runs the event loop until every file has finished or the run has been stopped and its
    // encoders have ended.
    void ConvertFiles() {
        QEventLoop loop;
        loop_ = &loop;
        // The stop request of the headless host (a signal) is asked for a few times a second.
        QTimer stopPoll;
        QObject::connect(&stopPoll, &QTimer::timeout, &loop, [this] {
            if (run_.ShouldStop(host_)) {
                StopEncoders();
                Advance();
            }
        });
        stopPoll.start(kStopPollIntervalMs);
        Advance();
        if (!Over())
            loop.exec();
        // The loop also ends when the application quits: what is unfinished then counts as stopped,
        // and the encoders still running end with their runners.
        if (!Over())
            run_.stopRequested_ = true;
        loop_ = nullptr;
    }

    // Ends every running encoder; each reports back as stopped.
    void StopEncoders() {
        for (Encoder& encoder : encoders_)
            encoder.runner->Stop();
    }

    bool Stopped() const { return nextToFinish_ < files_.size(); }

    // How many encoders the descriptors left allow, the run's own files kept aside; one at least.
    static size_t EncodersDescriptorsAllow() {
        const int spare = FreeDescriptors() - kDescriptorsKeptForTheRun;
        return std::max(1, spare / kDescriptorsPerEncoder);
    }

    // The report lines, the problems and the count of files handled, all in list order.
    void CollectInto(AutomationResult& result) const {
        for (const FileWork& file : files_) {
            result.reportLines.insert(result.reportLines.end(), file.lines.begin(), file.lines.end());
            if (file.finished && !file.problem.empty())
                result.problems.push_back({file.input, file.problem});
            if (file.finished && file.problem.empty() && !file.movieNote.empty())
                result.notes.push_back({file.input, file.movieNote});
            if (file.finished && file.problem.empty() && !file.note.empty())
                result.notes.push_back({file.input, file.note});
            // Every file the stop kept from its movie, those under way included.
            if (!file.finished)
                result.problems.push_back({file.input, "stopped"});
            if (file.handled)
                ++result.filesHandled;
        }
    }

private:
    static constexpr int kStopPollIntervalMs = 50;
    static constexpr size_t kFilesAheadPerEncoder = 8;
    // Reading an input, writing a movie and the report, a box or two: what the run itself opens.
    static constexpr int kDescriptorsKeptForTheRun = 16;

    enum class State {
        Waiting,  // not started
        Encoding, // its encoder runs
        Ready,    // ready for its movie, or skipped; finishes when the files before it have
    };

    // One input's way through the run.
    struct FileWork {
        std::string input;
        State state = State::Waiting;
        bool skipped = false;  // failed before its movie step: finishes with a line, no progress
        bool finished = false; // its turn in list order has come and gone
        bool handled = false;  // its work completed (a report line, the progress moved on)
        int32_t frames = 0;    // for a non-MP3 input, worked out from the input before encoding
        int32_t lengthMs = 0;  // the same input's length, which its MP3 must hold
        int32_t slackMs = 0;   // how much less than lengthMs the MP3 may hold, beyond one of its frames
        bool mp3Input = false; // an MP3 input encoded anew: its frames are counted from the new MP3
        std::string mp3Path;
        std::string whyNoMp3; // what a builder that finds no MP3 stands for
        bool encodeFailed = false;
        std::string encodeProblem;
        std::string encoderSaid; // the last lines of the encoder's standard error
        std::unique_ptr<IntermediateFile> intermediate;
        std::vector<std::string> lines; // the report lines of this file
        std::string problem;            // why it gave no movie; empty when it gave one
        std::string movieNote;          // where its movie went, when not under the usual name
        // The ending of its line when it was skipped.
        const char* skipEnding = ":File Not Found.";
        std::string note; // what to say of a movie made all the same
    };

    struct Encoder {
        std::unique_ptr<EncoderRunner> runner;
        bool busy;
    };

    // Does what can be done now: finishes the files whose turn has come, then starts files while
    // encoders are free, and so on while that makes files ready. Re-entered through the events
    // handled while a file finishes, it only notes that there is more to do, and the outer call
    // goes round once more.
    void Advance() {
        if (advancing_) {
            advanceAgain_ = true;
            return;
        }
        advancing_ = true;
        do {
            advanceAgain_ = false;
            FinishReadyFiles();
            StartFiles();
        } while (advanceAgain_);
        advancing_ = false;
        if (Over() && loop_)
            loop_->quit();
    }

    bool Over() const {
        const bool encoding =
            std::any_of(encoders_.begin(), encoders_.end(), [](const Encoder& e) { return e.busy; });
        return !encoding && (nextToFinish_ == files_.size() || run_.stopRequested_);
    }

    // Starts files in list order while an encoder is free. With one encoder a file starts only
    // once the one before it has finished: one file at a time, as users know it. With more, files
    // run ahead of the one whose turn it is, though not without bound: the MP3s of finished
    // encodes wait on disk for their turn.
    void StartFiles() {
        const size_t encoderCount = encoders_.size();
        const size_t aheadLimit = encoderCount == 1 ? 1 : kFilesAheadPerEncoder * encoderCount;
        while ((!startAgain_.empty() ||
                (nextToStart_ < files_.size() && nextToStart_ - nextToFinish_ < aheadLimit)) &&
               !run_.ShouldStop(host_)) {
            Encoder* free = FreeEncoder();
            if (!free)
                return;
            size_t index = 0;
            if (!startAgain_.empty()) {
                index = startAgain_.front();
                startAgain_.pop_front();
            } else {
                index = nextToStart_++;
            }
            StartFile(index, *free);
            // Put back until an encoder ends: the files after it wait too.
            if (files_[index].state == State::Waiting)
                return;
            // Ready at once (an MP3 input, a file skipped, an encoder that did not start): it
            // may be finished straight away.
            if (files_[index].state == State::Ready)
                advanceAgain_ = true;
        }
    }

    // A free encoder, while fewer than the encoders that could be started are busy.
    Encoder* FreeEncoder() {
        if (BusyEncoders() >= usableEncoders_)
            return nullptr;
        for (Encoder& encoder : encoders_)
            if (!encoder.busy)
                return &encoder;
        return nullptr;
    }

    size_t BusyEncoders() const {
        return size_t(
            std::count_if(encoders_.begin(), encoders_.end(), [](const Encoder& e) { return e.busy; }));
    }

    // An encoder that could not start for want of descriptors or processes while others run:
    // the file goes back to be started again once one of them has ended, and no more encoders
    // than run now are used from here on. False when none runs: the file fails then.
    bool StartLater(size_t index, EncoderRunner::Outcome outcome, const EncoderRunner& runner) {
        if (outcome != EncoderRunner::Outcome::NotStarted || !runner.MayStartLater() || BusyEncoders() == 0)
            return false;
        FileWork& file = files_[index];
        if (file.intermediate)
            file.intermediate->Remove();
        file.intermediate.reset();
        namesTaken_.erase(file.mp3Path);
        file.mp3Path.clear();
        file.state = State::Waiting;
        startAgain_.push_back(index);
        usableEncoders_ = BusyEncoders();
        return true;
    }

    // Checks an input, works out the movie's frame count from a non-MP3 input and starts its
    // encoder. An MP3 input is measured from the bytes its movie is built from, when it finishes.
    // A failure here skips the file: a line with its input's path, no progress.
    void StartFile(size_t index, Encoder& encoder) {
        FileWork& file = files_[index];
        file.state = State::Ready;
        std::string reasonIfThrown; // what the step under way failed at, should it throw
        try {
            // Only a regular file we may read goes further; the sound readers open it too.
            file.problem = UnreadableInputProblem(file.input);
            if (!file.problem.empty()) {
                file.skipped = true;
                return;
            }
            if (IsOwnMp3(file.input)) {
                // At a rate the movie's sound header has no code for (16, 32, 48 kHz) it is encoded
                // anew, at a rate it has; at the others it is used as it is.
                const int rate = FirstFrameSampleRate(file.input);
                if (rate == 0 || SwfSoundRateCode(rate) >= 0) {
                    file.mp3Path = file.input;
                    return;
                }
                // Its new MP3 must hold what the encoder decodes of it: its frames less the delay
                // and padding its tag notes, less the decoder's own delay where it notes none, and
                // one frame. The movie's frames are counted from the new MP3.
                reasonIfThrown = "the sound length could not be read";
                SoundBlock mp3;
                int32_t frameMs = 0;
                const bool read = mp3.Read(file.input);
                if (!mp3.Problem().empty()) // too large for a movie, or for the memory there is
                    reasonIfThrown = mp3.Problem();
                if (!read || (file.lengthMs = Mp3HeldMs(mp3, &frameMs)) < 0)
                    throw SoundLengthError("Unable to measure " + file.input);
                constexpr int32_t kDecoderDelay = 529; // samples
                file.slackMs = frameMs + (kDecoderDelay * 1000 + rate - 1) / rate;
                file.mp3Input = true;
                StartEncoder(index, encoder, reasonIfThrown);
                return;
            }
            reasonIfThrown = "the sound length could not be read";
            file.lengthMs = SoundLengthMs(file.input);
            // A WAV cut short is converted as far as it goes, and said to be so.
            int32_t heldMs = 0;
            int32_t promisedMs = 0;
            if (WavHoldsLessThanItsHeader(file.input, heldMs, promisedMs))
                file.note = "the input holds less than its header says (" + Seconds(heldMs, 2) + " s of " +
                            Seconds(promisedMs, 2) + " s)";
            reasonIfThrown = "the frame count could not be worked out";
            file.frames = SoundFrameCount(file.lengthMs, project_.FramePerSeconds, project_.FrameTuner);
            StartEncoder(index, encoder, reasonIfThrown);
        } catch (...) {
            file.skipped = true;
            file.skipEnding = EndingOfFailure();
            file.problem = reasonIfThrown.empty() ? "an unexpected failure" : reasonIfThrown;
            if (file.intermediate)
                file.intermediate->Remove();
        }
    }

    // Claims the intermediate MP3's name and starts the encoder on it. Names are claimed by
    // creating the file before the encoder starts, and never given out twice in a run, so two
    // encoders never share one, and a run with one encoder names them the same.
    void StartEncoder(size_t index, Encoder& encoder, std::string& reasonIfThrown) {
        FileWork& file = files_[index];
        const std::string modeName = host_.SelectedOutputModeName();
        reasonIfThrown = modeName.empty() ? std::string("no output mode is defined")
                                          : "no output mode is named \"" + modeName + "\"";
        const std::vector<PMP3Converter> modes = ModesForProject(outputModes_, modeName, project_);
        if (!FindOutputMode(modes, modeName))
            throw OutputModeNotFoundError(reasonIfThrown);

        file.intermediate = std::make_unique<IntermediateFile>();
        if (encoderFound_) {
            file.mp3Path = ClaimIntermediate(file.input, namesTaken_, privateFolder_, *file.intermediate);
        } else {
            file.mp3Path = IntermediateMp3PathFor(file.input, namesTaken_);
            file.intermediate->Use(file.mp3Path);
        }
        namesTaken_.insert(file.mp3Path);

        EncoderRunner& runner = *encoder.runner;
        const EncoderRunner::Outcome started =
            runner.Start(file.input, file.mp3Path, modes, modeName,
                         [this, index, &encoder](EncoderRunner::Outcome outcome) {
                             encoder.busy = false;
                             if (!StartLater(index, outcome, *encoder.runner))
                                 FileEncoded(files_[index], outcome, *encoder.runner);
                             Advance();
                         });
        reasonIfThrown.clear();
        if (started == EncoderRunner::Outcome::Running) {
            encoder.busy = true;
            file.state = State::Encoding;
            return;
        }
        if (StartLater(index, started, runner))
            return;
        FileEncoded(file, started, runner);
    }

    // An encoder has ended (or never started): the file is ready for its movie step.
    void FileEncoded(FileWork& file, EncoderRunner::Outcome outcome, const EncoderRunner& runner) {
        const std::string& problem = runner.Problem();
        file.encoderSaid = runner.ErrorOutput();
        file.state = State::Ready;
        // Stopped, or a stop asked for meanwhile (Ctrl+C reaches the encoder too and may end it
        // first): its MP3 is unfinished, and goes with its IntermediateFile when the run ends.
        if (outcome == EncoderRunner::Outcome::Stopped || run_.ShouldStop(host_)) {
            file.encodeFailed = true;
            return;
        }
        file.encodeFailed = outcome == EncoderRunner::Outcome::Failed;
        file.encodeProblem = problem;
        file.whyNoMp3 = outcome == EncoderRunner::Outcome::NotStarted
                            ? problem
                            : std::string("the encoder made no MP3 file");
        // An encoder that made nothing leaves no MP3, as if the name had never been claimed.
        file.intermediate->RemoveIfEmpty();
    }

    // Finishes, in list order, every file whose turn has come and which is ready.
    void FinishReadyFiles() {
        while (nextToFinish_ < files_.size() && files_[nextToFinish_].state == State::Ready &&
               !run_.ShouldStop(host_)) {
            const size_t index = nextToFinish_++;
            FileWork& file = files_[index];
            file.finished = true;
            // One line per listed file: a skipped one's names its input.
            if (file.skipped)
                file.lines.push_back(file.input + file.skipEnding);
            else
                FinishFile(index, file);
        }
    }

    // The movie and its report line, the progress, and the intermediate MP3 removed.
    void FinishFile(size_t index, FileWork& file) {
        std::string reasonIfThrown;
        try {
            // Never over a movie of this run, nor over an input.
            const std::string moviePath =
                outputs_.MoviePath(MoviePathFor(project_.OutputFolder, file.input), file.movieNote);
            if (outputs_.IsInput(moviePath)) {
                file.lines.push_back((file.mp3Path.empty() ? file.input : file.mp3Path) +
                                     ":Unable to Write Output File.");
                file.problem = "the movie " + moviePath + " would replace an input file";
            } else if (file.intermediate == nullptr) {
                BuildFromMp3Input(file, moviePath, reasonIfThrown);
            } else if (file.encodeFailed) {
                // An encoder that crashed, was killed or gave up left an unfinished MP3, which
                // would give a movie cut short: no movie then.
                file.lines.push_back(file.mp3Path + ":Unable to Encode.");
                file.problem = file.encodeProblem;
            } else {
                BuildFromEncodedMp3(file, moviePath, reasonIfThrown);
            }
            if (file.problem.empty())
                outputs_.MovieMade(moviePath, file.input);
            file.handled = true;
            host_.SetProgress(static_cast<int>(index) + 1);
            host_.ProcessEvents();
            file.intermediate.reset();
        } catch (...) {
            // No progress. A line the builder added before it failed stays in the report; a file
            // that got none gets one.
            if (file.lines.empty())
                file.lines.push_back((file.mp3Path.empty() ? file.input : file.mp3Path) + EndingOfFailure());
            file.problem = reasonIfThrown.empty() ? "an unexpected failure" : reasonIfThrown;
            file.intermediate.reset();
        }
    }

    // The encoder's MP3 must hold the whole input: a full disk, say, can leave it cut short while
    // the encoder still ends well. Allowed: one MP3 frame less, and the rounding to milliseconds.
    void BuildFromEncodedMp3(FileWork& file, const std::string& moviePath, std::string& reasonIfThrown) {
        reasonIfThrown = kMovieNotWritten;
        SoundBlock mp3;
        std::string diagnostic;
        if (!mp3.Read(file.mp3Path)) {
            const MovieOutcome outcome =
                BuildSoundMovie(file.mp3Path, moviePath, file.lines, file.frames, project_.StopAction);
            file.problem =
                outcome == MovieOutcome::NoMp3 && !file.whyNoMp3.empty() ? file.whyNoMp3 : ProblemOf(outcome);
            return;
        }
        int32_t frameMs = 0;
        const int32_t heldMs = Mp3HeldMs(mp3, &frameMs);
        if (heldMs >= 0 && heldMs + frameMs + file.slackMs + 1 < file.lengthMs) {
            file.lines.push_back(file.mp3Path + ":Encoded Sound Incomplete.");
            file.problem = WithDetail("the encoded MP3 holds " + Seconds(heldMs, 3) + " s of " +
                                          Seconds(file.lengthMs, 3) + " s",
                                      file.encoderSaid);
            return;
        }
        if (file.mp3Input) {
            reasonIfThrown = "the sound length could not be read";
            const int32_t lengthMs = Mp3LengthMs(mp3, file.mp3Path);
            reasonIfThrown = "the frame count could not be worked out";
            file.frames = SoundFrameCount(lengthMs, project_.FramePerSeconds, project_.FrameTuner);
            reasonIfThrown = kMovieNotWritten;
        }
        const MovieOutcome outcome = BuildSoundMovie(file.mp3Path, std::move(mp3), moviePath, file.lines,
                                                     file.frames, project_.StopAction, &diagnostic);
        file.problem =
            outcome == MovieOutcome::Written ? std::string() : WithDetail(ProblemOf(outcome), diagnostic);
    }

    // An MP3 input is read once: its length is measured from the bytes the movie then holds.
    void BuildFromMp3Input(FileWork& file, const std::string& moviePath, std::string& reasonIfThrown) {
        reasonIfThrown = "the sound length could not be read";
        SoundBlock mp3;
        if (!mp3.Read(file.input)) {
            file.lines.push_back(file.input + ":File Not Found.");
            throw SoundLengthError("Unable to open " + file.input);
        }
        // A file the movie's reader refuses (too large, no MP3...) is not measured: the builder says
        // why it refuses it.
        int32_t frames = 0;
        if (mp3.Problem().empty() && mp3.Survey().result == MP3ReadResult::Ok &&
            SwfSoundRateCode(mp3.Survey().format.sampleRate) >= 0) {
            const int32_t lengthMs = Mp3LengthMs(mp3, file.input);
            reasonIfThrown = "the frame count could not be worked out";
            frames = SoundFrameCount(lengthMs, project_.FramePerSeconds, project_.FrameTuner);
        }
        reasonIfThrown = kMovieNotWritten;
        std::string diagnostic;
        const MovieOutcome outcome = BuildSoundMovie(file.input, std::move(mp3), moviePath, file.lines,
                                                     frames, project_.StopAction, &diagnostic);
        file.problem =
            outcome == MovieOutcome::Written ? std::string() : WithDetail(ProblemOf(outcome), diagnostic);
    }

    AutomationRun& run_;
    PSoundProject& project_;
    const std::vector<PMP3Converter>& outputModes_;
    RunHost& host_;
    const bool encoderFound_;
    RunOutputs& outputs_;
    QEventLoop* loop_ = nullptr;
    bool advancing_ = false;
    bool advanceAgain_ = false;

    // Declared in this order so that the encoders end before their MP3s are removed, and those
    // before the private folder that may hold them.
    PrivateFolder privateFolder_;
    std::vector<FileWork> files_;
    std::vector<Encoder> encoders_;
    size_t nextToStart_ = 0;
    size_t nextToFinish_ = 0;
    std::deque<size_t> startAgain_; // put back by StartLater, started before any new one
    size_t usableEncoders_ = SIZE_MAX;
    // Names an intermediate MP3 must not take: the inputs of the list, and the intermediate names
    // given out in this run.
    std::set<std::string> namesTaken_;
};

AutomationRun::AutomationRun() : encoderCount_(DefaultEncoderCount()) {}

AutomationRun::AutomationRun(QString encoderProgram)
    : searchEncoder_(false), encoderProgram_(std::move(encoderProgram)),
      encoderCount_(DefaultEncoderCount()) {}

AutomationRun::~AutomationRun() = default;

void AutomationRun::SetEncoderCount(int count) {
    encoderCount_ = std::clamp(count, 1, int{kMaxEncoderCount});
}

void AutomationRun::RequestStop() {
    if (!running_)
        return;
    stopRequested_ = true;
    if (batch_)
        batch_->StopEncoders();
}

bool AutomationRun::ShouldStop(RunHost& host) {
    if (!stopRequested_ && host.StopRequested()) {
        stopRequested_ = true;
        if (batch_)
            batch_->StopEncoders();
    }
    return stopRequested_;
}

AutomationResult AutomationRun::StartAutomation(PSoundProject& project,
                                                const std::vector<PMP3Converter>& outputModes,
                                                RunHost& host) {
    AutomationResult result;
    if (running_) {
        result.outcome = AutomationResult::Outcome::AlreadyRunning;
        return result;
    }
    if (project.Files.empty())
        result.message = kNoInputFilesMessage;
    else if (TrimBlanks(project.OutputFolder).empty())
        result.message = kNoOutputFolderMessage;
    if (!result.message.isEmpty()) {
        host.ShowMessage(result.message);
        return result;
    }
    return RunAutomation(project, outputModes, host);
}

AutomationResult AutomationRun::RunAutomation(PSoundProject& project,
                                              const std::vector<PMP3Converter>& outputModes, RunHost& host) {
    AutomationResult result;
    if (running_) {
        result.outcome = AutomationResult::Outcome::AlreadyRunning;
        return result;
    }
    if (!MakeOutputFolder(project.OutputFolder)) {
        result.outcome = AutomationResult::Outcome::Aborted;
        result.message = kOutputFolderFailedMessage;
        host.ShowMessage(result.message);
        return result;
    }

    running_ = true;
    stopRequested_ = false;
    struct RunningFlag {
        AutomationRun& run;
        ~RunningFlag() { run.running_ = false; }
    } runningFlag{*this};

    // The encoder is looked up once, and its absence said once: MP3 inputs still give movies.
    if (searchEncoder_)
        encoderProgram_ = FindEncoder();
    result.encoderFound = !encoderProgram_.isEmpty();
    if (!result.encoderFound)
        host.ShowMessage(kEncoderMissingMessage);

    std::vector<std::string> inputs;
    for (const PSoundFile& file : project.Files)
        inputs.push_back(file.File);
    RunOutputs outputs(inputs);

    host.ShowProgress(static_cast<int>(project.Files.size()));
    ConvertFiles(project, outputModes, host, outputs, result);
    WriteReport(project, host, outputs, result);
    host.HideProgress();
    return result;
}

bool AutomationRun::MakeOutputFolder(const std::string& folder) {
    // Only the last level is made: a mistyped parent must not grow a tree of folders.
    if (!IsFolder(folder))
        ::mkdir(folder.c_str(), 0777);
    return IsFolder(folder);
}

void AutomationRun::ConvertFiles(PSoundProject& project, const std::vector<PMP3Converter>& outputModes,
                                 RunHost& host, RunOutputs& outputs, AutomationResult& result) {
    Batch batch(*this, project, outputModes, host, result.encoderFound, outputs);
    batch_ = &batch;
    struct BatchGone {
        AutomationRun& run;
        ~BatchGone() { run.batch_ = nullptr; }
    } batchGone{*this};
    batch.ConvertFiles();
    batch.CollectInto(result);
    result.outcome =
        batch.Stopped() ? AutomationResult::Outcome::Stopped : AutomationResult::Outcome::Completed;
}

void AutomationRun::WriteReport(PSoundProject& project, RunHost& host, const RunOutputs& outputs,
                                AutomationResult& result) {
    // The project keeps the "/" its folder gains, so it counts as changed afterwards.
    if (project.OutputFolder.empty() || project.OutputFolder.back() != '/')
        project.OutputFolder += '/';
    result.reportPath = ReportPathFor(project.OutputFolder, project.ProjectName);
    const bool overInput = outputs.IsInput(result.reportPath);
    if (overInput || !WriteRunReport(result.reportPath, result.reportLines)) {
        if (result.outcome == AutomationResult::Outcome::Completed)
            result.outcome = AutomationResult::Outcome::ReportFailed;
        host.ReportError(QStringLiteral("Cannot create file ") + TextFromBytes(result.reportPath) +
                         (overInput ? QStringLiteral(": it is an input of the run") : QString()));
    }
}
