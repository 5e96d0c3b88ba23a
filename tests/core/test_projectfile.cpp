// Tests of the project file: exact bytes written, round trips, the reading rule, safe saving.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <QTemporaryDir>

#include "common/file_bytes.h"
#include "common/file_size_limit.h"
#include "project/ProjectFile.h"

namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

std::vector<std::string> FileNames(const PSoundProject& project) {
    std::vector<std::string> names;
    for (const PSoundFile& file : project.Files)
        names.push_back(file.File);
    return names;
}

PSoundProject WithFiles(PSoundProject project, const std::vector<std::string>& files) {
    project.Files.clear();
    for (const std::string& name : files) {
        PSoundFile entry;
        entry.File = name;
        project.Files.push_back(entry);
    }
    return project;
}

// What a load makes of project saved in folder: its relative paths are read from there.
PSoundProject ReadFrom(PSoundProject project, const std::string& folder) {
    if (!project.OutputFolder.empty() && project.OutputFolder[0] != '/')
        project.OutputFolder.insert(0, folder + "/");
    for (PSoundFile& file : project.Files)
        if (!file.File.empty() && file.File[0] != '/')
            file.File.insert(0, folder + "/");
    return project;
}

PSoundProject DemoProject(const std::string& path) {
    PSoundProject project;
    project.ProjectName = path;
    project.Quality = "5";
    project.Mode = "j";
    project.Bitrate = "128";
    project.OutputFolder = "C:\\Out";
    project.StopAction = 2;
    project.FramePerSeconds = 12;
    project.FrameTuner = -3;
    return WithFiles(project, {"C:\\In\\a.wav", "C:\\In\\b.mp3"});
}

const std::string DemoFileText = "<TavrelProject>\r\n"
                                 "<ProjectName>C:\\Work\\demo.xml</ProjectName>\r\n"
                                 "<Quality>5</Quality>\r\n"
                                 "<Mode>j</Mode>\r\n"
                                 "<Bitrate>128</Bitrate>\r\n"
                                 "<OutputFolder>C:\\Out</OutputFolder>\r\n"
                                 "<Files>\r\n"
                                 "<File>C:\\In\\a.wav</File><File>C:\\In\\b.mp3</File></Files>\r\n"
                                 "<StopAction>2</StopAction>\r\n"
                                 "<FramePerSeconds>12</FramePerSeconds>\r\n"
                                 "<FrameTuner>-3</FrameTuner>\r\n"
                                 "</TavrelProject>\r\n";

void ExpectSameProject(const PSoundProject& actual, const PSoundProject& expected) {
    EXPECT_EQ(actual.ProjectName, expected.ProjectName);
    EXPECT_EQ(actual.Quality, expected.Quality);
    EXPECT_EQ(actual.Mode, expected.Mode);
    EXPECT_EQ(actual.Bitrate, expected.Bitrate);
    EXPECT_EQ(actual.OutputFolder, expected.OutputFolder);
    EXPECT_EQ(actual.StopAction, expected.StopAction);
    EXPECT_EQ(actual.FramePerSeconds, expected.FramePerSeconds);
    EXPECT_EQ(actual.FrameTuner, expected.FrameTuner);
    EXPECT_EQ(FileNames(actual), FileNames(expected));
    EXPECT_EQ(actual.Gapless, expected.Gapless);
    EXPECT_EQ(actual.Loops, expected.Loops);
    EXPECT_EQ(actual.Standalone, expected.Standalone);
}

class ProjectFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string PathOf(const std::string& name) const { return dir_.path().toStdString() + "/" + name; }
    std::string Folder() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST(ProjectFileText, WorkedExampleIsWrittenExactly) {
    EXPECT_EQ(ProjectFileText(DemoProject("C:\\Work\\demo.xml")), DemoFileText);
}

// The movie options are written only when set, after the older elements: a project without
// them is written as ever, and older copies of the program read the rest of one with them.
TEST(ProjectFileText, MovieOptionsFollowTheOlderElements) {
    PSoundProject project = DemoProject("C:\\Work\\demo.xml");
    project.Gapless = true;
    project.Loops = 65535;
    project.Standalone = true;
    std::string expected = DemoFileText;
    expected.insert(expected.find("</TavrelProject>"),
                    "<Gapless>1</Gapless>\r\n<Loops>65535</Loops>\r\n<Standalone>1</Standalone>\r\n");
    EXPECT_EQ(ProjectFileText(project), expected);
    project.Gapless = false;
    project.Standalone = false;
    EXPECT_EQ(ProjectFileText(project).find("Gapless"), std::string::npos);
}

TEST(ProjectFileText, NoFilesPutsTheClosingTagAloneOnItsLine) {
    const std::string text = ProjectFileText(WithFiles(DemoProject("p.xml"), {}));
    EXPECT_NE(text.find("<Files>\r\n</Files>\r\n<StopAction>"), std::string::npos) << text;
}

TEST(ProjectFileText, TextsAreCopiedWithoutEscapingOrTrimming) {
    PSoundProject project = DemoProject("p.xml");
    project.OutputFolder = " a & \"b\" <c> 'd' ";
    const std::string text = ProjectFileText(project);
    EXPECT_NE(text.find("<OutputFolder> a & \"b\" <c> 'd' </OutputFolder>\r\n"), std::string::npos) << text;
}

TEST_F(ProjectFileOnDisk, SaveWritesTheTextToTheProjectNameBytewise) {
    const std::string path = PathOf("demo.xml");
    SaveProjectFile(DemoProject(path));
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes, ProjectFileText(DemoProject(path)));
    EXPECT_EQ(bytes.substr(0, 15), "<TavrelProject>") << "no byte-order mark, no declaration";
}

TEST_F(ProjectFileOnDisk, SaveReplacesALongerOldFileAndKeepsItsPermissions) {
    const std::string path = PathOf("demo.xml");
    WriteBytes(path, std::string(5000, 'x'));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    SaveProjectFile(DemoProject(path));
    EXPECT_EQ(ReadBytes(path), ProjectFileText(DemoProject(path)));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"demo.xml"});
}

TEST_F(ProjectFileOnDisk, SaveThroughASymbolicLinkChangesTheFileItLeadsTo) {
    ASSERT_EQ(mkdir(PathOf("real").c_str(), 0755), 0);
    const std::string target = PathOf("real/demo.xml");
    WriteBytes(target, "old");
    const std::string link = PathOf("demo.xml");
    ASSERT_EQ(symlink("real/demo.xml", link.c_str()), 0);
    SaveProjectFile(DemoProject(link));
    EXPECT_EQ(ReadBytes(target), ProjectFileText(DemoProject(link)));
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(FolderEntries(PathOf("real")), std::vector<std::string>{"demo.xml"});
}

TEST_F(ProjectFileOnDisk, AReadOnlyProjectFileIsNotReplaced) {
    const std::string path = PathOf("demo.xml");
    WriteBytes(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    try {
        SaveProjectFile(DemoProject(path));
        FAIL() << "no error";
    } catch (const ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"demo.xml"});
}

// Each row is saved and loaded again; every field must come back unchanged.
struct RoundTripCase {
    const char* label;
    PSoundProject project;
};

class ProjectRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ProjectRoundTrip, LoadGivesBackWhatWasSaved) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The project name is the path it is saved to, so odd characters go into the folder name.
    const std::string folder = dir.path().toStdString() + "/it's \"a\" & <b> folder";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    PSoundProject saved = GetParam().project;
    saved.ProjectName = folder + "/ project.xml";
    SaveProjectFile(saved);

    PSoundProject loaded;
    LoadProjectFile(saved.ProjectName, loaded);
    ExpectSameProject(loaded, ReadFrom(saved, folder));
}

PSoundProject Varied(const std::string& quality, const std::string& folder, int32_t stop, int32_t fps,
                     int32_t tuner, const std::vector<std::string>& files) {
    PSoundProject project;
    project.Quality = quality;
    project.Mode = "m";
    project.Bitrate = "64";
    project.OutputFolder = folder;
    project.StopAction = stop;
    project.FramePerSeconds = fps;
    project.FrameTuner = tuner;
    return WithFiles(project, files);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProjectRoundTrip,
    ::testing::Values(
        RoundTripCase{"Demo", DemoProject("")},
        RoundTripCase{"Ampersand", Varied("5", "/out/Tom & Jerry", 0, 12, 0, {"/in/rock & roll.wav"})},
        RoundTripCase{"Quotes", Varied("\"9\"", "/out/'single' \"double\"", 1, 24, 5, {"/in/\"q\".mp3"})},
        RoundTripCase{"AngleBrackets", Varied("<5>", "/out/a<b>c", 2, 30, 1, {"/in/x<y.wav", "/in/y>z.wav"})},
        RoundTripCase{"BlanksAroundPaths",
                      Varied("5", "  /out  ", 0, 12, 0, {"  /in/a.wav", "/in/b.wav  ", " c "})},
        RoundTripCase{"NegativeTuner", Varied("5", "/out", 0, 12, -100, {"/in/a.wav"})},
        RoundTripCase{"MovieOptions",
                      [] {
                          PSoundProject project = Varied("5", "/out", 2, 25, 0, {"/in/a.wav"});
                          project.Gapless = project.Standalone = true;
                          project.Loops = 3;
                          return project;
                      }()},
        RoundTripCase{"NoFiles", Varied("5", "/out", 0, 12, 0, {})},
        RoundTripCase{"EmptyTexts", Varied("", "", 0, 0, 0, {"/in/a.wav"})},
        RoundTripCase{"ExtremeNumbers", Varied("5", "/out", 7, INT32_MAX, INT32_MIN, {"/in/a.wav"})},
        RoundTripCase{"HighBytes", Varied("5", "/out/\xe9t\xe9", -1, 12, 3, {"/in/\xc3\xa4\xff.wav"})},
        RoundTripCase{"ManyFiles",
                      Varied("5", "/out", 0, 12, 0, std::vector<std::string>(200, "/in/same.wav"))}),
    [](const ::testing::TestParamInfo<RoundTripCase>& row) { return std::string(row.param.label); });

// The reading rule on a single element: first opening and first closing tag, no nesting.
struct ExtractCase {
    const char* label;
    const char* text;
    const char* name;
    const char* expected;
};

class ReadingRule : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(ReadingRule, ExtractElement) {
    EXPECT_EQ(ExtractElement(GetParam().text, GetParam().name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ReadingRule,
    ::testing::Values(
        ExtractCase{"Plain", "<Mode>j</Mode>", "Mode", "j"},
        ExtractCase{"Empty", "<Mode></Mode>", "Mode", ""},
        ExtractCase{"Surrounded", "xx<Mode> j </Mode>yy", "Mode", " j "},
        ExtractCase{"NeitherTag", "<Quality>5</Quality>", "Mode", ""},
        ExtractCase{"OnlyOpening", "<Mode>j", "Mode", ""},
        ExtractCase{"ClosingBeforeOpening", "</Mode>x<Mode>j", "Mode", ""},
        // Without an opening tag the rule counts from position 0: characters 6 to 11 here.
        ExtractCase{"OnlyClosing", "abcdefghijk</Mode>", "Mode", "fghijk"},
        ExtractCase{"FirstOccurrenceWins", "<Mode>a</Mode><Mode>b</Mode>", "Mode", "a"},
        ExtractCase{"FirstOpeningToFirstClosing", "<Mode>a<Mode>b</Mode>", "Mode", "a<Mode>b"},
        ExtractCase{"CaseSensitive", "<mode>j</mode>", "Mode", ""},
        ExtractCase{"FileIsNotFiles", "<Files><File>a</File></Files>", "File", "a"},
        ExtractCase{"FilesAroundFile", "<Files><File>a</File></Files>", "Files", "<File>a</File>"},
        ExtractCase{"AttributesHideTheOpeningTag", "<Mode a=\"1\">j</Mode>", "Mode", " a=\"1\">j"},
        ExtractCase{"BlankHidesTheOpeningTag", "<Mode >j</Mode>", "Mode", " >j"}),
    [](const ::testing::TestParamInfo<ExtractCase>& row) { return std::string(row.param.label); });

TEST(ReadProjectText, NoElementsGivesTheFallbacks) {
    PSoundProject project = DemoProject("/some/where.xml");
    ReadProjectText("just some text\r\n", project);
    EXPECT_EQ(project.ProjectName, "");
    EXPECT_EQ(project.Quality, "");
    EXPECT_EQ(project.Mode, "");
    EXPECT_EQ(project.Bitrate, "");
    EXPECT_EQ(project.OutputFolder, "");
    EXPECT_TRUE(project.Files.empty());
    EXPECT_EQ(project.FramePerSeconds, 12);
    EXPECT_EQ(project.FrameTuner, 0);
    EXPECT_EQ(project.StopAction, 0);
    EXPECT_FALSE(project.Gapless || project.Standalone);
    EXPECT_EQ(project.Loops, 0);
}

TEST(ReadProjectText, OrderRootAndLineEndsDoNotMatter) {
    const std::string text = "<FrameTuner>-3</FrameTuner>\n<Files><File>C:\\In\\a.wav</File>\n"
                             "<File>C:\\In\\b.mp3</File></Files><StopAction>2</StopAction>"
                             "<Unknown>x</Unknown><OutputFolder>C:\\Out</OutputFolder><Bitrate>128</Bitrate>"
                             "<Mode>j</Mode><Quality>5</Quality><FramePerSeconds>12</FramePerSeconds>"
                             "<ProjectName>C:\\Work\\demo.xml</ProjectName>";
    PSoundProject project;
    ReadProjectText(text, project);
    ExpectSameProject(project, DemoProject("C:\\Work\\demo.xml"));
}

TEST(ReadProjectText, LineBreaksAtTheEndsOfPathsAreNotPartOfThem) {
    PSoundProject project;
    ReadProjectText("<ProjectName> /p.xml\n</ProjectName><Quality>\n5\n</Quality>"
                    "<OutputFolder>\r\n  /x/out \r\n  </OutputFolder>",
                    project);
    EXPECT_EQ(project.ProjectName, " /p.xml");
    EXPECT_EQ(project.OutputFolder, "/x/out");
    EXPECT_EQ(project.Quality, "\n5\n") << "not a path";
    ReadProjectText("<OutputFolder> /x/out\t</OutputFolder>", project);
    EXPECT_EQ(project.OutputFolder, " /x/out\t");
}

struct FilesCase {
    const char* label;
    const char* filesContent; // what stands between <Files> and </Files>
    std::vector<std::string> expected;
};

class FilesReading : public ::testing::TestWithParam<FilesCase> {};

TEST_P(FilesReading, FileEntries) {
    PSoundProject project;
    ReadProjectText(std::string("<Files>") + GetParam().filesContent + "</Files>", project);
    EXPECT_EQ(FileNames(project), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FilesReading,
    ::testing::Values(
        FilesCase{"None", "\r\n", {}},
        FilesCase{"BlankEntryDropped", "<File>a</File><File>  \t </File><File>b</File>", {"a", "b"}},
        FilesCase{"EmptyEntryDropped", "<File></File><File>b</File>", {"b"}},
        FilesCase{"BlanksAroundKept", "\r\n  <File> a </File>\r\n<File>b </File>  ", {" a ", "b "}},
        FilesCase{"LineBreaksAroundLeftOut",
                  "<File>\r\n\t /in/a.wav \r\n  </File><File>\n/in/b.wav</File><File> c\t</File>",
                  {"/in/a.wav", "/in/b.wav", " c\t"}},
        FilesCase{"TextBetweenSkipped", "junk<File>a</File> more junk <File>b</File>tail", {"a", "b"}},
        FilesCase{"MissingClosingTag", "<File>a", {}},
        FilesCase{"LastClosingTagMissing", "<File>a</File><File>b", {"a"}},
        FilesCase{"OpeningTagMissing", "a</File><File>b</File>", {"b"}},
        FilesCase{"OnlyJunk", "no entries at all", {}},
        // Tags spelt otherwise: "<File/>" never closes; with attributes the rule counts from position 0.
        FilesCase{"SelfClosingEntries", "<File path=\"a\"/>\r\n<File path=\"b\"/>", {}},
        FilesCase{"AttributesInOpeningTags",
                  "<File type=\"wav\">a</File><File type=\"wav\">b</File>",
                  {" type=\"wav\">a", " type=\"wav\">b"}},
        FilesCase{"OpeningTagOnlyAfterClosingTags", "a</File>b</File><File>c</File>", {"c"}}),
    [](const ::testing::TestParamInfo<FilesCase>& row) { return std::string(row.param.label); });

struct NumberCase {
    const char* label;
    const char* text;
    int32_t expectedFps; // fallback 12
};

class NumberReading : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReading, FramePerSeconds) {
    PSoundProject project;
    ReadProjectText(std::string("<FramePerSeconds>") + GetParam().text + "</FramePerSeconds>", project);
    EXPECT_EQ(project.FramePerSeconds, GetParam().expectedFps);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberReading,
    ::testing::Values(NumberCase{"Plain", "24", 24}, NumberCase{"Zero", "0", 0},
                      NumberCase{"Negative", "-5", -5}, NumberCase{"Plus", "+7", 7},
                      NumberCase{"LeadingZeros", "007", 7}, NumberCase{"Blanks", " 30\r\n", 30},
                      NumberCase{"Max", "2147483647", INT32_MAX}, NumberCase{"Min", "-2147483648", INT32_MIN},
                      NumberCase{"TooLarge", "2147483648", 12}, NumberCase{"TooSmall", "-2147483649", 12},
                      NumberCase{"Huge", "99999999999999999999999", 12}, NumberCase{"Empty", "", 12},
                      NumberCase{"SignOnly", "-", 12}, NumberCase{"Hex", "0x10", 12},
                      NumberCase{"Decimal", "12.5", 12}, NumberCase{"Words", "twelve", 12},
                      NumberCase{"InnerBlank", "1 2", 12}),
    [](const ::testing::TestParamInfo<NumberCase>& row) { return std::string(row.param.label); });

TEST(ReadProjectText, OtherNumbersFallBackToZeroAndKeepOutOfRangeValues) {
    PSoundProject project;
    ReadProjectText("<FrameTuner>x</FrameTuner><StopAction>9</StopAction>", project);
    EXPECT_EQ(project.FrameTuner, 0);
    EXPECT_EQ(project.StopAction, 9);
    ReadProjectText("<FrameTuner>-3</FrameTuner><StopAction></StopAction>", project);
    EXPECT_EQ(project.FrameTuner, -3);
    EXPECT_EQ(project.StopAction, 0);
}

TEST(ReadProjectText, OpeningTagWithBlankIsNotRecognised) {
    PSoundProject project;
    ReadProjectText("<FramePerSeconds >24</FramePerSeconds><FrameTuner a=\"1\">4</FrameTuner>", project);
    EXPECT_EQ(project.FramePerSeconds, 12);
    EXPECT_EQ(project.FrameTuner, 0);
}

TEST(TrimBlanks, RemovesControlCharactersAndSpacesAtBothEndsOnly) {
    EXPECT_EQ(TrimBlanks(" \t\r\n\x01 a b \x1f "), "a b");
    EXPECT_EQ(TrimBlanks("\xa0x\xa0"), "\xa0x\xa0") << "bytes above 127 are not blanks";
    EXPECT_EQ(TrimBlanks("   "), "");
}

// A copy of a project, or one whose name element is missing, is saved where it was opened from
// and names its report after that file.
TEST_F(ProjectFileOnDisk, ProjectNameIsThePathItWasLoadedFrom) {
    WriteBytes(PathOf("moved.xml"), DemoFileText);
    WriteBytes(PathOf("bare.xml"), "<OutputFolder>/out</OutputFolder>");
    ASSERT_EQ(chdir(Folder().c_str()), 0);
    for (const char* name : {"moved.xml", "bare.xml"}) {
        PSoundProject project;
        LoadProjectFile(name, project);
        EXPECT_EQ(project.ProjectName, PathOf(name));
    }
    // Relative paths in it are the project's folder's, not the working folder's.
    ASSERT_EQ(mkdir(PathOf("sub").c_str(), 0700), 0);
    WriteBytes(PathOf("sub/rel.xml"), "<OutputFolder>out</OutputFolder><Files><File>a b.wav</File>"
                                      "<File>/abs.wav</File><File>../up.mp3</File></Files>");
    PSoundProject project;
    LoadProjectFile("sub/rel.xml", project);
    EXPECT_EQ(project.OutputFolder, PathOf("sub/out"));
    ASSERT_EQ(project.Files.size(), 3u);
    EXPECT_EQ(project.Files[0].File, PathOf("sub/a b.wav"));
    EXPECT_EQ(project.Files[1].File, "/abs.wav");
    EXPECT_EQ(project.Files[2].File, PathOf("sub/../up.mp3"));
    LoadProjectFile("bare.xml", project);
    EXPECT_EQ(project.OutputFolder, "/out");
    ASSERT_EQ(chdir("/"), 0);
}

// A pipe or device is refused before anything is read from it, so a load never waits for a
// writer nor reads without end; a file too large for a project is refused unread.
TEST_F(ProjectFileOnDisk, LoadErrorsNameThePathAndLeaveTheProjectAlone) {
    ASSERT_EQ(mkfifo(PathOf("pipe.xml").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", PathOf("zero.xml").c_str()), 0);
    WriteBytes(PathOf("huge.xml"), DemoFileText);
    ASSERT_EQ(truncate(PathOf("huge.xml").c_str(), (64 << 20) + 1), 0);
    const std::pair<std::string, std::string> cases[] = {{PathOf("missing.xml"), ""},
                                                         {Folder(), ""},
                                                         {PathOf("pipe.xml"), ": it is not a regular file"},
                                                         {PathOf("zero.xml"), ": it is not a regular file"},
                                                         {PathOf("huge.xml"), ": it is larger than 64 MiB"}};
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        PSoundProject project = DemoProject("keep.xml");
        try {
            LoadProjectFile(path, project);
            FAIL() << "no error";
        } catch (const ProjectFileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + path + reason);
        }
        ExpectSameProject(project, DemoProject("keep.xml"));
    }
}

// The temporary file beside a project must itself have a valid name, even beside the longest.
TEST_F(ProjectFileOnDisk, NamesUpToTheLongestAreSavedAndLoaded) {
    for (const size_t length : {248u, 255u}) {
        const std::string path = PathOf(std::string(length - 4, 'p') + ".xml");
        SCOPED_TRACE(length);
        SaveProjectFile(DemoProject(path));
        PSoundProject loaded;
        LoadProjectFile(path, loaded);
        ExpectSameProject(loaded, ReadFrom(DemoProject(path), Folder()));
        unlink(path.c_str());
        EXPECT_TRUE(FolderEntries(Folder()).empty());
    }
}

// A pipe is written in place, as opening it would; one nobody reads fails at once.
TEST_F(ProjectFileOnDisk, SaveToAPipeNobodyReadsFailsAtOnce) {
    const std::string path = PathOf("pipe.xml");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_THROW(SaveProjectFile(DemoProject(path)), ProjectFileError);
    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"pipe.xml"});
}

TEST_F(ProjectFileOnDisk, SaveIntoAMissingFolderFails) {
    const std::string path = PathOf("no such folder/p.xml");
    try {
        SaveProjectFile(DemoProject(path));
        FAIL() << "no error";
    } catch (const ProjectFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
    }
    EXPECT_TRUE(FolderEntries(Folder()).empty());
}

TEST_F(ProjectFileOnDisk, SaveOverAFolderFailsAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("p.xml");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    WriteBytes(path + "/inside.txt", "keep");
    EXPECT_THROW(
        {
            try {
                SaveProjectFile(DemoProject(path));
            } catch (const ProjectFileError& error) {
                EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
                throw;
            }
        },
        ProjectFileError);
    EXPECT_EQ(ReadBytes(path + "/inside.txt"), "keep");
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"p.xml"});
}

// A write that breaks off half way (here: the file size limit) must not cost the old file.
TEST_F(ProjectFileOnDisk, SaveThatFailsHalfWayKeepsTheOldFile) {
    const std::string path = PathOf("p.xml");
    WriteBytes(path, "old content");
    bool threw = false;
    std::string message;
    try {
        FileSizeLimit limit(64);
        SaveProjectFile(DemoProject(path));
    } catch (const ProjectFileError& error) {
        threw = true;
        message = error.what();
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(message, "Cannot create file " + path);
    EXPECT_EQ(ReadBytes(path), "old content");
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"p.xml"});
}
