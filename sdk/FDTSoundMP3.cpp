// MP3 frame reader and the MP3 sound definition.
#include "FDTSoundMP3.h"

#if defined(__linux__)
#include <stdlib.h>
#include <sys/mman.h>
#endif

#include "SwfAssert.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace {

// Layer III bitrates in bits per second: [bitrate index][0 = MPEG-1, 1 = MPEG-2 and 2.5].
constexpr int kBitrates[16][2] = {{0, 0},           {32000, 8000},    {40000, 16000},   {48000, 24000},
                                  {56000, 32000},   {64000, 40000},   {80000, 48000},   {96000, 56000},
                                  {112000, 64000},  {128000, 80000},  {160000, 96000},  {192000, 112000},
                                  {224000, 128000}, {256000, 144000}, {320000, 160000}, {0, 0}};

// Sample rates in Hz: [sample-rate index][version: 0 = MPEG-2.5, 1 reserved, 2 = MPEG-2, 3 = MPEG-1].
constexpr int kSampleRates[4][4] = {
    {11025, 0, 22050, 44100}, {12000, 0, 24000, 48000}, {8000, 0, 16000, 32000}, {0, 0, 0, 0}};

constexpr int kVersionMpeg1 = 3;
constexpr int kVersionReserved = 1;
constexpr int kLayer3 = 1;
constexpr int kChannelModeSingle = 3;

// Size of an ID3v2 tag at the start of data, 0 if there is none: the declared (syncsafe)
// size, the 10-byte header and, if its flag says so, the 10-byte footer.
size_t LeadingId3v2TagSize(const U8* data, size_t size) {
    if (size < 10 || std::memcmp(data, "ID3", 3) != 0 || data[3] == 0xFF || data[4] == 0xFF)
        return 0;
    if ((data[6] | data[7] | data[8] | data[9]) & 0x80)
        return 0;
    const size_t declared =
        (size_t{data[6]} << 21) | (size_t{data[7]} << 14) | (size_t{data[8]} << 7) | data[9];
    const bool hasFooter = (data[5] & 0x10) != 0;
    return declared + 10 + (hasFooter ? 10 : 0);
}

// First position at or after `from` where a sync stands with all four header bytes inside
// the data; `size` if there is none.
size_t FindFrameSync(const U8* data, size_t size, size_t from) {
    if (size < 4)
        return size;
    const size_t last = size - 4; // last position whose header fits
    if (from <= last && IsFrameSync(data + from))
        return from; // the usual case in a walk: the next frame follows the last
    while (from <= last) {
        const void* found = std::memchr(data + from, 0xFF, last - from + 1);
        if (found == nullptr)
            return size;
        const size_t position = static_cast<size_t>(static_cast<const U8*>(found) - data);
        if (IsFrameSync(data + position))
            return position;
        from = position + 1;
    }
    return size;
}

// The version and sample-rate bits: what every frame of one stream shares.
bool SameStream(const U8* header, const U8* other) {
    return ((header[1] ^ other[1]) & 0x18) == 0 && ((header[2] ^ other[2]) & 0x0C) == 0;
}

// True if an ID3v1 tag fills the data from `position` to its end.
bool Id3v1TagToTheEnd(const U8* data, size_t size, size_t position) {
    return size - position == 128 && std::memcmp(data + position, "TAG", 3) == 0;
}

// True if the Layer III frame at `position` is followed by a header of the same stream at its
// computed length, or ends the data there.
bool IsConfirmedFrame(const U8* data, size_t size, size_t position) {
    int length = 0;
    DecodeFrameHeader(data + position, nullptr, &length);
    if (length <= 0 || size - position < static_cast<size_t>(length))
        return false;
    const size_t next = position + static_cast<size_t>(length);
    if (next == size || Id3v1TagToTheEnd(data, size, next))
        return true;
    return size - next >= 4 && IsLayer3FrameHeader(data + next) && SameStream(data + position, data + next);
}

// True if the free-format header at `position` is followed, within the longest frame free format
// allows (640 kbit/s), by another free-format header of the same stream.
bool IsConfirmedFreeFormatFrame(const U8* data, size_t size, size_t position) {
    const U8* header = data + position;
    int version = 0;
    int sampleRate = 0;
    DecodeFrameHeader(header, nullptr, nullptr, &version, nullptr, nullptr, &sampleRate);
    const size_t longest =
        static_cast<size_t>((version == kVersionMpeg1 ? 144 : 72) * 640000 / sampleRate + 1);
    const size_t end = size - position > longest + 4 ? position + longest + 4 : size;
    for (size_t next = FindFrameSync(data, end, position + 1); next < end;
         next = FindFrameSync(data, end, next + 1))
        if (data[next + 1] == header[1] && (data[next + 2] & 0xFC) == (header[2] & 0xFC))
            return true;
    return false;
}

} // namespace

bool IsFrameSync(const U8* data) {
    return data[0] == 0xFF && (data[1] & 0xE0) == 0xE0;
}

MP3HeaderFields HeaderFields(const U8* header) {
    return MP3HeaderFields{(header[1] >> 3) & 3, (header[1] >> 1) & 3, (header[2] >> 4) & 15,
                           (header[2] >> 2) & 3, (header[2] >> 1) & 1, (header[3] >> 6) & 3};
}

void DecodeFrameHeader(const U8* header, int* samplesPerFrame, int* frameLength, int* version, int* layer,
                       int* bitrate, int* sampleRate, int* channelMode) {
    const MP3HeaderFields fields = HeaderFields(header);
    const bool mpeg1 = fields.version == kVersionMpeg1;
    const int bitsPerSecond = kBitrates[fields.bitrateIndex][mpeg1 ? 0 : 1];
    const int hertz = kSampleRates[fields.sampleRateIndex][fields.version];
    int length = 0;
    if (bitsPerSecond != 0 && hertz != 0)
        length = (mpeg1 ? 144 : 72) * bitsPerSecond / hertz + fields.padding;

    if (samplesPerFrame)
        *samplesPerFrame = mpeg1 ? 1152 : 576;
    if (frameLength)
        *frameLength = length;
    if (version)
        *version = fields.version;
    if (layer)
        *layer = fields.layer;
    if (bitrate)
        *bitrate = bitsPerSecond;
    if (sampleRate)
        *sampleRate = hertz;
    if (channelMode)
        *channelMode = fields.channelMode;
}

namespace {

// A sync that starts a Layer III frame of a known version and sample rate, with a bitrate index
// that is free format or not, as asked.
bool IsLayer3Header(const U8* header, bool freeFormat) {
    if (!IsFrameSync(header))
        return false;
    const MP3HeaderFields fields = HeaderFields(header);
    const bool bitrateFits =
        freeFormat ? fields.bitrateIndex == 0 : fields.bitrateIndex >= 1 && fields.bitrateIndex <= 14;
    return fields.version != kVersionReserved && fields.layer == kLayer3 && bitrateFits &&
           fields.sampleRateIndex <= 2;
}

} // namespace

bool IsLayer3FrameHeader(const U8* header) {
    return IsLayer3Header(header, false);
}

bool IsFreeFormatLayer3Header(const U8* header) {
    return IsLayer3Header(header, true);
}

MP3ReadResult ScanMP3Frames(const U8* data, size_t size, MP3FrameScan& scan) {
    scan = MP3FrameScan{};
    // The first frame: past a leading ID3v2 tag (whose pictures may hold chance syncs), the first
    // Layer III header that the next frame confirms. A free-format stream is told by its headers
    // alone: its frames carry no length to follow.
    size_t first = FindFrameSync(data, size, LeadingId3v2TagSize(data, size));
    for (; first < size; first = FindFrameSync(data, size, first + 1)) {
        if (IsLayer3FrameHeader(data + first) && IsConfirmedFrame(data, size, first))
            break;
        if (IsFreeFormatLayer3Header(data + first) && IsConfirmedFreeFormatFrame(data, size, first))
            return MP3ReadResult::FreeFormat;
    }
    if (first >= size)
        return MP3ReadResult::NotMP3;
    scan.firstFrame = first;
    DecodeFrameHeader(data + first, nullptr, nullptr, nullptr, nullptr, nullptr, &scan.sampleRate,
                      &scan.channelMode);

    // Count samples along the chain of frame lengths, re-synchronising by search. A header whose
    // frame length is 0 is no frame: the walk moves on by one byte.
    size_t position = first;
    while (position < size) {
        position = FindFrameSync(data, size, position);
        if (position >= size)
            break;
        int samplesPerFrame = 0;
        int frameLength = 0;
        DecodeFrameHeader(data + position, &samplesPerFrame, &frameLength);
        if (frameLength == 0) {
            ++position;
            continue;
        }
        scan.sampleCount += static_cast<uint64_t>(samplesPerFrame);
        position += static_cast<size_t>(frameLength);
#if defined(__GNUC__)
        // Headers lie a frame apart across a block far larger than the caches: ask for the ones
        // a few frames ahead early, so the walk does not wait on memory for each one.
        if (position + 16 * static_cast<size_t>(frameLength) < size)
            __builtin_prefetch(data + position + 16 * static_cast<size_t>(frameLength));
#endif
    }
    return MP3ReadResult::Ok;
}

bool WalkPlainMP3Stream(const U8* data, size_t size, MP3PlainStream& stream) {
    stream = MP3PlainStream{};
    const size_t first = LeadingId3v2TagSize(data, size);
    if (first >= size || size - first < 4 || !IsLayer3FrameHeader(data + first))
        return false;
    const U8* firstHeader = data + first;
    const bool mono = (firstHeader[3] >> 6) == kChannelModeSingle;
    // An ID3v1 tag can only stand in the last 128 bytes.
    const size_t id3v1 =
        size - first > 128 && std::memcmp(data + size - 128, "TAG", 3) == 0 ? size - 128 : size;

    uint64_t frames = 0;
    size_t position = first;
    while (position != size && position != id3v1) {
        if (size - position < 4)
            return false;
        const U8* header = data + position;
        // The same sync, version and layer bits (the protection bit may differ), sample rate and
        // channel count; a bitrate index that gives a length.
        if (header[0] != 0xFF || (header[1] & 0xFE) != (firstHeader[1] & 0xFE) ||
            ((header[2] ^ firstHeader[2]) & 0x0C) != 0 || ((header[3] >> 6) == kChannelModeSingle) != mono)
            return false;
        int frameLength = 0;
        DecodeFrameHeader(header, nullptr, &frameLength);
        if (frameLength <= 0 || static_cast<size_t>(frameLength) > size - position)
            return false;
        if (frames == 0)
            stream.firstFrameLength = frameLength;
        ++frames;
        position += static_cast<size_t>(frameLength);
#if defined(__GNUC__)
        if (position + 16 * static_cast<size_t>(frameLength) < size)
            __builtin_prefetch(data + position + 16 * static_cast<size_t>(frameLength));
#endif
    }
    stream.firstFrame = first;
    stream.frames = frames;
    DecodeFrameHeader(firstHeader, &stream.samplesPerFrame, nullptr, nullptr, nullptr, nullptr,
                      &stream.sampleRate);
    return true;
}

int SwfSoundRateCode(int sampleRateHz) {
    switch (sampleRateHz / 5000) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    default:
        return -1;
    }
}

bool IsStatedExactly(int sampleRateHz) {
    return sampleRateHz == 11025 || sampleRateHz == 22050 || sampleRateHz == 44100;
}

int NearestStatedRate(int sampleRateHz) {
    // Between two neighbours a and b, b is nearer by ratio when b / rate < rate / a.
    const int64_t square = int64_t{sampleRateHz} * sampleRateHz;
    if (square <= int64_t{11025} * 22050)
        return 11025;
    if (square <= int64_t{22050} * 44100)
        return 22050;
    return 44100;
}

bool SetSampleCount(SoundParams& params, uint64_t samples, std::string* diagnostic) {
    constexpr uint64_t kLargestCount = std::numeric_limits<U32>::max();
    if (samples > kLargestCount) {
        if (diagnostic)
            *diagnostic = "Sound too long: " + std::to_string(samples) + " samples, a sound holds at most " +
                          std::to_string(kLargestCount);
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
    const auto fail = [&](MP3ReadResult why, std::string text) {
        release(block, size);
        if (result)
            *result = why;
        if (diagnostic)
            *diagnostic = std::move(text);
        return false;
    };
    const U8* bytes = block + 2;

    MP3FrameScan scan;
    const MP3ReadResult outcome = ScanMP3Frames(bytes, size, scan);
    if (outcome == MP3ReadResult::NotMP3)
        return fail(outcome, "Not an MP3 format file");
    if (outcome == MP3ReadResult::FreeFormat)
        return fail(outcome, "Free format MP3 unsupported");

    params = SoundParams{};
    const int rateCode = SwfSoundRateCode(scan.sampleRate);
    if (rateCode < 0)
        return fail(MP3ReadResult::UnsupportedSampleRate,
                    "Sample rate " + std::to_string(scan.sampleRate) + " unsupported");
    params.rate = static_cast<U8>(rateCode);
    std::string tooLong;
    if (!SetSampleCount(params, scan.sampleCount, &tooLong)) {
        params = SoundParams{};
        return fail(MP3ReadResult::TooManySamples, tooLong);
    }
    params.format = 2;
    params.sampleSize = 1;
    params.stereo = scan.channelMode == kChannelModeSingle ? 0 : 1;
    params.data = block;
    params.dataSize = static_cast<U32>(size + 2);
    if (result)
        *result = MP3ReadResult::Ok;
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

FDTDefineSoundMP3::~FDTDefineSoundMP3() {
    if (soundParams.data != nullptr)
        release(soundParams.data, soundParams.dataSize - 2);
    soundParams = SoundParams{};
}
