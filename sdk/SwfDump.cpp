// Reading a movie back into its header and tags, and the readable dump of them.
#include "SwfDump.h"

#include "SwfTags.h"

#include <sstream>

namespace {

// Little-endian reads inside [bytes, bytes + size); reading past the end gives 0 and marks the reader cut
// short.
class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : bytes(bytes), size(size) {}

    uint32_t Byte() {
        if (position >= size) {
            cutShort = true;
            return 0;
        }
        return bytes[position++];
    }
    uint32_t Word() {
        const uint32_t low = Byte();
        return low | (Byte() << 8);
    }
    uint32_t DWord() {
        const uint32_t low = Word();
        return low | (Word() << 16);
    }
    size_t Remaining() const { return position < size ? size - position : 0; }
    bool CutShort() const { return cutShort; }

private:
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    bool cutShort = false;
};

// Signed bit field of `width` bits starting `bit` bits into `bytes`, most significant bit first.
int32_t SignedBits(const uint8_t* bytes, size_t bit, unsigned width) {
    uint32_t value = 0;
    for (unsigned i = 0; i < width; ++i, ++bit)
        value = (value << 1) | ((bytes[bit / 8] >> (7 - bit % 8)) & 1u);
    if (width > 0 && width < 32 && (value & (1u << (width - 1))) != 0)
        value |= ~0u << width;
    return static_cast<int32_t>(value);
}

const char* const kRateNames[] = {"5.5 kHz", "11 kHz", "22 kHz", "44 kHz"};

const char* SoundFormatName(unsigned format) {
    switch (format) {
    case 0:
        return "raw";
    case 1:
        return "ADPCM";
    case 2:
        return "MP3";
    case 3:
        return "raw little-endian";
    default:
        return nullptr;
    }
}

void DescribeDefineSound(ByteReader body, uint32_t length, std::ostream& out) {
    const uint32_t id = body.Word();
    const uint32_t flags = body.Byte();
    const uint32_t sampleCount = body.DWord();
    if (body.CutShort()) {
        out << ": body cut short";
        return;
    }
    const unsigned format = flags >> 4;
    const char* formatName = SoundFormatName(format);
    out << ": id " << id << ", format " << format;
    if (formatName != nullptr)
        out << " (" << formatName << ")";
    out << ", rate " << ((flags >> 2) & 3u) << " (" << kRateNames[(flags >> 2) & 3u] << ")";
    out << ", size " << ((flags >> 1) & 1u) << ((flags & 2u) != 0 ? " (16-bit)" : " (8-bit)");
    out << ", type " << (flags & 1u) << ((flags & 1u) != 0 ? " (stereo)" : " (mono)");
    out << ", sample count " << sampleCount << ", data length " << length - 7;
    if (format == 2 && length - 7 >= 2)
        out << " (seek samples " << static_cast<int16_t>(body.Word()) << ")";
}

void DescribeStartSound(ByteReader body, std::ostream& out) {
    const uint32_t soundId = body.Word();
    out << ": sound id " << soundId;
    if (body.Remaining() == 0)
        return; // a StartSound without sound info
    const uint32_t flags = body.Byte();
    if ((flags >> 6) != 0)
        out << ", reserved bits " << (flags >> 6);
    out << ", sync stop " << ((flags >> 5) & 1u) << ", no multiple " << ((flags >> 4) & 1u);
    // The optional fields follow in the opposite order of their flags.
    if ((flags & 1u) != 0)
        out << ", in point " << body.DWord();
    if ((flags & 2u) != 0)
        out << ", out point " << body.DWord();
    if ((flags & 4u) != 0)
        out << ", loop count " << body.Word();
    if ((flags & 8u) != 0) {
        const uint32_t points = body.Byte();
        out << ", envelope of " << points << (points == 1 ? " point" : " points");
        for (uint32_t i = 0; i < points && !body.CutShort(); ++i) {
            const uint32_t mark44 = body.DWord();
            const uint32_t left = body.Word();
            const uint32_t right = body.Word();
            out << (i == 0 ? ": " : ", ") << mark44 << " " << left << "/" << right;
        }
    }
    if (body.CutShort())
        out << ", body cut short";
    else if (body.Remaining() != 0)
        out << ", " << body.Remaining() << " bytes more";
}

void DescribeDoAction(ByteReader body, std::ostream& out) {
    out << ": actions";
    bool any = false;
    for (;;) {
        const uint32_t code = body.Byte();
        if (body.CutShort()) {
            out << ", no end flag";
            return;
        }
        if (code == 0)
            break;
        any = true;
        if (code == 0x07) {
            out << " Stop";
        } else if (code == 0x06) {
            out << " Play";
        } else {
            static const char digits[] = "0123456789ABCDEF";
            out << " 0x" << digits[code >> 4] << digits[code & 15];
        }
        // Actions from 0x80 on carry a length and that many bytes.
        if (code >= 0x80) {
            const uint32_t payload = body.Word();
            out << "(" << payload << " bytes)";
            for (uint32_t i = 0; i < payload; ++i)
                body.Byte();
        }
    }
    if (!any)
        out << " none";
    if (body.Remaining() != 0)
        out << ", " << body.Remaining() << " bytes after the end flag";
}

} // namespace

SwfMovie ParseSwfMovie(const uint8_t* bytes, size_t size) {
    SwfMovie movie;
    if (size >= 3 && bytes[1] == 'W' && bytes[2] == 'S' &&
        (bytes[0] == 'F' || bytes[0] == 'C' || bytes[0] == 'Z'))
        movie.signature.assign(reinterpret_cast<const char*>(bytes), 3);
    if (movie.signature.empty()) {
        movie.problem = "it does not start with FWS";
        return movie;
    }
    if (movie.signature != "FWS") {
        movie.problem = "a compressed movie (" + movie.signature + "): only uncompressed movies are read";
        return movie;
    }
    if (size < 9) {
        movie.problem = "the header is cut short";
        return movie;
    }
    movie.rectBits = bytes[8] >> 3;
    const size_t rectBytes = (5 + 4 * movie.rectBits + 7) / 8;
    movie.headerSize = 8 + rectBytes + 4;
    if (size < movie.headerSize) {
        movie.problem = "the header is cut short";
        return movie;
    }
    movie.headerRead = true;
    movie.version = bytes[3];
    movie.fileLength = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (uint32_t{bytes[7]} << 24);
    movie.xMin = SignedBits(bytes + 8, 5, movie.rectBits);
    movie.xMax = SignedBits(bytes + 8, 5 + movie.rectBits, movie.rectBits);
    movie.yMin = SignedBits(bytes + 8, 5 + 2 * movie.rectBits, movie.rectBits);
    movie.yMax = SignedBits(bytes + 8, 5 + 3 * movie.rectBits, movie.rectBits);
    const uint8_t* after = bytes + 8 + rectBytes;
    movie.frameRateFraction = after[0];
    movie.frameRate = after[1];
    movie.frameCount = after[2] | (after[3] << 8);

    size_t position = movie.headerSize;
    bool ended = false;
    while (!ended && position < size) {
        if (size - position < 2) {
            movie.problem = "a tag header at " + std::to_string(position) + " is cut short";
            return movie;
        }
        const unsigned word = bytes[position] | (bytes[position + 1] << 8);
        SwfTag tag{word >> 6, word & 63u, position, position + 2};
        if (tag.length == 63) {
            if (size - position < 6) {
                movie.problem = "a tag header at " + std::to_string(position) + " is cut short";
                return movie;
            }
            tag.length = bytes[position + 2] | (bytes[position + 3] << 8) | (bytes[position + 4] << 16) |
                         (uint32_t{bytes[position + 5]} << 24);
            tag.bodyOffset = position + 6;
        }
        if (size - tag.bodyOffset < tag.length) {
            movie.problem =
                "the body of the tag at " + std::to_string(position) + " runs past the end of the file";
            return movie;
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
    movie.valid = movie.problem.empty();
    return movie;
}

SwfMovie ParseSwfMovie(const std::vector<uint8_t>& bytes) {
    return ParseSwfMovie(bytes.data(), bytes.size());
}

std::string SwfTagName(unsigned code) {
    switch (code) {
    case 0:
        return "End";
    case 1:
        return "ShowFrame";
    case 2:
        return "DefineShape";
    case 4:
        return "PlaceObject";
    case 5:
        return "RemoveObject";
    case 9:
        return "SetBackgroundColor";
    case 12:
        return "DoAction";
    case 14:
        return "DefineSound";
    case 15:
        return "StartSound";
    case 18:
        return "SoundStreamHead";
    case 19:
        return "SoundStreamBlock";
    case 26:
        return "PlaceObject2";
    case 28:
        return "RemoveObject2";
    case 39:
        return "DefineSprite";
    case 43:
        return "FrameLabel";
    default:
        return "Tag" + std::to_string(code);
    }
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
        out << "@" << tag.offset << " " << SwfTagName(tag.code) << " (" << tag.code << "), length "
            << tag.length;
        const ByteReader body(bytes + tag.bodyOffset, tag.length);
        switch (tag.code) {
        case kTagShowFrame: {
            // A long run of empty frames says no more on one line than on thousands.
            size_t run = 1;
            while (tag.length == 0 && i + run < movie.tags.size() &&
                   movie.tags[i + run].code == kTagShowFrame && movie.tags[i + run].length == 0)
                ++run;
            if (run > 1)
                out << ", " << run << " in a row";
            i += run - 1;
            break;
        }
        case kTagDoAction:
            DescribeDoAction(body, out);
            break;
        case kTagDefineSound:
            DescribeDefineSound(body, tag.length, out);
            break;
        case kTagStartSound:
            DescribeStartSound(body, out);
            break;
        default:
            break;
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
