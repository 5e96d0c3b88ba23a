// The window program, tavrel-window, which the program (tavrel) starts with its own command line
// when a window is to be shown. Started by itself it goes through the same steps first
// (ProgramStart.h); then it shows the main window and runs the event loop. It lives apart from
// the program, but reads settings.ini and the shipped files where the program does.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>

#include <csignal>
#include <exception>
#include <optional>

#include "ProgramIdentity.h"
#include "QtUserDialogs.h"
#include "TFormMain.h"
#include "TavrelWindows.h"
#include "cli/ExitStatus.h"
#include "cli/ProgramStart.h"
#include "cli/ProjectRunFlow.h"
#include "project/ProgramFiles.h"
#include "run/StopSignals.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"
#include "text/Translations.h"

namespace {

void ShowStartFailure(const QString& text, bool hideMode) {
    if (hideMode) {
        PrintErrorLine(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
    box.exec();
}

// The steps before the window, which need no window system (it may not be there); their texts
// are translated all the same. The exit status when the program ends there.
std::optional<int> StartBeforeWindow(int argc, char* argv[], const QString& programFolder, WindowStart& start,
                                     QStringList& windowFiles) {
    QCoreApplication startApplication(argc, argv);
    InstallTranslations(ProgramFiles(BytesFromText(programFolder)));
    if (const std::optional<int> status = StartWithoutWindow(argc, argv, programFolder, start))
        return status;
    if (!start.ignoredLine.isEmpty())
        PrintErrorLine(start.ignoredLine);
    if (start.withFiles && !GatherWindowFiles(start.options, windowFiles))
        return kExitLoadFailed;
    return std::nullopt;
}

// A display that is named but does not answer (a stale DISPLAY in a batch script) must not abort
// the program: the window system then falls back to the offscreen platform. True when it may.
bool AllowOffscreenFallback() {
    const bool fallBack = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                          !qEnvironmentVariableIsEmpty("DISPLAY") &&
                          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (fallBack)
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    return fallBack;
}

// Shows the main window and runs the event loop until the program ends.
int ShowMainWindow(const QString& programFolder, const WindowStart& start, const QStringList& windowFiles) {
    // Ctrl+C, a kill or a closed terminal or session: a run under way stops, and the program ends.
    StopSignals stopSignals;
    QtUserDialogs dialogs;
    TavrelWindows windows(programFolder, &dialogs);
    QObject::connect(&stopSignals, &StopSignals::Received, windows.main.get(), &TFormMain::StopSignalled);
    // Spawn Session starts the program, as the desktop does, rather than this one.
    windows.main->SetProgramFile(programFolder + QStringLiteral("/tavrel"));
    // Read at the first activation: "-f:" and "-hide", as the start read them; anything beside
    // them (the window system's own "-platform", "-style"...) is left aside.
    windows.main->SetCommandLine(start.commandLine);
    windows.main->AddInputFiles(windowFiles);
    windows.main->show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // A reader of our messages that has gone away must not end a run (see the program's main).
    std::signal(SIGPIPE, SIG_IGN);
    const QString programFolder = ProgramFolderOfWindow();
    WindowStart start;
    QStringList windowFiles;
    if (const std::optional<int> status = StartBeforeWindow(argc, argv, programFolder, start, windowFiles))
        return *status;

    // Without a display that answers, a command-line run goes on headless while a start without
    // arguments says why it ends.
    const bool fallBackToOffscreen = AllowOffscreenFallback();
    QApplication application(argc, argv);
    InstallTranslations(ProgramFiles(BytesFromText(programFolder)));
    SetDesktopIdentity();
    if (fallBackToOffscreen) {
        qunsetenv("QT_QPA_PLATFORM");
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            if (start.commandLine.hasArguments)
                return RunHeadless(start.commandLine, programFolder);
            PrintErrorLine(NoDisplayMessage());
            return kExitCheckMessage;
        }
    }
    // Without a desktop theme the menus still get pictures from the theme that ships with Debian.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    try {
        return ShowMainWindow(programFolder, start, windowFiles);
    } catch (const std::exception& error) {
        ShowStartFailure(TextFromBytes(error.what()), start.hideMode);
    } catch (...) {
        ShowStartFailure(QCoreApplication::translate("main", "An unknown failure stopped the program."),
                         start.hideMode);
    }
    return 1;
}
