// Test helpers for SWF bytes: hex text, stream and file contents, and movies read back and dumped.
#pragma once

#include "FSWFStream.h"
#include "SwfDump.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
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

// One read of the whole file (byte by byte, a movie of megabytes takes seconds in a sanitized build).
inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (!in || size < 0)
        return {};
    Bytes bytes(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Movies are read back by the SWF library's reader (SwfDump.h), under the names the tests use.
using SwfTag = ::SwfTag;
using SwfMovie = ::SwfMovie;

inline SwfMovie ParseMovie(const Bytes& file) {
    return ParseSwfMovie(file);
}

inline std::string TagSequence(const SwfMovie& movie) {
    return SwfTagSequence(movie);
}

// Readable account of a movie for failure messages.
inline std::string Dump(const Bytes& file) {
    return DumpSwfMovie(file);
}

} // namespace swftest
