// Reading a whole file; replacing its content through a temporary file in the same folder and a rename.
#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// The mode a new file would get from open(path, O_CREAT, 0666) under the current umask.
mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReplaceFileContent(const std::string& linkOrPath, const std::string& bytes) {
    if (linkOrPath.empty())
        return false;
    // Renaming over a symbolic link would replace the link and leave the file it names as it
    // was; the new content goes beside the file the link leads to instead.
    std::string path = linkOrPath;
    struct stat link {};
    if (::lstat(linkOrPath.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* target = ::realpath(linkOrPath.c_str(), nullptr)) {
            path = target;
            std::free(target);
        }
    }
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return false;

    // A file marked read-only is not ours to replace, even where the folder would let us.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISREG(old.st_mode) && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;

    // The rename is atomic only within one file system, hence the same folder.
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;

    const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = std::rename(tempName.data(), path.c_str()) == 0;
    if (!ok)
        ::unlink(tempName.data());
    return ok;
}

ReadOutcome ReadFileContent(const std::string& path, std::string& text) {
    text.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        text.clear();
    return failed ? ReadOutcome::Failed : ReadOutcome::Read;
}
