// The project record and its XML-like project file (writer and first-occurrence reader).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Texts are 8-bit strings kept and compared byte for byte.

struct PAction {};

struct PFrame {
    std::vector<PAction> Actions;
};

struct PSoundFile {
    std::string File;
    std::vector<PFrame> Frames;
};

// The frames per second of a new project, and of one whose file or controls give no number.
constexpr int32_t kDefaultFramesPerSecond = 12;

struct PSoundProject {
    std::string ProjectName = "Untitled.xml";
    std::string Quality;
    std::string Mode;
    std::string Bitrate;
    std::string OutputFolder;
    int32_t StopAction = 0; // 0 none, 1 at start, 2 at end
    int32_t FramePerSeconds = kDefaultFramesPerSecond;
    int32_t FrameTuner = 0;
    std::vector<PSoundFile> Files;
    // Written only when set, after the elements above, so that a project without them is written
    // as it always was (SoundMovieOptions says what each does).
    bool Gapless = false;    // exact timing
    int32_t Loops = 0;       // how many times the sound plays; 0: not set
    bool Standalone = false; // the movie's header states FramePerSeconds
};

// Element names of the project file, in their fixed order:
// TavrelProject, ProjectName, Quality, Mode, Bitrate, OutputFolder, Files, File,
// StopAction, FramePerSeconds, FrameTuner, then the optional Gapless, Loops, Standalone.
struct ProjectTagNames {
    std::string TavrelProject = "TavrelProject";
    std::string ProjectName = "ProjectName";
    std::string Quality = "Quality";
    std::string Mode = "Mode";
    std::string Bitrate = "Bitrate";
    std::string OutputFolder = "OutputFolder";
    std::string Files = "Files";
    std::string File = "File";
    std::string StopAction = "StopAction";
    std::string FramePerSeconds = "FramePerSeconds";
    std::string FrameTuner = "FrameTuner";
    std::string Gapless = "Gapless";
    std::string Loops = "Loops";
    std::string Standalone = "Standalone";
};

// A project file that cannot be read or written; what() is the text the user sees:
// "Cannot open file %s" or "Cannot create file %s".
class ProjectFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's text exactly as SaveProjectFile writes it (CR LF line ends, no escaping).
std::string ProjectFileText(const PSoundProject& project, const ProjectTagNames& tags = {});

// Writes the project to project.ProjectName. The old file is replaced only once the new
// one is complete. Throws ProjectFileError("Cannot create file <path>").
void SaveProjectFile(const PSoundProject& project, const ProjectTagNames& tags = {});

// Reads the file at path into project (every field overwritten by the reading rule); its
// ProjectName is then path itself, made absolute, whatever name the file holds. A relative
// OutputFolder or File is read against the project file's folder; absolute ones stay as written.
// Throws ProjectFileError("Cannot open file <path>"), followed by ": it is not a regular file"
// for a pipe or device (never waited on) and ": it is larger than 64 MiB" for a file too large
// to be a project; project is then untouched.
void LoadProjectFile(const std::string& path, PSoundProject& project, const ProjectTagNames& tags = {});

// Fills project from a file's text by the reading rule. Line breaks at either end of a path
// (ProjectName, OutputFolder, each File), with the blanks and tabs next to them, are left out.
void ReadProjectText(const std::string& text, PSoundProject& project, const ProjectTagNames& tags = {});

// The reading rule: text between the first opening and the first closing tag of name.
std::string ExtractElement(const std::string& text, const std::string& name);

// Removes blanks and control characters (every byte up to and including ' ') from both ends.
std::string TrimBlanks(const std::string& text);

// Parses a signed 32-bit decimal integer (optional sign, digits, surrounding blanks allowed);
// false for anything else, the empty text included.
bool TryParseInt32(const std::string& text, int32_t& value);
