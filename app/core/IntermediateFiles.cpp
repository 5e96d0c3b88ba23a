// The MP3s a run's encoders write. Paths are bytes.
#include "IntermediateFiles.h"

#include <cerrno>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileContent.h"
#include "RunPaths.h"

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

bool IntermediateFile::Claim(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    ::close(fd);
    path_ = path;
    claimed_ = true;
    return true;
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

std::string ClaimIntermediate(const std::string& input, std::set<std::string>& avoid,
                              PrivateFolder& privateFolder, IntermediateFile& intermediate) {
    const auto claimFor = [&](const std::string& nameSource, std::string& path) {
        for (;;) {
            path = IntermediateMp3PathFor(nameSource, avoid);
            if (intermediate.Claim(path))
                return true;
            if (errno != EEXIST) // taken meanwhile: try the next name; anything else ends it here
                return false;
            avoid.insert(path);
        }
    };
    std::string beside;
    if (claimFor(input, beside))
        return beside;
    std::string inPrivateFolder;
    const std::string& folder = privateFolder.Path();
    if (!folder.empty() && claimFor(JoinPath(folder, FinalPathComponent(input)), inPrivateFolder))
        return inPrivateFolder;
    intermediate.Use(beside);
    return beside;
}
