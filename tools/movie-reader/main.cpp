// tavrel-inspect: prints a movie's header and tags, one tag a line (ParseSwfMovie and DumpSwfMovie
// in sdk/SwfDump.h read the movie), or takes its sound back out (SoundExtraction.h).
#include "SoundExtraction.h"
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

const char* const kUsage = "usage: tavrel-inspect [--extract-mp3 OUT.mp3 | --extract-wav OUT.wav] FILE.swf\n";

const char* const kHelp = "Usage: tavrel-inspect FILE.swf\n"
                          "       tavrel-inspect --extract-mp3 OUT.mp3 FILE.swf\n"
                          "       tavrel-inspect --extract-wav OUT.wav FILE.swf\n"
                          "Print the header and the tags of a SWF movie, one tag a line, or take its\n"
                          "sound out.\n"
                          "\n"
                          "  --extract-mp3 OUT  write the MP3 bytes of the movie's one MP3 DefineSound\n"
                          "                     to OUT, exactly as the movie holds them\n"
                          "  --extract-wav OUT  decode them and write what a player plays to OUT as a\n"
                          "                     16-bit WAV: the decoded samples less the sound's seek\n"
                          "                     samples, as many as its sample count says\n"
                          "  --help             print this text and end\n"
                          "  --version          print the version and end\n"
                          "\n"
                          "Exit status: 0 the movie was read whole (or its sound written), 1 it could not\n"
                          "be read, is damaged (the dump then ends where the damage starts) or holds no\n"
                          "one MP3 sound, or the sound could not be decoded or written, 2 wrong arguments.\n";

// Writes the movie's sound to out as MP3 (wav false) or WAV; the exit status.
int ExtractSound(const char* path, const std::vector<uint8_t>& bytes, const SwfMovie& movie, bool wav,
                 const char* out) {
    const SwfMp3Sound sound = FindMp3Sound(bytes.data(), bytes.size(), movie);
    if (!sound.problem.empty()) {
        std::fprintf(stderr, "tavrel-inspect: %s: %s\n", path, sound.problem.c_str());
        return 1;
    }
    std::string error;
    ExtractedWav extracted;
    if (wav ? !ExtractWav(bytes.data(), sound, out, extracted, error)
            : !ExtractMp3(bytes.data(), sound, out, error)) {
        std::fprintf(stderr, "tavrel-inspect: %s: %s\n", path, error.c_str());
        return 1;
    }
    if (wav)
        std::printf(
            "%s: %llu samples at %ld Hz, %d channel%s (%llu decoded, seek samples %d, sample count %u)\n",
            out, static_cast<unsigned long long>(extracted.written), extracted.rate, extracted.channels,
            extracted.channels == 1 ? "" : "s", static_cast<unsigned long long>(extracted.decoded),
            sound.seekSamples, sound.sampleCount);
    else
        std::printf("%s: %zu bytes of MP3\n", out, sound.dataSize);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

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
    const char* extractTo = nullptr;
    bool extractWav = false;
    if (argc > 2 &&
        (std::strcmp(argv[1], "--extract-mp3") == 0 || std::strcmp(argv[1], "--extract-wav") == 0)) {
        extractWav = argv[1][10] == 'w';
        extractTo = argv[2];
        first = 3;
        if (extractTo[0] == '\0') {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (argc > first && std::strcmp(argv[first], "--") == 0)
        ++first;
    const bool unknownOption =
        argc > first && std::strncmp(argv[first], "--", 2) == 0 && std::strcmp(argv[first - 1], "--") != 0;
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
    if (extractTo != nullptr)
        return ExtractSound(path, bytes, movie, extractWav, extractTo);
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
