// The preferences window: default output mode and folder, editing and adding output modes.
#include "TFormPreferences.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "SettingBoxes.h"
#include "TFormAddNewOutputMode.h"
#include "UserDialogs.h"
#include "project/ProgramSettings.h"
#include "project/ProjectControls.h"
#include "text/NativeText.h"

TFormPreferences::TFormPreferences(const PreferencesHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName("FormPreferences");
    setWindowTitle(tr("Preferences"));
    setModal(false);

    CreateGeneralGroup();
    CreateOutputTypesGroup();
    QHBoxLayout* buttons = CreateDialogButtons();
    NameControls();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBoxGeneral);
    layout->addWidget(GroupBoxOutputTypes);
    layout->addLayout(buttons);

    // The window stays above the main window except while the new-output-mode dialog is up.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    ConnectHandlers();
    FillPreferenceLists();
}

// The defaults of a new project: its output mode and output folder.
void TFormPreferences::CreateGeneralGroup() {
    GroupBoxGeneral = new QGroupBox(tr("General :"), this);
    ComboBoxDefaultOutputMode = new QComboBox(GroupBoxGeneral);
    EditDefaultOutputFolder = new QLineEdit(GroupBoxGeneral);
    ButtonOutputFolder = new QPushButton(QStringLiteral("..."), GroupBoxGeneral);
    ButtonOutputFolder->setFixedWidth(
        ButtonOutputFolder->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    ButtonOutputFolder->setAccessibleName(tr("Choose the default output folder"));
    ButtonOutputFolder->setToolTip(ButtonOutputFolder->accessibleName());
    EditDefaultOutputFolder->setMinimumWidth(240);
    auto* general = new QGridLayout(GroupBoxGeneral);
    general->addWidget(LabelFor(tr("Default Output Mode :"), ComboBoxDefaultOutputMode), 0, 0);
    general->addWidget(ComboBoxDefaultOutputMode, 0, 1, 1, 2);
    general->addWidget(LabelFor(tr("Default Output Folder :"), EditDefaultOutputFolder), 1, 0);
    general->addWidget(EditDefaultOutputFolder, 1, 1);
    general->addWidget(ButtonOutputFolder, 1, 2);
}

// A preset's values, with Save, Add New and Reset. The boxes show the chosen preset's values.
void TFormPreferences::CreateOutputTypesGroup() {
    GroupBoxOutputTypes = new QGroupBox(tr("Output Type Defaults :"), this);
    ComboBoxOutputMode = new QComboBox(GroupBoxOutputTypes);
    ComboBoxQuality = new QComboBox(GroupBoxOutputTypes);
    ComboBoxMode = new QComboBox(GroupBoxOutputTypes);
    ComboBoxBitrate = new QComboBox(GroupBoxOutputTypes);
    FillSettingBoxes(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate);
    for (QComboBox* box : {ComboBoxQuality, ComboBoxMode, ComboBoxBitrate})
        box->setCurrentIndex(-1);
    ButtonSave = new QPushButton(tr("Save"), GroupBoxOutputTypes);
    ButtonAddNew = new QPushButton(tr("Add New"), GroupBoxOutputTypes);
    ButtonReset = new QPushButton(tr("Reset"), GroupBoxOutputTypes);
    auto* types = new QGridLayout(GroupBoxOutputTypes);
    types->addWidget(LabelFor(tr("Output Mode :"), ComboBoxOutputMode), 0, 0);
    types->addWidget(ComboBoxOutputMode, 0, 1);
    types->addWidget(LabelFor(tr("Conversion Quality:"), ComboBoxQuality), 1, 0);
    types->addWidget(ComboBoxQuality, 1, 1);
    types->addWidget(LabelFor(tr("Mode :"), ComboBoxMode), 2, 0);
    types->addWidget(ComboBoxMode, 2, 1);
    types->addWidget(LabelFor(tr("Bitrate :"), ComboBoxBitrate), 3, 0);
    types->addWidget(ComboBoxBitrate, 3, 1);
    auto* presetButtons = new QHBoxLayout;
    presetButtons->addWidget(ButtonSave);
    presetButtons->addWidget(ButtonAddNew);
    presetButtons->addWidget(ButtonReset);
    types->addLayout(presetButtons, 4, 0, 1, 2);
}

// Ok, Cancel and Help along the bottom, right-aligned.
QHBoxLayout* TFormPreferences::CreateDialogButtons() {
    ButtonOk = new QPushButton(tr("Ok"), this);
    ButtonCancel = new QPushButton(tr("Cancel"), this);
    ButtonHelp = new QPushButton(tr("Help"), this);
    // Enter means Ok, not the first button that happens to be laid out.
    ButtonOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    buttons->addWidget(ButtonHelp);
    return buttons;
}

// Object names are the control names, for tests and accessibility tools.
void TFormPreferences::NameControls() {
    using Named = std::pair<QWidget*, const char*>;
    for (auto [control, name] : {
             Named{GroupBoxGeneral, "GroupBoxGeneral"},
             Named{ComboBoxDefaultOutputMode, "ComboBoxDefaultOutputMode"},
             Named{EditDefaultOutputFolder, "EditDefaultOutputFolder"},
             Named{ButtonOutputFolder, "ButtonOutputFolder"},
             Named{GroupBoxOutputTypes, "GroupBoxOutputTypes"},
             Named{ComboBoxOutputMode, "ComboBoxOutputMode"},
             Named{ComboBoxQuality, "ComboBoxQuality"},
             Named{ComboBoxMode, "ComboBoxMode"},
             Named{ComboBoxBitrate, "ComboBoxBitrate"},
             Named{ButtonSave, "ButtonSave"},
             Named{ButtonAddNew, "ButtonAddNew"},
             Named{ButtonReset, "ButtonReset"},
             Named{ButtonOk, "ButtonOk"},
             Named{ButtonCancel, "ButtonCancel"},
             Named{ButtonHelp, "ButtonHelp"},
         })
        control->setObjectName(QString::fromLatin1(name));
}

void TFormPreferences::ConnectHandlers() {
    // activated, not currentIndexChanged: only the user's choice shows a preset's values.
    connect(ComboBoxOutputMode, &QComboBox::activated, this, &TFormPreferences::ComboBoxOutputModeChange);
    connect(ButtonSave, &QPushButton::clicked, this, &TFormPreferences::ButtonSaveClick);
    connect(ButtonAddNew, &QPushButton::clicked, this, &TFormPreferences::ButtonAddNewClick);
    connect(ButtonReset, &QPushButton::clicked, this, &TFormPreferences::ButtonResetClick);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormPreferences::ButtonOkClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormPreferences::ButtonCancelClick);
    connect(ButtonHelp, &QPushButton::clicked, this, &TFormPreferences::ButtonHelpClick);
    connect(ButtonOutputFolder, &QPushButton::clicked, this, &TFormPreferences::ButtonOutputFolderClick);
}

void TFormPreferences::SetAddNewOutputModeForm(TFormAddNewOutputMode* form) {
    addNewOutputMode_ = form;
}

void TFormPreferences::ShowMessage(const QString& text) {
    if (host_.dialogs)
        host_.dialogs->ShowMessage(this, text);
}

void TFormPreferences::ShowError(const QString& text) {
    if (host_.dialogs)
        host_.dialogs->ShowError(this, text);
}

void TFormPreferences::FillPreferenceLists() {
    ComboBoxDefaultOutputMode->clear();
    if (host_.mainOutputModeBox) {
        for (int i = 0; i < host_.mainOutputModeBox->count(); ++i)
            ComboBoxDefaultOutputMode->addItem(host_.mainOutputModeBox->itemText(i));
    }
    ComboBoxOutputMode->clear();
    if (!host_.settings) {
        ComboBoxDefaultOutputMode->setCurrentIndex(-1);
        return;
    }
    // An index outside the list selects nothing.
    ComboBoxDefaultOutputMode->setCurrentIndex(host_.settings->emptyProjectMode);
    EditDefaultOutputFolder->setText(TextFromBytes(host_.settings->defaultOutputFolder));
    for (const PMP3Converter& mode : host_.settings->outputModes)
        ComboBoxOutputMode->addItem(TextFromBytes(mode.name));
    // The preset of a new project is the one shown first, with its values; the first one when
    // that index names none.
    const int modes = ComboBoxOutputMode->count();
    const int shown = host_.settings->emptyProjectMode;
    ShowOutputMode(shown >= 0 && shown < modes ? shown : 0);
}

void TFormPreferences::ShowOutputMode(int index) {
    ComboBoxOutputMode->setCurrentIndex(index < ComboBoxOutputMode->count() ? index : -1);
    ComboBoxOutputModeChange();
}

void TFormPreferences::ComboBoxOutputModeChange() {
    if (!host_.settings)
        return;
    const PMP3Converter* mode =
        FindOutputMode(host_.settings->outputModes, BytesFromText(ComboBoxOutputMode->currentText()));
    if (!mode)
        return;
    SelectSettingValues(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate, ParameterValues(*mode));
}

void TFormPreferences::ButtonSaveClick() {
    const int index = ComboBoxOutputMode->currentIndex();
    // After Cancel has reloaded the file, the list may still name a preset added but never
    // written; that index is past the presets and must not be stored into.
    if (index < 0 || !host_.settings || index >= static_cast<int>(host_.settings->outputModes.size())) {
        ShowMessage(tr("Please Select an Output Mode!"));
        return;
    }
    if (const QString missing = MissingSettingValue(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate);
        !missing.isEmpty()) {
        ShowMessage(missing);
        return;
    }
    PMP3Converter& mode = host_.settings->outputModes[static_cast<std::size_t>(index)];
    if (mode.params.size() < 3)
        mode.params.resize(3);
    mode.enabled = false;
    mode.params[0].value = BytesFromText(ComboBoxQuality->currentText());
    mode.params[1].value = BytesFromText(ModeValueOfItem(ComboBoxMode->currentText()));
    mode.params[2].value = BytesFromText(BitrateValueOfItem(ComboBoxBitrate->currentText()));
    settingsChanged = true;
}

void TFormPreferences::ButtonAddNewClick() {
    if (!addNewOutputMode_)
        return;
    if (addNewOutputMode_->exec() == 1)
        settingsChanged = true;
}

void TFormPreferences::ButtonOkClick() {
    try {
        SaveSettings();
    } catch (const std::exception& error) {
        ShowError(TextFromBytes(error.what()));
        return;
    }
    hide();
}

void TFormPreferences::ButtonCancelClick() {
    if (settingsChanged) {
        const UserDialogs::Answer answer =
            host_.dialogs
                ? host_.dialogs->AskYesNoCancel(this, tr("Do you want to save the changes you have made?"),
                                                tr("Preferences"),
                                                TextFromBytes(host_.files.SettingsToWrite()))
                : UserDialogs::Answer::Cancel;
        if (answer == UserDialogs::Answer::Cancel)
            return;
        if (answer == UserDialogs::Answer::Yes) {
            try {
                SaveSettings();
            } catch (const std::exception& error) {
                // The edits were not written: keep them and the window.
                ShowError(TextFromBytes(error.what()));
                return;
            }
        }
    }
    if (host_.settings) {
        // The settings as they are on disk again, read as at start-up.
        const ProgramSettings read = ReadProgramSettings(host_.files.SettingsToRead());
        if (!read.Usable()) {
            ShowError(TextFromBytes(read.problem));
            return;
        }
        *host_.settings = read.settings;
        for (const std::string& warning : read.warnings)
            ShowMessage(TextFromBytes(warning));
    }
    close();
}

void TFormPreferences::ButtonResetClick() {
    ComboBoxOutputModeChange();
}

void TFormPreferences::ButtonHelpClick() {
    if (host_.dialogs)
        host_.dialogs->ShowHelp(this, TextFromBytes(host_.files.HelpFile()), QStringLiteral("PREFERENCES"));
}

void TFormPreferences::ButtonOutputFolderClick() {
    if (!host_.dialogs)
        return;
    QString folder = host_.dialogs->BrowseForFolder(this, tr("Please Select a Directory"));
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    EditDefaultOutputFolder->setText(folder);
}

void TFormPreferences::SaveSettings() {
    const std::vector<PMP3Converter> noModes;
    // An installed program's user gets a file of their own; the installed one is never written.
    ::SaveSettings(host_.files.PrepareSettingsToWrite(), ComboBoxDefaultOutputMode->currentIndex(),
                   BytesFromText(EditDefaultOutputFolder->text()),
                   host_.settings ? host_.settings->outputModes : noModes);
    settingsChanged = false;
}
