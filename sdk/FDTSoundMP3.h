// MP3 support of the SWF writer: the DefineSound filled from an MP3 file, read whole into memory
// (ReadMP3File) or copied from the open file as the movie is written. The frame rules are in
// Mp3Frames.h.
#pragma once

#include "FDT.h"
#include "Mp3Frames.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The largest MP3 file a sound holds: its data size and the movie's length are 32-bit fields,
// and the tags around it need room too.
constexpr size_t kLargestMP3File = 0xFFFFFFFFu - (1u << 20);

// Reads the rest of the open file `fp` into one block (two zero bytes, then the file's bytes,
// freed with std::free) and fills `params` from its frames. On success hands out the block and its
// size and returns true. Says why not in `result` and, as a line of text for the user ("Not an MP3
// format file", "Sample rate 48000 unsupported"...), in `diagnostic`, when given. Does not close
// the file and writes nothing anywhere.
bool ReadMP3File(FILE* fp, SoundParams& params, U8*& data, U32& dataSize, MP3ReadResult* result = nullptr,
                 std::string* diagnostic = nullptr);

// A DefineSound holding a whole MP3 file. Without a file, or when the file is not a usable
// MP3, it holds no data (dataSize 0), and ReadResult and Diagnostic say why.
class FDTDefineSoundMP3 : public FDTDefineSound {
public:
    explicit FDTDefineSoundMP3(FILE* fp);
    // From the MP3 file open at fd, which SurveyMp3 walked: the sound's data is copied from the file
    // into the movie as it is written, and must be as long then as it was. The descriptor stays the
    // caller's, and open until the movie is written. placedAt: where the file's bytes already
    // stand in the movie's file, when the walk put them there (-1 when not).
    FDTDefineSoundMP3(int fd, const Mp3Survey& survey, int64_t placedAt = -1);
    // The sound of the MP3 file open at fd with exact timing: its audio frames alone, copied from
    // the file as the movie is written, behind the decoded samples a player skips (seek samples),
    // with the sound's own sample count. A file without audio frames gives no data.
    FDTDefineSoundMP3(int fd, const Mp3Survey& survey, const Mp3ExactSound& exact);
    ~FDTDefineSoundMP3() override;
    MP3ReadResult ReadResult() const { return readResult; }
    // The reader's diagnostic for a file it refused, empty otherwise.
    const std::string& Diagnostic() const { return diagnostic; }

private:
    MP3ReadResult readResult = MP3ReadResult::NotMP3;
    std::string diagnostic;
    int file = -1;
    int64_t placedAt = -1;
    // With exact timing: the ranges of the file the data is made of, and the seek samples.
    std::vector<Mp3ByteRange> ranges;
    U16 seekSamples = 0;

protected:
    void WriteSoundData(FSWFStream& body) override;
};
