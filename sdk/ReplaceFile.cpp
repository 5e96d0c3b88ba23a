// Replacing a file through a temporary file in its folder and a rename; devices in place.
#include "ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The kernel's own limit on links followed in one path.
constexpr int kMaxLinksFollowed = 40;

// The folder part of a path, with its final "/", or "" for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The path that opening path would write to, every symbolic link followed, also one that leads
// to a file not there yet. False for a loop of links or a link that cannot be read.
bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops <= kMaxLinksFollowed; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;
        std::vector<char> buffer(256);
        ssize_t length = 0;
        while ((length = ::readlink(target.c_str(), buffer.data(), buffer.size())) ==
               static_cast<ssize_t>(buffer.size()))
            buffer.resize(buffer.size() * 2);
        if (length <= 0)
            return false;
        const std::string link(buffer.data(), static_cast<size_t>(length));
        target = link.front() == '/' ? link : FolderOf(target) + link;
    }
    return false;
}

// The mode a new file gets under the current umask, as opening it for writing would create it.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Flushes and closes file, checks both, and answers whether everything reached the file.
bool CloseChecked(std::FILE* file, bool syncToDisk, bool complete) {
    complete = std::fflush(file) == 0 && complete;
    complete = std::ferror(file) == 0 && complete;
    if (syncToDisk)
        complete = ::fsync(::fileno(file)) == 0 && complete;
    return std::fclose(file) == 0 && complete;
}

// A device or pipe cannot be replaced, only written. Without O_NONBLOCK, opening a pipe that
// nobody reads would wait for a reader for ever.
std::FILE* OpenInPlace(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    // What was opened must still be no regular file: one would be written over without truncation.
    if (::fstat(fd, &info) != 0 || S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr)
        ::close(fd);
    return file;
}

// The rename reaches the disk with the folder's entry; the content is already there.
void SyncFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string TemporaryPattern(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    const std::string suffix = ".XXXXXX";
    long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = 255;
    const size_t room = static_cast<size_t>(std::max(longest - 1 - static_cast<long>(suffix.size()), 0L));
    return folder + "." + name.substr(0, std::min(name.size(), room)) + suffix;
}

FileReplacement::FileReplacement(std::string path, bool syncToDisk)
    : path_(std::move(path)), syncToDisk_(syncToDisk) {}

FileReplacement::~FileReplacement() {
    Discard();
}

void FileReplacement::Discard() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool FileReplacement::Open() {
    Discard();
    std::string path;
    if (path_.empty() || !FollowLinks(path_, path) || path.back() == '/')
        return false;
    path_ = path;

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return false;
    if (exists && !S_ISREG(old.st_mode)) {
        file_ = OpenInPlace(path);
        return file_ != nullptr;
    }
    // A file marked read-only is not ours to replace, even where the folder would let us.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        return false;

    // A fresh name, never one that exists, in the same folder: the rename is atomic only
    // within one file system.
    std::string temporary = TemporaryPattern(path);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    temporary_ = temporary;
    // Best effort: a disk without modes (FAT, exFAT) refuses it (EPERM, ENOSYS) and has its
    // own for every file. Only the writes, the flush and the rename decide.
    (void)::fchmod(fd, exists ? (old.st_mode & 0777) : NewFileMode());
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        ::close(fd);
        Discard();
        return false;
    }
    return true;
}

bool FileReplacement::Commit(bool complete) {
    if (file_ == nullptr)
        return false;
    std::FILE* file = std::exchange(file_, nullptr);
    const bool inPlace = temporary_.empty();
    complete = CloseChecked(file, syncToDisk_ && !inPlace, complete);
    if (inPlace)
        return complete;
    if (complete)
        complete = std::rename(temporary_.c_str(), path_.c_str()) == 0;
    if (!complete) {
        Discard();
        return false;
    }
    temporary_.clear();
    if (syncToDisk_)
        SyncFolder(path_);
    return true;
}

bool ReplaceFile(const std::string& linkOrPath, const std::function<bool(std::FILE*)>& write,
                 bool syncToDisk) {
    FileReplacement replacement(linkOrPath, syncToDisk);
    if (!replacement.Open())
        return false;
    // An exception from write passes through; the replacement removes its temporary file.
    const bool complete = write(replacement.File());
    return replacement.Commit(complete);
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    return ReplaceFile(path, [&bytes](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
}
