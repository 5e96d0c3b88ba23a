// MPEG audio frames as the movie builder, the sound length and the encoder runner read them: one
// header type, the ID3v2 tag size, the rates a movie's sound header can state, and one walk over
// the frames of a file, read in bounded blocks, that gives the format, the sample count and what the
// length needs in a single pass. The walk writes nothing: what it finds is returned to the caller,
// and the blocks it reads can be handed on to a sink (Mp3BlockSink), the caller's, which is where a
// copy of the file made in the same pass is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class StopRequest;

// ---- Frame headers ---------------------------------------------------------------------------

// True if the two bytes at `data` are 0xFF and a byte whose top three bits are set.
bool IsFrameSync(const uint8_t* data);

// The four header bytes of a frame, decoded. Bitrate, frame length and samples per frame follow
// the Layer III rule whatever the layer bits say; frameLength is 0 where the bitrate or the sample
// rate is 0 (free format, reserved values).
struct Mp3FrameHeader {
    // version
    static constexpr int kMpeg25 = 0;
    static constexpr int kVersionReserved = 1;
    static constexpr int kMpeg2 = 2;
    static constexpr int kMpeg1 = 3;
    // layer
    static constexpr int kLayerReserved = 0;
    static constexpr int kLayer3 = 1;
    static constexpr int kLayer2 = 2;
    static constexpr int kLayer1 = 3;
    // bitrateIndex
    static constexpr int kFreeFormat = 0;
    static constexpr int kBadBitrate = 15;
    // sampleRateIndex
    static constexpr int kReservedRate = 3;
    // channelMode
    static constexpr int kSingleChannel = 3;

    bool sync = false;
    int version = 0;
    int layer = 0;
    int bitrateIndex = 0;
    int sampleRateIndex = 0;
    int padding = 0;
    int channelMode = 0;
    int bitrate = 0;         // bits per second
    int sampleRate = 0;      // Hz
    int frameLength = 0;     // bytes, the header included
    int samplesPerFrame = 0; // per channel: 1152 for MPEG-1, 576 otherwise

    bool Mpeg1() const { return version == kMpeg1; }
    bool Mono() const { return channelMode == kSingleChannel; }
    // A sync that starts a usable Layer III frame: version not reserved, layer III, bitrate index
    // 1 to 14, sample-rate index 0 to 2.
    bool IsLayer3() const;
    // The same with bitrate index 0: a free-format frame, whose length is not in its header.
    bool IsFreeFormatLayer3() const;
    // A sync of any layer with no reserved or invalid field: its sample rate can be trusted.
    bool IsUsable() const;
};

Mp3FrameHeader DecodeMp3Header(const uint8_t* header);

// ---- Tags ------------------------------------------------------------------------------------

// The bytes an ID3v2 tag at the start of `data` takes (header, body, footer if flagged), 0 where
// none starts there. The body size is four 7-bit bytes: a byte with its top bit set, or a version
// byte of 0xFF, means the ten bytes are no tag header, and the file is searched for its first frame
// from its first byte, where the frame confirmation keeps chance syncs out. (Masking the top bits
// instead would skip an arbitrary part of a file that merely starts with "ID3".)
uint64_t Id3v2TagSize(const uint8_t* data, size_t size);

// The encoder delay and padding that lame notes in an "Info" or "Xing" tag in the first frame,
// read the way libmpg123 reads them: the tag stands behind the side information, which is all
// zeros in such a frame, and every field is taken only when the frame holds it. A frame that
// holds another encoder's "VBRI" tag (32 bytes behind its header) is told apart: it is no sound
// either, and notes the frames but no delay.
struct Mp3InfoTag {
    bool present = false; // the frame is the tag, not sound
    uint32_t frames = 0;  // the frames of sound the tag announces, 0 when it says nothing
    int delay = 0;
    int padding = 0;
    bool delaysNoted = false; // lame's own fields were there: delay and padding are the encoder's
    // The frame is a VBRI tag. present stays false for it: the length rules read present as
    // libmpg123 does, which decodes such a frame as sound.
    bool vbri = false;
};
Mp3InfoTag ReadInfoTag(const uint8_t* frame, size_t frameLength);

// The samples an MP3 decoder's output lags behind its input (libmpg123's, and the encoder's when it
// decodes an MP3), and the delay lame puts before the sound when no tag notes another.
constexpr int kMp3DecoderDelay = 529;
constexpr int kLameEncoderDelay = 576;

// ---- Rates a movie can state -----------------------------------------------------------------

// The SWF sound header's rate code for an MP3 sample rate: 8000 Hz gives 0 (the header's 5.5 kHz),
// 11025 and 12000 give 1 (11 kHz), 22050 and 24000 give 2 (22 kHz), 44100 gives 3 (44 kHz); -1 for
// the rates the header has no code for (16000, 32000, 48000 and the rest).
int SwfSoundRateCode(int sampleRateHz);
// True for the MP3 rates the header states exactly: 11025, 22050 and 44100 Hz. (5512.5 Hz is no
// MP3 rate; 8000, 12000 and 24000 Hz get a code whose rate differs from theirs.)
bool IsStatedExactly(int sampleRateHz);
// Of 11025, 22050 and 44100 Hz, the one nearest to sampleRateHz by ratio: 8000 and 12000 give
// 11025, 16000 and 24000 give 22050, 32000 and 48000 give 44100.
int NearestStatedRate(int sampleRateHz);

// ---- The walk over the frames ----------------------------------------------------------------

// The outcome of reading an MP3 file.
enum class MP3ReadResult {
    Ok,
    NoMemory,              // the block could not be allocated
    NotMP3,                // no frame confirmed by the next one
    FreeFormat,            // the frames are free format (no frame lengths to walk)
    UnsupportedSampleRate, // no SWF rate code for the sample rate
    TooManySamples,        // more samples than a DefineSound's 32-bit count holds
    Unreadable,            // the file gave fewer bytes than its size (cut short while read)
};

// Where the blocks of a file go on to as a walk reads them: every byte of the file once, in file
// order, so that one pass over the file both walks and copies it.
class Mp3BlockSink {
public:
    Mp3BlockSink() = default;
    Mp3BlockSink(const Mp3BlockSink&) = delete;
    Mp3BlockSink& operator=(const Mp3BlockSink&) = delete;
    virtual ~Mp3BlockSink() = default;
    // Before the first block: the file holds fileSize bytes. False: no block is wanted.
    virtual bool Start(uint64_t fileSize) = 0;
    // The next `size` bytes of the file. False where they could not be taken: no block follows.
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

// The bytes of an MP3 file, seen through a window: a bounded buffer that the file is read into block
// by block (pread), so that a walk over a file of any size needs no more memory than the buffer.
// The blocks read can be fed to a sink as well (FeedTo).
class Mp3Bytes {
public:
    // The file open at fd, whose size is `size`, from its offset 0. The buffer holds bufferBytes,
    // but no more than the file (4 KiB at least), and is only allocated once a byte is asked for.
    Mp3Bytes(int fd, uint64_t size, size_t bufferBytes = size_t(1) << 20);
    Mp3Bytes(const Mp3Bytes&) = delete;
    Mp3Bytes& operator=(const Mp3Bytes&) = delete;

    uint64_t Size() const { return size_; }
    // The bytes from position on, at least `count` of them (count at most the buffer's size);
    // `available`, when given, gets how many follow in the window. nullptr where they lie past
    // the end, or where the file gives fewer bytes than its size (Unreadable() tells then).
    const uint8_t* At(uint64_t position, size_t count, size_t* available = nullptr) {
        if (position >= base_ && position - base_ + count <= filled_) {
            if (available)
                *available = filled_ - (position - base_);
            return window_ + (position - base_);
        }
        return Refill(position, count, available);
    }
    // Copies `count` bytes from position on into `out` without moving the window (a look at the
    // end of the file, say). False as At would give nullptr.
    bool CopyOut(uint64_t position, uint8_t* out, size_t count);
    // Bytes before `position` will not be asked for again.
    void Keep(uint64_t position) { keep_ = position; }
    bool Unreadable() const { return unreadable_; }

    // From here on, the file's bytes are fed to sink (when it starts) from the file's first byte on
    // as the window moves over them: a part the window skips (a long tag) is read for the sink
    // before the window moves on. The sink stays the caller's.
    void FeedTo(Mp3BlockSink* sink);
    // Feeds what the window has not moved over, and answers whether the sink took the whole file.
    // The window is emptied.
    bool FeedRest();
    // From here on each block read first asks stop: once it is requested, no byte more is read (At
    // gives nullptr, Unreadable() tells) and the feeding fails.
    void StopOn(const StopRequest* stop) { stop_ = stop; }

private:
    static void FreeBuffer(uint8_t* buffer);

    const uint8_t* Refill(uint64_t position, size_t count, size_t* available);
    // A sink is fed and has taken every block so far.
    bool Feeding() const { return sink_ != nullptr && !feedFailed_; }
    // Where the window starts in the buffer for a window from file offset `from`.
    uint8_t* WindowFor(uint64_t from);
    // Reads [from, to) of the file through the buffer for the sink. The window must be empty or no
    // longer wanted.
    bool FeedThrough(uint64_t from, uint64_t to);
    // Feeds the window's bytes from file offset `from` on.
    bool FeedWindowFrom(uint64_t from);
    // Hands the sink the next block; false (and no more feeding) where it does not take it.
    bool Feed(const uint8_t* data, size_t size);

    const uint8_t* window_ = nullptr;
    uint64_t base_ = 0;
    size_t filled_ = 0;
    uint64_t size_ = 0;
    uint64_t keep_ = 0;
    int fd_ = -1;
    bool unreadable_ = false;
    size_t bufferBytes_ = 0;
    std::unique_ptr<uint8_t, void (*)(uint8_t*)> buffer_{nullptr, &Mp3Bytes::FreeBuffer};
    // The sink and how far into the file it has been fed. fed_ stays behind a part of the file the
    // window skipped until that is fed.
    Mp3BlockSink* sink_ = nullptr;
    uint64_t fed_ = 0;
    bool feedFailed_ = false;
    const StopRequest* stop_ = nullptr;
};

// What one walk over the frames of an MP3 file finds.
struct Mp3Survey {
    // Ok, NotMP3, FreeFormat or Unreadable. The rest holds only for Ok.
    MP3ReadResult result = MP3ReadResult::NotMP3;
    uint64_t fileSize = 0;
    // The first frame: past a leading ID3v2 tag, the first Layer III header whose frame is followed
    // by another Layer III header of the same version and sample rate, or by the end of the data
    // (an ID3v1 tag may stand between). Chance syncs in tags or audio bytes do not give the format.
    uint64_t firstFrame = 0;
    Mp3FrameHeader format;        // the first frame's header: sample rate, channels, samples per frame
    Mp3InfoTag tag;               // lame's tag in the first frame
    bool firstFrameBlank = false; // the first frame's body is all zeros
    // Samples per channel along the chain of frame lengths from the first frame, re-synchronising
    // by search; a header whose frame length is 0 moves on by one byte; a last frame cut short
    // counts. This is the count the movie's sound declares.
    uint64_t sampleCount = 0;
    // Samples of the whole Layer III frames from the first frame on, the first included, junk
    // between frames skipped, a last frame cut short not counted.
    uint64_t wholeFrameSamples = 0;
    // Laid out plainly: an optional ID3v2 tag, then Layer III frames of one version, sample rate
    // and channel count, each directly behind the last, up to the end of the data or an ID3v1 tag
    // that ends it. plainFrames counts them, the first included.
    bool plain = false;
    uint64_t plainFrames = 0;
};

// Walks the frames once. With a copy, the walk feeds it the file's blocks once it has confirmed the
// first frame (a file that holds no MP3 is never copied), and the rest of a usable file after the
// walk: the sink then holds the whole file, unless it refused a block or the file was cut short.
Mp3Survey SurveyMp3(Mp3Bytes& bytes, Mp3BlockSink* copy = nullptr);

// The user's line for a sample count that a sound cannot declare (its count is 32 bits), empty for
// one it can.
std::string SampleCountProblem(uint64_t samples);

// ---- The sound's own frames -------------------------------------------------------------------

// A run of bytes of a file.
struct Mp3ByteRange {
    uint64_t offset = 0;
    uint64_t size = 0;
};

// An MP3 file's sound as a movie with exact timing holds it: its audio frames alone, without the
// tags before, between and after them (ID3v2, ID3v1, APE, Lyrics3) and without the frames that are
// tags (Info, Xing, VBRI, and a first frame left blank), and the samples a player is to play of it.
struct Mp3ExactSound {
    std::vector<Mp3ByteRange> ranges; // the audio frames; frames that follow each other in one range
    uint64_t bytes = 0;               // their length
    uint64_t frames = 0;              // audio frames
    uint64_t tagFrames = 0;           // frames that are tags, wherever they stand
    // The decoded samples before the sound: the encoder's delay (the first frame's tag's, else
    // kLameEncoderDelay) and the decoder's kMp3DecoderDelay.
    int seekSamples = 0;
    // The sound's own samples at the MP3's rate. Where the first frame's tag counts exactly the
    // audio frames found: frames × samples per frame − the delay and padding it notes. Otherwise
    // (no tag, a tag of another encoder, or files joined one behind the other, or cut short,
    // where the tag counts only a part): every decoded sample after seekSamples.
    uint64_t sampleCount = 0;
    bool tagCounted = false; // sampleCount is the tag's
};

// Walks the frames of an MP3 file that SurveyMp3 found usable (Ok) once more, from its first frame,
// and finds its exact sound. Frames found by a search past bytes that are no frame and no tag are
// taken only when the next frame confirms them. Empty (no frames) for a survey that is not Ok, or
// where the file cannot be read.
Mp3ExactSound FindExactSound(Mp3Bytes& bytes, const Mp3Survey& survey);

// Whether a movie's sound can hold the file the survey walked: Ok, or why not (NotMP3, FreeFormat,
// Unreadable, UnsupportedSampleRate, TooManySamples), with the user's line for it in `diagnostic`
// when given ("Not an MP3 format file", "Sample rate 48000 unsupported"...).
MP3ReadResult Mp3MovieResult(const Mp3Survey& survey, std::string* diagnostic = nullptr);
