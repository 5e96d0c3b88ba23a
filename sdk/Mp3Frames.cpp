// MPEG audio frames: headers, tags, the rates a movie states and the one walk over the frames.
#include "Mp3Frames.h"

#include "FileBytes.h"
#include "StopRequest.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include <fcntl.h>

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

Mp3Bytes::Mp3Bytes(const uint8_t* data, size_t size) : window_(data), filled_(size), size_(size) {}

Mp3Bytes::Mp3Bytes(int fd, uint64_t size, size_t bufferBytes)
    : size_(size), fd_(fd),
      bufferBytes_(static_cast<size_t>(std::min<uint64_t>(bufferBytes, std::max<uint64_t>(size, 4096)))) {}

namespace {

constexpr size_t kPage = 4096;

} // namespace

void Mp3Bytes::FreeBuffer::operator()(uint8_t* buffer) const {
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
    // While the file is copied, a window that would skip a little of it (the rest of a frame's
    // body) starts where the copy stands: one read serves both.
    if (Copying() && from > copied_ && position - copied_ + count <= bufferBytes_ / 2)
        from = copied_;
    const bool keeps = from >= base_ && from - base_ < filled_;
    // A part of the file the window skips (a long tag) is copied on before it moves.
    if (Copying() && !keeps && from > copied_ && !CopyThrough(copied_, from))
        copyFailed_ = true;
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
    if (Copying() && !CopyWindowFrom(copied_))
        copyFailed_ = true;
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

void Mp3Bytes::CopyTo(int to, uint64_t offset) {
    if (fd_ < 0 || to < 0)
        return;
    copyTo_ = to;
    copyOffset_ = offset;
    copied_ = 0;
    copyStarted_ = false;
    copyFailed_ = false;
}

void Mp3Bytes::StartCopy() {
    if (copyTo_ < 0 || copyStarted_)
        return;
    copyStarted_ = true;
    // Blocks reserved in one go cost the disk less than blocks taken one write at a time (a file
    // that fits one block is written in one go anyway). The size the copy's file shows stays what
    // is written.
    if (size_ > bufferBytes_)
        (void)::fallocate(copyTo_, FALLOC_FL_KEEP_SIZE, static_cast<off_t>(copyOffset_),
                          static_cast<off_t>(size_));
    // A window at the file's start goes on at once. One further on (past a long tag) is given up:
    // the next refill copies what lies before it first, and reads it again.
    if (filled_ > 0 && base_ == 0) {
        if (!CopyWindowFrom(0))
            copyFailed_ = true;
    } else {
        window_ = nullptr;
        base_ = 0;
        filled_ = 0;
    }
}

bool Mp3Bytes::CopyWindowFrom(uint64_t from) {
    if (from < base_ || from >= base_ + filled_)
        return true; // nothing of the window follows on from there
    const size_t skip = static_cast<size_t>(from - base_);
    if (!WriteAt(copyTo_, window_ + skip, filled_ - skip, copyOffset_ + from))
        return false;
    copied_ = base_ + filled_;
    return true;
}

bool Mp3Bytes::CopyThrough(uint64_t from, uint64_t to) {
    while (from < to) {
        if (stop_ && stop_->Requested())
            return false;
        uint8_t* window = WindowFor(from);
        const size_t want = static_cast<size_t>(std::min<uint64_t>(bufferBytes_, to - from));
        const size_t got = ReadAt(fd_, window, want, from);
        if (got != want || !WriteAt(copyTo_, window, got, copyOffset_ + from))
            return false;
        from += got;
    }
    copied_ = to;
    return true;
}

bool Mp3Bytes::FinishCopy() {
    if (!Copying())
        return false;
    window_ = nullptr;
    base_ = 0;
    filled_ = 0;
    if (copied_ < size_ && !CopyThrough(copied_, size_))
        copyFailed_ = true;
    return !copyFailed_;
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

} // namespace

Mp3Survey SurveyMp3(const uint8_t* data, size_t size) {
    Mp3Bytes bytes(data, size);
    return SurveyMp3(bytes);
}

Mp3Survey SurveyMp3(Mp3Bytes& bytes) {
    Mp3Survey survey;
    const uint64_t size = bytes.Size();
    survey.fileSize = size;
    const auto unreadable = [&survey, size] {
        survey = Mp3Survey{};
        survey.fileSize = size;
        survey.result = MP3ReadResult::Unreadable;
        return survey;
    };

    uint64_t start = 0;
    if (size >= 10) {
        const uint8_t* head = bytes.At(0, 10);
        if (head == nullptr)
            return unreadable();
        start = Id3v2TagSize(head, 10);
    }
    bool id3v1AtTheEnd = false; // "TAG" in the last 128 bytes
    if (size >= 128) {
        uint8_t tail[3] = {};
        if (!bytes.CopyOut(size - 128, tail, sizeof tail))
            return unreadable();
        id3v1AtTheEnd = std::memcmp(tail, "TAG", 3) == 0;
    }

    // The first frame: past a leading ID3v2 tag (whose pictures may hold chance syncs), the first
    // Layer III header that the next frame confirms. A free-format stream is told by its headers
    // alone: its frames carry no length to follow.
    uint64_t first = start;
    uint8_t firstHeader[4] = {};
    for (;;) {
        bytes.Keep(first);
        if (!FindSync(bytes, first)) {
            if (bytes.Unreadable())
                return unreadable();
            if (first >= size || size - first < 4)
                return survey; // NotMP3
            continue;
        }
        if (!HeaderAt(bytes, first, firstHeader))
            return unreadable();
        const Mp3FrameHeader h = DecodeMp3Header(firstHeader);
        if (h.IsLayer3() && IsConfirmedFrame(bytes, first, firstHeader, h.frameLength, id3v1AtTheEnd))
            break;
        if (h.IsFreeFormatLayer3() && IsConfirmedFreeFormatFrame(bytes, first, h)) {
            survey.result = MP3ReadResult::FreeFormat;
            return survey;
        }
        if (bytes.Unreadable())
            return unreadable();
        ++first;
    }
    survey.firstFrame = first;
    bytes.StartCopy();
    survey.format = DecodeMp3Header(firstHeader);
    const int firstLength = survey.format.frameLength;
    {
        const uint8_t* frame = bytes.At(first, static_cast<size_t>(firstLength));
        if (frame == nullptr)
            return unreadable();
        survey.tag = ReadInfoTag(frame, static_cast<size_t>(firstLength));
        survey.firstFrameBlank =
            std::all_of(frame + 4, frame + firstLength, [](uint8_t b) { return b == 0; });
    }

    // Three walks from the first frame, in step through the file's window: each turn moves the one
    // furthest behind. counted: the chain of frame lengths, re-synchronising by search; whole: the
    // whole Layer III frames; plain: the frames as long as they stand one behind the other.
    uint64_t counted = first;
    uint64_t whole = first;
    uint64_t plain = first;
    bool countedOn = true;
    bool wholeOn = true;
    bool plainOn = first == start;
    const uint64_t plainEnd = id3v1AtTheEnd && size - first > 128 ? size - 128 : size;
    const bool mono = survey.format.Mono();
    // The length of the frame whose header is `header` if it goes on the plain stream, else 0: the
    // same sync, version and layer bits (the protection bit may differ), sample rate and channel
    // count, and a bitrate index that gives a length that the file holds.
    const auto plainLength = [&](const uint8_t(&header)[4], uint64_t at) -> uint64_t {
        const int length = DecodeMp3Header(header).frameLength;
        if (header[0] != 0xFF || (header[1] & 0xFE) != (firstHeader[1] & 0xFE) ||
            ((header[2] ^ firstHeader[2]) & 0x0C) != 0 ||
            ((header[3] >> 6) == Mp3FrameHeader::kSingleChannel) != mono || length <= 0 ||
            static_cast<uint64_t>(length) > size - at)
            return 0;
        return static_cast<uint64_t>(length);
    };
    // The frames of a stream mostly repeat a header or two (at a constant bitrate they differ in
    // the padding bit alone): the last plain header's length is kept, and not worked out anew.
    uint8_t lastHeader[4] = {};
    uint64_t lastLength = 0;
    while (countedOn || wholeOn || plainOn) {
        uint8_t header[4];
        // The usual case: the three walks stand on the same frame of a plain stream, and all three
        // take it.
        if (plainOn && countedOn && wholeOn && counted == plain && whole == plain && plain != plainEnd &&
            size - plain >= 4) {
            bytes.Keep(plain);
            if (!HeaderAt(bytes, plain, header))
                return unreadable();
            uint64_t length = lastLength;
            if (std::memcmp(header, lastHeader, 4) != 0 || length > size - plain) {
                length = plainLength(header, plain);
                std::memcpy(lastHeader, header, 4);
                lastLength = length;
            }
            if (length != 0) {
                const auto samples = static_cast<uint64_t>(survey.format.samplesPerFrame);
                ++survey.plainFrames;
                survey.sampleCount += samples;
                survey.wholeFrameSamples += samples;
                plain += length;
                counted = whole = plain;
                continue;
            }
        }
        uint64_t behind = UINT64_MAX;
        for (const auto& [on, at] : {std::pair{countedOn, counted}, {wholeOn, whole}, {plainOn, plain}})
            if (on)
                behind = std::min(behind, at);
        bytes.Keep(behind);
        if (countedOn && counted == behind) {
            if (!FindSync(bytes, counted)) {
                countedOn = counted < size;
            } else if (HeaderAt(bytes, counted, header)) {
                const Mp3FrameHeader h = DecodeMp3Header(header);
                if (h.frameLength == 0) {
                    ++counted;
                } else {
                    survey.sampleCount += static_cast<uint64_t>(h.samplesPerFrame);
                    counted += static_cast<uint64_t>(h.frameLength);
                }
            }
        } else if (wholeOn && whole == behind) {
            if (!FindSync(bytes, whole)) {
                wholeOn = whole < size;
            } else if (HeaderAt(bytes, whole, header)) {
                const Mp3FrameHeader h = DecodeMp3Header(header);
                if (!h.IsLayer3()) {
                    ++whole; // junk between frames: look for the next one
                } else if (static_cast<uint64_t>(h.frameLength) > size - whole) {
                    wholeOn = false; // cut off by the end of the data
                } else {
                    survey.wholeFrameSamples += static_cast<uint64_t>(h.samplesPerFrame);
                    whole += static_cast<uint64_t>(h.frameLength);
                }
            }
        } else {
            if (plain == size || plain == plainEnd) {
                survey.plain = true;
                plainOn = false;
            } else if (size - plain < 4) {
                plainOn = false;
            } else if (HeaderAt(bytes, plain, header)) {
                const uint64_t length = plainLength(header, plain);
                plainOn = length != 0;
                if (plainOn) {
                    ++survey.plainFrames;
                    plain += length;
                }
            }
        }
        if (bytes.Unreadable())
            return unreadable();
    }
    if (!survey.plain)
        survey.plainFrames = 0;
    survey.result = MP3ReadResult::Ok;
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

} // namespace

Mp3ExactSound FindExactSound(Mp3Bytes& bytes, const Mp3Survey& survey) {
    Mp3ExactSound sound;
    if (survey.result != MP3ReadResult::Ok)
        return sound;
    const uint64_t end = SoundEnd(bytes, survey.firstFrame);
    uint8_t first[4] = {};
    if (!HeaderAt(bytes, survey.firstFrame, first))
        return sound;
    const bool mono = survey.format.Mono();
    // A Layer III frame of the stream at `at` and its length, 0 for none.
    const auto frameLengthAt = [&](uint64_t at, uint8_t(&header)[4]) -> uint64_t {
        if (end - at < 4 || !HeaderAt(bytes, at, header))
            return 0;
        const Mp3FrameHeader h = DecodeMp3Header(header);
        if (!h.IsLayer3() || !SameStream(header, first) || h.Mono() != mono ||
            static_cast<uint64_t>(h.frameLength) > end - at)
            return 0;
        return static_cast<uint64_t>(h.frameLength);
    };
    // A frame found by a search: the next frame, a tag or the end of the sound follows it.
    const auto confirmed = [&](uint64_t next) {
        uint8_t header[4];
        return next == end || frameLengthAt(next, header) > 0 || TagLengthAt(bytes, next, end) > 0;
    };
    uint64_t at = survey.firstFrame;
    bool chained = true; // at stands where the frame or tag before it ends
    while (at < end && !bytes.Unreadable()) {
        bytes.Keep(at);
        uint8_t header[4];
        const uint64_t length = frameLengthAt(at, header);
        if (length > 0 && (chained || confirmed(at + length))) {
            const uint8_t* frame = bytes.At(at, static_cast<size_t>(length));
            if (frame == nullptr)
                break;
            const Mp3InfoTag tag = ReadInfoTag(frame, static_cast<size_t>(length));
            // lame writes its tag frame blank first and fills it in at the end: one left blank is no
            // sound either.
            if (tag.present || tag.vbri || (at == survey.firstFrame && survey.firstFrameBlank)) {
                ++sound.tagFrames;
            } else {
                ++sound.frames;
                sound.bytes += length;
                if (!sound.ranges.empty() && sound.ranges.back().offset + sound.ranges.back().size == at)
                    sound.ranges.back().size += length;
                else
                    sound.ranges.push_back({at, length});
            }
            at += length;
            chained = true;
            continue;
        }
        if (const uint64_t tagLength = TagLengthAt(bytes, at, end); chained && tagLength > 0) {
            at += tagLength;
            continue;
        }
        // Bytes that are no frame: the next sync on.
        chained = false;
        ++at;
        while (at < end && !FindSync(bytes, at) && !bytes.Unreadable())
            ;
    }
    if (bytes.Unreadable())
        return Mp3ExactSound{};

    const Mp3InfoTag& tag = survey.tag;
    const uint64_t decoded = sound.frames * static_cast<uint64_t>(survey.format.samplesPerFrame);
    const int delay = tag.present && tag.delaysNoted ? tag.delay : kLameEncoderDelay;
    sound.seekSamples = delay + kMp3DecoderDelay;
    sound.tagCounted = tag.present && tag.delaysNoted && tag.frames == sound.frames && sound.frames > 0;
    const uint64_t trimmed = sound.tagCounted ? static_cast<uint64_t>(tag.delay + tag.padding)
                                              : static_cast<uint64_t>(sound.seekSamples);
    sound.sampleCount = decoded > trimmed ? decoded - trimmed : 0;
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
