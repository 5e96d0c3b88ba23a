// Tag objects and the movie container: every tag and movie layout as a row of bytes, written and
// read back to the same fields, frame counting, definition ids, ownership and the movie file writer.
#include "FDT.h"
#include "ReplaceFile.h"
#include "SwfDump.h"

#include "common/swf_dump.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

using swftest::Bytes;
using swftest::Hex;
using swftest::SavedBytes;
namespace fs = std::filesystem;

namespace {

Bytes TagBytes(FObj&& tag) {
    FSWFStream stream;
    tag.WriteTo(&stream);
    return SavedBytes(stream);
}

Bytes MovieBytes(const std::function<void(FObjCollection&)>& fill, S32 width = 600, S32 height = 600,
                 S32 frameRate = 12) {
    FObjCollection movie;
    fill(movie);
    FSWFStream stream;
    movie.WriteMovieBody(&stream, width, height, frameRate);
    return SavedBytes(stream);
}

std::unique_ptr<FCTDoAction> DoActionWithStops(int stops) {
    auto doAction = std::make_unique<FCTDoAction>();
    for (int i = 0; i < stops; ++i)
        doAction->AppendAction(std::make_unique<FActionStop>());
    return doAction;
}

// A control tag with a body of `size` bytes 0, 1, 2, ...: for the header-form threshold.
class BodyTag : public FCT {
public:
    BodyTag(U16 tagCode, U32 bodySize) : code(tagCode), size(bodySize) {}
    void WriteTo(FSWFStream* stream) override {
        FSWFStream body;
        for (U32 i = 0; i < size; ++i)
            body.PutByte(static_cast<U8>(i));
        stream->PutTag(code, body.TotalSize(), &body);
    }

private:
    U16 code;
    U32 size;
};

Bytes Counting(size_t size) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<U8>(i);
    return bytes;
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// A sound definition with hand-set format fields and data, as a reader would leave it.
class TestSound : public FDTDefineSound {
public:
    TestSound(U8 rate, U8 stereo, U32 sampleCount, U8* data, U32 dataSize) {
        soundParams.format = 2;
        soundParams.rate = rate;
        soundParams.sampleSize = 1;
        soundParams.stereo = stereo;
        soundParams.sampleCount = sampleCount;
        soundParams.data = data;
        soundParams.dataSize = dataSize;
    }
};

// Sound data long enough for the long tag header, as every real MP3 is.
U8 gSoundData[64] = {0x00, 0x00, 0xFF, 0xFB, 0x90, 0x64, 0x11, 0x22};

// The same behind the seek samples an exact sound starts with: 576 + 529.
U8 gExactSoundData[64] = {0x51, 0x04, 0xFF, 0xFB, 0x90, 0x64, 0x11, 0x22};

Bytes SoundDataBytes() {
    return Bytes(gSoundData, gSoundData + sizeof gSoundData);
}

const Bytes kEmptyMovieHeader = {0x46, 0x57, 0x53, 0x04, 0x17, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00,
                                 0x4B, 0x00, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x0C, 0x00, 0x00};

// A row without `build` is bytes no writer here makes (a damaged or foreign tag), only read.
struct ByteCase {
    const char* name;
    std::function<Bytes()> build;
    Bytes expected;
    // The expected bytes read back: the tag's dump line, or a movie's whole dump; none for a cut.
    const char* reads = nullptr;
};

void PrintTo(const ByteCase& row, std::ostream* out) {
    *out << row.name;
}

class TagAndMovieBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(TagAndMovieBytes, WritesExactly) {
    const ByteCase& row = GetParam();
    if (!row.build)
        return;
    const Bytes got = row.build();
    EXPECT_EQ(Hex(got), Hex(row.expected)) << row.name << "\n" << swftest::Dump(got);
}

TEST_P(TagAndMovieBytes, ReadsBackTheSameFields) {
    const ByteCase& row = GetParam();
    if (row.reads == nullptr)
        return;
    const Bytes& bytes = row.expected;
    const bool movie = bytes.size() >= 3 && bytes[0] == 'F' && bytes[1] == 'W' && bytes[2] == 'S';
    EXPECT_EQ(movie ? DumpSwfMovie(bytes) : DumpSwfTag(bytes.data(), bytes.size()), row.reads);
}

const ByteCase kByteCases[] = {
    {"ShowFrame", [] { return TagBytes(FCTShowFrame()); }, {0x40, 0x00}, "ShowFrame (1), length 0"},
    {"DoAction, no action",
     [] {
         FCTDoAction doAction;
         return TagBytes(std::move(doAction));
     },
     {0x01, 0x03, 0x00},
     "DoAction (12), length 1: actions none"},
    {"DoAction, one Stop",
     [] {
         FCTDoAction doAction;
         doAction.AppendAction(std::make_unique<FActionStop>());
         return TagBytes(std::move(doAction));
     },
     {0x02, 0x03, 0x07, 0x00},
     "DoAction (12), length 2: actions Stop"},
    {"DoAction, two Stops",
     [] {
         FCTDoAction doAction;
         doAction.AppendAction(std::make_unique<FActionStop>());
         doAction.AppendAction(std::make_unique<FActionStop>());
         return TagBytes(std::move(doAction));
     },
     {0x03, 0x03, 0x07, 0x07, 0x00},
     "DoAction (12), length 3: actions Stop Stop"},
    {"StartSound for id 1 as the builder makes it",
     [] { return TagBytes(FCTStartSound(1, FSoundInfo().NoMultiple().Loops(0))); },
     {0xC5, 0x03, 0x01, 0x00, 0x14, 0x00, 0x00},
     "StartSound (15), length 5: sound id 1, sync stop 0, no multiple 1, loop count 0"},
    {"StartSound of a sound that plays 3 times",
     [] { return TagBytes(FCTStartSound(1, FSoundInfo().NoMultiple().Loops(3))); },
     {0xC5, 0x03, 0x01, 0x00, 0x14, 0x03, 0x00},
     "StartSound (15), length 5: sound id 1, sync stop 0, no multiple 1, loop count 3"},
    {"StartSound of a sound that plays 65535 times",
     [] { return TagBytes(FCTStartSound(1, FSoundInfo().NoMultiple().Loops(65535))); },
     {0xC5, 0x03, 0x01, 0x00, 0x14, 0xFF, 0xFF},
     "StartSound (15), length 5: sound id 1, sync stop 0, no multiple 1, loop count 65535"},
    {"StartSound with in- and out-point: in-point first",
     [] { return TagBytes(FCTStartSound(0x0203, FSoundInfo().InPoint(0x11223344).OutPoint(0x55667788))); },
     {0xCB, 0x03, 0x03, 0x02, 0x03, 0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55},
     "StartSound (15), length 11: sound id 515, sync stop 0, no multiple 0, in point 287454020, out point "
     "1432778632"},
    {"StartSound with every option and a two-point envelope",
     [] {
         const std::vector<SoundEnvelope> envelope = {{0x10, 0x8000, 0x0001}, {0x20000, 0x0000, 0x7FFF}};
         return TagBytes(
             FCTStartSound(5, FSoundInfo().SyncStop().InPoint(7).OutPoint(9).Loops(3).Envelope(envelope)));
     },
     {0xDE, 0x03, 0x05, 0x00, 0x2F, 0x07, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x03, 0x00, 0x02,
      0x10, 0x00, 0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x7F},
     "StartSound (15), length 30: sound id 5, sync stop 1, no multiple 0, in point 7, out point 9, loop "
     "count 3, envelope of 2 points: 16 32768/1, 131072 0/32767"},
    {"StartSound without sound info: id only",
     [] { return TagBytes(FCTStartSound(9)); },
     {0xC2, 0x03, 0x09, 0x00},
     "StartSound (15), length 2: sound id 9"},
    {"DefineSound, 44 kHz stereo: long header, id, flags 0x2F, samples, the data as is",
     [] {
         TestSound sound(3, 1, 1152, gSoundData, sizeof gSoundData);
         sound.SetDefinitionId(1);
         return TagBytes(std::move(sound));
     },
     Concat({0xBF, 0x03, 0x47, 0x00, 0x00, 0x00, 0x01, 0x00, 0x2F, 0x80, 0x04, 0x00, 0x00}, SoundDataBytes()),
     "DefineSound (14), length 71: id 1, format 2 (MP3), rate 3 (44 kHz), size 1 (16-bit), type 1 (stereo), "
     "sample count 1152, data length 64 (seek samples 0)"},
    {"DefineSound with exact timing: its own sample count, 1105 seek samples before the frames",
     [] {
         TestSound sound(3, 0, 88200, gExactSoundData, sizeof gExactSoundData);
         sound.SetDefinitionId(1);
         return TagBytes(std::move(sound));
     },
     Concat({0xBF, 0x03, 0x47, 0x00, 0x00, 0x00, 0x01, 0x00, 0x2E, 0x88, 0x58, 0x01, 0x00},
            Bytes(gExactSoundData, gExactSoundData + sizeof gExactSoundData)),
     "DefineSound (14), length 71: id 1, format 2 (MP3), rate 3 (44 kHz), size 1 (16-bit), type 0 (mono), "
     "sample count 88200, data length 64 (seek samples 1105)"},
    {"DefineSound flag bytes for 44 kHz mono and 22/11/5.5 kHz",
     [] {
         Bytes flags;
         const U8 rates[] = {3, 2, 1, 0};
         for (U8 rate : rates)
             for (U8 stereo = 0; stereo < 2; ++stereo)
                 flags.push_back(TagBytes(TestSound(rate, stereo, 0, gSoundData, sizeof gSoundData))[8]);
         return flags;
     },
     {0x2E, 0x2F, 0x2A, 0x2B, 0x26, 0x27, 0x22, 0x23}},
    {"tag with a 62-byte body: 2-byte header", [] { return TagBytes(BodyTag(14, 62)); },
     Concat({0xBE, 0x03}, Counting(62)),
     "DefineSound (14), length 62: id 256, format 0 (raw), rate 0 (5.5 kHz), size 1 (16-bit), type 0 (mono), "
     "sample count 100992003, data length 55"},
    {"tag with a 63-byte body: 6-byte header", [] { return TagBytes(BodyTag(14, 63)); },
     Concat({0xBF, 0x03, 0x3F, 0x00, 0x00, 0x00}, Counting(63)),
     "DefineSound (14), length 63: id 256, format 0 (raw), rate 0 (5.5 kHz), size 1 (16-bit), type 0 (mono), "
     "sample count 100992003, data length 56"},
    {"empty movie: 23 bytes", [] { return MovieBytes([](FObjCollection&) {}); },
     Concat(kEmptyMovieHeader, {0x00, 0x00}),
     "FWS version 4, file length 23 (23 bytes in the file)\n"
     "frame x 0..600, y 0..600 twips, rate 12, 0 frames\n"
     "@21 End (0), length 0\n"},
    {"movie with one ShowFrame: 25 bytes",
     [] { return MovieBytes([](FObjCollection& m) { m.AddObject(std::make_unique<FCTShowFrame>()); }); },
     {0x46, 0x57, 0x53, 0x04, 0x19, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00, 0x4B, 0x00,
      0x00, 0x01, 0x2C, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00},
     "FWS version 4, file length 25 (25 bytes in the file)\n"
     "frame x 0..600, y 0..600 twips, rate 12, 1 frame\n"
     "@21 ShowFrame (1), length 0\n"
     "@23 End (0), length 0\n"},
    {"a run of three ShowFrames: three tags",
     [] { return TagBytes(FCTShowFrame(3)); },
     {0x40, 0x00, 0x40, 0x00, 0x40, 0x00}},
    {"movie with a Stop frame: 29 bytes",
     [] {
         return MovieBytes([](FObjCollection& m) {
             m.AddObject(DoActionWithStops(1));
             m.AddObject(std::make_unique<FCTShowFrame>());
         });
     },
     {0x46, 0x57, 0x53, 0x04, 0x1D, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00, 0x4B, 0x00, 0x00, 0x01,
      0x2C, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x02, 0x03, 0x07, 0x00, 0x40, 0x00, 0x00, 0x00},
     "FWS version 4, file length 29 (29 bytes in the file)\n"
     "frame x 0..600, y 0..600 twips, rate 12, 1 frame\n"
     "@21 DoAction (12), length 2: actions Stop\n"
     "@25 ShowFrame (1), length 0\n"
     "@27 End (0), length 0\n"},
    {"frame rate 300 keeps its low 8 bits (44)",
     [] {
         Bytes movie = MovieBytes([](FObjCollection&) {}, 600, 600, 300);
         return Bytes(movie.begin() + 17, movie.begin() + 19);
     },
     {0x00, 0x2C}},
    {"other width and height: 15-bit fields",
     [] {
         Bytes movie = MovieBytes([](FObjCollection&) {}, 32767, 1);
         return Bytes(movie.begin() + 8, movie.begin() + 17);
     },
     {0x78, 0x00, 0x0F, 0xFF, 0xE0, 0x00, 0x00, 0x00, 0x80}},
    {"the file length counts the sound data block",
     [] {
         Bytes movie = MovieBytes(
             [](FObjCollection& m) { m.AddObject(std::make_unique<TestSound>(3, 1, 0, gSoundData, 8)); });
         // 8 bytes of data: a 15-byte body with a short header
         return Bytes(movie.begin() + 4, movie.begin() + 8);
     },
     {23 + 2 + 7 + 8, 0x00, 0x00, 0x00}},
    {"read only: DefineSound cut short",
     nullptr,
     {0x83, 0x03, 0x01, 0x00, 0x2F},
     "DefineSound (14), length 3: body cut short"},
    {"read only: DefineSound of an unnamed format, 8-bit mono",
     nullptr,
     {0x87, 0x03, 0x01, 0x00, 0x50, 0x10, 0x00, 0x00, 0x00},
     "DefineSound (14), length 7: id 1, format 5, rate 0 (5.5 kHz), size 0 (8-bit), type 0 (mono), sample "
     "count 16, data length 0"},
    {"read only: StartSound in-point cut short",
     nullptr,
     {0xC4, 0x03, 0x01, 0x00, 0x01, 0x44},
     "StartSound (15), length 4: sound id 1, sync stop 0, no multiple 0, in point 68, body cut short"},
    {"read only: StartSound with reserved bits and bytes more",
     nullptr,
     {0xC5, 0x03, 0x01, 0x00, 0xC0, 0xAA, 0xBB},
     "StartSound (15), length 5: sound id 1, reserved bits 3, sync stop 0, no multiple 0, 2 bytes more"},
    {"read only: StartSound envelope cut short",
     nullptr,
     {0xC5, 0x03, 0x01, 0x00, 0x08, 0x03, 0x10},
     "StartSound (15), length 5: sound id 1, sync stop 0, no multiple 0, envelope of 3 points: 16 0/0, body "
     "cut short"},
    {"read only: DoAction without end flag",
     nullptr,
     {0x02, 0x03, 0x07, 0x06},
     "DoAction (12), length 2: actions Stop Play, no end flag"},
    {"read only: DoAction with a long action, an unknown one and a byte after the end flag",
     nullptr,
     {0x08, 0x03, 0x96, 0x02, 0x00, 0xAB, 0xCD, 0x1F, 0x00, 0xEE},
     "DoAction (12), length 8: actions 0x96(2 bytes) 0x1F, 1 bytes after the end flag"},
    {"read only: DoAction with a long action cut short",
     nullptr,
     {0x03, 0x03, 0x96, 0x05, 0x00},
     "DoAction (12), length 3: actions 0x96(5 bytes), no end flag"},
    {"read only: a long tag header cut short is no tag", nullptr, {0xBF, 0x03, 0x10}, ""},
    {"read only: a body past the end is no tag", nullptr, {0x42, 0x00, 0x01}, ""},
    {"read only: bytes after a tag",
     nullptr,
     {0x40, 0x00, 0x00},
     "ShowFrame (1), length 0, 1 bytes after the tag"},
};

INSTANTIATE_TEST_SUITE_P(Rows, TagAndMovieBytes, ::testing::ValuesIn(kByteCases));

// ---- Frames, order, ids, ownership -----------------------------------------------------------

TEST(TagModel, OnlyShowFrameCountsAsFrame) {
    EXPECT_TRUE(FCTShowFrame().CountsAsFrame());
    EXPECT_FALSE(FCTDoAction().CountsAsFrame());
    EXPECT_FALSE(FCTStartSound(1).CountsAsFrame());
    EXPECT_FALSE(FCT().CountsAsFrame());
    EXPECT_FALSE(FDT().CountsAsFrame());
    EXPECT_FALSE(FDTDefineSound().CountsAsFrame());
}

TEST(TagModel, ContainerCountsFramesAsTheyAreAdded) {
    FObjCollection movie;
    movie.AddObject(DoActionWithStops(1));
    EXPECT_EQ(movie.FrameCount(), 0);
    movie.AddObject(std::make_unique<FCTShowFrame>());
    movie.AddObject(std::make_unique<FCTShowFrame>());
    EXPECT_EQ(movie.FrameCount(), 2);
    EXPECT_EQ(movie.Objects().size(), 3u);
    movie.AddObject(std::make_unique<FCTShowFrame>(3)); // a run of three
    movie.AddObject(std::make_unique<FCTShowFrame>(-2));
    EXPECT_EQ(movie.FrameCount(), 5);
}

TEST(TagModel, FrameCountIsWrittenAsItsLow16Bits) {
    FObjCollection movie;
    for (int i = 0; i < 65536; ++i)
        movie.AddObject(std::make_unique<FCTShowFrame>());
    FSWFStream stream;
    movie.WriteMovieBody(&stream, 600, 600, 12);
    const Bytes file = SavedBytes(stream);
    EXPECT_EQ(file.size(), 21u + 2 * 65536 + 2);
    EXPECT_EQ(file[19], 0);
    EXPECT_EQ(file[20], 0);
}

TEST(TagModel, ObjectsAreWrittenInInsertionOrder) {
    const Bytes file = MovieBytes([](FObjCollection& m) {
        m.AddObject(std::make_unique<FCTShowFrame>());
        m.AddObject(DoActionWithStops(2));
        m.AddObject(std::make_unique<TestSound>(3, 1, 0, gSoundData, sizeof gSoundData));
        m.AddObject(std::make_unique<FCTStartSound>(1, FSoundInfo().NoMultiple().Loops(0)));
        m.AddObject(std::make_unique<FCTShowFrame>());
    });
    const swftest::SwfMovie movie = swftest::ParseMovie(file);
    ASSERT_TRUE(movie.valid) << swftest::Dump(file);
    EXPECT_EQ(swftest::TagSequence(movie), "ShowFrame DoAction DefineSound StartSound ShowFrame End");
    EXPECT_EQ(movie.fileLength, file.size());
    EXPECT_EQ(movie.frameCount, 2u);
}

TEST(TagModel, EachMovieNumbersItsDefinitionsFromOne) {
    for (int round = 0; round < 2; ++round) {
        FObjCollection movie;
        auto first = std::make_unique<FDTDefineSound>();
        auto second = std::make_unique<FDTDefineSound>();
        second->SetDefinitionId(7); // one given its id beforehand keeps it
        auto third = std::make_unique<FDTDefineSound>();
        FDT* ids[] = {first.get(), second.get(), third.get()};
        EXPECT_EQ(first->DefinitionId(), 0) << "no id before a movie takes it";
        movie.AddObject(std::move(first));
        movie.AddObject(std::move(second));
        movie.AddObject(std::move(third));
        EXPECT_EQ(ids[0]->DefinitionId(), 1);
        EXPECT_EQ(ids[1]->DefinitionId(), 7);
        EXPECT_EQ(ids[2]->DefinitionId(), 2);
        EXPECT_EQ(movie.NextDefinitionId(), 3);
    }
}

// Counts destructions, to show who deletes what.
int gDestroyed = 0;
class ProbeTag : public FCT {
public:
    ~ProbeTag() override { ++gDestroyed; }
};
class ProbeAction : public FActionStop {
public:
    ~ProbeAction() override { ++gDestroyed; }
};

TEST(TagModel, ContainerAndDoActionDeleteWhatTheyOwn) {
    gDestroyed = 0;
    {
        FObjCollection movie;
        movie.AddObject(std::make_unique<ProbeTag>());
        movie.AddObject(nullptr);
        auto doAction = std::make_unique<FCTDoAction>();
        doAction->AppendAction(std::make_unique<ProbeAction>());
        doAction->AppendAction(std::make_unique<ProbeAction>());
        movie.AddObject(std::move(doAction));
        movie.AddObject(std::make_unique<ProbeTag>());
        EXPECT_EQ(gDestroyed, 0);
    }
    EXPECT_EQ(gDestroyed, 4);
}

TEST(TagModelDeathTest, StageWiderThan15BitsIsAProgrammingError) {
    EXPECT_DEATH(MovieBytes([](FObjCollection&) {}, 32768, 600),
                 "Assertion failed: .*0x01<<size.*, file FSWFStream, line [0-9]+");
}

TEST(TagModelDeathTest, FDTWithoutItsOwnIdIsAProgrammingError) {
    EXPECT_DEATH(FDT().DefinitionId(), "Assertion failed: 0, file FDT, line [0-9]+");
}

// ---- The movie file ----------------------------------------------------------------------------

// A movie written to its file as a whole: ReplaceFile around the movie's writer.
bool WriteMovieFile(FObjCollection&& movie, const std::string& path) {
    return ReplaceFile(
        path, [&](std::FILE* file) { return movie.WriteMovie(file, 600, 600, 12); }, false);
}

class MovieFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tavrel-tags-" + std::to_string(::getpid()) + "-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    static void FillStopMovie(FObjCollection& movie) {
        movie.AddObject(DoActionWithStops(1));
        movie.AddObject(std::make_unique<FCTShowFrame>());
    }

    size_t EntriesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder;
};

TEST_F(MovieFile, WritesTheMovieAndNothingElse) {
    const std::string path = (folder / "movie.swf").string();
    FObjCollection movie;
    FillStopMovie(movie);
    ASSERT_TRUE(WriteMovieFile(std::move(movie), path));
    EXPECT_EQ(Hex(swftest::ReadFileBytes(path)), Hex(MovieBytes(FillStopMovie)));
    EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file stays behind";
}

TEST_F(MovieFile, ReplacesAnExistingFile) {
    const std::string path = (folder / "movie.swf").string();
    swftest::WriteFileBytes(path, Bytes(1000, 0xEE));
    FObjCollection movie;
    ASSERT_TRUE(WriteMovieFile(std::move(movie), path));
    EXPECT_EQ(swftest::ReadFileBytes(path).size(), 23u);
}

TEST_F(MovieFile, FileLengthFieldEqualsTheFileSize) {
    static U8 data[5000] = {};
    const std::string path = (folder / "sound.swf").string();
    FObjCollection movie;
    movie.AddObject(std::make_unique<TestSound>(3, 1, 1152, data, sizeof data));
    movie.AddObject(std::make_unique<FCTShowFrame>());
    ASSERT_TRUE(WriteMovieFile(std::move(movie), path));
    const Bytes file = swftest::ReadFileBytes(path);
    const swftest::SwfMovie parsed = swftest::ParseMovie(file);
    EXPECT_TRUE(parsed.valid) << swftest::Dump(file);
    EXPECT_EQ(parsed.fileLength, file.size());
    EXPECT_EQ(file.size(), 21u + 6 + 7 + sizeof data + 2 + 2);
}

TEST_F(MovieFile, MissingFolderFails) {
    const fs::path path = folder / "missing" / "movie.swf";
    FObjCollection movie;
    FillStopMovie(movie);
    EXPECT_FALSE(WriteMovieFile(std::move(movie), path.string()));
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST_F(MovieFile, FailedWriteIsReported) {
    FObjCollection movie;
    FillStopMovie(movie);
    EXPECT_FALSE(WriteMovieFile(std::move(movie), "/dev/full"));
    EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is written in place, never replaced";
}

TEST_F(MovieFile, APipeNobodyReadsFailsAtOnce) {
    const fs::path path = folder / "movie.swf";
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    FObjCollection movie;
    FillStopMovie(movie);
    EXPECT_FALSE(WriteMovieFile(std::move(movie), path.string()));
    EXPECT_TRUE(fs::is_fifo(path)) << "a pipe is written in place, never replaced";
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(MovieFile, ADirectoryInTheWayFailsWithoutLeftovers) {
    const fs::path path = folder / "movie.swf";
    fs::create_directory(path);
    FObjCollection movie;
    EXPECT_FALSE(WriteMovieFile(std::move(movie), path.string()));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(MovieFile, ReadOnlyMovieIsRefusedAndKept) {
    const std::string path = (folder / "movie.swf").string();
    swftest::WriteFileBytes(path, Bytes(100, 0xEE));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    FObjCollection movie;
    EXPECT_FALSE(WriteMovieFile(std::move(movie), path));
    EXPECT_EQ(Hex(swftest::ReadFileBytes(path)), Hex(Bytes(100, 0xEE)));
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// The temporary file has a name of its own: a user's file of any likely name is never touched.
TEST_F(MovieFile, AUsersPartFileIsLeftAlone) {
    const std::string path = (folder / "movie.swf").string();
    const Bytes usersFile(300, 0x5A);
    swftest::WriteFileBytes(path + ".part", usersFile);
    FObjCollection movie;
    FillStopMovie(movie);
    ASSERT_TRUE(WriteMovieFile(std::move(movie), path));
    EXPECT_EQ(Hex(swftest::ReadFileBytes(path)), Hex(MovieBytes(FillStopMovie)));
    EXPECT_EQ(Hex(swftest::ReadFileBytes(path + ".part")), Hex(usersFile));
    EXPECT_EQ(EntriesInFolder(), 2u);
}

TEST_F(MovieFile, ALinkIsWrittenThroughAndKept) {
    const fs::path target = folder / "target.swf";
    const fs::path link = folder / "movie.swf";
    swftest::WriteFileBytes(target.string(), Bytes(100, 0xEE));
    fs::create_symlink(target, link);
    FObjCollection movie;
    FillStopMovie(movie);
    ASSERT_TRUE(WriteMovieFile(std::move(movie), link.string()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Hex(swftest::ReadFileBytes(target.string())), Hex(MovieBytes(FillStopMovie)));
    EXPECT_EQ(EntriesInFolder(), 2u);

    // A link to a file not there yet creates that file, as opening the link would.
    fs::create_symlink("later.swf", folder / "dangling.swf");
    ASSERT_TRUE(WriteMovieFile(FObjCollection(), (folder / "dangling.swf").string()));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.swf"));
    EXPECT_EQ(swftest::ReadFileBytes((folder / "later.swf").string()).size(), 23u);
    EXPECT_EQ(EntriesInFolder(), 4u);
}

TEST_F(MovieFile, NameOfTheLongestLengthIsWritten) {
    const std::string path = (folder / (std::string(251, 'n') + ".swf")).string(); // 255 bytes
    FObjCollection movie;
    ASSERT_TRUE(WriteMovieFile(std::move(movie), path));
    EXPECT_EQ(swftest::ReadFileBytes(path).size(), 23u);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// A replaced movie keeps its permissions; a new one gets those the umask gives a new file.
TEST_F(MovieFile, PermissionsAreThoseOfAFileWrittenInPlace) {
    const mode_t mask = ::umask(022);
    const std::string existing = (folder / "existing.swf").string();
    swftest::WriteFileBytes(existing, Bytes(10, 0));
    ASSERT_EQ(::chmod(existing.c_str(), 0664), 0);
    const std::string fresh = (folder / "fresh.swf").string();
    const bool wroteExisting = WriteMovieFile(FObjCollection(), existing);
    const bool wroteFresh = WriteMovieFile(FObjCollection(), fresh);
    ::umask(mask);
    ASSERT_TRUE(wroteExisting && wroteFresh);
    EXPECT_EQ(fs::status(existing).permissions(), fs::perms(0664));
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0644));
}

} // namespace
