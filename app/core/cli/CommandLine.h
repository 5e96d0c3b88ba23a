// The program's command line: "-f:<project file>" and "-hide"; "--help" and "--version".
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
    // What "--help" or "--version" asks the program to print before it ends (the first of them
    // counts), whatever else is given, display or none.
    enum class Information { None, Usage, Version };

    bool hasArguments = false; // false: the program is used interactively
    bool hideMode = false;     // "-hide" was given
    QString projectPath;       // after "-f:" of the last such argument, as given (BytesFromText: its bytes)
    Information information = Information::None;
    // The project form: a "-f:..." or "-hide" before any "--". Otherwise arguments are the
    // script form's (ScriptOptions.h).
    bool projectForm = false;
    // The first argument that is none of "-f:...", "-hide", "-h", "--help" and "--version";
    // empty when there is none. The project form leaves it aside.
    QString unexpected;
};

// arguments: the program's arguments without its own name, already split (quotes are gone), each
// as TextFromBytes shows its bytes, so a path that is not UTF-8 keeps them.
// Matching is exact, letter case included; anything else is ignored.
CommandLine ParseCommandLine(const QStringList& arguments);

// What "--help" prints (the options, the exit statuses, where settings.ini is) or "--version"
// prints ("tavrel <version>"), each ending in a line break; empty for None.
QString InformationText(CommandLine::Information information);

extern const char* const kInvalidParametersMessage; // "Invalid Parameters"
extern const char* const kInvalidFilenameMessage;   // "Invalid Filename"

// The message that ends a command-line start, or an empty text when the project path names
// a file. "Invalid Parameters": no project path, or only blanks and control characters.
// "Invalid Filename": no file at the path's exact bytes as given (a folder is no file).
// detail, when given, gets what a reader of standard error is told beside it: what is missing,
// or the path and why it is no file.
QString CommandLineProblem(const CommandLine& commandLine, QString* detail = nullptr);

// Spawn Session: starts a further, independent copy of the program (its full path, as TextFromBytes
// shows it) with no arguments, so that it is used interactively. False when it could not be
// started; nobody is told.
bool SpawnSession(const QString& programPath);

// The running program's executable, as TextFromBytes shows its path; its folder holds
// "settings.ini" and the help file. Empty when the system does not say.
QString OwnProgramFile();
