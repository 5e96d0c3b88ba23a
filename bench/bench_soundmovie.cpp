// Benchmarks of the sound movie builder: a 100 MB MP3 into a movie (against cp of the same file)
// and a movie of 65535 frames. With --build-once it builds a single movie for /usr/bin/time.
#include "sound/SoundMovieBuilder.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Where the files live: TAVREL_BENCH_DIR, else a folder under the system's temporary folder.
fs::path BenchFolder() {
    const char* chosen = std::getenv("TAVREL_BENCH_DIR");
    fs::path folder = chosen != nullptr ? fs::path(chosen) : fs::temp_directory_path() / "tavrel-bench";
    fs::create_directories(folder);
    return folder;
}

// An MP3 of `frames` MPEG-1 128 kbps 44100 Hz joint-stereo frames of 417 bytes, made once.
std::string MakeMp3(const std::string& name, size_t frames) {
    const fs::path path = BenchFolder() / name;
    const uintmax_t size = frames * 417;
    if (fs::exists(path) && fs::file_size(path) == size)
        return path.string();
    std::vector<char> frame(417);
    for (size_t i = 4; i < frame.size(); ++i)
        frame[i] = static_cast<char>(i * 31);
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xFB);
    frame[2] = static_cast<char>(0x90);
    frame[3] = static_cast<char>(0x64);
    std::ofstream out(path, std::ios::binary);
    for (size_t i = 0; i < frames; ++i)
        out.write(frame.data(), static_cast<std::streamsize>(frame.size()));
    return path.string();
}

constexpr size_t kLargeFrames = 100u * 1024 * 1024 / 417; // about 100 MB

double PeakRssMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

SoundMovieOptions WithStopAction(int32_t stopAction) {
    SoundMovieOptions options;
    options.stopAction = stopAction;
    return options;
}

void BM_BuildMovieFrom100MBMp3(benchmark::State& state) {
    const std::string mp3 = MakeMp3("large.mp3", kLargeFrames);
    const std::string movie = (BenchFolder() / "large.swf").string();
    std::vector<std::string> results;
    for (auto _ : state) {
        results.clear();
        BuildSoundMovie(mp3, movie, results, kMaxMovieFrames, WithStopAction(2));
        benchmark::DoNotOptimize(results.data());
    }
    if (results.empty() || results.back() != mp3 + ":Operation Successful.")
        state.SkipWithError("the movie was not written");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(mp3)));
    state.counters["file_MB"] = static_cast<double>(fs::file_size(mp3)) / (1024.0 * 1024.0);
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
    fs::remove(movie);
}
BENCHMARK(BM_BuildMovieFrom100MBMp3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick: cp of the same file in the same folder.
void BM_CpOf100MBMp3(benchmark::State& state) {
    const std::string mp3 = MakeMp3("large.mp3", kLargeFrames);
    const std::string copy = (BenchFolder() / "large-copy.mp3").string();
    const std::string command = "cp '" + mp3 + "' '" + copy + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(mp3)));
    fs::remove(copy);
}
BENCHMARK(BM_CpOf100MBMp3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Movie65535Frames(benchmark::State& state) {
    const std::string mp3 = MakeMp3("one-frame.mp3", 1);
    const std::string movie = (BenchFolder() / "frames.swf").string();
    std::vector<std::string> results;
    for (auto _ : state) {
        results.clear();
        BuildSoundMovie(mp3, movie, results, kMaxMovieFrames, WithStopAction(0));
    }
    if (results.empty() || results.back() != mp3 + ":Operation Successful.")
        state.SkipWithError("the movie was not written");
    state.counters["movie_bytes"] = static_cast<double>(fs::file_size(movie));
    fs::remove(movie);
}
BENCHMARK(BM_Movie65535Frames)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

// `bench_soundmovie --build-once <mp3> <swf>` builds one movie and exits: a process to hold side by
// side with `cp <mp3> <copy>` under /usr/bin/time -v. Anything else runs the benchmarks.
int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--build-once") {
        std::vector<std::string> results;
        BuildSoundMovie(argv[2], argv[3], results, kMaxMovieFrames, WithStopAction(2));
        std::printf("%s\n", results.empty() ? "" : results.back().c_str());
        return results.size() == 1 && results.back() == std::string(argv[2]) + ":Operation Successful." ? 0
                                                                                                        : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
