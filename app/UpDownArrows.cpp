// A pair of up-down arrows that steps the integer shown in a buddy edit within a range.
#include "UpDownArrows.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "project/ProjectFile.h"
#include "text/NativeText.h"

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(15);
        layout->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, &UpDownArrows::StepUp);
    connect(down_, &QToolButton::clicked, this, &UpDownArrows::StepDown);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void UpDownArrows::NameArrowsAfter(const QString& subject) {
    up_->setAccessibleName(tr("Increase %1").arg(subject));
    down_->setAccessibleName(tr("Decrease %1").arg(subject));
}

void UpDownArrows::SetAssociate(QLineEdit* edit) {
    if (associate_)
        associate_->removeEventFilter(this);
    associate_ = edit;
    if (associate_) {
        associate_->installEventFilter(this);
        associate_->setText(QString::number(position_));
    }
}

void UpDownArrows::SetRange(int32_t minimum, int32_t maximum) {
    min_ = std::min(minimum, maximum);
    max_ = std::max(minimum, maximum);
    SetPosition(position_);
}

void UpDownArrows::SetPosition(int32_t position) {
    position_ = std::clamp(position, min_, max_);
    if (associate_)
        associate_->setText(QString::number(position_));
}

void UpDownArrows::StepBy(int32_t steps) {
    // A number typed into the edit is where the step starts; other text leaves the last position.
    int32_t start = position_;
    if (associate_) {
        int32_t typed = 0;
        if (TryParseInt32(BytesFromText(associate_->text()), typed))
            start = typed;
    }
    const int64_t target = static_cast<int64_t>(start) + steps;
    SetPosition(static_cast<int32_t>(std::clamp<int64_t>(target, min_, max_)));
}

bool UpDownArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
