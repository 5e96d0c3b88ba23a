// Where a run puts things. Paths are bytes: every file-system call takes them as they are.
#include "RunPaths.h"

#include <sys/stat.h>

#include "FileContent.h"

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
    // An empty output folder stands for the root.
    return JoinPath(outputFolder.empty() ? std::string("/") : outputFolder,
                    ChangeExtension(FinalPathComponent(inputPath), ".swf"));
}

std::string ReportPathFor(const std::string& outputFolder, const std::string& projectName) {
    return JoinPath(outputFolder, ChangeExtension(FinalPathComponent(projectName), ".txt"));
}

std::string IntermediateMp3PathFor(const std::string& inputPath, const std::set<std::string>& avoid) {
    const std::string plain = ChangeExtension(inputPath, ".mp3");
    const std::string stem = plain.substr(0, plain.size() - 4);
    std::string candidate = plain;
    for (int n = 1; PathIsTaken(candidate) || avoid.count(candidate) != 0; ++n)
        candidate = stem + "." + std::to_string(n) + ".mp3";
    return candidate;
}
