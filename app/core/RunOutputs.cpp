// What a run's movies and report must not replace: a movie the same run made, and its inputs.
#include "RunOutputs.h"

#include "Translations.h"

#include <functional>

#include <sys/stat.h>

namespace {

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

uint64_t Mix(uint64_t seed, uint64_t value) {
    return seed ^ (std::hash<uint64_t>{}(value) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
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

void RunOutputs::FilesByIdentity::Add(const FileIdentity& file, size_t index) {
    byInode_.emplace(Mix(file.device, file.inode), index);
    const uint64_t look = Mix(Mix(Mix(file.device, uint64_t(file.size)), uint64_t(file.modified.tv_sec)),
                              uint64_t(file.changed.tv_nsec));
    byLook_.emplace(look, index);
}

std::vector<size_t> RunOutputs::FilesByIdentity::Find(const FileIdentity& file) const {
    std::vector<size_t> found;
    const uint64_t look = Mix(Mix(Mix(file.device, uint64_t(file.size)), uint64_t(file.modified.tv_sec)),
                              uint64_t(file.changed.tv_nsec));
    for (const auto& table :
         {std::pair{&byInode_, Mix(file.device, file.inode)}, std::pair{&byLook_, look}}) {
        const auto [first, last] = table.first->equal_range(table.second);
        for (auto entry = first; entry != last; ++entry)
            found.push_back(entry->second);
    }
    return found;
}

RunOutputs::RunOutputs(const std::vector<PSoundFile>& inputs) : inputs_(inputs) {
    inputPaths_.reserve(inputs.size());
    for (const PSoundFile& input : inputs)
        inputPaths_.insert(input.File);
}

bool RunOutputs::IsListed(const std::string& path) const {
    return inputPaths_.count(path) != 0;
}

const std::string* RunOutputs::MadeAt(const std::string& path, bool exists, const FileIdentity& file) const {
    if (const auto made = made_.find(path); made != made_.end())
        return &made->first;
    if (!exists || made_.empty())
        return nullptr;
    if (!madeNoted_) {
        madeNoted_ = true;
        for (size_t i = 0; i < madePaths_.size(); ++i)
            if (FileIdentity movie; movie.Of(*madePaths_[i]))
                madeFiles_.Add(movie, i);
    }
    // The movie is still that file: the one there now.
    for (const size_t i : madeFiles_.Find(file))
        if (FileIdentity movie; movie.Of(*madePaths_[i]) && movie.SameFileAs(file))
            return madePaths_[i];
    return nullptr;
}

bool RunOutputs::IsInput(const std::string& path, bool exists, const FileIdentity& file) const {
    if (!exists)
        return false;
    if (inputPaths_.count(path) != 0)
        return true;
    if (!inputsNoted_) {
        inputsNoted_ = true;
        for (size_t i = 0; i < inputs_.size(); ++i)
            if (FileIdentity input; input.Of(inputs_[i].File))
                inputFiles_.Add(input, i);
    }
    // The input is still that file: the one there now, not one that had its number before.
    for (const size_t i : inputFiles_.Find(file))
        if (FileIdentity input; input.Of(inputs_[i].File) && input.SameFileAs(file))
            return true;
    return false;
}

RunOutputs::Target RunOutputs::MovieFor(const std::string& usual) {
    const std::lock_guard<std::mutex> lock(mutex_);
    Target target;
    target.path = usual;
    FileIdentity file;
    bool exists = file.Of(usual);
    const std::string* taken = MadeAt(usual, exists, file);
    if (taken != nullptr) {
        const std::string stem = usual.substr(0, usual.size() - 4); // without ".swf"
        for (int n = 1;; ++n) {
            target.path = stem + "." + std::to_string(n) + ".swf";
            exists = file.Of(target.path);
            if (MadeAt(target.path, exists, file) == nullptr)
                break;
        }
        target.note =
            MessageBytes(QCoreApplication::translate("RunOutputs", "its movie is %1 (%2 is the movie of %3)"),
                         {target.path, *taken, inputs_[made_.at(*taken)].File});
    }
    target.overInput = IsInput(target.path, exists, file);
    return target;
}

bool RunOutputs::IsInput(const std::string& path) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    FileIdentity file;
    const bool exists = file.Of(path);
    return IsInput(path, exists, file);
}

void RunOutputs::MovieMade(const std::string& path, size_t inputIndex) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto [made, added] = made_.insert_or_assign(path, inputIndex);
    if (!added)
        return;
    madePaths_.push_back(&made->first);
    if (FileIdentity movie; madeNoted_ && movie.Of(path))
        madeFiles_.Add(movie, madePaths_.size() - 1);
}

const std::string* RunOutputs::MovieOf(const std::string& path) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    FileIdentity file;
    const bool exists = file.Of(path);
    const std::string* made = MadeAt(path, exists, file);
    return made ? &inputs_[made_.at(*made)].File : nullptr;
}
