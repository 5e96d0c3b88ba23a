// Reading a project's file list of 20,000 entries, as this program writes them and as another
// tool might (attributes, "<File/>"), which the reading rule handles without closing tags.
#include <benchmark/benchmark.h>

#include <string>

#include "project/ProjectFile.h"

namespace {

constexpr int kEntries = 20000;

std::string FilesText(const char* before, const char* after) {
    std::string text = "<Files>\r\n";
    for (int i = 0; i < kEntries; ++i)
        text += before + ("/home/user/music/some folder/track " + std::to_string(i) + ".wav") + after;
    return text + "</Files>\r\n";
}

void ReadFiles(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        PSoundProject project;
        ReadProjectText(text, project);
        benchmark::DoNotOptimize(project.Files.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ReadFilesAsWritten(benchmark::State& state) {
    ReadFiles(state, FilesText("<File>", "</File>"));
}
void BM_ReadFilesWithAttributes(benchmark::State& state) {
    ReadFiles(state, FilesText("<File type=\"wav\">", "</File>\r\n"));
}
void BM_ReadSelfClosingFiles(benchmark::State& state) {
    ReadFiles(state, FilesText("<File path=\"", "\"/>\r\n"));
}

} // namespace

BENCHMARK(BM_ReadFilesAsWritten)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFilesWithAttributes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSelfClosingFiles)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
