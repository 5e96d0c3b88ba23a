// Converting a project file from the command line with no window at all.
#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QStringList>

class AutomationRun;
class ProjectRunFlow;
class QCoreApplication;
class StopSignals;

// Said on standard error when the window is asked for but there is no display to show it on.
extern const char* const kNoDisplayMessage;

// A WAYLAND_DISPLAY whose compositor does not answer (a stale one in a batch script) is taken out of
// the environment, so that it counts as not set, as a DISPLAY that does not answer does: the window
// system would abort the program on it.
void ForgetDeadWaylandDisplay();

// True when the window system cannot be reached because none is named: no DISPLAY, no
// WAYLAND_DISPLAY and no QT_QPA_PLATFORM chosen by the user.
bool NoDisplayNamed();

// True when there is no display to show a window on (neither DISPLAY nor WAYLAND_DISPLAY is set,
// or QT_QPA_PLATFORM asks for "offscreen" or "minimal") and the program was given arguments:
// "-hide" asks for no window at all, and any other command-line start could only show its
// messages in boxes nobody can see or close.
bool ShouldRunHeadless(const QStringList& arguments);

// A run without a window still works on an event loop, and so needs an application object: a
// new one when none exists yet (kept alive by the pointer), else none.
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// Starts the prepared flow's run and runs the application's event loop until the flow has ended:
// a stop signal stops the run, and beforeExit (if any) sees the status first. Returns the exit
// status; a loop quit by anything else leaves the run unfinished: status 3.
int RunUntilEnded(ProjectRunFlow& flow, AutomationRun& run, StopSignals& stopSignals,
                  const std::function<void()>& beforeExit = {});

// Runs the project named by "-f:" through ProjectRunFlow (settings as ProgramFiles finds them for
// a program in programFolder: settings.ini there, else the user's or the shipped one) on the
// application's event loop and returns the exit status. Every message goes to standard error, one
// line each; names keep their bytes (arguments and programFolder as TextFromBytes shows them).
// SIGINT, SIGTERM and SIGHUP stop the run as the window's stop would: encoders ended, unfinished
// files removed, report of what was done written; status 3. Creates a QCoreApplication when none
// exists yet, and runs its event loop: not to be called while that loop runs.
// arguments: without the program's own name.
int RunHeadless(const QStringList& arguments, const QString& programFolder);
