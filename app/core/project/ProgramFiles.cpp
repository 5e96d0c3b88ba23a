// Where the program's own files are: settings.ini (read and written), the help file, the web page.
#include "project/ProgramFiles.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "ReplaceFile.h"
#include "TavrelBuild.h"
#include "project/OutputModes.h"
#include "text/FileContent.h"
#include "text/Translations.h"

namespace {

const char* const kSettingsName = "settings.ini";
// The shipped default is a few kilobytes; anything far larger is no settings file.
constexpr size_t kMaxShippedSettingsBytes = size_t(4) << 20;

// Takes "." and ".." out of a path by its text: the executable's folder comes from the system
// with every link resolved, so "<prefix>/bin/../share" is "<prefix>/share".
std::string WithoutDots(const std::string& path) {
    const bool absolute = !path.empty() && path.front() == '/';
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string joined = absolute ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i)
        joined += (i == 0 ? "" : "/") + parts[i];
    return joined.empty() ? "." : joined;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// Like mkdir -p; new folders are the user's alone, as configuration folders should be.
bool MakeFolders(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash)))
        return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

std::string UserConfigHome() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
        return configHome;
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable && *variable)
        home = variable;
    else if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    return home.empty() ? std::string() : JoinPath(home, ".config");
}

const char* ProgramVersion() {
    return TAVREL_VERSION;
}

ProgramFiles::ProgramFiles(const std::string& programFolder)
    : ProgramFiles(programFolder, UserConfigHome()) {}

ProgramFiles::ProgramFiles(const std::string& programFolder, const std::string& configHome)
    : programFolder_(programFolder),
      sharedFolder_(WithoutDots(JoinPath(programFolder, TAVREL_SHARED_FROM_PROGRAM))),
      docFolder_(WithoutDots(JoinPath(programFolder, TAVREL_DOC_FROM_PROGRAM))),
      userFolder_(configHome.empty() ? std::string() : JoinPath(configHome, "tavrel")),
      besideProgram_(Exists(JoinPath(programFolder, kSettingsName))) {}

std::string ProgramFiles::SettingsToRead() const {
    if (besideProgram_)
        return JoinPath(programFolder_, kSettingsName);
    const std::string user = SettingsToWrite();
    return !user.empty() && Exists(user) ? user : JoinPath(sharedFolder_, kSettingsName);
}

std::string ProgramFiles::SettingsToWrite() const {
    if (besideProgram_)
        return JoinPath(programFolder_, kSettingsName);
    return userFolder_.empty() ? std::string() : JoinPath(userFolder_, kSettingsName);
}

std::string ProgramFiles::PrepareSettingsToWrite() const {
    const std::string target = SettingsToWrite();
    if (besideProgram_)
        return target;
    if (target.empty())
        throw SettingsError(MessageBytes(
            QCoreApplication::translate(
                "Settings", "Unable to write to %1: no home folder is known (set HOME or XDG_CONFIG_HOME)"),
            {kSettingsName}));
    if (Exists(target))
        return target;
    if (!MakeFolders(userFolder_))
        throw SettingsError(UnableToWrite(target));
    // Without a readable default the file starts empty and saving writes what it has.
    std::string shipped;
    if (ReadFileContent(JoinPath(sharedFolder_, kSettingsName), shipped, kMaxShippedSettingsBytes) ==
            ReadOutcome::Read &&
        !ReplaceFileContent(target, shipped))
        throw SettingsError(UnableToWrite(target));
    return target;
}

std::string ProgramFiles::ShippedFile(const char* name, const std::string& installedFolder) const {
    const std::string beside = JoinPath(programFolder_, name);
    const std::string shared = JoinPath(installedFolder, name);
    if (Exists(beside))
        return beside;
    if (Exists(shared))
        return shared;
    return besideProgram_ ? beside : shared;
}

std::string ProgramFiles::HelpFile() const {
    return ShippedFile("Tavrel.hlp", sharedFolder_);
}

std::string ProgramFiles::WebPageFile() const {
    return ShippedFile("webpage.html", docFolder_);
}

std::string ProgramFiles::TranslationsFolder() const {
    return ShippedFile("translations", sharedFolder_);
}
