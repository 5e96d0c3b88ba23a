// swfdump: prints a movie's header and tags, as the SWF library reads them back.
#include "SwfDump.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The whole file, or false with errno set.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    errno = readError;
    return !failed;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: swfdump FILE.swf\n");
        return 2;
    }
    const char* path = argv[1];
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        std::fprintf(stderr, "swfdump: cannot read %s: %s\n", path, std::strerror(errno));
        return 1;
    }
    const SwfMovie movie = ParseSwfMovie(bytes);
    if (movie.signature.empty()) {
        std::fprintf(stderr, "swfdump: %s is not a SWF movie: %s\n", path, movie.problem.c_str());
        return 1;
    }
    if (!movie.headerRead) {
        std::fprintf(stderr, "swfdump: %s: %s\n", path, movie.problem.c_str());
        return 1;
    }
    const std::string dump = DumpSwfMovie(bytes);
    std::fwrite(dump.data(), 1, dump.size(), stdout);
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "swfdump: cannot write the dump: %s\n", std::strerror(errno));
        return 1;
    }
    if (!movie.valid) {
        std::fprintf(stderr, "swfdump: %s is damaged: %s\n", path, movie.problem.c_str());
        return 1;
    }
    return 0;
}
