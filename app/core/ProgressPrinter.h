// A run's progress on a terminal: one line rewritten as files are done, and a summary at the end.
#pragma once

#include <string>
#include <vector>

struct AutomationResult;

class ProgressPrinter {
public:
    // Prints to standard error, and only when enabled. inputs: the run's files in list order.
    ProgressPrinter(bool enabled, std::vector<std::string> inputs);

    // True when standard error is a terminal (someone watches it).
    static bool StandardErrorIsTerminal();

    // The run starts with total files: "tavrel: [0/12] 0%".
    void Start(int total);
    // The first handled files of the list are done: "tavrel: [3/12] 25% <name of the third>".
    void Handled(int handled);
    // Takes the progress line away, so that a message gets a line of its own.
    void Clear();
    // One line: how many of the files gave a movie, how many did not, and where the report is.
    void Summary(const AutomationResult& result);

private:
    void Show(const std::string& line);

    bool enabled_;
    std::vector<std::string> inputs_;
    int total_ = 0;
    bool shown_ = false;
};
