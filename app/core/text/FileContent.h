// Reading a whole file, bounded, without ever waiting on a pipe or device; joining a path.
#pragma once

#include <cstddef>
#include <string>

enum class ReadOutcome { Read, Missing, Failed, NotRegular, TooLarge };

// Reads the whole file at path into text, byte for byte, when it is a regular file of at most
// maxBytes bytes. Missing: no file there; NotRegular: a pipe, device or socket, refused before
// anything is read from it; TooLarge: more than maxBytes; Failed: it could not be opened or read
// (a folder, for instance). text is empty unless Read.
ReadOutcome ReadFileContent(const std::string& path, std::string& text, size_t maxBytes);

// Why a read failed, to follow the path in a message: ": it is not a regular file",
// ": it is larger than 64 MiB"; empty for the other outcomes.
std::string ReadFailureReason(ReadOutcome outcome, size_t maxBytes);

// name inside folder: "folder/name", with no doubled slash; name alone when folder is empty.
std::string JoinPath(const std::string& folder, const std::string& name);

// path made absolute against the working folder, as it was given otherwise (no link is resolved,
// no ".." taken out; only "." and a leading "./", which name that folder); an empty path stays empty.
std::string AbsolutePath(const std::string& path);
