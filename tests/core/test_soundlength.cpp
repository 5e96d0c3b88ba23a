// Sound length in whole milliseconds from libsndfile and libmpg123, on real files.
#include "sound/SoundLength.h"

#include "sound/SoundBlock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QTemporaryDir>

#include "core/RunFixtures.h"

namespace {

struct PcmCase {
    const char* name;
    int rate;
    int channels;
    int64_t frames;
    int container;
    int32_t expectedMs;
};

class PcmLength : public testing::TestWithParam<PcmCase> {};

TEST_P(PcmLength, IsRoundedDownToWholeMilliseconds) {
    const PcmCase& c = GetParam();
    QTemporaryDir dir;
    const std::string path = dir.filePath(c.name).toStdString();
    ASSERT_TRUE(fixtures::WriteToneWav(path, c.rate, c.channels, c.frames, c.container));
    EXPECT_EQ(SoundLengthMs(path), c.expectedMs);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PcmLength,
    testing::Values(PcmCase{"stereo.wav", 44100, 2, 66150, SF_FORMAT_WAV, 1500},
                    PcmCase{"one-sample-over.wav", 8000, 1, 8007, SF_FORMAT_WAV, 1000},
                    PcmCase{"one-sample-short.wav", 22050, 1, 22049, SF_FORMAT_WAV, 999},
                    PcmCase{"empty.wav", 48000, 2, 0, SF_FORMAT_WAV, 0},
                    PcmCase{"UPPER.WAV", 11025, 1, 33075, SF_FORMAT_WAV, 3000},
                    PcmCase{"tone.aiff", 44100, 1, 44100 * 2 + 44, SF_FORMAT_AIFF, 2000}),
    [](const testing::TestParamInfo<PcmCase>& row) { return "Case" + std::to_string(row.index); });

// lame writes its encoder delay and padding into the file, so the decoded length is the original's.
struct Mp3Case {
    const char* name;
    int rate;
    int64_t frames;
    const char* options; // lame's, blank-separated
    int32_t expectedMs;
};

class Mp3Length : public testing::TestWithParam<Mp3Case> {};

// The length of an MP3 file as the run measures it: the file opened and walked once in blocks.
::Mp3Length Measured(const std::string& path) {
    SoundBlock opened;
    EXPECT_TRUE(opened.Read(path));
    return MeasureMp3(opened, path);
}

TEST_P(Mp3Length, ComesFromTheDecodedFrames) {
    const Mp3Case& c = GetParam();
    QTemporaryDir dir;
    const QString wav = dir.filePath("source.wav");
    const QString mp3 = dir.filePath(c.name);
    ASSERT_TRUE(fixtures::WriteToneWav(wav.toStdString(), c.rate, 2, c.frames));
    ASSERT_TRUE(fixtures::RunLame(QString(c.options).split(' ') + QStringList{wav, mp3}));
    EXPECT_EQ(SoundLengthMs(mp3.toStdString()), c.expectedMs);
    EXPECT_EQ(Measured(mp3.toStdString()).ms, c.expectedMs);
}

INSTANTIATE_TEST_SUITE_P(Files, Mp3Length,
                         testing::Values(Mp3Case{"cbr.mp3", 44100, 44100 * 3, "-b 128", 3000},
                                         Mp3Case{"UPPER.MP3", 44100, 44100 + 4410, "-b 128", 1100},
                                         Mp3Case{"low-rate.mp3", 22050, 22050 / 2, "-b 64", 500},
                                         Mp3Case{"vbr.mp3", 44100, 44100 * 2 + 441, "-V 4", 2010}),
                         [](const testing::TestParamInfo<Mp3Case>& row) {
                             return "Case" + std::to_string(row.index);
                         });

TEST(Mp3Length, ReadsFilesWithAnId3v2TagInFront) {
    const std::string path = TAVREL_TEST_DATA_DIR "/mp3/id3v2-cover.mp3";
    const int32_t length = SoundLengthMs(path);
    EXPECT_GT(length, 0);
    EXPECT_LT(length, 2000);
}

// The library finds no format in a stream of one frame: the frames themselves give the length.
TEST(Mp3Length, OfASingleFrameComesFromItsSamples) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("one-frame.mp3").toStdString();
    std::string frame(417, '\0'); // MPEG-1, 128 kbps, 44100 Hz: 1152 samples, 26.1 ms
    frame.replace(0, 4, "\xFF\xFB\x90\x64");
    fixtures::WriteBytes(path, frame);
    EXPECT_EQ(SoundLengthMs(path), 26);
}

// The run measures an MP3 input from the walk its movie is built from: the length must be the one
// the library gives for the file, for every MP3 we ship or test with, and a file it cannot measure
// must fail alike.
TEST(Mp3Length, FromTheWalkIsTheLengthOfTheFile) {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {TAVREL_TEST_DATA_DIR "/mp3", TAVREL_SOURCE_DIR "/demo/sounds"})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            files.push_back(entry.path());
    ASSERT_GE(files.size(), 15u);
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.string());
        int32_t fromFile = -1;
        try {
            fromFile = Mp3LengthMs(file.string());
        } catch (const SoundLengthError&) {
            EXPECT_THROW(Measured(file.string()), SoundLengthError);
            continue;
        }
        EXPECT_EQ(Measured(file.string()).ms, fromFile);
    }
    QTemporaryDir dir;
    const std::string empty = dir.filePath("empty.mp3").toStdString();
    fixtures::WriteBytes(empty, "");
    EXPECT_THROW(Measured(empty), SoundLengthError);
}

// The length of an MP3 as the run measures it comes from its own frames where they are laid out
// plainly, and from the library otherwise: either way it must be the library's answer for the file, whatever
// lame wrote (tag or none, delay and padding on either side of the decoder's 529 samples) and
// whatever was done to the file afterwards. A damaged file is the exception: the library stops at
// the damage, and the length is what it decodes when it searches on.
struct LameCase {
    int rate;
    int channels;
    int64_t frames;
    const char* options;
    // "" nothing, "garbage" bytes appended, "cut" the end cut off, "twice", "joined" a shorter
    // encode appended (another padding), "damaged" 4 KiB of zeros in the middle
    const char* afterwards;
};

class LameLength : public testing::TestWithParam<LameCase> {};

TEST_P(LameLength, FromTheWalkIsTheLibrarysLengthOfTheFile) {
    const LameCase& c = GetParam();
    QTemporaryDir dir;
    const QString wav = dir.filePath("source.wav");
    const QString mp3 = dir.filePath("sound.mp3");
    ASSERT_TRUE(fixtures::WriteToneWav(wav.toStdString(), c.rate, c.channels, c.frames));
    ASSERT_TRUE(fixtures::RunLame(QString(c.options).split(' ', Qt::SkipEmptyParts) + QStringList{wav, mp3}));
    std::string bytes = fixtures::ReadBytes(mp3.toStdString());
    const int32_t whole = Mp3LengthMs(mp3.toStdString());
    const std::string afterwards = c.afterwards;
    if (afterwards == "garbage") {
        bytes += "\xFF\xFB trailing bytes";
    } else if (afterwards == "cut") {
        bytes.resize(bytes.size() - 1000);
    } else if (afterwards == "twice") {
        bytes += bytes;
    } else if (afterwards == "joined") {
        ASSERT_TRUE(fixtures::WriteToneWav(wav.toStdString(), c.rate, c.channels, c.frames / 3));
        ASSERT_TRUE(
            fixtures::RunLame(QString(c.options).split(' ', Qt::SkipEmptyParts) + QStringList{wav, mp3}));
        bytes += fixtures::ReadBytes(mp3.toStdString());
    } else if (afterwards == "damaged") {
        bytes.replace(bytes.size() / 2, 4096, 4096, '\0');
    }
    fixtures::WriteBytes(mp3.toStdString(), bytes);
    const int32_t fromFile = Mp3LengthMs(mp3.toStdString());
    // The same file opened and walked in blocks, as the run reads it.
    const ::Mp3Length measured = Measured(mp3.toStdString());
    if (afterwards != "damaged") {
        EXPECT_EQ(measured.ms, fromFile);
        EXPECT_EQ(measured.stopsAtMs, -1);
        return;
    }
    EXPECT_EQ(measured.stopsAtMs, fromFile);
    EXPECT_GT(measured.ms, whole * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LameLength,
    testing::Values(
        LameCase{44100, 2, 44100 * 2, "-b 128", ""}, LameCase{44100, 2, 44100 * 2 + 700, "-b 128", ""},
        LameCase{44100, 2, 44100 + 100, "-b 320", ""}, LameCase{44100, 2, 44100 * 3 + 17, "-V 2", ""},
        LameCase{44100, 2, 44100 * 2, "--abr 96", ""}, LameCase{44100, 1, 44100 + 1, "-m m -b 64", ""},
        LameCase{22050, 1, 22050 * 2 + 300, "-b 32", ""}, LameCase{22050, 2, 22050 + 5, "-V 5", ""},
        LameCase{8000, 1, 8000 * 3, "-b 8", ""}, LameCase{44100, 2, 44100 * 2, "-t", ""},
        LameCase{44100, 2, 44100, "--add-id3v2 --tt title --ta artist", ""},
        LameCase{44100, 2, 44100, "--id3v1-only --tt title", ""},
        LameCase{44100, 2, 44100, "-b 128", "garbage"}, LameCase{44100, 2, 44100, "-V 2", "cut"},
        LameCase{44100, 2, 44100, "-b 128", "twice"}, LameCase{44100, 2, 44100 + 300, "-b 128", "joined"},
        LameCase{22050, 1, 22050 * 2, "-V 5", "joined"}, LameCase{44100, 2, 44100 * 4, "-b 128", "damaged"},
        LameCase{44100, 2, 1200, "-b 128", ""}, LameCase{44100, 2, 100, "-t", ""}),
    [](const testing::TestParamInfo<LameCase>& row) { return "Case" + std::to_string(row.index); });

class Unmeasurable : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(Unmeasurable, Throws) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(GetParam().first).toStdString();
    if (GetParam().second)
        fixtures::WriteBytes(path, GetParam().second);
    EXPECT_THROW(SoundLengthMs(path), SoundLengthError);
}

INSTANTIATE_TEST_SUITE_P(Files, Unmeasurable,
                         testing::Values(std::make_pair("missing.wav", nullptr),
                                         std::make_pair("missing.mp3", nullptr),
                                         std::make_pair("text.wav", "this is no sound at all"),
                                         std::make_pair("text.mp3", "this is no sound at all either"),
                                         std::make_pair("empty.mp3", "")));

TEST(SoundLength, AFolderIsNotASound) {
    QTemporaryDir dir;
    EXPECT_THROW(SoundLengthMs(dir.path().toStdString()), SoundLengthError);
}

} // namespace
