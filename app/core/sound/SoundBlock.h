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
// short, and CutShort tells. Given a copy (the movie's file), the walk feeds it the bytes as it
// reads them, and the movie is written around them: the file is read once.

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
    // sound is not walked, and Problem says so. The walk feeds copy (when given) the file's bytes
    // (SurveyMp3). Once stop (when given) is requested, the walk reads no block more: what it
    // found is then of no use.
    bool Read(const std::string& path, Mp3BlockSink* copy = nullptr, const StopRequest* stop = nullptr);
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
    // True when the file now holds fewer bytes than it had when it was walked.
    bool CutShort() const;

private:
    void Close();

    int fd_ = -1;
    uint64_t fileSize_ = 0;
    Mp3Survey survey_;
    std::string problem_;
    std::optional<Mp3ExactSound> exact_;
};
