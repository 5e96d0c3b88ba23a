// Reading a movie back: its header fields and tags, and a readable dump of them, so that what the
// writer wrote can be quoted in failing tests and bug reports. Uncompressed (FWS) movies only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One tag of a movie: its code, its body length and where its header and its body start.
struct SwfTag {
    unsigned code = 0;
    uint32_t length = 0;
    size_t offset = 0;
    size_t bodyOffset = 0;
};

// A movie's header and its tags in file order, as far as they could be read.
struct SwfMovie {
    std::string signature;   // "FWS", "CWS" or "ZWS"; empty for a file that is no movie
    bool headerRead = false; // the header fields below hold the file's values
    bool valid = false;      // tags fill the file up to an End tag, and the length field is right
    unsigned version = 0;
    uint32_t fileLength = 0;    // the header's length field
    unsigned rectBits = 0;      // field width of the frame rectangle
    int32_t xMin = 0, xMax = 0; // frame rectangle in twips
    int32_t yMin = 0, yMax = 0;
    unsigned frameRate = 0;         // whole frames per second (high byte of the 8.8 field)
    unsigned frameRateFraction = 0; // the low byte, in 256ths of a frame per second
    unsigned frameCount = 0;
    size_t headerSize = 0;
    std::vector<SwfTag> tags;
    std::string problem; // why the movie is not valid; empty when it is
};

SwfMovie ParseSwfMovie(const uint8_t* bytes, size_t size);
SwfMovie ParseSwfMovie(const std::vector<uint8_t>& bytes);

// "DefineSound" for 14 and the like; "Tag<code>" for a code without a name here.
std::string SwfTagName(unsigned code);

// Tag names in file order, runs of the same tag folded: "DefineSound StartSound ShowFrame*66 End".
std::string SwfTagSequence(const SwfMovie& movie);

// The header, then one line per tag with the fields of the tags the program writes (DefineSound,
// StartSound, DoAction, ShowFrame, End), runs of empty ShowFrames folded into one line, then the
// problem if the movie is not valid. Every line ends with a newline.
std::string DumpSwfMovie(const uint8_t* bytes, size_t size);
std::string DumpSwfMovie(const std::vector<uint8_t>& bytes);

// The dump's line for the one tag whose header and body are `bytes`, without its offset and
// newline: "DoAction (12), length 2: actions Stop". Bytes after the tag are counted at the end;
// empty when the bytes hold no whole tag.
std::string DumpSwfTag(const uint8_t* bytes, size_t size);

// The one MP3 sound a movie defines, for taking it back out: where its MP3 data stands in the file
// (behind the two bytes of its seek samples) and what its DefineSound says of it.
struct SwfMp3Sound {
    std::string problem; // why the movie gives no such sound; empty when it gives one
    uint32_t sampleCount = 0;
    int seekSamples = 0;
    unsigned rateCode = 0; // 0 to 3: 5.5, 11, 22, 44 kHz
    bool stereo = false;
    size_t dataOffset = 0; // the MP3 bytes
    size_t dataSize = 0;
};

// The movie's one MP3 DefineSound, read wherever it stands among the tags that could be read.
// A movie with none (a sound stream, or no sound), or with more than one, gives a problem.
SwfMp3Sound FindMp3Sound(const uint8_t* bytes, size_t size, const SwfMovie& movie);
