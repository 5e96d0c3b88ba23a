// Tests of the output modes: reading and writing settings.ini, lookups, options, new projects.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <QTemporaryDir>

#include "common/file_bytes.h"
#include "project/OutputModes.h"

namespace {

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

PMP3Converter Preset(const std::string& name, const std::string& quality, const std::string& mode,
                     const std::string& bitrate, bool enabled = false) {
    return PMP3Converter{name, {{"q", quality}, {"m", mode}, {"b", bitrate}}, enabled};
}

std::vector<std::string> Values(const PMP3Converter& mode) {
    std::vector<std::string> values;
    for (const PParameter& param : mode.params)
        values.push_back(param.name + "=" + param.value);
    return values;
}

const std::string TwoPresets = "[general]\r\n"
                               "outputmodecount=2\r\n"
                               "emptyproject=1\r\n"
                               "outputfolder=/home/me/movies/\r\n"
                               "[constParams]\r\n"
                               "quality=q\r\n"
                               "mode=m\r\n"
                               "bitrate=b\r\n"
                               "[0]\r\n"
                               "name=Voice\r\n"
                               "quality=7\r\n"
                               "mode=m\r\n"
                               "bitrate=32\r\n"
                               "[1]\r\n"
                               "name=Custom...\r\n"
                               "enabled=1\r\n"
                               "quality=5\r\n"
                               "mode=j\r\n"
                               "bitrate=128\r\n";

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.path().toStdString() + "/settings.ini";
    }

    TavrelSettings Load(const std::string& text, std::vector<std::string>* warnings = nullptr) {
        WriteBytes(path_, text);
        TavrelSettings settings;
        LoadSettings(path_, settings, warnings);
        return settings;
    }

    const std::string& Path() const { return path_; }
    std::string Folder() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
    std::string path_;
};

} // namespace

TEST_F(SettingsFile, LoadsTwoPresetsAndTheGeneralValues) {
    std::vector<std::string> warnings;
    const TavrelSettings settings = Load(TwoPresets, &warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(settings.outputModes.size(), 2u);
    EXPECT_EQ(settings.outputModes[0].name, "Voice");
    EXPECT_FALSE(settings.outputModes[0].enabled);
    EXPECT_EQ(Values(settings.outputModes[0]), (std::vector<std::string>{"q=7", "m=m", "b=32"}));
    EXPECT_EQ(settings.outputModes[1].name, "Custom...");
    EXPECT_TRUE(settings.outputModes[1].enabled);
    EXPECT_EQ(Values(settings.outputModes[1]), (std::vector<std::string>{"q=5", "m=j", "b=128"}));
    EXPECT_EQ(settings.emptyProjectMode, 1);
    EXPECT_EQ(settings.defaultOutputFolder, "/home/me/movies/");
}

TEST_F(SettingsFile, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
    const TavrelSettings settings = Load("[GENERAL]\nOutputModeCount =  1 \nEmptyProject= 0\n"
                                         "OUTPUTFOLDER =   /out dir/  \n"
                                         "[ConstParams]\nQuality= q \nMODE=m\nBitRate\t=\tb\n"
                                         "[0]\nNAME =   Two  Words  \nEnabled = 1 \nQUALITY=4\nmode= s\n"
                                         "bitrate=256   \n");
    ASSERT_EQ(settings.outputModes.size(), 1u);
    EXPECT_EQ(settings.outputModes[0].name, "Two  Words");
    EXPECT_TRUE(settings.outputModes[0].enabled);
    EXPECT_EQ(Values(settings.outputModes[0]), (std::vector<std::string>{"q=4", "m=s", "b=256"}));
    EXPECT_EQ(settings.defaultOutputFolder, "/out dir/");
}

TEST_F(SettingsFile, QuotedValuesReachTheEncoderWithoutTheirQuotes) {
    const TavrelSettings settings = Load("[general]\noutputmodecount=1\noutputfolder=\" /out \"\n"
                                         "[constParams]\nquality=\"q\"\nmode=m\nbitrate=\"b\"\n"
                                         "[0]\nname=\"Loud\"\nquality=\"5\"\nmode=\"j\"\nbitrate=\"128\"\n");
    ASSERT_EQ(settings.outputModes.size(), 1u);
    EXPECT_EQ(settings.outputModes[0].name, "Loud");
    EXPECT_EQ(EncoderOptionText(settings.outputModes[0]), "--silent --quiet -q5 -mj -b128 ");
    EXPECT_EQ(settings.defaultOutputFolder, " /out ") << "blanks inside the quotes are kept";
}

struct EnabledCase {
    const char* label;
    const char* line; // the enabled line of preset 0, or nothing
    bool expected;
};

class EnabledKey : public SettingsFile, public ::testing::WithParamInterface<EnabledCase> {};

TEST_P(EnabledKey, OnlyOneMakesAPresetEditable) {
    const TavrelSettings settings =
        Load(std::string("[general]\noutputmodecount=1\n[0]\nname=A\n") + GetParam().line + "quality=5\n");
    ASSERT_EQ(settings.outputModes.size(), 1u);
    EXPECT_EQ(settings.outputModes[0].enabled, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EnabledKey,
    ::testing::Values(EnabledCase{"One", "enabled=1\n", true},
                      EnabledCase{"OneWithBlanks", "enabled =  1  \n", true},
                      EnabledCase{"True", "enabled=true\n", false},
                      EnabledCase{"Yes", "enabled=yes\n", false}, EnabledCase{"Zero", "enabled=0\n", false},
                      EnabledCase{"Eleven", "enabled=11\n", false}, EnabledCase{"Empty", "enabled=\n", false},
                      EnabledCase{"Missing", "", false},
                      // One pair of double quotes around a value is taken off, as profile readers do.
                      EnabledCase{"Quoted", "enabled=\"1\"\n", true},
                      EnabledCase{"QuotedWithBlanks", "enabled = \"1\" \n", true},
                      EnabledCase{"QuotedTwice", "enabled=\"\"1\"\"\n", false},
                      EnabledCase{"OpeningQuoteOnly", "enabled=\"1\n", false},
                      EnabledCase{"ClosingQuoteOnly", "enabled=1\"\n", false},
                      EnabledCase{"QuotesInside", "enabled=\"1\"1\"\n", false}),
    [](const ::testing::TestParamInfo<EnabledCase>& row) { return std::string(row.param.label); });

TEST_F(SettingsFile, MissingKeysAndSectionsGiveEmptyTexts) {
    // Three presets counted, one section present: the others are empty, yet have three parameters.
    const TavrelSettings settings = Load("[general]\noutputmodecount=3\n[1]\nname=Only\n");
    ASSERT_EQ(settings.outputModes.size(), 3u);
    EXPECT_EQ(settings.outputModes[0].name, "");
    EXPECT_EQ(settings.outputModes[1].name, "Only");
    for (const PMP3Converter& mode : settings.outputModes)
        EXPECT_EQ(Values(mode), (std::vector<std::string>{"=", "=", "="}));
    EXPECT_EQ(settings.emptyProjectMode, 0);
    EXPECT_EQ(settings.defaultOutputFolder, "");
}

TEST_F(SettingsFile, FirstOfTwoEqualKeysCounts) {
    const TavrelSettings settings =
        Load("[general]\noutputmodecount=1\noutputmodecount=5\n[0]\nname=A\nname=B\n");
    ASSERT_EQ(settings.outputModes.size(), 1u);
    EXPECT_EQ(settings.outputModes[0].name, "A");
}

TEST_F(SettingsFile, AMissingFileIsNoError) {
    TavrelSettings settings;
    settings.outputModes.push_back(Preset("old", "1", "s", "16"));
    settings.emptyProjectMode = 4;
    settings.defaultOutputFolder = "/old";
    std::vector<std::string> warnings;
    LoadSettings(Folder() + "/none.ini", settings, &warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(settings.outputModes.empty());
    EXPECT_EQ(settings.emptyProjectMode, 0);
    EXPECT_EQ(settings.defaultOutputFolder, "");
}

// A pipe is refused without waiting for a writer; a file far larger than any settings is not read.
TEST_F(SettingsFile, AnUnreadableFileIsReportedAndGivesNoPresets) {
    const std::string pipe = Folder() + "/pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const std::string huge = Folder() + "/huge.ini";
    WriteBytes(huge, TwoPresets);
    ASSERT_EQ(truncate(huge.c_str(), (4 << 20) + 1), 0);
    const std::pair<std::string, std::string> cases[] = {
        {Folder(), ""}, {pipe, ": it is not a regular file"}, {huge, ": it is larger than 4 MiB"}};
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        TavrelSettings settings = Load(TwoPresets);
        std::vector<std::string> warnings;
        LoadSettings(path, settings, &warnings);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], "Cannot read " + path + reason + "; no output modes are available.");
        EXPECT_TRUE(settings.outputModes.empty());
    }
}

TEST_F(SettingsFile, LoadingAgainReplacesThePresets) {
    TavrelSettings settings = Load(TwoPresets);
    LoadSettings(Path(), settings);
    EXPECT_EQ(settings.outputModes.size(), 2u);
}

struct CountCase {
    const char* label;
    const char* general;
    size_t presets;
    int32_t emptyProject;
    std::vector<const char*> warningParts; // each must occur in one warning; empty: no warning
    int32_t encoders = 0;                  // 0: one per processor
};

class GeneralNumbers : public SettingsFile, public ::testing::WithParamInterface<CountCase> {};

TEST_P(GeneralNumbers, BadNumbersAreReportedAndDefaulted) {
    std::vector<std::string> warnings;
    const TavrelSettings settings = Load(std::string("[general]\n") + GetParam().general, &warnings);
    EXPECT_EQ(settings.outputModes.size(), GetParam().presets);
    EXPECT_EQ(settings.emptyProjectMode, GetParam().emptyProject);
    EXPECT_EQ(settings.encoders, GetParam().encoders ? GetParam().encoders : DefaultEncoderCount());
    ASSERT_EQ(warnings.size(), GetParam().warningParts.empty() ? 0u : 1u);
    for (const char* part : GetParam().warningParts)
        EXPECT_NE(warnings[0].find(part), std::string::npos) << warnings[0] << " lacks " << part;
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralNumbers,
    ::testing::Values(
        CountCase{"Good", "outputmodecount=2\nemptyproject=-1\n", 2, -1, {}},
        CountCase{"NegativeCount", "outputmodecount=-4\n", 0, 0, {}},
        CountCase{"WordCount",
                  "outputmodecount=two\nemptyproject=1\n",
                  0,
                  1,
                  {"outputmodecount", "\"two\"", "0 is used"}},
        CountCase{"EmptyCount", "outputmodecount=\n", 0, 0, {"outputmodecount", "not a whole number"}},
        CountCase{"HexCount", "outputmodecount=0x2\n", 0, 0, {"outputmodecount", "0x2"}},
        CountCase{"WordEmptyProject",
                  "outputmodecount=1\nemptyproject=first\n",
                  1,
                  0,
                  {"emptyproject", "\"first\""}},
        CountCase{
            "OverflowEmptyProject", "emptyproject=99999999999\n", 0, 0, {"emptyproject", "99999999999"}},
        CountCase{"AbsurdCount", "outputmodecount=2000000000\n", 1000, 0, {"outputmodecount", "1000"}},
        CountCase{"QuotedNumbers", "outputmodecount=\"2\"\nemptyproject=\"1\"\n", 2, 1, {}},
        CountCase{"LoneQuote", "outputmodecount=\"\n", 0, 0, {"outputmodecount", "\"\"\""}},
        CountCase{"OneEncoder", "encoders=1\n", 0, 0, {}, 1},
        CountCase{"EncodersPerProcessor", "encoders=0\n", 0, 0, {}},
        CountCase{"NegativeEncoders", "encoders=-2\n", 0, 0, {"encoders", "\"-2\""}},
        CountCase{"WordEncoders", "encoders=all\n", 0, 0, {"encoders", "\"all\"", "is used instead"}},
        CountCase{"AbsurdEncoders", "encoders=5000\n", 0, 0, {"encoders", "64"}, 64}),
    [](const ::testing::TestParamInfo<CountCase>& row) { return std::string(row.param.label); });

TEST_F(SettingsFile, WarningsNameTheFile) {
    std::vector<std::string> warnings;
    Load("[general]\noutputmodecount=x\n", &warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(Path()), std::string::npos) << warnings[0];
    // Without a place for warnings the defaults still apply.
    EXPECT_TRUE(Load("[general]\noutputmodecount=x\n").outputModes.empty());
}

TEST(FindOutputMode, FirstExactMatchOrNothing) {
    std::vector<PMP3Converter> modes = {Preset("Music", "5", "j", "128"), Preset("music", "1", "s", "16"),
                                        Preset("Music", "9", "m", "32"), Preset("", "2", "f", "64")};
    const auto& constModes = modes;
    ASSERT_NE(FindOutputMode(constModes, "Music"), nullptr);
    EXPECT_EQ(FindOutputMode(constModes, "Music"), &modes[0]);
    EXPECT_EQ(FindOutputMode(modes, "music"), &modes[1]);
    EXPECT_EQ(FindOutputMode(modes, ""), &modes[3]);
    EXPECT_EQ(FindOutputMode(modes, "Music "), nullptr);
    EXPECT_EQ(FindOutputMode(modes, "MUSIC"), nullptr);
    EXPECT_EQ(FindOutputMode(std::vector<PMP3Converter>{}, "Music"), nullptr);
}

TEST(EncoderOptions, TextAndArgumentsFollowTheParameters) {
    const PMP3Converter mode = Preset("Music", "5", "j", "128");
    EXPECT_EQ(EncoderOptionText(mode), "--silent --quiet -q5 -mj -b128 ");
    EXPECT_EQ(EncoderOptionArguments(mode),
              (std::vector<std::string>{"--silent", "--quiet", "-q5", "-mj", "-b128"}));
    EXPECT_EQ(EncoderOptionText(PMP3Converter{}), "--silent --quiet ");
    EXPECT_EQ(EncoderOptionArguments(PMP3Converter{}), (std::vector<std::string>{"--silent", "--quiet"}));
}

TEST_F(SettingsFile, SaveWritesTheGeneralKeysAndPresetsAndReadsBack) {
    WriteBytes(Path(), TwoPresets);
    const std::vector<PMP3Converter> modes = {Preset("Voice", "7", "m", "32"),
                                              // The line that marks the original text's end while the file is
                                              // rewritten, as a value that stands before that line.
                                              Preset("[\x01tavrel end of file\x01]", "4", "j", "96"),
                                              Preset("  Loud & \"clear\"  ", "2", "s", "256"),
                                              Preset("\"Quoted\"", "1", "m", "16"),
                                              Preset("Custom...", "5", "j", "128")};
    SaveSettings(Path(), -1, "/new/out/", modes);
    const std::string text = ReadBytes(Path());
    EXPECT_NE(text.find("emptyproject=-1"), std::string::npos) << text;
    EXPECT_NE(text.find("outputmodecount=5"), std::string::npos) << text;
    EXPECT_NE(text.find("outputfolder=/new/out/"), std::string::npos) << text;
    EXPECT_NE(text.find("[2]\r\nname=  Loud & \"clear\"  \r\nquality=2\r\nmode=s\r\nbitrate=256\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find(" = "), std::string::npos) << "keys are written as key=value: " << text;

    TavrelSettings settings;
    LoadSettings(Path(), settings);
    EXPECT_EQ(settings.emptyProjectMode, -1);
    EXPECT_EQ(settings.defaultOutputFolder, "/new/out/");
    ASSERT_EQ(settings.outputModes.size(), 5u);
    EXPECT_TRUE(settings.outputModes[1].enabled) << "enabled keys are kept";
    EXPECT_EQ(settings.outputModes[1].name, "[\x01tavrel end of file\x01]");
    EXPECT_EQ(Values(settings.outputModes[1]), (std::vector<std::string>{"q=4", "m=j", "b=96"}));
    EXPECT_EQ(settings.outputModes[4].name, "Custom...");
    EXPECT_EQ(settings.outputModes[3].name, "\"Quoted\"") << "a quoted name is quoted once more";
    EXPECT_EQ(settings.outputModes[2].name, "Loud & \"clear\"") << "the profile reader trims";
    EXPECT_EQ(Values(settings.outputModes[2]), (std::vector<std::string>{"q=2", "m=s", "b=256"}));
}

TEST_F(SettingsFile, SaveKeepsEverythingItDoesNotWrite) {
    const std::string original = "; Settings of the converter\n"
                                 "\n"
                                 "[General]\n"
                                 "OutputModeCount = 3\n"
                                 "; the folder below is mine\n"
                                 "mykey=keep me\n"
                                 "[constParams]\n"
                                 "quality=Q\n"
                                 "mode=M\n"
                                 "bitrate=B\n"
                                 "[0]\n"
                                 "name=Old\n"
                                 "enabled=1\n"
                                 "extra=still here\n"
                                 "[1]\n"
                                 "name=Second\n"
                                 "[2]\n"
                                 "name=Beyond the new count\n"
                                 "[other]\n"
                                 "x=y\n"
                                 "; last words\n";
    WriteBytes(Path(), original);
    SaveSettings(Path(), 0, "", {Preset("New", "3", "f", "64")});
    const std::string text = ReadBytes(Path());
    for (const char* kept : {"; Settings of the converter", "; the folder below is mine", "mykey=keep me",
                             "quality=Q", "mode=M", "bitrate=B", "enabled=1", "extra=still here",
                             "name=Second", "name=Beyond the new count", "[other]", "x=y", "; last words"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from:\n" << text;
    EXPECT_EQ(CountOf(text, "["), 6u) << "no section written twice:\n" << text;
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(CountOf(lower, "outputmodecount="), 1u) << text;
    EXPECT_EQ(text.find("\r\n"), std::string::npos) << "an LF file stays LF";

    TavrelSettings settings;
    LoadSettings(Path(), settings);
    ASSERT_EQ(settings.outputModes.size(), 1u);
    EXPECT_EQ(settings.outputModes[0].name, "New");
    EXPECT_TRUE(settings.outputModes[0].enabled);
    EXPECT_EQ(Values(settings.outputModes[0]), (std::vector<std::string>{"Q=3", "M=f", "B=64"}));
}

TEST_F(SettingsFile, SavingTwiceChangesNothingMore) {
    WriteBytes(Path(), TwoPresets + "; trailing comment\r\n");
    const std::vector<PMP3Converter> modes = {Preset("Voice", "7", "m", "32"),
                                              Preset("Custom...", "5", "j", "128")};
    SaveSettings(Path(), 1, "/home/me/movies/", modes);
    const std::string once = ReadBytes(Path());
    SaveSettings(Path(), 1, "/home/me/movies/", modes);
    EXPECT_EQ(ReadBytes(Path()), once);
    EXPECT_EQ(CountOf(once, "\n"), CountOf(once, "\r\n")) << "a CR LF file stays CR LF";
}

// Also under the longest names a folder allows, beside which the temporary file must fit.
TEST_F(SettingsFile, SaveCreatesAMissingFile) {
    for (const std::string& path : {Path(), Folder() + "/" + std::string(244, 's') + ".ini",
                                    Folder() + "/" + std::string(251, 's') + ".ini"}) {
        SCOPED_TRACE(path.size());
        SaveSettings(path, 0, "/out", {Preset("A", "5", "j", "128")});
        TavrelSettings settings;
        LoadSettings(path, settings);
        ASSERT_EQ(settings.outputModes.size(), 1u);
        EXPECT_EQ(settings.outputModes[0].name, "A");
        EXPECT_EQ(settings.defaultOutputFolder, "/out");
    }
}

TEST_F(SettingsFile, SaveOfAShortPresetWritesEmptyValues) {
    PMP3Converter shortPreset{"Short", {{"q", "4"}}, false};
    SaveSettings(Path(), 0, "", {shortPreset});
    TavrelSettings settings;
    LoadSettings(Path(), settings);
    ASSERT_EQ(settings.outputModes.size(), 1u);
    EXPECT_EQ(settings.outputModes[0].params[0].value, "4");
    EXPECT_EQ(settings.outputModes[0].params[2].value, "");
}

TEST_F(SettingsFile, FailedSavesThrowAndKeepTheOldFile) {
    WriteBytes(Path(), TwoPresets);
    const std::string folderPath = Folder() + "/folder.ini";
    ASSERT_EQ(mkdir(folderPath.c_str(), 0755), 0);
    const std::string pipe = Folder() + "/pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const std::pair<std::string, std::string> cases[] = {
        {Folder() + "/missing/settings.ini", ""}, {folderPath, ""}, {pipe, ": it is not a regular file"}};
    for (const auto& [target, reason] : cases) {
        SCOPED_TRACE(target);
        try {
            SaveSettings(target, 0, "/x", {Preset("A", "5", "j", "128")});
            FAIL() << "no error";
        } catch (const SettingsError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + target + reason);
        }
    }
    struct stat info {};
    ASSERT_EQ(stat(folderPath.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(ReadBytes(Path()), TwoPresets);
}

// A settings file marked read-only is refused, also for root, who could replace it.
TEST_F(SettingsFile, AReadOnlyFileIsNotReplaced) {
    WriteBytes(Path(), TwoPresets);
    ASSERT_EQ(chmod(Path().c_str(), 0444), 0);
    try {
        SaveSettings(Path(), 0, "/x", {Preset("A", "5", "j", "128")});
        FAIL() << "no error";
    } catch (const SettingsError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + Path());
    }
    EXPECT_EQ(ReadBytes(Path()), TwoPresets);
}

struct NewProjectCase {
    const char* label;
    std::vector<PMP3Converter> modes;
    int32_t emptyProjectMode;
    std::vector<std::string> expected; // quality, mode, bitrate
};

class NewProject : public ::testing::TestWithParam<NewProjectCase> {};

TEST_P(NewProject, TakesThePresetOrTheMusicFallback) {
    TavrelSettings settings;
    settings.outputModes = GetParam().modes;
    settings.emptyProjectMode = GetParam().emptyProjectMode;
    settings.defaultOutputFolder = "/movies/";
    const PSoundProject project = NewDefaultProject(settings);
    EXPECT_EQ((std::vector<std::string>{project.Quality, project.Mode, project.Bitrate}),
              GetParam().expected);
    EXPECT_EQ(project.ProjectName, "Untitled.xml");
    EXPECT_EQ(project.OutputFolder, "/movies/");
    EXPECT_EQ(project.StopAction, 0);
    EXPECT_EQ(project.FramePerSeconds, 12);
    EXPECT_EQ(project.FrameTuner, 0);
    EXPECT_TRUE(project.Files.empty());
}

const std::vector<PMP3Converter> SomeModes = {Preset("Voice", "7", "m", "32"),
                                              Preset("Big", "2", "s", "256")};
const std::vector<std::string> Fallback = {"5", "j", "128"};

INSTANTIATE_TEST_SUITE_P(
    Presets, NewProject,
    ::testing::Values(
        NewProjectCase{"First", SomeModes, 0, {"7", "m", "32"}},
        NewProjectCase{"Second", SomeModes, 1, {"2", "s", "256"}},
        NewProjectCase{"PastTheEnd", SomeModes, 2, Fallback},
        NewProjectCase{"NoneSelected", SomeModes, -1, Fallback}, NewProjectCase{"NoPresets", {}, 0, Fallback},
        NewProjectCase{"TwoParameters", {PMP3Converter{"Cut", {{"q", "1"}, {"m", "s"}}, false}}, 0, Fallback},
        NewProjectCase{"EmptyValuesAreTaken", {Preset("Blank", "", "", "")}, 0, {"", "", ""}}),
    [](const ::testing::TestParamInfo<NewProjectCase>& row) { return std::string(row.param.label); });

TEST_F(SettingsFile, NewProjectWithNoSettingsFileStarts) {
    TavrelSettings settings;
    LoadSettings(Folder() + "/none.ini", settings);
    const PSoundProject project = NewDefaultProject(settings);
    EXPECT_EQ(project.Quality, "5");
    EXPECT_EQ(project.Mode, "j");
    EXPECT_EQ(project.Bitrate, "128");
}
