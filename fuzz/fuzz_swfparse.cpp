// Fuzz target: the movie reader (ParseSwfMovie) and the dumps built on it, of a movie and of one tag.
#include "FuzzCheck.h"
#include "SwfDump.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const SwfMovie movie = ParseSwfMovie(bytes, size);
    FUZZ_CHECK(movie.valid == movie.problem.empty());
    FUZZ_CHECK(!movie.valid || (movie.headerRead && movie.fileLength == size));
    FUZZ_CHECK(movie.headerRead || movie.tags.empty());
    // The tags follow each other from the header on, each inside the file.
    size_t next = movie.headerSize;
    for (const SwfTag& tag : movie.tags) {
        FUZZ_CHECK(tag.offset == next);
        FUZZ_CHECK(tag.bodyOffset == tag.offset + 2 || tag.bodyOffset == tag.offset + 6);
        FUZZ_CHECK(tag.bodyOffset <= size && tag.length <= size - tag.bodyOffset);
        next = tag.bodyOffset + tag.length;
    }
    FUZZ_CHECK(!movie.valid || (!movie.tags.empty() && movie.tags.back().code == 0 && next == size));

    const std::string dump = DumpSwfMovie(bytes, size);
    FUZZ_CHECK(!dump.empty() && dump.back() == '\n');
    FUZZ_CHECK(movie.valid == (dump.find("problem: ") == std::string::npos));

    // The same bytes as one tag: a line without a line break, or nothing.
    const std::string tag = DumpSwfTag(bytes, size);
    FUZZ_CHECK(tag.find('\n') == std::string::npos);
    return 0;
}
