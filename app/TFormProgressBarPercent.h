// The small modeless window that shows how far a run has come, which file is in work, and stops it.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

class TFormProgressBarPercent : public QDialog {
    Q_OBJECT
public:
    explicit TFormProgressBarPercent(QWidget* parent = nullptr);

    // Position 0, label "%0", maximum = number of input files.
    void StartRun(int maximum);
    // Position = files handled so far, label "%" + position * 100 / maximum.
    void SetFilesHandled(int handled);
    // The file being converted (a path); empty once there is none.
    void SetFileInWork(const QString& path);

signals:
    // Stop was clicked: the main window stops the run as its Stop Automation does.
    void stopClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowFileName();

    QLabel* LabelPercent = nullptr;
    QProgressBar* ProgressBarPercent = nullptr;
    QLabel* LabelFile = nullptr;
    QPushButton* ButtonStop = nullptr;
    QString fileInWork_;
};
