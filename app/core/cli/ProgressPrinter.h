// A run's progress on a terminal: one line rewritten as files are done, and a summary at the end.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "run/RunResult.h"

class AutomationRun;

class ProgressPrinter {
public:
    // Prints to standard error, and only when enabled.
    explicit ProgressPrinter(bool enabled) : enabled_(enabled) {}

    // True when standard error is a terminal (someone watches it).
    static bool StandardErrorIsTerminal();

    // Shows what run tells as it goes, its messages on lines of their own, the line taken away
    // when it ends; inputs: the run's list (kept, not copied). Connected before whoever names the
    // files that gave no movie at the end, so that the line is gone by then.
    void Follow(AutomationRun& run, const std::vector<std::string>& inputs);
    // The summary of the run followed, when it began.
    void SummaryOfRun();

    // The run starts on inputs (kept, not copied, until the run ends): "tavrel: [0/12] 0% <the
    // first one's name>".
    void Start(const std::vector<std::string>& inputs);
    // The listed file at index has had its turn: "tavrel: [3/12] 25% <the next one's name>".
    void FileDone(int index);
    // The listed file at index is in work, encoded that far (0 to 1): "tavrel: [3/12] 29% <its name>".
    void InWork(int index, double encoded);
    // Takes the progress line away, so that a message gets a line of its own.
    void Clear();
    // One line (PrintErrorLine): how many of the files gave a movie, how many did not, and where
    // the report is.
    void Summary(const AutomationResult& result);

private:
    // The line of done files, and of how far the file in work has come; at most a few a second.
    void Show();

    bool enabled_;
    const std::vector<std::string>* inputs_ = nullptr;
    int total_ = 0;
    int done_ = 0;
    int inWork_ = 0;
    double encoded_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastShown_;
    bool began_ = false;
    std::optional<AutomationResult> ended_;
};
