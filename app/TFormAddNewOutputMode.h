// The modal dialog that appends a new output mode to the presets.
#pragma once

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLineEdit;
class QPushButton;
class TFormPreferences;

class TFormAddNewOutputMode : public QDialog {
    Q_OBJECT
public:
    explicit TFormAddNewOutputMode(TFormPreferences* preferences, QWidget* parent = nullptr);

public slots:
    void SaveClick();
    void CancelClick();

protected:
    void showEvent(QShowEvent* event) override; // FormShow
    void hideEvent(QHideEvent* event) override; // FormHide

private:
    void AppendOutputMode();
    void SetPreferencesOnTop(bool onTop);
    // The message naming what Save cannot take (an empty, unusable or taken name, a box with
    // nothing chosen), whose control then gets the focus; empty when every value can be saved.
    QString RefusedValue();

    QPointer<TFormPreferences> preferences_;
    QLineEdit* EditName = nullptr;
    QComboBox* ComboBoxQuality = nullptr;
    QComboBox* ComboBoxMode = nullptr;
    QComboBox* ComboBoxBitrate = nullptr;
    QPushButton* Save = nullptr;
    QPushButton* Cancel = nullptr;
};
