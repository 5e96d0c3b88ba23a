// SwfDump and the swfdump tool: movies the writer makes, read back and dumped field by field.
#include "SwfDump.h"

#include "FDT.h"
#include "common/swf_dump.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

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
        auto* doAction = new FCTDoAction;
        doAction->AppendAction(new FActionStop);
        movie.AddObject(doAction);
        movie.AddObject(new FCTShowFrame);
    });
}

struct DumpCase {
    const char* name;
    std::function<Bytes()> movie;
    const char* dump;
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
        DumpCase{"a stop frame", StopMovie,
                 "FWS version 4, file length 29 (29 bytes in the file)\n"
                 "frame x 0..600, y 0..600 twips, rate 12, 1 frame\n"
                 "@21 DoAction (12), length 2: actions Stop\n"
                 "@25 ShowFrame (1), length 0\n"
                 "@27 End (0), length 0\n"},
        DumpCase{"a sound movie as the builder makes it",
                 [] {
                     return MovieBytes([](FObjCollection& movie) {
                         movie.AddObject(new TestSound);
                         movie.AddObject(
                             new FCTStartSound(1, new FSoundInfo(1, 0, 1, 0, 0, 0, 0, 0, 0, nullptr)));
                         for (int i = 0; i < 3; ++i)
                             movie.AddObject(new FCTShowFrame);
                     });
                 },
                 "FWS version 4, file length 113 (113 bytes in the file)\n"
                 "frame x 0..600, y 0..600 twips, rate 12, 3 frames\n"
                 "@21 DefineSound (14), length 71: id 1, format 2 (MP3), rate 3 (44 kHz), size 1 (16-bit), "
                 "type 1 (stereo), sample count 1152, data length 64 (seek samples 0)\n"
                 "@98 StartSound (15), length 5: sound id 1, sync stop 0, no multiple 1, loop count 0\n"
                 "@105 ShowFrame (1), length 0, 3 in a row\n"
                 "@111 End (0), length 0\n"},
        DumpCase{"every sound option",
                 [] {
                     return MovieBytes([](FObjCollection& movie) {
                         auto* envelope = new SoundEnvelope[2]{{16, 32768, 1}, {131072, 0, 32767}};
                         movie.AddObject(
                             new FCTStartSound(5, new FSoundInfo(2, 1, 1, 1, 1, 7, 9, 3, 2, envelope)));
                     });
                 },
                 "FWS version 4, file length 55 (55 bytes in the file)\n"
                 "frame x 0..600, y 0..600 twips, rate 12, 0 frames\n"
                 "@21 StartSound (15), length 30: sound id 5, sync stop 1, no multiple 0, in point 7, "
                 "out point 9, loop count 3, envelope of 2 points: 16 32768/1, 131072 0/32767\n"
                 "@53 End (0), length 0\n"},
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
                 "problem: it does not start with FWS\n"}));

// What the tool prints and its exit status.
std::pair<int, std::string> RunSwfDump(const std::string& path) {
    const std::string command = TAVREL_PROGRAM_DIR "/swfdump '" + path + "' 2>&1";
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
    EXPECT_EQ(RunSwfDump(text),
              std::make_pair(1, "swfdump: " + text + " is not a SWF movie: it does not start with FWS\n"));
    fs::remove_all(folder);
}

} // namespace
