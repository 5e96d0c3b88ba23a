// The main window with a long input list: made, filled as `tavrel -w FILES...` fills it, shown and
// painted once; and the list scrolled a page at a time, each page painted. On the offscreen
// platform unless another is asked for.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QScrollBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "QtUserDialogs.h"
#include "TFormMain.h"
#include "TavrelWindows.h"

namespace {

// A program folder with the shipped settings, as the build keeps it.
struct Program {
    QTemporaryDir folder;
    QtUserDialogs dialogs;
    Program() {
        QFile::copy(QStringLiteral(TAVREL_SOURCE_DIR "/app/resources/settings.ini"),
                    folder.filePath("settings.ini"));
    }
};

// count paths in folders of 500, as a large batch is laid out; none of them is there.
QStringList Files(int count) {
    QStringList files;
    files.reserve(count);
    for (int i = 0; i < count; ++i)
        files << QStringLiteral("/home/user/sounds/batch %1/take %2.wav")
                     .arg(i / 500)
                     .arg(i, 5, 10, QLatin1Char('0'));
    return files;
}

QListView* InputList(const TFormMain& window) {
    return window.findChild<QListView*>(QStringLiteral("ListBoxInputFiles"));
}

void BM_OpenWindowWithFiles(benchmark::State& state) {
    Program program;
    const QStringList files = Files(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TavrelWindows windows(program.folder.path(), &program.dialogs);
        windows.main->AddInputFiles(files);
        windows.main->show();
        if (!QTest::qWaitForWindowExposed(windows.main.get()))
            state.SkipWithError("the window was not shown");
        // Painted once, whole.
        InputList(*windows.main)->viewport()->repaint();
        windows.main->repaint();
        benchmark::DoNotOptimize(windows.main.get());
    }
}

void BM_ScrollAPage(benchmark::State& state) {
    Program program;
    TavrelWindows windows(program.folder.path(), &program.dialogs);
    windows.main->AddInputFiles(Files(static_cast<int>(state.range(0))));
    windows.main->show();
    if (!QTest::qWaitForWindowExposed(windows.main.get()))
        state.SkipWithError("the window was not shown");
    QListView* list = InputList(*windows.main);
    list->setFocus();
    QScrollBar* bar = list->verticalScrollBar();
    for (auto _ : state) {
        QTest::keyClick(list, bar->value() >= bar->maximum() ? Qt::Key_Home : Qt::Key_PageDown);
        list->viewport()->repaint();
    }
}

} // namespace

BENCHMARK(BM_OpenWindowWithFiles)->Arg(0)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollAPage)->Arg(20000)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
