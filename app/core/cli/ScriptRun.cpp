// `tavrel [OPTIONS] FILE|FOLDER...`: the project the options describe, run as a project file's
// run is, with no window.
#include "cli/ScriptRun.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

#include <QCoreApplication>

#include "cli/ExitStatus.h"
#include "cli/ProgressPrinter.h"
#include "cli/ProjectRunFlow.h"
#include "project/OutputModes.h"
#include "project/ProgramFiles.h"
#include "project/ProgramSettings.h"
#include "run/AutomationRun.h"
#include "run/RunOutputChecks.h"
#include "run/RunOutputs.h"
#include "run/RunRequest.h"
#include "run/RunScheduler.h"
#include "run/StopSignals.h"
#include "text/ErrorLines.h"
#include "text/FileContent.h"
#include "text/NativeText.h"
#include "text/Translations.h"

namespace {

void PrintOut(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// "1\tMusic (128 kbps)\t-q5 -mj -b128", and "\teditable" for a preset whose values the options set.
void ListModes(const std::vector<PMP3Converter>& modes) {
    for (size_t i = 0; i < modes.size(); ++i) {
        std::string options;
        for (const PParameter& parameter : modes[i].params)
            options += (options.empty() ? "-" : " -") + parameter.name + parameter.value;
        PrintOut(std::to_string(i + 1) + "\t" + modes[i].name + "\t" + options +
                 (modes[i].enabled ? "\teditable\n" : "\n"));
    }
}

// The preset -m names: by its exact name first, else by its number in --list-modes.
const PMP3Converter* ChosenMode(const std::vector<PMP3Converter>& modes, const std::string& chosen) {
    if (const PMP3Converter* mode = FindOutputMode(modes, chosen))
        return mode;
    int32_t number = 0;
    if (chosen.find_first_not_of("0123456789") == std::string::npos && TryParseInt32(chosen, number) &&
        number >= 1 && static_cast<size_t>(number) <= modes.size())
        return &modes[static_cast<size_t>(number) - 1];
    return nullptr;
}

// A mistake a careful user wants to hear of before anything is read or written; false when there
// is one, which has been said.
bool OptionsComplete(const ScriptOptions& options) {
    if (!options.listModes && options.sources.empty()) {
        PrintUsageError(MessageBytes(QCoreApplication::translate(
            "ScriptRun", "no sound files given: name FILEs or FOLDERs, or a list with --files-from")));
        return false;
    }
    // A dry run checks what the run checks.
    if (!options.listModes && !options.outputFolder) {
        PrintUsageError(MessageBytes(
            QCoreApplication::translate("ScriptRun", "no output folder given: name one with -o DIR")));
        return false;
    }
    return true;
}

// The project a project file would hold: a new one, with what the options say; none when -m names
// no output mode, which has been said.
std::optional<PSoundProject> ProjectOfOptions(const ScriptOptions& options, const ProgramSettings& settings) {
    PSoundProject project = NewDefaultProject(settings.settings);
    if (!options.outputMode.empty()) {
        const PMP3Converter* mode = ChosenMode(settings.settings.outputModes, options.outputMode);
        if (!mode) {
            PrintUsageError(
                MessageBytes(QCoreApplication::translate(
                                 "ScriptRun", "no output mode '%1' in %2 (tavrel --list-modes lists them)"),
                             {options.outputMode, settings.path}));
            return std::nullopt;
        }
        const std::vector<std::string> values = ParameterValues(*mode);
        if (values.size() >= 3) {
            project.Quality = values[0];
            project.Mode = values[1];
            project.Bitrate = values[2];
        }
    }
    for (auto [value, field] :
         {std::pair{&options.quality, &project.Quality}, std::pair{&options.channelMode, &project.Mode},
          std::pair{&options.bitrate, &project.Bitrate}})
        if (!value->empty())
            *field = *value;
    if (options.outputFolder)
        project.OutputFolder = AbsolutePath(*options.outputFolder);
    project.StopAction = options.stopAction.value_or(project.StopAction);
    project.FramePerSeconds = options.framesPerSecond.value_or(project.FramePerSeconds);
    project.FrameTuner = options.frameTuner.value_or(project.FrameTuner);
    project.Gapless = options.gapless;
    project.Loops = options.loops.value_or(project.Loops);
    project.Standalone = options.standalone;
    if (!options.saveProject.empty())
        project.ProjectName = AbsolutePath(options.saveProject);
    return project;
}

// The input files the options name, into project; false when there are none or a list cannot be
// read, status then telling which.
bool AddInputFiles(const ScriptOptions& options, PSoundProject& project, int& status) {
    std::vector<std::string> files;
    std::string error;
    if (!GatherInputFiles(options, files, error)) {
        PrintErrorLine(TextFromBytes(error));
        status = kExitLoadFailed;
        return false;
    }
    if (files.empty()) {
        PrintUsageError(MessageBytes(QCoreApplication::translate(
            "ScriptRun", "no sound files to convert in the FILEs, FOLDERs and lists given")));
        status = kExitCheckMessage;
        return false;
    }
    for (const std::string& file : files)
        project.Files.push_back({file, {}});
    return true;
}

// What the run would refuse, said before anything is written: a project file or report over an
// input or a movie of the run, a report that cannot be written, an output folder that cannot be
// made. Then the project is saved when asked. The exit status when something is wrong.
std::optional<int> CheckAndSave(const ScriptOptions& options, const RunRequest& request) {
    const PSoundProject& project = request.project;
    const RunOutputs inputs(project.Files, request.outputFolder);
    if (const std::string problem = ProjectFileProblem(project, inputs, project.ProjectName);
        !problem.empty()) {
        PrintErrorLine(TextFromBytes(problem));
        return kExitLoadFailed;
    }
    if (request.refused && request.refused->outcome == AutomationResult::Outcome::ReportRefused) {
        PrintErrorLine(request.refused->message);
        return kExitRunIncomplete;
    }
    if (request.refused && request.refused->outcome == AutomationResult::Outcome::Aborted) {
        PrintMessageLine(QLatin1String(kOutputFolderFailedMessage), request.refused->detail);
        return kExitCheckMessage;
    }
    if (!options.saveProject.empty()) {
        try {
            SaveProjectFile(project);
        } catch (const std::exception& failure) {
            PrintErrorLine(TextFromBytes(failure.what()));
            return kExitLoadFailed;
        }
    }
    return std::nullopt;
}

// The files the run would convert; those it would skip at once are named as the run names them,
// with its status.
int ListInputs(const ScriptOptions& options, const PSoundProject& project) {
    AutomationResult skipped;
    for (const PSoundFile& input : project.Files) {
        if (const std::optional<FileFailure> failure = UnreadableInput(input.File))
            skipped.problems.push_back({input.File, *failure});
        else
            PrintOut(input.File + (options.nullSeparated ? '\0' : '\n'));
    }
    PrintFileProblems(skipped);
    if (std::fflush(stdout) != 0)
        return kExitCheckMessage;
    return skipped.problems.empty() ? kExitCompleted : kExitFilesFailed;
}

} // namespace

void PrintUsageError(const std::string& error) {
    PrintErrorLine(TextFromBytes(error));
    const std::string tryHelp =
        MessageBytes(QCoreApplication::translate("ScriptRun", "Try 'tavrel --help' for more information.")) +
        "\n";
    std::fputs(tryHelp.c_str(), stderr);
    std::fflush(stderr);
}

int RunScript(const ScriptOptions& options, const QString& programFolder) {
    const std::unique_ptr<QCoreApplication> ownApplication = EnsureCoreApplication();
    StopSignals stopSignals;
    if (!OptionsComplete(options))
        return kExitCheckMessage;

    ProjectRunFlow flow(ReadProgramSettings(ProgramFiles(BytesFromText(programFolder)).SettingsToRead()));
    QObject::connect(&flow, &ProjectRunFlow::message, &PrintMessageLine);
    // Settings that cannot be used are told, and end the program, as a project run's are.
    if (!flow.Settings().Usable())
        return ProjectRunFlow::ExitStatusOf(flow.PrepareProject(PSoundProject()));
    if (options.listModes) {
        ListModes(flow.Settings().settings.outputModes);
        return std::fflush(stdout) == 0 ? kExitCompleted : kExitCheckMessage;
    }
    std::optional<PSoundProject> project = ProjectOfOptions(options, flow.Settings());
    if (!project)
        return kExitCheckMessage;
    int status = kExitCompleted;
    if (!AddInputFiles(options, *project, status))
        return status;

    RunChoices choices;
    choices.encoders = options.encoders;
    choices.reportPath = AbsolutePath(options.reportPath);
    RunRequest request = MakeRunRequest(std::move(*project), flow.Settings().settings, choices);
    // (Without a project to save, the run says what it refuses as it starts.)
    if (!options.saveProject.empty() || options.dryRun)
        if (const std::optional<int> refused = CheckAndSave(options, request))
            return *refused;
    if (options.dryRun)
        return ListInputs(options, request.project);

    // From here on it is the run a project file gets.
    if (const auto prepared = flow.PrepareRequest(std::move(request));
        prepared != ProjectRunFlow::Prepared::Ready)
        return ProjectRunFlow::ExitStatusOf(prepared);
    if (StopSignals::Caught())
        return kExitRunIncomplete;
    std::vector<std::string> files;
    for (const PSoundFile& input : flow.Project().Files)
        files.push_back(input.File);
    AutomationRun run;
    ProgressPrinter progress(!options.quiet && ProgressPrinter::StandardErrorIsTerminal());
    progress.Follow(run, files);
    return flow.RunUntilEnded(run, stopSignals, [&progress] { progress.SummaryOfRun(); });
}
