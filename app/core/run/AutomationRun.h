// The automation run: a project's input list becomes movies and a run report. It works on the
// event loop and never waits: Start returns at once, and what happens is told through signals.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QTimer>

#include "project/OutputModes.h"
#include "project/ProjectFile.h"
#include "run/RunResult.h"

// The user messages of a run, word for word (as marked for translation; a run says them translated).
extern const char* const kNoInputFilesMessage;   // "Please select at least one Wave Data file to convert!"
extern const char* const kNoOutputFolderMessage; // "Please select an output folder!"
extern const char* const
    kOutputFolderFailedMessage;                  // "Unable to create the output directory.Operation Aborted"
extern const char* const kEncoderMissingMessage; // "The MP3 encoder 'lame' was not found..."

class RunOutputs;
class RunReportFile;
class RunScheduler;

class AutomationRun : public QObject {
    Q_OBJECT
public:
    // Each run looks for `lame` in the search path when it starts.
    explicit AutomationRun(QObject* parent = nullptr);
    // Each run starts encoderProgram instead; an empty text means there is no encoder.
    explicit AutomationRun(QString encoderProgram, QObject* parent = nullptr);
    ~AutomationRun() override;

    // How many encoders a run keeps busy at once (1: one file after another); one per processor
    // unless set. Movies, report and progress come out the same whatever the number.
    void SetEncoderCount(int count);
    // Where each run writes its report (bytes); empty: the output folder, named after the project.
    void SetReportPath(std::string path) { reportPath_ = std::move(path); }
    // Where a run of project writes its report.
    std::string ReportPathOf(const PSoundProject& project) const;

    // The Start command after its project refresh: the two checks, the output folder (made with
    // the folders above it), where the report goes, then the run, which goes on from the event
    // loop. Returns at once: nothing when the run is under way (finished follows, once), else the
    // result of a run that did not start (a check message, the output folder or the report's
    // path, each also sent as message; or a run already under way), and then no finished comes. The run works
    // on its own copy of project; non-MP3 inputs are encoded with the output mode named outputModeName, with
    // the project's values for an editable one.
    std::optional<AutomationResult> Start(const PSoundProject& project,
                                          const std::vector<PMP3Converter>& outputModes,
                                          const std::string& outputModeName);

    bool IsRunning() const { return running_; }
    // Asks a run under way to stop: every running encoder is ended at once, and the run ends after
    // them with the report of what was done. Returns at once.
    void Stop();

signals:
    // A message the user must read: a check message, the output folder, the report's path, the
    // missing encoder. detail: what a reader of standard error is told beside it (PrintMessageLine).
    void message(const QString& text, const QString& detail = QString());
    // A failure the run could not get past: the report could not be written.
    void error(const QString& text);
    // The run has begun on total files.
    void started(int total);
    // handled files of total are done (a file that was skipped does not move it on).
    void progress(int handled, int total);
    // The listed file at index is the one whose turn is next, and encoded (0 to 1) tells how much
    // of it its encoder has made (0 while it waits or needs none). Told a few times a second.
    void fileProgress(int index, double encoded);
    // The listed file at index has had its turn, in list order; those a stop kept from theirs
    // never do.
    void fileDone(int index, const FileOutcome& outcome);
    // The run is over: movies, report and result. The run may be started again from here.
    void finished(const AutomationResult& result);

private:
    void Finish();
    void TellFileProgress();

    bool searchEncoder_ = true;
    QString encoderProgram_;
    int encoderCount_;
    std::string reportPath_;
    bool running_ = false;
    // The run under way: its own project, what it wrote, its report, its files; the scheduler
    // last, as it refers to them. A movie step the stop gave up keeps the project and the outputs
    // as long as it runs.
    std::shared_ptr<const PSoundProject> project_;
    std::shared_ptr<RunOutputs> outputs_;
    std::unique_ptr<RunReportFile> report_;
    std::unique_ptr<RunScheduler> scheduler_;
    AutomationResult result_;
    QTimer fileProgressTimer_;
};
