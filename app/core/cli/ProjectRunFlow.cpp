// A command-line run of a project, with the window or without.
#include "cli/ProjectRunFlow.h"

#include <exception>
#include <optional>

#include <QCoreApplication>

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "project/ProgramFiles.h"
#include "run/AutomationRun.h"
#include "run/StopSignals.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"

ProjectRunFlow::ProjectRunFlow(ProgramSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)) {}

int ProjectRunFlow::ExitStatusOf(Prepared prepared) {
    switch (prepared) {
    case Prepared::Ready:
        return kExitCompleted;
    case Prepared::CommandLineRefused:
        return kExitCheckMessage;
    case Prepared::SettingsUnusable:
    case Prepared::ProjectUnreadable:
        break;
    }
    return kExitLoadFailed;
}

ProjectRunFlow::Prepared ProjectRunFlow::PrepareFromCommandLine(const CommandLine& commandLine,
                                                                const ProjectTagNames& tagNames) {
    QString detail;
    const QString problem = CommandLineProblem(commandLine, &detail);
    if (!problem.isEmpty()) {
        emit message(problem, detail);
        return Prepared::CommandLineRefused;
    }
    PSoundProject project = NewDefaultProject(settings_.settings);
    if (settings_.Usable()) {
        try {
            LoadProjectFile(BytesFromText(commandLine.projectPath), project, tagNames);
        } catch (const std::exception& failure) {
            TellSettings();
            emit message(TextFromBytes(failure.what()), QString(), RunMessageSeverity::Error);
            return Prepared::ProjectUnreadable;
        } catch (...) {
            TellSettings();
            emit message(tr("The project file could not be loaded."), QString(), RunMessageSeverity::Error);
            return Prepared::ProjectUnreadable;
        }
    }
    return PrepareProject(std::move(project));
}

void ProjectRunFlow::TellSettings() {
    if (std::exchange(settingsTold_, true))
        return;
    for (const std::string& text : settings_.Messages())
        emit message(TextFromBytes(text));
}

ProjectRunFlow::Prepared ProjectRunFlow::PrepareProject(PSoundProject project) {
    // Without its output modes a batch would make movies of its MP3 files only.
    if (!settings_.Usable()) {
        TellSettings();
        return Prepared::SettingsUnusable;
    }
    return PrepareRequest(MakeRunRequest(std::move(project), settings_.settings));
}

ProjectRunFlow::Prepared ProjectRunFlow::PrepareRequest(RunRequest request) {
    TellSettings();
    request_ = std::move(request);
    // Nobody may watch a batch: say why its files that need encoding will give no movie.
    if (!request_.encoder.found)
        emit message(
            tr("No output mode is defined in %1: files that are not MP3 files cannot be encoded in this "
               "run.")
                .arg(TextFromBytes(settings_.path)));
    return Prepared::Ready;
}

void ProjectRunFlow::Start(AutomationRun& run) {
    disconnect(runFinished_);
    runFinished_ = connect(&run, &AutomationRun::finished, this, &ProjectRunFlow::RunEnded);
    run.Start(request_);
}

void ProjectRunFlow::RunEnded(const AutomationResult& result) {
    disconnect(runFinished_);
    // A script reads the status; it also learns which files gave no movie, and why.
    PrintFileProblems(result);
    emit ended(ExitStatusFor(result));
}

int ProjectRunFlow::RunUntilEnded(AutomationRun& run, StopSignals& stopSignals,
                                  const std::function<void()>& beforeExit) {
    connect(&stopSignals, &StopSignals::Received, &run, &AutomationRun::Stop);
    std::optional<int> status;
    const QMetaObject::Connection ended =
        connect(this, &ProjectRunFlow::ended, [&status, &beforeExit](int code) {
            if (beforeExit)
                beforeExit();
            status = code;
            QCoreApplication::exit(code);
        });
    Start(run);
    QCoreApplication::exec();
    disconnect(ended);
    // The application also ends when something else quits it: what is unfinished then counts as
    // stopped, and the encoders still running end with the run.
    return status.value_or(kExitRunIncomplete);
}

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "tavrel";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

int RunHeadless(const CommandLine& commandLine, const QString& programFolder) {
    const std::unique_ptr<QCoreApplication> ownApplication = EnsureCoreApplication();
    // From here on a signal stops the run, or ends the program before one starts.
    StopSignals stopSignals;
    ProjectRunFlow flow(ReadProgramSettings(ProgramFiles(BytesFromText(programFolder)).SettingsToRead()));
    QObject::connect(&flow, &ProjectRunFlow::message, &PrintMessageLine);
    const ProjectRunFlow::Prepared prepared = flow.PrepareFromCommandLine(commandLine);
    if (prepared != ProjectRunFlow::Prepared::Ready)
        return ProjectRunFlow::ExitStatusOf(prepared);
    if (StopSignals::Caught())
        return kExitRunIncomplete;

    AutomationRun run;
    QObject::connect(&run, &AutomationRun::message, &PrintMessageLine);
    return flow.RunUntilEnded(run, stopSignals);
}
