// MP3 frame reader and FDTDefineSoundMP3: header decoding, format fields, the frame walk, ID3v2
// tags, rejected files and their diagnostics, on synthesized frames and on files made by lame.
#include "FDTSoundMP3.h"
#include "FileBytes.h"

#include "common/swf_dump.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

using swftest::Bytes;
namespace fs = std::filesystem;

namespace {

// One frame: the four header bytes, then zeros up to the frame length the header declares
// (or `length` bytes in all when given).
Bytes Frame(U8 b1, U8 b2, U8 b3, int length = 0) {
    const U8 header[4] = {0xFF, b1, b2, b3};
    if (length == 0)
        length = DecodeMp3Header(header).frameLength;
    Bytes frame(static_cast<size_t>(length < 4 ? 4 : length), 0);
    std::copy(header, header + 4, frame.begin());
    return frame;
}

Bytes Repeat(const Bytes& part, int times) {
    Bytes all;
    for (int i = 0; i < times; ++i)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes operator+(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// An ID3v2.3 tag of `bodySize` body bytes holding `body` at its start, with the footer flag if asked.
Bytes Id3v2Tag(const Bytes& body, size_t bodySize, bool footer = false) {
    Bytes tag = {'I',
                 'D',
                 '3',
                 3,
                 0,
                 static_cast<U8>(footer ? 0x10 : 0),
                 static_cast<U8>((bodySize >> 21) & 0x7F),
                 static_cast<U8>((bodySize >> 14) & 0x7F),
                 static_cast<U8>((bodySize >> 7) & 0x7F),
                 static_cast<U8>(bodySize & 0x7F)};
    Bytes padded = body;
    padded.resize(bodySize, 0);
    tag = tag + padded;
    if (footer)
        tag = tag + Bytes{'3', 'D', 'I', 3, 0, 0x10, tag[6], tag[7], tag[8], tag[9]};
    return tag;
}

const Bytes kMpeg1Stereo = Frame(0xFB, 0x90, 0x64);  // MPEG-1, 128 kbps, 44100 Hz, joint stereo: 417 bytes
const Bytes kMpeg2Mono = Frame(0xF3, 0x64, 0xC4);    // MPEG-2, 48 kbps, 24000 Hz, single channel: 144 bytes
const Bytes kMpeg2Mono22k = Frame(0xF3, 0x40, 0xC4); // MPEG-2, 32 kbps, 22050 Hz, single channel
const Bytes kMpeg25 = Frame(0xE3, 0x18, 0xC4);       // MPEG-2.5, 8 kbps, 8000 Hz, single channel
const Bytes kMpeg1At48k = Frame(0xFB, 0x94, 0x64);   // MPEG-1, 128 kbps, 48000 Hz
const Bytes kLayer2 = Frame(0xFD, 0x94, 0x04, 384);  // MPEG-1 Layer II, 128 kbps, 48000 Hz

// A free-format frame (MPEG-2, 22050 Hz, single channel) whose audio holds a chance header of
// MPEG-2.5, 11025 Hz, stereo.
Bytes FreeFormatFrame() {
    Bytes frame = Frame(0xF3, 0x00, 0xC4, 300);
    const Bytes chance = {0xFF, 0xE3, 0x40, 0x00};
    std::copy(chance.begin(), chance.end(), frame.begin() + 100);
    return frame;
}

struct ReadResult {
    bool ok = false;
    SoundParams params{};
    Bytes data;         // the sound's data: its seek samples, then the copy the walk made of the file
    std::string output; // the reader's diagnostic
};

// A copy of the file the walk feeds, into a file as the movie's file takes it: each block written
// on at its own offset. Once a write fails, it takes nothing more.
struct FileCopy : Mp3BlockSink {
    FileCopy(int to, std::function<void()> start) : fd(to), onStart(std::move(start)) {}
    bool Start(uint64_t /*fileSize*/) override {
        onStart();
        return true;
    }
    bool Write(const uint8_t* data, size_t size) override {
        writesAfterAFailure += failed ? 1 : 0;
        failed = failed || !WriteAt(fd, data, size, copied);
        copied += failed ? 0 : size;
        return !failed;
    }
    int fd;
    std::function<void()> onStart;
    uint64_t copied = 0;
    bool failed = false;
    int writesAfterAFailure = 0;
};

// The walk over `file` held in a file of its own, through a window that holds all of it.
Mp3Survey SurveyOf(const Bytes& file) {
    const int fd = ::memfd_create("mp3", MFD_CLOEXEC);
    EXPECT_TRUE(fd >= 0 && WriteAt(fd, file.data(), file.size(), 0));
    Mp3Bytes bytes(fd, file.size());
    const Mp3Survey survey = SurveyMp3(bytes);
    ::close(fd);
    return survey;
}

Bytes FileContent(FILE* file) {
    return swftest::ReadFileBytes("/proc/self/fd/" + std::to_string(::fileno(file)));
}

// Reads the file as the program does: walked in blocks (of 8 KiB here) and copied as it is walked,
// into a sound definition. The walk finds what the walk through a window that holds the whole file
// finds, and copies the file once it has found a frame; a file with none, not a byte. A sound
// whose bytes were put in place holds what the sound copied from the file holds: the file behind
// its seek samples, or nothing.
ReadResult ReadFile(const std::string& path) {
    ReadResult result;
    const Bytes bytes = swftest::ReadFileBytes(path);
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        ADD_FAILURE() << "cannot open " << path;
        return result;
    }
    Mp3Bytes blocks(fd, bytes.size(), 8192);
    FILE* copy = std::tmpfile();
    FileCopy sink(::fileno(copy), [] {});
    ::testing::internal::CaptureStdout();
    const Mp3Survey inBlocks = SurveyMp3(blocks, &sink);
    FDTDefineSoundMP3 sound(fd, inBlocks);
    const auto placed = FDTDefineSoundMP3::WrittenInPlace(bytes.size());
    placed->TakeFormat(inBlocks);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "the reader writes nothing itself";
    ::close(fd);
    EXPECT_EQ(sound.DefinitionId(), 0) << "the movie that takes it gives the id";
    EXPECT_EQ(sound.Params().dataSize, sound.ReadResult() == MP3ReadResult::Ok ? bytes.size() + 2 : 0);
    EXPECT_EQ(placed->ReadResult(), sound.ReadResult());
    EXPECT_EQ(placed->Params().rate, sound.Params().rate);
    EXPECT_EQ(placed->Params().stereo, sound.Params().stereo);
    EXPECT_EQ(placed->Params().dataSize, sound.Params().dataSize);
    EXPECT_EQ(placed->Params().sampleCount, sound.Params().sampleCount);
    result.ok = sound.ReadResult() == MP3ReadResult::Ok;
    result.params = sound.Params();
    result.output = sound.Diagnostic();
    const Bytes copied = FileContent(copy);
    std::fclose(copy);
    EXPECT_EQ(copied, inBlocks.result == MP3ReadResult::Ok ? bytes : Bytes());
    if (result.ok)
        result.data = Bytes(2, 0) + copied;
    const Mp3Survey inOneWindow = SurveyOf(bytes);
    EXPECT_EQ(inBlocks.result, inOneWindow.result);
    EXPECT_EQ(inBlocks.firstFrame, inOneWindow.firstFrame);
    EXPECT_EQ(inBlocks.sampleCount, inOneWindow.sampleCount);
    EXPECT_EQ(inBlocks.wholeFrameSamples, inOneWindow.wholeFrameSamples);
    EXPECT_EQ(inBlocks.plainFrames, inOneWindow.plainFrames);
    return result;
}

class Mp3Reader : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        path =
            (fs::temp_directory_path() / ("tavrel-mp3-" + std::to_string(::getpid()) + "-" + name + ".mp3"))
                .string();
    }
    void TearDown() override { fs::remove(path); }

    ReadResult Read(const Bytes& bytes) {
        swftest::WriteFileBytes(path, bytes);
        return ReadFile(path);
    }

    std::string path;
};

// ---- Header decoding -------------------------------------------------------------------------

struct HeaderCase {
    Bytes header;
    int samplesPerFrame, frameLength, version, layer, bitrate, sampleRate, channelMode;
    bool usable; // a header of any layer whose sample rate can be trusted
};

void PrintTo(const HeaderCase& row, std::ostream* out) {
    *out << swftest::Hex(row.header);
}

class FrameHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FrameHeader, Decodes) {
    const HeaderCase& row = GetParam();
    const Mp3FrameHeader h = DecodeMp3Header(row.header.data());
    EXPECT_EQ(h.samplesPerFrame, row.samplesPerFrame);
    EXPECT_EQ(h.frameLength, row.frameLength);
    EXPECT_EQ(h.version, row.version);
    EXPECT_EQ(h.layer, row.layer);
    EXPECT_EQ(h.bitrate, row.bitrate);
    EXPECT_EQ(h.sampleRate, row.sampleRate);
    EXPECT_EQ(h.channelMode, row.channelMode);
    EXPECT_EQ(h.IsUsable(), row.usable);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrameHeader,
    ::testing::Values(
        HeaderCase{{0xFF, 0xFB, 0x90, 0x64}, 1152, 417, 3, 1, 128000, 44100, 1, true},
        HeaderCase{{0xFF, 0xFB, 0x92, 0x64}, 1152, 418, 3, 1, 128000, 44100, 1, true}, // padding
        HeaderCase{{0xFF, 0xF3, 0x64, 0xC4}, 576, 144, 2, 1, 48000, 24000, 3, true},
        HeaderCase{{0xFF, 0xFB, 0xE0, 0x00}, 1152, 1044, 3, 1, 320000, 44100, 0, true},
        HeaderCase{{0xFF, 0xE3, 0x18, 0xC0}, 576, 72, 0, 1, 8000, 8000, 3, true},
        HeaderCase{{0xFF, 0xF3, 0xE0, 0x00}, 576, 522, 2, 1, 160000, 22050, 0, true},
        HeaderCase{{0xFF, 0xFB, 0x00, 0x00}, 1152, 0, 3, 1, 0, 44100, 0, true},         // free format
        HeaderCase{{0xFF, 0xFB, 0xF0, 0x00}, 1152, 0, 3, 1, 0, 44100, 0, false},        // bitrate 15
        HeaderCase{{0xFF, 0xEB, 0x90, 0x00}, 576, 0, 1, 1, 80000, 0, 0, false},         // reserved version
        HeaderCase{{0xFF, 0xFB, 0x9C, 0x00}, 1152, 0, 3, 1, 128000, 0, 0, false},       // rate index 3
        HeaderCase{{0xFF, 0xF9, 0x90, 0x00}, 1152, 417, 3, 0, 128000, 44100, 0, false}, // layer 00
        HeaderCase{{0xFE, 0xFB, 0x90, 0x64}, 1152, 417, 3, 1, 128000, 44100, 1, false}, // no sync
        HeaderCase{{0xFF, 0xFD, 0x94, 0x04}, 1152, 384, 3, 2, 128000, 48000, 0, true}));

TEST(FrameSync, NeedsFFAndThreeHighBits) {
    const U8 sync[] = {0xFF, 0xE0};
    const U8 syncAllSet[] = {0xFF, 0xFF};
    const U8 notSync[] = {0xFF, 0xD8};
    const U8 wrongFirst[] = {0xFE, 0xFF};
    EXPECT_TRUE(IsFrameSync(sync));
    EXPECT_TRUE(IsFrameSync(syncAllSet));
    EXPECT_FALSE(IsFrameSync(notSync));
    EXPECT_FALSE(IsFrameSync(wrongFirst));
}

TEST(FrameSync, Layer3HeaderRule) {
    EXPECT_TRUE(DecodeMp3Header(kMpeg1Stereo.data()).IsLayer3());
    EXPECT_TRUE(DecodeMp3Header(kMpeg25.data()).IsLayer3());
    const Bytes rejected[] = {{0xFF, 0xEB, 0x90, 0x00},  // reserved version
                              {0xFF, 0xFD, 0x90, 0x00},  // Layer II
                              {0xFF, 0xFF, 0x90, 0x00},  // Layer I
                              {0xFF, 0xF9, 0x90, 0x00},  // layer bits 00
                              {0xFF, 0xFB, 0x00, 0x00},  // free format
                              {0xFF, 0xFB, 0xF0, 0x00},  // bitrate index 15
                              {0xFF, 0xFB, 0x9C, 0x00},  // sample-rate index 3
                              {0xFF, 0xD8, 0xFF, 0xE0}}; // no sync
    for (const Bytes& header : rejected)
        EXPECT_FALSE(DecodeMp3Header(header.data()).IsLayer3()) << swftest::Hex(header);
}

// ---- The walk's figures ------------------------------------------------------------------------

struct WalkCase {
    const char* name;
    Bytes file;
    uint64_t firstFrame;
    uint64_t sampleCount;       // the chain of frame lengths, a cut last frame counted
    uint64_t wholeFrameSamples; // whole Layer III frames only
    uint64_t plainFrames;       // 0: not laid out plainly
};

void PrintTo(const WalkCase& row, std::ostream* out) {
    *out << row.name;
}

class Mp3Walk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(Mp3Walk, Figures) {
    const WalkCase& row = GetParam();
    const Mp3Survey survey = SurveyOf(row.file);
    ASSERT_EQ(survey.result, MP3ReadResult::Ok);
    EXPECT_EQ(survey.firstFrame, row.firstFrame);
    EXPECT_EQ(survey.sampleCount, row.sampleCount);
    EXPECT_EQ(survey.wholeFrameSamples, row.wholeFrameSamples);
    EXPECT_EQ(survey.plain, row.plainFrames != 0);
    EXPECT_EQ(survey.plainFrames, row.plainFrames);
}

Bytes Id3v1() {
    Bytes tag(128, ' ');
    std::copy_n("TAG", 3, tag.begin());
    return tag;
}

const Bytes kNoTagHeader = {'I', 'D', '3', 3, 0, 0, 0x80, 0x00, 0x00, 0x10}; // a size byte with its top bit

INSTANTIATE_TEST_SUITE_P(
    Rows, Mp3Walk,
    ::testing::Values(
        WalkCase{"plain", Repeat(kMpeg1Stereo, 3), 0, 3 * 1152, 3 * 1152, 3},
        WalkCase{"ID3v2 and ID3v1 tags", Id3v2Tag({}, 20) + Repeat(kMpeg2Mono, 2) + Id3v1(), 30, 2 * 576,
                 2 * 576, 2},
        WalkCase{"protection bit differs", kMpeg1Stereo + Frame(0xFA, 0x90, 0x64), 0, 2 * 1152, 2 * 1152, 2},
        WalkCase{"bitrate differs", kMpeg1Stereo + Frame(0xFB, 0xA0, 0x64) + kMpeg1Stereo, 0, 3 * 1152,
                 3 * 1152, 3},
        WalkCase{"channels differ", kMpeg1Stereo + kMpeg1Stereo + Frame(0xFB, 0x90, 0xC4), 0, 3 * 1152,
                 3 * 1152, 0},
        WalkCase{"junk in front", Bytes{1, 2, 3} + Repeat(kMpeg1Stereo, 2), 3, 2 * 1152, 2 * 1152, 0},
        WalkCase{"junk between", kMpeg1Stereo + kMpeg1Stereo + Bytes{0xFF, 0x00, 7} + kMpeg1Stereo, 0,
                 3 * 1152, 3 * 1152, 0},
        WalkCase{"last frame cut short", Repeat(kMpeg1Stereo, 3) + Bytes{0xFF, 0xFB, 0x90, 0x64, 0}, 0,
                 4 * 1152, 3 * 1152, 0},
        WalkCase{"Layer II header between", Repeat(kMpeg1Stereo, 2) + kLayer2 + kMpeg1Stereo, 0, 4 * 1152,
                 3 * 1152, 0},
        // A size byte with its top bit set is no ID3v2 size: the ten bytes are no tag, and the frames
        // are searched for from the first byte (masking the bit would skip 16 bytes into the frame).
        WalkCase{"no ID3v2 tag", kNoTagHeader + Repeat(kMpeg2Mono, 2), 10, 2 * 576, 2 * 576, 0}));

// ---- Reading synthesized files -----------------------------------------------------------------

TEST_F(Mp3Reader, HundredFramesOfMpeg1JointStereo) {
    const Bytes file = Repeat(kMpeg1Stereo, 100);
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.params.format, 2);
    EXPECT_EQ(r.params.rate, 3);
    EXPECT_EQ(r.params.sampleSize, 1);
    EXPECT_EQ(r.params.stereo, 1);
    EXPECT_EQ(r.params.sampleCount, 100u * 1152);
    ASSERT_EQ(r.data.size(), file.size() + 2);
    EXPECT_EQ(swftest::Hex(Bytes(r.data.begin(), r.data.begin() + 4)), "00 00 FF FB");
    EXPECT_TRUE(std::equal(file.begin(), file.end(), r.data.begin() + 2));
}

// A file of several megabytes goes into a block of its own kind (aligned for large pages); it
// must read and free like any other.
TEST_F(Mp3Reader, LargeFileIsReadWhole) {
    const Bytes file = Repeat(kMpeg1Stereo, 24000) + Bytes{'e', 'n', 'd'}; // about 10 MB
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.params.sampleCount, 24000u * 1152);
    ASSERT_EQ(r.data.size(), file.size() + 2);
    EXPECT_EQ(r.data[0], 0);
    EXPECT_EQ(r.data[1], 0);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), r.data.begin() + 2));
}

struct FormatCase {
    const char* name;
    Bytes frame;
    U8 rate;
    U8 stereo;
    U32 samplesPerFrame;
};

void PrintTo(const FormatCase& row, std::ostream* out) {
    *out << row.name;
}

class Mp3Formats : public Mp3Reader, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(Mp3Formats, FieldsFromTheFirstFrame) {
    const FormatCase& row = GetParam();
    const ReadResult r = Read(Repeat(row.frame, 3));
    ASSERT_TRUE(r.ok) << r.output;
    EXPECT_EQ(r.params.rate, row.rate);
    EXPECT_EQ(r.params.stereo, row.stereo);
    EXPECT_EQ(r.params.sampleCount, 3 * row.samplesPerFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Mp3Formats,
    ::testing::Values(FormatCase{"MPEG-1 44100 stereo", kMpeg1Stereo, 3, 1, 1152},
                      FormatCase{"MPEG-1 44100 mono", Frame(0xFB, 0x90, 0xC4), 3, 0, 1152},
                      FormatCase{"MPEG-1 44100 dual channel", Frame(0xFB, 0x90, 0x84), 3, 1, 1152},
                      FormatCase{"MPEG-2 22050 mono", kMpeg2Mono22k, 2, 0, 576},
                      FormatCase{"MPEG-2 24000 mono", kMpeg2Mono, 2, 0, 576},
                      FormatCase{"MPEG-2.5 11025 stereo", Frame(0xE3, 0x40, 0x00), 1, 1, 576},
                      FormatCase{"MPEG-2.5 12000 mono", Frame(0xE3, 0x44, 0xC0), 1, 0, 576},
                      FormatCase{"MPEG-2.5 8000 mono", kMpeg25, 0, 0, 576}));

struct RejectCase {
    const char* name;
    Bytes file;
    const char* output;
};

void PrintTo(const RejectCase& row, std::ostream* out) {
    *out << row.name;
}

class Mp3Rejected : public Mp3Reader, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(Mp3Rejected, SaysWhyOnStandardOutput) {
    const RejectCase& row = GetParam();
    const ReadResult r = Read(row.file);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.output, row.output);
}

const std::string kText = "A text file: no byte 0xFF anywhere.\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, Mp3Rejected,
    ::testing::Values(
        RejectCase{"empty file", {}, "Not an MP3 format file"},
        RejectCase{"text", Bytes(kText.begin(), kText.end()), "Not an MP3 format file"},
        RejectCase{
            "sync cut short by the end of the file", {0x00, 0xFF, 0xFB, 0x90}, "Not an MP3 format file"},
        RejectCase{"FF without 111xxxxx after it",
                   {0xFF, 0x00, 0xFF, 0xDF, 0x00, 0x00, 0x00},
                   "Not an MP3 format file"},
        RejectCase{"MPEG-1 48000", Repeat(kMpeg1At48k, 2), "Sample rate 48000 unsupported"},
        RejectCase{"MPEG-1 32000", Repeat(Frame(0xFB, 0x98, 0x64), 2), "Sample rate 32000 unsupported"},
        RejectCase{"MPEG-2 16000", Repeat(Frame(0xF3, 0x48, 0xC4), 2), "Sample rate 16000 unsupported"},
        RejectCase{"Layer II frames only", Repeat(kLayer2, 3), "Not an MP3 format file"},
        RejectCase{"Layer I frames only", Repeat(Frame(0xFF, 0x94, 0x04, 128), 3), "Not an MP3 format file"},
        RejectCase{"syncs with reserved values only", Repeat(Bytes{0xFF, 0xEB, 0x9C, 0x00}, 4),
                   "Not an MP3 format file"},
        RejectCase{"free format", Repeat(FreeFormatFrame(), 3), "Free format MP3 unsupported"},
        RejectCase{"one frame and bytes that are no frame", kMpeg1Stereo + Bytes{0, 0, 0},
                   "Not an MP3 format file"}));

TEST_F(Mp3Reader, TrailingBytesStayInTheDataAndAddNoSamples) {
    const std::string tail = "trailing text, no sync";
    const Bytes file = Repeat(kMpeg1Stereo, 4) + Bytes(tail.begin(), tail.end());
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.params.sampleCount, 4u * 1152);
    EXPECT_EQ(r.data.size(), file.size() + 2);
}

TEST_F(Mp3Reader, BytesBeforeTheFirstFrameAreSkippedByTheWalk) {
    const Bytes file = Bytes{'j', 'u', 'n', 'k', 0xFF, 0x00} + Repeat(kMpeg1Stereo, 2);
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.params.sampleCount, 2u * 1152);
    EXPECT_EQ(r.data.size(), file.size() + 2);
}

TEST_F(Mp3Reader, AnInvalidSyncBeforeTheFirstFrameDoesNotGiveTheFormat) {
    // FF E0: MPEG-2.5 bits with layer bits 00; FF FB 9C: sample-rate index 3; FF FB 94 64: a valid
    // MPEG-1 48000 Hz header that no frame follows.
    const Bytes file = Bytes{0xFF, 0xE0, 0x00, 0x00, 0xFF, 0xFB, 0x9C, 0x00, 0xFF, 0xFB, 0x94, 0x64} +
                       Repeat(kMpeg2Mono22k, 2);
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok) << r.output;
    EXPECT_EQ(r.params.rate, 2);
    EXPECT_EQ(r.params.stereo, 0);
    EXPECT_EQ(r.params.sampleCount, 2u * 576);
}

TEST_F(Mp3Reader, ZeroLengthHeaderMovesTheWalkOnByOneByte) {
    // A free-format header (bitrate index 0) between frames: no length to follow, no samples.
    const Bytes file = Repeat(kMpeg1Stereo, 2) + Bytes{0xFF, 0xFB, 0x00, 0x00, 0x00} + kMpeg1Stereo;
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.params.sampleCount, 3u * 1152);
}

TEST_F(Mp3Reader, ZeroLengthHeaderAtTheVeryEndEndsTheWalk) {
    const ReadResult r = Read(Repeat(kMpeg1Stereo, 2) + Bytes{0xFF, 0xFB, 0xF0, 0x00});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.params.sampleCount, 2u * 1152);
}

// Nothing follows a lone frame to confirm it: the end of the data does, also behind an ID3v1 tag.
TEST_F(Mp3Reader, OneFrameIsConfirmedByTheEndOfTheData) {
    Bytes id3v1(128, ' ');
    std::copy_n("TAG", 3, id3v1.begin());
    for (const Bytes& file : {kMpeg2Mono, kMpeg2Mono + id3v1}) {
        const ReadResult r = Read(file);
        ASSERT_TRUE(r.ok) << r.output;
        EXPECT_EQ(r.params.sampleCount, 576u);
        EXPECT_EQ(r.data.size(), file.size() + 2);
    }
}

// A DefineSound declares its samples in 32 bits: an MPEG-2.5 8000 Hz sound of 587 MB has more.
TEST(SampleCount, ThatDoesNotFit32BitsIsRefusedNotCut) {
    const struct {
        uint64_t samples;
        bool fits;
        const char* output;
    } rows[] = {{1152, true, ""},
                {0xFFFFFFFFu, true, ""},
                {0x100000000u, false, "Sound too long: 4294967296 samples, a sound holds at most 4294967295"},
                {4697650944u, false, "Sound too long: 4697650944 samples, a sound holds at most 4294967295"}};
    for (const auto& row : rows) {
        EXPECT_EQ(SampleCountProblem(row.samples), row.output) << row.samples;
        // A walk that counted them gives no sound rather than one with the count cut.
        Mp3Survey survey;
        survey.result = MP3ReadResult::Ok;
        survey.format.sampleRate = 8000;
        survey.sampleCount = row.samples;
        std::string diagnostic;
        EXPECT_EQ(Mp3MovieResult(survey, &diagnostic) == MP3ReadResult::Ok, row.fits) << row.samples;
        EXPECT_EQ(diagnostic, row.output);
    }
}

TEST_F(Mp3Reader, Id3v2TagWithAChanceSyncIsSkipped) {
    // The picture holds FF FB 94 64, a good-looking MPEG-1 header at 48000 Hz, and FF FE.
    const Bytes tag = Id3v2Tag({'A', 'P', 'I', 'C', 0xFF, 0xFE, 0x00, 0x00, 0xFF, 0xFB, 0x94, 0x64}, 500);
    const Bytes file = tag + Repeat(kMpeg2Mono22k, 5);
    const ReadResult r = Read(file);
    ASSERT_TRUE(r.ok) << r.output;
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.params.rate, 2);
    EXPECT_EQ(r.params.stereo, 0);
    EXPECT_EQ(r.params.sampleCount, 5u * 576);
    ASSERT_EQ(r.data.size(), file.size() + 2);
    EXPECT_EQ(r.data[2], 'I') << "the tag stays in the sound data";
}

TEST_F(Mp3Reader, Id3v2TagWithFooterIsSkipped) {
    const Bytes tag = Id3v2Tag({0xFF, 0xFB, 0x94, 0x64}, 100, true);
    ASSERT_EQ(tag.size(), 120u);
    const ReadResult r = Read(tag + Repeat(kMpeg1Stereo, 2));
    ASSERT_TRUE(r.ok) << r.output;
    EXPECT_EQ(r.params.rate, 3);
    EXPECT_EQ(r.params.sampleCount, 2u * 1152);
}

TEST_F(Mp3Reader, Id3v2TagLongerThanTheFileMeansNoFrame) {
    const Bytes tag = Id3v2Tag({}, 4000);
    const ReadResult r = Read(Bytes(tag.begin(), tag.begin() + 10) + Repeat(kMpeg1Stereo, 2));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.output, "Not an MP3 format file");
}

// ---- The copy the walk feeds -------------------------------------------------------------------

struct CopyCase {
    const char* name;
    const char* target; // "file", "/dev/full" or "closed"
    bool cutDuringTheWalk;
    MP3ReadResult result;
};

void PrintTo(const CopyCase& row, std::ostream* out) {
    *out << row.name;
}

class WalkCopy : public Mp3Reader, public ::testing::WithParamInterface<CopyCase> {};

// A copy that fails is fed no block more, and the walk goes on to its end; a file cut short during
// the walk cannot be read to its end and leaves its copy short.
TEST_P(WalkCopy, TakesTheWholeFileOrStopsWhereItFailed) {
    const CopyCase& row = GetParam();
    const Bytes file = Repeat(kMpeg1Stereo, 200); // 83,400 bytes: ten blocks and more
    swftest::WriteFileBytes(path, file);
    const int fd = ::open(path.c_str(), O_RDONLY);
    FILE* copy = std::tmpfile();
    const std::string target = row.target;
    const int to = target == "file"     ? ::fileno(copy)
                   : target == "closed" ? ::dup(::fileno(copy))
                                        : ::open("/dev/full", O_WRONLY);
    if (target == "closed")
        ::close(to);
    FileCopy sink(to, [&] { ASSERT_TRUE(!row.cutDuringTheWalk || ::truncate(path.c_str(), 20000) == 0); });
    Mp3Bytes bytes(fd, file.size(), 8192);
    EXPECT_EQ(SurveyMp3(bytes, &sink).result, row.result);
    ::close(fd);
    EXPECT_EQ(sink.copied == file.size(), target == "file" && !row.cutDuringTheWalk) << sink.copied;
    EXPECT_EQ(sink.writesAfterAFailure, 0);
    const Bytes copied = FileContent(copy);
    EXPECT_TRUE(std::equal(copied.begin(), copied.end(), file.begin())) << "the file's first bytes, in order";
    if (target == "/dev/full")
        ::close(to);
    std::fclose(copy);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WalkCopy,
    ::testing::Values(CopyCase{"into a file", "file", false, MP3ReadResult::Ok},
                      CopyCase{"onto a full disk", "/dev/full", false, MP3ReadResult::Ok},
                      CopyCase{"into a closed descriptor", "closed", false, MP3ReadResult::Ok},
                      CopyCase{"of a file cut short during the walk", "file", true,
                               MP3ReadResult::Unreadable}));

// ---- Files made by lame (tests/data/make-mp3.sh) -------------------------------------------------

struct DataFileCase {
    const char* file;
    bool accepted;
    U8 rate;
    U8 stereo;
    U32 samplesPerFrame;
    const char* output;
};

void PrintTo(const DataFileCase& row, std::ostream* out) {
    *out << row.file;
}

class Mp3DataFiles : public ::testing::TestWithParam<DataFileCase> {};

TEST_P(Mp3DataFiles, Read) {
    const DataFileCase& row = GetParam();
    const std::string path = std::string(TAVREL_TEST_DATA_DIR) + "/mp3/" + row.file;
    const ReadResult r = ReadFile(path);
    EXPECT_EQ(r.ok, row.accepted) << r.output;
    EXPECT_EQ(r.output, row.output);
    if (!r.ok || !row.accepted)
        return;
    EXPECT_EQ(r.params.rate, row.rate);
    EXPECT_EQ(r.params.stereo, row.stereo);
    // A fifth of a second plus the encoder's delay and its header frame: a handful of frames.
    EXPECT_EQ(r.params.sampleCount % row.samplesPerFrame, 0u);
    EXPECT_GE(r.params.sampleCount / row.samplesPerFrame, 3u);
    EXPECT_LE(r.params.sampleCount / row.samplesPerFrame, 20u);
    const Bytes file = swftest::ReadFileBytes(path);
    ASSERT_EQ(r.data.size(), file.size() + 2);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), r.data.begin() + 2));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Mp3DataFiles,
    ::testing::Values(DataFileCase{"mpeg1-44100-stereo.mp3", true, 3, 1, 1152, ""},
                      DataFileCase{"mpeg1-44100-mono.mp3", true, 3, 0, 1152, ""},
                      DataFileCase{"mpeg2-22050-mono.mp3", true, 2, 0, 576, ""},
                      DataFileCase{"mpeg2-24000-stereo.mp3", true, 2, 1, 576, ""},
                      DataFileCase{"mpeg25-11025-mono.mp3", true, 1, 0, 576, ""},
                      DataFileCase{"mpeg25-8000-mono.mp3", true, 0, 0, 576, ""},
                      DataFileCase{"id3v2-cover.mp3", true, 3, 1, 1152, ""},
                      DataFileCase{"trailing-garbage.mp3", true, 3, 0, 1152, ""},
                      DataFileCase{"mpeg1-48000-stereo.mp3", false, 0, 0, 0, "Sample rate 48000 unsupported"},
                      DataFileCase{"mpeg1-32000-mono.mp3", false, 0, 0, 0, "Sample rate 32000 unsupported"},
                      DataFileCase{"mpeg2-16000-mono.mp3", false, 0, 0, 0, "Sample rate 16000 unsupported"},
                      DataFileCase{"not-mp3.txt", false, 0, 0, 0, "Not an MP3 format file"},
                      DataFileCase{"free-format-22050-mono.mp3", false, 0, 0, 0,
                                   "Free format MP3 unsupported"}));

TEST(Mp3DataFiles, TrailingGarbageAddsNoSamples) {
    const std::string dir = std::string(TAVREL_TEST_DATA_DIR) + "/mp3/";
    const ReadResult plain = ReadFile(dir + "mpeg1-44100-mono.mp3");
    const ReadResult garbage = ReadFile(dir + "trailing-garbage.mp3");
    ASSERT_TRUE(plain.ok && garbage.ok);
    EXPECT_EQ(garbage.params.sampleCount, plain.params.sampleCount);
    EXPECT_GT(garbage.data.size(), plain.data.size());
}

} // namespace
