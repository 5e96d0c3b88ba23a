// Fuzz target: the playing time of an MP3 file in memory (Mp3LengthMs on bytes: the frame walk,
// and the library for files that are not laid out plainly).
#include "FuzzCheck.h"
#include "SoundLength.h"

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
    return 0;
}
