// What a sound file's name says it holds.
#include "SoundFileNames.h"

bool HasExtension(const std::string& path, const std::string& extension) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    if (path.size() - dot != extension.size())
        return false;
    for (size_t i = 0; i < extension.size(); ++i) {
        char c = path[dot + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i])
            return false;
    }
    return true;
}

bool IsMp3Name(const std::string& path) {
    return HasExtension(path, ".mp3");
}
