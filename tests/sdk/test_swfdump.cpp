// SwfDump and the tavrel-inspect tool: whole movies, this program's, another program's (tests/data/swf,
// made by tests/data/make-swf.sh) and damaged ones, read back and dumped field by field. Single
// tags are read back in the byte table of test_tags.cpp.
#include "SwfDump.h"

#include "FDT.h"
#include "common/swf_dump.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>

using swftest::Bytes;
namespace fs = std::filesystem;

namespace {

// A sound definition as the MP3 reader leaves it: 44 kHz stereo, 64 bytes of data.
U8 gSoundData[64] = {0x00, 0x00, 0xFF, 0xFB};
class TestSound : public FDTDefineSound {
public:
    TestSound() { soundParams = {2, 3, 1, 1, 1152, sizeof gSoundData, gSoundData}; }
};

Bytes MovieBytes(const std::function<void(FObjCollection&)>& fill) {
    FObjCollection movie;
    fill(movie);
    FSWFStream stream;
    movie.WriteMovieBody(&stream, 600, 600, 12);
    return swftest::SavedBytes(stream);
}

Bytes StopMovie() {
    return MovieBytes([](FObjCollection& movie) {
        auto doAction = std::make_unique<FCTDoAction>();
        doAction->AppendAction(std::make_unique<FActionStop>());
        movie.AddObject(std::move(doAction));
        movie.AddObject(std::make_unique<FCTShowFrame>());
    });
}

// A movie another program wrote, up to `size` bytes.
Bytes Foreign(const std::string& name, size_t size = SIZE_MAX) {
    Bytes movie = swftest::ReadFileBytes(TAVREL_TEST_DATA_DIR "/swf/" + name);
    movie.resize(std::min(size, movie.size()));
    return movie;
}

// The header and tags up to the End of ffmpeg's sound stream movie held in a file of `size` bytes:
// a stream head, then six frames, each with its block of MP3.
std::string Mp3StreamTags(size_t size) {
    return "FWS version 4, file length 104857600 (" + std::to_string(size) +
           " bytes in the file)\n"
           "frame x 0..6400, y 0..4000 twips, rate 10, 6000 frames\n"
           "@20 SoundStreamHead2 (45), length 6\n"
           "@28 SoundStreamBlock (19), length 108\n@142 ShowFrame (1), length 0\n"
           "@144 SoundStreamBlock (19), length 109\n@259 ShowFrame (1), length 0\n"
           "@261 SoundStreamBlock (19), length 108\n@375 ShowFrame (1), length 0\n"
           "@377 SoundStreamBlock (19), length 109\n@492 ShowFrame (1), length 0\n"
           "@494 SoundStreamBlock (19), length 108\n@608 ShowFrame (1), length 0\n"
           "@610 SoundStreamBlock (19), length 109\n@725 ShowFrame (1), length 0\n";
}

struct DumpCase {
    const char* name;
    std::function<Bytes()> movie;
    std::string dump;
};

void PrintTo(const DumpCase& row, std::ostream* out) {
    *out << row.name;
}

class MovieDump : public ::testing::TestWithParam<DumpCase> {};

TEST_P(MovieDump, ReadsBackWhatWasWritten) {
    EXPECT_EQ(DumpSwfMovie(GetParam().movie()), GetParam().dump);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MovieDump,
    ::testing::Values(
        DumpCase{"a sound movie as the builder makes it",
                 [] {
                     return MovieBytes([](FObjCollection& movie) {
                         movie.AddObject(std::make_unique<TestSound>());
                         movie.AddObject(
                             std::make_unique<FCTStartSound>(1, FSoundInfo().NoMultiple().Loops(0)));
                         for (int i = 0; i < 3; ++i)
                             movie.AddObject(std::make_unique<FCTShowFrame>());
                     });
                 },
                 "FWS version 4, file length 113 (113 bytes in the file)\n"
                 "frame x 0..600, y 0..600 twips, rate 12, 3 frames\n"
                 "@21 DefineSound (14), length 71: id 1, format 2 (MP3), rate 3 (44 kHz), size 1 (16-bit), "
                 "type 1 (stereo), sample count 1152, data length 64 (seek samples 0)\n"
                 "@98 StartSound (15), length 5: sound id 1, sync stop 0, no multiple 1, loop count 0\n"
                 "@105 ShowFrame (1), length 0, 3 in a row\n"
                 "@111 End (0), length 0\n"},
        DumpCase{"a movie cut short",
                 [] {
                     Bytes movie = StopMovie();
                     movie.resize(24);
                     return movie;
                 },
                 "FWS version 4, file length 29 (24 bytes in the file)\n"
                 "frame x 0..600, y 0..600 twips, rate 12, 1 frame\n"
                 "problem: the body of the tag at 21 runs past the end of the file\n"},
        DumpCase{"no movie", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a'}; },
                 "problem: it does not start with FWS\n"},
        DumpCase{"a compressed movie", [] { return Bytes{'C', 'W', 'S', 10, 0, 1, 0, 0, 0x78}; },
                 "problem: a compressed movie (CWS): only uncompressed movies are read\n"},
        DumpCase{"a header cut short before its rectangle",
                 [] { return Bytes{'F', 'W', 'S', 4, 9, 0, 0, 0}; }, "problem: the header is cut short\n"},
        DumpCase{"a header cut short in its rectangle",
                 [] { return Bytes{'F', 'W', 'S', 4, 12, 0, 0, 0, 0xF8, 0, 0, 0}; },
                 "problem: the header is cut short\n"},
        DumpCase{"negative corners and a fraction of a frame per second",
                 [] {
                     return Bytes{'F',  'W',  'S',  6,    19,   0, 0, 0, 0x47, 0xF8,
                                  0xA4, 0x03, 0xF8, 0x80, 0x18, 1, 0, 0, 0};
                 },
                 "FWS version 6, file length 19 (19 bytes in the file)\n"
                 "frame x -1..20, y -128..127 twips, rate 24 + 128/256, 1 frame\n"
                 "@17 End (0), length 0\n"},
        DumpCase{"ffmpeg: one JPEG picture", [] { return Foreign("ffmpeg-jpeg.swf"); },
                 "FWS version 4, file length 306 (306 bytes in the file)\n"
                 "frame x 0..320, y 0..320 twips, rate 5, 0 frames\n"
                 "@18 DefineShape (2), length 30\n"
                 "@50 DefineBitsJPEG2 (21), length 231\n"
                 "@287 PlaceObject (4), length 13\n"
                 "@302 ShowFrame (1), length 0\n"
                 "@304 End (0), length 0\n"},
        DumpCase{"ffmpeg: one frame of video", [] { return Foreign("ffmpeg-flv-video.swf"); },
                 "FWS version 6, file length 102 (102 bytes in the file)\n"
                 "frame x 0..640, y 0..640 twips, rate 5, 1 frame\n"
                 "@19 DefineVideoStream (60), length 10\n"
                 "@31 PlaceObject2 (26), length 21\n"
                 "@54 VideoFrame (61), length 38\n"
                 "@98 ShowFrame (1), length 0\n"
                 "@100 End (0), length 0\n"},
        // ffmpeg leaves its placeholders in the length and frame count of a sound-only movie.
        DumpCase{"ffmpeg: an MP3 sound stream", [] { return Foreign("ffmpeg-mp3-stream.swf"); },
                 Mp3StreamTags(729) +
                     std::string("@727 End (0), length 0\n"
                                 "problem: the length field says 104857600 bytes, the file has 729\n")},
        DumpCase{"ffmpeg: an MP3 sound stream without its End tag",
                 [] { return Foreign("ffmpeg-mp3-stream.swf", 727); },
                 Mp3StreamTags(727) + std::string("problem: no End tag at the end of the file\n")},
        DumpCase{"ffmpeg: an MP3 sound stream cut in its End tag",
                 [] { return Foreign("ffmpeg-mp3-stream.swf", 728); },
                 Mp3StreamTags(728) + std::string("problem: a tag header at 727 is cut short\n")},
        DumpCase{"ffmpeg: one JPEG picture and three bytes more",
                 [] {
                     Bytes movie = Foreign("ffmpeg-jpeg.swf");
                     movie.insert(movie.end(), {1, 2, 3});
                     return movie;
                 },
                 "FWS version 4, file length 306 (309 bytes in the file)\n"
                 "frame x 0..320, y 0..320 twips, rate 5, 0 frames\n"
                 "@18 DefineShape (2), length 30\n"
                 "@50 DefineBitsJPEG2 (21), length 231\n"
                 "@287 PlaceObject (4), length 13\n"
                 "@302 ShowFrame (1), length 0\n"
                 "@304 End (0), length 0\n"
                 "problem: 3 bytes after the End tag\n"}));

// What the tool prints and its exit status; options (quoted as needed) go before the path.
std::pair<int, std::string> RunSwfDump(const std::string& path, const std::string& options = "") {
    const std::string command = TAVREL_PROGRAM_DIR "/tavrel-inspect " + options + " '" + path + "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {-1, "popen failed"};
    std::string output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(SwfDumpTool, PrintsAMovieAndRefusesAFileThatIsNone) {
    const fs::path folder = fs::temp_directory_path() / ("tavrel-swfdump-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string movie = (folder / "stop.swf").string();
    const std::string text = (folder / "notes.txt").string();
    swftest::WriteFileBytes(movie, StopMovie());
    swftest::WriteFileBytes(text, {'h', 'i', '\n'});

    EXPECT_EQ(RunSwfDump(movie), std::make_pair(0, DumpSwfMovie(StopMovie())));
    EXPECT_EQ(RunSwfDump(text), std::make_pair(1, "tavrel-inspect: " + text +
                                                      " is not a SWF movie: it does not start with FWS\n"));
    fs::remove_all(folder);
}

// The sound of a movie another program made: its one MP3 DefineSound (id 7, 1105 seek samples,
// 2000 samples), after a tag this program never writes. Movies with no such sound are refused.
TEST(SwfDumpTool, TakesTheSoundBackOut) {
    const fs::path folder = fs::temp_directory_path() / ("tavrel-extract-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const Bytes mp3 = swftest::ReadFileBytes(TAVREL_TEST_DATA_DIR "/mp3/mpeg1-44100-stereo.mp3");
    const auto length = static_cast<U32>(9 + mp3.size());
    Bytes movie = Foreign("ffmpeg-jpeg.swf", 18); // its header
    const Bytes tags = {0x43, 0x02, 0xFF, 0xFF, 0xFF, 0xBF, 0x03, U8(length), U8(length >> 8), 0, 0, 0x07,
                        0x00, 0x2F, 0xD0, 0x07, 0x00, 0x00, 0x51, 0x04};
    movie.insert(movie.end(), tags.begin(), tags.end());
    movie.insert(movie.end(), mp3.begin(), mp3.end());
    movie.insert(movie.end(), {0x00, 0x00});
    movie[4] = U8(movie.size());
    movie[5] = U8(movie.size() >> 8);
    const std::string path = (folder / "foreign.swf").string(), out = (folder / "out").string();
    swftest::WriteFileBytes(path, movie);

    EXPECT_EQ(RunSwfDump(path, "--extract-mp3 '" + out + ".mp3'"),
              std::make_pair(0, out + ".mp3: " + std::to_string(mp3.size()) + " bytes of MP3\n"));
    EXPECT_EQ(swftest::ReadFileBytes(out + ".mp3"), mp3);
    const auto [status, said] = RunSwfDump(path, "--extract-wav '" + out + ".wav'");
    EXPECT_EQ(status, 0) << said;
    EXPECT_EQ(swftest::ReadFileBytes(out + ".wav").size(), 44u + 2000 * 4) << "2000 stereo 16-bit samples";
    const std::string stream = TAVREL_TEST_DATA_DIR "/swf/ffmpeg-mp3-stream.swf";
    EXPECT_EQ(RunSwfDump(stream, "--extract-wav '" + out + ".wav'"),
              std::make_pair(1, "tavrel-inspect: " + stream +
                                    ": its sound is a stream (SoundStreamHead), not a "
                                    "DefineSound\n"));
    fs::remove_all(folder);
}

} // namespace
