// MP3 support of the SWF writer: the frame reader and the DefineSound filled from an MP3 file.
#pragma once

#include "FDT.h"

#include <cstdio>

// True if the two bytes at `data` are 0xFF and a byte whose top three bits are set.
bool IsFrameSync(const U8* data);

// Decodes the four header bytes at `header`. Every output is optional (pass nullptr).
// frameLength is 0 where the bitrate or the sample rate is 0 (free format, reserved values).
void DecodeFrameHeader(const U8* header, int* samplesPerFrame = nullptr, int* frameLength = nullptr,
                       int* version = nullptr, int* layer = nullptr, int* bitrate = nullptr,
                       int* sampleRate = nullptr, int* channelMode = nullptr);

// True if the header at `header` is a sync that starts a usable Layer III frame: version not
// reserved, layer III, bitrate index 1 to 14, sample-rate index 0 to 2.
bool IsLayer3FrameHeader(const U8* header);

// Reads the rest of the open file `fp` into one malloc'ed block (two zero bytes, then the file's
// bytes) and fills `params` from its frames. On success hands out the block and its size and
// returns true; on failure writes a diagnostic to standard output, frees the block and returns
// false. Does not close the file.
bool ReadMP3File(FILE* fp, SoundParams& params, U8*& data, U32& dataSize);

// A DefineSound holding a whole MP3 file. Without a file, or when the file is not a usable
// MP3, it holds no data (dataSize 0).
class FDTDefineSoundMP3 : public FDTDefineSound {
public:
    explicit FDTDefineSoundMP3(FILE* fp);
    ~FDTDefineSoundMP3() override;
};
