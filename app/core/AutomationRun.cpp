// The automation run: a project's input list becomes movies and a run report.
#include "AutomationRun.h"

#include <cerrno>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "NativeText.h"
#include "ReplaceFile.h"
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

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
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

// The problem a report line of the movie builder stands for, or an empty text for a movie made.
std::string ProblemOfReportLine(const std::string& line) {
    if (EndsWith(line, ":Operation Successful."))
        return {};
    if (EndsWith(line, ":File Not Found."))
        return "file not found";
    if (EndsWith(line, ":Unexpected File Format."))
        return "unexpected file format";
    if (EndsWith(line, ":Sound Too Long."))
        return "the sound is too long for one movie";
    return "the movie could not be written";
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
// the name beside the input, unclaimed, and the encoder's failure tells the rest.
std::string ClaimIntermediate(const std::string& input, std::set<std::string> avoid,
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
        text += line + "\r\n";
    return ReplaceFileContent(path, text);
}

AutomationRun::AutomationRun() = default;

AutomationRun::AutomationRun(QString encoderProgram)
    : searchEncoder_(false), encoderProgram_(std::move(encoderProgram)) {}

AutomationRun::~AutomationRun() = default;

void AutomationRun::RequestStop() {
    if (!running_)
        return;
    stopRequested_ = true;
    if (encoder_)
        encoder_->Stop();
}

bool AutomationRun::ShouldStop(RunHost& host) {
    if (!stopRequested_ && host.StopRequested())
        stopRequested_ = true;
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

    // 1. The output folder; only its last level is made.
    if (!IsFolder(project.OutputFolder))
        ::mkdir(project.OutputFolder.c_str(), 0777);
    if (!IsFolder(project.OutputFolder)) {
        result.outcome = AutomationResult::Outcome::Aborted;
        result.message = kOutputFolderFailedMessage;
        host.ShowMessage(result.message);
        return result;
    }

    running_ = true;
    stopRequested_ = false;
    struct RunningFlag {
        AutomationRun& run;
        ~RunningFlag() {
            run.running_ = false;
            run.encoder_.reset();
        }
    } runningFlag{*this};

    // 2. The encoder: looked up once, and its absence said once.
    encoder_ = std::make_unique<EncoderRunner>(searchEncoder_ ? FindEncoder() : encoderProgram_);
    encoder_->SetStopCheck([this, &host] { return ShouldStop(host); });
    result.encoderFound = !encoder_->EncoderProgram().isEmpty();
    if (!result.encoderFound)
        host.ShowMessage(kEncoderMissingMessage);

    // 3. Progress. The list is copied: whatever the window does while events are handled, the
    // run goes through the files it started with.
    const std::vector<PSoundFile> files = project.Files;
    const int fileCount = static_cast<int>(files.size());
    host.ShowProgress(fileCount);

    // An intermediate MP3 must never land on another input of the list.
    std::set<std::string> inputs;
    for (const PSoundFile& file : files)
        inputs.insert(file.File);

    // 4. The files, each inside its own failure guard: a failure skips the file silently.
    PrivateFolder privateFolder;
    int stoppedAt = fileCount;
    for (int index = 0; index < fileCount; ++index) {
        if (ShouldStop(host)) {
            stoppedAt = index;
            break;
        }
        const std::string& input = files[static_cast<size_t>(index)].File;
        const size_t linesBefore = result.reportLines.size();
        std::string reasonIfThrown; // what the step under way failed at, should it throw
        IntermediateFile intermediate;
        try {
            // c. Only a regular file we may read goes further; the sound readers open it too.
            const std::string unreadable = UnreadableInputProblem(input);
            if (!unreadable.empty()) {
                result.problems.push_back({input, unreadable});
                continue;
            }
            // d., e. Length and frame count.
            reasonIfThrown = "the sound length could not be read";
            const int32_t lengthMs = SoundLengthMs(input);
            reasonIfThrown = "the frame count could not be worked out";
            const int32_t frames = SoundFrameCount(lengthMs, project.FramePerSeconds, project.FrameTuner);
            // f., g. Paths, and the MP3 for a non-MP3 input.
            const std::string moviePath = MoviePathFor(project.OutputFolder, input);
            std::string mp3Path = input;
            std::string whyNoMp3; // for a movie builder that finds no MP3
            bool encodeFailed = false;
            if (!IsOwnMp3(input)) {
                if (ShouldStop(host)) {
                    stoppedAt = index;
                    break;
                }
                if (result.encoderFound) {
                    mp3Path = ClaimIntermediate(input, inputs, privateFolder, intermediate);
                } else {
                    mp3Path = IntermediateMp3PathFor(input, inputs);
                    intermediate.Use(mp3Path);
                }
                const std::string modeName = host.SelectedOutputModeName();
                reasonIfThrown = modeName.empty() ? std::string("no output mode is defined")
                                                  : "no output mode is named \"" + modeName + "\"";
                const EncoderRunner::Outcome encoded = encoder_->RunEncoder(
                    input, mp3Path, ModesForProject(outputModes, modeName, project), modeName);
                if (encoded == EncoderRunner::Outcome::Stopped) {
                    stoppedAt = index;
                    break; // its unfinished MP3 goes with `intermediate`
                }
                encodeFailed = encoded == EncoderRunner::Outcome::Failed;
                if (encoded == EncoderRunner::Outcome::NotStarted)
                    whyNoMp3 = encoder_->Problem();
                else
                    whyNoMp3 = "the encoder made no MP3 file";
                // An encoder that made nothing leaves no MP3, as if the name had never been claimed.
                intermediate.RemoveIfEmpty();
            }
            // h. The movie and its report line. An encoder that crashed, was killed or gave up left
            // an unfinished MP3, which would give a movie cut short: no movie then.
            reasonIfThrown.clear();
            if (encodeFailed) {
                result.reportLines.push_back(mp3Path + ":Unable to Encode.");
                result.problems.push_back({input, encoder_->Problem()});
            } else {
                BuildSoundMovie(mp3Path, moviePath, result.reportLines, frames, project.StopAction);
                std::string reason = ProblemOfReportLine(result.reportLines.back());
                if (reason == "file not found" && !whyNoMp3.empty())
                    reason = whyNoMp3;
                if (!reason.empty())
                    result.problems.push_back({input, reason});
            }
            ++result.filesHandled;
            // i. Progress.
            host.SetProgress(index + 1);
            host.ProcessEvents();
            // j. `intermediate` deletes the MP3 the run made.
        } catch (...) {
            // Skipped silently: no message, no report line, no progress. A line the builder added
            // before it failed tells what went wrong.
            if (result.reportLines.size() > linesBefore)
                reasonIfThrown = ProblemOfReportLine(result.reportLines.back());
            result.problems.push_back(
                {input, reasonIfThrown.empty() ? "an unexpected failure" : reasonIfThrown});
        }
    }
    const bool stoppedEarly = stoppedAt < fileCount;
    // Every file the stop kept from its movie, the one under way included.
    for (int index = stoppedAt; index < fileCount; ++index)
        result.problems.push_back({files[static_cast<size_t>(index)].File, "stopped"});
    result.outcome = stoppedEarly ? AutomationResult::Outcome::Stopped : AutomationResult::Outcome::Completed;

    // 5. The report.
    if (project.OutputFolder.empty() || project.OutputFolder.back() != '/')
        project.OutputFolder += '/';
    result.reportPath = ReportPathFor(project.OutputFolder, project.ProjectName);
    if (!WriteRunReport(result.reportPath, result.reportLines)) {
        if (result.outcome == AutomationResult::Outcome::Completed)
            result.outcome = AutomationResult::Outcome::ReportFailed;
        host.ReportError(QStringLiteral("Cannot create file ") + TextFromBytes(result.reportPath));
    }

    // 6. Clean-up.
    host.HideProgress();
    return result;
}
