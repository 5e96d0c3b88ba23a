// Replacing a file through a temporary file in its folder and a rename; devices in place.
#include "ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// "." + name + ".XXXXXX" in the file's folder, the name shortened so that the whole stays a
// valid name beside a file whose name is as long as the folder allows.
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

// Gives write the open file, then checks the flush and the close; fd is closed in any case.
bool WriteThrough(int fd, bool syncToDisk, const std::function<bool(std::FILE*)>& write) {
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
        return false;
    }
    bool complete = false;
    try {
        complete = write(file);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    complete = std::fflush(file) == 0 && complete;
    complete = std::ferror(file) == 0 && complete;
    if (syncToDisk)
        complete = ::fsync(::fileno(file)) == 0 && complete;
    return std::fclose(file) == 0 && complete;
}

// A device or pipe cannot be replaced, only written. Without O_NONBLOCK, opening a pipe that
// nobody reads would wait for a reader for ever.
bool WriteInPlace(const std::string& path, const std::function<bool(std::FILE*)>& write) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    // What was opened must still be no regular file: one would be written over without truncation.
    if (::fstat(fd, &info) != 0 || S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    return WriteThrough(fd, false, write);
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

bool ReplaceFile(const std::string& linkOrPath, const std::function<bool(std::FILE*)>& write,
                 bool syncToDisk) {
    std::string path;
    if (linkOrPath.empty() || !FollowLinks(linkOrPath, path) || path.back() == '/')
        return false;

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return false;
    if (exists && !S_ISREG(old.st_mode))
        return WriteInPlace(path, write);
    // A file marked read-only is not ours to replace, even where the folder would let us.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        return false;

    // A fresh name, never one that exists, in the same folder: the rename is atomic only
    // within one file system.
    std::string temporary = TemporaryPattern(path);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool complete = false;
    try {
        // Best effort: a disk without modes (FAT, exFAT) refuses it (EPERM, ENOSYS) and has its
        // own for every file. Only the writes, the flush and the rename decide.
        (void)::fchmod(fd, exists ? (old.st_mode & 0777) : NewFileMode());
        complete = WriteThrough(fd, syncToDisk, write);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    if (complete)
        complete = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!complete) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (syncToDisk)
        SyncFolder(path);
    return true;
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    return ReplaceFile(path, [&bytes](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
}
