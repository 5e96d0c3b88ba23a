// Whole files as byte strings, for tests that compare what was written byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

// Creates or replaces the file; a failure fails the running test too.
inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    bool ok = false;
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        ok = std::fclose(file) == 0 && ok;
    }
    if (!ok)
        ADD_FAILURE() << "cannot write " << path;
    return ok;
}
