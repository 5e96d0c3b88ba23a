// The MP3s a run's encoders write. Paths are bytes.
#include "run/IntermediateFiles.h"

#include <cerrno>
#include <cstdlib>
#include <set>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ReplaceFile.h"
#include "run/RunPaths.h"
#include "text/FileContent.h"

PrivateFolder::~PrivateFolder() {
    if (path_.empty())
        return;
    if (DIR* folder = ::opendir(path_.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                ::unlink(JoinPath(path_, name).c_str());
        }
        ::closedir(folder);
    }
    ::rmdir(path_.c_str());
}

const std::string& PrivateFolder::Path() {
    if (path_.empty() && !failed_) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavrel-XXXXXX";
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
        else
            failed_ = true;
    }
    return path_;
}

bool IntermediateFile::Take(int fd, std::string path) {
    if (fd < 0)
        return false;
    ::close(fd);
    path_ = std::move(path);
    claimed_ = true;
    return true;
}

bool IntermediateFile::Claim(const std::string& path) {
    return Take(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666), path);
}

bool IntermediateFile::ClaimBeside(const std::string& path) {
    std::string temporary;
    const int fd = MakeTemporaryBeside(path, temporary);
    return Take(fd, std::move(temporary));
}

void IntermediateFile::Use(const std::string& path) {
    path_ = path;
    claimed_ = false;
}

void IntermediateFile::RemoveIfEmpty() {
    struct stat info {};
    if (!path_.empty() && ::stat(path_.c_str(), &info) == 0 && info.st_size == 0)
        Remove();
}

void IntermediateFile::Remove() {
    // An unclaimed name was free when chosen, so whatever is there now the encoder made.
    if (!path_.empty() && (claimed_ || PathIsTaken(path_)))
        ::unlink(path_.c_str());
    path_.clear();
    claimed_ = false;
}

std::string ClaimIntermediate(const std::string& input, const std::function<bool(const std::string&)>& taken,
                              PrivateFolder& privateFolder, IntermediateFile& intermediate) {
    const std::string beside = IntermediateMp3PathFor(input, taken);
    if (intermediate.ClaimBeside(beside))
        return beside;
    const std::string& folder = privateFolder.Path();
    if (!folder.empty()) {
        // Nobody else writes there, but a name is still never taken twice.
        std::set<std::string> found;
        for (;;) {
            const std::string path = IntermediateMp3PathFor(
                JoinPath(folder, FinalPathComponent(input)),
                [&](const std::string& name) { return taken(name) || found.count(name) != 0; });
            if (intermediate.Claim(path))
                return path;
            if (errno != EEXIST)
                break;
            found.insert(path);
        }
    }
    intermediate.Use(beside);
    return beside;
}
