// How a start of the program goes until a window is needed. The program, tavrel, needs no window
// library: it answers --help and --version, converts files and projects without a window and says
// what is wrong with a command line; only when a window is to be shown does it hand the very same
// command line over to the window program, tavrel-window, which goes through the same steps.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "cli/CommandLine.h"
#include "cli/ScriptOptions.h"

// The program's name as its windows, message boxes and application object show it: "SWF Tavrel Tool".
QString ApplicationTitle();

// The arguments without the program's own name, as TextFromBytes shows their bytes: a path in them
// that is not UTF-8 must reach the file system unchanged.
QStringList ArgumentTexts(int argc, char* argv[]);

// The folder of the program, tavrel, with the exact bytes of its name (Qt's own answer reads them as
// UTF-8, and settings.ini beside a folder name that is not would never be found): settings.ini and
// the shipped files are looked up there (ProgramFiles), by the program and its window alike.
// The program's is its own folder; the window program's is found from its own folder.
QString ProgramFolder();
QString ProgramFolderOfWindow();

// The window program's file, from the program's folder (both as TextFromBytes shows them).
QString WindowProgramFile(const QString& programFolder);

// What the window starts with once it is needed: the command line as read once, here.
struct WindowStart {
    // -w: files and options, whose input files go into the window's input list; otherwise the
    // project form's "-f:" and "-hide".
    bool withFiles = false;
    ScriptOptions options;
    bool hideMode = false; // "-hide" was given
    // What the window's first activation reads ("-f:" and "-hide"): nothing for a start with files.
    CommandLine commandLine;
    // The line that says which argument beside "-f:" and "-hide" is left aside; empty when none.
    // Said by whoever goes on with the start, once.
    QString ignoredLine;
};

// Does all that a start needs no window for, once the caller has made a QCoreApplication (the
// translations are looked up there; a run goes on in it): prints --help or --version; runs files and options
// without -w, and a project where there is no display, with no window (settings as found in
// programFolder); says a mistake in the command line, or that there is no display for the window.
// From here on every line on standard error starts with "tavrel: ", and a Wayland display that
// does not answer counts as none (ForgetDeadWaylandDisplay).
// Returns the exit status then. Returns nothing when the window is to be shown, window telling
// with what. Reads no list of files for the window: standard input is read once, by the window.
std::optional<int> StartWithoutWindow(int argc, char* argv[], const QString& programFolder,
                                      WindowStart& window);

// The user's words when the window is asked for but there is no display to show it on.
QString NoDisplayMessage();

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
bool ShouldRunHeadless(const CommandLine& commandLine);

// -w: the input files the options name (GatherInputFiles). False when a list cannot be read,
// which is then said as a mistake in the command line.
bool GatherWindowFiles(const ScriptOptions& options, QStringList& files);
