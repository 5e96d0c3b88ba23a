// The real message boxes, file dialogs, folder browser, help window and browser.
#include "QtUserDialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "HelpWindow.h"

namespace {
const QString kApplicationTitle = QStringLiteral("SWF Tavrel Tool");
}

QtUserDialogs::QtUserDialogs() = default;
QtUserDialogs::~QtUserDialogs() = default;

void QtUserDialogs::ShowMessage(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, owner);
    box.exec();
}

void QtUserDialogs::ShowError(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok, owner);
    box.exec();
}

UserDialogs::Answer QtUserDialogs::AskYesNoCancel(QWidget* owner, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QStringList QtUserDialogs::OpenFileNames(QWidget* owner, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileNames(owner, title, QString(), filter);
}

QString QtUserDialogs::OpenFileName(QWidget* owner, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

QString QtUserDialogs::SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& defaultSuffix) {
    // Qt's own dialog adds the suffix before it asks about overwriting, so the question is
    // always about the file that will really be written.
    QFileDialog dialog(owner, title, QString(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::BrowseForFolder(QWidget* owner, const QString& title) {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString start = QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
}

void QtUserDialogs::ShowHelp(QWidget* owner, const QString& helpFile, const QString& topic) {
    if (!helpWindow_)
        helpWindow_ = std::make_unique<HelpWindow>();
    if (!helpWindow_->ShowTopic(helpFile, topic))
        ShowMessage(
            owner,
            QStringLiteral("The help file %1 cannot be opened.").arg(QDir::toNativeSeparators(helpFile)));
}

void QtUserDialogs::OpenInBrowser(const QString& urlOrPath) {
    const QUrl url = QFileInfo::exists(urlOrPath)
                         ? QUrl::fromLocalFile(QFileInfo(urlOrPath).absoluteFilePath())
                         : QUrl::fromUserInput(urlOrPath);
    QDesktopServices::openUrl(url);
}
