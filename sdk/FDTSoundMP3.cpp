// MP3 frame reader and the MP3 sound definition.
#include "FDTSoundMP3.h"

#if defined(__linux__)
#include <stdlib.h>
#include <sys/mman.h>
#endif

#include "SwfAssert.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

MP3ReadResult ScanMP3Frames(const U8* data, size_t size, MP3FrameScan& scan) {
    scan = MP3FrameScan{};
    const Mp3Survey survey = SurveyMp3(data, size);
    if (survey.result == MP3ReadResult::Ok) {
        scan.firstFrame = static_cast<size_t>(survey.firstFrame);
        scan.sampleRate = survey.format.sampleRate;
        scan.channelMode = survey.format.channelMode;
        scan.sampleCount = survey.sampleCount;
    }
    return survey.result;
}

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

bool SetSampleCount(SoundParams& params, uint64_t samples, std::string* diagnostic) {
    std::string problem = SampleCountProblem(samples);
    if (!problem.empty()) {
        if (diagnostic)
            *diagnostic = std::move(problem);
        return false;
    }
    params.sampleCount = static_cast<U32>(samples);
    return true;
}

// Filling 100 MB of fresh small pages costs more than reading the file into them: a large block
// goes on huge pages where the system has them.
U8* AllocateSoundBlock(size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr size_t kHugePage = size_t(2) << 20;
    if (size >= 4 * kHugePage) {
        void* block = nullptr;
        if (posix_memalign(&block, kHugePage, size) != 0)
            return nullptr;
        madvise(block, (size + kHugePage - 1) & ~(kHugePage - 1), MADV_HUGEPAGE);
        return static_cast<U8*>(block);
    }
#endif
    return static_cast<U8*>(std::malloc(size));
}

void FreeSoundBlock(U8* block, size_t) {
    std::free(block);
}

bool ReadMP3Block(U8* block, size_t size, SoundParams& params, MP3ReadResult* result,
                  SoundBlockRelease release, std::string* diagnostic) {
    SWF_ASSERT(block, FDTSoundMP3);
    if (!FillParams(SurveyMp3(block + 2, size), params, result, diagnostic)) {
        release(block, size);
        params = SoundParams{};
        return false;
    }
    params.data = block;
    params.dataSize = static_cast<U32>(size + 2);
    return true;
}

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

    U8* block = size <= kLargestMP3File ? AllocateSoundBlock(size + 2) : nullptr;
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
    if (!ReadMP3Block(block, size, params, result, FreeSoundBlock, diagnostic))
        return false;
    // The block is handed out, not held by params.
    data = params.data;
    dataSize = params.dataSize;
    params.data = nullptr;
    params.dataSize = 0;
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

FDTDefineSoundMP3::FDTDefineSoundMP3(U8* block, size_t fileBytes, SoundBlockRelease releaseBlock)
    : release(releaseBlock) {
    if (block == nullptr)
        return;
    ReadMP3Block(block, fileBytes, soundParams, &readResult, release, &diagnostic);
}

FDTDefineSoundMP3::FDTDefineSoundMP3(int fd, const Mp3Survey& survey) {
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

void FDTDefineSoundMP3::WriteSoundData(FSWFStream& body) {
    if (file < 0) {
        FDTDefineSound::WriteSoundData(body);
        return;
    }
    body.PutWord(0); // seek samples
    if (soundParams.dataSize > 2)
        body.AddFileData(file, soundParams.dataSize - 2);
}

FDTDefineSoundMP3::~FDTDefineSoundMP3() {
    if (soundParams.data != nullptr)
        release(soundParams.data, soundParams.dataSize - 2);
    soundParams = SoundParams{};
}
