// settings.ini as the program reads it: found, checked and loaded in one place, for the main
// window, the preferences window and a run without a window alike.
#pragma once

#include <string>
#include <vector>

#include "project/OutputModes.h"

struct ProgramSettings {
    std::string path;        // the file read (bytes)
    TavrelSettings settings; // the defaults when it could not be used
    std::string problem;     // why it cannot be used; empty when it can
    std::vector<std::string> warnings;

    bool Usable() const { return problem.empty(); }
    // What to tell the user, in order: the problem, then the warnings.
    std::vector<std::string> Messages() const;
};

// Reads the settings file at path (ProgramFiles::SettingsToRead). A missing file is no problem (no
// presets); a link to nothing is, as is one that is there but is no regular file (a folder, a
// FIFO) or cannot be opened, told before anything tries to read it, as a FIFO would never answer;
// so is a file LoadSettings refuses.
ProgramSettings ReadProgramSettings(const std::string& path);
