// SoundFrameCount and BuildSoundMovie: the frame-count rule, whole movies byte for byte, stop
// frames, result lines, definition ids across calls, failed writes and the frame cap.
#include "sound/SoundMovieBuilder.h"

#include "FDT.h"
#include "FDTSoundMP3.h"
#include "SwfTags.h"
#include "common/swf_dump.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <limits>
#include <map>

using swftest::Bytes;
using swftest::Hex;
namespace fs = std::filesystem;

namespace {

// ---- SoundFrameCount ---------------------------------------------------------------------------

struct CountCase {
    int32_t lengthMs, framesPerSecond, tuner, expected;
};

void PrintTo(const CountCase& row, std::ostream* out) {
    *out << row.lengthMs << " ms at " << row.framesPerSecond << " fps, tuner " << row.tuner;
}

class FrameCountRule : public ::testing::TestWithParam<CountCase> {};

TEST_P(FrameCountRule, Counts) {
    const CountCase& row = GetParam();
    EXPECT_EQ(SoundFrameCount(row.lengthMs, row.framesPerSecond, row.tuner), row.expected);
}

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Rows, FrameCountRule,
    ::testing::Values(CountCase{5500, 12, 0, 66}, CountCase{5500, 12, -10, 56}, CountCase{10000, 12, 0, 120},
                      CountCase{3000, 25, 0, 75}, CountCase{5510, 12, 0, 67}, CountCase{5580, 12, 0, 77},
                      CountCase{5590, 12, 0, 67}, CountCase{83, 12, 0, 12}, CountCase{84, 12, 0, 1},
                      CountCase{0, 12, 0, 0}, CountCase{123456, 0, 7, 7}, CountCase{0, 0, 7, 7},
                      CountCase{-5580, 12, 0, -77},   // negative P: remainder and quotient truncate to 0
                      CountCase{1000, 2000, 0, 2000}, // a whole number of frames needs no frame length
                      CountCase{1000, 1000, 0, 1000}, CountCase{1, 999, 0, 999},
                      CountCase{kMax, 1, 0, 2147483},       // a remainder shorter than a frame adds nothing
                      CountCase{kMax, 12, 0, 25769803 + 9}, // L × F above 2^31: computed in 64 bits
                      CountCase{kMax, 1000, 0, kMax}, CountCase{1000, 12, kMax - 12, kMax},
                      CountCase{0, 12, kMin, kMin}));

TEST(FrameCountRule, FailsWhereAFrameIsShorterThanAMillisecond) {
    EXPECT_THROW(SoundFrameCount(1, 1001, 0), FrameCountError);
    EXPECT_THROW(SoundFrameCount(1, -1001, 0), FrameCountError);
    EXPECT_THROW(SoundFrameCount(5500, kMax, 0), FrameCountError);
}

TEST(FrameCountRule, FailsWhereTheResultDoesNotFit32Bits) {
    EXPECT_THROW(SoundFrameCount(kMax, 1000, 1), FrameCountError);
    EXPECT_THROW(SoundFrameCount(kMax, -1000, -2), FrameCountError);
    EXPECT_THROW(SoundFrameCount(kMax, 2000, 0), FrameCountError);
}

// Loops multiply the playing time the frames cover; the tuner counts once. Past the frame limit
// a note says so.
TEST(FrameCountRule, MovieOptionsLoopsAndHeaderRate) {
    SoundMovieOptions options;
    EXPECT_EQ(options.LoopCount(), 0) << "as always";
    EXPECT_EQ(options.HeaderFrameRate(), 12);
    options.exactTiming = true;
    EXPECT_EQ(options.LoopCount(), 1) << "a sound with seek samples plays at least once";
    options.loops = 3;
    options.frameTuner = 2;
    EXPECT_EQ(options.LoopCount(), 3);
    EXPECT_EQ(MovieFrameCount(2000, options), 74);
    options.standalone = true;
    options.framesPerSecond = 25;
    EXPECT_EQ(options.HeaderFrameRate(), 25);
    options.framesPerSecond = 0;
    EXPECT_EQ(options.HeaderFrameRate(), 12) << "no rate to state";
    options.framesPerSecond = 100;
    options.loops = 65535;
    EXPECT_EQ(MovieFrameCount(kMax, options), 214748364 + 70 + 2) << "held to 32 bits of milliseconds";
    EXPECT_EQ(FramesNote(65535, 2000, options), "");
    options.stopAction = 2;
    EXPECT_EQ(FramesNote(65535, 2000, options),
              "its frames cover 655 s of 131,070 s: a movie holds at most 65,535 frames")
        << "the stop frame takes one; every loop plays the whole sound";
}

// ---- BuildSoundMovie ---------------------------------------------------------------------------

// MPEG-1, 128000 bits per second, 44100 Hz, joint stereo: one 417-byte frame.
Bytes OneFrameMp3() {
    Bytes frame(417, 0);
    frame[0] = 0xFF;
    frame[1] = 0xFB;
    frame[2] = 0x90;
    frame[3] = 0x64;
    return frame;
}

Bytes Frames(int count) {
    Bytes all;
    const Bytes frame = OneFrameMp3();
    for (int i = 0; i < count; ++i)
        all.insert(all.end(), frame.begin(), frame.end());
    return all;
}

class SoundMovie : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        folder = fs::temp_directory_path() / ("tavrel-builder-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        mp3 = (folder / "sound.mp3").string();
        movie = (folder / "sound.swf").string();
        swftest::WriteFileBytes(mp3, OneFrameMp3());
    }
    void TearDown() override { fs::remove_all(folder); }

    // Builds, keeping the reader's diagnostic (it writes nothing itself), and returns the one line added.
    std::string Build(const std::string& from, const std::string& to, int32_t frames, int32_t stopAction) {
        std::vector<std::string> results;
        ::testing::internal::CaptureStdout();
        readerOutput.clear();
        SoundMovieOptions options;
        options.stopAction = stopAction;
        BuildSoundMovie(from, to, results, frames, options, &readerOutput);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(results.size(), 1u);
        return results.empty() ? std::string() : results.back();
    }

    // Build with a file size limit of 4096 bytes, which makes a longer write fail half way, as a
    // full disk does.
    std::string BuildWithFileSizeLimit(const std::string& from, const std::string& to, int32_t frames,
                                       int32_t stopAction) {
        struct rlimit saved {};
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved;
        limited.rlim_cur = 4096;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const std::string line = Build(from, to, frames, stopAction);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        return line;
    }

    // The sound id in the movie's StartSound.
    static unsigned StartSoundId(const Bytes& file) {
        for (const swftest::SwfTag& tag : swftest::ParseMovie(file).tags)
            if (tag.code == kTagStartSound)
                return static_cast<unsigned>(file[tag.bodyOffset] | (file[tag.bodyOffset + 1] << 8));
        return 0;
    }

    size_t EntriesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder;
    std::string mp3;
    std::string movie;
    std::string readerOutput;
};

TEST_F(SoundMovie, The466ByteMovie) {
    EXPECT_EQ(Build(mp3, movie, 2, 0), mp3 + ":Operation Successful.");
    Bytes expected = {0x46, 0x57, 0x53, 0x04, 0xD2, 0x01, 0x00, 0x00,        // FWS 4, length 466
                      0x78, 0x00, 0x00, 0x4B, 0x00, 0x00, 0x01, 0x2C, 0x00,  // 600 x 600 twips
                      0x00, 0x0C, 0x02, 0x00,                                // rate 12, 2 frames
                      0xBF, 0x03, 0xAA, 0x01, 0x00, 0x00,                    // DefineSound, 426
                      0x01, 0x00, 0x2F, 0x80, 0x04, 0x00, 0x00, 0x00, 0x00}; // id, flags, 1152, seek
    const Bytes mp3Bytes = OneFrameMp3();
    expected.insert(expected.end(), mp3Bytes.begin(), mp3Bytes.end());
    const Bytes tail = {0xC5, 0x03, 0x01, 0x00, 0x14, 0x00, 0x00, 0x40, 0x00, 0x40, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), tail.begin(), tail.end());
    ASSERT_EQ(expected.size(), 466u);
    const Bytes got = swftest::ReadFileBytes(movie);
    EXPECT_EQ(Hex(got), Hex(expected)) << swftest::Dump(got);
    EXPECT_EQ(EntriesInFolder(), 2u) << "the MP3 and the movie, no temporary file";
}

struct StopCase {
    int32_t stopAction;
    int32_t soundFrames;
    const char* tags;
    unsigned frameCount;
};

void PrintTo(const StopCase& row, std::ostream* out) {
    *out << "stop action " << row.stopAction << ", " << row.soundFrames << " frames";
}

class StopActions : public SoundMovie, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopActions, TagsAndFrameCount) {
    const StopCase& row = GetParam();
    ASSERT_EQ(Build(mp3, movie, row.soundFrames, row.stopAction), mp3 + ":Operation Successful.");
    const Bytes file = swftest::ReadFileBytes(movie);
    const swftest::SwfMovie parsed = swftest::ParseMovie(file);
    ASSERT_TRUE(parsed.valid) << swftest::Dump(file);
    EXPECT_EQ(swftest::TagSequence(parsed), row.tags);
    EXPECT_EQ(parsed.frameCount, row.frameCount);
    EXPECT_EQ(parsed.fileLength, file.size());
    EXPECT_EQ(parsed.frameRate, 12u);
    for (const swftest::SwfTag& tag : parsed.tags)
        if (tag.code == kTagDoAction) {
            EXPECT_EQ(Hex(Bytes(file.begin() + static_cast<std::ptrdiff_t>(tag.offset),
                                file.begin() + static_cast<std::ptrdiff_t>(tag.bodyOffset + tag.length))),
                      "02 03 07 00");
        }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StopActions,
    ::testing::Values(StopCase{0, 66, "DefineSound StartSound ShowFrame*66 End", 66},
                      StopCase{1, 66, "DoAction ShowFrame DefineSound StartSound ShowFrame*66 End", 67},
                      StopCase{2, 66, "DefineSound StartSound ShowFrame*66 DoAction ShowFrame End", 67},
                      StopCase{0, 0, "DefineSound StartSound End", 0},
                      StopCase{0, -5, "DefineSound StartSound End", 0},
                      StopCase{1, 0, "DoAction ShowFrame DefineSound StartSound End", 1},
                      StopCase{2, -1, "DefineSound StartSound DoAction ShowFrame End", 1},
                      StopCase{3, 2, "DefineSound StartSound ShowFrame*2 End", 2},
                      StopCase{-1, 2, "DefineSound StartSound ShowFrame*2 End", 2}));

// The header's frame count is 16 bits: a movie holds at most 65535 ShowFrames, the stop frame included.
INSTANTIATE_TEST_SUITE_P(
    FrameCap, StopActions,
    ::testing::Values(
        StopCase{0, 65535, "DefineSound StartSound ShowFrame*65535 End", 65535},
        StopCase{0, 65536, "DefineSound StartSound ShowFrame*65535 End", 65535},
        StopCase{0, kMax, "DefineSound StartSound ShowFrame*65535 End", 65535},
        StopCase{1, 65535, "DoAction ShowFrame DefineSound StartSound ShowFrame*65534 End", 65535},
        StopCase{2, 70000, "DefineSound StartSound ShowFrame*65534 DoAction ShowFrame End", 65535},
        StopCase{2, 65534, "DefineSound StartSound ShowFrame*65534 DoAction ShowFrame End", 65535}));

TEST_F(SoundMovie, SoundFieldsComeFromTheFile) {
    const std::string mono8k = std::string(TAVREL_TEST_DATA_DIR) + "/mp3/mpeg25-8000-mono.mp3";
    ASSERT_EQ(Build(mono8k, movie, 3, 0), mono8k + ":Operation Successful.");
    const Bytes file = swftest::ReadFileBytes(movie);
    const swftest::SwfMovie parsed = swftest::ParseMovie(file);
    ASSERT_TRUE(parsed.valid) << swftest::Dump(file);
    const swftest::SwfTag& sound = parsed.tags.at(0);
    ASSERT_EQ(sound.code, 14u);
    EXPECT_EQ(file[sound.bodyOffset + 2], 0x22) << "MP3, 5.5 kHz code, 16-bit, mono";
    const Bytes source = swftest::ReadFileBytes(mono8k);
    EXPECT_EQ(sound.length, 7 + 2 + source.size());
    EXPECT_TRUE(std::equal(source.begin(), source.end(),
                           file.begin() + static_cast<std::ptrdiff_t>(sound.bodyOffset + 9)));
}

// ---- Result lines and definition ids -------------------------------------------------------------

TEST_F(SoundMovie, MissingMp3IsNotFound) {
    const std::string missing = (folder / "missing.mp3").string();
    EXPECT_EQ(Build(missing, movie, 2, 0), missing + ":File Not Found.");
    EXPECT_FALSE(fs::exists(movie));
}

struct RejectedCase {
    const char* file;
    const char* output;
};

void PrintTo(const RejectedCase& row, std::ostream* out) {
    *out << row.file;
}

class RejectedFiles : public SoundMovie, public ::testing::WithParamInterface<RejectedCase> {};

TEST_P(RejectedFiles, UnexpectedFormatAndTheNextSoundStillGetsId1) {
    const std::string source = std::string(TAVREL_TEST_DATA_DIR) + "/mp3/" + GetParam().file;
    EXPECT_EQ(Build(source, movie, 2, 0), source + ":Unexpected File Format.");
    EXPECT_EQ(readerOutput, GetParam().output);
    EXPECT_FALSE(fs::exists(movie));

    EXPECT_EQ(Build(mp3, movie, 2, 0), mp3 + ":Operation Successful.");
    EXPECT_EQ(StartSoundId(swftest::ReadFileBytes(movie)), 1u) << "every movie numbers its own definitions";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RejectedFiles,
    ::testing::Values(RejectedCase{"not-mp3.txt", "Not an MP3 format file"},
                      RejectedCase{"mpeg1-48000-stereo.mp3", "Sample rate 48000 unsupported"},
                      RejectedCase{"mpeg1-32000-mono.mp3", "Sample rate 32000 unsupported"},
                      RejectedCase{"mpeg2-16000-mono.mp3", "Sample rate 16000 unsupported"},
                      RejectedCase{"free-format-22050-mono.mp3", "Free format MP3 unsupported"}));

// A sound with more samples than the DefineSound's 32-bit count is refused with a line of its own
// (the reader's count check is tested on its own: such a file is over half a gigabyte).
TEST(RefusedSound, ResultText) {
    EXPECT_STREQ(RefusedSoundText(MP3ReadResult::TooManySamples), ":Sound Too Long.");
    for (MP3ReadResult why : {MP3ReadResult::NoMemory, MP3ReadResult::NotMP3, MP3ReadResult::FreeFormat,
                              MP3ReadResult::UnsupportedSampleRate})
        EXPECT_STREQ(RefusedSoundText(why), ":Unexpected File Format.");
}

TEST_F(SoundMovie, EmptyMp3IsUnexpectedFormat) {
    const std::string empty = (folder / "empty.mp3").string();
    swftest::WriteFileBytes(empty, {});
    EXPECT_EQ(Build(empty, movie, 2, 0), empty + ":Unexpected File Format.");
    EXPECT_FALSE(fs::exists(movie));
}

// ---- Movies that cannot be written -------------------------------------------------------------

TEST_F(SoundMovie, MissingFolderIsReportedAndLeavesNothing) {
    const fs::path target = folder / "no-such-folder" / "sound.swf";
    EXPECT_EQ(Build(mp3, target.string(), 2, 0), mp3 + ":Unable to Write Output File.");
    EXPECT_FALSE(fs::exists(target.parent_path()));
    EXPECT_EQ(Build(mp3, movie, 2, 0), mp3 + ":Operation Successful.");
    EXPECT_EQ(StartSoundId(swftest::ReadFileBytes(movie)), 1u);
}

TEST_F(SoundMovie, FolderThatTakesNoFilesIsReported) {
    // /proc takes no new files, not even from root.
    EXPECT_EQ(Build(mp3, "/proc/tavrel-test.swf", 2, 0), mp3 + ":Unable to Write Output File.");
    EXPECT_FALSE(fs::exists("/proc/tavrel-test.swf"));
}

TEST_F(SoundMovie, FullDiskIsReported) {
    EXPECT_EQ(Build(mp3, "/dev/full", 2, 0), mp3 + ":Unable to Write Output File.");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// The walk's copy into the movie fails half way, and so does the movie's own copy after it.
TEST_F(SoundMovie, WriteCutShortLeavesNoFile) {
    swftest::WriteFileBytes(mp3, Frames(20)); // 8340 bytes
    const std::string line = BuildWithFileSizeLimit(mp3, movie, 10, 2);

    EXPECT_EQ(line, mp3 + ":Unable to Write Output File.");
    EXPECT_EQ(readerOutput, "File too large");
    EXPECT_FALSE(fs::exists(movie));
    EXPECT_EQ(EntriesInFolder(), 1u) << "only the MP3: no partial movie under any name";
}

TEST_F(SoundMovie, FailedWriteKeepsAnEarlierMovie) {
    ASSERT_EQ(Build(mp3, movie, 2, 0), mp3 + ":Operation Successful.");
    const Bytes earlier = swftest::ReadFileBytes(movie);
    swftest::WriteFileBytes(mp3, Frames(20));
    const std::string line = BuildWithFileSizeLimit(mp3, movie, 2, 0);

    EXPECT_EQ(line, mp3 + ":Unable to Write Output File.");
    EXPECT_EQ(Hex(swftest::ReadFileBytes(movie)), Hex(earlier)) << "the old movie is neither cut nor mixed";
    EXPECT_EQ(EntriesInFolder(), 2u);
}

// A large MP3 is walked in blocks and put into its movie as it is read, a tag longer than the
// walk's block in front included. Walked without a place in the movie, it is copied as the movie
// is written: the same movie. Cut short by another program after the walk, it then gives no
// movie; put in place by the walk, its movie is already whole, whatever the stop action.
TEST_F(SoundMovie, ALargeMp3IsCopiedWholeOrGivesNoMovie) {
    Bytes file = {'I', 'D', '3', 4, 0, 0, 0x00, 0x60, 0x00, 0x00}; // a 1.5 MiB tag
    file.resize(file.size() + (0x60 << 14), 0);
    Bytes frames = Frames(12600); // 5.25 MB
    for (size_t i = 0; i < frames.size(); ++i)
        if (i % 417 >= 4)
            frames[i] = 0x55;
    file.insert(file.end(), frames.begin(), frames.end());
    const Bytes id3v1 = {'T', 'A', 'G'};
    file.insert(file.end(), id3v1.begin(), id3v1.end());
    file.resize(file.size() + 125, 0);
    swftest::WriteFileBytes(mp3, file);

    std::map<int32_t, Bytes> movies;
    for (const int32_t stopAction : {0, 1, 2}) {
        ASSERT_EQ(Build(mp3, movie, 2, stopAction), mp3 + ":Operation Successful.");
        movies[stopAction] = swftest::ReadFileBytes(movie);
    }
    const Bytes& got = movies[0];
    ASSERT_EQ(got.size(), 466u - 417 + file.size());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), got.begin() + 36)) << "the sound is the file";

    const std::string copied = (folder / "copied.swf").string();
    for (const bool placed : {false, true})
        for (const int32_t stopAction : {0, 1, 2}) {
            swftest::WriteFileBytes(mp3, file);
            const std::string target = placed ? movie : copied;
            SoundMovieFile movieFile(target);
            SoundBlock block;
            SoundMovieOptions options;
            options.stopAction = stopAction;
            ASSERT_TRUE(block.Read(mp3, placed ? movieFile.PlaceSound(options) : nullptr));
            std::vector<std::string> results;
            if (!placed) {
                BuildSoundMovie(mp3, std::move(block), movieFile, results, 2, options);
                EXPECT_EQ(swftest::ReadFileBytes(copied), movies[stopAction]) << stopAction;
                continue;
            }
            ASSERT_EQ(::truncate(mp3.c_str(), 4096), 0);
            BuildSoundMovie(mp3, std::move(block), movieFile, results, 2, options);
            EXPECT_EQ(results, std::vector<std::string>{mp3 + ":Operation Successful."});
            EXPECT_EQ(swftest::ReadFileBytes(movie), movies[stopAction]) << stopAction;
        }

    swftest::WriteFileBytes(mp3, file);
    SoundBlock block;
    ASSERT_TRUE(block.Read(mp3));
    ASSERT_EQ(::truncate(mp3.c_str(), 4096), 0);
    EXPECT_TRUE(block.CutShort());
    std::vector<std::string> results;
    SoundMovieFile target(copied);
    BuildSoundMovie(mp3, std::move(block), target, results, 2, SoundMovieOptions{});
    EXPECT_EQ(results, std::vector<std::string>{mp3 + ":Unexpected File Format."});
    EXPECT_EQ(swftest::ReadFileBytes(copied), movies[2]) << "the earlier movie stays as it was";
}

// ---- Exact timing --------------------------------------------------------------------------------

// A frame of sound: its body is not blank.
Bytes SoundFrame() {
    Bytes frame = OneFrameMp3();
    std::fill(frame.begin() + 4, frame.end(), 0x55);
    return frame;
}

Bytes operator+(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Bytes SoundFrames(int count) {
    Bytes all;
    for (int i = 0; i < count; ++i)
        all = all + SoundFrame();
    return all;
}

// lame's tag frame, counting `frames`, with a delay of 576 and a padding of 1000 (12 bits each).
Bytes InfoFrame(uint32_t frames) {
    Bytes frame = OneFrameMp3();
    const Bytes tag = {'I',
                       'n',
                       'f',
                       'o',
                       0,
                       0,
                       0,
                       1,
                       U8(frames >> 24),
                       U8(frames >> 16),
                       U8(frames >> 8),
                       U8(frames),
                       'L',
                       'A',
                       'M',
                       'E',
                       '3',
                       '.',
                       '1',
                       '0',
                       '0'};
    std::copy(tag.begin(), tag.end(), frame.begin() + 36);
    frame[48 + 21] = 0x24;
    frame[48 + 22] = 0x03;
    frame[48 + 23] = 0xE8;
    return frame;
}

// Another encoder's tag frame, counting 10 frames.
Bytes VbriFrame() {
    Bytes frame = SoundFrame();
    const Bytes tag = {'V', 'B', 'R', 'I', 0, 1, 0, 0, 0, 0, 0, 0, 0x10, 0x4A, 0, 0, 0, 10};
    std::copy(tag.begin(), tag.end(), frame.begin() + 36);
    return frame;
}

const Bytes kId3v2 = Bytes{'I', 'D', '3', 3, 0, 0, 0, 0, 0, 10} + Bytes(10, 0xFF);
const Bytes kId3v1 = Bytes{'T', 'A', 'G'} + Bytes(125, 0xFF);
// An APE tag with a header and a footer around 8 bytes of items (size 40: items and footer).
Bytes ApeTag(bool header) {
    Bytes frame = Bytes{'A', 'P', 'E', 'T', 'A', 'G', 'E', 'X', 0xD0, 7, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0} +
                  Bytes{0, 0, 0, U8(header ? 0xA0 : 0x80)} + Bytes(8, 0);
    return frame;
}
const Bytes kApe = ApeTag(true) + Bytes(8, 0xFF) + ApeTag(false);
const Bytes kLyrics3 = Bytes{'L', 'Y', 'R', 'I', 'C', 'S', 'B', 'E', 'G', 'I', 'N', 0xFF, 0xFB, 0x90, 0x64} +
                       Bytes{'0', '0', '0', '0', '1', '5', 'L', 'Y', 'R', 'I', 'C', 'S', '2', '0', '0'};

struct ExactCase {
    const char* name;
    Bytes mp3;
    uint32_t sampleCount;
};

void PrintTo(const ExactCase& row, std::ostream* out) {
    *out << row.name;
}

class ExactTiming : public SoundMovie, public ::testing::WithParamInterface<ExactCase> {};

// The sound holds the ten frames of sound alone, skips 576 + 529 decoded samples and counts its own:
// the tag's where it counts the frames found, else every sample after the skipped ones.
TEST_P(ExactTiming, TheSoundsFramesAloneAndItsOwnLength) {
    swftest::WriteFileBytes(mp3, GetParam().mp3);
    SoundMovieOptions options;
    options.exactTiming = true;
    options.loops = 3;
    std::vector<std::string> results;
    ASSERT_EQ(BuildSoundMovie(mp3, movie, results, 2, options), MovieOutcome::Written);
    const Bytes file = swftest::ReadFileBytes(movie);
    const swftest::SwfMovie parsed = swftest::ParseMovie(file);
    ASSERT_TRUE(parsed.valid) << swftest::Dump(file);
    const swftest::SwfTag& sound = parsed.tags.at(0);
    const auto body = file.begin() + static_cast<std::ptrdiff_t>(sound.bodyOffset);
    EXPECT_EQ(U32{body[3]} | U32{body[4]} << 8 | U32{body[5]} << 16 | U32{body[6]} << 24,
              GetParam().sampleCount);
    EXPECT_EQ(body[7] | body[8] << 8, 576 + 529) << "seek samples";
    EXPECT_EQ(Hex(Bytes(body + 9, body + static_cast<std::ptrdiff_t>(sound.length))), Hex(SoundFrames(10)));
    EXPECT_EQ(file[parsed.tags.at(1).bodyOffset + 3], 3) << "loop count";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExactTiming,
    ::testing::Values(
        ExactCase{"lame's own", InfoFrame(10) + SoundFrames(10), 10 * 1152 - 576 - 1000},
        ExactCase{"tags around", kId3v2 + InfoFrame(10) + SoundFrames(10) + kApe + kLyrics3 + kId3v1,
                  10 * 1152 - 576 - 1000},
        ExactCase{"junk between frames", InfoFrame(10) + SoundFrames(4) + Bytes(100, 0xFF) + SoundFrames(6),
                  10 * 1152 - 576 - 1000},
        ExactCase{"two encodes joined",
                  InfoFrame(4) + SoundFrames(4) + kId3v1 + kId3v2 + InfoFrame(6) + SoundFrames(6),
                  10 * 1152 - 1105},
        ExactCase{"cut short", InfoFrame(12) + SoundFrames(10), 10 * 1152 - 1105},
        ExactCase{"no tag", SoundFrames(10), 10 * 1152 - 1105},
        ExactCase{"another encoder's tag", VbriFrame() + SoundFrames(10), 10 * 1152 - 1105}));

TEST_F(SoundMovie, ExactTimingOfAFileWithoutSoundGivesNoMovie) {
    swftest::WriteFileBytes(mp3, InfoFrame(0));
    SoundMovieOptions options;
    options.exactTiming = true;
    std::vector<std::string> results;
    std::string why;
    EXPECT_EQ(BuildSoundMovie(mp3, movie, results, 2, options, &why), MovieOutcome::UnexpectedFormat);
    EXPECT_EQ(why, "No sound frames in the MP3 file");
    EXPECT_FALSE(fs::exists(movie));
}

} // namespace
