// Replacing a file through a temporary file in its folder and a rename; devices in place.
#include "ReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <random>
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
// to a file not there yet. False for a loop of links or a link that cannot be read. exists and
// info tell what is at the target.
bool FollowLinks(const std::string& path, std::string& target, bool& exists, struct stat& info) {
    target = path;
    for (int hops = 0; hops <= kMaxLinksFollowed; ++hops) {
        exists = ::lstat(target.c_str(), &info) == 0;
        if (!exists || !S_ISLNK(info.st_mode))
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

// Flushes and closes the stream over fd, if one was made, or else fd; checks all, and answers
// whether everything reached the file.
bool CloseChecked(std::FILE* file, int fd, bool syncToDisk, bool complete) {
    if (file != nullptr) {
        complete = std::fflush(file) == 0 && complete;
        complete = std::ferror(file) == 0 && complete;
    }
    if (syncToDisk)
        complete = ::fsync(fd) == 0 && complete;
    return (file != nullptr ? std::fclose(file) : ::close(fd)) == 0 && complete;
}

// A device or pipe cannot be replaced, only written. Without O_NONBLOCK, opening a pipe that
// nobody reads would wait for a reader for ever.
int OpenInPlace(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    // What was opened must still be no regular file: one would be written over without truncation.
    if (::fstat(fd, &info) != 0 || S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The length of name in a temporary name beside it ("." + name + ".XXXXXX") that every disk in use
// takes (eCryptfs allows the fewest bytes, 143); a longer one is shortened to what the folder allows.
constexpr size_t kNameBytesEveryDiskTakes = 143 - 8;

// The rename reaches the disk with the folder's entry; the content is already there.
void SyncFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// "." + name + ".XXXXXX" in the file's folder; a name longer than every disk takes is shortened so
// that the whole stays a valid name beside a file whose name is as long as the folder allows, as
// is any name when fitToFolder is asked.
std::string TemporaryPattern(const std::string& path, bool fitToFolder) {
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    const std::string suffix = ".XXXXXX";
    if (name.size() <= kNameBytesEveryDiskTakes && !fitToFolder)
        return folder + "." + name + suffix;
    long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = 255;
    const size_t room = static_cast<size_t>(std::max(longest - 1 - static_cast<long>(suffix.size()), 0L));
    return folder + "." + name.substr(0, std::min(name.size(), room)) + suffix;
}

} // namespace

int MakeTemporaryBeside(const std::string& path, std::string& temporary, mode_t mode) {
    // Names drawn at random (seeded once per thread from the system's random source) until one is free.
    thread_local std::mt19937_64 draw{std::random_device{}() ^ (uint64_t(::getpid()) << 32)};
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    bool fitted = false;
    temporary = TemporaryPattern(path, false);
    for (int tries = 0; tries < 1000; ++tries) {
        uint64_t bits = draw();
        for (size_t i = temporary.size() - 6; i < temporary.size(); ++i, bits /= 62)
            temporary[i] = kLetters[bits % 62];
        const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        // A disk that takes fewer bytes in a name than most (eCryptfs, say): the name is fitted to it.
        if (errno == ENAMETOOLONG && !fitted) {
            fitted = true;
            temporary = TemporaryPattern(path, true);
            continue;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

FileReplacement::FileReplacement(std::string path, bool syncToDisk)
    : path_(std::move(path)), syncToDisk_(syncToDisk) {}

FileReplacement::~FileReplacement() {
    Discard();
}

void FileReplacement::Discard() {
    if (file_ != nullptr)
        std::fclose(file_);
    else if (fd_ >= 0)
        ::close(fd_);
    file_ = nullptr;
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool FileReplacement::Open() {
    Discard();
    std::string path;
    struct stat old {};
    bool exists = false;
    if (path_.empty() || !FollowLinks(path_, path, exists, old) || path.back() == '/')
        return false;
    path_ = path;

    if (exists && S_ISDIR(old.st_mode))
        return false;
    if (exists && !S_ISREG(old.st_mode)) {
        fd_ = OpenInPlace(path);
        return fd_ >= 0;
    }
    // A file marked read-only is not ours to replace, even where the folder would let us.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        return false;

    // A fresh name, never one that exists, in the same folder: the rename is atomic only
    // within one file system. A new file gets the mode the umask gives one.
    std::string temporary;
    const int fd = MakeTemporaryBeside(path, temporary, exists ? 0600 : 0666);
    if (fd < 0)
        return false;
    temporary_ = temporary;
    fd_ = fd;
    // Best effort: a disk without modes (FAT, exFAT) refuses it (EPERM, ENOSYS) and has its
    // own for every file. Only the writes, the flush and the rename decide.
    if (exists)
        (void)::fchmod(fd, old.st_mode & 0777);
    return true;
}

std::FILE* FileReplacement::File() {
    if (file_ == nullptr && fd_ >= 0)
        file_ = ::fdopen(fd_, "wb");
    return file_;
}

bool FileReplacement::Commit(bool complete) {
    if (fd_ < 0)
        return false;
    std::FILE* file = std::exchange(file_, nullptr);
    const int fd = std::exchange(fd_, -1);
    const bool inPlace = temporary_.empty();
    complete = CloseChecked(file, fd, syncToDisk_ && !inPlace, complete);
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
    std::FILE* file = replacement.File();
    const bool complete = file != nullptr && write(file);
    return replacement.Commit(complete);
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    return ReplaceFile(path, [&bytes](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
}
