// The small modeless window that shows how far a run has come, which file is in work, and stops it.
#include "TFormProgressBarPercent.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString PercentText(int percent) {
    return TFormProgressBarPercent::tr("%%1",
                                       "the percent of files converted: the sign stands before the number "
                                       "in English (%25); place it as your language does")
        .arg(percent);
}

} // namespace

TFormProgressBarPercent::TFormProgressBarPercent(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormProgressBarPercent"));
    setWindowTitle(tr("Processing..."));
    setModal(false);

    LabelPercent = new QLabel(PercentText(0), this);
    LabelPercent->setObjectName(QStringLiteral("LabelPercent"));
    LabelPercent->setAlignment(Qt::AlignCenter);

    ProgressBarPercent = new QProgressBar(this);
    ProgressBarPercent->setObjectName(QStringLiteral("ProgressBarPercent"));
    ProgressBarPercent->setRange(0, 100);
    ProgressBarPercent->setValue(0);
    ProgressBarPercent->setTextVisible(false);
    ProgressBarPercent->setAccessibleName(tr("Files converted"));

    // The name alone, shortened in the middle to the window's width; the whole path as its tooltip.
    LabelFile = new QLabel(this);
    LabelFile->setObjectName(QStringLiteral("LabelFile"));
    LabelFile->setTextFormat(Qt::PlainText);
    LabelFile->setMinimumWidth(1);
    LabelFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    ButtonStop = new QPushButton(tr("Stop"), this);
    ButtonStop->setObjectName(QStringLiteral("ButtonStop"));
    ButtonStop->setAutoDefault(false);
    connect(ButtonStop, &QPushButton::clicked, this, &TFormProgressBarPercent::stopClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonStop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(LabelPercent);
    layout->addWidget(ProgressBarPercent);
    layout->addWidget(LabelFile);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // Its usual size, or what a larger font needs; it keeps that size.
    LabelFile->setText(tr("Converting: %1").arg(QStringLiteral("M")));
    setFixedSize(QSize(366, 143).expandedTo(sizeHint()));
    LabelFile->clear();
}

void TFormProgressBarPercent::StartRun(int maximum) {
    ProgressBarPercent->setValue(0);
    // A run of zero files is refused before it starts; keep the bar valid regardless.
    ProgressBarPercent->setMaximum(maximum > 0 ? maximum : 1);
    LabelPercent->setText(PercentText(0));
}

void TFormProgressBarPercent::SetFilesHandled(int handled) {
    const int maximum = ProgressBarPercent->maximum();
    ProgressBarPercent->setValue(handled);
    LabelPercent->setText(PercentText(maximum > 0 ? handled * 100 / maximum : 0));
}

void TFormProgressBarPercent::SetFileInWork(const QString& path) {
    fileInWork_ = path;
    LabelFile->setToolTip(path);
    ShowFileName();
}

void TFormProgressBarPercent::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ShowFileName();
}

void TFormProgressBarPercent::ShowFileName() {
    if (fileInWork_.isEmpty()) {
        LabelFile->clear();
        return;
    }
    const QString name = fileInWork_.mid(fileInWork_.lastIndexOf(QLatin1Char('/')) + 1);
    const QString text = tr("Converting: %1").arg(name);
    LabelFile->setText(LabelFile->fontMetrics().elidedText(text, Qt::ElideMiddle, LabelFile->width()));
}
