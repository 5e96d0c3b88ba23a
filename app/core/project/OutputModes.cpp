// Output modes: looking presets up, their encoder options, and the defaults of a new project.
#include "project/OutputModes.h"

#include <algorithm>

#include <QThread>

int32_t DefaultEncoderCount() {
    return std::clamp<int32_t>(QThread::idealThreadCount(), 1, kMaxEncoderCount);
}

const PMP3Converter* FindOutputMode(const std::vector<PMP3Converter>& modes, const std::string& name) {
    for (const PMP3Converter& mode : modes) {
        if (mode.name == name)
            return &mode;
    }
    return nullptr;
}

PMP3Converter* FindOutputMode(std::vector<PMP3Converter>& modes, const std::string& name) {
    const auto& constModes = modes;
    return const_cast<PMP3Converter*>(FindOutputMode(constModes, name));
}

std::string EncoderOptionText(const PMP3Converter& mode) {
    std::string text = "--silent --quiet ";
    for (const PParameter& param : mode.params)
        text += "-" + param.name + param.value + " ";
    return text;
}

std::vector<std::string> EncoderOptionArguments(const PMP3Converter& mode) {
    std::vector<std::string> arguments = {"--silent", "--quiet"};
    for (const PParameter& param : mode.params)
        arguments.push_back("-" + param.name + param.value);
    return arguments;
}

PSoundProject NewDefaultProject(const TavrelSettings& settings) {
    PSoundProject project;
    project.ProjectName = "Untitled.xml";
    // A settings file may name a preset that is not there, or one cut short by hand;
    // a new project must still come up, so it then takes the usual music settings.
    project.Quality = "5";
    project.Mode = "j";
    project.Bitrate = "128";
    const int32_t index = settings.emptyProjectMode;
    if (index >= 0 && static_cast<size_t>(index) < settings.outputModes.size()) {
        const std::vector<PParameter>& params = settings.outputModes[static_cast<size_t>(index)].params;
        if (params.size() >= 3) {
            project.Quality = params[0].value;
            project.Mode = params[1].value;
            project.Bitrate = params[2].value;
        }
    }
    project.OutputFolder = settings.defaultOutputFolder;
    project.StopAction = 0;
    project.FramePerSeconds = kDefaultFramesPerSecond;
    project.FrameTuner = 0;
    project.Files.clear();
    return project;
}

int MatchingOutputMode(const std::vector<PMP3Converter>& modes, const PSoundProject& project) {
    for (size_t i = 0; i < modes.size(); ++i) {
        const std::vector<PParameter>& params = modes[i].params;
        if (params.size() >= 3 && params[0].value == project.Quality && params[1].value == project.Mode &&
            params[2].value == project.Bitrate)
            return static_cast<int>(i);
    }
    return -1;
}

const char* const kCustomOutputModeName = "Custom...";

std::string MatchOutputModeName(const std::vector<PMP3Converter>& modes, const PSoundProject& project,
                                const std::string& fallback) {
    const int matching = MatchingOutputMode(modes, project);
    if (matching >= 0)
        return modes[static_cast<size_t>(matching)].name;
    if (FindOutputMode(modes, kCustomOutputModeName))
        return kCustomOutputModeName;
    return fallback;
}

std::vector<std::string> ParameterValues(const PMP3Converter& mode) {
    std::vector<std::string> values;
    for (const PParameter& parameter : mode.params)
        values.push_back(parameter.value);
    return values;
}

int32_t BitrateKbps(const PMP3Converter& mode) {
    int32_t kbps = 0;
    if (mode.params.size() < 3 || !TryParseInt32(mode.params[2].value, kbps) || kbps < 0)
        return 0;
    return kbps;
}
