// tavrel-screenshots: starts the program's windows as the program does, photographs them into a
// folder and ends. Used by scripts/screenshots.sh on a virtual display.
//
//   tavrel-screenshots <output folder> [project file]
//
// The windows read settings.ini and the help file from the folder this executable is in, which
// is the program's own folder in the build.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <exception>
#include <string>

#include "PreferencesScreenshotSteps.h"
#include "ProgramIdentity.h"
#include "QtUserDialogs.h"
#include "ScreenshotTour.h"
#include "TFormMain.h"
#include "TavrelWindows.h"
#include "cli/ProgramStart.h"
#include "project/ProgramFiles.h"
#include "text/NativeText.h"
#include "text/Translations.h"

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <output folder> [project file]\n", argv[0]);
        return 2;
    }
    // Taken before QApplication removes the window system's options from argv.
    const QString outputFolder = TextFromBytes(argv[1]);
    const std::string projectFile = argc == 3 ? argv[2] : "";

    QApplication application(argc, argv);
    // In the language of the environment (LANG), as the program shows its windows.
    InstallTranslations(ProgramFiles(BytesFromText(ProgramFolder())));
    SetDesktopIdentity();
    // Without a desktop theme the menus still get pictures from the theme that ships with Debian.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    try {
        QtUserDialogs dialogs;
        // The tool lives beside the program, and finds its files as the program does.
        TavrelWindows windows(ProgramFolder(), &dialogs);
        windows.main->show();

        ScreenshotTour tour(outputFolder);
        tour.AddMainWindowSteps(windows, projectFile);
        AddPreferencesSteps(&tour, windows.preferences, windows.newOutputMode);
        tour.Start();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshots: %s\n", error.what());
    }
    return 1;
}
