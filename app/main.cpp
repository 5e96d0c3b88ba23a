// The program: "--help" and "--version" print and end; files and options are converted with no
// window; a project-file start without a display runs headless; otherwise it creates the five windows once,
// shows the main window and runs the event loop.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include "CommandLine.h"
#include "ErrorLines.h"
#include "ExitStatus.h"
#include "HeadlessRun.h"
#include "NativeText.h"
#include "ProgramIdentity.h"
#include "QtUserDialogs.h"
#include "ScriptOptions.h"
#include "ScriptRun.h"
#include "StopSignals.h"
#include "TFormMain.h"
#include "TavrelWindows.h"

namespace {

// Arguments are bytes; a path in them that is not UTF-8 must reach the file system unchanged.
QStringList ArgumentTexts(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << TextFromBytes(argv[i]);
    return arguments;
}

void ShowStartFailure(const QString& text, bool hideMode) {
    if (hideMode) {
        PrintErrorLine(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
    box.exec();
}

// The folder of the executable with the exact bytes of its name: Qt's own answer reads them as
// UTF-8, and settings.ini beside a folder name that is not would never be found.
QString ProgramFolder() {
    const QString file = OwnProgramFile();
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QCoreApplication::applicationDirPath();
    return slash == 0 ? QStringLiteral("/") : file.left(slash);
}
} // namespace

int main(int argc, char* argv[]) {
    // A reader of our messages that has gone away (tavrel ... 2>&1 | head) must not end a run:
    // the write fails instead, and the encoders get the default back (EncoderRunner).
    std::signal(SIGPIPE, SIG_IGN);
    const QStringList arguments = ArgumentTexts(argc, argv);
    const CommandLine commandLine = ParseCommandLine(arguments);

    // Answered before any window-system connection: it works wherever the program can start.
    const QString information = InformationText(commandLine.information);
    if (!information.isEmpty()) {
        const std::string bytes = BytesFromText(information);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    // Files and options: converted with no window, or (-w) put into the window's input list.
    // The project form keeps its own grammar, with nothing beside it.
    QStringList windowFiles;
    const bool scriptForm = commandLine.hasArguments && !commandLine.projectForm;
    if (scriptForm) {
        ScriptOptions options;
        std::string error;
        if (!ParseScriptOptions(arguments, options, error)) {
            PrintUsageError(error);
            return kExitCheckMessage;
        }
        if (!options.window) {
            QCoreApplication application(argc, argv);
            QCoreApplication::setApplicationName(ApplicationTitle());
            return RunScript(options, ProgramFolder());
        }
        std::vector<std::string> files;
        if (!GatherInputFiles(options, files, error)) {
            PrintUsageError(error);
            return kExitLoadFailed;
        }
        for (const std::string& file : files)
            windowFiles << TextFromBytes(file);
    } else if (!commandLine.unexpected.isEmpty()) {
        // The project form has always run with anything else beside it left aside; a script
        // still learns that its option was not used.
        PrintErrorLine(
            QStringLiteral("tavrel: '%1' is ignored beside -f: and -hide").arg(commandLine.unexpected));
    }
    // What the window's first activation reads: a window start with files has none.
    const QStringList projectArguments = scriptForm ? QStringList() : arguments;

    // Decided before any window-system connection is tried: with no display there is none.
    if (ShouldRunHeadless(projectArguments)) {
        QCoreApplication application(argc, argv);
        QCoreApplication::setApplicationName(ApplicationTitle());
        return RunHeadless(projectArguments, ProgramFolder());
    }
    // The window alone, with nothing to show it on: the window system would abort the program.
    if (projectArguments.isEmpty() && NoDisplayNamed()) {
        PrintErrorLine(QString::fromLatin1(kNoDisplayMessage));
        return kExitCheckMessage;
    }

    // A display that is named but does not answer (a stale DISPLAY in a batch script) must not
    // abort the program: the window system then falls back to the offscreen platform, and a
    // command-line run goes on headless while a start without arguments says why it ends.
    const bool fallBackToOffscreen = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                                     !qEnvironmentVariableIsEmpty("DISPLAY") &&
                                     qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (fallBackToOffscreen)
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    QApplication application(argc, argv);
    SetDesktopIdentity();
    if (fallBackToOffscreen) {
        qunsetenv("QT_QPA_PLATFORM");
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            if (!projectArguments.isEmpty())
                return RunHeadless(projectArguments, ProgramFolder());
            PrintErrorLine(QString::fromLatin1(kNoDisplayMessage));
            return kExitCheckMessage;
        }
    }
    // Without a desktop theme the menus still get pictures from the theme that ships with Debian.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    try {
        // Ctrl+C, a kill or a closed terminal or session: a run under way stops, and the program ends.
        StopSignals stopSignals;
        QtUserDialogs dialogs;
        TavrelWindows windows(ProgramFolder(), &dialogs);
        QObject::connect(&stopSignals, &StopSignals::Received, windows.main.get(), &TFormMain::StopSignalled);
        // Read at the first activation: "-f:" and "-hide"; the window system's own options
        // ("-platform", "-style"...) are gone from argv by now.
        windows.main->SetArguments(scriptForm ? QStringList() : ArgumentTexts(argc, argv));
        windows.main->AddInputFiles(windowFiles);
        windows.main->show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        ShowStartFailure(TextFromBytes(error.what()), commandLine.hideMode);
    } catch (...) {
        ShowStartFailure(QStringLiteral("An unknown failure stopped the program."), commandLine.hideMode);
    }
    return 1;
}
