// What a run's movies and report must not replace: a movie the same run made, and its inputs.
#include "run/RunOutputs.h"

#include "text/Translations.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include <sys/stat.h>

#include "run/RunPaths.h"

namespace {

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

uint64_t HashOf(const std::string& path) {
    return std::hash<std::string_view>{}(path);
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

RunOutputs::RunOutputs(const std::vector<PSoundFile>& inputs, std::string outputFolder)
    : inputs_(inputs), outputFolder_(std::move(outputFolder)) {}

std::string RunOutputs::UsualMoviePath(size_t inputIndex) const {
    return MoviePathFor(outputFolder_, inputs_[inputIndex].File);
}

std::string RunOutputs::MadePath(size_t inputIndex) const {
    const auto elsewhere = madeElsewhere_.find(inputIndex);
    return elsewhere != madeElsewhere_.end() ? elsewhere->second : UsualMoviePath(inputIndex);
}

void RunOutputs::NoteListed() const {
    if (std::exchange(listedNoted_, true))
        return;
    listed_.reserve(inputs_.size());
    for (size_t i = 0; i < inputs_.size(); ++i)
        listed_.emplace(HashOf(inputs_[i].File), i);
}

bool RunOutputs::IsListed(const std::string& path) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    NoteListed();
    const auto [first, last] = listed_.equal_range(HashOf(path));
    return std::any_of(first, last, [&](const auto& entry) { return inputs_[entry.second].File == path; });
}

int64_t RunOutputs::MadeAt(const std::string& path, bool exists, const FileIdentity& file) const {
    const auto [first, last] = made_.equal_range(HashOf(path));
    for (auto entry = first; entry != last; ++entry)
        if (MadePath(entry->second) == path)
            return int64_t(entry->second);
    if (!exists || made_.empty())
        return -1;
    if (!madeNoted_) {
        madeNoted_ = true;
        for (const auto& [hash, index] : made_)
            if (FileIdentity movie; movie.Of(MadePath(index)))
                madeFiles_.Add(movie, index);
    }
    // The movie is still that file: the one there now.
    for (const size_t index : madeFiles_.Find(file))
        if (FileIdentity movie; movie.Of(MadePath(index)) && movie.SameFileAs(file))
            return int64_t(index);
    return -1;
}

bool RunOutputs::IsInput(const std::string& path, bool exists, const FileIdentity& file) const {
    if (!exists)
        return false;
    NoteListed();
    const auto [first, last] = listed_.equal_range(HashOf(path));
    if (std::any_of(first, last, [&](const auto& entry) { return inputs_[entry.second].File == path; }))
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

RunOutputs::Target RunOutputs::MovieFor(size_t inputIndex) {
    const std::lock_guard<std::mutex> lock(mutex_);
    Target target;
    const std::string usual = UsualMoviePath(inputIndex);
    target.path = usual;
    FileIdentity file;
    bool exists = file.Of(usual);
    const int64_t taken = MadeAt(usual, exists, file);
    if (taken >= 0) {
        const std::string stem = usual.substr(0, usual.size() - 4); // without ".swf"
        for (int n = 1;; ++n) {
            target.path = stem + "." + std::to_string(n) + ".swf";
            exists = file.Of(target.path);
            if (MadeAt(target.path, exists, file) < 0)
                break;
        }
        target.note =
            MessageBytes(QCoreApplication::translate("RunOutputs", "its movie is %1 (%2 is the movie of %3)"),
                         {target.path, MadePath(size_t(taken)), inputs_[size_t(taken)].File});
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
    if (path != UsualMoviePath(inputIndex))
        madeElsewhere_[inputIndex] = path;
    made_.emplace(HashOf(path), inputIndex);
    if (FileIdentity movie; madeNoted_ && movie.Of(path))
        madeFiles_.Add(movie, inputIndex);
}

const std::string* RunOutputs::MovieOf(const std::string& path) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    FileIdentity file;
    const bool exists = file.Of(path);
    const int64_t made = MadeAt(path, exists, file);
    return made < 0 ? nullptr : &inputs_[size_t(made)].File;
}
