// Fuzz target: the MP3 reader as a movie reads its file: the file opened and walked once in blocks
// (SoundBlock), copied as it is walked, the sound definition made from the walk, and the walk for
// the exact sound.
#include "FDTSoundMP3.h"
#include "FuzzCheck.h"
#include "sound/SoundBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The copy the walk feeds, kept in memory.
class MemoryCopy : public Mp3BlockSink {
public:
    bool Start(uint64_t fileSize) override {
        FUZZ_CHECK(!started);
        started = true;
        size = fileSize;
        return true;
    }
    bool Write(const uint8_t* data, size_t count) override {
        FUZZ_CHECK(started);
        bytes.insert(bytes.end(), data, data + count);
        return true;
    }
    bool started = false;
    uint64_t size = 0;
    std::vector<uint8_t> bytes;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0 && ::write(fd, bytes, size) == static_cast<ssize_t>(size));
    SoundBlock mp3;
    MemoryCopy copy;
    FUZZ_CHECK(mp3.Read("/proc/self/fd/" + std::to_string(fd), &copy));
    ::close(fd);
    const Mp3Survey& survey = mp3.Survey();
    FUZZ_CHECK(survey.result != MP3ReadResult::Unreadable);
    if (survey.result == MP3ReadResult::Ok) {
        FUZZ_CHECK(survey.firstFrame + 4 <= size);
        FUZZ_CHECK(survey.format.sampleRate > 0);
        FUZZ_CHECK(survey.sampleCount > 0);
        // A usable file is copied whole, as the walk read it.
        FUZZ_CHECK(copy.started && copy.size == size && copy.bytes.size() == size);
        FUZZ_CHECK(std::memcmp(copy.bytes.data(), bytes, size) == 0);
    } else {
        FUZZ_CHECK(copy.bytes.empty());
    }

    FDTDefineSoundMP3 sound(mp3.File(), survey);
    const MP3ReadResult result = sound.ReadResult();
    FUZZ_CHECK(result == Mp3MovieResult(survey));
    const auto placed = FDTDefineSoundMP3::WrittenInPlace(size);
    placed->TakeFormat(survey);
    FUZZ_CHECK(placed->ReadResult() == result);
    if (result == MP3ReadResult::Ok) {
        const SoundParams& params = sound.Params();
        FUZZ_CHECK(params.dataSize == size + 2 && placed->Params().dataSize == size + 2);
        FUZZ_CHECK(params.format == 2 && params.rate <= 3 && params.sampleSize == 1 && params.stereo <= 1);
        FUZZ_CHECK(params.sampleCount == survey.sampleCount);
        // The exact sound: its audio frames lie in the file, one behind the other.
        const Mp3ExactSound& exact = mp3.ExactSound();
        uint64_t bytesInRanges = 0;
        uint64_t end = 0;
        for (const Mp3ByteRange& range : exact.ranges) {
            FUZZ_CHECK(range.offset >= end && range.size > 0 && range.offset + range.size <= size);
            end = range.offset + range.size;
            bytesInRanges += range.size;
        }
        FUZZ_CHECK(bytesInRanges == exact.bytes);
    }
    return 0;
}
