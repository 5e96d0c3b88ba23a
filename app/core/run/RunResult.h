// What a run did: its outcome, its report, and each listed file that gave no movie, with why.
#pragma once

#include <string>
#include <vector>

#include <QString>

// Why a listed file gave no movie.
struct FileFailure {
    enum class Cause {
        NotFound,          // no file at its path, or the encoder left no MP3 of it
        NotReadable,       // there, but it cannot be read
        NotRegularFile,    // a folder, FIFO, device or socket
        LengthUnreadable,  // its sound length could not be read; detail: why, said instead, if known
        FrameCountUnknown, // the movie's frame count could not be worked out
        NoOutputMode,      // detail: the selected name; empty when none is selected
        Encoder,           // detail: what the encoder runner found, in its own words
        EncodedIncomplete, // detail: how much the encoded MP3 holds, and what the encoder said
        UnexpectedFormat,  // detail: what the MP3 reader said, if anything
        TooLong,           // detail: what the MP3 reader said, if anything
        MovieNotWritten,   // detail: what the builder said, if anything
        MovieOverInput,    // detail: the movie's path
        Stopped,           // the run was stopped before its movie was made
        Unexpected,        // a failure nobody foresaw
    };
    Cause cause = Cause::Unexpected;
    std::string detail;

    // The words users read after the file's name, e.g. "file not found", "unexpected file format:
    // Not an MP3 format file", "no output mode is named \"Music\"".
    std::string Text() const;
    bool operator==(const FileFailure& other) const { return cause == other.cause && detail == other.detail; }
};

// How a message of a run (or of the flow that prepares one) is to be shown: as information, or
// as an error.
enum class RunMessageSeverity { Information, Error };

struct AutomationResult {
    enum class Outcome {
        Refused,        // a check message was shown, nothing ran
        Aborted,        // the output folder could not be created, nothing ran
        Completed,      // every file was handled and the report written
        Stopped,        // the user stopped it; the report of what was done is written
        ReportFailed,   // every file was handled but the report could not be written
        ReportRefused,  // the report could not be written where it belongs, nothing ran
        AlreadyRunning, // a run is under way; this one did not start
    };
    Outcome outcome = Outcome::Refused;
    QString message;          // the check or abort message (also sent as a message)
    QString detail;           // beside it on standard error: "<path>: <reason>"
    std::string outputFolder; // the project's output folder, ending in "/" once it ran
    std::string reportPath;   // where the report belongs (set once the run started)
    int filesHandled = 0;     // inputs whose work completed
    // Each listed file that gave no movie, in list order, with why; for what an unattended run
    // prints and its exit status. The report's own lines stay as they are. A stopped run lists
    // every file it did not finish as Stopped; a run that did not start lists none.
    struct FileProblem {
        std::string input;
        FileFailure failure;
        std::string Text() const { return input + ": " + failure.Text(); }
    };
    std::vector<FileProblem> problems;
    // Each listed file that gave a movie the user should still hear about (a movie under another
    // name than the usual one, an input that holds less than it says), in list order, with what.
    struct FileNote {
        std::string input;
        std::string note;
        std::string Text() const { return input + ": " + note; }
    };
    std::vector<FileNote> notes;
    bool encoderFound = true;
};

// How one listed file's turn in a run ended.
struct FileOutcome {
    std::string input;
    bool handled = false; // its work completed: the progress moves on to it
    bool movieMade = false;
    FileFailure failure;            // why it gave no movie, when it gave none
    std::vector<std::string> notes; // what to say of a movie made all the same
};
