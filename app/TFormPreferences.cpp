// The preferences window: default output mode and folder, editing and adding output modes.
#include "TFormPreferences.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "TFormAddNewOutputMode.h"
#include "UserDialogs.h"

TFormPreferences::TFormPreferences(const PreferencesHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName("FormPreferences");
    setWindowTitle("Preferences");
    setModal(false);

    GroupBoxGeneral = new QGroupBox("General :", this);
    ComboBoxDefaultOutputMode = new QComboBox(GroupBoxGeneral);
    EditDefaultOutputFolder = new QLineEdit(GroupBoxGeneral);
    ButtonOutputFolder = new QPushButton("...", GroupBoxGeneral);
    auto* general = new QGridLayout(GroupBoxGeneral);
    general->addWidget(new QLabel("Default Output Mode :", GroupBoxGeneral), 0, 0);
    general->addWidget(ComboBoxDefaultOutputMode, 0, 1, 1, 2);
    general->addWidget(new QLabel("Default Output Folder :", GroupBoxGeneral), 1, 0);
    general->addWidget(EditDefaultOutputFolder, 1, 1);
    general->addWidget(ButtonOutputFolder, 1, 2);

    GroupBoxOutputTypes = new QGroupBox("Output Type Defaults :", this);
    ComboBoxOutputMode = new QComboBox(GroupBoxOutputTypes);
    ComboBoxQuality = new QComboBox(GroupBoxOutputTypes);
    ComboBoxMode = new QComboBox(GroupBoxOutputTypes);
    ComboBoxBitrate = new QComboBox(GroupBoxOutputTypes);
    ButtonSave = new QPushButton("Save", GroupBoxOutputTypes);
    ButtonAddNew = new QPushButton("Add New", GroupBoxOutputTypes);
    ButtonReset = new QPushButton("Reset", GroupBoxOutputTypes);
    auto* types = new QGridLayout(GroupBoxOutputTypes);
    types->addWidget(new QLabel("Output Mode :", GroupBoxOutputTypes), 0, 0);
    types->addWidget(ComboBoxOutputMode, 0, 1);
    types->addWidget(new QLabel("Conversion Quality:", GroupBoxOutputTypes), 1, 0);
    types->addWidget(ComboBoxQuality, 1, 1);
    types->addWidget(new QLabel("Mode :", GroupBoxOutputTypes), 2, 0);
    types->addWidget(ComboBoxMode, 2, 1);
    types->addWidget(new QLabel("Bitrate :", GroupBoxOutputTypes), 3, 0);
    types->addWidget(ComboBoxBitrate, 3, 1);
    auto* presetButtons = new QHBoxLayout;
    presetButtons->addWidget(ButtonSave);
    presetButtons->addWidget(ButtonAddNew);
    presetButtons->addWidget(ButtonReset);
    types->addLayout(presetButtons, 4, 0, 1, 2);

    ButtonOk = new QPushButton("Ok", this);
    ButtonCancel = new QPushButton("Cancel", this);
    ButtonHelp = new QPushButton("Help", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    buttons->addWidget(ButtonHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBoxGeneral);
    layout->addWidget(GroupBoxOutputTypes);
    layout->addLayout(buttons);
}

void TFormPreferences::SetAddNewOutputModeForm(TFormAddNewOutputMode* form) {
    addNewOutputMode_ = form;
}

void TFormPreferences::FillPreferenceLists() {}
void TFormPreferences::SaveSettings() {}
void TFormPreferences::ComboBoxOutputModeChange() {}
void TFormPreferences::ButtonSaveClick() {}
void TFormPreferences::ButtonAddNewClick() {}
void TFormPreferences::ButtonOkClick() {}
void TFormPreferences::ButtonCancelClick() {}
void TFormPreferences::ButtonResetClick() {}
void TFormPreferences::ButtonHelpClick() {}
void TFormPreferences::ButtonOutputFolderClick() {}
