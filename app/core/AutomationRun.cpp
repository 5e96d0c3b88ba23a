// The automation run: a project's input list becomes movies and a run report.
#include "AutomationRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QString QPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

// A file or a link (even a dangling one) is there: the name is not ours to take.
bool PathIsTaken(const std::string& path) {
    const QFileInfo info(QPath(path));
    return info.exists() || info.isSymLink();
}

// Deletes the intermediate MP3 the run made for one file when that file's work ends, however it ends.
class IntermediateFile {
public:
    IntermediateFile() = default;
    IntermediateFile(const IntermediateFile&) = delete;
    IntermediateFile& operator=(const IntermediateFile&) = delete;
    ~IntermediateFile() { Remove(); }

    // Claims a name that was free, creating the file empty so that nobody else takes it meanwhile.
    void Claim(const std::string& path) {
        path_ = path;
        QFile file(QPath(path));
        claimed_ = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    void RemoveIfEmpty() {
        if (!path_.empty() && QFileInfo(QPath(path_)).size() == 0)
            Remove();
    }
    void Remove() {
        // An unclaimed name was free when chosen, so whatever is there now the encoder made.
        if (!path_.empty() && (claimed_ || PathIsTaken(path_)))
            QFile::remove(QPath(path_));
        path_.clear();
        claimed_ = false;
    }

private:
    std::string path_;
    bool claimed_ = false;
};

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
    const QString folder = QPath(project.OutputFolder);
    if (!QFileInfo(folder).isDir())
        QDir().mkdir(folder);
    if (!QFileInfo(folder).isDir()) {
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
    bool stoppedEarly = false;
    for (int index = 0; index < fileCount; ++index) {
        if (ShouldStop(host)) {
            stoppedEarly = true;
            break;
        }
        const std::string& input = files[static_cast<size_t>(index)].File;
        IntermediateFile intermediate;
        try {
            // c. The input must be readable.
            QFile readable(QPath(input));
            if (!readable.open(QIODevice::ReadOnly))
                continue;
            readable.close();
            // d., e. Length and frame count.
            const int32_t lengthMs = SoundLengthMs(input);
            const int32_t frames = SoundFrameCount(lengthMs, project.FramePerSeconds, project.FrameTuner);
            // f., g. Paths, and the MP3 for a non-MP3 input.
            const std::string moviePath = MoviePathFor(project.OutputFolder, input);
            std::string mp3Path = input;
            if (!IsOwnMp3(input)) {
                mp3Path = IntermediateMp3PathFor(input, inputs);
                if (result.encoderFound)
                    intermediate.Claim(mp3Path);
                // Throws, skipping the file, when no output mode has the selected name.
                if (encoder_->RunEncoder(input, mp3Path, outputModes, host.SelectedOutputModeName()) ==
                    EncoderRunner::Outcome::Stopped) {
                    stoppedEarly = true;
                    break; // its unfinished MP3 goes with `intermediate`
                }
                // An encoder that made nothing leaves no MP3, as if the name had never been claimed.
                intermediate.RemoveIfEmpty();
            }
            // h. The movie and its report line.
            BuildSoundMovie(mp3Path, moviePath, result.reportLines, frames, project.StopAction);
            ++result.filesHandled;
            // i. Progress.
            host.SetProgress(index + 1);
            host.ProcessEvents();
            // j. `intermediate` deletes the MP3 the run made.
        } catch (...) {
            // Skipped silently: no message, no report line, no progress.
        }
    }
    result.outcome = stoppedEarly ? AutomationResult::Outcome::Stopped : AutomationResult::Outcome::Completed;

    // 5. The report.
    if (project.OutputFolder.empty() || project.OutputFolder.back() != '/')
        project.OutputFolder += '/';
    result.reportPath = ReportPathFor(project.OutputFolder, project.ProjectName);
    if (!WriteRunReport(result.reportPath, result.reportLines)) {
        if (result.outcome == AutomationResult::Outcome::Completed)
            result.outcome = AutomationResult::Outcome::ReportFailed;
        host.ReportError(QStringLiteral("Cannot create file ") + QPath(result.reportPath));
    }

    // 6. Clean-up.
    host.HideProgress();
    return result;
}
