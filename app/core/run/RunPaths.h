// Where a run puts things: movies, the report and the intermediate MP3s, by the names of its files.
#pragma once

#include <functional>
#include <string>

// A file's extension is its final component's part from the last "." on.
std::string FinalPathComponent(const std::string& path);
std::string ChangeExtension(const std::string& path, const std::string& extension);
// Output folder (never empty: a run's is checked by its request) + "/" (unless it ends in one) +
// the input's name with the extension ".swf".
std::string MoviePathFor(const std::string& outputFolder, const std::string& inputPath);
// The output folder (ending in "/") + the project file's name with the extension ".txt".
std::string ReportPathFor(const std::string& outputFolder, const std::string& projectName);
// A file or a link (even a dangling one) is there: the name is not ours to take.
bool PathIsTaken(const std::string& path);
// The name of an input's intermediate MP3: its path with ".mp3", or when that is taken (a file
// or link is there, or avoid says so) the first free "<name>.1.mp3", "<name>.2.mp3"...
std::string IntermediateMp3PathFor(const std::string& inputPath,
                                   const std::function<bool(const std::string&)>& avoid);
// Makes folder and each missing folder above it, as mkdir -p does; with dryRun it makes nothing
// and only finds whether they could be made. Empty when the folder is there (or could be), else
// the level that failed and the system's reason: "/srv/out: Permission denied".
std::string MakeFolders(const std::string& folder, bool dryRun = false);
