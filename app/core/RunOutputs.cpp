// What a run's movies and report must not replace: a movie the same run made, and its inputs.
#include "RunOutputs.h"

#include "Translations.h"

#include <algorithm>
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

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

bool RunOutputs::FileIdentity::Of(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    device = info.st_dev;
    inode = info.st_ino;
    size = info.st_size;
    modified = info.st_mtim;
    changed = info.st_ctim;
    return true;
}

bool RunOutputs::FileIdentity::SameFileAs(const FileIdentity& other) const {
    return device == other.device &&
           (inode == other.inode ||
            (size == other.size && SameTime(modified, other.modified) && SameTime(changed, other.changed)));
}

RunOutputs::RunOutputs(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        FileIdentity file;
        if (!file.Of(input))
            continue;
        inputFiles_.push_back(file);
        inputRealPaths_.push_back(RealPath(input));
    }
}

const RunOutputs::Made* RunOutputs::MadeAt(const std::string& path) const {
    FileIdentity file;
    const bool exists = file.Of(path);
    const std::string real = exists ? RealPath(path) : std::string();
    for (const Made& made : made_) {
        if (path == made.path || (!real.empty() && real == made.realPath) ||
            (exists && file.SameFileAs(made.file)))
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
    note = MessageBytes(QCoreApplication::translate("RunOutputs", "its movie is %1 (%2 is the movie of %3)"),
                        {path, taken->path, taken->input});
    return path;
}

bool RunOutputs::IsInput(const std::string& path) const {
    FileIdentity file;
    if (!file.Of(path))
        return false;
    const std::string real = RealPath(path);
    return std::any_of(inputFiles_.begin(), inputFiles_.end(),
                       [&](const FileIdentity& input) { return file.SameFileAs(input); }) ||
           (!real.empty() &&
            std::find(inputRealPaths_.begin(), inputRealPaths_.end(), real) != inputRealPaths_.end());
}

void RunOutputs::MovieMade(const std::string& path, const std::string& input) {
    Made made;
    made.path = path;
    made.realPath = RealPath(path);
    made.input = input;
    made.file.Of(path);
    made_.push_back(std::move(made));
}

const std::string* RunOutputs::MovieOf(const std::string& path) const {
    const Made* made = MadeAt(path);
    return made ? &made->input : nullptr;
}
