// The modeless preferences window: default output mode and folder, preset values, new presets.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

#include "project/OutputModes.h"
#include "project/ProgramFiles.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class TFormAddNewOutputMode;
class UserDialogs;

// What the preferences window works on; all of it belongs to the main window.
struct PreferencesHost {
    TavrelSettings* settings = nullptr;     // presets and defaults, edited in memory
    QComboBox* mainOutputModeBox = nullptr; // the main window's ComboBoxOutputMode
    ProgramFiles files;                     // where settings.ini is read and written, the help file
    UserDialogs* dialogs = nullptr;
};

class TFormPreferences : public QDialog {
    Q_OBJECT
public:
    explicit TFormPreferences(const PreferencesHost& host, QWidget* parent = nullptr);

    void SetAddNewOutputModeForm(TFormAddNewOutputMode* form);
    const PreferencesHost& Host() const { return host_; }

    // Lists the main window's output modes as the default's choices and the presets to edit, and
    // shows the default one.
    void FillPreferenceLists();
    // Chooses the preset at index in ComboBoxOutputMode and shows its values.
    void ShowOutputMode(int index);
    // Edits in memory that settings.ini does not hold yet; Cancel asks about them.
    bool SettingsChanged() const { return settingsChanged; }

public slots:
    void ComboBoxOutputModeChange();
    void ButtonSaveClick();
    void ButtonAddNewClick();
    void ButtonOkClick();
    void ButtonCancelClick();
    void ButtonResetClick();
    void ButtonHelpClick();
    void ButtonOutputFolderClick();

private:
    // Construction steps, in the order the constructor takes them.
    void CreateGeneralGroup();
    void CreateOutputTypesGroup();
    QHBoxLayout* CreateDialogButtons();
    void NameControls();
    void ConnectHandlers();

    void ShowMessage(const QString& text);
    void ShowError(const QString& text);
    void SaveSettings(); // throws SettingsError("Unable to write to <path>")

    PreferencesHost host_;
    QPointer<TFormAddNewOutputMode> addNewOutputMode_;
    bool settingsChanged = false;

    QGroupBox* GroupBoxGeneral = nullptr;
    QComboBox* ComboBoxDefaultOutputMode = nullptr;
    QLineEdit* EditDefaultOutputFolder = nullptr;
    QPushButton* ButtonOutputFolder = nullptr;
    QGroupBox* GroupBoxOutputTypes = nullptr;
    QComboBox* ComboBoxOutputMode = nullptr;
    QComboBox* ComboBoxQuality = nullptr;
    QComboBox* ComboBoxMode = nullptr;
    QComboBox* ComboBoxBitrate = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonAddNew = nullptr;
    QPushButton* ButtonReset = nullptr;
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonHelp = nullptr;
};
