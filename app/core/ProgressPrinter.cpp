// A run's progress on a terminal: one line rewritten as files are done, and a summary at the end.
#include "ProgressPrinter.h"

#include <unistd.h>

#include <cstdio>

#include "AutomationRun.h"
#include "NativeText.h"

ProgressPrinter::ProgressPrinter(bool enabled, std::vector<std::string> inputs)
    : enabled_(enabled), inputs_(std::move(inputs)) {}

bool ProgressPrinter::StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

void ProgressPrinter::Start(int total) {
    total_ = total;
    Handled(0);
}

void ProgressPrinter::Handled(int handled) {
    const int percent = total_ > 0 ? static_cast<int>(100LL * handled / total_) : 100;
    std::string line = "tavrel: [" + std::to_string(handled) + "/" + std::to_string(total_) + "] " +
                       std::to_string(percent) + "%";
    // The file's own name: its folder would push the line past the terminal's width.
    if (handled > 0 && static_cast<size_t>(handled) <= inputs_.size())
        line += " " + FinalPathComponent(inputs_[static_cast<size_t>(handled) - 1]);
    Show(line);
}

void ProgressPrinter::Clear() {
    if (!enabled_ || !shown_)
        return;
    shown_ = false;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

void ProgressPrinter::Summary(const AutomationResult& result) {
    if (!enabled_)
        return;
    Clear();
    const size_t listed = inputs_.size();
    const size_t withoutMovie = std::min(result.problems.size(), listed);
    std::string line = "tavrel: " + std::to_string(listed - withoutMovie) + " of " + std::to_string(listed) +
                       (listed == 1 ? " file" : " files") + " converted";
    if (withoutMovie > 0)
        line += ", " + std::to_string(withoutMovie) + " without a movie";
    if (result.outcome == AutomationResult::Outcome::Stopped)
        line += " (stopped)";
    if (result.outcome == AutomationResult::Outcome::Completed ||
        result.outcome == AutomationResult::Outcome::Stopped)
        line += "; report: " + result.reportPath;
    else if (result.outcome == AutomationResult::Outcome::ReportFailed)
        line += "; the report could not be written";
    else
        return;
    line = EscapeControlCharacters(line) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void ProgressPrinter::Show(const std::string& line) {
    if (!enabled_)
        return;
    const std::string bytes = "\r\033[K" + EscapeControlCharacters(line);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
    shown_ = true;
}
