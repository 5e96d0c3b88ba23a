// A run's progress on a terminal: one line rewritten as files are done, and a summary at the end.
#include "ProgressPrinter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "ErrorLines.h"
#include "NativeText.h"
#include "RunPaths.h"
#include "RunResult.h"

bool ProgressPrinter::StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

void ProgressPrinter::Start(int total) {
    total_ = total;
    Show("tavrel: [0/" + std::to_string(total) + "] 0%");
}

void ProgressPrinter::FileDone(int index, const std::string& input) {
    const int done = index + 1;
    const int percent = total_ > 0 ? static_cast<int>(100LL * done / total_) : 100;
    // The file's own name: its folder would push the line past the terminal's width.
    Show("tavrel: [" + std::to_string(done) + "/" + std::to_string(total_) + "] " + std::to_string(percent) +
         "% " + FinalPathComponent(input));
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
    const auto listed = static_cast<size_t>(total_);
    const size_t withoutMovie = std::min(result.problems.size(), listed);
    std::string line = std::to_string(listed - withoutMovie) + " of " + std::to_string(listed) +
                       (listed == 1 ? " file" : " files") + " converted";
    if (withoutMovie > 0)
        line += ", " + std::to_string(withoutMovie) + " without a movie";
    switch (result.outcome) {
    case AutomationResult::Outcome::Stopped:
        line += " (stopped)";
        [[fallthrough]];
    case AutomationResult::Outcome::Completed:
        line += "; report: " + result.reportPath;
        break;
    case AutomationResult::Outcome::ReportFailed:
        line += "; the report could not be written";
        break;
    default:
        return; // the run did not start: its message said why
    }
    PrintErrorLine(TextFromBytes(line));
}

void ProgressPrinter::Show(const std::string& line) {
    if (!enabled_)
        return;
    const std::string bytes = "\r\033[K" + EscapeControlCharacters(line);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
    shown_ = true;
}
