// Where a run puts things. Paths are bytes: every file-system call takes them as they are.
#include "run/RunPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "text/FileContent.h"

bool PathIsTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string FinalPathComponent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ChangeExtension(const std::string& path, const std::string& extension) {
    const auto slash = path.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::string MoviePathFor(const std::string& outputFolder, const std::string& inputPath) {
    return JoinPath(outputFolder, ChangeExtension(FinalPathComponent(inputPath), ".swf"));
}

std::string ReportPathFor(const std::string& outputFolder, const std::string& projectName) {
    return JoinPath(outputFolder, ChangeExtension(FinalPathComponent(projectName), ".txt"));
}

std::string IntermediateMp3PathFor(const std::string& inputPath,
                                   const std::function<bool(const std::string&)>& avoid) {
    const std::string plain = ChangeExtension(inputPath, ".mp3");
    const std::string stem = plain.substr(0, plain.size() - 4);
    std::string candidate = plain;
    for (int n = 1; (avoid && avoid(candidate)) || PathIsTaken(candidate); ++n)
        candidate = stem + "." + std::to_string(n) + ".mp3";
    return candidate;
}

std::string MakeFolders(const std::string& folder, bool dryRun) {
    const auto failed = [](const std::string& level, int error) {
        return level + ": " + std::strerror(error);
    };
    // From the folder up to the first level that is there.
    std::vector<std::string> missing;
    std::string level = folder;
    while (level.size() > 1 && level.back() == '/')
        level.pop_back();
    for (;;) {
        struct stat info {};
        if (::stat(level.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return failed(level, ENOTDIR);
            break;
        }
        // ENOTDIR: a file in the way higher up, named once it is reached.
        if (errno != ENOENT && errno != ENOTDIR)
            return failed(level, errno);
        missing.push_back(level);
        const auto slash = level.find_last_of('/');
        level = slash == std::string::npos ? "." : level.substr(0, slash == 0 ? 1 : slash);
    }
    if (missing.empty())
        return std::string();
    if (dryRun)
        return ::access(level.c_str(), W_OK | X_OK) == 0 ? std::string() : failed(missing.back(), errno);
    for (auto made = missing.rbegin(); made != missing.rend(); ++made)
        // Another process may make it meanwhile.
        if (::mkdir(made->c_str(), 0777) != 0 && errno != EEXIST)
            return failed(*made, errno);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return failed(folder, ENOTDIR);
    return std::string();
}
