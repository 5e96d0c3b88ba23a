// The command line for scripts: `tavrel [OPTIONS] FILE|FOLDER...`, options in the GNU way, and
// the input files they name.
#include "cli/ScriptOptions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include <QCoreApplication>

#include "cli/OptionTable.h"
#include "sound/DroppedFiles.h"
#include "sound/SoundFileNames.h"
#include "text/FileContent.h"
#include "text/NativeText.h"
#include "text/Translations.h"

namespace {

// An option's words in the user's language, with the arguments' bytes in place of %1, %2...
std::string Words(const char* words, std::initializer_list<std::string> arguments = {}) {
    return MessageBytes(QCoreApplication::translate("ScriptOptions", words), arguments);
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

// The option of a long name ("--output"), or nullptr.
const OptionRow* LongOption(const std::string& spelt) {
    for (const OptionRow& row : OptionTable())
        if (row.longName && spelt.compare(2, std::string::npos, row.longName) == 0)
            return &row;
    return nullptr;
}

// The option of a short name ('o'), or nullptr.
const OptionRow* ShortOption(char name) {
    for (const OptionRow& row : OptionTable())
        if (row.shortName != 0 && row.shortName == name)
            return &row;
    return nullptr;
}

// One pass over the arguments, left to right, by the option table.
class OptionParser {
public:
    OptionParser(const QStringList& arguments, ScriptOptions& options, std::string& error)
        : arguments_(arguments), options_(options), error_(error) {}

    bool Parse() {
        while (next_ < arguments_.size())
            if (!Argument(BytesFromText(arguments_[next_++])))
                return false;
        return OptionsAgree();
    }

private:
    bool Argument(const std::string& argument) {
        if (optionsEnded_ || argument.size() < 2 || argument[0] != '-')
            return FileArgument(argument);
        if (argument == "--") {
            optionsEnded_ = true;
            return true;
        }
        return argument[1] == '-' ? LongArgument(argument) : ShortArgument(argument);
    }

    bool FileArgument(const std::string& argument) {
        // A project file among the sounds is a mistake of the form, not a sound to fail on.
        if (!optionsEnded_ && LooksLikeProjectFile(argument))
            return Fail(QT_TRANSLATE_NOOP("ScriptOptions", "%1: a project file is converted with -f:%1"),
                        {argument});
        options_.sources.push_back({false, argument});
        return true;
    }

    // "--name", "--name value" or "--name=value".
    bool LongArgument(const std::string& argument) {
        const size_t equals = argument.find('=');
        const std::string spelt = argument.substr(0, equals);
        const OptionRow* row = LongOption(spelt);
        if (!row)
            return Fail(QT_TRANSLATE_NOOP("ScriptOptions", "unknown option '%1'"), {spelt});
        std::optional<std::string> attached;
        if (equals != std::string::npos)
            attached = argument.substr(equals + 1);
        if (!row->setValue && attached)
            return Fail(QT_TRANSLATE_NOOP("ScriptOptions", "option '%1' takes no value"), {spelt});
        std::string value;
        return (!row->setValue || Value(spelt, attached, value)) && Apply(*row, spelt, value);
    }

    // Short options, bundled: the first that takes a value takes the rest of the argument.
    bool ShortArgument(const std::string& argument) {
        for (size_t at = 1; at < argument.size(); ++at) {
            const std::string spelt = std::string("-") + argument[at];
            const OptionRow* row = ShortOption(argument[at]);
            if (!row)
                return Fail(QT_TRANSLATE_NOOP("ScriptOptions", "unknown option '%1'"), {spelt});
            if (!row->setValue) {
                Apply(*row, spelt, std::string());
                continue;
            }
            std::optional<std::string> attached;
            if (at + 1 < argument.size())
                attached = argument.substr(at + 1);
            std::string value;
            return Value(spelt, attached, value) && Apply(*row, spelt, value);
        }
        return true;
    }

    // The value of an option that takes one: attached, or the next argument.
    bool Value(const std::string& spelt, const std::optional<std::string>& attached, std::string& value) {
        if (attached) {
            value = *attached;
            return true;
        }
        if (next_ >= arguments_.size())
            return Fail(QT_TRANSLATE_NOOP("ScriptOptions", "option '%1' needs a value"), {spelt});
        value = BytesFromText(arguments_[next_++]);
        return true;
    }

    // Sets what one option says; false when its value is not one it takes.
    bool Apply(const OptionRow& row, const std::string& spelt, const std::string& value) {
        besideWindowOnly_ = besideWindowOnly_ && row.besideWindow;
        if (row.flag)
            options_.*row.flag = true;
        std::string expected;
        if (!row.setValue || row.setValue(value, options_, expected))
            return true;
        return Fail(QT_TRANSLATE_NOOP("ScriptOptions", "invalid value '%1' for %2: %3"),
                    {value, spelt, expected});
    }

    // What the options given say together.
    bool OptionsAgree() {
        // The window shows a new project to be set up there; only its inputs come from here.
        if (options_.window && !besideWindowOnly_)
            return Fail(QT_TRANSLATE_NOOP(
                "ScriptOptions",
                "option '--window' takes only FILE|FOLDER arguments, -r, --files-from and -0"));
        if (options_.standalone && options_.framesPerSecond == 0)
            return Fail(QT_TRANSLATE_NOOP("ScriptOptions",
                                          "option '--standalone' needs a frame rate: --fps 1 to 100"));
        return true;
    }

    bool Fail(const char* words, std::initializer_list<std::string> arguments = {}) {
        error_ = Words(words, arguments);
        return false;
    }

    const QStringList& arguments_;
    ScriptOptions& options_;
    std::string& error_;
    qsizetype next_ = 0;           // the argument after the one being read
    bool optionsEnded_ = false;    // after "--" every argument is a file's name
    bool besideWindowOnly_ = true; // every option given so far is one that -w takes
};

} // namespace

bool ParseScriptOptions(const QStringList& arguments, ScriptOptions& options, std::string& error) {
    return OptionParser(arguments, options, error).Parse();
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
