// Real sound files for the run's tests: tone WAVs, MP3s from lame, and the sound inside a movie.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <sndfile.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fixtures {

// A 16-bit sine tone of frames samples per channel, as WAV (or another container libsndfile writes).
inline bool WriteToneWav(const std::string& path, int rate, int channels, int64_t frames,
                         int container = SF_FORMAT_WAV) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = container | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<short> block(static_cast<size_t>(4096 * channels));
    int64_t written = 0;
    while (written < frames) {
        const int64_t count = std::min<int64_t>(4096, frames - written);
        for (int64_t i = 0; i < count; ++i)
            for (int c = 0; c < channels; ++c)
                block[static_cast<size_t>(i * channels + c)] =
                    static_cast<short>(8000 * std::sin(2 * M_PI * 440.0 * double(written + i) / rate));
        sf_writef_short(file, block.data(), count);
        written += count;
    }
    sf_close(file);
    return true;
}

inline bool RunLame(const QStringList& arguments) {
    QProcess lame;
    lame.start(QStringLiteral("lame"), QStringList{"--silent", "--quiet"} + arguments);
    return lame.waitForFinished(-1) && lame.exitCode() == 0;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline uint32_t Le(const std::string& b, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return value;
}

// The MP3 bytes of a movie's first DefineSound (code 14): behind its id, flags, sample count
// and the two zero bytes. Empty when the movie has none or is malformed.
inline std::string EmbeddedMp3(const std::string& swf) {
    if (swf.size() < 9 || swf.compare(0, 3, "FWS") != 0)
        return {};
    const int rectBits = static_cast<unsigned char>(swf[8]) >> 3;
    size_t at = 8 + static_cast<size_t>((5 + 4 * rectBits + 7) / 8) + 4;
    while (at + 2 <= swf.size()) {
        const uint32_t header = Le(swf, at, 2);
        const uint32_t code = header >> 6;
        uint32_t length = header & 63;
        at += 2;
        if (length == 63) {
            if (at + 4 > swf.size())
                return {};
            length = Le(swf, at, 4);
            at += 4;
        }
        if (at + length > swf.size())
            return {};
        if (code == 14) {
            if (length < 9 || swf[at + 7] != 0 || swf[at + 8] != 0)
                return {};
            return swf.substr(at + 9, length - 9);
        }
        if (code == 0)
            break;
        at += length;
    }
    return {};
}

// The names in a folder (files and folders), sorted.
inline QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// Creates a Unix socket file at path: it exists and is no folder, but it cannot be opened as a file.
inline bool MakeSocketFile(const QString& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= int(sizeof address.sun_path)) {
        close(fd);
        return false;
    }
    std::copy(name.constData(), name.constData() + name.size(), address.sun_path);
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

} // namespace fixtures
