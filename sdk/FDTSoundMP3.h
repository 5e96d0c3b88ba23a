// MP3 support of the SWF writer: the DefineSound of an MP3 file, whose bytes are copied from the
// open file as the movie is written, or were put into the movie's file by its walk. The frame rules
// are in Mp3Frames.h.
#pragma once

#include "FDT.h"
#include "Mp3Frames.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The largest MP3 file a sound holds: its data size and the movie's length are 32-bit fields,
// and the tags around it need room too.
constexpr size_t kLargestMP3File = 0xFFFFFFFFu - (1u << 20);

// A DefineSound holding a whole MP3 file. When the file is not a usable MP3, it holds no data
// (dataSize 0), and ReadResult and Diagnostic say why.
class FDTDefineSoundMP3 : public FDTDefineSound {
public:
    // From the MP3 file open at fd, which SurveyMp3 walked: the sound's data is copied from the file
    // into the movie as it is written, and must be as long then as it was. The descriptor stays the
    // caller's, and open until the movie is written.
    FDTDefineSoundMP3(int fd, const Mp3Survey& survey);
    // The sound of the MP3 file open at fd with exact timing: its audio frames alone, copied from
    // the file as the movie is written, behind the decoded samples a player skips (seek samples),
    // with the sound's own sample count. A file without audio frames gives no data.
    FDTDefineSoundMP3(int fd, const Mp3Survey& survey, const Mp3ExactSound& exact);
    // The sound of an MP3 file of fileSize bytes that the caller puts into the movie's file itself,
    // where the movie holds them (the first large block of its stream): the movie's writing steps
    // over them. Its format is not known until TakeFormat gives it.
    static std::unique_ptr<FDTDefineSoundMP3> WrittenInPlace(uint64_t fileSize);
    // The format fields of the file the survey walked; refused as the constructors refuse a file.
    void TakeFormat(const Mp3Survey& survey);

    MP3ReadResult ReadResult() const { return readResult; }
    // The reader's diagnostic for a file it refused, empty otherwise.
    const std::string& Diagnostic() const { return diagnostic; }

private:
    FDTDefineSoundMP3() = default;
    // False, with the reason kept, for a file too large for a sound.
    bool FitsASound(uint64_t fileSize);

    MP3ReadResult readResult = MP3ReadResult::NotMP3;
    std::string diagnostic;
    int file = -1;
    bool inPlace = false;
    // With exact timing: the ranges of the file the data is made of, and the seek samples.
    std::vector<Mp3ByteRange> ranges;
    U16 seekSamples = 0;

protected:
    void WriteSoundData(FSWFStream& body) override;
};
