// `tavrel [OPTIONS] FILE|FOLDER...`: the project the options describe, run as a project file's
// run is, with no window.
#pragma once

#include <QString>

#include <string>

#include "cli/ScriptOptions.h"

// Loads the settings (as ProgramFiles finds them for a program in programFolder), lists the output
// modes (--list-modes), or builds the project, saves it (--save-project), lists its inputs
// (--dry-run) or runs it through ProjectRunFlow as a loaded project file is run, on the
// application's event loop (not to be called while that loop runs); SIGINT, SIGTERM and SIGHUP
// stop it. Every message goes to standard error (PrintErrorLine); progress and a summary too when
// it is a terminal (ProgressPrinter), unless quiet. Returns the exit status (README): a mistake in
// the options or nothing to convert 1, settings, a list or the project to save that cannot be read
// or written 2, otherwise the run's. A dry run checks what the run would, the project file and
// the report before anything is written (so does a run that saves its project), and ends with the
// status the run would: 4 when a listed file cannot be read. Creates a QCoreApplication when none
// exists.
int RunScript(const ScriptOptions& options, const QString& programFolder);

// Says a mistake in the command line: "<error>" (PrintErrorLine) and where to look, on standard
// error.
void PrintUsageError(const std::string& error);
