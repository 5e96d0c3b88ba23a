// Checks the settings.ini that goes out with the program: every preset must encode to a playable rate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <QTemporaryDir>

#include "common/file_bytes.h"
#include "project/OutputModes.h"

extern char** environ;

namespace {

const std::string ShippedSettings = std::string(TAVREL_SOURCE_DIR) + "/app/resources/settings.ini";

// The sample rates the MP3 reader takes; 16, 32 and 48 kHz have no SWF sound rate.
const std::set<int> AcceptedRates = {8000, 11025, 12000, 22050, 24000, 44100};

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// Half a second of a 440 Hz tone, 44.1 kHz, 16-bit stereo: what a CD rip gives.
std::string CdQualityWave() {
    const uint32_t rate = 44100;
    const uint32_t frames = rate / 2;
    const uint32_t dataBytes = frames * 4;
    std::string wave = "RIFF";
    PutLittleEndian(wave, 36 + dataBytes, 4);
    wave += "WAVEfmt ";
    PutLittleEndian(wave, 16, 4);
    PutLittleEndian(wave, 1, 2); // PCM
    PutLittleEndian(wave, 2, 2);
    PutLittleEndian(wave, rate, 4);
    PutLittleEndian(wave, rate * 4, 4);
    PutLittleEndian(wave, 4, 2);
    PutLittleEndian(wave, 16, 2);
    wave += "data";
    PutLittleEndian(wave, dataBytes, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<int16_t>(8000 * std::sin(2 * 3.141592653589793 * 440 * i / rate));
        PutLittleEndian(wave, static_cast<uint16_t>(sample), 2);
        PutLittleEndian(wave, static_cast<uint16_t>(sample), 2);
    }
    return wave;
}

// Runs a program found on PATH and returns its exit status, or -1 if it could not run.
int RunProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Sample rate of the first MPEG audio frame header after any ID3v2 tag, 0 if there is none.
int FirstFrameSampleRate(const std::string& mp3) {
    size_t at = 0;
    if (mp3.size() >= 10 && mp3.compare(0, 3, "ID3") == 0) {
        const auto byte = [&mp3](size_t i) {
            return static_cast<uint32_t>(static_cast<unsigned char>(mp3[i]));
        };
        at = 10 + ((byte(6) << 21) | (byte(7) << 14) | (byte(8) << 7) | byte(9));
    }
    for (; at + 4 <= mp3.size(); ++at) {
        const auto b1 = static_cast<unsigned char>(mp3[at + 1]);
        const auto b2 = static_cast<unsigned char>(mp3[at + 2]);
        if (static_cast<unsigned char>(mp3[at]) != 0xff || (b1 & 0xe0) != 0xe0)
            continue;
        const int version = (b1 >> 3) & 3; // 0: MPEG 2.5, 2: MPEG 2, 3: MPEG 1
        const int rateIndex = (b2 >> 2) & 3;
        if (version == 1 || rateIndex == 3)
            continue;
        static const int mpeg1[] = {44100, 48000, 32000};
        const int base = mpeg1[rateIndex];
        return version == 3 ? base : version == 2 ? base / 2 : base / 4;
    }
    return 0;
}

} // namespace

TEST(ShippedPresets, FileLoadsCleanlyWithACustomPresetLast) {
    std::vector<std::string> warnings;
    TavrelSettings settings;
    LoadSettings(ShippedSettings, settings, &warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_GE(settings.outputModes.size(), 4u);
    EXPECT_EQ(settings.outputModes.back().name, "Custom...");
    EXPECT_TRUE(settings.outputModes.back().enabled);
    EXPECT_GE(settings.emptyProjectMode, 0);
    EXPECT_LT(static_cast<size_t>(settings.emptyProjectMode), settings.outputModes.size());
    EXPECT_EQ(settings.defaultOutputFolder, "");
    EXPECT_EQ(settings.encoders, DefaultEncoderCount()) << "one encoder per processor";
    EXPECT_EQ(ReadBytes(std::string(TAVREL_PROGRAM_DIR) + "/settings.ini"), ReadBytes(ShippedSettings))
        << "the build puts settings.ini beside the program";

    std::set<std::string> names;
    const std::set<std::string> modes = {"s", "j", "f", "m", "a"};
    const std::set<std::string> bitrates = {"16", "32", "64", "128", "256"};
    for (size_t i = 0; i < settings.outputModes.size(); ++i) {
        const PMP3Converter& mode = settings.outputModes[i];
        SCOPED_TRACE(mode.name);
        EXPECT_TRUE(names.insert(mode.name).second) << "names are unique";
        EXPECT_EQ(mode.enabled, i + 1 == settings.outputModes.size()) << "only Custom... is editable";
        ASSERT_EQ(mode.params.size(), 3u);
        EXPECT_EQ(mode.params[0].name, "q");
        EXPECT_EQ(mode.params[1].name, "m");
        EXPECT_EQ(mode.params[2].name, "b");
        // The values must be items of the main window's boxes, or the preset could not be shown.
        const std::string& quality = mode.params[0].value;
        EXPECT_TRUE(quality.size() == 1 && quality[0] >= '1' && quality[0] <= '9') << quality;
        EXPECT_EQ(modes.count(mode.params[1].value), 1u) << mode.params[1].value;
        EXPECT_EQ(bitrates.count(mode.params[2].value), 1u) << mode.params[2].value;
    }
}

TEST(ShippedPresets, EveryPresetEncodesToAnAcceptedSampleRate) {
    TavrelSettings settings;
    LoadSettings(ShippedSettings, settings);
    ASSERT_FALSE(settings.outputModes.empty());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string wave = dir.path().toStdString() + "/tone.wav";
    ASSERT_TRUE(WriteBytes(wave, CdQualityWave()));

    for (size_t i = 0; i < settings.outputModes.size(); ++i) {
        const PMP3Converter& mode = settings.outputModes[i];
        SCOPED_TRACE(mode.name + ": " + EncoderOptionText(mode));
        const std::string mp3 = dir.path().toStdString() + "/tone" + std::to_string(i) + ".mp3";
        std::vector<std::string> command = {"lame"};
        for (const std::string& option : EncoderOptionArguments(mode))
            command.push_back(option);
        command.push_back(wave);
        command.push_back(mp3);
        ASSERT_EQ(RunProgram(command), 0);
        const int rate = FirstFrameSampleRate(ReadBytes(mp3));
        EXPECT_EQ(AcceptedRates.count(rate), 1u) << "lame chose " << rate << " Hz";
    }
}

// The header reader itself, on the rates the encoder can choose.
TEST(ShippedPresets, HeaderReaderTellsRejectedRatesApart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string wave = dir.path().toStdString() + "/tone.wav";
    ASSERT_TRUE(WriteBytes(wave, CdQualityWave()));
    const std::string mp3 = dir.path().toStdString() + "/tone.mp3";
    // 32 kbps stereo makes lame drop to 16 kHz, which the reader refuses.
    ASSERT_EQ(RunProgram({"lame", "--silent", "--quiet", "-q5", "-mj", "-b32", wave, mp3}), 0);
    EXPECT_EQ(FirstFrameSampleRate(ReadBytes(mp3)), 16000);
    ASSERT_EQ(RunProgram({"lame", "--silent", "--quiet", "-q5", "-mj", "-b128", wave, mp3}), 0);
    EXPECT_EQ(FirstFrameSampleRate(ReadBytes(mp3)), 44100);
}
