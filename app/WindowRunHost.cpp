// The main window's side of a run: message boxes, the progress window, the output-mode box,
// the stop request, and the commands that stay disabled while a run is under way.
#include "WindowRunHost.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QWidget>

#include "HeadlessRun.h"
#include "NativeText.h"
#include "TFormProgressBarPercent.h"
#include "UserDialogs.h"

const char* const kStopRunQuestion =
    "A conversion is under way. Stop it and close the program?\n\nThe files converted so far are kept "
    "and listed in the run report; the file being converted now is not finished.";

WindowRunHost::WindowRunHost(QWidget* owner, UserDialogs& dialogs, TFormProgressBarPercent* progress,
                             QComboBox* outputModeBox, bool hideMode)
    : owner_(owner), dialogs_(dialogs), progress_(progress), outputModeBox_(outputModeBox),
      hideMode_(hideMode) {}

// A hidden run is watched by nobody: a box would wait for a click that never comes.
void WindowRunHost::ShowMessage(const QString& text) {
    if (hideMode_)
        PrintErrorLine(text);
    else
        dialogs_.ShowMessage(owner_, text);
}

void WindowRunHost::ReportError(const QString& text) {
    if (hideMode_)
        PrintErrorLine(text);
    else
        dialogs_.ShowError(owner_, text);
}

void WindowRunHost::ShowProgress(int maximum) {
    if (!progress_)
        return;
    if (!hideMode_)
        progress_->show();
    progress_->StartRun(maximum);
}

void WindowRunHost::SetProgress(int handled) {
    if (progress_)
        progress_->SetFilesHandled(handled);
}

void WindowRunHost::HideProgress() {
    if (progress_)
        progress_->hide();
}

void WindowRunHost::ProcessEvents() {
    QCoreApplication::processEvents();
}

std::string WindowRunHost::SelectedOutputModeName() {
    return outputModeBox_ ? BytesFromText(outputModeBox_->currentText()) : std::string();
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
