// The screenshot tour of scripts/screenshots.sh: writes PNGs of the program's windows and ends.
#include "ScreenshotTour.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "TFormAbout.h"
#include "TFormMain.h"
#include "TFormProgressBarPercent.h"
#include "TavrelWindows.h"
#include "text/NativeText.h"

namespace {
// Long enough for a window or menu to be mapped and painted on a virtual display.
constexpr int kSettleMilliseconds = 700;
} // namespace

ScreenshotTour::ScreenshotTour(const QString& outputFolder, QObject* parent)
    : QObject(parent), outputFolder_(outputFolder) {}

void ScreenshotTour::AddMainWindowSteps(const TavrelWindows& windows, const std::string& projectFile) {
    TFormMain* main = windows.main.get();
    AddStep({QStringLiteral("main-window.png"),
             [main, projectFile] {
                 if (!projectFile.empty())
                     main->LoadProject(TextFromBytes(projectFile));
             },
             [main] { return main->frameGeometry(); }, nullptr});
    QMenu* file = main->findChild<QMenu*>(QStringLiteral("File1"));
    AddStep({QStringLiteral("file-menu.png"),
             [main, file] { main->menuBar()->setActiveAction(file->menuAction()); },
             [main, file] { return main->frameGeometry().united(file->geometry()); },
             [file] { file->close(); }});
    TFormAbout* about = windows.about;
    AddStep({QStringLiteral("about.png"), [main] { main->About1Click(); },
             [about] { return about->frameGeometry(); }, [about] { about->hide(); }});
    // As a run shows it, a file with a long name in work.
    TFormProgressBarPercent* progress = windows.progress;
    AddStep({QStringLiteral("progress.png"),
             [progress] {
                 progress->show();
                 progress->StartRun(4);
                 progress->SetFilesHandled(1);
                 progress->SetFileInWork(
                     QStringLiteral("/home/user/sounds/voice-over take 2, second version.wav"));
             },
             [progress] { return progress->frameGeometry(); }, [progress] { progress->hide(); }});
}

void ScreenshotTour::Start() {
    QDir().mkpath(outputFolder_);
    QTimer::singleShot(kSettleMilliseconds, this, [this] { RunStep(0); });
}

void ScreenshotTour::RunStep(size_t index) {
    if (index >= steps_.size()) {
        QCoreApplication::exit(failed_ ? 1 : 0);
        return;
    }
    Step& step = steps_[index];
    try {
        if (step.prepare)
            step.prepare();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshot %s: %s\n", BytesFromText(step.fileName).c_str(), error.what());
        failed_ = true;
    }
    QTimer::singleShot(kSettleMilliseconds, this, [this, index] {
        Step& current = steps_[index];
        if (!Grab(current.area(), current.fileName))
            failed_ = true;
        if (current.finish)
            current.finish();
        QTimer::singleShot(kSettleMilliseconds / 2, this, [this, index] { RunStep(index + 1); });
    });
}

bool ScreenshotTour::Grab(const QRect& area, const QString& fileName) {
    QScreen* screen = QGuiApplication::primaryScreen();
    // Window 0 is the whole screen, so menus and other windows above the area are included.
    const QPixmap shot =
        screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()) : QPixmap();
    const QString path = QDir(outputFolder_).filePath(fileName);
    if (shot.isNull() || !shot.save(path, "PNG")) {
        std::fprintf(stderr, "screenshot %s could not be written\n", BytesFromText(path).c_str());
        return false;
    }
    std::printf("%s\n", BytesFromText(path).c_str());
    std::fflush(stdout);
    return true;
}
