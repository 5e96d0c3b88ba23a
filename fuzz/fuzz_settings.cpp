// Fuzz target: the settings loader (LoadSettings on a file holding the input), and saving the
// loaded presets back into that file, which must read back the same.
#include "FuzzCheck.h"
#include "project/OutputModes.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string iniPath;

// Removes the file after every input: the fuzzer's own exit skips atexit handlers, so only an
// input that fails leaves its file behind.
struct RemoveIniAtReturn {
    ~RemoveIniAtReturn() { std::remove(iniPath.c_str()); }
};

bool SameModes(const std::vector<PMP3Converter>& a, const std::vector<PMP3Converter>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].enabled != b[i].enabled ||
            a[i].params.size() != b[i].params.size())
            return false;
        for (size_t p = 0; p < a[i].params.size(); ++p)
            if (a[i].params[p].name != b[i].params[p].name || a[i].params[p].value != b[i].params[p].value)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Saving flushes the file to disk: on a memory file system that costs nothing.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                             ? "/dev/shm"
                                             : std::filesystem::temp_directory_path();
    iniPath = (folder / ("tavrel-fuzz-settings-" + std::to_string(::getpid()) + ".ini")).string();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const RemoveIniAtReturn removeIni;
    FILE* file = std::fopen(iniPath.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);

    TavrelSettings settings;
    std::vector<std::string> warnings;
    LoadSettings(iniPath, settings, &warnings);
    const PSoundProject project = NewDefaultProject(settings);
    FUZZ_CHECK(MatchingOutputMode(settings.outputModes, project) >= -1);
    for (const PMP3Converter& mode : settings.outputModes) {
        FUZZ_CHECK(mode.params.size() == 3);
        FUZZ_CHECK(EncoderOptionArguments(mode).size() == 5);
        EncoderOptionText(mode);
    }

    // Saving a thousand presets takes milliseconds: a few dozen exercise the same code.
    if (settings.outputModes.size() > 64)
        return 0;
    SaveSettings(iniPath, settings.emptyProjectMode, settings.defaultOutputFolder, settings.outputModes);
    TavrelSettings again;
    LoadSettings(iniPath, again);
    FUZZ_CHECK(SameModes(settings.outputModes, again.outputModes));
    FUZZ_CHECK(again.emptyProjectMode == settings.emptyProjectMode);
    FUZZ_CHECK(again.defaultOutputFolder == settings.defaultOutputFolder);
    return 0;
}
