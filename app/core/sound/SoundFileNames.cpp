// What a sound file's name says it holds.
#include "sound/SoundFileNames.h"

#include <set>

#include <sndfile.h>

namespace {

char LowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The extensions of the formats libsndfile reads, as it names them, with their dots; ".aif" too,
// the common spelling it does not name.
std::set<std::string> SndfileExtensions() {
    std::set<std::string> extensions{".aif"};
    for (const auto& [countCommand, formatCommand] :
         {std::pair{SFC_GET_FORMAT_MAJOR_COUNT, SFC_GET_FORMAT_MAJOR},
          std::pair{SFC_GET_SIMPLE_FORMAT_COUNT, SFC_GET_SIMPLE_FORMAT}}) {
        int count = 0;
        sf_command(nullptr, countCommand, &count, sizeof count);
        for (int i = 0; i < count; ++i) {
            SF_FORMAT_INFO format{};
            format.format = i;
            if (sf_command(nullptr, formatCommand, &format, sizeof format) != 0 || !format.extension)
                continue;
            // Headerless: raw samples, and VOX (raw too, as libsndfile lists it).
            if ((format.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_RAW)
                extensions.insert("." + std::string(format.extension));
        }
    }
    return extensions;
}

} // namespace

bool HasExtension(const std::string& path, const std::string& extension) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    if (path.size() - dot != extension.size())
        return false;
    for (size_t i = 0; i < extension.size(); ++i)
        if (LowerCase(path[dot + i]) != extension[i])
            return false;
    return true;
}

bool IsMp3Name(const std::string& path) {
    return HasExtension(path, ".mp3");
}

bool IsSoundFileName(const std::string& path) {
    static const std::set<std::string> extensions = SndfileExtensions();
    const auto slash = path.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart)
        return false;
    std::string extension = path.substr(dot);
    for (char& c : extension)
        c = LowerCase(c);
    return extension == ".mp3" || extensions.count(extension) != 0;
}
