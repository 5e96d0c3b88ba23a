// Replacing a file's whole content so that a failed write never costs the old content.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Writes the new content of the file at path: write gets an open binary stream and answers
// whether it put everything there. The content goes into a temporary file of a fresh name in
// the same folder, is flushed to disk and renamed over path, so path only ever holds the old or
// the complete new content, and no other file is touched.
// - Through a symbolic link the file it leads to is replaced (or created), and the link stays.
// - A replaced file keeps its permissions; a new one gets those the umask gives a new file. Where
//   the disk refuses to set them (FAT, exFAT), it gets what the disk gives, and that is no failure.
// - A device or pipe is written in place; a pipe that nobody reads fails at once.
// - A folder in the way and a file marked read-only (even for root) are refused.
// Answers false on any failure: the temporary file is removed and the old file left as it was.
// write is called only once a file is open for it; an exception from it passes through after
// the same clean-up.
// syncToDisk false leaves the flush to the system, for files that can be made again (movies):
// the replacement is still whole or nothing for every reader, only a power cut may lose it.
bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write,
                 bool syncToDisk = true);

// ReplaceFile with bytes as the whole new content.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);
