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

#include "run/RunRequest.h"
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

    // Starts the run request asks for and returns at once; the run goes on from the event loop.
    // The run makes the output folder (with the folders above it), then works on its own copy of
    // the request. It always ends with finished, queued: with what it did, or with why it did not
    // start (request.refused or a folder that could not be made, said as a message first; a run
    // already under way, said by nothing else).
    void Start(const RunRequest& request);

    bool IsRunning() const { return running_; }
    // Asks a run under way to stop: every running encoder is ended at once, and the run ends after
    // them with the report of what was done. Returns at once.
    void Stop();

signals:
    // A message the user must read: a check message, the output folder, the report's path, the
    // missing encoder (information); the report that could not be written (an error). detail: what
    // a reader of standard error is told beside it (PrintMessageLine).
    void message(const QString& text, const QString& detail, RunMessageSeverity severity);
    // The run has begun on total files.
    void started(int total);
    // The listed file at index is the one whose turn is next, and encoded (0 to 1) tells how much
    // of it its encoder has made (0 while it waits or needs none). Told a few times a second.
    void fileProgress(int index, double encoded);
    // The listed file at index has had its turn, in list order; those a stop kept from theirs
    // never do. The files handled so far are those whose outcome was handled: index + 1 then.
    void fileDone(int index, const FileOutcome& outcome);
    // The run is over, or never began: movies, report and result. It may be started again from here.
    void finished(const AutomationResult& result);

private:
    void Begin(const RunRequest& request);
    void EndAtOnce(AutomationResult result);
    void Finish();
    void TellFileProgress();
    // Lets the scheduler take its next step from the event loop.
    void AdvanceLater();

    bool searchEncoder_ = true;
    QString encoderProgram_;
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
