// Reading a whole file: a regular file only, and no more than the caller's bound.
#include "text/FileContent.h"

#include "text/Translations.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ReadOutcome ReadOpenFile(int fd, std::string& text, size_t maxBytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        return ReadOutcome::Failed;
    if (!S_ISREG(info.st_mode))
        return ReadOutcome::NotRegular;
    if (static_cast<unsigned long long>(info.st_size) > maxBytes)
        return ReadOutcome::TooLarge;
    text.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadOutcome::Failed;
        if (got == 0)
            return ReadOutcome::Read;
        // The file may grow while it is read.
        if (static_cast<size_t>(got) > maxBytes - text.size())
            return ReadOutcome::TooLarge;
        text.append(buffer, static_cast<size_t>(got));
    }
}

} // namespace

ReadOutcome ReadFileContent(const std::string& path, std::string& text, size_t maxBytes) {
    text.clear();
    // Without O_NONBLOCK, opening a pipe would wait for a writer before its type is known.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
    const ReadOutcome outcome = ReadOpenFile(fd, text, maxBytes);
    ::close(fd);
    if (outcome != ReadOutcome::Read)
        text.clear();
    return outcome;
}

std::string ReadFailureReason(ReadOutcome outcome, size_t maxBytes) {
    if (outcome == ReadOutcome::NotRegular)
        return MessageBytes(QCoreApplication::translate("FileContent", ": it is not a regular file",
                                                        "follows a file's name in a message"));
    if (outcome == ReadOutcome::TooLarge)
        return MessageBytes(QCoreApplication::translate("FileContent", ": it is larger than %1 MiB",
                                                        "follows a file's name in a message"),
                            {std::to_string(maxBytes >> 20)});
    return {};
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    // "." and a leading "./" name the working folder itself.
    std::string relative = path;
    while (relative.rfind("./", 0) == 0)
        relative.erase(0, relative.find_first_not_of('/', 1));
    if (relative == ".")
        relative.clear();
    std::string folder(4096, '\0');
    if (!getcwd(folder.data(), folder.size()))
        return path;
    folder.resize(folder.find('\0'));
    return relative.empty() ? folder : folder + (folder.back() == '/' ? "" : "/") + relative;
}
