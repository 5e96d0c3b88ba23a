// Replacing a file's whole content so that a failed write never costs the old content.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include <sys/types.h>

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

// ReplaceFile step by step, for a writer that needs the file before it knows all of the content:
// Open makes the temporary file (or opens a device or pipe in place), File is written, Commit
// renames. A replacement destroyed without a Commit removes its temporary file.
class FileReplacement {
public:
    explicit FileReplacement(std::string path, bool syncToDisk = true);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // False where ReplaceFile would fail before writing: nothing is then open.
    bool Open();
    // The open file as a stream, made when first asked for; nullptr before a successful Open and
    // after Commit.
    std::FILE* File();
    // The open file's descriptor, -1 when none is open. A writer uses either it or the stream.
    int Descriptor() const { return fd_; }
    // A new regular file is being written: bytes may be put at any offset (pwrite on its
    // descriptor), which a device or pipe written in place does not allow.
    bool Seekable() const { return fd_ >= 0 && !temporary_.empty(); }
    // The temporary file being written; empty for a device or pipe written in place.
    const std::string& TemporaryPath() const { return temporary_; }
    // Ends the writing; complete says whether the writer put everything there. Checks the flush
    // and the close, renames the temporary file over the path, and answers whether the path now
    // holds the complete new content. On false the temporary file is gone.
    bool Commit(bool complete);

private:
    void Discard();

    std::string path_;
    bool syncToDisk_;
    std::string temporary_;
    int fd_ = -1;
    std::FILE* file_ = nullptr;
};

// Creates a new empty file of a fresh name beside path: "." + its name + "." and six letters or
// digits drawn at random, in its folder, the name shortened where the folder's disk takes fewer
// bytes in a name. Hidden, and with no extension a program would take for a kind of file. mode is
// given to the new file as open() gives it (the umask applies). Returns its descriptor (open for
// reading and writing, closed on exec) and its name in temporary; -1 (errno set) when it cannot be
// made.
int MakeTemporaryBeside(const std::string& path, std::string& temporary, mode_t mode = 0600);

// ReplaceFile with bytes as the whole new content.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);
