// Fuzz target: the playing time of an MP3 file in memory (Mp3LengthMs on bytes: the frame walk,
// and the library for files that are not laid out plainly), and the frame walk over the same bytes
// as a file read in small blocks, which must find what the walk in memory finds.
#include "FuzzCheck.h"
#include "Mp3Frames.h"
#include "sound/SoundLength.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    int32_t first = -1;
    try {
        first = Mp3LengthMs(bytes, size, "fuzz input");
        FUZZ_CHECK(first >= 0);
    } catch (const SoundLengthError&) {
        first = -1;
    }
    // The same bytes at another address give the same answer: the walk keeps no state.
    const std::vector<uint8_t> copy(bytes, bytes + size);
    int32_t second = -1;
    try {
        second = Mp3LengthMs(copy.data(), copy.size(), "fuzz input");
    } catch (const SoundLengthError&) {
        second = -1;
    }
    FUZZ_CHECK(first == second);

    const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0 && ::write(fd, bytes, size) == static_cast<ssize_t>(size));
    Mp3Bytes blocks(fd, size, 8192); // the smallest window the walk's look-ahead allows
    const Mp3Survey inBlocks = SurveyMp3(blocks);
    ::close(fd);
    const Mp3Survey inMemory = SurveyMp3(bytes, size);
    FUZZ_CHECK(inBlocks.result == inMemory.result && inBlocks.firstFrame == inMemory.firstFrame);
    FUZZ_CHECK(inBlocks.sampleCount == inMemory.sampleCount);
    FUZZ_CHECK(inBlocks.wholeFrameSamples == inMemory.wholeFrameSamples);
    FUZZ_CHECK(inBlocks.plain == inMemory.plain && inBlocks.plainFrames == inMemory.plainFrames);
    return 0;
}
