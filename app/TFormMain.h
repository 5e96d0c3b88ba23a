// The main window: settings panel, output folder, input list, menus, tool bar, the project
// commands, the automation run and the command line.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <exception>
#include <memory>

#include "cli/CommandLine.h"
#include "project/OutputModes.h"
#include "project/ProgramFiles.h"
#include "project/ProgramSettings.h"
#include "project/ProjectControls.h"
#include "project/ProjectFile.h"
#include "run/AutomationRun.h"

class QAction;
class QCheckBox;
class QUrl;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class InputFilesModel;
class InputFilesView;
class QMenu;
class QRadioButton;
class QToolBar;
class QToolButton;
class QPushButton;
class QVBoxLayout;
class TFormAbout;
class TFormPreferences;
class TFormProgressBarPercent;
class TXPStyleVCL;
class UpDownArrows;
class UserDialogs;
class CommandsDisabledDuringRun;
class ProjectRunFlow;
class WindowRunHost;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // programFolder: the executable's folder, as TextFromBytes shows it; ProgramFiles finds
    // "settings.ini", "Tavrel.hlp" and "webpage.html" from it (beside it, or installed). The
    // settings' warnings are told at the first activation (see FormActivate).
    TFormMain(const QString& programFolder, UserDialogs* dialogs, QWidget* parent = nullptr);
    ~TFormMain() override;

    // The windows this one shows; created once at start-up.
    void SetProgressForm(TFormProgressBarPercent* form);
    void SetPreferencesForm(TFormPreferences* form) { preferencesForm_ = form; }
    void SetAboutForm(TFormAbout* form) { aboutForm_ = form; }

    // The command line as the start read it ("-f:" and "-hide"); the first activation acts on it.
    void SetCommandLine(const CommandLine& commandLine) { commandLine_ = commandLine; }
    // Files given to a window start (as TextFromBytes shows their names) join the input list.
    void AddInputFiles(const QStringList& files);
    // What Spawn Session starts; the running program's own executable unless set.
    void SetProgramFile(const QString& path) { programFile_ = path; }

    const ProgramFiles& Files() const { return files_; }
    QString SettingsPath() const; // the "settings.ini" read now
    QString HelpFile() const;     // "Tavrel.hlp"
    QString WebPageFile() const;  // "webpage.html"

    // What the preferences window edits: the output modes and a new project's defaults, and the
    // output-mode box whose items it offers as the default.
    TavrelSettings& Settings() { return tavrelSettings; }
    QComboBox* OutputModeBox() const { return ComboBoxOutputMode; }

    // Makes project the current one and shows it, as New Project and Load Project do; it is what
    // the window's unsaved changes are measured against.
    void ShowProject(const PSoundProject& project);
    // Reads the project file at path and shows it, as Load Project does once its dialog is
    // answered. Throws what reading meets; the window and its project then stay as they were.
    void LoadProject(const QString& path);

    // A run is under way: started, and not finished yet.
    bool IsRunning() const { return automationRun_.IsRunning(); }
    // The run the Start command and the command line's project start.
    AutomationRun& Run() { return automationRun_; }
    // What the last run did once it finished, or why it did not start; a failed Start command
    // counts as Refused.
    const AutomationResult& LastRunResult() const { return lastRunResult_; }

public slots:
    void NewProject1Click();
    void LoadProject1Click();
    void SaveProject1Click();
    void SaveProjectAs1Click();
    void Preferences1Click();
    void Exit1Click();
    void AddFiles1Click();
    void RemoveFiles1Click();
    void StartAutomation1Click();
    // Stops the run under way as closing the window would, without closing it: the encoders end,
    // the unfinished files are removed and the report of what was done is written.
    void StopAutomation1Click();
    void SpawnSession1Click();
    void Help2Click();
    void WebPage1Click();
    void About1Click();
    void ButtonOutputFolderClick();
    void ComboBoxOutputModeChange();

    // First activation, with the command line given with SetCommandLine. Without arguments, it
    // tells what reading the settings found. With some, "-hide" sets HideMode and ProjectRunFlow
    // takes the command line as a run without the window does ("Invalid Parameters" / "Invalid
    // Filename" and unusable settings end the program); the window shows the loaded project and
    // queues its run. A project file that cannot be read is shown in the error box and the program
    // stays open for the user; in HideMode nothing waits for a click: messages go to standard
    // error, and that ends it too. Later activations read nothing.
    void FormActivate();
    // SIGINT, SIGTERM or SIGHUP: a run under way stops as Stop would (its report written), and the
    // program ends with status 3 once it has, without asking anything, as nobody may be there to
    // answer.
    void StopSignalled();

private slots:
    // Starts the run that "-f:" asked for, unless a run is under way (then it starts once that one
    // has finished); the program ends with the run's exit status.
    void HandleIdle();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Project commands' operations. They throw what they meet (file errors, invalid numbers).
    // ShowProject also takes currentProject as the project last loaded or saved, which is what
    // IsProjectChanged compares the window with: a Start that refreshes currentProject, or the
    // "/" a run adds to its output folder, saves nothing and so changes nothing.
    void ShowProject();
    void TakeProjectFromWindow();
    bool IsProjectChanged();
    bool AskToSaveChanges(); // true: the asking command may go on
    // What the prompt's Yes does: takes the window into the project and saves it, through the
    // save dialog when it is untitled. False when that dialog is cancelled.
    bool SaveChanges();
    void MatchOutputMode();
    ProjectControlValues ControlValues() const;

    // Shows a failure that escaped a command in the error box (on standard error in HideMode);
    // the program goes on.
    void ShowFailure(const std::exception_ptr& failure);
    // The simple message box, or a line on standard error in HideMode, with detail beside text.
    void ShowMessageText(const QString& text, const QString& detail = QString());
    // The error box, or a line on standard error in HideMode.
    void ShowErrorText(const QString& text);

    // A drop onto the input list: files as they are, folders' sound files (DroppedInputFiles),
    // merged into the list as Add File(s) merges.
    void AddDroppedFiles(const QList<QUrl>& urls);
    void FormActivate(const CommandLine& commandLine);

    // The command line's switches. HideMode ("-hide"): the auto-run hides this window and runs never
    // show the progress window. AutoRunPending: a project from "-f:" is to be run once the
    // events queued by start-up are handled. FirstActivation: the command line is still unread.
    bool HideMode = false;
    bool AutoRunPending = false;
    bool FirstActivation = true;

    TavrelSettings tavrelSettings; // output modes, emptyProjectMode, defaultOutputFolder
    ProjectTagNames projectTagNames;
    PSoundProject currentProject;

    // Paints the menu bar and its drop-downs.
    TXPStyleVCL* XPStyleVCL = nullptr;

    // Menus and their items.
    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QMenu* Run1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* NewProject1 = nullptr;
    QAction* LoadProject1 = nullptr;
    QAction* SaveProject1 = nullptr;
    QAction* SaveProjectAs1 = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* AddFiles1 = nullptr;
    QAction* RemoveFiles1 = nullptr;
    QAction* StartAutomation1 = nullptr;
    QAction* StopAutomation1 = nullptr; // enabled while a run is under way
    QAction* SpawnSession1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* WebPage1 = nullptr;
    QAction* About1 = nullptr;
    QToolBar* ToolBar1 = nullptr;

    // The input list's context menu.
    QMenu* PopupMenuInputFiles = nullptr;
    QAction* AddFiles2 = nullptr;
    QAction* RemoveFiles2 = nullptr;

    // Controls.
    QComboBox* ComboBoxOutputMode = nullptr;
    QGroupBox* GroupBoxCustomOutputSettings = nullptr;
    QComboBox* ComboBoxQuality = nullptr;
    QComboBox* ComboBoxMode = nullptr;
    QComboBox* ComboBoxBitrate = nullptr;
    QRadioButton* RadioButtonNoStopAction = nullptr;
    QRadioButton* RadioButtonStopActionToStart = nullptr;
    QRadioButton* RadioButtonStopActionToEnd = nullptr;
    QLineEdit* EditFramePerSeconds = nullptr;
    UpDownArrows* UpDownFramePerSeconds = nullptr;
    QLineEdit* EditFrameTuner = nullptr;
    UpDownArrows* UpDownFrameTuner = nullptr;
    QLineEdit* EditOutputFolder = nullptr;
    QPushButton* ButtonOutputFolder = nullptr;
    // The input list is the view "ListBoxInputFiles" on a model of the paths (InputFilesList.h).
    QCheckBox* CheckBoxGapless = nullptr;
    QLineEdit* EditLoops = nullptr;
    UpDownArrows* UpDownLoops = nullptr;
    QCheckBox* CheckBoxStandalone = nullptr;

    // Construction steps, in the order the constructor takes them.
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateControls();
    QWidget* CreateSettingsPanel(QWidget* parent);
    QGroupBox* CreateOutputSettingsGroup(QWidget* parent);
    void CreateStopActionButtons(QWidget* parent, QVBoxLayout* layout);
    // Exact timing, loops and the standalone frame rate, below the two numbers.
    void CreateMovieOptions(QWidget* parent, QVBoxLayout* layout);
    struct NumberRow {
        const char* caption;
        const char* labelName;
        const char* editName;
        const char* upDownName;
        int32_t minimum;
        int32_t maximum;
    };
    void AddNumberRow(QWidget* parent, QVBoxLayout* layout, const NumberRow& row, QLineEdit*& edit,
                      UpDownArrows*& upDown);
    QWidget* CreateFilesPanel(QWidget* parent);
    void CreateInputFilesMenu();
    // Reads settings.ini; what it finds wrong waits for the first activation.
    void ReadSettings();
    // Disables the commands a run must not meet while start starts one; RunFinished gives them
    // back, whether the run ran or was refused.
    template <typename Start> void StartRun(Start&& start);
    // A run has finished: the commands back, the end message, a close asked for meanwhile, a
    // command-line run waiting.
    void RunFinished(const AutomationResult& result);
    // The output-mode box's items: the presets' names, its list wide enough for the longest.
    void FillOutputModes();
    void ApplyOutputMode();
    QStringList InputFiles() const;
    void SetInputFiles(const QStringList& files);
    // The title's mark of unsaved changes follows the controls.
    void WatchForChanges();
    void UpdateModifiedMark();
    // The save questions' second line: which project they are about.
    QString ProjectDetail() const;

    // Runs one command; a failure that escapes it is shown in the error box.
    template <typename Command> void RunCommand(Command&& command) {
        try {
            command();
        } catch (...) {
            ShowFailure(std::current_exception());
        }
    }

    // Asks the event loop to stop; the program then ends with status, without saving or asking.
    void EndApplication(int status);

    InputFilesModel* inputFiles_ = nullptr;
    InputFilesView* ListBoxInputFiles = nullptr;

    ProgramFiles files_;
    QString programFile_;
    CommandLine commandLine_;
    UserDialogs* dialogs_;
    TFormProgressBarPercent* progressForm_ = nullptr;
    TFormPreferences* preferencesForm_ = nullptr;
    TFormAbout* aboutForm_ = nullptr;
    bool exitConfirmed_ = false;   // Exit has asked already; the close box must not ask again
    ProgramSettings settingsRead_; // what reading settings.ini found, told at the first activation

    AutomationRun automationRun_;
    std::unique_ptr<WindowRunHost> runHost_;
    std::unique_ptr<CommandsDisabledDuringRun> commandsLocked_; // while a run is under way
    std::unique_ptr<ProjectRunFlow> commandLineRun_;            // the project "-f:" named
    AutomationResult lastRunResult_;
    bool closeAfterRun_ = false;   // closing during the run was answered: close once it stopped
    bool saveBeforeClose_ = false; // ... and the unsaved changes are to be saved first
    PSoundProject savedProject_;   // the project as last loaded or saved (or new)
    bool stopSignalled_ = false;   // a stop signal came: the program ends with status 3
};
