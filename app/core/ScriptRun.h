// `tavrel [OPTIONS] FILE|FOLDER...`: the project the options describe, run as a project file's
// run is, with no window.
#pragma once

#include <QString>

#include <string>

#include "ScriptOptions.h"

// Loads the settings (as ProgramFiles finds them for a program in programFolder), lists the output
// modes (--list-modes), or builds the project, saves it (--save-project), lists its inputs
// (--dry-run) or runs it through ProjectRunFlow as a loaded project file is run, on the
// application's event loop (not to be called while that loop runs); SIGINT, SIGTERM and SIGHUP
// stop it. Every message goes to standard error, starting with "tavrel: "; progress and a summary
// too when it is a terminal (ProgressPrinter), unless quiet. Returns the exit status (README): a
// mistake in the options or nothing to convert 1, settings, a list or the project to save that
// cannot be read or written 2, otherwise the run's. Creates a QCoreApplication when none exists.
int RunScript(const ScriptOptions& options, const QString& programFolder);

// Says a mistake in the command line: "tavrel: <error>" (PrintErrorLine, whose lines start with
// "tavrel: " from then on) and where to look, on standard error.
void PrintUsageError(const std::string& error);
