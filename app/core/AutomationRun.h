// The automation run: a project's input list becomes movies and a run report.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QString>

#include "EncoderRunner.h"
#include "OutputModes.h"
#include "ProjectFile.h"

// What a run needs from whoever drives it: the main window, the headless front end or a test.
// Every call comes on the thread that runs the automation.
class RunHost {
public:
    virtual ~RunHost() = default;
    // The simple message box (or its stand-in); returns once the user has seen it.
    virtual void ShowMessage(const QString& text) = 0;
    // A failure the run cannot get past, shown as an error.
    virtual void ReportError(const QString& text) = 0;
    // Shows the progress window (unless runs are hidden) at position 0, "%0", of maximum files.
    virtual void ShowProgress(int maximum) = 0;
    // handled files of maximum are done: position and "%" text.
    virtual void SetProgress(int handled) = 0;
    virtual void HideProgress() = 0;
    // Lets the user interface handle its pending events once.
    virtual void ProcessEvents() = 0;
    // True once the user has asked to stop the run; asked between files and while encoding.
    virtual bool StopRequested() = 0;
    // The output mode selected now (the output-mode box's text); asked before each encoding.
    virtual std::string SelectedOutputModeName() = 0;
};

// The user messages of a run, worded exactly as users know them.
extern const char* const kNoInputFilesMessage;   // "Please select at least one Wave Data file to convert!"
extern const char* const kNoOutputFolderMessage; // "Please select an output folder!"
extern const char* const
    kOutputFolderFailedMessage;                  // "Unable to create the output directory.Operation Aborted"
extern const char* const kEncoderMissingMessage; // "The MP3 encoder 'lame' was not found..."

struct AutomationResult {
    enum class Outcome {
        Refused,        // a check message was shown, nothing ran
        Aborted,        // the output folder could not be created, nothing ran
        Completed,      // every file was handled and the report written
        Stopped,        // the user stopped it; the report of what was done is written
        ReportFailed,   // every file was handled but the report could not be written
        AlreadyRunning, // a run is under way; this one did not start
    };
    Outcome outcome = Outcome::Refused;
    QString message;                      // the check or abort message that was shown
    std::string reportPath;               // where the report belongs (set once the run started)
    std::vector<std::string> reportLines; // the report, in file order
    int filesHandled = 0;                 // inputs whose work completed
    // Each listed file that gave no movie, in list order, with why; for what an unattended run
    // prints and its exit status. The report's own lines stay as they are. A stopped run lists
    // every file it did not finish as "stopped"; a run that did not start lists none.
    struct FileProblem {
        std::string input;
        std::string reason;
    };
    std::vector<FileProblem> problems;
    // Each listed file that gave a movie the user should still hear about (a movie under another
    // name than the usual one, an input that holds less than it says), in list order, with what.
    std::vector<FileProblem> notes;
    bool encoderFound = true;
};

// Path rules of a run. A file's extension is its final component's part from the last "." on.
std::string FinalPathComponent(const std::string& path);
std::string ChangeExtension(const std::string& path, const std::string& extension);
// Output folder + "/" (unless it ends in one) + the input's name with the extension ".swf".
std::string MoviePathFor(const std::string& outputFolder, const std::string& inputPath);
// The output folder (ending in "/") + the project file's name with the extension ".txt".
std::string ReportPathFor(const std::string& outputFolder, const std::string& projectName);
// An input whose extension is ".mp3" in any letter case is used as it is.
bool IsOwnMp3(const std::string& inputPath);
// Where the encoder writes an input's MP3: its path with ".mp3", or when that is taken (a file
// or link is there, or it is listed in avoid) the first free "<name>.1.mp3", "<name>.2.mp3"...
std::string IntermediateMp3PathFor(const std::string& inputPath, const std::set<std::string>& avoid);

// Writes lines, each followed by CR LF, replacing a file at path. False when it cannot.
bool WriteRunReport(const std::string& path, const std::vector<std::string>& lines);

class RunOutputs;

class AutomationRun {
public:
    // Each run looks for `lame` in the search path when it starts.
    AutomationRun();
    // Each run starts encoderProgram instead; an empty text means there is no encoder.
    explicit AutomationRun(QString encoderProgram);
    ~AutomationRun();

    // How many encoders a run keeps busy at once (1: one file after another); one per processor
    // unless set. Movies, report and progress come out the same whatever the number.
    void SetEncoderCount(int count);
    int EncoderCount() const { return encoderCount_; }

    // The Start command after its project refresh: the two checks, then the run.
    AutomationResult StartAutomation(PSoundProject& project, const std::vector<PMP3Converter>& outputModes,
                                     RunHost& host);
    // The run proper. project.OutputFolder gains a trailing "/" at the end of the run.
    AutomationResult RunAutomation(PSoundProject& project, const std::vector<PMP3Converter>& outputModes,
                                   RunHost& host);

    bool IsRunning() const { return running_; }
    // Asks a run under way to stop: every running encoder is ended at once, the run ends after them.
    void RequestStop();

private:
    class Batch;
    bool ShouldStop(RunHost& host);
    // The steps of a run, in order.
    static bool MakeOutputFolder(const std::string& folder);
    void ConvertFiles(PSoundProject& project, const std::vector<PMP3Converter>& outputModes, RunHost& host,
                      RunOutputs& outputs, AutomationResult& result);
    static void WriteReport(PSoundProject& project, RunHost& host, const RunOutputs& outputs,
                            AutomationResult& result);

    bool searchEncoder_ = true;
    QString encoderProgram_;
    int encoderCount_;
    Batch* batch_ = nullptr; // the files of the run under way
    bool running_ = false;
    bool stopRequested_ = false;
};
