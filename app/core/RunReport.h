// The run report: one line per listed file, in list order.
#pragma once

#include <string>
#include <vector>

// Writes lines, each followed by CR LF, replacing a file at path. False when it cannot.
bool WriteRunReport(const std::string& path, const std::vector<std::string>& lines);
