// The playing time of a sound file in whole milliseconds (libsndfile, libmpg123 for MP3).
#include "SoundLength.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

#include "FDTSoundMP3.h"

#include <mpg123.h>
#include <sndfile.h>

namespace {

bool HasMp3Extension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string extension = path.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension == ".mp3";
}

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

// The length from the file's own frames: the samples the frame walk counts over the first
// frame's sample rate. For what the library cannot measure, such as a stream of a single frame.
int32_t FrameWalkLengthMs(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw SoundLengthError("Unable to open " + path);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MP3FrameScan scan;
    if (ScanMP3Frames(reinterpret_cast<const U8*>(bytes.data()), bytes.size(), scan) != MP3ReadResult::Ok)
        throw SoundLengthError("Not an MP3 file: " + path);
    return WholeMilliseconds(static_cast<int64_t>(scan.sampleCount), scan.sampleRate, path);
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
    // Needed once per process by libmpg123 releases before 1.27; harmless afterwards.
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    int error = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123HandleDeleter> handle(mpg123_new(nullptr, &error));
    if (!handle)
        throw SoundLengthError("Unable to open " + path + ": " + mpg123_plain_strerror(error));
    // The library would otherwise print its complaints about damaged frames on stderr.
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK)
        throw SoundLengthError("Unable to open " + path + ": " + mpg123_strerror(handle.get()));

    // Scanning walks every frame header, so variable-bitrate files get their exact length.
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    off_t samples = MPG123_ERR;
    if (mpg123_getformat(handle.get(), &rate, &channels, &encoding) == MPG123_OK &&
        mpg123_scan(handle.get()) == MPG123_OK)
        samples = mpg123_length(handle.get());
    if (samples == MPG123_ERR || rate <= 0)
        return FrameWalkLengthMs(path);
    return WholeMilliseconds(static_cast<int64_t>(samples), rate, path);
}

int32_t SoundLengthMs(const std::string& path) {
    return HasMp3Extension(path) ? Mp3LengthMs(path) : SndfileLengthMs(path);
}
