// The new-output-mode dialog: a name and three values appended as a preset.
#include "TFormAddNewOutputMode.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "TFormPreferences.h"

TFormAddNewOutputMode::TFormAddNewOutputMode(TFormPreferences* preferences, QWidget* parent)
    : QDialog(parent), preferences_(preferences) {
    setObjectName("FormAddNewOutputMode");
    setWindowTitle("New Output Mode");
    setModal(true);

    EditName = new QLineEdit("SWF for ...", this);
    ComboBoxQuality = new QComboBox(this);
    ComboBoxMode = new QComboBox(this);
    ComboBoxBitrate = new QComboBox(this);
    Save = new QPushButton("Save", this);
    Cancel = new QPushButton("Cancel", this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Name :", this), 0, 0);
    fields->addWidget(EditName, 0, 1);
    fields->addWidget(new QLabel("Conversion Quality:", this), 1, 0);
    fields->addWidget(ComboBoxQuality, 1, 1);
    fields->addWidget(new QLabel("Mode :", this), 2, 0);
    fields->addWidget(ComboBoxMode, 2, 1);
    fields->addWidget(new QLabel("Bitrate :", this), 3, 0);
    fields->addWidget(ComboBoxBitrate, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Save);
    buttons->addWidget(Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void TFormAddNewOutputMode::AppendOutputMode() {}
void TFormAddNewOutputMode::SaveClick() {}
void TFormAddNewOutputMode::CancelClick() {}
void TFormAddNewOutputMode::showEvent(QShowEvent* event) { QDialog::showEvent(event); }
void TFormAddNewOutputMode::hideEvent(QHideEvent* event) { QDialog::hideEvent(event); }
