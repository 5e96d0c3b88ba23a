// Where the program's own files are: settings.ini (read and written), the help file, the web page.
#pragma once

#include <string>

// A settings.ini beside the executable (a build folder, a portable copy) keeps everything there,
// read and written in place. An installed program (<prefix>/bin/tavrel) has none beside it: its
// shipped files are in <prefix>/share/tavrel/ (the web page in <prefix>/share/doc/tavrel/),
// found from the executable's own folder, and each user's settings are
// $XDG_CONFIG_HOME/tavrel/settings.ini (~/.config/tavrel/settings.ini), made from the shipped
// default the first time they are saved. The installed tree is never written.
// All paths are bytes, as the file system names them.
class ProgramFiles {
public:
    ProgramFiles() = default;
    // programFolder: the executable's folder. Whether settings.ini stands beside it is decided
    // now; the user's folder comes from UserConfigHome().
    explicit ProgramFiles(const std::string& programFolder);
    // The same with the configuration folder given (the one "tavrel/" goes into).
    ProgramFiles(const std::string& programFolder, const std::string& configHome);

    // The settings file to read now: beside the program; else the user's file once it exists,
    // else the shipped default.
    std::string SettingsToRead() const;
    // The settings file that saving writes: beside the program, or the user's own file.
    std::string SettingsToWrite() const;
    // Makes SettingsToWrite() ready to be saved into and returns it: the user's folder is
    // created, and a user file that does not exist yet starts as a copy of the shipped default,
    // so that what saving leaves alone (option letters, editable flags, comments) is kept.
    // Throws SettingsError("Unable to write to <file>") when that cannot be done.
    std::string PrepareSettingsToWrite() const;

    // "Tavrel.hlp" and "webpage.html": beside the program when there, else installed (the help
    // file in the shared folder, the web page, documentation, in <datadir>/doc/tavrel); when in
    // neither, where this program would keep them.
    std::string HelpFile() const;
    std::string WebPageFile() const;
    // The folder of the translations (tavrel_de.qm...), "translations": beside the program, else
    // in the shared folder.
    std::string TranslationsFolder() const;

private:
    std::string ShippedFile(const char* name, const std::string& installedFolder) const;

    std::string programFolder_;
    std::string sharedFolder_;
    std::string docFolder_;
    std::string userFolder_; // <config home>/tavrel; empty when no home folder is known
    bool besideProgram_ = false;
};

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// $HOME/.config (the home folder of the password database when HOME is not set); empty when no
// home folder is known.
std::string UserConfigHome();

// The program's version as the build sets it, e.g. "1.5.2".
const char* ProgramVersion();
