// MP3 support of the SWF writer: the frame reader and the DefineSound filled from an MP3 file.
#pragma once

#include "FDT.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// True if the two bytes at `data` are 0xFF and a byte whose top three bits are set.
bool IsFrameSync(const U8* data);

// The fields of the four header bytes at `header`, as they stand in its bits.
struct MP3HeaderFields {
    int version;         // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
    int layer;           // 1 Layer III, 2 Layer II, 3 Layer I, 0 reserved
    int bitrateIndex;    // 0 free format, 15 invalid
    int sampleRateIndex; // 3 reserved
    int padding;
    int channelMode; // 3 single channel
};
MP3HeaderFields HeaderFields(const U8* header);

// Decodes the four header bytes at `header`. Every output is optional (pass nullptr).
// frameLength is 0 where the bitrate or the sample rate is 0 (free format, reserved values).
void DecodeFrameHeader(const U8* header, int* samplesPerFrame = nullptr, int* frameLength = nullptr,
                       int* version = nullptr, int* layer = nullptr, int* bitrate = nullptr,
                       int* sampleRate = nullptr, int* channelMode = nullptr);

// True if the header at `header` is a sync that starts a usable Layer III frame: version not
// reserved, layer III, bitrate index 1 to 14, sample-rate index 0 to 2.
bool IsLayer3FrameHeader(const U8* header);

// True if the header at `header` is a sync that starts a free-format Layer III frame: as above,
// but with bitrate index 0, so the frame's length is not in its header.
bool IsFreeFormatLayer3Header(const U8* header);

// The SWF sound header's rate code for an MP3 sample rate, sample rate / 5000: 8000 Hz gives 0
// (the header's 5.5 kHz), 11025 and 12000 give 1 (11 kHz), 22050 and 24000 give 2 (22 kHz), 44100
// gives 3 (44 kHz); -1 for the rates the header has no code for (16000, 32000, 48000 and the rest).
int SwfSoundRateCode(int sampleRateHz);
// True for the MP3 rates the header states exactly: 11025, 22050 and 44100 Hz. (5512.5 Hz is no
// MP3 rate; 8000, 12000 and 24000 Hz get a code whose rate differs from theirs.)
bool IsStatedExactly(int sampleRateHz);
// Of 11025, 22050 and 44100 Hz, the one nearest to sampleRateHz by ratio: 8000 and 12000 give
// 11025, 16000 and 24000 give 22050, 32000 and 48000 give 44100.
int NearestStatedRate(int sampleRateHz);

// The outcome of reading an MP3 file.
enum class MP3ReadResult {
    Ok,
    NoMemory,              // the block could not be allocated
    NotMP3,                // no frame confirmed by the next one
    FreeFormat,            // the frames are free format (no frame lengths to walk)
    UnsupportedSampleRate, // no SWF rate code for the sample rate
    TooManySamples,        // more samples than a DefineSound's 32-bit count holds
};

// What the frames of an MP3 file tell.
struct MP3FrameScan {
    size_t firstFrame = 0;    // offset of the first frame in the data
    int sampleRate = 0;       // Hz, from the first frame
    int channelMode = 0;      // from the first frame; 3 is single channel
    uint64_t sampleCount = 0; // samples per channel over every frame the walk reaches
};

// Finds the first frame of the MP3 data and walks the frames from there. The first frame is a
// Layer III header (past a leading ID3v2 tag) whose frame is followed by another Layer III header
// of the same version and sample rate, or by the end of the data (an ID3v1 tag may stand
// between): chance syncs in tags or audio bytes do not give the format. Returns Ok, NotMP3 or
// FreeFormat; writes nothing.
MP3ReadResult ScanMP3Frames(const U8* data, size_t size, MP3FrameScan& scan);

// An MP3 file laid out plainly: an optional ID3v2 tag, then Layer III frames of one version,
// sample rate and channel count, each directly behind the last, up to the end of the data or up
// to an ID3v1 tag that ends it.
struct MP3PlainStream {
    size_t firstFrame = 0; // offset of the first frame (the end of the ID3v2 tag)
    int firstFrameLength = 0;
    uint64_t frames = 0; // every frame, the first included
    int samplesPerFrame = 0;
    int sampleRate = 0;
};

// Walks the frames of an MP3 file laid out as MP3PlainStream says; false as soon as the data is
// laid out in any other way (junk or a damaged frame anywhere, free format, a change of stream, a
// last frame cut short), so that the caller can leave such a file to a decoder.
bool WalkPlainMP3Stream(const U8* data, size_t size, MP3PlainStream& stream);

// Puts `samples` into params.sampleCount. The DefineSound's count is 32 bits: a larger count is
// refused rather than cut, with a diagnostic in `diagnostic` when given.
bool SetSampleCount(SoundParams& params, uint64_t samples, std::string* diagnostic = nullptr);

// A block for a sound's data: size bytes, freed with std::free. A large one is aligned to and
// marked for huge pages where the system has them. nullptr when it cannot be had.
U8* AllocateSoundBlock(size_t size);

// How a sound block is given back once its sound is done with it (a file mapped into memory is
// unmapped, say); the default frees a block of AllocateSoundBlock.
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
    ~FDTDefineSoundMP3() override;
    MP3ReadResult ReadResult() const { return readResult; }
    // The reader's diagnostic for a file it refused, empty otherwise.
    const std::string& Diagnostic() const { return diagnostic; }

private:
    MP3ReadResult readResult = MP3ReadResult::NotMP3;
    std::string diagnostic;
    SoundBlockRelease release = FreeSoundBlock;
};
