// The new-output-mode dialog: a name and three values appended as a preset.
#include "TFormAddNewOutputMode.h"

#include <algorithm>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "SettingBoxes.h"
#include "TFormPreferences.h"
#include "UserDialogs.h"
#include "project/OutputModes.h"
#include "project/ProjectControls.h"
#include "text/NativeText.h"

TFormAddNewOutputMode::TFormAddNewOutputMode(TFormPreferences* preferences, QWidget* parent)
    : QDialog(parent), preferences_(preferences) {
    setObjectName("FormAddNewOutputMode");
    setWindowTitle(tr("New Output Mode"));
    setModal(true);

    EditName = new QLineEdit(tr("SWF for ...", "the name a new output mode starts with"), this);
    ComboBoxQuality = new QComboBox(this);
    ComboBoxMode = new QComboBox(this);
    ComboBoxBitrate = new QComboBox(this);
    Save = new QPushButton(tr("Save"), this);
    Cancel = new QPushButton(tr("Cancel"), this);
    Save->setDefault(true);
    FillSettingBoxes(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate);
    for (QComboBox* box : {ComboBoxQuality, ComboBoxMode, ComboBoxBitrate})
        box->setCurrentIndex(-1);

    // Object names are the control names, for tests and accessibility tools.
    using Named = std::pair<QWidget*, const char*>;
    for (auto [control, name] : {
             Named{EditName, "EditName"},
             Named{ComboBoxQuality, "ComboBoxQuality"},
             Named{ComboBoxMode, "ComboBoxMode"},
             Named{ComboBoxBitrate, "ComboBoxBitrate"},
             Named{Save, "Save"},
             Named{Cancel, "Cancel"},
         })
        control->setObjectName(QString::fromLatin1(name));

    auto* fields = new QGridLayout;
    fields->addWidget(LabelFor(tr("Name :"), EditName), 0, 0);
    fields->addWidget(EditName, 0, 1);
    fields->addWidget(LabelFor(tr("Conversion Quality:"), ComboBoxQuality), 1, 0);
    fields->addWidget(ComboBoxQuality, 1, 1);
    fields->addWidget(LabelFor(tr("Mode :"), ComboBoxMode), 2, 0);
    fields->addWidget(ComboBoxMode, 2, 1);
    fields->addWidget(LabelFor(tr("Bitrate :"), ComboBoxBitrate), 3, 0);
    fields->addWidget(ComboBoxBitrate, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Save);
    buttons->addWidget(Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(Save, &QPushButton::clicked, this, &TFormAddNewOutputMode::SaveClick);
    connect(Cancel, &QPushButton::clicked, this, &TFormAddNewOutputMode::CancelClick);
    if (preferences_)
        preferences_->SetAddNewOutputModeForm(this);
}

void TFormAddNewOutputMode::AppendOutputMode() {
    if (!preferences_ || !preferences_->Host().settings)
        return;
    PMP3Converter mode;
    mode.name = BytesFromText(EditName->text());
    mode.enabled = false;
    mode.params = {{"q", BytesFromText(ComboBoxQuality->currentText())},
                   {"m", BytesFromText(ModeValueOfItem(ComboBoxMode->currentText()))},
                   {"b", BytesFromText(BitrateValueOfItem(ComboBoxBitrate->currentText()))}};
    preferences_->Host().settings->outputModes.push_back(std::move(mode));
}

QString TFormAddNewOutputMode::RefusedValue() {
    const QString name = EditName->text();
    QString refused;
    if (name.trimmed().isEmpty()) {
        refused = tr("Please Specify a Name for this new output mode!");
    } else if (std::any_of(name.begin(), name.end(),
                           [](QChar c) { return c.category() == QChar::Other_Control; })) {
        // settings.ini holds one name a line.
        refused = tr("The Name of an output mode cannot hold a line break or another control character!");
    } else if (preferences_ && preferences_->Host().settings &&
               FindOutputMode(preferences_->Host().settings->outputModes, BytesFromText(name))) {
        // Output modes are found by their names: a second one of the same name could never be chosen.
        refused = tr("An output mode is already named %1: please choose another Name!").arg(name);
    }
    if (!refused.isEmpty()) {
        EditName->setFocus();
        EditName->selectAll();
        return refused;
    }
    return MissingSettingValue(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate);
}

void TFormAddNewOutputMode::SaveClick() {
    // A refused value is named, and the dialog stays up for it to be mended.
    if (const QString refused = RefusedValue(); !refused.isEmpty()) {
        if (preferences_ && preferences_->Host().dialogs)
            preferences_->Host().dialogs->ShowMessage(this, refused);
        return;
    }
    AppendOutputMode();
    if (preferences_) {
        preferences_->FillPreferenceLists();
        // The new preset is the last one listed.
        if (const TavrelSettings* settings = preferences_->Host().settings)
            preferences_->ShowOutputMode(static_cast<int>(settings->outputModes.size()) - 1);
    }
    done(1);
}

void TFormAddNewOutputMode::CancelClick() {
    done(2);
}

// Changing a window's flags hides it; a window that was showing is shown again.
void TFormAddNewOutputMode::SetPreferencesOnTop(bool onTop) {
    if (!preferences_ || preferences_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool wasVisible = preferences_->isVisible();
    preferences_->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible)
        preferences_->show();
}

void TFormAddNewOutputMode::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    SetPreferencesOnTop(false);
    // Re-showing the preferences window may have put it above this dialog.
    raise();
    activateWindow();
    EditName->setFocus();
}

void TFormAddNewOutputMode::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    SetPreferencesOnTop(true);
}
