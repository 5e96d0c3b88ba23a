// The end-of-run message of the window.
#include "run/RunEndMessage.h"

#include <QCoreApplication>
#include <QStringList>

#include "text/NativeText.h"

namespace {

// A box taller than the screen helps nobody; the report and standard error hold every line.
constexpr int kMostLinesPerList = 25;

// One line per file, as in the report: a line break in a name is shown escaped.
void AppendList(QStringList& lines, const QString& heading, const std::vector<std::string>& entries) {
    QStringList listed;
    int more = 0;
    for (const std::string& entry : entries) {
        if (listed.size() < kMostLinesPerList)
            listed << TextFromBytes(EscapeControlCharacters(entry));
        else
            ++more;
    }
    if (listed.isEmpty())
        return;
    if (!lines.isEmpty())
        lines << QString();
    lines << heading << listed;
    if (more > 0)
        lines << QCoreApplication::translate("RunEndMessage", "... and %n more.", "files", more);
}

} // namespace

QString RunEndMessage(const AutomationResult& result) {
    std::vector<std::string> problems;
    for (const AutomationResult::FileProblem& problem : result.problems)
        if (problem.failure.cause != FileFailure::Cause::Stopped)
            problems.push_back(problem.Text());
    std::vector<std::string> notes;
    for (const AutomationResult::FileNote& note : result.notes)
        notes.push_back(note.Text());
    QStringList lines;
    AppendList(lines, QCoreApplication::translate("RunEndMessage", "These files gave no movie:"), problems);
    AppendList(lines, QCoreApplication::translate("RunEndMessage", "Please note:"), notes);
    return lines.join(QLatin1Char('\n'));
}
