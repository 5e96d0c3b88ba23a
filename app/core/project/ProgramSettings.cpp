// settings.ini as the program reads it.
#include "project/ProgramSettings.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/Translations.h"

namespace {

// "Cannot read <file>: <the system's reason>".
std::string CannotRead(const std::string& iniPath, const char* reason) {
    return MessageBytes(QCoreApplication::translate("Settings", "Cannot read %1: %2"), {iniPath, reason});
}

// Why the settings file at iniPath (bytes) cannot be read, or an empty text; see ReadProgramSettings.
std::string SettingsFileProblem(const std::string& iniPath) {
    struct stat info {};
    if (stat(iniPath.c_str(), &info) != 0) {
        // A link to nothing is no missing file: the settings the user made are gone, and running
        // without them (no output modes) would fail every file that needs encoding.
        if (errno == ENOENT && lstat(iniPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            return MessageBytes(
                QCoreApplication::translate(
                    "Settings", "Cannot read %1: it is a broken link (what it points to is not there)."),
                {iniPath});
        if (errno == ENOENT)
            return std::string();
        return CannotRead(iniPath, std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode))
        return MessageBytes(
            QCoreApplication::translate("Settings", "Cannot read %1: it is a folder, not a settings file."),
            {iniPath});
    if (!S_ISREG(info.st_mode))
        return MessageBytes(
            QCoreApplication::translate("Settings", "Cannot read %1: it is not a regular file."), {iniPath});
    const int file = open(iniPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return CannotRead(iniPath, std::strerror(errno));
    close(file);
    return std::string();
}

} // namespace

std::vector<std::string> ProgramSettings::Messages() const {
    std::vector<std::string> messages;
    if (!problem.empty())
        messages.push_back(problem);
    messages.insert(messages.end(), warnings.begin(), warnings.end());
    return messages;
}

ProgramSettings ReadProgramSettings(const std::string& path) {
    ProgramSettings read;
    read.path = path;
    read.problem = SettingsFileProblem(path);
    if (!read.problem.empty())
        return read;
    try {
        LoadSettings(path, read.settings, &read.warnings);
    } catch (const std::exception& error) {
        read.problem = error.what();
    } catch (...) {
        read.problem = MessageBytes(
            QCoreApplication::translate("Settings", "The settings file %1 could not be loaded."), {path});
    }
    if (!read.problem.empty()) {
        read.settings = TavrelSettings();
        read.warnings.clear();
    }
    return read;
}
