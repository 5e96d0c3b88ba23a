// The main window's side of a run: message boxes, the progress window, and the commands that
// stay disabled while a run is under way.
#include "WindowRunHost.h"

#include <QAction>
#include <QWidget>

#include "TFormProgressBarPercent.h"
#include "UserDialogs.h"
#include "run/AutomationRun.h"
#include "text/ErrorLines.h"

QString StopRunQuestion() {
    return WindowRunHost::tr(
        "A conversion is under way. Stop it and close the program?\n\nThe files converted "
        "so far are kept and listed in the run report; the file being converted now is "
        "not finished.");
}

WindowRunHost::WindowRunHost(QWidget* owner, UserDialogs& dialogs, AutomationRun& run)
    : owner_(owner), dialogs_(dialogs) {
    connect(&run, &AutomationRun::message, this,
            [this](const QString& text, const QString& detail, RunMessageSeverity severity) {
                if (severity == RunMessageSeverity::Error)
                    ReportError(text);
                else
                    ShowMessage(text, detail);
            });
    connect(&run, &AutomationRun::started, this, &WindowRunHost::ShowProgress);
    connect(&run, &AutomationRun::fileDone, this, &WindowRunHost::FileDone);
    connect(&run, &AutomationRun::finished, this, &WindowRunHost::HideProgress);
}

void WindowRunHost::SetProgressForm(TFormProgressBarPercent* progress) {
    progress_ = progress;
}

void WindowRunHost::ShowMessage(const QString& text, const QString& detail) {
    if (hideMode_)
        PrintMessageLine(text, detail);
    else
        dialogs_.ShowMessage(owner_, text);
}

void WindowRunHost::ReportError(const QString& text) {
    if (hideMode_)
        PrintErrorLine(text);
    else
        dialogs_.ShowError(owner_, text);
}

void WindowRunHost::ShowProgress(int total) {
    if (!progress_)
        return;
    if (!hideMode_)
        progress_->show();
    progress_->StartRun(total);
    progress_->SetFileInWork(inputFiles_.value(0));
}

void WindowRunHost::FileDone(int index, const FileOutcome& outcome) {
    if (!progress_)
        return;
    // A file that was skipped does not move the progress on.
    if (outcome.handled)
        progress_->SetFilesHandled(index + 1);
    progress_->SetFileInWork(inputFiles_.value(index + 1));
}

void WindowRunHost::HideProgress() {
    if (progress_)
        progress_->hide();
}

CommandsDisabledDuringRun::CommandsDisabledDuringRun(std::initializer_list<QAction*> commands) {
    for (QAction* command : commands) {
        if (!command)
            continue;
        commands_.emplace_back(command, command->isEnabled());
        command->setEnabled(false);
    }
}

CommandsDisabledDuringRun::~CommandsDisabledDuringRun() {
    for (auto& [command, wasEnabled] : commands_)
        if (command)
            command->setEnabled(wasEnabled);
}
