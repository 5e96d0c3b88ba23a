// The run report.
#include "run/RunReport.h"

#include <cstdio>
#include <utility>

#include "text/NativeText.h"

RunReportFile::RunReportFile(std::string path) : file_(std::move(path)) {}

bool RunReportFile::Open() {
    if (!opened_) {
        opened_ = true;
        failed_ = !file_.Open();
    }
    return !failed_;
}

void RunReportFile::Add(const std::string& line) {
    if (!Open())
        return;
    const std::string text = EscapeControlCharacters(line) + "\r\n";
    if (std::fwrite(text.data(), 1, text.size(), file_.File()) != text.size())
        failed_ = true;
}

bool RunReportFile::Commit() {
    // Whole or not at all: a report cut short by a full disk would pass for a shorter run.
    return Open() && file_.Commit(true);
}

bool WriteRunReport(const std::string& path, const std::vector<std::string>& lines) {
    RunReportFile report(path);
    for (const std::string& line : lines)
        report.Add(line);
    return report.Commit();
}
