// Converting a project file from the command line with no window at all.
#include "cli/HeadlessRun.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <QCoreApplication>

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/ProjectRunFlow.h"
#include "project/ProgramFiles.h"
#include "run/AutomationRun.h"
#include "run/StopSignals.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"

const char* const kNoDisplayMessage = QT_TRANSLATE_NOOP(
    "HeadlessRun",
    "There is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set, or the "
    "display does not answer). To convert without one, run: tavrel -o DIR FILE... (sound files), "
    "or tavrel -f:project.xml -hide (a project)");

namespace {

bool PlatformHasNoDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

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

bool ShouldRunHeadless(const QStringList& arguments) {
    return ParseCommandLine(arguments).hasArguments && PlatformHasNoDisplay();
}

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "tavrel";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

int RunHeadless(const QStringList& arguments, const QString& programFolder) {
    const std::unique_ptr<QCoreApplication> ownApplication = EnsureCoreApplication();
    // From here on a signal stops the run, or ends the program before one starts.
    StopSignals stopSignals;
    ProjectRunFlow flow(ReadProgramSettings(ProgramFiles(BytesFromText(programFolder)).SettingsToRead()));
    QObject::connect(&flow, &ProjectRunFlow::message, &PrintMessageLine);
    QObject::connect(&flow, &ProjectRunFlow::error, &PrintErrorLine);
    const ProjectRunFlow::Prepared prepared = flow.PrepareFromCommandLine(ParseCommandLine(arguments));
    if (prepared != ProjectRunFlow::Prepared::Ready)
        return ProjectRunFlow::ExitStatusOf(prepared);
    if (StopSignals::Caught())
        return kExitRunIncomplete;

    AutomationRun run;
    QObject::connect(&run, &AutomationRun::message, &PrintMessageLine);
    return RunUntilEnded(flow, run, stopSignals);
}

int RunUntilEnded(ProjectRunFlow& flow, AutomationRun& run, StopSignals& stopSignals,
                  const std::function<void()>& beforeExit) {
    QObject::connect(&stopSignals, &StopSignals::Received, &run, &AutomationRun::Stop);
    std::optional<int> status;
    QObject::connect(&flow, &ProjectRunFlow::ended, [&status, &beforeExit](int ended) {
        if (beforeExit)
            beforeExit();
        status = ended;
        QCoreApplication::exit(ended);
    });
    flow.Start(run);
    QCoreApplication::exec();
    // The application also ends when something else quits it: what is unfinished then counts as
    // stopped, and the encoders still running end with the run.
    return status.value_or(kExitRunIncomplete);
}
