// Reading a movie back into its header and tags, and the readable dump of them.
#include "SwfDump.h"

#include "FDT.h"
#include "SwfReader.h"
#include "SwfTags.h"

#include <sstream>

namespace {

// Signed bit field of `width` bits starting `bit` bits into `bytes`, most significant bit first.
int32_t SignedBits(const uint8_t* bytes, size_t bit, unsigned width) {
    uint32_t value = 0;
    for (unsigned i = 0; i < width; ++i, ++bit)
        value = (value << 1) | ((uint32_t{bytes[bit / 8]} >> (7 - bit % 8)) & 1u);
    if (width > 0 && width < 32 && (value & (1u << (width - 1))) != 0)
        value |= ~0u << width;
    return static_cast<int32_t>(value);
}

const char* const kHeaderCutShort = " is cut short";
const char* const kBodyPastTheEnd = " runs past the end of the file";

// Reads the header of the tag at `position`; nullptr, or why the tag is not whole in the file.
const char* ReadTagHeader(const uint8_t* bytes, size_t size, size_t position, SwfTag& tag) {
    if (position > size)
        return kHeaderCutShort;
    SwfReader header(bytes + position, size - position);
    const uint32_t word = header.Word();
    tag = SwfTag{word >> 6, word & 63u, position, position + 2};
    if (tag.length == 63) {
        tag.length = header.DWord();
        tag.bodyOffset = position + 6;
    }
    if (header.CutShort())
        return kHeaderCutShort;
    return size - tag.bodyOffset < tag.length ? kBodyPastTheEnd : nullptr;
}

// "<name> (<code>), length <n>" and the fields of the tags this program writes.
void DescribeTag(const SwfTag& tag, const uint8_t* bytes, std::ostream& out) {
    out << SwfTagName(tag.code) << " (" << tag.code << "), length " << tag.length;
    const SwfReader body(bytes + tag.bodyOffset, tag.length);
    switch (tag.code) {
    case kTagDoAction:
        FCTDoAction::Describe(body, out);
        break;
    case kTagDefineSound:
        FDTDefineSound::Describe(body, out);
        break;
    case kTagStartSound:
        FCTStartSound::Describe(body, out);
        break;
    default:
        break;
    }
}

} // namespace

namespace {

// The signature and the header's fields; false, with the problem set, where the movie is not read
// further.
bool ReadMovieHeader(const uint8_t* bytes, size_t size, SwfMovie& movie) {
    if (size >= 3 && bytes[1] == 'W' && bytes[2] == 'S' &&
        (bytes[0] == 'F' || bytes[0] == 'C' || bytes[0] == 'Z'))
        movie.signature.assign(reinterpret_cast<const char*>(bytes), 3);
    if (movie.signature.empty()) {
        movie.problem = "it does not start with FWS";
        return false;
    }
    if (movie.signature != "FWS") {
        movie.problem = "a compressed movie (" + movie.signature + "): only uncompressed movies are read";
        return false;
    }
    if (size >= 9) {
        movie.rectBits = bytes[8] >> 3;
        movie.headerSize = 8 + (5 + 4 * movie.rectBits + 7) / 8 + 4;
    }
    if (size < 9 || size < movie.headerSize) {
        movie.problem = "the header is cut short";
        return false;
    }
    movie.headerRead = true;
    movie.version = bytes[3];
    movie.fileLength = SwfReader(bytes + 4, 4).DWord();
    movie.xMin = SignedBits(bytes + 8, 5, movie.rectBits);
    movie.xMax = SignedBits(bytes + 8, 5 + movie.rectBits, movie.rectBits);
    movie.yMin = SignedBits(bytes + 8, 5 + 2 * movie.rectBits, movie.rectBits);
    movie.yMax = SignedBits(bytes + 8, 5 + 3 * movie.rectBits, movie.rectBits);
    const uint8_t* after = bytes + movie.headerSize - 4;
    movie.frameRateFraction = after[0];
    movie.frameRate = after[1];
    movie.frameCount = SwfReader(after + 2, 2).Word();
    return true;
}

// The tags from the header on, up to the End tag; the problem where they do not end the file there.
void ReadMovieTags(const uint8_t* bytes, size_t size, SwfMovie& movie) {
    size_t position = movie.headerSize;
    bool ended = false;
    while (!ended && position < size) {
        SwfTag tag;
        const char* problem = ReadTagHeader(bytes, size, position, tag);
        if (problem != nullptr) {
            movie.problem =
                std::string(problem == kHeaderCutShort ? "a tag header at " : "the body of the tag at ") +
                std::to_string(position) + problem;
            return;
        }
        movie.tags.push_back(tag);
        position = tag.bodyOffset + tag.length;
        ended = tag.code == kTagEnd;
    }
    if (!ended)
        movie.problem = "no End tag at the end of the file";
    else if (position != size)
        movie.problem = std::to_string(size - position) + " bytes after the End tag";
    else if (movie.fileLength != size)
        movie.problem = "the length field says " + std::to_string(movie.fileLength) +
                        " bytes, the file has " + std::to_string(size);
}

} // namespace

SwfMovie ParseSwfMovie(const uint8_t* bytes, size_t size) {
    SwfMovie movie;
    if (!ReadMovieHeader(bytes, size, movie))
        return movie;
    ReadMovieTags(bytes, size, movie);
    movie.valid = movie.problem.empty();
    return movie;
}

SwfMovie ParseSwfMovie(const std::vector<uint8_t>& bytes) {
    return ParseSwfMovie(bytes.data(), bytes.size());
}

std::string SwfTagName(unsigned code) {
    for (const SwfTagCodeName& tag : kSwfTagNames)
        if (tag.code == code)
            return tag.name;
    return "Tag" + std::to_string(code);
}

std::string SwfTagSequence(const SwfMovie& movie) {
    std::string text;
    for (size_t i = 0; i < movie.tags.size();) {
        size_t run = 1;
        while (i + run < movie.tags.size() && movie.tags[i + run].code == movie.tags[i].code)
            ++run;
        if (!text.empty())
            text += ' ';
        text += SwfTagName(movie.tags[i].code);
        if (run > 1)
            text += "*" + std::to_string(run);
        i += run;
    }
    return text;
}

std::string DumpSwfMovie(const uint8_t* bytes, size_t size) {
    const SwfMovie movie = ParseSwfMovie(bytes, size);
    std::ostringstream out;
    if (movie.headerRead) {
        out << movie.signature << " version " << movie.version << ", file length " << movie.fileLength << " ("
            << size << " bytes in the file)\n";
        out << "frame x " << movie.xMin << ".." << movie.xMax << ", y " << movie.yMin << ".." << movie.yMax
            << " twips, rate " << movie.frameRate;
        if (movie.frameRateFraction != 0)
            out << " + " << movie.frameRateFraction << "/256";
        out << ", " << movie.frameCount << (movie.frameCount == 1 ? " frame" : " frames") << "\n";
    }
    for (size_t i = 0; i < movie.tags.size(); ++i) {
        const SwfTag& tag = movie.tags[i];
        out << "@" << tag.offset << " ";
        DescribeTag(tag, bytes, out);
        if (tag.code == kTagShowFrame) {
            // A long run of empty frames says no more on one line than on thousands.
            size_t run = 1;
            while (tag.length == 0 && i + run < movie.tags.size() &&
                   movie.tags[i + run].code == kTagShowFrame && movie.tags[i + run].length == 0)
                ++run;
            if (run > 1)
                out << ", " << run << " in a row";
            i += run - 1;
        }
        out << "\n";
    }
    if (!movie.valid)
        out << "problem: " << movie.problem << "\n";
    return out.str();
}

std::string DumpSwfMovie(const std::vector<uint8_t>& bytes) {
    return DumpSwfMovie(bytes.data(), bytes.size());
}

std::string DumpSwfTag(const uint8_t* bytes, size_t size) {
    SwfTag tag;
    if (ReadTagHeader(bytes, size, 0, tag) != nullptr)
        return {};
    std::ostringstream out;
    DescribeTag(tag, bytes, out);
    if (tag.bodyOffset + tag.length != size)
        out << ", " << size - tag.bodyOffset - tag.length << " bytes after the tag";
    return out.str();
}

SwfMp3Sound FindMp3Sound(const uint8_t* bytes, size_t size, const SwfMovie& movie) {
    SwfMp3Sound sound;
    int found = 0;
    bool stream = false;
    for (const SwfTag& tag : movie.tags) {
        stream = stream || tag.code == kTagSoundStreamHead || tag.code == kTagSoundStreamHead2;
        // id, flags, sample count, seek samples
        if (tag.code != kTagDefineSound || tag.length < 9 || tag.bodyOffset + tag.length > size)
            continue;
        SwfReader body(bytes + tag.bodyOffset, tag.length);
        body.Word();
        const uint32_t flags = body.Byte();
        if ((flags >> 4) != 2)
            continue;
        if (++found > 1)
            continue;
        sound.rateCode = (flags >> 2) & 3u;
        sound.stereo = (flags & 1u) != 0;
        sound.sampleCount = body.DWord();
        sound.seekSamples = static_cast<int16_t>(body.Word());
        sound.dataOffset = tag.bodyOffset + 9;
        sound.dataSize = tag.length - 9;
    }
    if (found > 1)
        sound.problem = "it defines " + std::to_string(found) + " MP3 sounds; only a movie with one is read";
    else if (found == 0 && stream)
        sound.problem = "its sound is a stream (SoundStreamHead), not a DefineSound";
    else if (found == 0)
        sound.problem = "it defines no MP3 sound";
    return sound;
}
