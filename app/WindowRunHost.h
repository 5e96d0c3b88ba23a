// The main window's side of a run: message boxes, the progress window, and the commands that
// stay disabled while a run is under way.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>
#include <vector>

class AutomationRun;
class QAction;
class QWidget;
class TFormProgressBarPercent;
class UserDialogs;
struct FileOutcome;

// Shows what a run tells: its messages in boxes owned by owner (on standard error in hide mode),
// its progress in the progress window (updated but never shown in hide mode).
class WindowRunHost : public QObject {
    Q_OBJECT
public:
    WindowRunHost(QWidget* owner, UserDialogs& dialogs, AutomationRun& run);

    void SetProgressForm(TFormProgressBarPercent* progress);
    // The command line's "-hide": nobody watches, and a box would wait for a click that never comes.
    void SetHideMode(bool hideMode) { hideMode_ = hideMode; }
    // The files of the run about to start, in list order: the progress window names the one in work.
    void SetInputFiles(const QStringList& files) { inputFiles_ = files; }

    // The message box shows text; with -hide, standard error gets detail beside it.
    void ShowMessage(const QString& text, const QString& detail = QString());
    void ReportError(const QString& text);

private:
    void ShowProgress(int total);
    // Files finish in list order: the one in work is the first that has not; the files handled
    // are those up to the last whose work completed.
    void FileDone(int index, const FileOutcome& outcome);
    void HideProgress();

    QWidget* owner_;
    UserDialogs& dialogs_;
    QPointer<TFormProgressBarPercent> progress_;
    QStringList inputFiles_;
    bool hideMode_ = false;
};

// Disables commands for its lifetime and gives each its former enabled state back afterwards.
class CommandsDisabledDuringRun {
public:
    explicit CommandsDisabledDuringRun(std::initializer_list<QAction*> commands);
    ~CommandsDisabledDuringRun();
    CommandsDisabledDuringRun(const CommandsDisabledDuringRun&) = delete;
    CommandsDisabledDuringRun& operator=(const CommandsDisabledDuringRun&) = delete;

private:
    std::vector<std::pair<QPointer<QAction>, bool>> commands_;
};

// The question the main window asks when it is closed during a run.
QString StopRunQuestion();
