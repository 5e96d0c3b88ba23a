// An MP3 file taken into memory once, as the block its sound definition holds.
#pragma once

#include <cstddef>
#include <string>

#include "FDTSoundMP3.h"

// The block is two zero bytes, then the file's bytes. A small file is read with one read; a large
// one is mapped, which costs a few milliseconds where reading 100 MB into fresh memory costs tens.
// A mapped file that another program cuts short while it is read would end this one with SIGBUS:
// the part that is gone reads as zeros instead, and Lost tells.
class SoundBlock {
public:
    // What a sound definition takes over: the block and how to give it back.
    struct Lease {
        U8* block;
        SoundBlockRelease release;
    };

    SoundBlock() = default;
    SoundBlock(SoundBlock&& other) noexcept;
    SoundBlock& operator=(SoundBlock&& other) noexcept;
    SoundBlock(const SoundBlock&) = delete;
    SoundBlock& operator=(const SoundBlock&) = delete;
    ~SoundBlock();

    // Takes in the file at path. False only when it cannot be opened. A file that is no regular
    // file counts as empty and is never read from; a file too large for one sound, or for the
    // memory there is, leaves no block (FileBytes() nullptr), and Problem says which.
    bool Read(const std::string& path);
    // Why the last Read left no block for a file it opened, empty otherwise.
    const std::string& Problem() const { return problem_; }
    bool TooLarge() const { return tooLarge_; }

    const U8* FileBytes() const { return block_ ? block_ + 2 : nullptr; }
    size_t FileSize() const { return fileSize_; }
    bool Mapped() const { return mapped_; }
    // Hands the block over; the SoundBlock is empty afterwards.
    Lease Release();

    // True when part of the mapped file was cut off while it was mapped, so that it read as zeros.
    bool Lost() const { return Lost(block_); }
    // The same for a block of Release, while it is not given back.
    static bool Lost(const U8* block);

private:
    void Free();

    U8* block_ = nullptr;
    size_t fileSize_ = 0;
    bool mapped_ = false;
    std::string problem_;
    bool tooLarge_ = false;
};
