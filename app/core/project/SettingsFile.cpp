// Reading and writing "settings.ini": presets, the new-project preset and the output folder.
#include "project/OutputModes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "ReplaceFile.h"
#include "text/FileContent.h"
#include "text/Translations.h"

// The packaged header carries its template bodies behind SI_IMPLEMENTATION, and only the
// plain 8-bit variant is wanted: texts are stored byte for byte, with no conversion.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace {

// A count far beyond anything a user keeps; a larger one is a damaged file, and honouring
// it would build millions of empty presets.
constexpr int32_t MaxOutputModeCount = 1000;

// A thousand presets take some hundred kilobytes; a larger file is no settings file.
constexpr size_t MaxSettingsFileBytes = size_t(4) << 20;

// Marks the end of the original text while the file is rewritten, so that comments after
// the last key belong to an entry and are written out again.
const char* const EndOfFileSection = "\x01tavrel end of file\x01";

// Sections and keys are found regardless of letter case and values come back trimmed, as
// with the platform's profile files; of a key given twice the first one counts.
void LoadIni(CSimpleIniA& ini, const std::string& text) {
    ini.SetUnicode(false);
    ini.SetMultiKey(true);
    ini.SetMultiLine(false);
    ini.SetQuotes(false);
    ini.SetSpaces(false);
    ini.LoadData(text);
}

bool IsQuoted(const std::string& value) {
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// As profile readers do, one pair of double quotes around a value is not part of it.
std::string WithoutQuotes(std::string value) {
    return IsQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

std::string ReadText(const CSimpleIniA& ini, const char* section, const char* key, const char* fallback) {
    return WithoutQuotes(ini.GetValue(section, key, fallback));
}

int32_t ReadNumber(const CSimpleIniA& ini, const std::string& path, const char* key, int32_t fallback,
                   std::vector<std::string>* warnings) {
    const char* raw = ini.GetValue("general", key);
    if (raw == nullptr)
        return fallback;
    const std::string text = WithoutQuotes(raw);
    int32_t value = 0;
    if (TryParseInt32(text, value))
        return value;
    if (warnings) {
        warnings->push_back(MessageBytes(
            QCoreApplication::translate("Settings",
                                        "The value \"%1\" of %2 in section [general] of %3 is not a "
                                        "whole number; %4 is used instead."),
            {text, key, path, std::to_string(fallback)}));
    }
    return fallback;
}

std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace

std::string UnableToWrite(const std::string& path) {
    return MessageBytes(QCoreApplication::translate("Settings", "Unable to write to %1"), {path});
}

namespace {

void WriteValue(CSimpleIniA& ini, const std::string& path, const std::string& section, const char* key,
                const std::string& value) {
    // A value that is itself quoted gets a pair more, which reading takes off again.
    const std::string stored = IsQuoted(value) ? '"' + value + '"' : value;
    // Replacing drops any later duplicates of the key, which were never read anyway.
    if (ini.SetValue(section.c_str(), key, stored.c_str(), nullptr, true) < 0)
        throw SettingsError(UnableToWrite(path));
}

// The line of a section that ends the original text while the file is rewritten. Its name is
// found nowhere in what is written, or taking it out again would cut into a value or a section of
// the user's.
std::string EndOfFileMarkerLine(const std::string& original, const std::string& outputFolder,
                                const std::vector<PMP3Converter>& modes) {
    std::string written = original + '\n' + outputFolder;
    for (const PMP3Converter& mode : modes) {
        written += '\n' + mode.name;
        for (const auto& param : mode.params)
            written += '\n' + param.value;
    }
    // Section names are found regardless of letter case, and the end's is in small letters.
    for (char& c : written)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    std::string endSection = EndOfFileSection;
    for (int n = 0; written.find(endSection) != std::string::npos; ++n)
        endSection = EndOfFileSection + std::to_string(n);
    return "[" + endSection + "]\n";
}

void WriteSettingsValues(CSimpleIniA& ini, const std::string& iniPath, int32_t emptyProject,
                         const std::string& outputFolder, const std::vector<PMP3Converter>& modes) {
    WriteValue(ini, iniPath, "general", "emptyproject", std::to_string(emptyProject));
    WriteValue(ini, iniPath, "general", "outputfolder", outputFolder);
    WriteValue(ini, iniPath, "general", "outputmodecount", std::to_string(modes.size()));
    for (size_t i = 0; i < modes.size(); ++i) {
        const std::string section = std::to_string(i);
        const PMP3Converter& mode = modes[i];
        // A preset cut short is written with empty values rather than read past its end.
        auto value = [&mode](size_t index) {
            return index < mode.params.size() ? mode.params[index].value : std::string();
        };
        WriteValue(ini, iniPath, section, "name", mode.name);
        WriteValue(ini, iniPath, section, "quality", value(0));
        WriteValue(ini, iniPath, section, "mode", value(1));
        WriteValue(ini, iniPath, section, "bitrate", value(2));
    }
}

// Takes the end's marker out of the saved text (only as a whole line), and the blank lines the
// text then ends with.
void RemoveEndOfFileMarker(std::string& out, const std::string& markerLine) {
    size_t marker = out.compare(0, markerLine.size(), markerLine) == 0 ? 0 : out.find('\n' + markerLine);
    if (marker != std::string::npos) {
        if (out[marker] == '\n')
            ++marker;
        out.erase(marker, markerLine.size());
    }
    while (out.size() >= 2 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n')
        out.pop_back();
}

} // namespace

void LoadSettings(const std::string& iniPath, TavrelSettings& settings, std::vector<std::string>* warnings) {
    std::string text;
    const ReadOutcome read = ReadFileContent(iniPath, text, MaxSettingsFileBytes);
    if (read != ReadOutcome::Read && read != ReadOutcome::Missing && warnings)
        warnings->push_back(MessageBytes(
            QCoreApplication::translate("Settings", "Cannot read %1%2; no output modes are available.",
                                        "%2: why, beginning with a colon, or nothing"),
            {iniPath, ReadFailureReason(read, MaxSettingsFileBytes)}));
    CSimpleIniA ini;
    LoadIni(ini, text);

    settings.outputModes.clear();
    int32_t count = ReadNumber(ini, iniPath, "outputmodecount", 0, warnings);
    if (count > MaxOutputModeCount) {
        if (warnings) {
            warnings->push_back(MessageBytes(
                QCoreApplication::translate("Settings",
                                            "outputmodecount in section [general] of %1 is %2; only "
                                            "the first %3 output modes are read."),
                {iniPath, std::to_string(count), std::to_string(MaxOutputModeCount)}));
        }
        count = MaxOutputModeCount;
    }
    for (int32_t i = 0; i < count; ++i) {
        const std::string section = std::to_string(i);
        PMP3Converter mode;
        mode.name = ReadText(ini, section.c_str(), "name", "");
        mode.enabled = ReadText(ini, section.c_str(), "enabled", "") == "1";
        mode.params.push_back(
            {ReadText(ini, "constParams", "quality", ""), ReadText(ini, section.c_str(), "quality", "")});
        mode.params.push_back(
            {ReadText(ini, "constParams", "mode", ""), ReadText(ini, section.c_str(), "mode", "")});
        mode.params.push_back(
            {ReadText(ini, "constParams", "bitrate", ""), ReadText(ini, section.c_str(), "bitrate", "")});
        settings.outputModes.push_back(std::move(mode));
    }
    settings.emptyProjectMode = ReadNumber(ini, iniPath, "emptyproject", 0, warnings);
    settings.defaultOutputFolder = ReadText(ini, "general", "outputfolder", "");

    // 0, as the shipped file has it, stands for one encoder per processor of the machine.
    const int32_t defaultEncoders = DefaultEncoderCount();
    const int32_t encoders = ReadNumber(ini, iniPath, "encoders", defaultEncoders, warnings);
    settings.encoders = encoders <= 0 ? defaultEncoders : std::min(encoders, kMaxEncoderCount);
    if (encoders < 0 && warnings) {
        warnings->push_back(MessageBytes(
            QCoreApplication::translate("Settings",
                                        "The value \"%1\" of encoders in section [general] of %2 is "
                                        "not a number of encoders (0 for one per processor, or 1 and "
                                        "more); %3 is used instead."),
            {std::to_string(encoders), iniPath, std::to_string(defaultEncoders)}));
    } else if (encoders > kMaxEncoderCount && warnings) {
        warnings->push_back(MessageBytes(
            QCoreApplication::translate(
                "Settings", "encoders in section [general] of %1 is %2; at most %3 encoders run at once."),
            {iniPath, std::to_string(encoders), std::to_string(kMaxEncoderCount)}));
    }
}

void SaveSettings(const std::string& iniPath, int32_t emptyProject, const std::string& outputFolder,
                  const std::vector<PMP3Converter>& modes) {
    std::string original;
    // A file that is there but cannot be read must not be replaced by our few keys.
    const ReadOutcome read = ReadFileContent(iniPath, original, MaxSettingsFileBytes);
    if (read != ReadOutcome::Read && read != ReadOutcome::Missing)
        throw SettingsError(UnableToWrite(iniPath + ReadFailureReason(read, MaxSettingsFileBytes)));
    const bool crLf = original.find("\r\n") != std::string::npos;
    const bool byteOrderMark = original.compare(0, 3, "\xEF\xBB\xBF") == 0;

    const std::string markerLine = EndOfFileMarkerLine(original, outputFolder, modes);
    std::string marked = original;
    if (!marked.empty() && marked.back() != '\n')
        marked += '\n';
    marked += markerLine;
    CSimpleIniA ini;
    LoadIni(ini, marked);
    WriteSettingsValues(ini, iniPath, emptyProject, outputFolder, modes);

    std::string out;
    if (ini.Save(out, byteOrderMark) < 0)
        throw SettingsError(UnableToWrite(iniPath));
    RemoveEndOfFileMarker(out, markerLine);
    if (crLf)
        out = ToCrLf(out);
    if (!ReplaceFileContent(iniPath, out))
        throw SettingsError(UnableToWrite(iniPath));
}
