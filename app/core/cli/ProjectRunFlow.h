// A command-line run of a project, the same whether a window shows it or not: the command line
// and the settings checked, the project loaded, its output mode matched and its values clamped,
// the run, the files that gave no movie and the exit status. Front ends differ only in how they
// show the messages (boxes or standard error) and whether a window shows the project.
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "project/ProgramSettings.h"
#include "project/ProjectFile.h"
#include "run/RunRequest.h"
#include "run/RunResult.h"

class AutomationRun;
class QCoreApplication;
class StopSignals;
struct CommandLine;

class ProjectRunFlow : public QObject {
    Q_OBJECT
public:
    // settings: as ReadProgramSettings found them; their messages are told by the flow.
    explicit ProjectRunFlow(ProgramSettings settings, QObject* parent = nullptr);

    enum class Prepared {
        Ready,              // the project is ready to run
        CommandLineRefused, // "Invalid Parameters", "Invalid Filename": status 1
        SettingsUnusable,   // settings.ini cannot be read: status 2
        ProjectUnreadable,  // the project file cannot be read: status 2
    };
    static int ExitStatusOf(Prepared prepared);

    // "-f:": checks the command line (its message, and nothing else, when it is refused), tells
    // what reading the settings found, then loads the project file over a new project.
    Prepared PrepareFromCommandLine(const CommandLine& commandLine, const ProjectTagNames& tagNames = {});
    // A project built by other means: tells what reading the settings found, then takes its run
    // request (MakeRunRequest, with the settings' number of encoders).
    Prepared PrepareProject(PSoundProject project);
    // A run request made from these settings: tells what reading the settings found, and when no
    // output mode has the request's name, that its files that need encoding will give no movie.
    Prepared PrepareRequest(RunRequest request);

    const ProgramSettings& Settings() const { return settings_; }
    // The project as it will run.
    const PSoundProject& Project() const { return request_.project; }

    // Starts the prepared request on run and returns at once. Whatever the run says goes through
    // the run's own signals; ended follows once the run has finished (or did not start), with the
    // exit status, after the files that gave no movie (and those with a note) are printed on
    // standard error.
    void Start(AutomationRun& run);
    // Starts the run as Start does and runs the application's event loop until the flow has
    // ended: a stop signal stops the run, and beforeExit (if any) sees the status first. Returns
    // the exit status; a loop quit by anything else leaves the run unfinished: status 3.
    int RunUntilEnded(AutomationRun& run, StopSignals& stopSignals,
                      const std::function<void()>& beforeExit = {});

signals:
    // A message for the user (a refused command line, the settings' problem and warnings, no output
    // mode: information; the project file that could not be read: an error); detail: what a reader
    // of standard error is told beside it (PrintMessageLine).
    void message(const QString& text, const QString& detail = QString(),
                 RunMessageSeverity severity = RunMessageSeverity::Information);
    void ended(int status);

private:
    // What reading the settings found, told once.
    void TellSettings();
    void RunEnded(const AutomationResult& result);

    ProgramSettings settings_;
    RunRequest request_;
    bool settingsTold_ = false;
    QMetaObject::Connection runFinished_;
};

// A run without a window still works on an event loop, and so needs an application object: a
// new one when none exists yet (kept alive by the pointer), else none.
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// Runs the project named by "-f:" (settings as ProgramFiles finds them for a program in
// programFolder: settings.ini there, else the user's or the shipped one) on the application's
// event loop and returns the exit status. Every message goes to standard error, one line each;
// names keep their bytes (programFolder as TextFromBytes shows it). SIGINT, SIGTERM and SIGHUP
// stop the run as the window's stop would: encoders ended, unfinished files removed, report of
// what was done written; status 3. Creates a QCoreApplication when none exists yet, and runs its
// event loop: not to be called while that loop runs.
int RunHeadless(const CommandLine& commandLine, const QString& programFolder);
