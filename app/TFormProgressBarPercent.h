// The small modeless window that shows how far a run has come.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

class TFormProgressBarPercent : public QDialog {
    Q_OBJECT
public:
    explicit TFormProgressBarPercent(QWidget* parent = nullptr);

    // Position 0, label "%0", maximum = number of input files.
    void StartRun(int maximum);
    // Position = files handled so far, label "%" + position * 100 / maximum.
    void SetFilesHandled(int handled);

    QLabel* LabelPercent = nullptr;
    QProgressBar* ProgressBarPercent = nullptr;
};
