// Real sound files for the run's tests: tone WAVs, MP3s from lame, and the sound inside a movie.
#pragma once

#include "SwfDump.h"
#include "SwfTags.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The MP3 bytes of a movie's first DefineSound, as the movie reader finds them: behind its id,
// flags, sample count and the two zero bytes. Empty when the movie has none or is malformed.
inline std::string EmbeddedMp3(const std::string& swf) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(swf.data());
    const SwfMovie movie = ParseSwfMovie(bytes, swf.size());
    for (const SwfTag& tag : movie.tags)
        if (movie.valid && tag.code == kTagDefineSound) {
            if (tag.length < 9 || bytes[tag.bodyOffset + 7] != 0 || bytes[tag.bodyOffset + 8] != 0)
                return {};
            return swf.substr(tag.bodyOffset + 9, tag.length - 9);
        }
    return {};
}

// The names in a folder (files and folders, and more when asked: hidden ones, say), sorted.
inline QStringList FilesIn(const QString& folder, QDir::Filters also = {}) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | also, QDir::Name);
}

// The MP3s in folder, with their bytes, by the names a run's report gives them: the MP3 inputs,
// and the intermediate MP3s the encoder writes under a hidden name beside theirs (".a.mp3.XXXXXX"
// for a.mp3). The run removes an intermediate only after the progress step.
inline std::map<std::string, std::string> Mp3sByReportName(const QString& folder) {
    std::map<std::string, std::string> mp3s;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList({"*.mp3", "*.MP3", ".*.mp3.??????"}, QDir::Files | QDir::Hidden)) {
        const QString name = file.fileName();
        const QString reported = name.startsWith('.') ? name.mid(1, name.size() - 8) : name;
        mp3s[QDir(folder).filePath(reported).toStdString()] = ReadBytes(file.filePath().toStdString());
    }
    return mp3s;
}

// The bytes the encoder has written so far of the intermediate MP3 that the report names
// folder/name (".mp3" included), or -1 while there is none.
inline qint64 EncodedSoFar(const QString& folder, const QString& name) {
    const QFileInfoList files =
        QDir(folder).entryInfoList({"." + name + ".??????"}, QDir::Files | QDir::Hidden);
    return files.isEmpty() ? -1 : files.front().size();
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
