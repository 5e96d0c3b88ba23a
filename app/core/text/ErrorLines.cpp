// Messages on standard error.
#include "text/ErrorLines.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

#include "run/RunResult.h"
#include "text/NativeText.h"

namespace {
std::string errorLinePrefix;
}

void StartErrorLinesWith(const std::string& prefix) {
    errorLinePrefix = prefix;
}

void PrintErrorLine(const QString& text) {
    // One message, one line: a line break in a file's name is written as "\n".
    const std::string bytes = errorLinePrefix + EscapeControlCharacters(BytesFromText(text)) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

void PrintMessageLine(const QString& text, const QString& detail) {
    PrintErrorLine(detail.isEmpty() ? text
                                    : QCoreApplication::translate("ErrorLines", "%1: %2",
                                                                  "a message, then what it is about or why")
                                          .arg(text, detail));
}

void PrintFileProblems(const AutomationResult& result) {
    for (const AutomationResult::FileNote& note : result.notes)
        PrintErrorLine(TextFromBytes(note.Text()));
    for (const AutomationResult::FileProblem& problem : result.problems)
        PrintErrorLine(TextFromBytes(problem.Text()));
}
