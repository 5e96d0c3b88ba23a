// A run's progress on a terminal: one line rewritten as files are done, and a summary at the end.
#include "cli/ProgressPrinter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "run/AutomationRun.h"
#include "run/RunPaths.h"
#include "run/RunResult.h"
#include "text/ErrorLines.h"
#include "text/NativeText.h"
#include "text/Translations.h"

bool ProgressPrinter::StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

namespace {
// The line is rewritten at most this often: a terminal shows no more, and a batch of short files
// would otherwise spend its time writing it.
constexpr std::chrono::milliseconds kShowEvery{200};
} // namespace

void ProgressPrinter::Follow(AutomationRun& run, const std::vector<std::string>& inputs) {
    QObject::connect(&run, &AutomationRun::message, [this](const QString& text, const QString& detail) {
        Clear();
        PrintMessageLine(text, detail);
    });
    QObject::connect(&run, &AutomationRun::started, [this, &inputs] {
        began_ = true;
        Start(inputs);
    });
    QObject::connect(&run, &AutomationRun::fileDone, [this](int index) { FileDone(index); });
    QObject::connect(&run, &AutomationRun::fileProgress,
                     [this](int index, double encoded) { InWork(index, encoded); });
    QObject::connect(&run, &AutomationRun::finished, [this](const AutomationResult& result) {
        Clear();
        if (began_)
            ended_ = result;
    });
}

void ProgressPrinter::SummaryOfRun() {
    if (ended_)
        Summary(*ended_);
}

void ProgressPrinter::Start(const std::vector<std::string>& inputs) {
    inputs_ = &inputs;
    total_ = static_cast<int>(inputs.size());
    done_ = 0;
    inWork_ = 0;
    encoded_ = 0;
    lastShown_ = {};
    Show();
}

void ProgressPrinter::FileDone(int index) {
    done_ = index + 1;
    inWork_ = std::min(done_, total_ - 1);
    encoded_ = 0;
    Show();
}

void ProgressPrinter::InWork(int index, double encoded) {
    inWork_ = index;
    encoded_ = encoded;
    Show();
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
    // The line's parts, each in the user's language: how many, how many without a movie, stopped,
    // the report.
    const std::string converted = std::to_string(listed - withoutMovie);
    std::string line =
        listed == 1 ? MessageBytes(QCoreApplication::translate("ProgressPrinter", "%1 of 1 file converted"),
                                   {converted})
                    : MessageBytes(QCoreApplication::translate("ProgressPrinter", "%1 of %2 files converted"),
                                   {converted, std::to_string(listed)});
    if (withoutMovie > 0)
        line += MessageBytes(QCoreApplication::translate("ProgressPrinter", ", %1 without a movie",
                                                         "follows \"2 of 3 files converted\""),
                             {std::to_string(withoutMovie)});
    switch (result.outcome) {
    case AutomationResult::Outcome::Stopped:
        line += MessageBytes(
            QCoreApplication::translate("ProgressPrinter", " (stopped)", "follows the count of files"));
        [[fallthrough]];
    case AutomationResult::Outcome::Completed:
        line += MessageBytes(QCoreApplication::translate("ProgressPrinter", "; report: %1",
                                                         "ends the line of the count of files"),
                             {result.reportPath});
        break;
    case AutomationResult::Outcome::ReportFailed:
        line += MessageBytes(QCoreApplication::translate(
            "ProgressPrinter", "; the report could not be written", "ends the line of the count of files"));
        break;
    default:
        return; // the run did not start: its message said why
    }
    PrintErrorLine(TextFromBytes(line));
}

void ProgressPrinter::Show() {
    const auto now = std::chrono::steady_clock::now();
    if (!enabled_ || !inputs_ || (shown_ && now - lastShown_ < kShowEvery))
        return;
    lastShown_ = now;
    const double done = done_ + (inWork_ >= done_ ? encoded_ : 0);
    const int percent = total_ > 0 ? static_cast<int>(100 * done / total_) : 100;
    std::string line = "tavrel: [" + std::to_string(done_) + "/" + std::to_string(total_) + "] " +
                       std::to_string(percent) + "%";
    // The file's own name: its folder would push the line past the terminal's width.
    if (inWork_ >= 0 && inWork_ < total_)
        line += " " + FinalPathComponent((*inputs_)[static_cast<size_t>(inWork_)]);
    const std::string bytes = "\r\033[K" + EscapeControlCharacters(line);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
    shown_ = true;
}
