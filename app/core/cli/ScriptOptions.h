// The command line for scripts: `tavrel [OPTIONS] FILE|FOLDER...`, options in the GNU way, and
// the input files they name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QStringList>

struct ScriptOptions {
    // FILE|FOLDER arguments and --files-from lists, in the order given, as bytes.
    struct Source {
        bool isList = false; // a --files-from list ("-": standard input)
        std::string path;
    };
    std::vector<Source> sources;
    bool recursive = false;     // -r: a folder's subfolders too
    bool nullSeparated = false; // -0: lists hold names ended by NUL, not by line breaks

    std::optional<std::string> outputFolder; // -o
    std::string outputMode;                  // -m: a preset's name, or its number in --list-modes
    // The project's values ("5", "j", "128"); empty: as the output mode or new project has them.
    std::string quality, channelMode, bitrate;
    std::optional<int32_t> framesPerSecond, frameTuner, stopAction, encoders;
    std::string reportPath;  // --report
    std::string saveProject; // --save-project

    bool dryRun = false;    // -n: check, save the project when asked, list the inputs; run nothing
    bool quiet = false;     // -q: no progress and no summary on a terminal
    bool listModes = false; // --list-modes
    bool window = false;    // -w: open the window with the inputs in its list

    bool gapless = false;         // --gapless: exact timing
    std::optional<int32_t> loops; // --loops: how many times the sound plays
    bool standalone = false;      // --standalone: the header states --fps
};

// Reads the options and arguments (as TextFromBytes shows their bytes). Short options may be
// bundled (-rq) and take their value attached or as the next argument (-oDIR, -o DIR); long ones
// take it as the next argument or after "=" (--fps 24, --fps=24). "--" ends the options.
// False on a mistake, error then naming it ("unknown option '--x'"), without the program's name.
bool ParseScriptOptions(const QStringList& arguments, ScriptOptions& options, std::string& error);

// The input files, in order: a FILE as given, a FOLDER's sound files (SoundFilesIn; -r goes into
// subfolders), each name of a list (empty names skipped; a name that is a folder counts as one),
// all made absolute against the working folder. False when a list cannot be read; error says why.
bool GatherInputFiles(const ScriptOptions& options, std::vector<std::string>& files, std::string& error);
