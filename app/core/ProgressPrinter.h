// A run's progress on a terminal: one line rewritten as files are done, and a summary at the end.
#pragma once

#include <string>

struct AutomationResult;

class ProgressPrinter {
public:
    // Prints to standard error, and only when enabled.
    explicit ProgressPrinter(bool enabled) : enabled_(enabled) {}

    // True when standard error is a terminal (someone watches it).
    static bool StandardErrorIsTerminal();

    // The run starts with total files: "tavrel: [0/12] 0%".
    void Start(int total);
    // The listed file at index has had its turn: "tavrel: [3/12] 25% <its name>".
    void FileDone(int index, const std::string& input);
    // Takes the progress line away, so that a message gets a line of its own.
    void Clear();
    // One line (PrintErrorLine, after the "tavrel: " the script run starts its lines with): how
    // many of the files gave a movie, how many did not, and where the report is.
    void Summary(const AutomationResult& result);

private:
    void Show(const std::string& line);

    bool enabled_;
    int total_ = 0;
    bool shown_ = false;
};
