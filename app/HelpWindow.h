// The help window: shows the HTML help file at a named topic.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads helpFile (HTML, whatever its extension) and scrolls to the anchor named topic.
    // False when the file cannot be read; the window is then left as it was. The first time it
    // is shown it opens centred on over's window (on the screen without one), within the screen.
    bool ShowTopic(const QString& helpFile, const QString& topic, const QWidget* over = nullptr);

private:
    QTextBrowser* browser_;
    QString currentFile_;
    bool placed_ = false;
};
