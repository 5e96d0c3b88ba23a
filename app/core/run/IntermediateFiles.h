// The MP3s a run's encoders write: claimed before an encoder starts, removed when their file's
// work ends, however it ends.
#pragma once

#include <functional>
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
    // Claims a hidden temporary name beside path ("<folder>/.<name>.XXXXXX") the same way: a name
    // that no folder listing takes for a sound, whether the encoder is under way, has finished or
    // was killed with the run. False (errno set) when the folder takes no new file.
    bool ClaimBeside(const std::string& path);
    // Takes a name without creating the file: the encoder makes it, if anything does.
    void Use(const std::string& path);
    // The file the encoder writes; empty when none is claimed or used.
    const std::string& Path() const { return path_; }
    void RemoveIfEmpty();
    void Remove();

private:
    // Keeps path, the file just made (open at fd, which is closed), or false when fd is -1.
    bool Take(int fd, std::string path);

    std::string path_;
    bool claimed_ = false;
};

// Claims the intermediate MP3 of input and returns the name the report gives it: its path with
// ".mp3" (or the first free "<name>.1.mp3"... that is not taken), while the encoder writes a hidden
// temporary file beside it (intermediate.Path()). Where the input's folder takes no new file
// (read-only, not ours), the MP3 is claimed in the run's private folder under its own name. When
// nothing can be claimed, the name beside the input, unclaimed, and the encoder's failure tells
// the rest. taken: names the report must not give (the inputs, the names given out before).
std::string ClaimIntermediate(const std::string& input, const std::function<bool(const std::string&)>& taken,
                              PrivateFolder& privateFolder, IntermediateFile& intermediate);
