// The program, tavrel: "--help" and "--version" print and end; files and options, and a project
// where there is no display, are converted with no window, without loading any window library.
// When a window is to be shown, the window program takes over with the same command line.
#include <unistd.h>

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <string>

#include "cli/ExitStatus.h"
#include "cli/ProgramStart.h"
#include "project/ProgramFiles.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"
#include "text/Translations.h"

int main(int argc, char* argv[]) {
    // A reader of our messages that has gone away (tavrel ... 2>&1 | head) must not end a run:
    // the write fails instead, and the encoders get the default back (EncoderRunner). The window
    // program inherits this too.
    std::signal(SIGPIPE, SIG_IGN);
    // Made first: every text, --help's too, is looked up in the user's language through it.
    QCoreApplication application(argc, argv);
    const QString programFolder = ProgramFolder();
    InstallTranslations(ProgramFiles(BytesFromText(programFolder)));
    WindowStart window;
    if (const std::optional<int> status = StartWithoutWindow(argc, argv, programFolder, window))
        return *status;

    // The arguments go over byte for byte, and argv[0] too: the window class is named after it.
    const QString windowProgram = WindowProgramFile(programFolder);
    execv(BytesFromText(windowProgram).c_str(), argv);
    const int failure = errno;
    PrintErrorLine(QCoreApplication::translate("main", "cannot start the window program %1: %2")
                       .arg(windowProgram, QString::fromLocal8Bit(std::strerror(failure))));
    return kExitCheckMessage;
}
