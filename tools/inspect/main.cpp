// tavrel-inspect: prints a movie's header and tags, one tag a line (ParseSwfMovie and DumpSwfMovie
// in sdk/SwfDump.h read the movie).
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

const char* const kUsage = "usage: tavrel-inspect FILE.swf\n";

const char* const kHelp =
    "Usage: tavrel-inspect FILE.swf\n"
    "Print the header and the tags of a SWF movie, one tag a line.\n"
    "\n"
    "  --help     print this text and end\n"
    "  --version  print the version and end\n"
    "\n"
    "Exit status: 0 the movie was read whole, 1 it could not be read or is damaged (the dump\n"
    "then ends where the damage starts), 2 wrong arguments.\n";

bool PrintAndEnd(const char* text) {
    std::fputs(text, stdout);
    return std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // "--" ends the options: "tavrel-inspect -- --help" reads a file named "--help".
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0)
        return PrintAndEnd(kHelp) ? 0 : 1;
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0)
        return PrintAndEnd("tavrel-inspect " TAVREL_VERSION "\n") ? 0 : 1;
    if (argc > 1 && std::strcmp(argv[1], "--") == 0)
        first = 2;
    const bool unknownOption = first == 1 && argc > 1 && std::strncmp(argv[1], "--", 2) == 0;
    if (argc != first + 1 || argv[first][0] == '\0' || unknownOption) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const char* path = argv[first];
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        std::fprintf(stderr, "tavrel-inspect: cannot read %s: %s\n", path, std::strerror(errno));
        return 1;
    }
    const SwfMovie movie = ParseSwfMovie(bytes);
    if (movie.signature.empty()) {
        std::fprintf(stderr, "tavrel-inspect: %s is not a SWF movie: %s\n", path, movie.problem.c_str());
        return 1;
    }
    if (!movie.headerRead) {
        std::fprintf(stderr, "tavrel-inspect: %s: %s\n", path, movie.problem.c_str());
        return 1;
    }
    const std::string dump = DumpSwfMovie(bytes);
    std::fwrite(dump.data(), 1, dump.size(), stdout);
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tavrel-inspect: cannot write the dump: %s\n", std::strerror(errno));
        return 1;
    }
    if (!movie.valid) {
        std::fprintf(stderr, "tavrel-inspect: %s is damaged: %s\n", path, movie.problem.c_str());
        return 1;
    }
    return 0;
}
