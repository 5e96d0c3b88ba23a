// The end-of-run message of the window.
#include "RunEndMessage.h"

#include <QStringList>

#include "NativeText.h"

namespace {

// A box taller than the screen helps nobody; the report and standard error hold every line.
constexpr int kMostLinesPerList = 25;

// One line per file, as in the report: a line break in a name is shown escaped.
void AppendList(QStringList& lines, const QString& heading,
                const std::vector<AutomationResult::FileProblem>& entries, bool skipStopped) {
    QStringList listed;
    int more = 0;
    for (const AutomationResult::FileProblem& entry : entries) {
        if (skipStopped && entry.reason == "stopped")
            continue;
        if (listed.size() < kMostLinesPerList)
            listed << TextFromBytes(EscapeControlCharacters(entry.input + ": " + entry.reason));
        else
            ++more;
    }
    if (listed.isEmpty())
        return;
    if (!lines.isEmpty())
        lines << QString();
    lines << heading << listed;
    if (more > 0)
        lines << QStringLiteral("... and %1 more.").arg(more);
}

} // namespace

QString RunEndMessage(const AutomationResult& result) {
    QStringList lines;
    AppendList(lines, QStringLiteral("These files gave no movie:"), result.problems, true);
    AppendList(lines, QStringLiteral("Please note:"), result.notes, false);
    return lines.join(QLatin1Char('\n'));
}
