// The sound of a movie taken back out, as MP3 bytes or decoded into a WAV file.
#include "SoundExtraction.h"

#include "ReplaceFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <mpg123.h>
#include <sndfile.h>

bool ExtractMp3(const uint8_t* movie, const SwfMp3Sound& sound, const std::string& path, std::string& error) {
    const bool written = ReplaceFile(path, [&](std::FILE* file) {
        return std::fwrite(movie + sound.dataOffset, 1, sound.dataSize, file) == sound.dataSize;
    });
    if (!written)
        error = "cannot write " + path;
    return written;
}

namespace {

struct Mpg123Deleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

// The MP3 bytes as the library reads them: from memory, front to back (the decoder never seeks).
struct MemoryStream {
    const uint8_t* data;
    size_t size;
    size_t position;
};

mpg123_ssize_t ReadMemory(void* handle, void* buffer, size_t count) {
    auto* stream = static_cast<MemoryStream*>(handle);
    const size_t taken = std::min(count, stream->size - stream->position);
    std::memcpy(buffer, stream->data + stream->position, taken);
    stream->position += taken;
    return static_cast<mpg123_ssize_t>(taken);
}

using Decoder = std::unique_ptr<mpg123_handle, Mpg123Deleter>;

// A decoder of the sound's bytes in memory as a player decodes them, its format read into wav;
// none with why in error.
Decoder OpenDecoder(MemoryStream& stream, ExtractedWav& wav, std::string& error) {
    int status = MPG123_OK;
#if MPG123_API_VERSION < 46
    mpg123_init();
#endif
    Decoder handle(mpg123_new(nullptr, &status));
    if (!handle) {
        error = std::string("cannot start the MP3 decoder: ") + mpg123_plain_strerror(status);
        return nullptr;
    }
    mpg123_handle* decoder = handle.get();
    // Every frame is sound, an Info frame too, and nothing is trimmed: what a player decodes.
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_IGNORE_INFOFRAME, 0.0);
    mpg123_param(decoder, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    int encoding = 0;
    if (mpg123_replace_reader_handle(decoder, ReadMemory, nullptr, nullptr) != MPG123_OK ||
        mpg123_open_handle(decoder, &stream) != MPG123_OK ||
        mpg123_getformat(decoder, &wav.rate, &wav.channels, &encoding) != MPG123_OK || wav.channels <= 0) {
        error = std::string("cannot decode the sound: ") + mpg123_strerror(decoder);
        return nullptr;
    }
    return handle;
}

// Decodes the whole sound into out: the samples past the seek samples, up to the sound's count.
// The decoder's last status, MPG123_DONE when it decoded to the end; whole false where a write
// failed.
int DecodeInto(mpg123_handle* decoder, SNDFILE* out, const SwfMp3Sound& sound, ExtractedWav& wav,
               bool& whole) {
    const auto channels = static_cast<uint64_t>(wav.channels);
    const auto skip = static_cast<uint64_t>(std::max(sound.seekSamples, 0));
    std::vector<int16_t> buffer(32 * 1024);
    for (;;) {
        size_t done = 0;
        const int status = mpg123_read(decoder, buffer.data(), buffer.size() * sizeof(int16_t), &done);
        const uint64_t frames = done / sizeof(int16_t) / channels;
        // The part of these samples past the skipped ones and within the count.
        const uint64_t from = wav.decoded < skip ? std::min(skip - wav.decoded, frames) : 0;
        const uint64_t room = sound.sampleCount - wav.written;
        const uint64_t kept = std::min(frames - from, room);
        if (kept > 0)
            whole = whole && sf_writef_short(out, buffer.data() + from * channels,
                                             static_cast<sf_count_t>(kept)) == static_cast<sf_count_t>(kept);
        wav.decoded += frames;
        wav.written += kept;
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT)
            return status;
    }
}

} // namespace

bool ExtractWav(const uint8_t* movie, const SwfMp3Sound& sound, const std::string& path, ExtractedWav& wav,
                std::string& error) {
    MemoryStream stream{movie + sound.dataOffset, sound.dataSize, 0};
    const Decoder decoder = OpenDecoder(stream, wav, error);
    if (!decoder)
        return false;
    // Decoded as it is written: a sound the decoder gives up on leaves no file.
    const bool written = ReplaceFile(path, [&](std::FILE* file) {
        SF_INFO info{};
        info.samplerate = static_cast<int>(wav.rate);
        info.channels = wav.channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* out = sf_open_fd(fileno(file), SFM_WRITE, &info, SF_FALSE);
        if (out == nullptr) {
            error = "cannot write " + path + ": " + sf_strerror(nullptr);
            return false;
        }
        bool whole = true;
        const int status = DecodeInto(decoder.get(), out, sound, wav, whole);
        if (status != MPG123_DONE)
            error = std::string("cannot decode the sound: ") + mpg123_strerror(decoder.get());
        else if (!whole)
            error = "cannot write " + path;
        return sf_close(out) == 0 && whole && status == MPG123_DONE;
    });
    if (!written && error.empty())
        error = "cannot write " + path;
    return written;
}
