// The program's command line: "-f:<project file>" and "-hide"; "--help" and "--version".
#include "cli/CommandLine.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include <QCoreApplication>

#include "cli/OptionTable.h"
#include "project/ProgramFiles.h"
#include "text/NativeText.h"

const char* const kInvalidParametersMessage = QT_TRANSLATE_NOOP("CommandLine", "Invalid Parameters");
const char* const kInvalidFilenameMessage = QT_TRANSLATE_NOOP("CommandLine", "Invalid Filename");

namespace {

// Blanks and control characters (everything up to ' ') off both ends.
QString TrimBlanksAndControls(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= ' ')
        ++start;
    while (end > start && text[end - 1].unicode() <= ' ')
        --end;
    return text.mid(start, end - start);
}

// --help a part at a time (the options' entries are the option table's), each translated whole, so
// that a language lays out its own lines within 80 columns; option names, values and the examples'
// commands stay as they are.
const char* const kUsage = QT_TRANSLATE_NOOP(
    "CommandLine", "Usage: tavrel [OPTIONS] FILE|FOLDER...   convert sound files, no window\n"
                   "       tavrel -w [FILE|FOLDER...]       open the window with these files listed\n"
                   "       tavrel -f:<project> [-hide]      convert a project's sound files and end\n"
                   "       tavrel                           open the window\n"
                   "       tavrel --help | --version | --list-modes\n");
const char* const kAbout = QT_TRANSLATE_NOOP(
    "CommandLine", "SWF Tavrel Tool turns sound files into SWF movies that play the sound. A FOLDER\n"
                   "stands for the sound files directly inside it (-r: and in its subfolders), in\n"
                   "name order, hidden ones left out: MP3, and what libsndfile reads (WAV, AIFF,\n"
                   "FLAC, Ogg Vorbis and Opus, AU, CAF, W64, RF64 and more).\n");
const char* const kProgress = QT_TRANSLATE_NOOP(
    "CommandLine", "On a terminal a run shows its progress on standard error (files done, percent,\n"
                   "the file in work) and a summary line; otherwise, as with -f:, only a line for\n"
                   "each file that gave no movie, and why. Messages start with \"tavrel: \".\n");
const char* const kExamples = QT_TRANSLATE_NOOP(
    "CommandLine", "Examples:\n"
                   "  tavrel -o movies sounds/                  every sound file in sounds/\n");
const char* const kExampleCommands =
    "  tavrel -r -m 2 --stop end -o movies music/\n"
    "  tavrel --quality 2 --bitrate 256 -o out a.wav b.mp3\n"
    "  find . -name '*.wav' -print0 | tavrel -0 --files-from - -o out\n"
    "  tavrel -n --save-project job.xml -o out sounds/ && tavrel -f:job.xml -hide\n";
const char* const kExitStatuses = QT_TRANSLATE_NOOP(
    "CommandLine", "Exit status of a run (files or -f:):\n"
                   "  0  every listed file became a movie and the report was written\n"
                   "  1  a mistake in the options (an unknown option, a missing or bad value; the\n"
                   "     message names it), no sound files, no output folder, a check message\n"
                   "     (Invalid Parameters, Invalid Filename, no input files, no output\n"
                   "     folder, an output folder that cannot be made), or no display or no\n"
                   "     window program to show the window\n"
                   "  2  the project file, a --files-from list or settings.ini could not be read,\n"
                   "     or the --save-project file could not be written (or would replace an\n"
                   "     input or a movie of the run)\n"
                   "  3  the run was stopped (closing the window; SIGINT, SIGTERM or SIGHUP,\n"
                   "     which also end a window that runs nothing), or its report could not be\n"
                   "     written (or would replace an input, a movie or the project file)\n"
                   "  4  the run completed, but some listed files gave no movie (-n: some listed\n"
                   "     files cannot be read)\n");
const char* const kSettings = QT_TRANSLATE_NOOP(
    "CommandLine", "Settings: settings.ini beside the program when there is one; else each\n"
                   "user's own $XDG_CONFIG_HOME/tavrel/settings.ini\n"
                   "(~/.config/tavrel/settings.ini), made from the shipped\n"
                   "share/tavrel/settings.ini when the preferences are first saved.\n");

QString Translated(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

QString UsageText() {
    QString text = Translated(kUsage) + QLatin1Char('\n') + Translated(kAbout) + QLatin1Char('\n');
    for (const OptionRow& option : OptionTable())
        text += Translated(option.help);
    return text + QLatin1Char('\n') + Translated(kProgress) + QLatin1Char('\n') + Translated(kExamples) +
           QLatin1String(kExampleCommands) + QLatin1Char('\n') + Translated(kExitStatuses) +
           QLatin1Char('\n') + Translated(kSettings);
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine commandLine;
    commandLine.hasArguments = !arguments.isEmpty();
    bool optionsEnded = false; // after "--" every argument is a file's name
    for (const QString& argument : arguments) {
        const bool project = argument.startsWith(QLatin1String("-f:")) || argument == QLatin1String("-hide");
        const bool usage = argument == QLatin1String("--help") || argument == QLatin1String("-h");
        const bool version = argument == QLatin1String("--version");
        if (!project && !usage && !version && commandLine.unexpected.isEmpty())
            commandLine.unexpected = argument;
        if (argument == QLatin1String("--"))
            optionsEnded = true;
        if (optionsEnded)
            continue;
        commandLine.projectForm = commandLine.projectForm || project;
        if (argument.startsWith(QLatin1String("-f:")))
            commandLine.projectPath = argument.mid(3);
        else if (argument == QLatin1String("-hide"))
            commandLine.hideMode = true;
        else if (usage && commandLine.information == CommandLine::Information::None)
            commandLine.information = CommandLine::Information::Usage;
        else if (version && commandLine.information == CommandLine::Information::None)
            commandLine.information = CommandLine::Information::Version;
    }
    return commandLine;
}

QString InformationText(CommandLine::Information information) {
    switch (information) {
    case CommandLine::Information::None:
        break;
    case CommandLine::Information::Version:
        return QStringLiteral("tavrel %1\n").arg(QString::fromLatin1(ProgramVersion()));
    case CommandLine::Information::Usage:
        return UsageText();
    }
    return QString();
}

QString CommandLineProblem(const CommandLine& commandLine, QString* detail) {
    QString why;
    QString problem;
    // Qt's file classes would read the name as UTF-8 and miss a file whose name is not.
    struct stat info {};
    if (TrimBlanksAndControls(commandLine.projectPath).isEmpty()) {
        problem = QCoreApplication::translate("CommandLine", kInvalidParametersMessage);
        why = commandLine.projectPath.isEmpty() && commandLine.hideMode
                  ? QCoreApplication::translate(
                        "CommandLine", "-hide needs a project, -f:<project> (files are converted without "
                                       "-hide: tavrel -o DIR FILE...)")
                  : QCoreApplication::translate(
                        "CommandLine", "no project file is named: -f:<project>, with no blank after -f:");
    } else if (stat(BytesFromText(commandLine.projectPath).c_str(), &info) != 0) {
        problem = QCoreApplication::translate("CommandLine", kInvalidFilenameMessage);
        why = commandLine.projectPath + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    } else if (S_ISDIR(info.st_mode)) {
        problem = QCoreApplication::translate("CommandLine", kInvalidFilenameMessage);
        why = QCoreApplication::translate("CommandLine", "%1: it is a folder, not a project file")
                  .arg(commandLine.projectPath);
    }
    if (detail)
        *detail = why;
    return problem;
}

bool SpawnSession(const QString& programPath) {
    // Started from the exact bytes of its name: Qt's process class would pass them as UTF-8.
    const std::string program = BytesFromText(programPath);
    char* const arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0)
        return false;
    // The copy lives on its own; whenever it ends, its exit status is collected so that no
    // finished process is left behind.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

QString OwnProgramFile() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size())
        return QString();
    path.resize(static_cast<size_t>(length));
    return TextFromBytes(path);
}
