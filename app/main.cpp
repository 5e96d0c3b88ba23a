// The program: a command-line start without a display runs headless; otherwise it creates the
// five windows once, shows the main window and runs the event loop.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>

#include <exception>
#include <memory>

#include "HeadlessRun.h"
#include "PreferencesScreenshotSteps.h"
#include "QtUserDialogs.h"
#include "ScreenshotTour.h"
#include "TFormAbout.h"
#include "TFormAddNewOutputMode.h"
#include "TFormMain.h"
#include "TFormPreferences.h"
#include "TFormProgressBarPercent.h"

namespace {
const QString kApplicationTitle = QStringLiteral("SWF Tavrel Tool");

void ShowStartFailure(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok);
    box.exec();
}
} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Decided before any window-system connection is tried: with no display there is none.
    if (ShouldRunHeadless(arguments)) {
        QCoreApplication application(argc, argv);
        QCoreApplication::setApplicationName(kApplicationTitle);
        return RunHeadless(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath());
    }

    // A display that is named but does not answer (a stale DISPLAY in a batch script) must not
    // end a command-line run: the window system then falls back to the offscreen platform and
    // the run goes on headless.
    const bool fallBackToHeadless = !arguments.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                                    !qEnvironmentVariableIsEmpty("DISPLAY") &&
                                    qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (fallBackToHeadless)
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    if (fallBackToHeadless) {
        qunsetenv("QT_QPA_PLATFORM");
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            return RunHeadless(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath());
    }
    // Without a desktop theme the menus still get pictures from the theme that ships with Debian.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    try {
        QtUserDialogs dialogs;
        auto main = std::make_unique<TFormMain>(QCoreApplication::applicationDirPath(), &dialogs);
        QApplication::setWindowIcon(main->windowIcon());

        // The other windows belong to the main window and go with it.
        auto* progress = new TFormProgressBarPercent(main.get());
        PreferencesHost host;
        host.settings = &main->tavrelSettings;
        host.mainOutputModeBox = main->ComboBoxOutputMode;
        host.settingsPath = main->SettingsPath();
        host.helpFile = main->HelpFile();
        host.dialogs = &dialogs;
        auto* preferences = new TFormPreferences(host, main.get());
        auto* about = new TFormAbout(main.get());
        auto* newOutputMode = new TFormAddNewOutputMode(preferences, preferences);
        preferences->SetAddNewOutputModeForm(newOutputMode);

        main->SetProgressForm(progress);
        main->SetPreferencesForm(preferences);
        main->SetAboutForm(about);
        // Read at the first activation: "-f:" and "-hide".
        main->SetArguments(QCoreApplication::arguments().mid(1));

        main->show();

        // Only the screenshot script sets this: it photographs the windows and ends the program.
        std::unique_ptr<ScreenshotTour> tour;
        if (!ScreenshotTour::RequestedFolder().isEmpty()) {
            tour = std::make_unique<ScreenshotTour>(ScreenshotTour::RequestedFolder());
            tour->AddMainWindowSteps(main.get(), about);
            AddPreferencesSteps(tour.get(), preferences, newOutputMode);
            tour->Start();
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        ShowStartFailure(QString::fromStdString(error.what()));
    } catch (...) {
        ShowStartFailure(QStringLiteral("An unknown failure stopped the program."));
    }
    return 1;
}
