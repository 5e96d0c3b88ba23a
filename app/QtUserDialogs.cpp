// The real message boxes, file dialogs, folder browser, help window and browser.
#include "QtUserDialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "HelpWindow.h"
#include "ProgramIdentity.h"
#include "text/NativeText.h"

namespace {

// True when Qt's file classes reach the file at path (as TextFromBytes shows it) under its own
// name: they convert names as UTF-8, which a name that is not UTF-8 does not survive.
bool QtNamesItExactly(const QString& path) {
    return QFile::encodeName(path).toStdString() == BytesFromText(path);
}

// Qt's dialogs show a name that is not UTF-8 with U+FFFD in place of its bytes; the windows need
// the real name.
QStringList RecoverDialogPaths(const QStringList& paths) {
    QStringList recovered;
    recovered.reserve(paths.size());
    for (const QString& path : paths)
        recovered << RecoverDialogPath(path);
    return recovered;
}
} // namespace

QtUserDialogs::QtUserDialogs() = default;
QtUserDialogs::~QtUserDialogs() = default;

void QtUserDialogs::ShowMessage(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, owner);
    box.exec();
}

void QtUserDialogs::ShowError(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, owner);
    box.exec();
}

UserDialogs::Answer QtUserDialogs::AskYesNoCancel(QWidget* owner, const QString& text, const QString& title,
                                                  const QString& detail) {
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
    box.setInformativeText(detail);
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
    return RecoverDialogPaths(QFileDialog::getOpenFileNames(owner, title, QString(), filter));
}

QString QtUserDialogs::OpenFileName(QWidget* owner, const QString& title, const QString& filter) {
    return RecoverDialogPath(QFileDialog::getOpenFileName(owner, title, QString(), filter));
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
    const QString chosen = dialog.selectedFiles().constFirst();
    const QString recovered = RecoverDialogPath(chosen);
    // The dialog asks about a file it sees under the name it decoded; a name that is not UTF-8 it
    // takes for a new one, so the question is asked here. No cancels the command.
    struct stat info {};
    if (recovered != chosen && lstat(BytesFromText(recovered).c_str(), &info) == 0) {
        QMessageBox box(QMessageBox::Warning, title,
                        tr("%1 already exists.\nDo you want to replace it?")
                            .arg(recovered.mid(recovered.lastIndexOf(QLatin1Char('/')) + 1)),
                        QMessageBox::Yes | QMessageBox::No, owner);
        if (box.exec() != QMessageBox::Yes)
            return QString();
    }
    return recovered;
}

QString QtUserDialogs::BrowseForFolder(QWidget* owner, const QString& title) {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString start = QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
    return RecoverDialogPath(
        QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly));
}

void QtUserDialogs::ShowHelp(QWidget* owner, const QString& helpFile, const QString& topic) {
    if (!helpWindow_)
        helpWindow_ = std::make_unique<HelpWindow>();
    // A help file whose path is not UTF-8 is opened by its bytes and handed over as the
    // descriptor's name, which Qt reads through; the window reads it before this returns.
    bool shown = false;
    if (QtNamesItExactly(helpFile)) {
        shown = helpWindow_->ShowTopic(helpFile, topic, owner);
    } else {
        const int file = open(BytesFromText(helpFile).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (file >= 0) {
            shown = helpWindow_->ShowTopic(QStringLiteral("/proc/self/fd/%1").arg(file), topic, owner);
            close(file);
        }
    }
    if (!shown)
        ShowMessage(owner, tr("The help file %1 cannot be opened.").arg(QDir::toNativeSeparators(helpFile)));
}

void QtUserDialogs::OpenInBrowser(const QString& urlOrPath) {
    // A local file's address is made from the bytes of its name, escaped, so that a name that is
    // not UTF-8 reaches the browser as it is.
    const std::string bytes = BytesFromText(urlOrPath);
    struct stat info {};
    if (!bytes.empty() && bytes.front() == '/' && stat(bytes.c_str(), &info) == 0) {
        const QByteArray escaped = QByteArray::fromStdString(bytes).toPercentEncoding("/");
        QDesktopServices::openUrl(QUrl::fromEncoded("file://" + escaped));
        return;
    }
    const QUrl url = QFileInfo::exists(urlOrPath)
                         ? QUrl::fromLocalFile(QFileInfo(urlOrPath).absoluteFilePath())
                         : QUrl::fromUserInput(urlOrPath);
    QDesktopServices::openUrl(url);
}
