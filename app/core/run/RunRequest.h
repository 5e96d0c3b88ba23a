// What a run is to do, as one value: every front end builds it once (MakeRunRequest) and hands it
// to the run whole. Nothing downstream goes back to the output modes, checks the folder again or
// reads the command line: what the run needs was resolved here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "project/OutputModes.h"
#include "project/ProjectFile.h"
#include "run/RunResult.h"

// The output mode the run encodes its inputs that are not MP3 files with, looked up once.
struct EncoderOptions {
    std::string modeName;               // as chosen
    bool found = false;                 // false: no output mode has that name; nothing is encoded
    std::vector<std::string> arguments; // the encoder's options: "--silent", "--quiet", "-q5", ...
    int32_t bitrateKbps = 0;            // what its MP3s are encoded at; 0 when the mode names none
};

struct RunRequest {
    // The project as the run does it, which is what --save-project writes: its inputs absolute,
    // its values within the window's ranges (ClampToControls).
    PSoundProject project;
    std::string outputFolder; // the project's, checked, ending in "/"
    EncoderOptions encoder;
    int32_t encoderCount = 1; // encoders at work at once, 1 to kMaxEncoderCount
    std::string reportPath;
    // Why the run may not start (no input, no output folder, a report that cannot be written
    // where it belongs, a folder that cannot be made): the run ends at once with this result.
    std::optional<AutomationResult> refused;
};

// What a front end chooses beside the project.
struct RunChoices {
    // The output mode's name (the window's choice); none: the first whose values are the project's,
    // else "Custom...", else the one a new project shows.
    std::optional<std::string> outputMode;
    std::optional<int32_t> encoders; // none: as the settings say
    std::string reportPath;          // empty: in the output folder, named after the project file
};

// The one way to a run: checks the project as the run would (the same messages, in the same
// order), finds whether the output folder can be made (it is made when the run starts), resolves
// the output mode and the report's path. Writes nothing.
RunRequest MakeRunRequest(PSoundProject project, const TavrelSettings& settings,
                          const RunChoices& choices = {});
