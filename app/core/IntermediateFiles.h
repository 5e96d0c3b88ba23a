// The MP3s a run's encoders write: claimed before an encoder starts, removed when their file's
// work ends, however it ends.
#pragma once

#include <set>
#include <string>

// A folder of the run's own for the intermediate MP3s whose input's folder takes no new file;
// made when first needed, removed with whatever is left in it when it goes, however the run ends.
class PrivateFolder {
public:
    PrivateFolder() = default;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder();

    // The folder's path, or an empty text when it cannot be made.
    const std::string& Path();

private:
    std::string path_;
    bool failed_ = false;
};

// Deletes the intermediate MP3 the run made for one file when that file's work ends, however it ends.
class IntermediateFile {
public:
    IntermediateFile() = default;
    IntermediateFile(const IntermediateFile&) = delete;
    IntermediateFile& operator=(const IntermediateFile&) = delete;
    ~IntermediateFile() { Remove(); }

    // Claims a name that is free by creating the file, empty and exclusively, so that nobody else
    // takes it meanwhile and nothing that was there is ever replaced. False (errno set) when not.
    bool Claim(const std::string& path);
    // Takes a name without creating the file: the encoder makes it, if anything does.
    void Use(const std::string& path);
    void RemoveIfEmpty();
    void Remove();

private:
    std::string path_;
    bool claimed_ = false;
};

// Claims the intermediate MP3 of input: beside it, or, when its folder takes no new file (read-only,
// not ours), in the run's private folder. Returns the path claimed; when nothing can be claimed,
// the name beside the input, unclaimed, and the encoder's failure tells the rest. Names found
// taken meanwhile join avoid.
std::string ClaimIntermediate(const std::string& input, std::set<std::string>& avoid,
                              PrivateFolder& privateFolder, IntermediateFile& intermediate);
