// Converting a project file from the command line with no window at all.
#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "OutputModes.h"
#include "ProjectFile.h"

// Exit statuses of a command-line run, with or without a window.
enum HeadlessExitStatus {
    kExitCompleted = 0,     // every listed file became a movie, report written
    kExitCheckMessage = 1,  // "Invalid Parameters", "Invalid Filename", a Start check, the output
                            // folder; or no display to show the window on
    kExitLoadFailed = 2,    // the project file or settings.ini could not be read
    kExitRunIncomplete = 3, // stopped (SIGINT, SIGTERM, SIGHUP), or the report could not be written
    kExitFilesFailed = 4    // completed and reported, but some listed files gave no movie
};

struct AutomationResult;

// The exit status a command-line run ends with, headless or the window's "-f:" run.
int ExitStatusFor(const AutomationResult& result);

// One line on standard error, with the exact bytes of the names in it (see NativeText.h), except
// control characters, which are written escaped (EscapeControlCharacters).
void PrintErrorLine(const QString& text);

// Names each listed file that gave a movie with a note, then each that gave no movie, with
// why, one line each on standard error, in list order: "<file>: <reason>".
void PrintFileProblems(const AutomationResult& result);

// Why the settings file at iniPath (bytes) cannot be used, or an empty text. A missing file is
// no problem (no presets); a link to nothing is, as is one that is there but is no regular file
// (a folder, a FIFO) or cannot be opened, told before anything tries to read it, as a FIFO would
// never answer.
std::string SettingsFileProblem(const std::string& iniPath);

// Said on standard error when the window is asked for but there is no display to show it on.
extern const char* const kNoDisplayMessage;

// True when the window system cannot be reached because none is named: no DISPLAY, no
// WAYLAND_DISPLAY and no QT_QPA_PLATFORM chosen by the user.
bool NoDisplayNamed();

// True when there is no display to show a window on (neither DISPLAY nor WAYLAND_DISPLAY is set,
// or QT_QPA_PLATFORM asks for "offscreen" or "minimal") and the program was given arguments:
// "-hide" asks for no window at all, and any other command-line start could only show its
// messages in boxes nobody can see or close.
bool ShouldRunHeadless(const QStringList& arguments);

// The output mode a shown project selects: the first preset whose three values equal the
// project's Quality, Mode and Bitrate; else "Custom..." when there is such a preset; else fallback.
std::string MatchOutputModeName(const std::vector<PMP3Converter>& outputModes, const PSoundProject& project,
                                const std::string& fallback);

// Loads the project named by "-f:" (settings as ProgramFiles finds them for a program in
// programFolder: settings.ini there, else the user's or the shipped one), runs it once and
// returns the exit status. Every message goes to standard error, one line each; names keep their
// bytes (arguments and programFolder as TextFromBytes shows them). SIGINT,
// SIGTERM and SIGHUP stop the run as the window's stop would: encoders ended, unfinished files
// removed, report of what was done written; status 3. Creates a QCoreApplication when none exists yet.
// arguments: without the program's own name.
int RunHeadless(const QStringList& arguments, const QString& programFolder);
