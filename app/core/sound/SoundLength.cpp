// The playing time of a sound file in whole milliseconds (libsndfile, libmpg123 for MP3).
#include "sound/SoundLength.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <mutex>
#include <utility>

#include "Mp3Frames.h"
#include "sound/SoundBlock.h"
#include "sound/SoundFileNames.h"
#include "text/Translations.h"

#include <mpg123.h>
#include <sndfile.h>

namespace {

// "Unable to open <file>", and what the library said.
std::string UnableToOpen(const std::string& path, const char* why = nullptr) {
    return why ? MessageBytes(QCoreApplication::translate("SoundLength", "Unable to open %1: %2"),
                              {path, why})
               : MessageBytes(QCoreApplication::translate("SoundLength", "Unable to open %1"), {path});
}

int32_t WholeMilliseconds(int64_t frames, int64_t rate, const std::string& path) {
    if (frames < 0 || rate <= 0)
        throw SoundLengthError(MessageBytes(
            QCoreApplication::translate("SoundLength", "Unable to find the length of %1"), {path}));
    // frames * 1000 may overflow for absurd lengths; divide first and add the remainder's share.
    const int64_t ms = frames / rate * 1000 + frames % rate * 1000 / rate;
    if (ms > std::numeric_limits<int32_t>::max())
        throw SoundLengthError(
            MessageBytes(QCoreApplication::translate("SoundLength", "Sound too long: %1"), {path}));
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
int32_t FrameWalkLengthMs(const Mp3Survey& survey, const std::string& name) {
    if (survey.result != MP3ReadResult::Ok)
        throw SoundLengthError(
            MessageBytes(QCoreApplication::translate("SoundLength", "Not an MP3 file: %1"), {name}));
    return WholeMilliseconds(static_cast<int64_t>(survey.sampleCount), survey.format.sampleRate, name);
}

// The samples libmpg123 decodes from a plainly laid out stream, found from the frames alone, or -1
// where that is not sure. The decoder's output lags kMp3DecoderDelay samples behind its input;
// with gapless trimming it drops the delay and those samples at the start and ends at the padding,
// or at the last decoded sample if that comes first.
int64_t PlainStreamSamples(const Mp3Survey& survey) {
    if (survey.result != MP3ReadResult::Ok || !survey.plain)
        return -1;
    const Mp3InfoTag& tag = survey.tag;
    const uint64_t soundFrames = survey.plainFrames - (tag.present ? 1 : 0);
    // The library finds no length in a stream of a single frame, and trims a stream shorter than
    // its tag says in ways of its own. One longer than that (encodes joined one behind the other,
    // each with its tag frame) it trims as one stream: the delay of its first tag at the start, the
    // padding of that tag at the end; a tag frame inside the stream is a silent frame of it.
    if (soundFrames < 2 || tag.frames > soundFrames)
        return -1;
    const int64_t samples = static_cast<int64_t>(soundFrames) * survey.format.samplesPerFrame;
    int64_t decoded = samples;
    if (tag.frames != 0)
        decoded =
            std::min(samples, samples - tag.padding + kMp3DecoderDelay) - (tag.delay + kMp3DecoderDelay);
    return decoded <= 0 ? -1 : decoded;
}

Mpg123Handle NewDecoder(const std::string& name) {
    // Needed once per process by libmpg123 releases before 1.27; harmless afterwards.
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    int error = MPG123_OK;
    Mpg123Handle handle(mpg123_new(nullptr, &error));
    if (!handle)
        throw SoundLengthError(UnableToOpen(name, mpg123_plain_strerror(error)));
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

// The library's reader over the bytes of a file, in memory or read in bounded blocks: reads are
// copies out of the window, seeks move a position.
struct ByteStream {
    Mp3Bytes* bytes;
    uint64_t position;
};

mpg123_ssize_t ReadBytes(void* handle, void* buffer, size_t count) {
    auto* stream = static_cast<ByteStream*>(handle);
    const uint64_t size = stream->bytes->Size();
    const uint64_t left = size - std::min(stream->position, size);
    // A few kilobytes at a time: the library asks for a frame or less.
    size_t taken = static_cast<size_t>(std::min<uint64_t>({count, left, 64 * 1024}));
    if (taken == 0)
        return 0;
    stream->bytes->Keep(stream->position);
    size_t available = 0;
    const uint8_t* data = stream->bytes->At(stream->position, taken, &available);
    if (data == nullptr)
        return -1;
    std::memcpy(buffer, data, taken);
    stream->position += taken;
    return static_cast<mpg123_ssize_t>(taken);
}

off_t SeekBytes(void* handle, off_t offset, int whence) {
    auto* stream = static_cast<ByteStream*>(handle);
    const auto size = static_cast<off_t>(stream->bytes->Size());
    const off_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<off_t>(stream->position)
                       : whence == SEEK_END ? size
                                            : -1;
    if (base < 0 || offset < -base)
        return -1;
    // Past the end is allowed, as with a file; reads there find nothing.
    stream->position = static_cast<uint64_t>(std::min(base + offset, size));
    return base + offset;
}

// The playing time the whole frames of a walked MP3 hold; see Mp3HeldMs.
int32_t HeldMs(const Mp3Survey& survey, int32_t* frameMs) {
    const int rate = survey.format.sampleRate;
    if (survey.result != MP3ReadResult::Ok || rate <= 0)
        return -1;
    // The first frame is no sound when it is lame's tag. lame writes its tag frame blank first
    // and fills it in at the end; one left blank (its output cut short, say) is no sound either,
    // and lame's delay stands before the sound.
    Mp3InfoTag tag = survey.tag;
    if (!tag.present && survey.firstFrameBlank) {
        tag.present = true;
        tag.delay = kLameEncoderDelay;
    }
    int64_t samples = static_cast<int64_t>(survey.wholeFrameSamples);
    if (tag.present)
        samples -= survey.format.samplesPerFrame;
    samples -= tag.delay + tag.padding;
    if (frameMs)
        *frameMs = (survey.format.samplesPerFrame * 1000 + rate - 1) / rate;
    return samples <= 0 ? 0 : static_cast<int32_t>(samples * 1000 / rate);
}

// The samples and the sample rate the library decodes from the bytes, searching for the next frame
// after damage over resyncLimit bytes at most (0: the library's own limit, about a kilobyte; -1: to
// the end), or an MPG123_ERR count when it finds no length.
int64_t LibrarySamples(Mp3Bytes& bytes, const std::string& name, long resyncLimit, long& rate) {
    const Mpg123Handle handle = NewDecoder(name);
    ByteStream stream{&bytes, 0};
    if (resyncLimit != 0)
        mpg123_param(handle.get(), MPG123_RESYNC_LIMIT, resyncLimit, 0.0);
    if (mpg123_replace_reader_handle(handle.get(), ReadBytes, SeekBytes, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle.get(), &stream) != MPG123_OK)
        throw SoundLengthError(UnableToOpen(name, mpg123_strerror(handle.get())));
    return DecodedSamples(handle.get(), rate);
}

// The length of an MP3 file that `bytes` shows and `survey` walked: from the frames for a file laid
// out plainly, else from libmpg123 reading the same bytes, else from the frame walk's count.
Mp3Length MeasureMp3(Mp3Bytes& bytes, const Mp3Survey& survey, const std::string& name) {
    // The frames give the length of a plainly laid out file in one quick walk; the library walks
    // anything else, as it does for the file on disk.
    const int64_t plainSamples = PlainStreamSamples(survey);
    if (plainSamples >= 0)
        return {WholeMilliseconds(plainSamples, survey.format.sampleRate, name)};
    long rate = 0;
    const int64_t samples = LibrarySamples(bytes, name, 0, rate);
    if (samples == MPG123_ERR || rate <= 0)
        return {FrameWalkLengthMs(survey, name)};
    Mp3Length length{WholeMilliseconds(samples, rate, name)};
    // The library gives up where it finds no frame within a kilobyte or so. Where the frames the
    // walk found hold clearly more (two frames: the decoder's delay and the rounding), it is asked
    // again to search on to the end; decoding more that way, it stopped at damage.
    int32_t frameMs = 0;
    const int32_t heldMs = HeldMs(survey, &frameMs);
    if (heldMs > length.ms + 2 * frameMs) {
        long searchedRate = 0;
        const int64_t searched = LibrarySamples(bytes, name, -1, searchedRate);
        if (searched != MPG123_ERR && searchedRate == rate) {
            const int32_t searchedMs = WholeMilliseconds(searched, rate, name);
            if (searchedMs > length.ms + frameMs)
                length = {searchedMs, length.ms};
        }
    }
    return length;
}

SoundFormat FormatOf(const SF_INFO& info) {
    return {info.samplerate, info.channels, (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG};
}

// The sound data of a WAV file: the size its header states, the bytes the file holds from the
// data chunk's start to its end, and, from the format chunk, the bytes of a second and of one
// sample of every channel.
struct WavData {
    int64_t statedBytes = 0;
    int64_t heldBytes = 0;
    int64_t bytesPerSecond = 0;
    int64_t blockAlign = 0;
};

// A size that a program writing a WAV as a stream puts in for "as many bytes as follow": 0, or
// 0x7FFFF000 and more (0x7FFFF000, 0x7FFFFFFF and 0xFFFFFFFF are in use).
bool StandsForAnySize(int64_t statedBytes) {
    return statedBytes == 0 || statedBytes >= 0x7FFFF000;
}

bool ReadWavData(const std::string& path, WavData& wav) {
    std::ifstream file(path, std::ios::binary);
    unsigned char riff[12];
    if (!file.read(reinterpret_cast<char*>(riff), sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    file.seekg(0, std::ios::end);
    const int64_t fileSize = file.tellg();
    const auto little = [](const unsigned char* b, int bytes) {
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | b[i];
        return int64_t{value};
    };
    // The chunks, up to the sound data.
    for (int64_t at = 12; at + 8 <= fileSize;) {
        unsigned char header[24];
        file.seekg(at);
        if (!file.read(reinterpret_cast<char*>(header), 8))
            return false;
        const int64_t chunkSize = little(header + 4, 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (chunkSize < 16 || !file.read(reinterpret_cast<char*>(header + 8), 16))
                return false;
            // behind the format, the channels and the rate
            wav.bytesPerSecond = little(header + 8 + 8, 4);
            wav.blockAlign = little(header + 8 + 12, 2);
        } else if (std::memcmp(header, "data", 4) == 0) {
            wav.statedBytes = chunkSize;
            wav.heldBytes = fileSize - (at + 8);
            return true;
        }
        at += 8 + chunkSize + (chunkSize & 1);
    }
    return false;
}

} // namespace

int32_t SndfileLengthMs(const std::string& path, SoundFormat* format) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw SoundLengthError(UnableToOpen(path, sf_strerror(nullptr)));
    sf_close(file);
    // libsndfile takes a WAV's stated size of 0 at its word: the sound that follows is measured.
    int64_t frames = info.frames;
    bool sizeUnstated = false;
    const int major = info.format & SF_FORMAT_TYPEMASK;
    WavData wav;
    if (frames == 0 && (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX) && ReadWavData(path, wav) &&
        wav.statedBytes == 0 && wav.blockAlign > 0) {
        frames = wav.heldBytes / wav.blockAlign;
        sizeUnstated = frames > 0;
    }
    if (format) {
        *format = FormatOf(info);
        format->sizeUnstated = sizeUnstated;
    }
    return WholeMilliseconds(frames, info.samplerate, path);
}

int32_t Mp3LengthMs(const std::string& path) {
    const Mpg123Handle handle = NewDecoder(path);
    if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK)
        throw SoundLengthError(UnableToOpen(path, mpg123_strerror(handle.get())));
    long rate = 0;
    const int64_t samples = DecodedSamples(handle.get(), rate);
    if (samples == MPG123_ERR || rate <= 0) {
        SoundBlock mp3;
        if (!mp3.Read(path))
            throw SoundLengthError(UnableToOpen(path));
        return FrameWalkLengthMs(mp3.Survey(), path);
    }
    return WholeMilliseconds(samples, rate, path);
}

Mp3Length MeasureMp3(const SoundBlock& mp3, const std::string& name) {
    if (mp3.File() < 0)
        throw SoundLengthError(UnableToOpen(name));
    Mp3Bytes bytes(mp3.File(), mp3.FileSize());
    return MeasureMp3(bytes, mp3.Survey(), name);
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
    format = FormatOf(info);
    return format.rate > 0 && format.channels > 0;
}

int32_t Mp3HeldMs(const SoundBlock& mp3, int32_t* frameMs) {
    return mp3.File() < 0 ? -1 : HeldMs(mp3.Survey(), frameMs);
}

bool WavHoldsLessThanItsHeader(const std::string& path, int32_t& heldMs, int32_t& promisedMs) {
    WavData wav;
    if (!ReadWavData(path, wav) || wav.bytesPerSecond <= 0 || StandsForAnySize(wav.statedBytes) ||
        wav.heldBytes >= wav.statedBytes)
        return false;
    heldMs = static_cast<int32_t>(wav.heldBytes * 1000 / wav.bytesPerSecond);
    promisedMs = static_cast<int32_t>(
        std::min<int64_t>(wav.statedBytes * 1000 / wav.bytesPerSecond, std::numeric_limits<int32_t>::max()));
    return true;
}
