// The program's command line: "-f:<project file>" and "-hide".
#include "CommandLine.h"

#include <QFileInfo>
#include <QProcess>

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
    const QFileInfo file(commandLine.projectPath);
    if (!file.exists() || file.isDir())
        return QString::fromLatin1(kInvalidFilenameMessage);
    return QString();
}

bool SpawnSession(const QString& programPath) {
    return QProcess::startDetached(programPath, QStringList());
}
