// How a start of the program goes until a window is needed.
#include "cli/ProgramStart.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "TavrelBuild.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/ProjectRunFlow.h"
#include "cli/ScriptOptions.h"
#include "cli/ScriptRun.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"

namespace {

const char* const kNoDisplayMessage = QT_TRANSLATE_NOOP(
    "ProgramStart",
    "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the "
    "display does not answer). To convert without one, run: tavrel -o DIR FILE... (sound files), "
    "or tavrel -f:project.xml -hide (a project)");

bool PlatformHasNoDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
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

// The folder of this executable, or Qt's answer when the system does not say.
QString ProgramFolder() {
    const QString file = OwnProgramFile();
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QCoreApplication::applicationDirPath();
    return slash == 0 ? QStringLiteral("/") : file.left(slash);
}

QString ProgramFolderOfWindow() {
    return Beside(ProgramFolder(), TAVREL_PROGRAM_FROM_WINDOW);
}

QString WindowProgramFile(const QString& programFolder) {
    return Beside(programFolder, TAVREL_WINDOW_FROM_PROGRAM);
}

namespace {

// Prints what --help or --version asks for; the exit status then.
std::optional<int> AnswerInformation(const CommandLine& commandLine) {
    const QString information = InformationText(commandLine.information);
    if (information.isEmpty())
        return std::nullopt;
    const std::string bytes = BytesFromText(information);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Files and options: read, or their mistake said (the exit status then).
std::optional<int> ReadScriptOptions(const QStringList& arguments, ScriptOptions& options) {
    std::string error;
    if (ParseScriptOptions(arguments, options, error))
        return std::nullopt;
    PrintUsageError(error);
    return kExitCheckMessage;
}

// -w: the options kept for the window, which reads the lists itself: one may be standard input or
// a pipe, read once. Without a display, one that cannot be read is still said before the display
// is missed (the exit status then).
std::optional<int> KeepForWindow(const ScriptOptions& options, WindowStart& window) {
    QStringList files;
    if (NoDisplayNamed() && !GatherWindowFiles(options, files))
        return kExitLoadFailed;
    window.options = options;
    return std::nullopt;
}

// The project form has always run with anything else beside it left aside; a script still learns
// that its option was not used. (A form with no project says what it lacks.) Empty when nothing is.
QString IgnoredLine(const CommandLine& commandLine) {
    if (commandLine.unexpected.isEmpty() || !CommandLineProblem(commandLine).isEmpty())
        return QString();
    return QCoreApplication::translate("ProgramStart", "'%1' is ignored beside -f: and -hide")
        .arg(commandLine.unexpected);
}

} // namespace

std::optional<int> StartWithoutWindow(int argc, char* argv[], const QString& programFolder,
                                      WindowStart& window) {
    // Every message on standard error says whose it is, the window's with -hide too.
    StartErrorLinesWith("tavrel: ");
    const QStringList arguments = ArgumentTexts(argc, argv);
    const CommandLine commandLine = ParseCommandLine(arguments);
    window.hideMode = commandLine.hideMode;
    // Answered before any window-system connection: it works wherever the program can start.
    if (const std::optional<int> status = AnswerInformation(commandLine))
        return status;

    ForgetDeadWaylandDisplay();
    // Files and options: converted with no window, or (-w) put into the window's input list. The
    // project form keeps its own grammar, with nothing beside it; it is what the window's first
    // activation reads (a window start with files has none).
    window.withFiles = commandLine.hasArguments && !commandLine.projectForm;
    if (window.withFiles) {
        ScriptOptions options;
        if (const std::optional<int> status = ReadScriptOptions(arguments, options))
            return status;
        if (!options.window) {
            QCoreApplication::setApplicationName(ApplicationTitle());
            return RunScript(options, programFolder);
        }
        if (const std::optional<int> status = KeepForWindow(options, window))
            return status;
    } else {
        window.commandLine = commandLine;
        window.ignoredLine = IgnoredLine(commandLine);
    }

    // Decided before any window-system connection is tried: with no display there is none.
    if (ShouldRunHeadless(window.commandLine)) {
        if (!window.ignoredLine.isEmpty())
            PrintErrorLine(window.ignoredLine);
        QCoreApplication::setApplicationName(ApplicationTitle());
        return RunHeadless(window.commandLine, programFolder);
    }
    // The window alone, with nothing to show it on: the window system would abort the program.
    if (!window.commandLine.hasArguments && NoDisplayNamed()) {
        PrintErrorLine(NoDisplayMessage());
        return kExitCheckMessage;
    }
    return std::nullopt;
}

QString NoDisplayMessage() {
    return QCoreApplication::translate("ProgramStart", kNoDisplayMessage);
}

void ForgetDeadWaylandDisplay() {
    const QByteArray display = qgetenv("WAYLAND_DISPLAY");
    // A socket handed over by whoever started us is not ours to try.
    if (display.isEmpty() || !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return;
    // Where a Wayland client connects: the name itself when absolute, else in XDG_RUNTIME_DIR.
    QByteArray path = display;
    if (!display.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        path = runtime.isEmpty() ? QByteArray() : runtime + '/' + display;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    bool answers = false;
    if (!path.isEmpty() && static_cast<size_t>(path.size()) < sizeof address.sun_path) {
        std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
        // Never waits: a compositor too busy to take us at once (EAGAIN) is there all the same.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        answers =
            fd >= 0 && (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
                        errno == EAGAIN || errno == EINPROGRESS);
        if (fd >= 0)
            ::close(fd);
    }
    if (!answers)
        qunsetenv("WAYLAND_DISPLAY");
}

bool NoDisplayNamed() {
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool ShouldRunHeadless(const CommandLine& commandLine) {
    return commandLine.hasArguments && PlatformHasNoDisplay();
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
