// An MP3 file opened once and its frames walked once, in bounded blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "Mp3Frames.h"

class StopRequest;

// The file stays open, so that the movie built from it copies its bytes from the same file the
// walk read (the kernel copies them; they never all stand in memory: a file of any size takes
// the same little memory). A file cut short after the walk gives no movie: the copy comes up
// short, and CutShort tells. Given a place in the movie's file, the walk puts the bytes there as
// it reads them, and the movie is written around them: the file is read once.

// Where a walk puts an MP3's bytes: a file open for writing and the offset of the MP3's first
// byte there; fd -1 for nowhere.
struct SoundPlacement {
    int fd = -1;
    int64_t offset = -1;
};

class SoundBlock {
public:
    SoundBlock() = default;
    SoundBlock(SoundBlock&& other) noexcept;
    SoundBlock& operator=(SoundBlock&& other) noexcept;
    SoundBlock(const SoundBlock&) = delete;
    SoundBlock& operator=(const SoundBlock&) = delete;
    ~SoundBlock();

    // Opens the file at path and walks its frames. False only when it cannot be opened. A file
    // that is no regular file counts as empty and is never read from; a file too large for one
    // sound is not walked, and Problem says so. Once stop (when given) is requested, the walk
    // reads no block more: what it found is then of no use.
    bool Read(const std::string& path, SoundPlacement placement = {}, const StopRequest* stop = nullptr);
    // Why the last Read left no sound for a file it opened (it is too large for one sound), empty
    // otherwise.
    const std::string& Problem() const { return problem_; }

    // The open file (-1 when none) and the size it had when it was walked.
    int File() const { return fd_; }
    uint64_t FileSize() const { return fileSize_; }
    // What the walk found.
    const Mp3Survey& Survey() const { return survey_; }
    // The sound's audio frames and exact length (FindExactSound), found by a walk of its own over
    // the open file the first time it is asked for.
    const Mp3ExactSound& ExactSound();
    // The offset where the walk put the whole file, or -1: it was given no place, or the MP3 is
    // no usable one, or a write there failed.
    int64_t PlacedAt() const { return placedAt_; }
    // True when the file now holds fewer bytes than it had when it was walked.
    bool CutShort() const;

private:
    void Close();

    int fd_ = -1;
    uint64_t fileSize_ = 0;
    int64_t placedAt_ = -1;
    Mp3Survey survey_;
    std::string problem_;
    std::optional<Mp3ExactSound> exact_;
};
