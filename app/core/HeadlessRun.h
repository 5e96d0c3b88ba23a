// Converting a project file from the command line with no window at all.
#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "OutputModes.h"
#include "ProjectFile.h"

// Exit statuses of a headless run.
enum HeadlessExitStatus {
    kExitCompleted = 0,    // every file handled, report written
    kExitCheckMessage = 1, // "Invalid Parameters", "Invalid Filename", a Start check, the output folder
    kExitLoadFailed = 2,   // the project file (or settings.ini) could not be read
    kExitRunIncomplete = 3 // stopped by a signal, or the report could not be written
};

struct AutomationResult;

// The exit status a command-line run ends with (the window's "-f:" run may use it too).
int ExitStatusFor(const AutomationResult& result);

// True when there is no display to show a window on (neither DISPLAY nor WAYLAND_DISPLAY is set,
// or QT_QPA_PLATFORM asks for "offscreen" or "minimal") and the program was given arguments:
// "-hide" asks for no window at all, and any other command-line start could only show its
// messages in boxes nobody can see or close.
bool ShouldRunHeadless(const QStringList& arguments);

// The output mode a shown project selects: the first preset whose three values equal the
// project's Quality, Mode and Bitrate; else "Custom..." when there is such a preset; else fallback.
std::string MatchOutputModeName(const std::vector<PMP3Converter>& outputModes, const PSoundProject& project,
                                const std::string& fallback);

// Loads the project named by "-f:" (settings from programFolder/settings.ini), runs it once and
// returns the exit status. Every message goes to standard error, one line each. SIGINT and
// SIGTERM stop the run as the window's stop would: encoder ended, unfinished files removed,
// report of what was done written. Creates a QCoreApplication when none exists yet.
// arguments: without the program's own name.
int RunHeadless(const QStringList& arguments, const QString& programFolder);
