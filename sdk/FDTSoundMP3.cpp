// MP3 frame reader and the MP3 sound definition.
#include "FDTSoundMP3.h"

#include "SwfAssert.h"

#include <cstdlib>
#include <string>

namespace {

// The format fields of a usable survey; false with params untouched otherwise.
bool FillParams(const Mp3Survey& survey, SoundParams& params, MP3ReadResult* result,
                std::string* diagnostic) {
    const MP3ReadResult outcome = Mp3MovieResult(survey, diagnostic);
    if (result)
        *result = outcome;
    if (outcome != MP3ReadResult::Ok)
        return false;
    params = SoundParams{};
    params.format = 2;
    params.rate = static_cast<U8>(SwfSoundRateCode(survey.format.sampleRate));
    params.sampleSize = 1;
    params.stereo = survey.format.Mono() ? 0 : 1;
    params.sampleCount = static_cast<U32>(survey.sampleCount);
    return true;
}

} // namespace

bool ReadMP3File(FILE* fp, SoundParams& params, U8*& data, U32& dataSize, MP3ReadResult* result,
                 std::string* diagnostic) {
    SWF_ASSERT(fp, FDTSoundMP3);

    // Size of the rest of the file; a stream that cannot seek counts as empty.
    size_t size = 0;
    const long start = std::ftell(fp);
    if (start >= 0 && std::fseek(fp, 0, SEEK_END) == 0) {
        const long end = std::ftell(fp);
        if (end > start)
            size = static_cast<size_t>(end - start);
        std::fseek(fp, start, SEEK_SET);
    }

    auto* block = size <= kLargestMP3File ? static_cast<U8*>(std::malloc(size + 2)) : nullptr;
    if (block == nullptr) {
        if (result)
            *result = MP3ReadResult::NoMemory;
        if (diagnostic)
            *diagnostic = "Memory allocation failure";
        return false;
    }
    block[0] = 0;
    block[1] = 0;
    // One read straight into the block; a short read keeps only the bytes that arrived.
    size = std::fread(block + 2, 1, size, fp);
    if (!FillParams(SurveyMp3(block + 2, size), params, result, diagnostic)) {
        std::free(block);
        params = SoundParams{};
        return false;
    }
    // The block is handed out, not held by params.
    data = block;
    dataSize = static_cast<U32>(size + 2);
    return true;
}

FDTDefineSoundMP3::FDTDefineSoundMP3(FILE* fp) {
    if (fp == nullptr)
        return;
    U8* block = nullptr;
    U32 blockSize = 0;
    if (ReadMP3File(fp, soundParams, block, blockSize, &readResult, &diagnostic)) {
        soundParams.data = block;
        soundParams.dataSize = blockSize;
    }
}

FDTDefineSoundMP3::FDTDefineSoundMP3(int fd, const Mp3Survey& survey, int64_t placed) : placedAt(placed) {
    if (survey.fileSize > kLargestMP3File) {
        readResult = MP3ReadResult::TooManySamples;
        diagnostic = "File too large for a sound";
        return;
    }
    if (FillParams(survey, soundParams, &readResult, &diagnostic)) {
        file = fd;
        soundParams.dataSize = static_cast<U32>(survey.fileSize + 2);
    }
}

FDTDefineSoundMP3::FDTDefineSoundMP3(int fd, const Mp3Survey& survey, const Mp3ExactSound& exact) {
    if (!FillParams(survey, soundParams, &readResult, &diagnostic))
        return;
    if (exact.frames == 0) {
        soundParams = SoundParams{};
        readResult = MP3ReadResult::NotMP3;
        diagnostic = "No sound frames in the MP3 file";
        return;
    }
    if (const std::string problem = SampleCountProblem(exact.sampleCount); !problem.empty()) {
        soundParams = SoundParams{};
        readResult = MP3ReadResult::TooManySamples;
        diagnostic = problem;
        return;
    }
    file = fd;
    ranges = exact.ranges;
    seekSamples = static_cast<U16>(exact.seekSamples);
    soundParams.sampleCount = static_cast<U32>(exact.sampleCount);
    soundParams.dataSize = static_cast<U32>(exact.bytes + 2);
}

void FDTDefineSoundMP3::WriteSoundData(FSWFStream& body) {
    if (file < 0) {
        FDTDefineSound::WriteSoundData(body);
        return;
    }
    body.PutWord(seekSamples);
    for (const Mp3ByteRange& range : ranges)
        body.AddFileRange(file, range.offset, static_cast<U32>(range.size));
    if (ranges.empty() && soundParams.dataSize > 2)
        body.AddFileData(file, soundParams.dataSize - 2, placedAt);
}

FDTDefineSoundMP3::~FDTDefineSoundMP3() {
    if (soundParams.data != nullptr)
        std::free(soundParams.data);
    soundParams = SoundParams{};
}
