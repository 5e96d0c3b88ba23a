// `tavrel [OPTIONS] FILE|FOLDER...`: the project the options describe, run as a project file's
// run is, with no window.
#include "cli/ScriptRun.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include <QCoreApplication>

#include "cli/ExitStatus.h"
#include "cli/HeadlessRun.h"
#include "cli/ProgressPrinter.h"
#include "cli/ProjectRunFlow.h"
#include "project/OutputModes.h"
#include "project/ProgramFiles.h"
#include "project/ProgramSettings.h"
#include "run/AutomationRun.h"
#include "run/RunOutputChecks.h"
#include "run/RunOutputs.h"
#include "run/RunPaths.h"
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

    // Mistakes a careful user wants to hear of before anything is read or written.
    if (!options.listModes && options.sources.empty()) {
        PrintUsageError(MessageBytes(QCoreApplication::translate(
            "ScriptRun", "no sound files given: name FILEs or FOLDERs, or a list with --files-from")));
        return kExitCheckMessage;
    }
    // A dry run checks what the run checks.
    if (!options.listModes && !options.outputFolder) {
        PrintUsageError(MessageBytes(
            QCoreApplication::translate("ScriptRun", "no output folder given: name one with -o DIR")));
        return kExitCheckMessage;
    }

    ProjectRunFlow flow(ReadProgramSettings(ProgramFiles(BytesFromText(programFolder)).SettingsToRead()));
    QObject::connect(&flow, &ProjectRunFlow::message, &PrintMessageLine);
    QObject::connect(&flow, &ProjectRunFlow::error, &PrintErrorLine);
    // Settings that cannot be used are told, and end the program, as a project run's are.
    if (!flow.Settings().Usable())
        return ProjectRunFlow::ExitStatusOf(flow.PrepareProject(PSoundProject()));
    const TavrelSettings& settings = flow.Settings().settings;
    if (options.listModes) {
        ListModes(settings.outputModes);
        return std::fflush(stdout) == 0 ? kExitCompleted : kExitCheckMessage;
    }

    // The project a project file would hold: a new one, with what the options say.
    PSoundProject project = NewDefaultProject(settings);
    const std::string newProjectMode = MatchOutputModeName(settings.outputModes, project, {});
    if (!options.outputMode.empty()) {
        const PMP3Converter* mode = ChosenMode(settings.outputModes, options.outputMode);
        if (!mode) {
            PrintUsageError(
                MessageBytes(QCoreApplication::translate(
                                 "ScriptRun", "no output mode '%1' in %2 (tavrel --list-modes lists them)"),
                             {options.outputMode, flow.Settings().path}));
            return kExitCheckMessage;
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

    std::vector<std::string> files;
    std::string error;
    if (!GatherInputFiles(options, files, error)) {
        PrintErrorLine(TextFromBytes(error));
        return kExitLoadFailed;
    }
    if (files.empty()) {
        PrintUsageError(MessageBytes(QCoreApplication::translate(
            "ScriptRun", "no sound files to convert in the FILEs, FOLDERs and lists given")));
        return kExitCheckMessage;
    }
    for (const std::string& file : files)
        project.Files.push_back({file, {}});

    AutomationRun run;
    run.SetReportPath(AbsolutePath(options.reportPath));
    // What the run would refuse is said before anything is written: a project file or report over
    // an input or a movie of the run, a report that cannot be written, an output folder that cannot
    // be made. (Without a project to save, the run says it as it starts.)
    if (!options.saveProject.empty() || options.dryRun) {
        const RunOutputs inputs(project.Files, project.OutputFolder);
        if (const std::string problem = ProjectFileProblem(project, inputs, project.ProjectName);
            !problem.empty()) {
            PrintErrorLine(TextFromBytes(problem));
            return kExitLoadFailed;
        }
        if (const std::string problem =
                ReportFileProblem(project, inputs, run.ReportPathOf(project), project.ProjectName);
            !problem.empty()) {
            PrintErrorLine(TextFromBytes(problem));
            return kExitRunIncomplete;
        }
        if (const std::string failed = MakeFolders(project.OutputFolder, true); !failed.empty()) {
            PrintMessageLine(QLatin1String(kOutputFolderFailedMessage), TextFromBytes(failed));
            return kExitCheckMessage;
        }
    }
    if (!options.saveProject.empty()) {
        try {
            SaveProjectFile(project);
        } catch (const std::exception& failure) {
            PrintErrorLine(TextFromBytes(failure.what()));
            return kExitLoadFailed;
        }
    }
    if (options.dryRun) {
        // The files the run would convert; those it would skip at once are named as the run names
        // them, with its status.
        AutomationResult skipped;
        for (const std::string& file : files) {
            if (const std::optional<FileFailure> failure = UnreadableInput(file))
                skipped.problems.push_back({file, *failure});
            else
                PrintOut(file + (options.nullSeparated ? '\0' : '\n'));
        }
        PrintFileProblems(skipped);
        if (std::fflush(stdout) != 0)
            return kExitCheckMessage;
        return skipped.problems.empty() ? kExitCompleted : kExitFilesFailed;
    }

    // From here on it is the run a project file gets.
    if (const auto prepared = flow.PrepareProject(std::move(project), newProjectMode);
        prepared != ProjectRunFlow::Prepared::Ready)
        return ProjectRunFlow::ExitStatusOf(prepared);
    if (StopSignals::Caught())
        return kExitRunIncomplete;
    if (options.encoders)
        flow.Settings().settings.encoders = *options.encoders;

    ProgressPrinter progress(!options.quiet && ProgressPrinter::StandardErrorIsTerminal());
    // A message goes on a line of its own, not after the progress shown so far.
    const auto print = [&progress](const QString& text, const QString& detail) {
        progress.Clear();
        PrintMessageLine(text, detail);
    };
    QObject::connect(&run, &AutomationRun::message, print);
    QObject::connect(&run, &AutomationRun::error, [&print](const QString& text) { print(text, QString()); });
    QObject::connect(&run, &AutomationRun::started, [&progress, &files] { progress.Start(files); });
    QObject::connect(&run, &AutomationRun::fileDone, [&progress](int index) { progress.FileDone(index); });
    QObject::connect(&run, &AutomationRun::fileProgress,
                     [&progress](int index, double encoded) { progress.InWork(index, encoded); });
    // Connected before the flow's own: the line is gone before the flow names the files that gave
    // no movie.
    std::optional<AutomationResult> result;
    QObject::connect(&run, &AutomationRun::finished, [&](const AutomationResult& finished) {
        progress.Clear();
        result = finished;
    });
    return RunUntilEnded(flow, run, stopSignals, [&] {
        if (result)
            progress.Summary(*result);
    });
}
