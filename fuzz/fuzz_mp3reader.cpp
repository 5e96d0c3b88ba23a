// Fuzz target: the MP3 frame reader (ReadMP3File through a FILE*, and the frame walk it uses).
#include "FDTSoundMP3.h"
#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader's diagnostics go to standard output; millions of them say nothing here.
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const Mp3Survey scan = SurveyMp3(bytes, size);
    const MP3ReadResult scanned = scan.result;
    if (scanned == MP3ReadResult::Ok) {
        FUZZ_CHECK(scan.firstFrame + 4 <= size);
        FUZZ_CHECK(scan.format.sampleRate > 0);
        FUZZ_CHECK(scan.sampleCount > 0);
    }

    // fmemopen wants a buffer of at least one byte; an empty file is /dev/null.
    FILE* file = size > 0 ? fmemopen(const_cast<uint8_t*>(bytes), size, "rb") : std::fopen("/dev/null", "rb");
    FUZZ_CHECK(file != nullptr);
    SoundParams params{};
    U8* data = nullptr;
    U32 dataSize = 0;
    MP3ReadResult result = MP3ReadResult::Ok;
    const bool ok = ReadMP3File(file, params, data, dataSize, &result);
    std::fclose(file);

    FUZZ_CHECK(ok == (result == MP3ReadResult::Ok));
    FUZZ_CHECK(scanned == MP3ReadResult::Ok || result == scanned);
    if (ok) {
        FUZZ_CHECK(dataSize == size + 2);
        FUZZ_CHECK(data[0] == 0 && data[1] == 0);
        FUZZ_CHECK(std::memcmp(data + 2, bytes, size) == 0);
        FUZZ_CHECK(params.format == 2 && params.rate <= 3 && params.sampleSize == 1 && params.stereo <= 1);
        FUZZ_CHECK(params.sampleCount == scan.sampleCount);
        std::free(data);
    }
    return 0;
}
