// The small modeless window that shows how far a run has come.
#include "TFormProgressBarPercent.h"

#include <QLabel>
#include <QProgressBar>

TFormProgressBarPercent::TFormProgressBarPercent(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormProgressBarPercent"));
    setWindowTitle(QStringLiteral("Processing..."));
    setModal(false);
    setFixedSize(366, 143);

    LabelPercent = new QLabel(QStringLiteral("%0"), this);
    LabelPercent->setObjectName(QStringLiteral("LabelPercent"));
    LabelPercent->setAlignment(Qt::AlignCenter);
    LabelPercent->setGeometry(133, 40, 100, 20);

    ProgressBarPercent = new QProgressBar(this);
    ProgressBarPercent->setObjectName(QStringLiteral("ProgressBarPercent"));
    ProgressBarPercent->setRange(0, 100);
    ProgressBarPercent->setValue(0);
    ProgressBarPercent->setTextVisible(false);
    ProgressBarPercent->setGeometry(16, 72, 334, 20);
}

void TFormProgressBarPercent::StartRun(int maximum) {
    ProgressBarPercent->setValue(0);
    // A run of zero files is refused before it starts; keep the bar valid regardless.
    ProgressBarPercent->setMaximum(maximum > 0 ? maximum : 1);
    LabelPercent->setText(QStringLiteral("%0"));
}

void TFormProgressBarPercent::SetFilesHandled(int handled) {
    const int maximum = ProgressBarPercent->maximum();
    ProgressBarPercent->setValue(handled);
    const int percent = maximum > 0 ? handled * 100 / maximum : 0;
    LabelPercent->setText(QStringLiteral("%") + QString::number(percent));
}
