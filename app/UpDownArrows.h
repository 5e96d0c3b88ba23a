// A pair of up-down arrows that steps the integer shown in a buddy edit within a range.
#pragma once

#include <QWidget>

#include <cstdint>

class QLineEdit;
class QToolButton;

// The buddy edit accepts any text; the arrows (and the Up/Down keys in the edit) read the
// edit's number when it is one, step by 1, stop at the range's ends without wrapping and write
// the new position back as decimal text.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    void SetAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return associate_; }

    void SetRange(int32_t minimum, int32_t maximum);
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }

    int32_t Position() const { return position_; }
    // Keeps position within the range and shows it in the buddy edit.
    void SetPosition(int32_t position);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }
    // Names the arrows for screen readers after what they step ("Frame/Seconds": "Increase
    // Frame/Seconds", "Decrease Frame/Seconds").
    void NameArrowsAfter(const QString& subject);

public slots:
    void StepUp() { StepBy(1); }
    void StepDown() { StepBy(-1); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StepBy(int32_t steps);

    QLineEdit* associate_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int32_t min_ = 0;
    int32_t max_ = 100;
    int32_t position_ = 0;
};
