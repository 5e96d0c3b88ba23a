// The run request: what a run is to do, built once.
#include "run/RunRequest.h"

#include <algorithm>

#include <QCoreApplication>

#include "project/ProjectControls.h"
#include "run/AutomationRun.h"
#include "run/RunOutputChecks.h"
#include "run/RunOutputs.h"
#include "run/RunPaths.h"
#include "text/FileContent.h"
#include "text/NativeText.h"

namespace {

// The mode a project is encoded with when the front end does not choose one.
std::string MatchedMode(const PSoundProject& project, const TavrelSettings& settings) {
    const std::string newProjectMode =
        MatchOutputModeName(settings.outputModes, NewDefaultProject(settings), {});
    return MatchOutputModeName(settings.outputModes, project, newProjectMode);
}

// The options of the mode named name. An editable mode ("Custom...") stands for the values the
// user chose and saw, which the project holds (the window copies its boxes into it before a run):
// those are encoded, with the mode's option letters. Fixed modes keep their own values.
EncoderOptions ResolveMode(const std::string& name, const std::vector<PMP3Converter>& modes,
                           const PSoundProject& project) {
    EncoderOptions options;
    options.modeName = name;
    const PMP3Converter* found = FindOutputMode(modes, name);
    if (!found)
        return options;
    PMP3Converter mode = *found;
    if (mode.enabled) {
        const std::string* shown[] = {&project.Quality, &project.Mode, &project.Bitrate};
        for (size_t i = 0; i < mode.params.size() && i < 3; ++i)
            if (!shown[i]->empty())
                mode.params[i].value = *shown[i];
    }
    options.found = true;
    options.arguments = EncoderOptionArguments(mode);
    options.bitrateKbps = BitrateKbps(mode);
    return options;
}

// Why a run of request may not start, in the order the user is told: no input, no output folder,
// the report's path, the output folder that cannot be made.
std::optional<AutomationResult> Refusal(const RunRequest& request) {
    AutomationResult refused;
    const PSoundProject& project = request.project;
    const auto tr = [](const char* text) { return QCoreApplication::translate("AutomationRun", text); };
    if (project.Files.empty()) {
        refused.message = tr(kNoInputFilesMessage);
        return refused;
    }
    if (TrimBlanks(project.OutputFolder).empty()) {
        refused.message = tr(kNoOutputFolderMessage);
        return refused;
    }
    const RunOutputs outputs(project.Files, request.outputFolder);
    if (const std::string problem =
            ReportFileProblem(project, outputs, request.reportPath, project.ProjectName);
        !problem.empty()) {
        refused.outcome = AutomationResult::Outcome::ReportRefused;
        refused.message = TextFromBytes(problem);
        return refused;
    }
    if (const std::string failed = MakeFolders(project.OutputFolder, true); !failed.empty()) {
        refused.outcome = AutomationResult::Outcome::Aborted;
        refused.message = tr(kOutputFolderFailedMessage);
        refused.detail = TextFromBytes(failed);
        return refused;
    }
    return std::nullopt;
}

} // namespace

RunRequest MakeRunRequest(PSoundProject project, const TavrelSettings& settings, const RunChoices& choices) {
    RunRequest request;
    for (PSoundFile& file : project.Files)
        file.File = AbsolutePath(file.File);
    // Run as the window's controls show a loaded project, so that both make the same movies.
    ClampToControls(project);
    request.outputFolder = project.OutputFolder;
    if (request.outputFolder.empty() || request.outputFolder.back() != '/')
        request.outputFolder += '/';
    request.encoder = ResolveMode(choices.outputMode ? *choices.outputMode : MatchedMode(project, settings),
                                  settings.outputModes, project);
    request.encoderCount =
        std::clamp(choices.encoders.value_or(settings.encoders), 1, int32_t{kMaxEncoderCount});
    request.reportPath = choices.reportPath.empty() ? ReportPathFor(request.outputFolder, project.ProjectName)
                                                    : choices.reportPath;
    request.project = std::move(project);
    request.refused = Refusal(request);
    return request;
}
