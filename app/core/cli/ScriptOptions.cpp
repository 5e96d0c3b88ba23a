// The command line for scripts: `tavrel [OPTIONS] FILE|FOLDER...`, options in the GNU way, and
// the input files they name.
#include "cli/ScriptOptions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "project/OutputModes.h"
#include "project/ProjectControls.h"
#include "project/ProjectFile.h"
#include "sound/DroppedFiles.h"
#include "sound/SoundFileNames.h"
#include "text/FileContent.h"
#include "text/NativeText.h"
#include "text/Translations.h"

namespace {

enum class Option {
    Output,
    Mode,
    ListModes,
    Quality,
    ChannelMode,
    Bitrate,
    Fps,
    Tuner,
    Stop,
    Jobs,
    Report,
    SaveProject,
    DryRun,
    Recursive,
    FilesFrom,
    Null,
    Quiet,
    Window,
    Information,
    Gapless,
    Loops,
    Standalone,
};

struct OptionName {
    char shortName; // 0: none
    const char* longName;
    bool takesValue;
    Option option;
};

const OptionName kOptions[] = {
    {'o', "output", true, Option::Output},
    {'m', "mode", true, Option::Mode},
    {0, "list-modes", false, Option::ListModes},
    {0, "quality", true, Option::Quality},
    {0, "channel-mode", true, Option::ChannelMode},
    {0, "bitrate", true, Option::Bitrate},
    {0, "fps", true, Option::Fps},
    {0, "tuner", true, Option::Tuner},
    {0, "stop", true, Option::Stop},
    {'j', "jobs", true, Option::Jobs},
    {0, "report", true, Option::Report},
    {0, "save-project", true, Option::SaveProject},
    {'n', "dry-run", false, Option::DryRun},
    {'r', "recursive", false, Option::Recursive},
    {0, "files-from", true, Option::FilesFrom},
    {'0', "null", false, Option::Null},
    {'q', "quiet", false, Option::Quiet},
    {'w', "window", false, Option::Window},
    {0, "help", false, Option::Information},
    {0, "version", false, Option::Information},
    {0, "gapless", false, Option::Gapless},
    {0, "loops", true, Option::Loops},
    {0, "standalone", false, Option::Standalone},
};

// A number from low to high, or false.
bool NumberIn(const std::string& text, int32_t low, int32_t high, std::optional<int32_t>& value) {
    int32_t number = 0;
    if (text.find_first_not_of("+-0123456789") != std::string::npos || !TryParseInt32(text, number) ||
        number < low || number > high)
        return false;
    value = number;
    return true;
}

// An option's words in the user's language, with the arguments' bytes in place of %1, %2...
std::string Words(const char* words, std::initializer_list<std::string> arguments = {}) {
    return MessageBytes(QCoreApplication::translate("ScriptOptions", words), arguments);
}

// What a number option expects: "a whole number from LOW to HIGH".
std::string WholeNumberFrom(int32_t low, int32_t high) {
    return Words(QT_TRANSLATE_NOOP("ScriptOptions", "a whole number from %1 to %2"),
                 {std::to_string(low), std::to_string(high)});
}

// Sets what one option says; false with error when its value is not one it takes.
bool Apply(const OptionName& name, const std::string& spelt, const std::string& value, ScriptOptions& options,
           std::string& error) {
    const auto bad = [&](const std::string& expected) {
        error = Words(QT_TRANSLATE_NOOP("ScriptOptions", "invalid value '%1' for %2: %3"),
                      {value, spelt, expected});
        return false;
    };
    const QString text = TextFromBytes(value);
    switch (name.option) {
    case Option::Output:
        if (value.empty())
            return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "a folder")));
        options.outputFolder = value;
        return true;
    case Option::Mode:
        if (value.empty())
            return bad(Words(
                QT_TRANSLATE_NOOP("ScriptOptions", "an output mode's name or number (see --list-modes)")));
        options.outputMode = value;
        return true;
    case Option::ListModes:
        options.listModes = true;
        return true;
    case Option::Quality:
        if (!QualityItems().contains(text))
            return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "1 (best) to 9")));
        options.quality = value;
        return true;
    case Option::ChannelMode:
        if (!ModeItems().contains(text))
            return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "stereo, joint, force, mono or auto")));
        options.channelMode = BytesFromText(ModeValueOfItem(text));
        return true;
    case Option::Bitrate:
        if (!BitrateItems().contains(text + QStringLiteral(" kbps"))) {
            QStringList rates;
            for (const QString& item : BitrateItems())
                rates << BitrateValueOfItem(item);
            return bad(BytesFromText(rates.join(QStringLiteral(", "))));
        }
        options.bitrate = value;
        return true;
    case Option::Fps:
        return NumberIn(value, kFramesPerSecondMin, kFramesPerSecondMax, options.framesPerSecond) ||
               bad(WholeNumberFrom(kFramesPerSecondMin, kFramesPerSecondMax));
    case Option::Tuner:
        return NumberIn(value, kFrameTunerMin, kFrameTunerMax, options.frameTuner) ||
               bad(WholeNumberFrom(kFrameTunerMin, kFrameTunerMax));
    case Option::Stop: {
        const char* const actions[] = {"none", "start", "end"};
        for (int32_t i = 0; i < 3; ++i)
            if (value == actions[i]) {
                options.stopAction = i;
                return true;
            }
        return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "none, start or end")));
    }
    case Option::Jobs:
        return NumberIn(value, 1, kMaxEncoderCount, options.encoders) ||
               bad(WholeNumberFrom(1, kMaxEncoderCount));
    case Option::Report:
        if (value.empty())
            return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "a file")));
        options.reportPath = value;
        return true;
    case Option::SaveProject:
        if (value.empty())
            return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "a file")));
        options.saveProject = value;
        return true;
    case Option::DryRun:
        options.dryRun = true;
        return true;
    case Option::Recursive:
        options.recursive = true;
        return true;
    case Option::FilesFrom:
        if (value.empty())
            return bad(Words(QT_TRANSLATE_NOOP("ScriptOptions", "a file, or - for standard input")));
        options.sources.push_back({true, value});
        return true;
    case Option::Null:
        options.nullSeparated = true;
        return true;
    case Option::Quiet:
        options.quiet = true;
        return true;
    case Option::Window:
        options.window = true;
        return true;
    case Option::Information:
        return true;
    case Option::Gapless:
        options.gapless = true;
        return true;
    case Option::Loops:
        return NumberIn(value, 1, kLoopsMax, options.loops) || bad(WholeNumberFrom(1, kLoopsMax));
    case Option::Standalone:
        options.standalone = true;
        return true;
    }
    return true;
}

// The names a list holds, in order, without the empty ones.
std::vector<std::string> NamesOfList(const std::string& text, char separator) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

bool ReadList(const std::string& path, std::string& text, std::string& error) {
    if (path == "-") {
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
            if (got == 0)
                return true;
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                error = Words(QT_TRANSLATE_NOOP("ScriptOptions",
                                                "cannot read the list of files from standard input: %1"),
                              {std::strerror(errno)});
                return false;
            }
            text.append(buffer, static_cast<size_t>(got));
        }
    }
    // A list may be as long as it likes, but it must be a file, not a pipe that never ends.
    const ReadOutcome read = ReadFileContent(path, text, static_cast<size_t>(1) << 30);
    if (read == ReadOutcome::Read)
        return true;
    error = Words(QT_TRANSLATE_NOOP("ScriptOptions", "cannot read the list of files %1%2"),
                  {path, read == ReadOutcome::Missing
                             ? Words(QT_TRANSLATE_NOOP("ScriptOptions", ": no such file"))
                             : ReadFailureReason(read, size_t{1} << 30)});
    return false;
}

// ".xml" in any letter case, after a name: what the program saves projects as.
bool LooksLikeProjectFile(const std::string& name) {
    return name.size() > 4 && HasExtension(name, ".xml");
}

void AddInput(const std::string& path, bool recursive, std::vector<std::string>& files) {
    const std::string absolute = AbsolutePath(path);
    struct stat info {};
    if (stat(absolute.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        const std::vector<std::string> inside = SoundFilesIn(absolute, recursive);
        files.insert(files.end(), inside.begin(), inside.end());
    } else {
        // Whatever it is (or is not), the run tells what became of it.
        files.push_back(absolute);
    }
}

} // namespace

bool ParseScriptOptions(const QStringList& arguments, ScriptOptions& options, std::string& error) {
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const std::string argument = BytesFromText(arguments[i]);
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            // A project file among the sounds is a mistake of the form, not a sound to fail on.
            if (!optionsEnded && LooksLikeProjectFile(argument)) {
                error =
                    Words(QT_TRANSLATE_NOOP("ScriptOptions", "%1: a project file is converted with -f:%1"),
                          {argument});
                return false;
            }
            options.sources.push_back({false, argument});
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        // The value of an option that takes one: attached, or the next argument.
        const auto valueOf = [&](const std::string& spelt, std::optional<std::string> attached,
                                 std::string& value) {
            if (attached) {
                value = *attached;
                return true;
            }
            if (i + 1 >= arguments.size()) {
                error = Words(QT_TRANSLATE_NOOP("ScriptOptions", "option '%1' needs a value"), {spelt});
                return false;
            }
            value = BytesFromText(arguments[++i]);
            return true;
        };
        if (argument[1] == '-') {
            const size_t equals = argument.find('=');
            const std::string spelt = argument.substr(0, equals);
            const OptionName* name = nullptr;
            for (const OptionName& candidate : kOptions)
                if (spelt.compare(2, std::string::npos, candidate.longName) == 0)
                    name = &candidate;
            if (!name) {
                error = Words(QT_TRANSLATE_NOOP("ScriptOptions", "unknown option '%1'"), {spelt});
                return false;
            }
            std::optional<std::string> attached;
            if (equals != std::string::npos)
                attached = argument.substr(equals + 1);
            if (!name->takesValue && attached) {
                error = Words(QT_TRANSLATE_NOOP("ScriptOptions", "option '%1' takes no value"), {spelt});
                return false;
            }
            std::string value;
            if (name->takesValue && !valueOf(spelt, attached, value))
                return false;
            if (!Apply(*name, spelt, value, options, error))
                return false;
            continue;
        }
        // Short options, bundled: the first that takes a value takes the rest of the argument.
        for (size_t at = 1; at < argument.size(); ++at) {
            const OptionName* name = nullptr;
            for (const OptionName& candidate : kOptions)
                if (candidate.shortName == argument[at])
                    name = &candidate;
            const std::string spelt = std::string("-") + argument[at];
            if (!name) {
                error = Words(QT_TRANSLATE_NOOP("ScriptOptions", "unknown option '%1'"), {spelt});
                return false;
            }
            std::string value;
            if (name->takesValue) {
                std::optional<std::string> attached;
                if (at + 1 < argument.size())
                    attached = argument.substr(at + 1);
                if (!valueOf(spelt, attached, value) || !Apply(*name, spelt, value, options, error))
                    return false;
                break;
            }
            if (!Apply(*name, spelt, value, options, error))
                return false;
        }
    }
    // The window shows a new project to be set up there; only its inputs come from here.
    if (options.window &&
        (options.outputFolder || !options.outputMode.empty() || !options.quality.empty() ||
         !options.channelMode.empty() || !options.bitrate.empty() || options.framesPerSecond ||
         options.frameTuner || options.stopAction || options.encoders || !options.reportPath.empty() ||
         !options.saveProject.empty() || options.dryRun || options.listModes || options.gapless ||
         options.loops || options.standalone)) {
        error = Words(QT_TRANSLATE_NOOP(
            "ScriptOptions", "option '--window' takes only FILE|FOLDER arguments, -r, --files-from and -0"));
        return false;
    }
    if (options.standalone && options.framesPerSecond == 0) {
        error = Words(
            QT_TRANSLATE_NOOP("ScriptOptions", "option '--standalone' needs a frame rate: --fps 1 to 100"));
        return false;
    }
    return true;
}

bool GatherInputFiles(const ScriptOptions& options, std::vector<std::string>& files, std::string& error) {
    files.clear();
    bool standardInputRead = false;
    for (const ScriptOptions::Source& source : options.sources) {
        if (!source.isList) {
            AddInput(source.path, options.recursive, files);
            continue;
        }
        if (source.path == "-" && std::exchange(standardInputRead, true))
            continue;
        std::string text;
        if (!ReadList(source.path, text, error))
            return false;
        for (const std::string& name : NamesOfList(text, options.nullSeparated ? '\0' : '\n'))
            AddInput(name, options.recursive, files);
    }
    return true;
}
