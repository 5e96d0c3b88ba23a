// Fuzz target: the playing time of an MP3 file as the run measures it (MeasureMp3 on the file
// opened and walked once by SoundBlock: the frame walk, and libmpg123 for files not laid out
// plainly), and the frame walk over the same file in small blocks, which must find what the walk
// through one large window finds.
#include "FuzzCheck.h"
#include "Mp3Frames.h"
#include "sound/SoundBlock.h"
#include "sound/SoundLength.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

namespace {

int32_t MeasuredMs(const SoundBlock& mp3) {
    try {
        const int32_t ms = MeasureMp3(mp3, "fuzz input").ms;
        FUZZ_CHECK(ms >= 0);
        return ms;
    } catch (const SoundLengthError&) {
        return -1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0 && ::write(fd, bytes, size) == static_cast<ssize_t>(size));
    SoundBlock mp3;
    FUZZ_CHECK(mp3.Read("/proc/self/fd/" + std::to_string(fd)));
    // Measured twice, the same answer: the measure keeps no state.
    FUZZ_CHECK(MeasuredMs(mp3) == MeasuredMs(mp3));
    FUZZ_CHECK(Mp3HeldMs(mp3) >= -1);

    Mp3Bytes blocks(fd, size, 8192); // the smallest window the walk's look-ahead allows
    const Mp3Survey inBlocks = SurveyMp3(blocks);
    ::close(fd);
    const Mp3Survey& inOneWindow = mp3.Survey();
    FUZZ_CHECK(inBlocks.result == inOneWindow.result && inBlocks.firstFrame == inOneWindow.firstFrame);
    FUZZ_CHECK(inBlocks.sampleCount == inOneWindow.sampleCount);
    FUZZ_CHECK(inBlocks.wholeFrameSamples == inOneWindow.wholeFrameSamples);
    FUZZ_CHECK(inBlocks.plain == inOneWindow.plain && inBlocks.plainFrames == inOneWindow.plainFrames);
    return 0;
}
