// MPEG audio frames: headers, tags, the rates a movie states and the one walk over the frames.
#include "Mp3Frames.h"

#include "FileBytes.h"
#include "StopRequest.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Layer III bitrates in bits per second: [bitrate index][0 = MPEG-1, 1 = MPEG-2 and 2.5].
constexpr int kBitrates[16][2] = {{0, 0},           {32000, 8000},    {40000, 16000},   {48000, 24000},
                                  {56000, 32000},   {64000, 40000},   {80000, 48000},   {96000, 56000},
                                  {112000, 64000},  {128000, 80000},  {160000, 96000},  {192000, 112000},
                                  {224000, 128000}, {256000, 144000}, {320000, 160000}, {0, 0}};

// Sample rates in Hz: [sample-rate index][version: 0 = MPEG-2.5, 1 reserved, 2 = MPEG-2, 3 = MPEG-1].
constexpr int kSampleRates[4][4] = {
    {11025, 0, 22050, 44100}, {12000, 0, 24000, 48000}, {8000, 0, 16000, 32000}, {0, 0, 0, 0}};

// The rates of the sound header's codes 0 to 3 (5512.5 Hz for code 0).
constexpr int kStatedRates[4] = {5512, 11025, 22050, 44100};

// The most bytes one step of a walk searches for a sync, so that the walks over one file stay
// close together in its window.
constexpr uint64_t kSearchStep = 64 * 1024;

} // namespace

// ---- Frame headers ---------------------------------------------------------------------------

bool IsFrameSync(const uint8_t* data) {
    return data[0] == 0xFF && (data[1] & 0xE0) == 0xE0;
}

Mp3FrameHeader DecodeMp3Header(const uint8_t* b) {
    Mp3FrameHeader h;
    h.sync = IsFrameSync(b);
    h.version = (b[1] >> 3) & 3;
    h.layer = (b[1] >> 1) & 3;
    h.bitrateIndex = (b[2] >> 4) & 15;
    h.sampleRateIndex = (b[2] >> 2) & 3;
    h.padding = (b[2] >> 1) & 1;
    h.channelMode = (b[3] >> 6) & 3;
    const bool mpeg1 = h.Mpeg1();
    h.bitrate = kBitrates[h.bitrateIndex][mpeg1 ? 0 : 1];
    h.sampleRate = kSampleRates[h.sampleRateIndex][h.version];
    h.samplesPerFrame = mpeg1 ? 1152 : 576;
    if (h.bitrate != 0 && h.sampleRate != 0)
        h.frameLength = (mpeg1 ? 144 : 72) * h.bitrate / h.sampleRate + h.padding;
    return h;
}

bool Mp3FrameHeader::IsLayer3() const {
    return sync && version != kVersionReserved && layer == kLayer3 && bitrateIndex != kFreeFormat &&
           bitrateIndex != kBadBitrate && sampleRateIndex != kReservedRate;
}

bool Mp3FrameHeader::IsFreeFormatLayer3() const {
    return sync && version != kVersionReserved && layer == kLayer3 && bitrateIndex == kFreeFormat &&
           sampleRateIndex != kReservedRate;
}

bool Mp3FrameHeader::IsUsable() const {
    return sync && version != kVersionReserved && layer != kLayerReserved && bitrateIndex != kBadBitrate &&
           sampleRateIndex != kReservedRate;
}

// ---- Tags ------------------------------------------------------------------------------------

uint64_t Id3v2TagSize(const uint8_t* data, size_t size) {
    if (size < 10 || std::memcmp(data, "ID3", 3) != 0 || data[3] == 0xFF || data[4] == 0xFF)
        return 0;
    if ((data[6] | data[7] | data[8] | data[9]) & 0x80)
        return 0;
    const uint64_t declared =
        (uint64_t{data[6]} << 21) | (uint64_t{data[7]} << 14) | (uint64_t{data[8]} << 7) | data[9];
    const bool hasFooter = (data[5] & 0x10) != 0;
    return declared + 10 + (hasFooter ? 10 : 0);
}

namespace {

uint32_t BigEndian32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

} // namespace

Mp3InfoTag ReadInfoTag(const uint8_t* frame, size_t frameLength) {
    Mp3InfoTag tag;
    // VBRI: a version, a delay of its own encoder's reckoning, a quality, the bytes, the frames.
    constexpr size_t kVbriAt = 4 + 32;
    if (frameLength >= kVbriAt + 18 && std::memcmp(frame + kVbriAt, "VBRI", 4) == 0) {
        tag.vbri = true;
        tag.frames = BigEndian32(frame + kVbriAt + 14);
        return tag;
    }
    const Mp3FrameHeader header = DecodeMp3Header(frame);
    size_t offset =
        header.Mono() ? (header.Mpeg1() ? 17 : 9) : (header.Mpeg1() ? 32 : 17); // side information
    const uint8_t* body = frame + 4;
    const size_t bodySize = frameLength - 4;
    if (frameLength < 4 || bodySize < offset + 8)
        return tag;
    for (size_t i = 2; i < offset; ++i)
        if (body[i] != 0)
            return tag;
    if (std::memcmp(body + offset, "Info", 4) != 0 && std::memcmp(body + offset, "Xing", 4) != 0)
        return tag;
    tag.present = true;
    const uint32_t flags = BigEndian32(body + offset + 4);
    offset += 8;
    const auto holds = [&](size_t bytes) { return bodySize >= offset + bytes; };
    if (flags & 1) {
        if (!holds(4))
            return tag;
        tag.frames = BigEndian32(body + offset);
        offset += 4;
    }
    const struct {
        uint32_t flag;
        size_t bytes;
    } optional[] = {{2, 4}, {4, 100}, {8, 4}}; // bytes, table of contents, quality
    for (const auto& field : optional)
        if (flags & field.flag) {
            if (!holds(field.bytes))
                return tag;
            offset += field.bytes;
        }
    // lame's own 24 bytes: a version text, ..., then two 12-bit values, the delay and the padding.
    if (!holds(24) || body[offset] == 0)
        return tag;
    tag.delay = (body[offset + 21] << 4) | (body[offset + 22] >> 4);
    tag.padding = ((body[offset + 22] << 8) | body[offset + 23]) & 0xFFF;
    tag.delaysNoted = true;
    return tag;
}

// ---- Rates a movie can state -----------------------------------------------------------------

int SwfSoundRateCode(int sampleRateHz) {
    // A code stands for the MP3 rates of the same 5 kHz step as its own rate.
    for (int code = 0; code < 4; ++code)
        if (kStatedRates[code] / 5000 == sampleRateHz / 5000)
            return code;
    return -1;
}

bool IsStatedExactly(int sampleRateHz) {
    return std::find(kStatedRates + 1, kStatedRates + 4, sampleRateHz) != kStatedRates + 4;
}

int NearestStatedRate(int sampleRateHz) {
    // Between two neighbours a and b, b is nearer by ratio when b / rate < rate / a.
    const int64_t square = int64_t{sampleRateHz} * sampleRateHz;
    for (int code = 1; code < 3; ++code)
        if (square <= int64_t{kStatedRates[code]} * kStatedRates[code + 1])
            return kStatedRates[code];
    return kStatedRates[3];
}

// ---- The bytes of a file ---------------------------------------------------------------------

Mp3Bytes::Mp3Bytes(int fd, uint64_t size, size_t bufferBytes)
    : size_(size), fd_(fd),
      bufferBytes_(static_cast<size_t>(std::min<uint64_t>(bufferBytes, std::max<uint64_t>(size, 4096)))) {}

namespace {

constexpr size_t kPage = 4096;

} // namespace

void Mp3Bytes::FreeBuffer(uint8_t* buffer) {
    std::free(buffer);
}

// The buffer has a page more than the window may hold, and the window starts in it at the same
// offset within a page as in the file: the kernel's copies into the window and out of it then run
// page against page. (On some processors a copy whose target lies a few bytes past its source's
// place in a page is several times slower.)
uint8_t* Mp3Bytes::WindowFor(uint64_t from) {
    if (!buffer_) {
        const size_t bytes = (bufferBytes_ + 2 * kPage - 1) / kPage * kPage;
        buffer_.reset(static_cast<uint8_t*>(std::aligned_alloc(kPage, bytes)));
        if (!buffer_)
            throw std::bad_alloc();
    }
    return buffer_.get() + from % kPage;
}

const uint8_t* Mp3Bytes::Refill(uint64_t position, size_t count, size_t* available) {
    if (stop_ && stop_->Requested())
        unreadable_ = true;
    if (position > size_ || size_ - position < count || fd_ < 0 || unreadable_)
        return nullptr;
    // The window moves on to start at what is still wanted; what it holds of that stays.
    uint64_t from = std::min(keep_, position);
    if (position - from + count > bufferBytes_)
        from = position;
    // While a sink is fed, a window that would skip a little of the file (the rest of a frame's
    // body) starts where the feeding stands: one read serves both.
    if (Feeding() && from > fed_ && position - fed_ + count <= bufferBytes_ / 2)
        from = fed_;
    const bool keeps = from >= base_ && from - base_ < filled_;
    // A part of the file the window skips (a long tag) is fed before the window moves.
    if (Feeding() && !keeps && from > fed_)
        FeedThrough(fed_, from);
    uint8_t* window = WindowFor(from);
    size_t kept = 0;
    if (keeps) {
        kept = filled_ - static_cast<size_t>(from - base_);
        std::memmove(window, window_ + (from - base_), kept);
    }
    window_ = window;
    base_ = from;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(bufferBytes_, size_ - from));
    filled_ = kept + ReadAt(fd_, window + kept, wanted - kept, from + kept);
    if (Feeding())
        FeedWindowFrom(fed_);
    if (position - base_ + count > filled_) {
        unreadable_ = true; // cut short, or a read error
        return nullptr;
    }
    if (available)
        *available = filled_ - static_cast<size_t>(position - base_);
    return window_ + (position - base_);
}

bool Mp3Bytes::CopyOut(uint64_t position, uint8_t* out, size_t count) {
    if (position > size_ || size_ - position < count || unreadable_)
        return false;
    if (position >= base_ && position - base_ + count <= filled_) {
        std::memcpy(out, window_ + (position - base_), count);
        return true;
    }
    if (fd_ < 0)
        return false;
    if (ReadAt(fd_, out, count, position) == count)
        return true;
    unreadable_ = true;
    return false;
}

void Mp3Bytes::FeedTo(Mp3BlockSink* sink) {
    if (sink == nullptr || sink_ != nullptr || !sink->Start(size_))
        return;
    sink_ = sink;
    fed_ = 0;
    feedFailed_ = false;
    // A window at the file's start is fed at once. One further on (past a long tag) is given up:
    // the next refill feeds what lies before it first, and reads it again.
    if (filled_ > 0 && base_ == 0) {
        FeedWindowFrom(0);
    } else {
        window_ = nullptr;
        base_ = 0;
        filled_ = 0;
    }
}

bool Mp3Bytes::Feed(const uint8_t* data, size_t size) {
    if (size > 0 && !sink_->Write(data, size))
        feedFailed_ = true;
    else
        fed_ += size;
    return !feedFailed_;
}

bool Mp3Bytes::FeedWindowFrom(uint64_t from) {
    if (from < base_ || from >= base_ + filled_)
        return true; // nothing of the window follows on from there
    const size_t skip = static_cast<size_t>(from - base_);
    return Feed(window_ + skip, filled_ - skip);
}

bool Mp3Bytes::FeedThrough(uint64_t from, uint64_t to) {
    while (from < to && Feeding()) {
        if (stop_ && stop_->Requested()) {
            feedFailed_ = true;
            return false;
        }
        uint8_t* window = WindowFor(from);
        const size_t want = static_cast<size_t>(std::min<uint64_t>(bufferBytes_, to - from));
        const size_t got = ReadAt(fd_, window, want, from);
        if (got != want) {
            feedFailed_ = true;
            return false;
        }
        if (!Feed(window, got))
            return false;
        from += got;
    }
    return Feeding();
}

bool Mp3Bytes::FeedRest() {
    if (!Feeding())
        return false;
    if (fed_ >= size_)
        return true;
    window_ = nullptr;
    base_ = 0;
    filled_ = 0;
    return FeedThrough(fed_, size_);
}

// ---- The walk --------------------------------------------------------------------------------

namespace {

// The version and sample-rate bits: what every frame of one stream shares.
bool SameStream(const uint8_t* header, const uint8_t* other) {
    return ((header[1] ^ other[1]) & 0x18) == 0 && ((header[2] ^ other[2]) & 0x0C) == 0;
}

// Moves position to the next sync at or after it whose four header bytes lie in the file, looking
// at most kSearchStep positions ahead. True when one is there; false when the search goes on from
// the new position, or there is none (position + 4 > size then), or the bytes cannot be read.
bool FindSync(Mp3Bytes& bytes, uint64_t& position) {
    const uint64_t size = bytes.Size();
    if (size < 4 || position > size - 4) {
        position = size;
        return false;
    }
    size_t available = 0;
    const uint8_t* data = bytes.At(position, 4, &available);
    if (data == nullptr)
        return false;
    if (IsFrameSync(data))
        return true; // the usual case in a walk: the next frame follows the last
    const size_t candidates =
        static_cast<size_t>(std::min<uint64_t>({available - 3, size - 3 - position, kSearchStep}));
    for (size_t from = 1; from < candidates;) {
        const void* found = std::memchr(data + from, 0xFF, candidates - from);
        if (found == nullptr)
            break;
        const size_t at = static_cast<size_t>(static_cast<const uint8_t*>(found) - data);
        if (IsFrameSync(data + at)) {
            position += at;
            return true;
        }
        from = at + 1;
    }
    position += candidates;
    if (position > size - 4)
        position = size;
    return false;
}

// Copies the four header bytes at position; false where they cannot be read.
bool HeaderAt(Mp3Bytes& bytes, uint64_t position, uint8_t (&header)[4]) {
    const uint8_t* data = bytes.At(position, 4);
    if (data == nullptr)
        return false;
    std::memcpy(header, data, 4);
    return true;
}

// True if the Layer III frame at `position` is followed by a header of the same stream at its
// computed length, or ends the data there (or at an ID3v1 tag that ends it).
bool IsConfirmedFrame(Mp3Bytes& bytes, uint64_t position, const uint8_t (&header)[4], int length,
                      bool id3v1AtTheEnd) {
    const uint64_t size = bytes.Size();
    if (size - position < static_cast<uint64_t>(length))
        return false;
    const uint64_t next = position + static_cast<uint64_t>(length);
    if (next == size || (id3v1AtTheEnd && size - next == 128))
        return true;
    uint8_t following[4];
    return size - next >= 4 && HeaderAt(bytes, next, following) && DecodeMp3Header(following).IsLayer3() &&
           SameStream(header, following);
}

// True if the free-format header at `position` is followed, within the longest frame free format
// allows (640 kbit/s), by another free-format header of the same stream.
bool IsConfirmedFreeFormatFrame(Mp3Bytes& bytes, uint64_t position, const Mp3FrameHeader& h) {
    const uint64_t size = bytes.Size();
    const uint64_t longest = static_cast<uint64_t>((h.Mpeg1() ? 144 : 72) * 640000 / h.sampleRate + 1);
    const uint64_t end = size - position > longest + 4 ? position + longest + 4 : size;
    const uint8_t* data = bytes.At(position, static_cast<size_t>(end - position));
    if (data == nullptr)
        return false;
    const size_t span = static_cast<size_t>(end - position);
    for (size_t next = 1; next + 4 <= span; ++next)
        if (IsFrameSync(data + next) && data[next + 1] == data[1] &&
            (data[next + 2] & 0xFC) == (data[2] & 0xFC))
            return true;
    return false;
}

// Where the frames may start and end: past a leading ID3v2 tag, and before an ID3v1 tag.
struct TagBounds {
    uint64_t start = 0;         // past a leading ID3v2 tag
    bool id3v1AtTheEnd = false; // "TAG" in the last 128 bytes
};

// The tags around the frames; false where the file cannot be read.
bool ReadTagBounds(Mp3Bytes& bytes, TagBounds& bounds) {
    const uint64_t size = bytes.Size();
    if (size >= 10) {
        const uint8_t* head = bytes.At(0, 10);
        if (head == nullptr)
            return false;
        bounds.start = Id3v2TagSize(head, 10);
    }
    if (size >= 128) {
        uint8_t tail[3] = {};
        if (!bytes.CopyOut(size - 128, tail, sizeof tail))
            return false;
        bounds.id3v1AtTheEnd = std::memcmp(tail, "TAG", 3) == 0;
    }
    return true;
}

// The first frame: past a leading ID3v2 tag (whose pictures may hold chance syncs), the first
// Layer III header that the next frame confirms. A free-format stream is told by its headers
// alone: its frames carry no length to follow. Ok with first and header set, or NotMP3,
// FreeFormat or Unreadable.
MP3ReadResult FindFirstFrame(Mp3Bytes& bytes, const TagBounds& bounds, uint64_t& first,
                             uint8_t (&header)[4]) {
    const uint64_t size = bytes.Size();
    first = bounds.start;
    for (;;) {
        bytes.Keep(first);
        if (!FindSync(bytes, first)) {
            if (bytes.Unreadable())
                return MP3ReadResult::Unreadable;
            if (first >= size || size - first < 4)
                return MP3ReadResult::NotMP3;
            continue;
        }
        if (!HeaderAt(bytes, first, header))
            return MP3ReadResult::Unreadable;
        const Mp3FrameHeader h = DecodeMp3Header(header);
        if (h.IsLayer3() && IsConfirmedFrame(bytes, first, header, h.frameLength, bounds.id3v1AtTheEnd))
            return MP3ReadResult::Ok;
        if (h.IsFreeFormatLayer3() && IsConfirmedFreeFormatFrame(bytes, first, h))
            return MP3ReadResult::FreeFormat;
        if (bytes.Unreadable())
            return MP3ReadResult::Unreadable;
        ++first;
    }
}

// Three walks from the first frame, in step through the file's window: each turn moves the one
// furthest behind. counted: the chain of frame lengths, re-synchronising by search; whole: the
// whole Layer III frames; plain: the frames as long as they stand one behind the other. Each
// counts into the survey.
class FrameWalks {
public:
    FrameWalks(Mp3Bytes& bytes, Mp3Survey& survey, const uint8_t (&firstHeader)[4], const TagBounds& bounds)
        : bytes_(bytes), survey_(survey), size_(bytes.Size()), counted_(survey.firstFrame),
          whole_(survey.firstFrame), plain_(survey.firstFrame), plainOn_(survey.firstFrame == bounds.start),
          plainEnd_(bounds.id3v1AtTheEnd && size_ - survey.firstFrame > 128 ? size_ - 128 : size_),
          mono_(survey.format.Mono()) {
        std::memcpy(firstHeader_, firstHeader, 4);
    }

    // Walks to the end of the file; false where it cannot be read.
    bool Run() {
        while (countedOn_ || wholeOn_ || plainOn_) {
            if (AllOnOnePlainFrame()) {
                if (TakeTogether())
                    continue;
                if (bytes_.Unreadable())
                    return false;
            }
            uint64_t behind = UINT64_MAX;
            for (const auto& [on, at] :
                 {std::pair{countedOn_, counted_}, {wholeOn_, whole_}, {plainOn_, plain_}})
                if (on)
                    behind = std::min(behind, at);
            bytes_.Keep(behind);
            if (countedOn_ && counted_ == behind)
                StepCounted();
            else if (wholeOn_ && whole_ == behind)
                StepWhole();
            else
                StepPlain();
            if (bytes_.Unreadable())
                return false;
        }
        return true;
    }

private:
    // The usual case: the three walks stand on the same frame of a plain stream.
    bool AllOnOnePlainFrame() const {
        return plainOn_ && countedOn_ && wholeOn_ && counted_ == plain_ && whole_ == plain_ &&
               plain_ != plainEnd_ && size_ - plain_ >= 4;
    }

    // All three take the frame at plain_, if it goes on the plain stream. The frames of a stream
    // mostly repeat a header or two (at a constant bitrate they differ in the padding bit alone):
    // the last plain header's length is kept, and not worked out anew.
    bool TakeTogether() {
        bytes_.Keep(plain_);
        uint8_t header[4];
        if (!HeaderAt(bytes_, plain_, header))
            return false;
        uint64_t length = lastLength_;
        if (std::memcmp(header, lastHeader_, 4) != 0 || length > size_ - plain_) {
            length = PlainLength(header, plain_);
            std::memcpy(lastHeader_, header, 4);
            lastLength_ = length;
        }
        if (length == 0)
            return false;
        const auto samples = static_cast<uint64_t>(survey_.format.samplesPerFrame);
        ++survey_.plainFrames;
        survey_.sampleCount += samples;
        survey_.wholeFrameSamples += samples;
        plain_ += length;
        counted_ = whole_ = plain_;
        return true;
    }

    void StepCounted() {
        uint8_t header[4];
        if (!FindSync(bytes_, counted_)) {
            countedOn_ = counted_ < size_;
        } else if (HeaderAt(bytes_, counted_, header)) {
            const Mp3FrameHeader h = DecodeMp3Header(header);
            if (h.frameLength == 0) {
                ++counted_;
            } else {
                survey_.sampleCount += static_cast<uint64_t>(h.samplesPerFrame);
                counted_ += static_cast<uint64_t>(h.frameLength);
            }
        }
    }

    void StepWhole() {
        uint8_t header[4];
        if (!FindSync(bytes_, whole_)) {
            wholeOn_ = whole_ < size_;
        } else if (HeaderAt(bytes_, whole_, header)) {
            const Mp3FrameHeader h = DecodeMp3Header(header);
            if (!h.IsLayer3()) {
                ++whole_; // junk between frames: look for the next one
            } else if (static_cast<uint64_t>(h.frameLength) > size_ - whole_) {
                wholeOn_ = false; // cut off by the end of the data
            } else {
                survey_.wholeFrameSamples += static_cast<uint64_t>(h.samplesPerFrame);
                whole_ += static_cast<uint64_t>(h.frameLength);
            }
        }
    }

    void StepPlain() {
        uint8_t header[4];
        if (plain_ == size_ || plain_ == plainEnd_) {
            survey_.plain = true;
            plainOn_ = false;
        } else if (size_ - plain_ < 4) {
            plainOn_ = false;
        } else if (HeaderAt(bytes_, plain_, header)) {
            const uint64_t length = PlainLength(header, plain_);
            plainOn_ = length != 0;
            if (plainOn_) {
                ++survey_.plainFrames;
                plain_ += length;
            }
        }
    }

    // The length of the frame whose header is `header` if it goes on the plain stream, else 0: the
    // same sync, version and layer bits (the protection bit may differ), sample rate and channel
    // count, and a bitrate index that gives a length that the file holds.
    uint64_t PlainLength(const uint8_t (&header)[4], uint64_t at) const {
        const int length = DecodeMp3Header(header).frameLength;
        if (header[0] != 0xFF || (header[1] & 0xFE) != (firstHeader_[1] & 0xFE) ||
            ((header[2] ^ firstHeader_[2]) & 0x0C) != 0 ||
            ((header[3] >> 6) == Mp3FrameHeader::kSingleChannel) != mono_ || length <= 0 ||
            static_cast<uint64_t>(length) > size_ - at)
            return 0;
        return static_cast<uint64_t>(length);
    }

    Mp3Bytes& bytes_;
    Mp3Survey& survey_;
    const uint64_t size_;
    uint8_t firstHeader_[4] = {};
    uint64_t counted_;
    uint64_t whole_;
    uint64_t plain_;
    bool countedOn_ = true;
    bool wholeOn_ = true;
    bool plainOn_;
    const uint64_t plainEnd_;
    const bool mono_;
    uint8_t lastHeader_[4] = {};
    uint64_t lastLength_ = 0;
};

// The survey of a file that could not be read to its end.
Mp3Survey UnreadableSurvey(uint64_t size) {
    Mp3Survey survey;
    survey.fileSize = size;
    survey.result = MP3ReadResult::Unreadable;
    return survey;
}

} // namespace

Mp3Survey SurveyMp3(Mp3Bytes& bytes, Mp3BlockSink* copy) {
    Mp3Survey survey;
    const uint64_t size = bytes.Size();
    survey.fileSize = size;
    TagBounds bounds;
    if (!ReadTagBounds(bytes, bounds))
        return UnreadableSurvey(size);
    uint8_t firstHeader[4] = {};
    const MP3ReadResult found = FindFirstFrame(bytes, bounds, survey.firstFrame, firstHeader);
    if (found == MP3ReadResult::Unreadable)
        return UnreadableSurvey(size);
    if (found != MP3ReadResult::Ok) {
        survey.firstFrame = 0;
        survey.result = found;
        return survey;
    }
    bytes.FeedTo(copy);
    survey.format = DecodeMp3Header(firstHeader);
    const auto firstLength = static_cast<size_t>(survey.format.frameLength);
    const uint8_t* frame = bytes.At(survey.firstFrame, firstLength);
    if (frame == nullptr)
        return UnreadableSurvey(size);
    survey.tag = ReadInfoTag(frame, firstLength);
    survey.firstFrameBlank = std::all_of(frame + 4, frame + firstLength, [](uint8_t b) { return b == 0; });

    if (!FrameWalks(bytes, survey, firstHeader, bounds).Run())
        return UnreadableSurvey(size);
    if (!survey.plain)
        survey.plainFrames = 0;
    survey.result = MP3ReadResult::Ok;
    bytes.FeedRest();
    return survey;
}

// ---- The sound's own frames -------------------------------------------------------------------

namespace {

uint32_t LittleEndian32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
           (uint32_t{bytes[3]} << 24);
}

// APE tags: a 32-byte footer (and, when its flags say so, a header of the same form) around the
// items; the size counts the items and the footer.
constexpr size_t kApeFrame = 32;
constexpr uint32_t kApeHasHeader = 0x80000000u;
constexpr uint32_t kApeIsHeader = 0x20000000u;

// The bytes the tag starting at `at` takes, no more than up to `end`; 0 where none starts there.
// ID3v2, ID3v1 and an APE tag with a header stand where joined files put them: between frames.
uint64_t TagLengthAt(Mp3Bytes& bytes, uint64_t at, uint64_t end) {
    uint8_t head[kApeFrame] = {};
    const uint64_t left = end - at;
    if (!bytes.CopyOut(at, head, static_cast<size_t>(std::min<uint64_t>(left, sizeof head))))
        return 0;
    uint64_t length = 0;
    if (left >= 10 && (length = Id3v2TagSize(head, 10)) > 0)
        return std::min(length, left);
    if (left >= 128 && std::memcmp(head, "TAG", 3) == 0)
        return 128;
    if (left >= kApeFrame && std::memcmp(head, "APETAGEX", 8) == 0 &&
        (LittleEndian32(head + 20) & kApeIsHeader) != 0)
        return std::min<uint64_t>(kApeFrame + LittleEndian32(head + 12), left);
    return 0;
}

// Where the sound of a file ends: before the tags that close it (ID3v1, APE, Lyrics3, in any order
// and number), never before `from`.
uint64_t SoundEnd(Mp3Bytes& bytes, uint64_t from) {
    uint64_t end = bytes.Size();
    for (;;) {
        const uint64_t left = end - from;
        // The last bytes before end, as far as there are any.
        uint8_t tail[128] = {};
        const size_t seen = static_cast<size_t>(std::min<uint64_t>(left, sizeof tail));
        if (!bytes.CopyOut(end - seen, tail + sizeof tail - seen, seen))
            return end;
        const auto endsWith = [&](const char* text, size_t at) { // at bytes before end
            return at <= seen && std::memcmp(tail + sizeof tail - at, text, std::strlen(text)) == 0;
        };
        uint64_t tagLength = 0;
        if (endsWith("TAG", 128)) {
            tagLength = 128;
        } else if (endsWith("APETAGEX", kApeFrame)) {
            const uint8_t* footer = tail + sizeof tail - kApeFrame;
            tagLength =
                LittleEndian32(footer + 12) + ((LittleEndian32(footer + 20) & kApeHasHeader) ? kApeFrame : 0);
        } else if (endsWith("LYRICS200", 9) && seen >= 15) {
            // Six digits before it give the length of what follows LYRICSBEGIN.
            uint64_t size = 0;
            for (size_t i = sizeof tail - 15; i < sizeof tail - 9; ++i)
                size = tail[i] >= '0' && tail[i] <= '9' ? size * 10 + (tail[i] - '0') : UINT64_MAX / 2;
            tagLength = size + 15;
        } else if (endsWith("LYRICSEND", 9)) {
            // Version 1: at most 5100 bytes of lyrics after LYRICSBEGIN.
            const size_t span = static_cast<size_t>(std::min<uint64_t>(left, 11 + 5100 + 9));
            std::string lyrics(span, '\0');
            if (bytes.CopyOut(end - span, reinterpret_cast<uint8_t*>(lyrics.data()), span)) {
                const size_t begin = lyrics.rfind("LYRICSBEGIN");
                if (begin != std::string::npos)
                    tagLength = span - begin;
            }
        }
        if (tagLength == 0 || tagLength > left)
            return end;
        end -= tagLength;
    }
}

// The walk over a usable file's frames that finds its exact sound: frames of the first frame's
// stream, the tags between them stepped over, bytes that are no frame searched past.
class ExactSoundWalk {
public:
    ExactSoundWalk(Mp3Bytes& bytes, const Mp3Survey& survey)
        : bytes_(bytes), survey_(survey), end_(SoundEnd(bytes, survey.firstFrame)) {}

    // Walks from the first frame to the sound's end; false where the file cannot be read.
    bool Run(Mp3ExactSound& sound) {
        if (!HeaderAt(bytes_, survey_.firstFrame, first_))
            return false;
        uint64_t at = survey_.firstFrame;
        bool chained = true; // at stands where the frame or tag before it ends
        while (at < end_ && !bytes_.Unreadable()) {
            bytes_.Keep(at);
            uint8_t header[4];
            const uint64_t length = FrameLengthAt(at, header);
            if (length > 0 && (chained || Confirmed(at + length))) {
                const uint8_t* frame = bytes_.At(at, static_cast<size_t>(length));
                if (frame == nullptr)
                    break;
                TakeFrame(sound, at, frame, length);
                at += length;
                chained = true;
                continue;
            }
            if (const uint64_t tagLength = TagLengthAt(bytes_, at, end_); chained && tagLength > 0) {
                at += tagLength;
                continue;
            }
            // Bytes that are no frame: the next sync on.
            chained = false;
            ++at;
            while (at < end_ && !FindSync(bytes_, at) && !bytes_.Unreadable())
                ;
        }
        return !bytes_.Unreadable();
    }

private:
    // A Layer III frame of the stream at `at` and its length, 0 for none.
    uint64_t FrameLengthAt(uint64_t at, uint8_t (&header)[4]) {
        if (end_ - at < 4 || !HeaderAt(bytes_, at, header))
            return 0;
        const Mp3FrameHeader h = DecodeMp3Header(header);
        if (!h.IsLayer3() || !SameStream(header, first_) || h.Mono() != survey_.format.Mono() ||
            static_cast<uint64_t>(h.frameLength) > end_ - at)
            return 0;
        return static_cast<uint64_t>(h.frameLength);
    }

    // A frame found by a search: the next frame, a tag or the end of the sound follows it.
    bool Confirmed(uint64_t next) {
        uint8_t header[4];
        return next == end_ || FrameLengthAt(next, header) > 0 || TagLengthAt(bytes_, next, end_) > 0;
    }

    // Counts the frame at `at` as sound, or as a tag. lame writes its tag frame blank first and
    // fills it in at the end: one left blank is no sound either.
    void TakeFrame(Mp3ExactSound& sound, uint64_t at, const uint8_t* frame, uint64_t length) const {
        const Mp3InfoTag tag = ReadInfoTag(frame, static_cast<size_t>(length));
        if (tag.present || tag.vbri || (at == survey_.firstFrame && survey_.firstFrameBlank)) {
            ++sound.tagFrames;
            return;
        }
        ++sound.frames;
        sound.bytes += length;
        if (!sound.ranges.empty() && sound.ranges.back().offset + sound.ranges.back().size == at)
            sound.ranges.back().size += length;
        else
            sound.ranges.push_back({at, length});
    }

    Mp3Bytes& bytes_;
    const Mp3Survey& survey_;
    const uint64_t end_;
    uint8_t first_[4] = {};
};

// The seek samples and the sample count of the sound found, by the first frame's tag.
void CountExactSamples(Mp3ExactSound& sound, const Mp3Survey& survey) {
    const Mp3InfoTag& tag = survey.tag;
    const uint64_t decoded = sound.frames * static_cast<uint64_t>(survey.format.samplesPerFrame);
    const int delay = tag.present && tag.delaysNoted ? tag.delay : kLameEncoderDelay;
    sound.seekSamples = delay + kMp3DecoderDelay;
    sound.tagCounted = tag.present && tag.delaysNoted && tag.frames == sound.frames && sound.frames > 0;
    const uint64_t trimmed = sound.tagCounted ? static_cast<uint64_t>(tag.delay + tag.padding)
                                              : static_cast<uint64_t>(sound.seekSamples);
    sound.sampleCount = decoded > trimmed ? decoded - trimmed : 0;
}

} // namespace

Mp3ExactSound FindExactSound(Mp3Bytes& bytes, const Mp3Survey& survey) {
    Mp3ExactSound sound;
    if (survey.result != MP3ReadResult::Ok)
        return sound;
    if (!ExactSoundWalk(bytes, survey).Run(sound))
        return bytes.Unreadable() ? Mp3ExactSound{} : sound;
    CountExactSamples(sound, survey);
    return sound;
}

std::string SampleCountProblem(uint64_t samples) {
    constexpr uint64_t kLargestCount = std::numeric_limits<uint32_t>::max();
    if (samples <= kLargestCount)
        return std::string();
    return "Sound too long: " + std::to_string(samples) + " samples, a sound holds at most " +
           std::to_string(kLargestCount);
}

MP3ReadResult Mp3MovieResult(const Mp3Survey& survey, std::string* diagnostic) {
    std::string text;
    MP3ReadResult result = survey.result;
    if (result == MP3ReadResult::NotMP3) {
        text = "Not an MP3 format file";
    } else if (result == MP3ReadResult::FreeFormat) {
        text = "Free format MP3 unsupported";
    } else if (result == MP3ReadResult::Unreadable) {
        text = "The file could not be read to its end";
    } else if (result != MP3ReadResult::Ok) {
        text = "Not an MP3 format file";
    } else if (SwfSoundRateCode(survey.format.sampleRate) < 0) {
        result = MP3ReadResult::UnsupportedSampleRate;
        text = "Sample rate " + std::to_string(survey.format.sampleRate) + " unsupported";
    } else if (!(text = SampleCountProblem(survey.sampleCount)).empty()) {
        result = MP3ReadResult::TooManySamples;
    }
    if (diagnostic)
        *diagnostic = text;
    return result;
}
