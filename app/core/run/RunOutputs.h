// What a run's movies and report must not replace: a movie the same run made, and its inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <sys/types.h>

#include "project/ProjectFile.h"

// Paths and file identities are kept in hash tables, so that a run of any length asks each
// question in the same time, and a path is kept by its hash alone where the run can make it again
// (the usual movie path of an input), so that a long run takes little memory. A file's identity
// (device and inode number) is only trusted once the file it was noted for is found to hold it
// still: a number noted earlier may belong to another file by now (the kernel gives a deleted
// file's number to the next file made). May be asked from any thread; the methods lock.
class RunOutputs {
public:
    // inputs: the run's list, which must outlive this object (its paths are not copied);
    // outputFolder: where the movies go.
    RunOutputs(const std::vector<PSoundFile>& inputs, std::string outputFolder);

    // Where the movie of an input goes.
    struct Target {
        std::string path;
        std::string note;       // what to tell the user when path is not the usual one
        bool overInput = false; // path is an input of the run: no movie may be written there
    };
    // For the input at inputIndex: its usual movie path ("<folder>/<name>.swf", MoviePathFor),
    // unless a movie this run made is there; then the first "<name>.1.swf", "<name>.2.swf"... that
    // is not one. A movie of an earlier run is replaced. When another name is chosen, note tells
    // the user ("its movie is ... (... is the movie of ...)").
    Target MovieFor(size_t inputIndex);

    // True when writing to path would replace one of the inputs as it is now: the same file,
    // whatever name it is reached by.
    bool IsInput(const std::string& path) const;
    // True when path is one of the inputs as listed, letter for letter (whether or not it exists).
    bool IsListed(const std::string& path) const;

    // Notes the movie just written at path (MovieFor's) for the input at inputIndex.
    void MovieMade(const std::string& path, size_t inputIndex);
    // The input whose movie this run made at path (by name, or the same file now), or nullptr.
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
    // Files by identity: two tables, one for each way SameFileAs finds two names one file.
    class FilesByIdentity {
    public:
        void Add(const FileIdentity& file, size_t index);
        // The indexes noted with an identity that is the same file as `file`.
        std::vector<size_t> Find(const FileIdentity& file) const;

    private:
        std::unordered_multimap<uint64_t, size_t> byInode_;
        std::unordered_multimap<uint64_t, size_t> byLook_;
    };

    // Lock held, all of them. What the tables note when first needed changes no answer.
    std::string UsualMoviePath(size_t inputIndex) const;
    std::string MadePath(size_t inputIndex) const;
    // The index of the input whose movie was made at path (by name, or the same file now), or -1.
    int64_t MadeAt(const std::string& path, bool exists, const FileIdentity& file) const;
    bool IsInput(const std::string& path, bool exists, const FileIdentity& file) const;
    void NoteListed() const;

    mutable std::mutex mutex_;
    const std::vector<PSoundFile>& inputs_;
    const std::string outputFolder_;
    // The inputs by the hash of their path, noted the first time one is asked for.
    mutable bool listedNoted_ = false;
    mutable std::unordered_multimap<uint64_t, size_t> listed_;
    // The inputs' identities, noted the first time a file is found where a movie or the report
    // goes: until then, nothing there can be an input.
    mutable bool inputsNoted_ = false;
    mutable FilesByIdentity inputFiles_;
    // The movies made, by the hash of their path, with the index of their input; the path of one
    // not under its usual name. Their identities are noted the first time a movie's path is
    // found taken, and for each movie made from then on.
    std::unordered_multimap<uint64_t, size_t> made_;
    std::unordered_map<size_t, std::string> madeElsewhere_;
    mutable bool madeNoted_ = false;
    mutable FilesByIdentity madeFiles_;
};
