// The program's command line: "-f:<project file>" and "-hide"; "--help" and "--version".
#include "CommandLine.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "NativeText.h"
#include "ProgramFiles.h"

const char* const kInvalidParametersMessage = "Invalid Parameters";
const char* const kInvalidFilenameMessage = "Invalid Filename";

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

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine commandLine;
    commandLine.hasArguments = !arguments.isEmpty();
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("-f:")))
            commandLine.projectPath = argument.mid(3);
        else if (argument == QLatin1String("-hide"))
            commandLine.hideMode = true;
        else if (argument == QLatin1String("--help") &&
                 commandLine.information == CommandLine::Information::None)
            commandLine.information = CommandLine::Information::Usage;
        else if (argument == QLatin1String("--version") &&
                 commandLine.information == CommandLine::Information::None)
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
        return QStringLiteral(
            "Usage: tavrel                        open the window\n"
            "       tavrel -f:<project> [-hide]   convert a project's sound files and end\n"
            "       tavrel --help | --version\n"
            "\n"
            "SWF Tavrel Tool turns WAV and MP3 sound files into SWF movies that play the sound.\n"
            "\n"
            "  -f:<project>  Load the project file (as the window's Save Project writes it), make a\n"
            "                movie of each of its sound files in its output folder, write the run\n"
            "                report there and end. No blank between -f: and the path.\n"
            "  -hide         Show no window during that run: every message goes to standard\n"
            "                error. Without a display there is never a window.\n"
            "  --help        Print this text and end.\n"
            "  --version     Print the version and end.\n"
            "\n"
            "Exit status of a -f: run:\n"
            "  0  every listed file became a movie and the report was written\n"
            "  1  a check message (Invalid Parameters, Invalid Filename, no input files, no output\n"
            "     folder), or no display to show the window on\n"
            "  2  the project file or settings.ini could not be read\n"
            "  3  the run was stopped (closing the window; SIGINT, SIGTERM or SIGHUP, which also\n"
            "     end a window that runs nothing), or its report could not be written\n"
            "  4  the run completed, but some listed files gave no movie\n"
            "\n"
            "Settings: settings.ini beside the program when there is one; else each user's own\n"
            "$XDG_CONFIG_HOME/tavrel/settings.ini (~/.config/tavrel/settings.ini), made from the\n"
            "shipped share/tavrel/settings.ini when the preferences are first saved.\n");
    }
    return QString();
}

QString CommandLineProblem(const CommandLine& commandLine) {
    if (TrimBlanksAndControls(commandLine.projectPath).isEmpty())
        return QString::fromLatin1(kInvalidParametersMessage);
    // Qt's file classes would read the name as UTF-8 and miss a file whose name is not.
    struct stat info {};
    if (stat(BytesFromText(commandLine.projectPath).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return QString::fromLatin1(kInvalidFilenameMessage);
    return QString();
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
