// The main window's side of a run: message boxes, the progress window, the output-mode box,
// the stop request, and the commands that stay disabled while a run is under way.
#pragma once

#include <QPointer>
#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

#include "AutomationRun.h"

class QAction;
class QComboBox;
class QWidget;
class TFormProgressBarPercent;
class UserDialogs;

class WindowRunHost : public RunHost {
public:
    // hideMode: the command line's "-hide"; the progress window is then updated but never shown,
    // and messages go to standard error instead of boxes.
    WindowRunHost(QWidget* owner, UserDialogs& dialogs, TFormProgressBarPercent* progress,
                  QComboBox* outputModeBox, bool hideMode);

    void ShowMessage(const QString& text) override;
    void ReportError(const QString& text) override;
    void ShowProgress(int maximum) override;
    void SetProgress(int handled) override;
    void HideProgress() override;
    void ProcessEvents() override;
    bool StopRequested() override { return stopRequested_; }
    std::string SelectedOutputModeName() override;

    void RequestStop() { stopRequested_ = true; }

private:
    QWidget* owner_;
    UserDialogs& dialogs_;
    QPointer<TFormProgressBarPercent> progress_;
    QPointer<QComboBox> outputModeBox_;
    bool hideMode_;
    bool stopRequested_ = false;
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
extern const char* const kStopRunQuestion;
