// MP3 support of the SWF writer: the DefineSound filled from an MP3 file, from its bytes in memory
// or copied from the open file as the movie is written. The frame rules are in Mp3Frames.h.
#pragma once

#include "FDT.h"
#include "Mp3Frames.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// What the frames of an MP3 file tell.
struct MP3FrameScan {
    size_t firstFrame = 0;    // offset of the first frame in the data
    int sampleRate = 0;       // Hz, from the first frame
    int channelMode = 0;      // from the first frame (Mp3FrameHeader::kSingleChannel...)
    uint64_t sampleCount = 0; // samples per channel over every frame the walk reaches
};

// The first frame and the sample count of SurveyMp3 (Mp3Frames.h) for MP3 data in memory. Returns
// Ok, NotMP3 or FreeFormat; writes nothing.
MP3ReadResult ScanMP3Frames(const U8* data, size_t size, MP3FrameScan& scan);

// Puts `samples` into params.sampleCount. The DefineSound's count is 32 bits: a larger count is
// refused rather than cut, with a diagnostic in `diagnostic` when given.
bool SetSampleCount(SoundParams& params, uint64_t samples, std::string* diagnostic = nullptr);

// A block for a sound's data: size bytes, freed with std::free. A large one is aligned to and
// marked for huge pages where the system has them. nullptr when it cannot be had.
U8* AllocateSoundBlock(size_t size);

// How a sound block is given back once its sound is done with it; the default frees a block of
// AllocateSoundBlock.
using SoundBlockRelease = void (*)(U8* block, size_t fileBytes);
void FreeSoundBlock(U8* block, size_t fileBytes);

// The largest MP3 file a sound holds: its data size and the movie's length are 32-bit fields,
// and the tags around it need room too.
constexpr size_t kLargestMP3File = 0xFFFFFFFFu - (1u << 20);

// Fills `params` from the frames of an MP3 file already in memory: `block` holds two zero bytes,
// then the file's `fileBytes` bytes. On success takes the block (params.data, params.dataSize)
// and returns true; on failure gives the block back with `release` and returns false. Says why in
// `result` and, as a line of text for the user ("Not an MP3 format file", "Sample rate 48000
// unsupported"...), in `diagnostic`, when given. Writes nothing anywhere.
bool ReadMP3Block(U8* block, size_t fileBytes, SoundParams& params, MP3ReadResult* result = nullptr,
                  SoundBlockRelease release = FreeSoundBlock, std::string* diagnostic = nullptr);

// Reads the rest of the open file `fp` into one block (two zero bytes, then the file's bytes)
// and fills `params` from its frames as ReadMP3Block does. On success hands out the block and its
// size and returns true. Does not close the file.
bool ReadMP3File(FILE* fp, SoundParams& params, U8*& data, U32& dataSize, MP3ReadResult* result = nullptr,
                 std::string* diagnostic = nullptr);

// A DefineSound holding a whole MP3 file. Without a file, or when the file is not a usable
// MP3, it holds no data (dataSize 0), and ReadResult and Diagnostic say why.
class FDTDefineSoundMP3 : public FDTDefineSound {
public:
    explicit FDTDefineSoundMP3(FILE* fp);
    // From an MP3 file already in memory: takes `block` as ReadMP3Block does, and gives it back
    // with `release` when the sound is deleted.
    FDTDefineSoundMP3(U8* block, size_t fileBytes, SoundBlockRelease release = FreeSoundBlock);
    // From the MP3 file open at fd, which SurveyMp3 walked: the sound's data is copied from the file
    // into the movie as it is written, and must be as long then as it was. The descriptor stays the
    // caller's, and open until the movie is written.
    FDTDefineSoundMP3(int fd, const Mp3Survey& survey);
    ~FDTDefineSoundMP3() override;
    MP3ReadResult ReadResult() const { return readResult; }
    // The reader's diagnostic for a file it refused, empty otherwise.
    const std::string& Diagnostic() const { return diagnostic; }

private:
    MP3ReadResult readResult = MP3ReadResult::NotMP3;
    std::string diagnostic;
    SoundBlockRelease release = FreeSoundBlock;
    int file = -1;

protected:
    void WriteSoundData(FSWFStream& body) override;
};
