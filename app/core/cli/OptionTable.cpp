// The program's options, one row each: their names, what each sets, whether the window form takes
// it, and its entry in --help.
#include "cli/OptionTable.h"

#include <cstdint>
#include <iterator>

#include <QCoreApplication>
#include <QStringList>

#include "cli/ScriptOptions.h"
#include "project/OutputModes.h"
#include "project/ProjectControls.h"
#include "project/ProjectFile.h"
#include "text/NativeText.h"
#include "text/Translations.h"

namespace {

// What an option takes, in the user's language, with the arguments' bytes in place of %1, %2...
std::string Expected(const char* words, std::initializer_list<std::string> arguments = {}) {
    return MessageBytes(QCoreApplication::translate("ScriptOptions", words), arguments);
}

bool SetOutput(const std::string& value, ScriptOptions& options, std::string& expected) {
    if (value.empty()) {
        expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "a folder"));
        return false;
    }
    options.outputFolder = value;
    return true;
}

bool SetMode(const std::string& value, ScriptOptions& options, std::string& expected) {
    if (value.empty()) {
        expected = Expected(
            QT_TRANSLATE_NOOP("ScriptOptions", "an output mode's name or number (see --list-modes)"));
        return false;
    }
    options.outputMode = value;
    return true;
}

bool SetQuality(const std::string& value, ScriptOptions& options, std::string& expected) {
    if (!QualityItems().contains(TextFromBytes(value))) {
        expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "1 (best) to 9"));
        return false;
    }
    options.quality = value;
    return true;
}

bool SetChannelMode(const std::string& value, ScriptOptions& options, std::string& expected) {
    const QString text = TextFromBytes(value);
    if (!ModeItems().contains(text)) {
        expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "stereo, joint, force, mono or auto"));
        return false;
    }
    options.channelMode = BytesFromText(ModeValueOfItem(text));
    return true;
}

bool SetBitrate(const std::string& value, ScriptOptions& options, std::string& expected) {
    if (!BitrateItems().contains(TextFromBytes(value) + QStringLiteral(" kbps"))) {
        QStringList rates;
        for (const QString& item : BitrateItems())
            rates << BitrateValueOfItem(item);
        expected = BytesFromText(rates.join(QStringLiteral(", ")));
        return false;
    }
    options.bitrate = value;
    return true;
}

bool SetStop(const std::string& value, ScriptOptions& options, std::string& expected) {
    const char* const actions[] = {"none", "start", "end"};
    for (int32_t i = 0; i < 3; ++i)
        if (value == actions[i]) {
            options.stopAction = i;
            return true;
        }
    expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "none, start or end"));
    return false;
}

// A whole number from low to high, signs and digits only.
template <std::optional<int32_t> ScriptOptions::*field, int32_t low, int32_t high>
bool SetNumber(const std::string& value, ScriptOptions& options, std::string& expected) {
    int32_t number = 0;
    if (value.find_first_not_of("+-0123456789") != std::string::npos || !TryParseInt32(value, number) ||
        number < low || number > high) {
        expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "a whole number from %1 to %2"),
                            {std::to_string(low), std::to_string(high)});
        return false;
    }
    options.*field = number;
    return true;
}

template <std::string ScriptOptions::*field>
bool SetFile(const std::string& value, ScriptOptions& options, std::string& expected) {
    if (value.empty()) {
        expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "a file"));
        return false;
    }
    options.*field = value;
    return true;
}

bool AddFilesFrom(const std::string& value, ScriptOptions& options, std::string& expected) {
    if (value.empty()) {
        expected = Expected(QT_TRANSLATE_NOOP("ScriptOptions", "a file, or - for standard input"));
        return false;
    }
    options.sources.push_back({true, value});
    return true;
}

// Short name, long name, flag, value, beside -w, --help's entry.
const OptionRow kRows[] = {
    {'o', "output", nullptr, SetOutput, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -o, --output DIR       Write the movies and the run report into DIR (made,\n"
                       "                         with its parents, when missing). Required for a run.\n")},
    {'m', "mode", nullptr, SetMode, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -m, --mode NAME|N      Encode with the output mode of that name, or number N\n"
                       "                         of --list-modes (default: the new project's).\n")},
    {0, "list-modes", &ScriptOptions::listModes, nullptr, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --list-modes       Print the output modes of settings.ini: number, name,\n"
                       "                         encoder options, and \"editable\" for the one whose\n"
                       "                         values the next three options set.\n")},
    {0, "quality", nullptr, SetQuality, false,
     QT_TRANSLATE_NOOP("CommandLine", "      --quality N        Encoder quality, 1 (best) to 9.\n")},
    {0, "channel-mode", nullptr, SetChannelMode, false,
     QT_TRANSLATE_NOOP("CommandLine", "      --channel-mode M   stereo, joint, force, mono or auto.\n")},
    {0, "bitrate", nullptr, SetBitrate, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --bitrate KBPS     16, 32, 64, 128 or 256. Any of these three not given is\n"
                       "                         the output mode's.\n")},
    {0, "fps", nullptr, SetNumber<&ScriptOptions::framesPerSecond, kFramesPerSecondMin, kFramesPerSecondMax>,
     false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --fps N            Frames per second, 0 to 100 (default 12): the rate of\n"
                       "                         the host movie that loads these movies, which sets how\n"
                       "                         many frames each has. Their own header keeps 12\n"
                       "                         unless --standalone.\n")},
    {0, "tuner", nullptr, SetNumber<&ScriptOptions::frameTuner, kFrameTunerMin, kFrameTunerMax>, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --tuner N          Frames added to (or taken from) each movie, -100 to\n"
                       "                         100.\n")},
    {0, "stop", nullptr, SetStop, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --stop WHEN        A Stop action: none (default), start or end.\n")},
    {0, "gapless", &ScriptOptions::gapless, nullptr, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --gapless          Exact timing: only the sound's own samples play, so it\n"
                       "                         starts on time and loops without a gap.\n")},
    {0, "loops", nullptr, SetNumber<&ScriptOptions::loops, 1, kLoopsMax>, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --loops N          Play the sound N times, 1 to 65535; the movie's frames\n"
                       "                         last as long.\n")},
    {0, "standalone", &ScriptOptions::standalone, nullptr, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --standalone       The header states --fps (1 to 100), not 12: a movie\n"
                       "                         played on its own lasts as long as its sound.\n")},
    {'j', "jobs", nullptr, SetNumber<&ScriptOptions::encoders, 1, kMaxEncoderCount>, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -j, --jobs N           Encode N files at once, 1 to 64 (default:\n"
                       "                         settings.ini's encoders, one per processor).\n")},
    {0, "report", nullptr, SetFile<&ScriptOptions::reportPath>, false,
     QT_TRANSLATE_NOOP("CommandLine", "      --report FILE      Write the run report to FILE (default:\n"
                                      "                         DIR/Untitled.txt, or DIR/<name>.txt with\n"
                                      "                         --save-project <name>.xml).\n")},
    {0, "save-project", nullptr, SetFile<&ScriptOptions::saveProject>, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --save-project FILE  Write the same run as a project file first (its\n"
                       "                         paths absolute); tavrel -f:FILE makes the same movies\n"
                       "                         and report.\n")},
    {'n', "dry-run", &ScriptOptions::dryRun, nullptr, false,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -n, --dry-run          Convert nothing: check what the run checks (the same\n"
                       "                         messages and exit status), save the project when\n"
                       "                         asked, and print the files to convert, one a line.\n")},
    {'r', "recursive", &ScriptOptions::recursive, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -r, --recursive        Take the sound files of a FOLDER's subfolders too.\n")},
    {0, "files-from", nullptr, AddFilesFrom, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "      --files-from LIST  Also convert the files (or folders) named in the file\n"
                       "                         LIST, one a line; - reads the names from standard\n"
                       "                         input.\n")},
    {'0', "null", &ScriptOptions::nullSeparated, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -0, --null             Names in a LIST end with a NUL, not a line break (as\n"
                       "                         find -print0 writes them); -n prints them so too.\n")},
    {'q', "quiet", &ScriptOptions::quiet, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine", "  -q, --quiet            No progress or summary on a terminal.\n")},
    {'w', "window", &ScriptOptions::window, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -w, --window           Open the window with the files in its input list.\n")},
    {0, nullptr, nullptr, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  --                     Every argument after it is a file, even one starting\n"
                       "                         with -.\n")},
    {0, nullptr, nullptr, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -f:<project>           Load the project file (as the window's Save Project\n"
                       "                         writes it), make a movie of each of its sound files\n"
                       "                         in its output folder, write the run report there and\n"
                       "                         end. No blank between -f: and the path. Relative\n"
                       "                         paths in the project are read from its folder.\n")},
    {0, nullptr, nullptr, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  -hide                  Show no window during that run: every message goes\n"
                       "                         to standard error. Without a display there is never\n"
                       "                         a window.\n")},
    {0, "help", nullptr, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine", "  -h, --help             Print this text and end.\n")},
    {0, "version", nullptr, nullptr, true,
     QT_TRANSLATE_NOOP("CommandLine", "  --version              Print the version and end.\n")},
};

} // namespace

const OptionRow* OptionTable::begin() const {
    return std::begin(kRows);
}

const OptionRow* OptionTable::end() const {
    return std::end(kRows);
}
