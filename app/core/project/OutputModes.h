// Output modes (encoder presets) and the settings file "settings.ini".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "project/ProjectFile.h"

struct PParameter {
    std::string name;  // option letters without the dash, e.g. "q"
    std::string value; // option value, e.g. "5"
};

struct PMP3Converter {
    std::string name;
    std::vector<PParameter> params; // quality, mode, bitrate
    bool enabled = false;
};

// How many encoders a run keeps busy at once unless "settings.ini" says: one per processor.
int32_t DefaultEncoderCount();
// The most encoders "settings.ini" may ask for; each holds a process and a few descriptors.
constexpr int32_t kMaxEncoderCount = 64;

// What the main window keeps from "settings.ini".
struct TavrelSettings {
    std::vector<PMP3Converter> outputModes;
    int32_t emptyProjectMode = 0;
    std::string defaultOutputFolder;
    int32_t encoders = DefaultEncoderCount(); // general/encoders: 1 converts one file at a time
};

// A settings file that cannot be used; what() is the text the user sees.
// "Unable to write to <path>", in the user's language: what SettingsError says when a settings file
// cannot be written.
std::string UnableToWrite(const std::string& path);

class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the file at iniPath into settings. A missing file gives no presets,
// emptyProjectMode 0, an empty folder and the default number of encoders. A non-numeric
// outputmodecount, emptyproject or encoders, and a negative number of encoders, are reported in
// warnings (one clear message each) and the default is used. encoders=0 asks for the default;
// more than kMaxEncoderCount encoders are cut to that, with a warning. One pair of double
// quotes around a value is taken off, as profile readers do.
void LoadSettings(const std::string& iniPath, TavrelSettings& settings,
                  std::vector<std::string>* warnings = nullptr);

// The first preset whose name equals name exactly, or nullptr.
const PMP3Converter* FindOutputMode(const std::vector<PMP3Converter>& modes, const std::string& name);
PMP3Converter* FindOutputMode(std::vector<PMP3Converter>& modes, const std::string& name);

// Index of the first preset whose quality, mode and bitrate values are the project's, or -1.
int MatchingOutputMode(const std::vector<PMP3Converter>& modes, const PSoundProject& project);

// The preset a project whose values match none is shown and encoded under.
extern const char* const kCustomOutputModeName; // "Custom..."

// The output mode a project selects: the first preset whose three values equal the project's
// Quality, Mode and Bitrate; else kCustomOutputModeName when there is such a preset; else fallback.
std::string MatchOutputModeName(const std::vector<PMP3Converter>& modes, const PSoundProject& project,
                                const std::string& fallback);

// The values of a preset's parameters, in order.
std::vector<std::string> ParameterValues(const PMP3Converter& mode);
// The bitrate a preset encodes at, in kbps (its third parameter); 0 when it names none.
int32_t BitrateKbps(const PMP3Converter& mode);

// "--silent --quiet " then "-<name><value> " per parameter.
std::string EncoderOptionText(const PMP3Converter& mode);

// The same options as separate process arguments: "--silent", "--quiet", "-q5", ...
std::vector<std::string> EncoderOptionArguments(const PMP3Converter& mode);

// Writes general/emptyproject, general/outputfolder, general/outputmodecount and, per preset i,
// section "i" name/quality/mode/bitrate into the file at iniPath, keeping every other
// section, key and comment; a value that is itself quoted gets one pair of quotes more. The old
// file is replaced only once the new one is complete.
// Throws SettingsError("Unable to write to <iniPath>") and leaves the old file as it was.
void SaveSettings(const std::string& iniPath, int32_t emptyProject, const std::string& outputFolder,
                  const std::vector<PMP3Converter>& modes);

// A new project: "Untitled.xml", the values of the preset at emptyProjectMode (or quality "5",
// mode "j", bitrate "128" when there is no such preset or it has fewer than three parameters),
// the default output folder, no stop action, 12 frames per second, tuner 0, no files.
PSoundProject NewDefaultProject(const TavrelSettings& settings);
