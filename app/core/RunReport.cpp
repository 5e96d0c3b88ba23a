// The run report.
#include "RunReport.h"

#include "NativeText.h"
#include "ReplaceFile.h"

bool WriteRunReport(const std::string& path, const std::vector<std::string>& lines) {
    // Whole or not at all: a report cut short by a full disk would pass for a shorter run.
    std::string text;
    for (const std::string& line : lines)
        text += EscapeControlCharacters(line) + "\r\n";
    return ReplaceFileContent(path, text);
}
