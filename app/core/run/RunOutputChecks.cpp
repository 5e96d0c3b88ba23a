// What a run writes besides its movies, checked before anything is converted or written.
#include "run/RunOutputChecks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "run/RunOutputs.h"
#include "run/RunPaths.h"
#include "sound/SoundFileNames.h"
#include "text/FileContent.h"
#include "text/Translations.h"

namespace {

// The folder of path ("." for a bare name).
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// folder with its links, "." and ".." resolved; as given, less trailing slashes, when it is not
// there (yet).
std::string ResolvedFolder(std::string folder) {
    if (char* resolved = ::realpath(folder.c_str(), nullptr)) {
        folder = resolved;
        std::free(resolved);
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// One name for one place, whether a file is there yet or not: the resolved folder and the name.
std::string Place(const std::string& path) {
    return JoinPath(ResolvedFolder(FolderOf(path)), FinalPathComponent(path));
}

// What of the run is at path already: an input, or a movie it will make; empty when neither.
std::string WhatOfTheRun(const PSoundProject& project, const RunOutputs& inputs, const std::string& path) {
    if (inputs.IsInput(path))
        return MessageBytes(QCoreApplication::translate("RunOutputChecks", "it is an input of the run"));
    // Movies are named "<name>.swf", or "<name>.<n>.swf" after another input's.
    if (!HasExtension(path, ".swf"))
        return std::string();
    // The movies' names, given as the run gives them.
    const std::string folder = ResolvedFolder(project.OutputFolder);
    RunOutputs movies(project.Files, folder);
    for (size_t i = 0; i < project.Files.size(); ++i)
        movies.MovieMade(movies.MovieFor(i).path, i);
    const std::string* input = movies.MovieOf(Place(path));
    return input ? MessageBytes(QCoreApplication::translate("RunOutputChecks", "the movie of %1 goes there"),
                                {*input})
                 : std::string();
}

// Why the report's folder cannot take it, or empty.
std::string FolderProblem(const PSoundProject& project, const std::string& reportPath) {
    const std::string folder = ResolvedFolder(FolderOf(reportPath));
    if (folder == ResolvedFolder(project.OutputFolder))
        return std::string();
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return folder + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return folder + ": " + std::strerror(ENOTDIR);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return folder + ": " + std::strerror(errno);
    return std::string();
}

std::string CannotCreate(const std::string& path, const std::string& why) {
    return why.empty()
               ? why
               : MessageBytes(QCoreApplication::translate("RunOutputChecks", "Cannot create file %1: %2"),
                              {path, why});
}

} // namespace

std::string ProjectFileProblem(const PSoundProject& project, const RunOutputs& inputs,
                               const std::string& path) {
    return CannotCreate(path, WhatOfTheRun(project, inputs, path));
}

std::string ReportFileProblem(const PSoundProject& project, const RunOutputs& inputs,
                              const std::string& reportPath, const std::string& projectFile) {
    std::string why = WhatOfTheRun(project, inputs, reportPath);
    if (why.empty() && !projectFile.empty() && projectFile[0] == '/' &&
        (Place(reportPath) == Place(projectFile) ||
         RunOutputs(std::vector<PSoundFile>{{projectFile, {}}}, std::string()).IsInput(reportPath)))
        why =
            MessageBytes(QCoreApplication::translate("RunOutputChecks", "it is the project file of the run"));
    if (why.empty())
        why = FolderProblem(project, reportPath);
    return CannotCreate(reportPath, why);
}
