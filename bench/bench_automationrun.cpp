// The automation run against `lame` alone (20 one-minute WAVs), its per-file cost for 200 MP3
// inputs (length, movie, report), and, when installed, ffmpeg given the same WAVs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sndfile.h>
#include <sys/resource.h>

#include "run/AutomationRun.h"

namespace {

constexpr int kWavFiles = 20;
constexpr int kWavSeconds = 60;
constexpr int kMp3Files = 200;
constexpr double kMp3Seconds = 2.0;

const std::vector<PMP3Converter> kModes = {
    PMP3Converter{"Music", {{"q", "5"}, {"m", "j"}, {"b", "128"}}, false}};

void WriteTone(const QString& path, int seconds10ths, double frequency) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    const int64_t frames = int64_t(44100) * seconds10ths / 10;
    std::vector<short> block(2 * 4096);
    for (int64_t done = 0; done < frames;) {
        const int64_t count = std::min<int64_t>(4096, frames - done);
        for (int64_t i = 0; i < count; ++i) {
            const double t = double(done + i) / 44100;
            block[size_t(2 * i)] = short(6000 * std::sin(2 * M_PI * frequency * t));
            block[size_t(2 * i + 1)] = short(6000 * std::sin(2 * M_PI * frequency * 1.5 * t));
        }
        sf_writef_short(file, block.data(), count);
        done += count;
    }
    sf_close(file);
}

double CpuSecondsWithChildren() {
    double seconds = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        seconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return seconds;
}

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

// The input files, made once for all benchmarks.
struct Inputs {
    QTemporaryDir dir;
    std::vector<QString> wavs;
    std::vector<QString> mp3s;

    Inputs() {
        QDir(dir.path()).mkdir("wav");
        QDir(dir.path()).mkdir("mp3");
        for (int i = 0; i < kWavFiles; ++i) {
            wavs.push_back(dir.filePath(QStringLiteral("wav/tone%1.wav").arg(i)));
            WriteTone(wavs.back(), kWavSeconds * 10, 220 + 20 * i);
        }
        const QString source = dir.filePath("short.wav");
        WriteTone(source, int(kMp3Seconds * 10), 440);
        const QString first = dir.filePath("mp3/short0.mp3");
        Run("lame", {"--silent", "-b", "128", source, first});
        for (int i = 0; i < kMp3Files; ++i) {
            mp3s.push_back(dir.filePath(QStringLiteral("mp3/short%1.mp3").arg(i)));
            if (i > 0)
                QFile::copy(first, mp3s.back());
        }
    }
};

Inputs& TheInputs() {
    static Inputs inputs;
    return inputs;
}

PSoundProject ProjectOf(const std::vector<QString>& files, const QString& outputFolder) {
    PSoundProject project;
    project.ProjectName = "bench.xml";
    project.OutputFolder = outputFolder.toStdString();
    for (const QString& file : files)
        project.Files.push_back(PSoundFile{file.toStdString(), {}});
    return project;
}

void EncodeWithLameAlone(const std::vector<QString>& wavs, const QTemporaryDir& out) {
    const QString lame = QStandardPaths::findExecutable("lame");
    for (size_t i = 0; i < wavs.size(); ++i)
        Run(lame, {"--silent", "--quiet", "-q5", "-mj", "-b128", wavs[i],
                   out.filePath(QStringLiteral("%1.mp3").arg(i))});
}

// The run on the event loop, waited for in a loop of the benchmark's own.
bool ConvertWithTheRun(const std::vector<QString>& files, const QTemporaryDir& out, int expected) {
    const PSoundProject project = ProjectOf(files, out.path());
    AutomationRun run;
    QEventLoop loop;
    int handled = -1;
    QObject::connect(&run, &AutomationRun::finished, &loop, [&](const AutomationResult& result) {
        handled = result.filesHandled;
        loop.quit();
    });
    TavrelSettings settings;
    settings.outputModes = kModes;
    RunChoices choices;
    choices.outputMode = "Music";
    run.Start(MakeRunRequest(project, settings, choices));
    loop.exec();
    return handled == expected;
}

// The machine is shared, so the two are timed back to back in every iteration and compared as a ratio.
void BM_RunOverLame_20x60sWav(benchmark::State& state) {
    Inputs& inputs = TheInputs();
    QTemporaryDir out;
    double lameSeconds = 0, runSeconds = 0;
    QElapsedTimer clock;
    bool lameFirst = true;
    double lameCpu = 0, runCpu = 0;
    const auto timeLame = [&] {
        const double cpu = CpuSecondsWithChildren();
        clock.start();
        EncodeWithLameAlone(inputs.wavs, out);
        lameSeconds += double(clock.nsecsElapsed()) / 1e9;
        lameCpu += CpuSecondsWithChildren() - cpu;
    };
    const auto timeRun = [&] {
        const double cpu = CpuSecondsWithChildren();
        clock.start();
        if (!ConvertWithTheRun(inputs.wavs, out, kWavFiles))
            state.SkipWithError("not every file was converted");
        runSeconds += double(clock.nsecsElapsed()) / 1e9;
        runCpu += CpuSecondsWithChildren() - cpu;
    };
    for (auto _ : state) {
        // Alternating the order keeps a warm cache or a busy neighbour from favouring one side.
        if (lameFirst) {
            timeLame();
            timeRun();
        } else {
            timeRun();
            timeLame();
        }
        lameFirst = !lameFirst;
    }
    state.counters["lame_s"] = lameSeconds / double(state.iterations());
    state.counters["run_s"] = runSeconds / double(state.iterations());
    state.counters["run_over_lame"] = runSeconds / lameSeconds;
    // Processor time (ours and the encoders') is far less disturbed by other work on the machine.
    state.counters["cpu_run_over_lame"] = runCpu / lameCpu;
}

void BM_Run_200ShortMp3(benchmark::State& state) {
    Inputs& inputs = TheInputs();
    QTemporaryDir out;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state)
        if (!ConvertWithTheRun(inputs.mp3s, out, kMp3Files))
            state.SkipWithError("not every file was converted");
    state.counters["per_file_ms"] =
        double(clock.nsecsElapsed()) / 1e6 / (double(kMp3Files) * state.iterations());
}

void BM_FfmpegOverRun_20x60sWav(benchmark::State& state) {
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty()) {
        state.SkipWithError("ffmpeg is not installed");
        for (auto _ : state) {
        }
        return;
    }
    Inputs& inputs = TheInputs();
    QTemporaryDir out;
    double ffmpegSeconds = 0, runSeconds = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        for (size_t i = 0; i < inputs.wavs.size(); ++i)
            Run(ffmpeg, {"-loglevel", "error", "-y", "-i", inputs.wavs[i], "-c:a", "libmp3lame", "-b:a",
                         "128k", out.filePath(QStringLiteral("%1.swf").arg(i))});
        ffmpegSeconds += double(clock.nsecsElapsed()) / 1e9;
        clock.start();
        ConvertWithTheRun(inputs.wavs, out, kWavFiles);
        runSeconds += double(clock.nsecsElapsed()) / 1e9;
    }
    state.counters["ffmpeg_s"] = ffmpegSeconds / double(state.iterations());
    state.counters["run_s"] = runSeconds / double(state.iterations());
    state.counters["run_over_ffmpeg"] = runSeconds / ffmpegSeconds;
}

} // namespace

BENCHMARK(BM_RunOverLame_20x60sWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK(BM_FfmpegOverRun_20x60sWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Run_200ShortMp3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
