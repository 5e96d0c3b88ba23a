// The real message boxes, file dialogs, folder browser, help window and browser.
#pragma once

#include <QCoreApplication>

#include <memory>

#include "UserDialogs.h"

class HelpWindow;

class QtUserDialogs : public UserDialogs {
    Q_DECLARE_TR_FUNCTIONS(QtUserDialogs)

public:
    QtUserDialogs();
    ~QtUserDialogs() override;

    void ShowMessage(QWidget* owner, const QString& text) override;
    void ShowError(QWidget* owner, const QString& text) override;
    Answer AskYesNoCancel(QWidget* owner, const QString& text, const QString& title,
                          const QString& detail) override;
    QStringList OpenFileNames(QWidget* owner, const QString& title, const QString& filter) override;
    QString OpenFileName(QWidget* owner, const QString& title, const QString& filter) override;
    QString SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& defaultSuffix) override;
    QString BrowseForFolder(QWidget* owner, const QString& title) override;
    void ShowHelp(QWidget* owner, const QString& helpFile, const QString& topic) override;
    void OpenInBrowser(const QString& urlOrPath) override;

private:
    std::unique_ptr<HelpWindow> helpWindow_;
};
