// The help window: shows the HTML help file at a named topic.
#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ProgramIdentity.h"
#include "WindowPlacement.h"

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("%1 Help", "the window title: %1 is the program's name").arg(ApplicationTitle()));
    // An open help window does not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(tr("Help text"));
    browser_->setOpenExternalLinks(true);
    // Closed as any other window of the desktop: its Close button or Escape.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("HelpButtons"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(browser_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(6, 0, 6, 0);
    buttonRow->addWidget(buttons);
    layout->addLayout(buttonRow);
    resize(640, 520);
}

bool HelpWindow::ShowTopic(const QString& helpFile, const QString& topic, const QWidget* over) {
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
    // Later it opens where the user left it.
    if (!placed_) {
        PlaceWindow(this, size(), over);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    return true;
}
