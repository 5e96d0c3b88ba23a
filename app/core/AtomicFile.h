// A file's whole content: read in one piece, and replaced so that a failed write never
// destroys the old file.
#pragma once

#include <string>

// Writes bytes to a temporary file in the folder of path and renames it over path once it
// is complete and flushed. An existing file keeps its permissions; through a symbolic link,
// the file it leads to gets the new content and the link stays. On any failure the temporary
// file is removed, the file at path is left as it was and false is returned.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

enum class ReadOutcome { Read, Missing, Failed };

// Reads the whole file at path into text, byte for byte. Missing: no file there; Failed: it
// could not be opened or read (a folder, for instance). text is empty unless Read.
ReadOutcome ReadFileContent(const std::string& path, std::string& text);
