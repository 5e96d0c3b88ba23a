// The help window: shows the HTML help file at a named topic.
#include "HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("SWF Tavrel Tool Help"));
    // An open help window does not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 520);
}

bool HelpWindow::ShowTopic(const QString& helpFile, const QString& topic) {
    QFile file(helpFile);
    if (!QFileInfo(helpFile).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    const QString path = QFileInfo(helpFile).absoluteFilePath();
    if (path != currentFile_) {
        // The help file has its own extension, so say that it is HTML.
        browser_->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
        currentFile_ = path;
    }
    if (!topic.isEmpty())
        browser_->scrollToAnchor(topic);
    show();
    raise();
    activateWindow();
    return true;
}
