// Test helpers for SWF bytes: hex text, stream and file contents, and a readable dump of a movie's tags.
#pragma once

#include "FSWFStream.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace swftest {

using Bytes = std::vector<uint8_t>;

inline std::string Hex(const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0)
            text += ' ';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

// Everything SaveToFile writes for the stream (this empties its block list, as writing does).
inline Bytes SavedBytes(FSWFStream& stream) {
    FILE* file = std::tmpfile();
    if (file == nullptr)
        return {};
    stream.SaveToFile(file);
    Bytes bytes(static_cast<size_t>(std::ftell(file)));
    std::rewind(file);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    bytes.resize(got);
    std::fclose(file);
    return bytes;
}

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// One tag of a movie: its code, body length and the offset of its header in the file.
struct SwfTag {
    unsigned code;
    uint32_t length;
    size_t offset;
    size_t bodyOffset;
};

struct SwfMovie {
    bool valid = false;
    uint32_t fileLength = 0;
    unsigned frameRate = 0;
    unsigned frameCount = 0;
    std::vector<SwfTag> tags;
    std::string problem;
};

// Parses an uncompressed movie whose header rectangle uses 15-bit fields (21-byte header).
inline SwfMovie ParseMovie(const Bytes& file) {
    SwfMovie movie;
    if (file.size() < 21 || file[0] != 'F' || file[1] != 'W' || file[2] != 'S') {
        movie.problem = "no FWS header";
        return movie;
    }
    movie.fileLength = file[4] | (file[5] << 8) | (file[6] << 16) | (uint32_t{file[7]} << 24);
    movie.frameRate = file[18];
    movie.frameCount = file[19] | (file[20] << 8);
    size_t position = 21;
    while (position + 2 <= file.size()) {
        const unsigned word = file[position] | (file[position + 1] << 8);
        SwfTag tag{word >> 6, word & 63u, position, position + 2};
        if (tag.length == 63) {
            if (position + 6 > file.size()) {
                movie.problem = "long tag header cut short";
                return movie;
            }
            tag.length = file[position + 2] | (file[position + 3] << 8) | (file[position + 4] << 16) |
                         (uint32_t{file[position + 5]} << 24);
            tag.bodyOffset = position + 6;
        }
        if (tag.bodyOffset + tag.length > file.size()) {
            movie.problem = "tag body runs past the end";
            return movie;
        }
        movie.tags.push_back(tag);
        position = tag.bodyOffset + tag.length;
        if (tag.code == 0)
            break;
    }
    movie.valid = position == file.size() && !movie.tags.empty() && movie.tags.back().code == 0;
    if (!movie.valid && movie.problem.empty())
        movie.problem = "no End tag at the end of the file";
    return movie;
}

inline const char* TagName(unsigned code) {
    switch (code) {
    case 0:
        return "End";
    case 1:
        return "ShowFrame";
    case 12:
        return "DoAction";
    case 14:
        return "DefineSound";
    case 15:
        return "StartSound";
    default:
        return "?";
    }
}

// Tag names in file order, runs of the same tag folded: "DefineSound StartSound ShowFrame*66 End".
inline std::string TagSequence(const SwfMovie& movie) {
    std::string text;
    for (size_t i = 0; i < movie.tags.size();) {
        size_t run = 1;
        while (i + run < movie.tags.size() && movie.tags[i + run].code == movie.tags[i].code)
            ++run;
        if (!text.empty())
            text += ' ';
        text += TagName(movie.tags[i].code);
        if (run > 1)
            text += "*" + std::to_string(run);
        i += run;
    }
    return text;
}

// Readable account of a movie for failure messages.
inline std::string Dump(const Bytes& file) {
    const SwfMovie movie = ParseMovie(file);
    std::ostringstream out;
    out << "movie of " << file.size() << " bytes: length field " << movie.fileLength << ", rate "
        << movie.frameRate << ", frames " << movie.frameCount << "\n  tags: " << TagSequence(movie);
    if (!movie.problem.empty())
        out << "\n  problem: " << movie.problem;
    return out.str();
}

} // namespace swftest
