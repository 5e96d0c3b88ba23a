// The program's command line: "-f:<project file>" and "-hide".
#include "CommandLine.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "NativeText.h"

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
    }
    return commandLine;
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
