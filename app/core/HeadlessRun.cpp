// Converting a project file from the command line with no window at all.
#include "HeadlessRun.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QFile>

#include "AutomationRun.h"
#include "CommandLine.h"

namespace {

volatile std::sig_atomic_t stopSignalled = 0;

extern "C" void OnStopSignal(int) {
    stopSignalled = 1;
}

void PrintLine(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}

class HeadlessHost : public RunHost {
public:
    explicit HeadlessHost(std::string outputModeName) : outputModeName_(std::move(outputModeName)) {}

    void ShowMessage(const QString& text) override { PrintLine(text); }
    void ReportError(const QString& text) override { PrintLine(text); }
    void ShowProgress(int) override {}
    void SetProgress(int) override {}
    void HideProgress() override {}
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    bool StopRequested() override { return stopSignalled != 0; }
    std::string SelectedOutputModeName() override { return outputModeName_; }

private:
    std::string outputModeName_;
};

// Restores the previous signal handlers when the run is over.
class StopSignals {
public:
    StopSignals() {
        stopSignalled = 0;
        previousInterrupt_ = std::signal(SIGINT, OnStopSignal);
        previousTerminate_ = std::signal(SIGTERM, OnStopSignal);
    }
    ~StopSignals() {
        std::signal(SIGINT, previousInterrupt_);
        std::signal(SIGTERM, previousTerminate_);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    void (*previousInterrupt_)(int) = SIG_DFL;
    void (*previousTerminate_)(int) = SIG_DFL;
};

bool PlatformHasNoDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int ExitStatusFor(const AutomationResult& result) {
    switch (result.outcome) {
    case AutomationResult::Outcome::Completed:
        return kExitCompleted;
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

    const CommandLine commandLine = ParseCommandLine(arguments);
    const QString problem = CommandLineProblem(commandLine);
    if (!problem.isEmpty()) {
        PrintLine(problem);
        return kExitCheckMessage;
    }

    TavrelSettings settings;
    PSoundProject project;
    std::string outputModeName;
    try {
        std::vector<std::string> warnings;
        LoadSettings(QFile::encodeName(programFolder + QStringLiteral("/settings.ini")).toStdString(),
                     settings, &warnings);
        for (const std::string& warning : warnings)
            PrintLine(QString::fromStdString(warning));
        project = NewDefaultProject(settings);
        // The mode a new project shows stays selected when the loaded one matches none.
        const std::string newProjectMode = MatchOutputModeName(settings.outputModes, project, std::string());
        LoadProjectFile(QFile::encodeName(commandLine.projectPath).toStdString(), project);
        outputModeName = MatchOutputModeName(settings.outputModes, project, newProjectMode);
        // The window runs a loaded project as its up-down controls show it, each kept within its
        // range; without the window the project is taken the same way, so both make the same movies.
        project.FramePerSeconds = std::clamp<int32_t>(project.FramePerSeconds, 0, 100);
        project.FrameTuner = std::clamp<int32_t>(project.FrameTuner, -100, 100);
    } catch (const std::exception& error) {
        PrintLine(QString::fromLocal8Bit(error.what()));
        return kExitLoadFailed;
    }

    // Nobody watches a batch: say why its files that need encoding will give no movie.
    if (!FindOutputMode(settings.outputModes, outputModeName))
        PrintLine(QStringLiteral("No output mode is defined in %1: files that are not MP3 files cannot be "
                                 "encoded in this run.")
                      .arg(programFolder + QStringLiteral("/settings.ini")));

    StopSignals stopSignals;
    HeadlessHost host(outputModeName);
    AutomationRun run;
    return ExitStatusFor(run.StartAutomation(project, settings.outputModes, host));
}
