// Fuzz target: the project file reader (ReadProjectText, the reading rule and the number parser).
#include "FuzzCheck.h"
#include "project/ProjectFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool HasTagCharacter(const std::string& text) {
    return text.find_first_of("<>") != std::string::npos;
}

bool SameProject(const PSoundProject& a, const PSoundProject& b) {
    if (a.ProjectName != b.ProjectName || a.Quality != b.Quality || a.Mode != b.Mode ||
        a.Bitrate != b.Bitrate || a.OutputFolder != b.OutputFolder || a.StopAction != b.StopAction ||
        a.FramePerSeconds != b.FramePerSeconds || a.FrameTuner != b.FrameTuner ||
        a.Files.size() != b.Files.size())
        return false;
    for (size_t i = 0; i < a.Files.size(); ++i)
        if (a.Files[i].File != b.Files[i].File)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);

    PSoundProject project;
    ReadProjectText(text, project);

    // What was read is written and read back unchanged, as long as no value holds a tag.
    bool plain = !HasTagCharacter(project.ProjectName) && !HasTagCharacter(project.Quality) &&
                 !HasTagCharacter(project.Mode) && !HasTagCharacter(project.Bitrate) &&
                 !HasTagCharacter(project.OutputFolder);
    for (const PSoundFile& file : project.Files)
        plain = plain && !HasTagCharacter(file.File);
    if (plain) {
        PSoundProject again;
        ReadProjectText(ProjectFileText(project), again);
        FUZZ_CHECK(SameProject(project, again));
    }

    // The number parser agrees with the C library on what it accepts.
    if (size <= 40) {
        int32_t value = 0;
        if (TryParseInt32(text, value)) {
            const std::string trimmed = TrimBlanks(text);
            char* end = nullptr;
            errno = 0;
            const long long expected = std::strtoll(trimmed.c_str(), &end, 10);
            FUZZ_CHECK(errno == 0 && end == trimmed.c_str() + trimmed.size() && expected == value);
        }
    }
    return 0;
}
