// A command-line run of a project, with the window or without.
#include "cli/ProjectRunFlow.h"

#include <exception>

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "project/ProjectControls.h"
#include "run/AutomationRun.h"
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
    // The mode a new project shows stays selected when the loaded one matches none.
    const std::string newProjectMode = MatchOutputModeName(settings_.settings.outputModes, project, {});
    if (settings_.Usable()) {
        try {
            LoadProjectFile(BytesFromText(commandLine.projectPath), project, tagNames);
        } catch (const std::exception& failure) {
            TellSettings();
            emit error(TextFromBytes(failure.what()));
            return Prepared::ProjectUnreadable;
        } catch (...) {
            TellSettings();
            emit error(tr("The project file could not be loaded."));
            return Prepared::ProjectUnreadable;
        }
    }
    return PrepareProject(std::move(project), newProjectMode);
}

void ProjectRunFlow::TellSettings() {
    if (std::exchange(settingsTold_, true))
        return;
    for (const std::string& text : settings_.Messages())
        emit message(TextFromBytes(text));
}

ProjectRunFlow::Prepared ProjectRunFlow::PrepareProject(PSoundProject project,
                                                        const std::string& fallbackMode) {
    TellSettings();
    // Without its output modes a batch would make movies of its MP3 files only.
    if (!settings_.Usable())
        return Prepared::SettingsUnusable;
    project_ = std::move(project);
    const std::vector<PMP3Converter>& modes = settings_.settings.outputModes;
    outputModeName_ = MatchOutputModeName(modes, project_, fallbackMode);
    // Run as the window's controls show a loaded project, each value kept within its range, so
    // that both make the same movies.
    ClampToControls(project_);
    // Nobody may watch a batch: say why its files that need encoding will give no movie.
    if (!FindOutputMode(modes, outputModeName_))
        emit message(
            tr("No output mode is defined in %1: files that are not MP3 files cannot be encoded in this "
               "run.")
                .arg(TextFromBytes(settings_.path)));
    return Prepared::Ready;
}

std::optional<AutomationResult> ProjectRunFlow::Start(AutomationRun& run) {
    run.SetEncoderCount(settings_.settings.encoders);
    disconnect(runFinished_);
    runFinished_ = connect(&run, &AutomationRun::finished, this, &ProjectRunFlow::RunEnded);
    std::optional<AutomationResult> refused =
        run.Start(project_, settings_.settings.outputModes, outputModeName_);
    if (refused) {
        disconnect(runFinished_);
        emit ended(ExitStatusFor(*refused));
    }
    return refused;
}

void ProjectRunFlow::RunEnded(const AutomationResult& result) {
    disconnect(runFinished_);
    // A script reads the status; it also learns which files gave no movie, and why.
    PrintFileProblems(result);
    emit ended(ExitStatusFor(result));
}
