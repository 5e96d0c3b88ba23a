// The exit statuses of a command-line run, with or without a window.
#pragma once

struct AutomationResult;

enum ExitStatus {
    kExitCompleted = 0,     // every listed file became a movie, report written
    kExitCheckMessage = 1,  // "Invalid Parameters", "Invalid Filename", a Start check, the output
                            // folder; or no display or no window program to show the window
    kExitLoadFailed = 2,    // the project file or settings.ini could not be read
    kExitRunIncomplete = 3, // stopped (SIGINT, SIGTERM, SIGHUP), or the report could not be (or
                            // may not be) written
    kExitFilesFailed = 4    // completed and reported, but some listed files gave no movie
};

// The exit status a run's result ends the program with.
int ExitStatusFor(const AutomationResult& result);
