// The main window: settings panel, output folder, input list, menus, tool bar, the project
// commands, the automation run and the command line.
#include "TFormMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

#include "InputFilesList.h"
#include "ProgramIdentity.h"
#include "SettingBoxes.h"
#include "TFormAbout.h"
#include "TFormPreferences.h"
#include "TFormProgressBarPercent.h"
#include "UpDownArrows.h"
#include "UserDialogs.h"
#include "WindowPlacement.h"
#include "WindowRunHost.h"
#include "Xpstylevcl.h"
#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/ProjectRunFlow.h"
#include "run/RunEndMessage.h"
#include "sound/DroppedFiles.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"

namespace {
// The program's name and version, the same in every language.
const QString kWindowTitle = QStringLiteral("Tavrel Tool v1.5");
const QString kProjectSuffix = QStringLiteral("xml");

QString InputFilesFilter() {
    return TFormMain::tr(
        "Wav files (*.wav);;MP3 files (*.mp3);;Wav and MP3 files (*.mp3 *.wav);;All Files (*)",
        "file dialog filters: keep the patterns in parentheses and the ;; between them");
}

QString ProjectFilter() {
    return TFormMain::tr("Extended Markup Language (*.xml);;All Files (*)",
                         "file dialog filters: keep the patterns in parentheses and the ;; between them");
}

QString SaveChangesQuestion() {
    return TFormMain::tr("Do you want to save the changes you have made?");
}

// Closing during a run with unsaved changes asks this one question: Yes saves and No does not,
// both stop the run and close; Cancel lets the run go on.
QString StopRunSaveChangesQuestion() {
    return TFormMain::tr(
        "A conversion is under way. Closing the program stops it: the files converted so far "
        "are kept and listed in the run report; the file being converted now is not "
        "finished.\n\nDo you want to save the changes you have made?");
}

QIcon ThemeIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName), widget->style()->standardIcon(fallback));
}

} // namespace

TFormMain::TFormMain(const QString& programFolder, UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), files_(BytesFromText(programFolder)), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowIcon(ProgramIcon());
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateControls();

    XPStyleVCL = new TXPStyleVCL(this);
    XPStyleVCL->setObjectName(QStringLiteral("XPStyleVCL"));
    XPStyleVCL->Setactive(true);

    // Its usual size, as large as its captions need, within the screen.
    PlaceWindow(this, QSize(696, 480));

    ComboBoxQuality->setCurrentIndex(0);
    ComboBoxMode->setCurrentIndex(0);
    ComboBoxBitrate->setCurrentIndex(0);

    ReadSettings();
    FillOutputModes();

    currentProject = NewDefaultProject(tavrelSettings);
    ShowProject();
    WatchForChanges();
    StopAutomation1->setEnabled(false);

    runHost_ = std::make_unique<WindowRunHost>(this, *dialogs_, automationRun_);
    connect(&automationRun_, &AutomationRun::finished, this, &TFormMain::RunFinished);
}

TFormMain::~TFormMain() = default;

void TFormMain::SetProgressForm(TFormProgressBarPercent* form) {
    progressForm_ = form;
    runHost_->SetProgressForm(form);
    connect(form, &TFormProgressBarPercent::stopClicked, StopAutomation1, &QAction::trigger);
}

void TFormMain::ReadSettings() {
    // Told at the first activation, once "-hide" is known: a hidden run says them on standard error.
    settingsRead_ = ReadProgramSettings(BytesFromText(SettingsPath()));
    tavrelSettings = settingsRead_.settings;
}

void TFormMain::FillOutputModes() {
    int widest = 0;
    const QFontMetrics metrics = ComboBoxOutputMode->view()->fontMetrics();
    for (const PMP3Converter& mode : tavrelSettings.outputModes) {
        const QString name = TextFromBytes(mode.name);
        ComboBoxOutputMode->addItem(name);
        ComboBoxOutputMode->setItemData(ComboBoxOutputMode->count() - 1, name, Qt::ToolTipRole);
        widest = std::max(widest, metrics.horizontalAdvance(name));
    }
    // Room for the item's margins and a scroll bar beside the longest name.
    const int margins = 4 * ComboBoxOutputMode->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                        ComboBoxOutputMode->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    ComboBoxOutputMode->view()->setMinimumWidth(widest + margins);
    // No output mode is chosen until the project picks one.
    ComboBoxOutputMode->setCurrentIndex(-1);
}

QString TFormMain::SettingsPath() const {
    return TextFromBytes(files_.SettingsToRead());
}

QString TFormMain::HelpFile() const {
    return TextFromBytes(files_.HelpFile());
}

QString TFormMain::WebPageFile() const {
    return TextFromBytes(files_.WebPageFile());
}

void TFormMain::CreateActions() {
    // caption: "&" marks the Alt key's letter, shown underlined; translated when the action is made.
    // shortcut: the desktop's standard key (QKeySequence::UnknownKey: none); usualKeys: the keys used where
    // the desktop has no standard one for it.
    struct ActionEntry {
        QAction** action;
        const char* name;
        const char* caption;
        const char* themeIcon;
        QStyle::StandardPixmap fallback;
        void (TFormMain::*handler)();
        QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
        const char* usualKeys = nullptr;
    };
    const ActionEntry entries[] = {
        {&NewProject1, "NewProject1", QT_TRANSLATE_NOOP("TFormMain", "&New Project"), "document-new",
         QStyle::SP_FileIcon, &TFormMain::NewProject1Click, QKeySequence::New, "Ctrl+N"},
        {&LoadProject1, "LoadProject1", QT_TRANSLATE_NOOP("TFormMain", "&Load Project"), "document-open",
         QStyle::SP_DialogOpenButton, &TFormMain::LoadProject1Click, QKeySequence::Open, "Ctrl+O"},
        {&SaveProject1, "SaveProject1", QT_TRANSLATE_NOOP("TFormMain", "&Save Project"), "document-save",
         QStyle::SP_DialogSaveButton, &TFormMain::SaveProject1Click, QKeySequence::Save, "Ctrl+S"},
        {&SaveProjectAs1, "SaveProjectAs1", QT_TRANSLATE_NOOP("TFormMain", "Save Project &As..."),
         "document-save-as", QStyle::SP_DriveFDIcon, &TFormMain::SaveProjectAs1Click, QKeySequence::SaveAs,
         "Ctrl+Shift+S"},
        {&Preferences1, "Preferences1", QT_TRANSLATE_NOOP("TFormMain", "&Preferences"), "preferences-system",
         QStyle::SP_FileDialogDetailedView, &TFormMain::Preferences1Click, QKeySequence::Preferences,
         "Ctrl+,"},
        {&Exit1, "Exit1", QT_TRANSLATE_NOOP("TFormMain", "E&xit"), "application-exit",
         QStyle::SP_DialogCloseButton, &TFormMain::Exit1Click, QKeySequence::Quit, "Ctrl+Q"},
        {&AddFiles1, "AddFiles1", QT_TRANSLATE_NOOP("TFormMain", "&Add File(s)"), "list-add",
         QStyle::SP_FileDialogNewFolder, &TFormMain::AddFiles1Click},
        {&RemoveFiles1, "RemoveFiles1", QT_TRANSLATE_NOOP("TFormMain", "&Remove File(s)"), "list-remove",
         QStyle::SP_TrashIcon, &TFormMain::RemoveFiles1Click, QKeySequence::Delete, "Del"},
        {&StartAutomation1, "StartAutomation1", QT_TRANSLATE_NOOP("TFormMain", "&Start Automation"),
         "system-run", QStyle::SP_MediaPlay, &TFormMain::StartAutomation1Click, QKeySequence::UnknownKey,
         "Ctrl+R"},
        {&StopAutomation1, "StopAutomation1", QT_TRANSLATE_NOOP("TFormMain", "S&top Automation"),
         "process-stop", QStyle::SP_BrowserStop, &TFormMain::StopAutomation1Click},
        {&SpawnSession1, "SpawnSession1", QT_TRANSLATE_NOOP("TFormMain", "S&pawn Session"), "window-new",
         QStyle::SP_TitleBarNormalButton, &TFormMain::SpawnSession1Click},
        {&Help2, "Help2", QT_TRANSLATE_NOOP("TFormMain", "&Help"), "help-contents",
         QStyle::SP_DialogHelpButton, &TFormMain::Help2Click, QKeySequence::HelpContents, "F1"},
        {&WebPage1, "WebPage1", QT_TRANSLATE_NOOP("TFormMain", "&Web Page"), "internet-web-browser",
         QStyle::SP_DriveNetIcon, &TFormMain::WebPage1Click},
        {&About1, "About1", QT_TRANSLATE_NOOP("TFormMain", "&About"), "help-about",
         QStyle::SP_MessageBoxInformation, &TFormMain::About1Click},
    };
    for (const ActionEntry& entry : entries) {
        auto* action = new QAction(ThemeIcon(this, entry.themeIcon, entry.fallback), tr(entry.caption), this);
        action->setObjectName(QString::fromLatin1(entry.name));
        QList<QKeySequence> keys = QKeySequence::keyBindings(entry.shortcut);
        if (keys.isEmpty() && entry.usualKeys)
            keys << QKeySequence(QString::fromLatin1(entry.usualKeys));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, entry.handler);
        *entry.action = action;
    }
}

void TFormMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    File1 = bar->addMenu(tr("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(NewProject1);
    File1->addSeparator();
    File1->addAction(LoadProject1);
    File1->addAction(SaveProject1);
    File1->addAction(SaveProjectAs1);
    File1->addSeparator();
    File1->addAction(Preferences1);
    File1->addSeparator();
    File1->addAction(Exit1);

    Edit1 = bar->addMenu(tr("&Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->addAction(AddFiles1);
    Edit1->addAction(RemoveFiles1);

    Run1 = bar->addMenu(tr("&Run"));
    Run1->setObjectName(QStringLiteral("Run1"));
    Run1->addAction(StartAutomation1);
    Run1->addAction(StopAutomation1);
    Run1->addSeparator();
    Run1->addAction(SpawnSession1);

    Help1 = bar->addMenu(tr("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help1->addAction(Help2);
    Help1->addAction(WebPage1);
    Help1->addAction(About1);
}

void TFormMain::CreateToolBar() {
    // Every tool-bar button runs the menu item of the same caption.
    ToolBar1 = addToolBar(tr("Tools"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const struct {
        QAction* action;
        const char* buttonName;
        bool separatorAfter;
    } buttons[] = {
        {NewProject1, "ToolButtonNewProject", true},
        {LoadProject1, "ToolButtonLoadProject", false},
        {SaveProject1, "ToolButtonSaveProject", true},
        {AddFiles1, "ToolButtonAddFiles", false},
        {RemoveFiles1, "ToolButtonRemoveFiles", true},
        {StartAutomation1, "ToolButtonStartAutomation", true},
        {Help2, "ToolButtonHelp", false},
    };
    for (const auto& button : buttons) {
        ToolBar1->addAction(button.action);
        if (QWidget* widget = ToolBar1->widgetForAction(button.action))
            widget->setObjectName(QString::fromLatin1(button.buttonName));
        if (button.separatorAfter)
            ToolBar1->addSeparator();
    }
}

void TFormMain::CreateStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(true);
}

// The controls are made in tab order: the settings on the left, then the output folder above the
// input list on the right.
void TFormMain::CreateControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PanelMain"));
    auto* mainLayout = new QHBoxLayout(central);
    mainLayout->setContentsMargins(4, 4, 4, 4);
    mainLayout->setSpacing(6);
    // The settings column is as wide as its captions at the font in use; on a screen too low for
    // it, it scrolls rather than making the window taller than the screen.
    auto* settingsArea = new QScrollArea(central);
    settingsArea->setObjectName(QStringLiteral("ScrollBoxSettings"));
    settingsArea->setFrameShape(QFrame::NoFrame);
    settingsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    settingsArea->setWidgetResizable(true);
    QWidget* settings = CreateSettingsPanel(settingsArea);
    settingsArea->setWidget(settings);
    settingsArea->setMinimumWidth(settings->minimumSizeHint().width() +
                                  settingsArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    settingsArea->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    // Its controls take the focus (and it scrolls to them); the area itself is no stop of Tab.
    settingsArea->setFocusPolicy(Qt::NoFocus);
    settingsArea->setAccessibleName(tr("Settings"));
    mainLayout->addWidget(settingsArea);
    mainLayout->addWidget(CreateFilesPanel(central), 1);
    CreateInputFilesMenu();
    setCentralWidget(central);
}

QWidget* TFormMain::CreateSettingsPanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("PanelSettings"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    ComboBoxOutputMode = new QComboBox(panel);
    ComboBoxOutputMode->setObjectName(QStringLiteral("ComboBoxOutputMode"));
    // The box is as wide as the longest preset name, up to about 40 characters; a longer one is
    // cut in the box but whole in its list (FillOutputModes) and in its tooltip.
    ComboBoxOutputMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboBoxOutputMode->setMaximumWidth(ComboBoxOutputMode->fontMetrics().averageCharWidth() * 40);
    connect(ComboBoxOutputMode, &QComboBox::currentTextChanged, ComboBoxOutputMode, &QWidget::setToolTip);
    layout->addWidget(LabelFor(tr("Output Type :"), ComboBoxOutputMode, QStringLiteral("LabelOutputType")));
    layout->addWidget(ComboBoxOutputMode);
    // Only a user's choice runs the change handler; the project commands call it themselves.
    connect(ComboBoxOutputMode, &QComboBox::activated, this, &TFormMain::ComboBoxOutputModeChange);

    layout->addWidget(CreateOutputSettingsGroup(panel));
    CreateStopActionButtons(panel, layout);
    AddNumberRow(panel, layout,
                 {QT_TRANSLATE_NOOP("TFormMain", "Frame/Seconds :"), "LabelFramePerSeconds",
                  "EditFramePerSeconds", "UpDownFramePerSeconds", kFramesPerSecondMin, kFramesPerSecondMax},
                 EditFramePerSeconds, UpDownFramePerSeconds);
    AddNumberRow(panel, layout,
                 {QT_TRANSLATE_NOOP("TFormMain", "Frame Tuner :"), "LabelFrameTuner", "EditFrameTuner",
                  "UpDownFrameTuner", kFrameTunerMin, kFrameTunerMax},
                 EditFrameTuner, UpDownFrameTuner);
    CreateMovieOptions(panel, layout);
    layout->addStretch(1);
    return panel;
}

void TFormMain::CreateMovieOptions(QWidget* parent, QVBoxLayout* layout) {
    EditFramePerSeconds->setToolTip(
        tr("The frame rate of the host movie that will load these movies: it sets how many frames each "
           "movie has. The movie's own header keeps 12 frames per second unless Standalone Movie is "
           "checked."));
    CheckBoxGapless = new QCheckBox(tr("Exact Timing"), parent);
    CheckBoxGapless->setObjectName(QStringLiteral("CheckBoxGapless"));
    CheckBoxGapless->setToolTip(
        tr("Only the sound's own samples play, without the encoder's silence "
           "before and after them: the sound starts on time and loops without a gap."));
    layout->addSpacing(4);
    layout->addWidget(CheckBoxGapless);
    AddNumberRow(parent, layout,
                 {QT_TR_NOOP("Loops :"), "LabelLoops", "EditLoops", "UpDownLoops", kLoopsMin, kLoopsMax},
                 EditLoops, UpDownLoops);
    EditLoops->setToolTip(tr("How many times the sound plays, 1 to 65535; the movie's frames last as long. "
                             "0 plays it once, as a movie without this setting."));
    CheckBoxStandalone = new QCheckBox(tr("Standalone Movie"), parent);
    CheckBoxStandalone->setObjectName(QStringLiteral("CheckBoxStandalone"));
    CheckBoxStandalone->setToolTip(tr("The movie's header states Frame/Seconds (1 to 100) instead of 12, "
                                      "so that the movie played on its own lasts as long as its sound."));
    layout->addWidget(CheckBoxStandalone);
}

// The quality, mode and bitrate boxes; closed until an editable output mode opens them.
QGroupBox* TFormMain::CreateOutputSettingsGroup(QWidget* parent) {
    GroupBoxCustomOutputSettings = new QGroupBox(tr("Output Settings :"), parent);
    GroupBoxCustomOutputSettings->setObjectName(QStringLiteral("GroupBoxCustomOutputSettings"));
    auto* layout = new QVBoxLayout(GroupBoxCustomOutputSettings);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(1);
    ComboBoxQuality = new QComboBox(GroupBoxCustomOutputSettings);
    ComboBoxQuality->setObjectName(QStringLiteral("ComboBoxQuality"));
    ComboBoxMode = new QComboBox(GroupBoxCustomOutputSettings);
    ComboBoxMode->setObjectName(QStringLiteral("ComboBoxMode"));
    ComboBoxBitrate = new QComboBox(GroupBoxCustomOutputSettings);
    ComboBoxBitrate->setObjectName(QStringLiteral("ComboBoxBitrate"));
    FillSettingBoxes(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate);
    layout->addWidget(LabelFor(tr("Conversion Quality:"), ComboBoxQuality, QStringLiteral("LabelQuality")));
    layout->addWidget(ComboBoxQuality);
    layout->addWidget(LabelFor(tr("Mode :"), ComboBoxMode, QStringLiteral("LabelMode")));
    layout->addWidget(ComboBoxMode);
    layout->addWidget(LabelFor(tr("Bitrate :"), ComboBoxBitrate, QStringLiteral("LabelBitrate")));
    layout->addWidget(ComboBoxBitrate);
    for (QComboBox* box : {ComboBoxQuality, ComboBoxMode, ComboBoxBitrate})
        box->setEnabled(false);
    return GroupBoxCustomOutputSettings;
}

void TFormMain::CreateStopActionButtons(QWidget* parent, QVBoxLayout* layout) {
    RadioButtonNoStopAction = new QRadioButton(tr("No Stop Action"), parent);
    RadioButtonNoStopAction->setObjectName(QStringLiteral("RadioButtonNoStopAction"));
    RadioButtonNoStopAction->setChecked(true);
    RadioButtonStopActionToStart = new QRadioButton(tr("Stop Action To Start"), parent);
    RadioButtonStopActionToStart->setObjectName(QStringLiteral("RadioButtonStopActionToStart"));
    RadioButtonStopActionToEnd = new QRadioButton(tr("Stop Action To End"), parent);
    RadioButtonStopActionToEnd->setObjectName(QStringLiteral("RadioButtonStopActionToEnd"));
    layout->addSpacing(4);
    layout->addWidget(RadioButtonNoStopAction);
    layout->addWidget(RadioButtonStopActionToStart);
    layout->addWidget(RadioButtonStopActionToEnd);
    layout->addSpacing(4);
}

// An edit that takes any text, with arrows beside it that step its number.
void TFormMain::AddNumberRow(QWidget* parent, QVBoxLayout* layout, const NumberRow& row, QLineEdit*& edit,
                             UpDownArrows*& upDown) {
    auto* line = new QHBoxLayout;
    line->setSpacing(0);
    edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(row.editName));
    // Room for "-100" at the font in use.
    edit->setFixedWidth(std::max(36, edit->fontMetrics().horizontalAdvance(QStringLiteral("-1000")) + 8));
    upDown = new UpDownArrows(parent);
    upDown->setObjectName(QString::fromLatin1(row.upDownName));
    upDown->SetRange(row.minimum, row.maximum);
    upDown->SetAssociate(edit);
    upDown->setFixedHeight(edit->sizeHint().height());
    QLabel* label = LabelFor(tr(row.caption), edit, QString::fromLatin1(row.labelName));
    upDown->NameArrowsAfter(edit->accessibleName());
    line->addWidget(label, 1);
    line->addSpacing(4);
    line->addWidget(edit);
    line->addWidget(upDown);
    layout->addLayout(line);
}

QWidget* TFormMain::CreateFilesPanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("PanelFiles"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    EditOutputFolder = new QLineEdit(panel);
    EditOutputFolder->setObjectName(QStringLiteral("EditOutputFolder"));
    ButtonOutputFolder = new QPushButton(QStringLiteral("..."), panel);
    ButtonOutputFolder->setObjectName(QStringLiteral("ButtonOutputFolder"));
    ButtonOutputFolder->setAccessibleName(tr("Choose the output folder"));
    ButtonOutputFolder->setToolTip(ButtonOutputFolder->accessibleName());
    ButtonOutputFolder->setFixedWidth(28);
    connect(ButtonOutputFolder, &QPushButton::clicked, this, &TFormMain::ButtonOutputFolderClick);
    layout->addWidget(LabelFor(tr("Output Folder :"), EditOutputFolder, QStringLiteral("LabelOutputFolder")));
    auto* folderRow = new QHBoxLayout;
    folderRow->setSpacing(2);
    folderRow->addWidget(EditOutputFolder, 1);
    folderRow->addWidget(ButtonOutputFolder);
    layout->addLayout(folderRow);
    layout->addSpacing(4);

    inputFiles_ = new InputFilesModel(this);
    ListBoxInputFiles = new InputFilesView(panel);
    ListBoxInputFiles->setObjectName(QStringLiteral("ListBoxInputFiles"));
    ListBoxInputFiles->setModel(inputFiles_);
    // Files and folders dropped from a file manager are added as Add File(s) adds them.
    ListBoxInputFiles->setAcceptDrops(true);
    ListBoxInputFiles->viewport()->setAcceptDrops(true);
    ListBoxInputFiles->viewport()->installEventFilter(this);
    // Delete removes the selected entries while the list has the focus; elsewhere it edits.
    ListBoxInputFiles->addAction(RemoveFiles1);
    RemoveFiles1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    layout->addWidget(
        LabelFor(tr("Input Files/Folders :"), ListBoxInputFiles, QStringLiteral("LabelInputFiles")));
    layout->addWidget(ListBoxInputFiles, 1);
    return panel;
}

// The input list's context menu offers the Edit menu's commands of the same captions.
void TFormMain::CreateInputFilesMenu() {
    PopupMenuInputFiles = new QMenu(this);
    PopupMenuInputFiles->setObjectName(QStringLiteral("PopupMenuInputFiles"));
    AddFiles2 = PopupMenuInputFiles->addAction(AddFiles1->icon(), AddFiles1->text());
    AddFiles2->setObjectName(QStringLiteral("AddFiles2"));
    connect(AddFiles2, &QAction::triggered, this, &TFormMain::AddFiles1Click);
    RemoveFiles2 = PopupMenuInputFiles->addAction(RemoveFiles1->icon(), RemoveFiles1->text());
    RemoveFiles2->setObjectName(QStringLiteral("RemoveFiles2"));
    connect(RemoveFiles2, &QAction::triggered, this, &TFormMain::RemoveFiles1Click);
    connect(ListBoxInputFiles, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        // The X11 platform follows the Menu key with a request of its own: the menu is up already.
        if (PopupMenuInputFiles->isVisible())
            return;
        PopupMenuInputFiles->popup(ListBoxInputFiles->viewport()->mapToGlobal(position));
    });
}

// --- Failures -------------------------------------------------------------------------------

void TFormMain::ShowFailure(const std::exception_ptr& failure) {
    QString text;
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        text = TextFromBytes(error.what());
    } catch (...) {
        text = tr("An unknown failure stopped the command.");
    }
    ShowErrorText(text);
}

void TFormMain::ShowErrorText(const QString& text) {
    if (HideMode)
        PrintErrorLine(text);
    else
        dialogs_->ShowError(this, text);
}

void TFormMain::ShowMessageText(const QString& text, const QString& detail) {
    // A hidden run is watched by nobody: a box would wait for a click that never comes.
    if (HideMode)
        PrintMessageLine(text, detail);
    else
        dialogs_->ShowMessage(this, text);
}

// --- Project operations ---------------------------------------------------------------------

QStringList TFormMain::InputFiles() const {
    return inputFiles_->Files();
}

void TFormMain::SetInputFiles(const QStringList& files) {
    inputFiles_->SetFiles(files);
}

ProjectControlValues TFormMain::ControlValues() const {
    ProjectControlValues values;
    values.qualityItem = ComboBoxQuality->currentText();
    values.modeItem = ComboBoxMode->currentText();
    values.bitrateItem = ComboBoxBitrate->currentText();
    values.outputFolder = EditOutputFolder->text();
    values.files = InputFiles();
    values.framesPerSecondText = EditFramePerSeconds->text();
    values.frameTunerText = EditFrameTuner->text();
    if (RadioButtonNoStopAction->isChecked())
        values.stopAction = 0;
    else if (RadioButtonStopActionToStart->isChecked())
        values.stopAction = 1;
    else if (RadioButtonStopActionToEnd->isChecked())
        values.stopAction = 2;
    values.gapless = CheckBoxGapless->isChecked();
    values.loopsText = EditLoops->text();
    values.standalone = CheckBoxStandalone->isChecked();
    return values;
}

void TFormMain::ShowProject() {
    savedProject_ = currentProject;
    // "[*]": the desktop's mark of unsaved changes, shown while the controls differ from the project.
    setWindowTitle(kWindowTitle + QStringLiteral(" - ") + TextFromBytes(currentProject.ProjectName) +
                   QStringLiteral("[*]"));
    EditOutputFolder->setText(TextFromBytes(currentProject.OutputFolder));
    QStringList files;
    for (const PSoundFile& file : currentProject.Files)
        files << TextFromBytes(file.File);
    SetInputFiles(files);
    switch (currentProject.StopAction) {
    case 0:
        RadioButtonNoStopAction->setChecked(true);
        break;
    case 1:
        RadioButtonStopActionToStart->setChecked(true);
        break;
    case 2:
        RadioButtonStopActionToEnd->setChecked(true);
        break;
    default:
        break; // any other value leaves the buttons as they are
    }
    UpDownFramePerSeconds->SetPosition(currentProject.FramePerSeconds);
    UpDownFrameTuner->SetPosition(currentProject.FrameTuner);
    CheckBoxGapless->setChecked(currentProject.Gapless);
    UpDownLoops->SetPosition(currentProject.Loops);
    CheckBoxStandalone->setChecked(currentProject.Standalone);
    MatchOutputMode();
    UpdateModifiedMark();
}

void TFormMain::TakeProjectFromWindow() {
    TakeProjectFromControls(ControlValues(), currentProject);
}

bool TFormMain::IsProjectChanged() {
    return ControlsDifferFromProject(ControlValues(), savedProject_);
}

QString TFormMain::ProjectDetail() const {
    return tr("Project: %1").arg(TextFromBytes(currentProject.ProjectName));
}

void TFormMain::WatchForChanges() {
    for (QComboBox* box : {ComboBoxQuality, ComboBoxMode, ComboBoxBitrate})
        connect(box, &QComboBox::currentIndexChanged, this, &TFormMain::UpdateModifiedMark);
    for (QRadioButton* button :
         {RadioButtonNoStopAction, RadioButtonStopActionToStart, RadioButtonStopActionToEnd})
        connect(button, &QRadioButton::toggled, this, &TFormMain::UpdateModifiedMark);
    for (QLineEdit* edit : {EditFramePerSeconds, EditFrameTuner, EditLoops, EditOutputFolder})
        connect(edit, &QLineEdit::textChanged, this, &TFormMain::UpdateModifiedMark);
    for (QCheckBox* box : {CheckBoxGapless, CheckBoxStandalone})
        connect(box, &QCheckBox::toggled, this, &TFormMain::UpdateModifiedMark);
    connect(inputFiles_, &QAbstractItemModel::modelReset, this, &TFormMain::UpdateModifiedMark);
    connect(inputFiles_, &QAbstractItemModel::rowsRemoved, this, &TFormMain::UpdateModifiedMark);
}

void TFormMain::UpdateModifiedMark() {
    bool changed = true; // a number that cannot be read is a change of its own
    try {
        changed = IsProjectChanged();
    } catch (const std::exception&) {
    }
    setWindowModified(changed);
}

bool TFormMain::AskToSaveChanges() {
    switch (dialogs_->AskYesNoCancel(this, SaveChangesQuestion(), tr("Warning"), ProjectDetail())) {
    case UserDialogs::Answer::No:
        return true;
    case UserDialogs::Answer::Yes:
        return SaveChanges();
    case UserDialogs::Answer::Cancel:
        break;
    }
    return false;
}

bool TFormMain::SaveChanges() {
    if (IsUntitledProjectName(currentProject.ProjectName, true)) {
        const QString path =
            dialogs_->SaveFileName(this, tr("Save Project As"), ProjectFilter(), kProjectSuffix);
        if (path.isEmpty())
            return false;
        TakeProjectFromWindow();
        currentProject.ProjectName = BytesFromText(path);
    } else {
        TakeProjectFromWindow();
    }
    SaveProjectFile(currentProject, projectTagNames);
    savedProject_ = currentProject;
    UpdateModifiedMark();
    return true;
}

// --- Output modes ---------------------------------------------------------------------------

void TFormMain::ApplyOutputMode() {
    const PMP3Converter* mode =
        FindOutputMode(tavrelSettings.outputModes, BytesFromText(ComboBoxOutputMode->currentText()));
    if (!mode)
        return;
    // A preset without a value keeps the box's selection, as a value no item shows does.
    SelectSettingValues(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate, ParameterValues(*mode));
    for (QComboBox* box : {ComboBoxQuality, ComboBoxMode, ComboBoxBitrate})
        box->setEnabled(mode->enabled);
}

void TFormMain::MatchOutputMode() {
    // The box lists the presets of start-up; one added since has no item of its own yet.
    const int matching = MatchingOutputMode(tavrelSettings.outputModes, currentProject);
    if (matching >= 0 && matching < ComboBoxOutputMode->count()) {
        ComboBoxOutputMode->setCurrentIndex(matching);
        ApplyOutputMode();
        return;
    }
    SelectSettingValues(ComboBoxQuality, ComboBoxMode, ComboBoxBitrate,
                        {currentProject.Quality, currentProject.Mode, currentProject.Bitrate});
    for (QComboBox* box : {ComboBoxQuality, ComboBoxMode, ComboBoxBitrate})
        box->setEnabled(true);
    SelectIfFound(ComboBoxOutputMode,
                  ComboBoxOutputMode->findText(TextFromBytes(kCustomOutputModeName), Qt::MatchExactly));
}

void TFormMain::ComboBoxOutputModeChange() {
    RunCommand([this] { ApplyOutputMode(); });
}

// --- File menu ------------------------------------------------------------------------------

void TFormMain::NewProject1Click() {
    RunCommand([this] {
        if (IsProjectChanged() && !AskToSaveChanges())
            return;
        currentProject = NewDefaultProject(tavrelSettings);
        ShowProject();
    });
}

void TFormMain::LoadProject1Click() {
    RunCommand([this] {
        if (IsProjectChanged() && !AskToSaveChanges())
            return;
        const QString path = dialogs_->OpenFileName(this, tr("Load Project"), ProjectFilter());
        if (!path.isEmpty())
            LoadProject(path);
    });
}

void TFormMain::LoadProject(const QString& path) {
    // The file is read into a new project first, so a file that cannot be read leaves the
    // current project and the window as they were.
    PSoundProject loaded = NewDefaultProject(tavrelSettings);
    LoadProjectFile(BytesFromText(path), loaded, projectTagNames);
    ShowProject(loaded);
}

void TFormMain::ShowProject(const PSoundProject& project) {
    currentProject = project;
    ShowProject();
}

void TFormMain::SaveProject1Click() {
    RunCommand([this] {
        if (IsUntitledProjectName(currentProject.ProjectName, false)) {
            const QString path =
                dialogs_->SaveFileName(this, tr("Save Project"), ProjectFilter(), kProjectSuffix);
            if (path.isEmpty())
                return;
            currentProject.ProjectName = BytesFromText(path);
            TakeProjectFromWindow();
            SaveProjectFile(currentProject, projectTagNames);
            ShowProject();
        } else {
            TakeProjectFromWindow();
            SaveProjectFile(currentProject, projectTagNames);
            savedProject_ = currentProject;
            UpdateModifiedMark();
        }
    });
}

void TFormMain::SaveProjectAs1Click() {
    RunCommand([this] {
        const QString path =
            dialogs_->SaveFileName(this, tr("Save Project As"), ProjectFilter(), kProjectSuffix);
        if (path.isEmpty())
            return;
        currentProject.ProjectName = BytesFromText(path);
        TakeProjectFromWindow();
        SaveProjectFile(currentProject, projectTagNames);
        ShowProject();
    });
}

void TFormMain::Preferences1Click() {
    RunCommand([this] {
        if (!preferencesForm_)
            return;
        QWidget* window = preferencesForm_;
        window->show();
        window->raise();
        window->activateWindow();
    });
}

void TFormMain::Exit1Click() {
    RunCommand([this] {
        if (IsProjectChanged() && !AskToSaveChanges())
            return;
        exitConfirmed_ = true;
        // Windows of their own (help) would keep the event loop going; Exit ends the program.
        if (close())
            QCoreApplication::quit();
    });
}

void TFormMain::closeEvent(QCloseEvent* event) {
    // A hidden run asks nothing: closing stops a run under way, then the window goes.
    if (HideMode) {
        if (automationRun_.IsRunning()) {
            event->ignore();
            closeAfterRun_ = true;
            automationRun_.Stop();
        } else {
            event->accept();
        }
        return;
    }
    // During a run the window stays and one question is asked; an answer that closes stops the
    // run, and the window closes once the run has ended (RunFinished), saving first if asked.
    if (automationRun_.IsRunning()) {
        event->ignore();
        exitConfirmed_ = false;
        if (closeAfterRun_)
            return;
        bool changed = true; // a number the window cannot read counts as a change worth keeping
        try {
            changed = IsProjectChanged();
        } catch (const std::exception&) {
        }
        if (changed) {
            const UserDialogs::Answer answer = dialogs_->AskYesNoCancel(this, StopRunSaveChangesQuestion(),
                                                                        ApplicationTitle(), ProjectDetail());
            if (answer == UserDialogs::Answer::Cancel)
                return;
            saveBeforeClose_ = answer == UserDialogs::Answer::Yes;
        } else if (dialogs_->AskYesNoCancel(this, StopRunQuestion(), ApplicationTitle(), QString()) !=
                   UserDialogs::Answer::Yes) {
            return;
        }
        closeAfterRun_ = true;
        automationRun_.Stop();
        return;
    }
    // The close box asks like Exit does, so unsaved changes are never lost without a word.
    bool mayClose = exitConfirmed_;
    if (!mayClose) {
        RunCommand([&] { mayClose = !IsProjectChanged() || AskToSaveChanges(); });
    }
    exitConfirmed_ = false;
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

// --- Edit menu ------------------------------------------------------------------------------

void TFormMain::AddFiles1Click() {
    RunCommand([this] {
        const QStringList chosen = dialogs_->OpenFileNames(this, tr("Add File(s)"), InputFilesFilter());
        // The list is sorted anew even when the dialog is cancelled.
        SetInputFiles(MergeInputFiles(InputFiles(), chosen));
    });
}

void TFormMain::AddDroppedFiles(const QList<QUrl>& urls) {
    AddInputFiles(DroppedInputFiles(urls));
}

void TFormMain::AddInputFiles(const QStringList& files) {
    RunCommand([&] { SetInputFiles(MergeInputFiles(InputFiles(), files)); });
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ListBoxInputFiles->viewport())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        // Not while a run works through the list, as Add File(s) is not.
        if (drag->mimeData()->hasUrls() && AddFiles1->isEnabled())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls() || !AddFiles1->isEnabled()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        AddDroppedFiles(drop->mimeData()->urls());
        return true;
    }
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

void TFormMain::RemoveFiles1Click() {
    RunCommand([this] {
        std::vector<int> rows;
        for (const QModelIndex& index : ListBoxInputFiles->selectionModel()->selectedRows())
            rows.push_back(index.row());
        inputFiles_->RemoveRows(std::move(rows));
    });
}

void TFormMain::ButtonOutputFolderClick() {
    RunCommand([this] {
        QString folder = dialogs_->BrowseForFolder(this, tr("Please Select a Directory"));
        if (folder.isEmpty())
            return;
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        EditOutputFolder->setText(folder);
    });
}

// --- Run menu -------------------------------------------------------------------------------

template <typename Start> void TFormMain::StartRun(Start&& start) {
    // Spawn Session, Help, Web Page and About stay available.
    commandsLocked_ = std::make_unique<CommandsDisabledDuringRun>(std::initializer_list<QAction*>{
        StartAutomation1, NewProject1, LoadProject1, SaveProject1, SaveProjectAs1, Preferences1, AddFiles1,
        RemoveFiles1, AddFiles2, RemoveFiles2, Exit1});
    runHost_->SetHideMode(HideMode);
    runHost_->SetInputFiles(InputFiles());
    lastRunResult_ = AutomationResult();
    StopAutomation1->setEnabled(true);
    start();
}

void TFormMain::StartAutomation1Click() {
    // The disabled commands keep a second start out; this guards against any other way in.
    if (automationRun_.IsRunning())
        return;
    lastRunResult_ = AutomationResult();
    RunCommand([this] {
        TakeProjectFromWindow();
        RunChoices choices;
        choices.outputMode = BytesFromText(ComboBoxOutputMode->currentText());
        const RunRequest request = MakeRunRequest(currentProject, tavrelSettings, choices);
        // The project keeps the trailing "/" its output folder may gain (RunFinished); the window
        // goes on showing the folder as typed.
        StartRun([&] { automationRun_.Start(request); });
    });
}

void TFormMain::RunFinished(const AutomationResult& result) {
    // A second start while a run is under way is not the end of that run.
    if (result.outcome == AutomationResult::Outcome::AlreadyRunning)
        return;
    lastRunResult_ = result;
    commandsLocked_.reset();
    StopAutomation1->setEnabled(false);
    // A run that did not start leaves the folder as it was.
    if (!result.outputFolder.empty())
        currentProject.OutputFolder = result.outputFolder;
    // A stop signal ends the program now: nobody may be there to read anything.
    if (stopSignalled_) {
        EndApplication(kExitRunIncomplete);
        return;
    }
    // Files that gave no movie are told once, in one box; a hidden run prints them instead.
    const QString endMessage = RunEndMessage(result);
    if (!HideMode && !endMessage.isEmpty())
        dialogs_->ShowMessage(this, endMessage);
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        // The question asked when the close came counts for the whole close.
        bool mayClose = true;
        if (std::exchange(saveBeforeClose_, false)) {
            mayClose = false;
            RunCommand([&] { mayClose = SaveChanges(); });
        }
        exitConfirmed_ = mayClose;
        if (mayClose)
            close();
    }
    // A command-line run that waited for this one.
    if (AutoRunPending)
        QTimer::singleShot(0, this, &TFormMain::HandleIdle);
}

void TFormMain::StopAutomation1Click() {
    if (automationRun_.IsRunning())
        automationRun_.Stop();
}

void TFormMain::SpawnSession1Click() {
    RunCommand([this] {
        // Nobody is told when the copy cannot be started.
        SpawnSession(programFile_.isEmpty() ? OwnProgramFile() : programFile_);
    });
}

// --- Command line ---------------------------------------------------------------------------

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first show stands for the first activation: offscreen and window-manager-less displays
    // may never activate the window. The arguments are read once start-up's events are handled;
    // a second show before then queues a FormActivate that finds them read.
    if (FirstActivation)
        QTimer::singleShot(0, this, qOverload<>(&TFormMain::FormActivate));
}

void TFormMain::FormActivate() {
    FormActivate(commandLine_);
}

void TFormMain::FormActivate(const CommandLine& commandLine) {
    if (!FirstActivation)
        return;
    FirstActivation = false;
    if (commandLine.hideMode)
        HideMode = true;
    if (!commandLine.hasArguments) {
        for (const std::string& message : settingsRead_.Messages())
            ShowMessageText(TextFromBytes(message));
        return;
    }
    commandLineRun_ = std::make_unique<ProjectRunFlow>(settingsRead_);
    connect(commandLineRun_.get(), &ProjectRunFlow::message, this,
            [this](const QString& text, const QString& detail, RunMessageSeverity severity) {
                if (severity == RunMessageSeverity::Error)
                    ShowErrorText(text);
                else
                    ShowMessageText(text, detail);
            });
    connect(commandLineRun_.get(), &ProjectRunFlow::ended, this, &TFormMain::EndApplication);
    const ProjectRunFlow::Prepared prepared =
        commandLineRun_->PrepareFromCommandLine(commandLine, projectTagNames);
    if (prepared == ProjectRunFlow::Prepared::Ready) {
        RunCommand([this] {
            currentProject = commandLineRun_->Project();
            ShowProject();
        });
        AutoRunPending = true;
        // The run starts once the events queued so far (painting the loaded project) are handled.
        QTimer::singleShot(0, this, &TFormMain::HandleIdle);
        return;
    }
    // A project file that cannot be read leaves the window open for the user, unless there is none.
    if (prepared != ProjectRunFlow::Prepared::ProjectUnreadable || HideMode)
        EndApplication(ProjectRunFlow::ExitStatusOf(prepared));
}

void TFormMain::HandleIdle() {
    // Idle means no run under way: one started by hand just before ends first (RunFinished calls
    // again), rather than being cut short when the program ends after the auto-run.
    if (!AutoRunPending || !commandLineRun_ || automationRun_.IsRunning())
        return;
    AutoRunPending = false;
    if (HideMode)
        hide();
    // The project as the window shows it, which is the project the command line's run prepared;
    // the exit status follows through ended.
    StartRun([this] { commandLineRun_->Start(automationRun_); });
}

void TFormMain::StopSignalled() {
    stopSignalled_ = true;
    AutoRunPending = false;
    // A run under way writes its report of what was done first (RunFinished ends the program);
    // a box shown meanwhile, or from here on, returns at once.
    if (automationRun_.IsRunning())
        automationRun_.Stop();
    else
        EndApplication(kExitRunIncomplete);
}

void TFormMain::EndApplication(int status) {
    QCoreApplication::exit(stopSignalled_ ? kExitRunIncomplete : status);
}

// --- Help menu ------------------------------------------------------------------------------

void TFormMain::Help2Click() {
    RunCommand([this] { dialogs_->ShowHelp(this, HelpFile(), QStringLiteral("INTRODUCTION")); });
}

void TFormMain::WebPage1Click() {
    RunCommand([this] { dialogs_->OpenInBrowser(WebPageFile()); });
}

void TFormMain::About1Click() {
    RunCommand([this] {
        if (!aboutForm_)
            return;
        QWidget* window = aboutForm_;
        window->show();
        window->raise();
        window->activateWindow();
    });
}
