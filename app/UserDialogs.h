// The seam between the windows and everything modal a user answers: message boxes,
// file dialogs, the folder browser, help and the browser. Tests answer it with a script.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

class UserDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;

    // The simple message box: text, one OK button, caption "SWF Tavrel Tool".
    virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
    // A failure that escaped a command (the framework's error box).
    virtual void ShowError(QWidget* owner, const QString& text) = 0;
    // Yes / No / Cancel, no icon. detail, when not empty, stands below the question (which project
    // it is about). Closing the box any other way answers Cancel.
    virtual Answer AskYesNoCancel(QWidget* owner, const QString& text, const QString& title,
                                  const QString& detail) = 0;

    // filter uses Qt's form, e.g. "Wav files (*.wav);;All Files (*)". Empty result: cancelled.
    virtual QStringList OpenFileNames(QWidget* owner, const QString& title, const QString& filter) = 0;
    virtual QString OpenFileName(QWidget* owner, const QString& title, const QString& filter) = 0;
    // Asks before overwriting; adds defaultSuffix to a name typed without an extension.
    virtual QString SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // Empty result: cancelled, or the choice has no file-system path.
    virtual QString BrowseForFolder(QWidget* owner, const QString& title) = 0;

    // Opens the help file at a topic (e.g. "INTRODUCTION", "PREFERENCES").
    virtual void ShowHelp(QWidget* owner, const QString& helpFile, const QString& topic) = 0;
    // Opens a local file or an address in the default browser.
    virtual void OpenInBrowser(const QString& urlOrPath) = 0;
};
