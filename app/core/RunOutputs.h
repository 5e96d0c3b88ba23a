// What a run's movies and report must not replace: a movie the same run made, and its inputs.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include <sys/types.h>

class RunOutputs {
public:
    // Notes the files of the run's inputs as they are when it starts (links followed).
    explicit RunOutputs(const std::vector<std::string>& inputs);

    // Where the movie whose usual path is `usual` ("<folder>/<name>.swf") goes: there, unless a
    // movie this run made is there; then the first "<name>.1.swf", "<name>.2.swf"... that is not
    // one. A movie of an earlier run is replaced. When another name is chosen, note gets what to
    // tell the user ("its movie is ... (... is the movie of ...)"); otherwise it is cleared.
    std::string MoviePath(const std::string& usual, std::string& note) const;

    // True when writing to path would replace one of the inputs: the same file, links followed.
    bool IsInput(const std::string& path) const;

    // Notes the movie just written at path for input.
    void MovieMade(const std::string& path, const std::string& input);
    // The input whose movie is at path (by name, or the same file), or nullptr.
    const std::string* MovieOf(const std::string& path) const;

private:
    // One file, whatever name it is reached by: its device and inode number, and, for a disk
    // that gives one file another inode number under each name (a FUSE driver of a disk that
    // ignores letter case), its size and times of change to the nanosecond.
    struct FileIdentity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        // The identity of the file at path (links followed); false when there is none.
        bool Of(const std::string& path);
        bool SameFileAs(const FileIdentity& other) const;
    };
    struct Made {
        std::string path;     // as it was written to
        std::string realPath; // every link followed; empty when unknown
        std::string input;
        FileIdentity file;
    };
    // The movie of this run at path (by name, or the same file), or nullptr.
    const Made* MadeAt(const std::string& path) const;

    std::vector<Made> made_;
    std::vector<FileIdentity> inputFiles_;
    std::vector<std::string> inputRealPaths_;
};
