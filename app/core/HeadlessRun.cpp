// Converting a project file from the command line with no window at all.
#include "HeadlessRun.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>

#include "AutomationRun.h"
#include "CommandLine.h"
#include "NativeText.h"
#include "ProgramFiles.h"
#include "StopSignals.h"

const char* const kNoDisplayMessage =
    "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the "
    "display does not answer). To convert a project without one, run: tavrel -f:project.xml -hide";

namespace {

class HeadlessHost : public RunHost {
public:
    explicit HeadlessHost(std::string outputModeName) : outputModeName_(std::move(outputModeName)) {}

    void ShowMessage(const QString& text) override { PrintErrorLine(text); }
    void ReportError(const QString& text) override { PrintErrorLine(text); }
    void ShowProgress(int) override {}
    void SetProgress(int) override {}
    void HideProgress() override {}
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    bool StopRequested() override { return StopSignals::Caught(); }
    std::string SelectedOutputModeName() override { return outputModeName_; }

private:
    std::string outputModeName_;
};

bool PlatformHasNoDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

void PrintErrorLine(const QString& text) {
    // One message, one line: a line break in a file's name is written as "\n".
    const std::string bytes = EscapeControlCharacters(BytesFromText(text)) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

void PrintFileProblems(const AutomationResult& result) {
    for (const AutomationResult::FileProblem& note : result.notes)
        PrintErrorLine(TextFromBytes(note.input + ": " + note.reason));
    for (const AutomationResult::FileProblem& problem : result.problems)
        PrintErrorLine(TextFromBytes(problem.input + ": " + problem.reason));
}

std::string SettingsFileProblem(const std::string& iniPath) {
    struct stat info {};
    if (stat(iniPath.c_str(), &info) != 0) {
        // A link to nothing is no missing file: the settings the user made are gone, and running
        // without them (no output modes) would fail every file that needs encoding.
        if (errno == ENOENT && lstat(iniPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            return "Cannot read " + iniPath + ": it is a broken link (what it points to is not there).";
        if (errno == ENOENT)
            return std::string();
        return "Cannot read " + iniPath + ": " + std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode))
        return "Cannot read " + iniPath + ": it is a folder, not a settings file.";
    if (!S_ISREG(info.st_mode))
        return "Cannot read " + iniPath + ": it is not a regular file.";
    const int file = open(iniPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return "Cannot read " + iniPath + ": " + std::strerror(errno);
    close(file);
    return std::string();
}

bool NoDisplayNamed() {
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int ExitStatusFor(const AutomationResult& result) {
    switch (result.outcome) {
    case AutomationResult::Outcome::Completed:
        return result.problems.empty() ? kExitCompleted : kExitFilesFailed;
    case AutomationResult::Outcome::Refused:
    case AutomationResult::Outcome::Aborted:
        return kExitCheckMessage;
    case AutomationResult::Outcome::Stopped:
    case AutomationResult::Outcome::ReportFailed:
    case AutomationResult::Outcome::AlreadyRunning:
        break;
    }
    return kExitRunIncomplete;
}

bool ShouldRunHeadless(const QStringList& arguments) {
    return ParseCommandLine(arguments).hasArguments && PlatformHasNoDisplay();
}

std::string MatchOutputModeName(const std::vector<PMP3Converter>& outputModes, const PSoundProject& project,
                                const std::string& fallback) {
    const int matching = MatchingOutputMode(outputModes, project);
    if (matching >= 0)
        return outputModes[static_cast<size_t>(matching)].name;
    if (FindOutputMode(outputModes, "Custom..."))
        return "Custom...";
    return fallback;
}

int RunHeadless(const QStringList& arguments, const QString& programFolder) {
    // The encoder wait needs an event loop, and so an application object.
    std::unique_ptr<QCoreApplication> ownApplication;
    static int argc = 1;
    static char name[] = "tavrel";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        ownApplication = std::make_unique<QCoreApplication>(argc, argv);
    // From here on a signal stops the run, or ends the program before one starts.
    StopSignals stopSignals;

    const CommandLine commandLine = ParseCommandLine(arguments);
    const QString problem = CommandLineProblem(commandLine);
    if (!problem.isEmpty()) {
        PrintErrorLine(problem);
        return kExitCheckMessage;
    }

    const std::string settingsPath = ProgramFiles(BytesFromText(programFolder)).SettingsToRead();
    const std::string settingsProblem = SettingsFileProblem(settingsPath);
    if (!settingsProblem.empty()) {
        PrintErrorLine(TextFromBytes(settingsProblem));
        return kExitLoadFailed;
    }

    TavrelSettings settings;
    PSoundProject project;
    std::string outputModeName;
    try {
        std::vector<std::string> warnings;
        // Whatever LoadSettings throws (a file it refuses, a read that fails) is a settings file
        // that cannot be loaded, as is a project file that cannot be.
        LoadSettings(settingsPath, settings, &warnings);
        for (const std::string& warning : warnings)
            PrintErrorLine(TextFromBytes(warning));
        project = NewDefaultProject(settings);
        // The mode a new project shows stays selected when the loaded one matches none.
        const std::string newProjectMode = MatchOutputModeName(settings.outputModes, project, std::string());
        LoadProjectFile(BytesFromText(commandLine.projectPath), project);
        outputModeName = MatchOutputModeName(settings.outputModes, project, newProjectMode);
        // The window runs a loaded project as its up-down controls show it, each kept within its
        // range; without the window the project is taken the same way, so both make the same movies.
        project.FramePerSeconds = std::clamp<int32_t>(project.FramePerSeconds, 0, 100);
        project.FrameTuner = std::clamp<int32_t>(project.FrameTuner, -100, 100);
    } catch (const std::exception& error) {
        PrintErrorLine(TextFromBytes(error.what()));
        return kExitLoadFailed;
    } catch (...) {
        PrintErrorLine(QStringLiteral("The settings or the project file could not be loaded."));
        return kExitLoadFailed;
    }

    // Nobody watches a batch: say why its files that need encoding will give no movie.
    if (!FindOutputMode(settings.outputModes, outputModeName))
        PrintErrorLine(
            QStringLiteral("No output mode is defined in %1: files that are not MP3 files cannot be "
                           "encoded in this run.")
                .arg(TextFromBytes(settingsPath)));

    if (StopSignals::Caught())
        return kExitRunIncomplete;
    HeadlessHost host(outputModeName);
    AutomationRun run;
    run.SetEncoderCount(settings.encoders);
    const AutomationResult result = run.StartAutomation(project, settings.outputModes, host);
    PrintFileProblems(result);
    return ExitStatusFor(result);
}
