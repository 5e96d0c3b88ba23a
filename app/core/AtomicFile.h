// Replacing a file's whole content so that a failed write never destroys the old file.
#pragma once

#include <string>

// Writes bytes to a temporary file in the folder of path and renames it over path once it
// is complete and flushed. An existing file keeps its permissions. On any failure the
// temporary file is removed, the file at path is left as it was and false is returned.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);
