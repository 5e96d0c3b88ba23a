// How a start of the program goes until a window is needed.
#include "cli/ProgramStart.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <string>
#include <vector>

#include "TavrelBuild.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/HeadlessRun.h"
#include "cli/ScriptOptions.h"
#include "cli/ScriptRun.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"

namespace {

// The folder of this executable, or Qt's answer when the system does not say.
QString OwnFolder() {
    const QString file = OwnProgramFile();
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QCoreApplication::applicationDirPath();
    return slash == 0 ? QStringLiteral("/") : file.left(slash);
}

// folder/relative without "." and "..": the system names this executable by its real path, with no
// link in it, so ".." is the parent folder itself.
QString Beside(const QString& folder, const char* relative) {
    return QDir::cleanPath(folder + QLatin1Char('/') + QLatin1String(relative));
}

} // namespace

QString ApplicationTitle() {
    return QStringLiteral("SWF Tavrel Tool");
}

QStringList ArgumentTexts(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << TextFromBytes(argv[i]);
    return arguments;
}

QString ProgramFolder() {
    return OwnFolder();
}

QString ProgramFolderOfWindow() {
    return Beside(OwnFolder(), TAVREL_PROGRAM_FROM_WINDOW);
}

QString WindowProgramFile(const QString& programFolder) {
    return Beside(programFolder, TAVREL_WINDOW_FROM_PROGRAM);
}

std::optional<int> StartWithoutWindow(int argc, char* argv[], const QString& programFolder,
                                      WindowStart& window) {
    // Every message on standard error says whose it is, the window's with -hide too.
    StartErrorLinesWith("tavrel: ");
    const QStringList arguments = ArgumentTexts(argc, argv);
    const CommandLine commandLine = ParseCommandLine(arguments);
    window.hideMode = commandLine.hideMode;

    // Answered before any window-system connection: it works wherever the program can start.
    const QString information = InformationText(commandLine.information);
    if (!information.isEmpty()) {
        const std::string bytes = BytesFromText(information);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    ForgetDeadWaylandDisplay();
    // Files and options: converted with no window, or (-w) put into the window's input list.
    // The project form keeps its own grammar, with nothing beside it.
    window.withFiles = commandLine.hasArguments && !commandLine.projectForm;
    if (window.withFiles) {
        ScriptOptions options;
        std::string error;
        if (!ParseScriptOptions(arguments, options, error)) {
            PrintUsageError(error);
            return kExitCheckMessage;
        }
        if (!options.window) {
            QCoreApplication::setApplicationName(ApplicationTitle());
            return RunScript(options, programFolder);
        }
        // The window reads the lists itself: one may be standard input or a pipe, read once.
        // Without a display, one that cannot be read is still said before the display is missed.
        QStringList files;
        if (NoDisplayNamed() && !GatherWindowFiles(options, files))
            return kExitLoadFailed;
        window.options = options;
    } else if (!commandLine.unexpected.isEmpty() && CommandLineProblem(commandLine).isEmpty()) {
        // The project form has always run with anything else beside it left aside; a script
        // still learns that its option was not used. (A form with no project says what it lacks.)
        window.ignoredLine =
            QCoreApplication::translate("ProgramStart", "'%1' is ignored beside -f: and -hide")
                .arg(commandLine.unexpected);
    }
    // What the window's first activation reads: a window start with files has none.
    const QStringList projectArguments = window.withFiles ? QStringList() : arguments;

    // Decided before any window-system connection is tried: with no display there is none.
    if (ShouldRunHeadless(projectArguments)) {
        if (!window.ignoredLine.isEmpty())
            PrintErrorLine(window.ignoredLine);
        QCoreApplication::setApplicationName(ApplicationTitle());
        return RunHeadless(projectArguments, programFolder);
    }
    // The window alone, with nothing to show it on: the window system would abort the program.
    if (projectArguments.isEmpty() && NoDisplayNamed()) {
        PrintErrorLine(QCoreApplication::translate("HeadlessRun", kNoDisplayMessage));
        return kExitCheckMessage;
    }
    return std::nullopt;
}

bool GatherWindowFiles(const ScriptOptions& options, QStringList& files) {
    std::vector<std::string> gathered;
    std::string error;
    if (!GatherInputFiles(options, gathered, error)) {
        PrintUsageError(error);
        return false;
    }
    for (const std::string& file : gathered)
        files << TextFromBytes(file);
    return true;
}
