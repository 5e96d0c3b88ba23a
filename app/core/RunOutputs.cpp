// What a run's movies and report must not replace: a movie the same run made, and its inputs.
#include "RunOutputs.h"

#include <cstdlib>

#include <sys/stat.h>

namespace {

// The path with every link and "." or ".." resolved, or an empty text when it leads nowhere.
std::string RealPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return std::string();
    std::string real = resolved;
    std::free(resolved);
    return real;
}

} // namespace

RunOutputs::RunOutputs(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        struct stat info {};
        if (::stat(input.c_str(), &info) != 0)
            continue;
        inputFiles_.insert({info.st_dev, info.st_ino});
        const std::string real = RealPath(input);
        if (!real.empty())
            inputRealPaths_.insert(real);
    }
}

const RunOutputs::Made* RunOutputs::MadeAt(const std::string& path) const {
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    const std::string real = exists ? RealPath(path) : std::string();
    for (const Made& made : made_) {
        if (path == made.path || (!real.empty() && real == made.realPath))
            return &made;
        if (!exists || info.st_dev != made.device)
            continue;
        // A disk that ignores letter case may give the file another inode number under each
        // name (FUSE drivers do): there the same size and time of change tell it.
        if (info.st_ino == made.inode ||
            (info.st_size == made.size && info.st_mtim.tv_sec == made.modified.tv_sec &&
             info.st_mtim.tv_nsec == made.modified.tv_nsec))
            return &made;
    }
    return nullptr;
}

std::string RunOutputs::MoviePath(const std::string& usual, std::string& note) const {
    note.clear();
    const Made* taken = MadeAt(usual);
    if (taken == nullptr)
        return usual;
    const std::string stem = usual.substr(0, usual.size() - 4); // without ".swf"
    std::string path;
    for (int n = 1;; ++n) {
        path = stem + "." + std::to_string(n) + ".swf";
        if (MadeAt(path) == nullptr)
            break;
    }
    note = "its movie is " + path + " (" + taken->path + " is the movie of " + taken->input + ")";
    return path;
}

bool RunOutputs::IsInput(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    if (inputFiles_.count({info.st_dev, info.st_ino}) != 0)
        return true;
    const std::string real = RealPath(path);
    return !real.empty() && inputRealPaths_.count(real) != 0;
}

void RunOutputs::MovieMade(const std::string& path, const std::string& input) {
    Made made;
    made.path = path;
    made.realPath = RealPath(path);
    made.input = input;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        made.device = info.st_dev;
        made.inode = info.st_ino;
        made.size = info.st_size;
        made.modified = info.st_mtim;
    }
    made_.push_back(std::move(made));
}
