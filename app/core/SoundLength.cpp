// The playing time of a sound file in whole milliseconds (libsndfile, libmpg123 for MP3).
#include "SoundLength.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "FDTSoundMP3.h"
#include "SoundFileNames.h"

#include <mpg123.h>
#include <sndfile.h>

namespace {

int32_t WholeMilliseconds(int64_t frames, int64_t rate, const std::string& path) {
    if (frames < 0 || rate <= 0)
        throw SoundLengthError("Unable to find the length of " + path);
    // frames * 1000 may overflow for absurd lengths; divide first and add the remainder's share.
    const int64_t ms = frames / rate * 1000 + frames % rate * 1000 / rate;
    if (ms > std::numeric_limits<int32_t>::max())
        throw SoundLengthError("Sound too long: " + path);
    return static_cast<int32_t>(ms);
}

struct Mpg123HandleDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Mpg123Handle = std::unique_ptr<mpg123_handle, Mpg123HandleDeleter>;

// The length from the frames themselves: the samples the frame walk counts over the first
// frame's sample rate. For what the library cannot measure, such as a stream of a single frame.
int32_t FrameWalkLengthMs(const U8* data, size_t size, const std::string& name) {
    MP3FrameScan scan;
    if (ScanMP3Frames(data, size, scan) != MP3ReadResult::Ok)
        throw SoundLengthError("Not an MP3 file: " + name);
    return WholeMilliseconds(static_cast<int64_t>(scan.sampleCount), scan.sampleRate, name);
}

int32_t FrameWalkLengthMs(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw SoundLengthError("Unable to open " + path);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return FrameWalkLengthMs(reinterpret_cast<const U8*>(bytes.data()), bytes.size(), path);
}

// The encoder delay and padding that lame notes in an "Info" or "Xing" tag in the first frame,
// read the way libmpg123 reads them: the tag stands behind the side information, which is all
// zeros in such a frame, and every field is taken only when the frame holds it.
struct InfoTag {
    bool present = false; // the first frame is the tag, not sound
    uint32_t frames = 0;  // the frames of sound the tag announces, 0 when it says nothing
    int delay = 0;
    int padding = 0;
};

uint32_t BigEndian32(const U8* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

InfoTag ReadInfoTag(const U8* frame, size_t frameLength) {
    InfoTag tag;
    int version = 0;
    int channelMode = 0;
    DecodeFrameHeader(frame, nullptr, nullptr, &version, nullptr, nullptr, nullptr, &channelMode);
    const bool mpeg1 = version == 3;
    const bool mono = channelMode == 3;
    size_t offset = mono ? (mpeg1 ? 17 : 9) : (mpeg1 ? 32 : 17); // the side information's size
    const U8* body = frame + 4;
    const size_t bodySize = frameLength - 4;
    if (bodySize < offset + 8)
        return tag;
    for (size_t i = 2; i < offset; ++i)
        if (body[i] != 0)
            return tag;
    if (std::memcmp(body + offset, "Info", 4) != 0 && std::memcmp(body + offset, "Xing", 4) != 0)
        return tag;
    tag.present = true;
    const uint32_t flags = BigEndian32(body + offset + 4);
    offset += 8;
    const auto holds = [&](size_t bytes) { return bodySize >= offset + bytes; };
    if (flags & 1) {
        if (!holds(4))
            return tag;
        tag.frames = BigEndian32(body + offset);
        offset += 4;
    }
    for (const auto& [flag, bytes] : {std::pair<uint32_t, size_t>{2, 4}, {4, 100}, {8, 4}})
        if (flags & flag) {
            if (!holds(bytes))
                return tag;
            offset += bytes;
        }
    // lame's own 24 bytes: a version text, ..., then two 12-bit values, the delay and the padding.
    if (!holds(24) || body[offset] == 0)
        return tag;
    tag.delay = (body[offset + 21] << 4) | (body[offset + 22] >> 4);
    tag.padding = ((body[offset + 22] << 8) | body[offset + 23]) & 0xFFF;
    return tag;
}

// The samples libmpg123 decodes from a plainly laid out stream, found from the frames alone, or -1
// where that is not sure. The decoder's output lags 529 samples behind its input; with gapless
// trimming it drops the delay and those 529 samples at the start and ends at the padding, or at
// the last decoded sample if that comes first.
int64_t PlainStreamSamples(const U8* data, size_t size, int& rate) {
    constexpr int64_t kDecoderDelay = 529;
    MP3PlainStream stream;
    if (!WalkPlainMP3Stream(data, size, stream))
        return -1;
    const InfoTag tag = ReadInfoTag(data + stream.firstFrame, static_cast<size_t>(stream.firstFrameLength));
    const uint64_t soundFrames = stream.frames - (tag.present ? 1 : 0);
    // The library finds no length in a stream of a single frame; a stream whose length differs
    // from its tag's is trimmed in ways of its own.
    if (soundFrames < 2 || (tag.frames != 0 && tag.frames != soundFrames))
        return -1;
    const int64_t samples = static_cast<int64_t>(soundFrames) * stream.samplesPerFrame;
    int64_t decoded = samples;
    if (tag.frames != 0)
        decoded = std::min(samples, samples - tag.padding + kDecoderDelay) - (tag.delay + kDecoderDelay);
    if (decoded <= 0)
        return -1;
    rate = stream.sampleRate;
    return decoded;
}

Mpg123Handle NewDecoder(const std::string& name) {
    // Needed once per process by libmpg123 releases before 1.27; harmless afterwards.
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    int error = MPG123_OK;
    Mpg123Handle handle(mpg123_new(nullptr, &error));
    if (!handle)
        throw SoundLengthError("Unable to open " + name + ": " + mpg123_plain_strerror(error));
    // The library would otherwise print its complaints about damaged frames on stderr.
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    return handle;
}

// Samples per channel and sample rate of an opened stream, or an MPG123_ERR count when the
// library finds no length. Scanning walks every frame header, so variable-bitrate files get
// their exact length.
int64_t DecodedSamples(mpg123_handle* handle, long& rate) {
    int channels = 0;
    int encoding = 0;
    rate = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK ||
        mpg123_scan(handle) != MPG123_OK)
        return MPG123_ERR;
    return mpg123_length(handle);
}

// The library's reader over a block in memory: reads are copies, seeks move a position.
struct MemoryStream {
    const U8* data;
    size_t size;
    size_t position;
};

mpg123_ssize_t ReadMemory(void* handle, void* buffer, size_t count) {
    auto* stream = static_cast<MemoryStream*>(handle);
    const size_t left = stream->size - stream->position;
    const size_t taken = count < left ? count : left;
    if (taken > 0)
        std::memcpy(buffer, stream->data + stream->position, taken);
    stream->position += taken;
    return static_cast<mpg123_ssize_t>(taken);
}

off_t SeekMemory(void* handle, off_t offset, int whence) {
    auto* stream = static_cast<MemoryStream*>(handle);
    const off_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<off_t>(stream->position)
                       : whence == SEEK_END ? static_cast<off_t>(stream->size)
                                            : -1;
    if (base < 0 || offset < -base)
        return -1;
    // Past the end is allowed, as with a file; reads there find nothing.
    stream->position = std::min(static_cast<size_t>(base + offset), stream->size);
    return base + offset;
}

} // namespace

int32_t SndfileLengthMs(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw SoundLengthError("Unable to open " + path + ": " + sf_strerror(nullptr));
    sf_close(file);
    return WholeMilliseconds(info.frames, info.samplerate, path);
}

int32_t Mp3LengthMs(const std::string& path) {
    const Mpg123Handle handle = NewDecoder(path);
    if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK)
        throw SoundLengthError("Unable to open " + path + ": " + mpg123_strerror(handle.get()));
    long rate = 0;
    const int64_t samples = DecodedSamples(handle.get(), rate);
    if (samples == MPG123_ERR || rate <= 0)
        return FrameWalkLengthMs(path);
    return WholeMilliseconds(samples, rate, path);
}

int32_t Mp3LengthMs(const unsigned char* data, size_t size, const std::string& name) {
    // The frames give the length of a plainly laid out file in one quick walk; the library walks
    // anything else, as it does for the file on disk.
    int plainRate = 0;
    const int64_t plainSamples = data == nullptr ? -1 : PlainStreamSamples(data, size, plainRate);
    if (plainSamples >= 0)
        return WholeMilliseconds(plainSamples, plainRate, name);
    const Mpg123Handle handle = NewDecoder(name);
    MemoryStream stream{data, size, 0};
    if (mpg123_replace_reader_handle(handle.get(), ReadMemory, SeekMemory, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle.get(), &stream) != MPG123_OK)
        throw SoundLengthError("Unable to open " + name + ": " + mpg123_strerror(handle.get()));
    long rate = 0;
    const int64_t samples = DecodedSamples(handle.get(), rate);
    if (samples == MPG123_ERR || rate <= 0)
        return FrameWalkLengthMs(data, size, name);
    return WholeMilliseconds(samples, rate, name);
}

int32_t SoundLengthMs(const std::string& path) {
    return IsMp3Name(path) ? Mp3LengthMs(path) : SndfileLengthMs(path);
}

bool SoundFormatOf(int fd, SoundFormat& format) {
    SF_INFO info{};
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!file)
        return false;
    sf_close(file);
    format.rate = info.samplerate;
    format.channels = info.channels;
    format.mpeg = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG;
    return format.rate > 0 && format.channels > 0;
}

int32_t Mp3HeldMs(const unsigned char* data, size_t size, int32_t* frameMs) {
    constexpr int kLameEncoderDelay = 576;
    MP3FrameScan scan;
    if (data == nullptr || ScanMP3Frames(data, size, scan) != MP3ReadResult::Ok || scan.sampleRate <= 0)
        return -1;
    int64_t samples = 0;
    InfoTag tag;
    bool first = true;
    for (size_t position = scan.firstFrame; position + 4 <= size;) {
        int samplesPerFrame = 0;
        int frameLength = 0;
        if (!IsLayer3FrameHeader(data + position) ||
            (DecodeFrameHeader(data + position, &samplesPerFrame, &frameLength), frameLength <= 0)) {
            ++position; // junk between frames: look for the next one
            continue;
        }
        if (static_cast<size_t>(frameLength) > size - position)
            break; // cut off by the end of the data
        if (first) {
            tag = ReadInfoTag(data + position, static_cast<size_t>(frameLength));
            first = false;
            // lame writes its tag frame blank first and fills it in at the end; one left blank (its
            // output cut short, say) is no sound either, and lame's delay stands before the sound.
            const U8* body = data + position + 4;
            if (!tag.present && std::all_of(body, body + frameLength - 4, [](U8 b) { return b == 0; })) {
                tag.present = true;
                tag.delay = kLameEncoderDelay;
            }
            if (tag.present) {
                position += static_cast<size_t>(frameLength);
                continue;
            }
        }
        samples += samplesPerFrame;
        position += static_cast<size_t>(frameLength);
    }
    samples -= tag.delay + tag.padding;
    if (frameMs) {
        int samplesPerFrame = 0;
        DecodeFrameHeader(data + scan.firstFrame, &samplesPerFrame);
        *frameMs = (samplesPerFrame * 1000 + scan.sampleRate - 1) / scan.sampleRate;
    }
    return samples <= 0 ? 0 : static_cast<int32_t>(samples * 1000 / scan.sampleRate);
}

bool WavHoldsLessThanItsHeader(const std::string& path, int32_t& heldMs, int32_t& promisedMs) {
    std::ifstream file(path, std::ios::binary);
    unsigned char riff[12];
    if (!file.read(reinterpret_cast<char*>(riff), sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    file.seekg(0, std::ios::end);
    const int64_t fileSize = file.tellg();
    const auto little32 = [](const unsigned char* b) {
        return uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
    };
    // The chunks, up to the sound data: the format chunk gives the bytes of one second.
    int64_t bytesPerSecond = 0;
    for (int64_t at = 12; at + 8 <= fileSize;) {
        unsigned char header[24];
        file.seekg(at);
        if (!file.read(reinterpret_cast<char*>(header), 8))
            return false;
        const int64_t chunkSize = little32(header + 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (chunkSize < 16 || !file.read(reinterpret_cast<char*>(header + 8), 16))
                return false;
            bytesPerSecond = little32(header + 8 + 8); // behind the format, channels and rate
        } else if (std::memcmp(header, "data", 4) == 0) {
            const int64_t held = fileSize - (at + 8);
            // 0 and 0xFFFFFFFF stand for "unknown" in files written as a stream.
            if (bytesPerSecond <= 0 || chunkSize == 0 || chunkSize == 0xFFFFFFFF || held >= chunkSize)
                return false;
            heldMs = static_cast<int32_t>(held * 1000 / bytesPerSecond);
            promisedMs = static_cast<int32_t>(
                std::min<int64_t>(chunkSize * 1000 / bytesPerSecond, std::numeric_limits<int32_t>::max()));
            return true;
        }
        at += 8 + chunkSize + (chunkSize & 1);
    }
    return false;
}
