// The run report: one line per listed file, in list order.
#pragma once

#include <string>
#include <vector>

#include "ReplaceFile.h"

// The report written as the files finish: its lines go into a temporary file beside it, which
// replaces the report whole only when the run ends (Commit), so the memory a run takes does not
// grow with its report. A report never committed leaves nothing behind, and the old one as it was.
class RunReportFile {
public:
    explicit RunReportFile(std::string path);

    // Adds a line (control characters in it escaped), followed by CR LF.
    void Add(const std::string& line);
    // Puts the report in place; false when it cannot be written (or a line could not be).
    bool Commit();

private:
    bool Open();

    FileReplacement file_;
    bool opened_ = false;
    bool failed_ = false;
};

// Writes lines, each followed by CR LF, replacing a file at path. False when it cannot.
bool WriteRunReport(const std::string& path, const std::vector<std::string>& lines);
