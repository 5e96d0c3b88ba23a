// The main window's project controls as values: input list order, box values, untitled test,
// change check and copying into the project.
#include <gtest/gtest.h>

#include <QCollator>
#include <QLocale>

#include <ostream>
#include <string>

#include "project/ProjectControls.h"
#include "text/NativeText.h"

// Failing rows print texts as text.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << BytesFromText(text) << '"';
}

namespace {

ProjectControlValues ControlsOf(const PSoundProject& project) {
    ProjectControlValues controls;
    controls.qualityItem = TextFromBytes(project.Quality);
    controls.modeItem = project.Mode == "j" ? QStringLiteral("joint") : QStringLiteral("stereo");
    controls.bitrateItem = TextFromBytes(project.Bitrate) + QStringLiteral(" kbps");
    controls.outputFolder = TextFromBytes(project.OutputFolder);
    for (const PSoundFile& file : project.Files)
        controls.files << TextFromBytes(file.File);
    controls.framesPerSecondText = QString::number(project.FramePerSeconds);
    controls.frameTunerText = QString::number(project.FrameTuner);
    controls.stopAction = project.StopAction;
    return controls;
}

PSoundProject SampleProject() {
    PSoundProject project;
    project.Quality = "5";
    project.Mode = "j";
    project.Bitrate = "128";
    project.OutputFolder = "/out/";
    project.Files = {PSoundFile{"/s/a.wav", {}}, PSoundFile{"/s/b.wav", {}}};
    project.StopAction = 1;
    project.FramePerSeconds = 12;
    project.FrameTuner = -3;
    return project;
}

template <typename Row> std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// --- Input list order -----------------------------------------------------------------------

struct MergeRow {
    const char* name;
    QStringList present;
    QStringList added;
    QStringList expected;
};

class MergeInputFilesRows : public ::testing::TestWithParam<MergeRow> {};

TEST_P(MergeInputFilesRows, SortsAndDropsDuplicates) {
    const MergeRow& row = GetParam();
    EXPECT_EQ(MergeInputFiles(row.present, row.added), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MergeInputFilesRows,
    ::testing::Values(MergeRow{"sorted_without_regard_to_case",
                               {},
                               {"/s/b.wav", "/s/C.wav", "/s/a.wav"},
                               {"/s/a.wav", "/s/b.wav", "/s/C.wav"}},
                      // The same path in another case is added once; the first spelling is kept.
                      MergeRow{"same_path_in_other_case_added_once",
                               {"/s/Song.WAV"},
                               {"/s/song.wav", "/s/SONG.wav"},
                               {"/s/Song.WAV"}},
                      MergeRow{
                          "duplicates_among_the_chosen_files", {}, {"/s/x.mp3", "/s/X.MP3"}, {"/s/x.mp3"}},
                      MergeRow{"unsorted_loaded_list_sorted_with_nothing_added",
                               {"/z.wav", "/b.wav", "/a.wav"},
                               {},
                               {"/a.wav", "/b.wav", "/z.wav"}},
                      MergeRow{"present_entries_keep_their_spelling_over_added_ones",
                               {"/M/One.wav", "/m/two.wav"},
                               {"/m/ONE.wav", "/m/Two.WAV", "/m/three.wav"},
                               {"/M/One.wav", "/m/three.wav", "/m/two.wav"}}),
    RowName<MergeRow>);

TEST(MergeInputFiles, FollowsTheLocale) {
    // By a German user's rules "ä" sorts with "a", not after "z" as its bytes would.
    QCollator german{QLocale(QLocale::German, QLocale::Germany)};
    german.setCaseSensitivity(Qt::CaseInsensitive);
    EXPECT_EQ(MergeInputFiles({}, {"/z.wav", "/Äpfel.wav", "/b.wav", "/äpfel.WAV"}, german),
              (QStringList{"/Äpfel.wav", "/b.wav", "/z.wav"}));
}

// --- Box values -----------------------------------------------------------------------------

struct ItemRow {
    const char* name;
    QString item;
    QString mode;
    QString bitrate;
};

class ItemValues : public ::testing::TestWithParam<ItemRow> {};

TEST_P(ItemValues, ModeLetterAndBitrateDigits) {
    const ItemRow& row = GetParam();
    EXPECT_EQ(ModeValueOfItem(row.item), row.mode);
    EXPECT_EQ(BitrateValueOfItem(row.item), row.bitrate);
}

INSTANTIATE_TEST_SUITE_P(Rows, ItemValues,
                         ::testing::Values(ItemRow{"joint", "joint", "j", ""},
                                           ItemRow{"bitrate_item", "128 kbps", "1", "128"},
                                           ItemRow{"empty", "", "", ""},
                                           ItemRow{"leading_blank", " 64 kbps", " ", ""}),
                         RowName<ItemRow>);

TEST(IndexOfValues, MatchExactlyAndCaseSensitively) {
    const QStringList qualities{"1", "2", "3"};
    const QStringList modes{"stereo", "joint", "force", "mono", "auto"};
    const QStringList bitrates{"16 kbps", "32 kbps", "64 kbps", "128 kbps", "256 kbps"};
    EXPECT_EQ(IndexOfQualityValue(qualities, "2"), 1);
    EXPECT_EQ(IndexOfQualityValue(qualities, "02"), -1);
    EXPECT_EQ(IndexOfModeValue(modes, "m"), 3);
    EXPECT_EQ(IndexOfModeValue(modes, "M"), -1); // case counts
    EXPECT_EQ(IndexOfModeValue(modes, "jo"), -1);
    EXPECT_EQ(IndexOfModeValue(modes, ""), -1);
    EXPECT_EQ(IndexOfBitrateValue(bitrates, "64"), 2);
    EXPECT_EQ(IndexOfBitrateValue(bitrates, "6"), -1);
    EXPECT_EQ(IndexOfBitrateValue(bitrates, ""), -1);
}

// --- Untitled test --------------------------------------------------------------------------

struct UntitledRow {
    const char* name;
    std::string projectName;
    bool trimmed;
    bool untitled;
    const char* locale; // the user's locale for the row, "" for the test's own
};

class UntitledTest : public ::testing::TestWithParam<UntitledRow> {};

TEST_P(UntitledTest, ByTheLocalesUpperCase) {
    const UntitledRow& row = GetParam();
    const QLocale before;
    if (*row.locale)
        QLocale::setDefault(QLocale(QString::fromLatin1(row.locale)));
    const bool result = IsUntitledProjectName(row.projectName, row.trimmed);
    QLocale::setDefault(before);
    EXPECT_EQ(result, row.untitled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UntitledTest,
    ::testing::Values(
        UntitledRow{"default_name", "Untitled.xml", false, true, ""},
        UntitledRow{"any_letter_case", "uNTITLED.XmL", false, true, ""},
        UntitledRow{"blanks_count_for_Save_Project", " Untitled.xml\t", false, false, ""},
        UntitledRow{"blanks_stripped_by_the_prompt", " Untitled.xml\t", true, true, ""},
        UntitledRow{"a_path_is_a_title", "/home/u/Untitled.xml", true, false, ""},
        // Turkish upper-cases "i" to a dotted capital, yet the program's own name stays untitled.
        UntitledRow{"Turkish_the_new_projects_name", "Untitled.xml", false, true, "tr_TR"},
        UntitledRow{"Turkish_lower_case", "untitled.xml", true, true, "tr_TR"},
        UntitledRow{"Turkish_upper_case", "UNTITLED.XML", false, true, "tr_TR"},
        UntitledRow{"Turkish_a_path_is_a_title", "/u/Untitled.xml", false, false, "tr_TR"}),
    RowName<UntitledRow>);

// --- Change check ---------------------------------------------------------------------------

// One change per row, each made against the unchanged controls, plus combinations that show the
// order: an invalid number fails the check only when nothing before it differs.
struct ChangeRow {
    const char* name;
    QString change; // blank-separated changes, applied in order
    bool changed;
    QString error; // the invalid-integer failure expected instead of an answer
};

class ChangeCheck : public ::testing::TestWithParam<ChangeRow> {};

TEST_P(ChangeCheck, FirstDifferenceDecides) {
    const ChangeRow& row = GetParam();
    const PSoundProject project = SampleProject();
    ProjectControlValues controls = ControlsOf(project);
    for (const QString& what : row.change.split(' ', Qt::SkipEmptyParts)) {
        if (what == "quality")
            controls.qualityItem = "6";
        if (what == "mode")
            controls.modeItem = "stereo";
        if (what == "bitrate")
            controls.bitrateItem = "64 kbps";
        if (what == "folder")
            controls.outputFolder = "/OUT/";
        if (what == "count")
            controls.files << "/s/c.wav";
        if (what == "fps")
            controls.framesPerSecondText = "13";
        if (what == "tuner")
            controls.frameTunerText = "0";
        if (what == "stop")
            controls.stopAction = 2;
        if (what == "file")
            controls.files[1] = "/s/B.wav";
        if (what == "fps-blanks")
            controls.framesPerSecondText = " 12 ";
        if (what == "fps-bad")
            controls.framesPerSecondText = "12a";
        if (what == "fps-empty")
            controls.framesPerSecondText = "";
        if (what == "tuner-bad")
            controls.frameTunerText = "x";
        if (what == "stop-none")
            controls.stopAction.reset();
    }
    try {
        EXPECT_EQ(ControlsDifferFromProject(controls, project), row.changed);
        EXPECT_TRUE(row.error.isEmpty()) << "expected an invalid-integer failure";
    } catch (const InvalidIntegerValue& failure) {
        EXPECT_EQ(TextFromBytes(failure.what()), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeCheck,
    ::testing::Values(ChangeRow{"nothing", "", false, ""}, ChangeRow{"quality", "quality", true, ""},
                      ChangeRow{"mode", "mode", true, ""}, ChangeRow{"bitrate", "bitrate", true, ""},
                      ChangeRow{"folder_case", "folder", true, ""},
                      ChangeRow{"file_count", "count", true, ""}, ChangeRow{"frames", "fps", true, ""},
                      ChangeRow{"tuner", "tuner", true, ""}, ChangeRow{"stop_action", "stop", true, ""},
                      ChangeRow{"file_name", "file", true, ""},
                      ChangeRow{"frames_with_blanks_around_the_same_number", "fps-blanks", false, ""},
                      ChangeRow{"invalid_frames_alone", "fps-bad", false,
                                "'12a' is not a valid integer value"},
                      ChangeRow{"empty_frames", "fps-empty", false, "'' is not a valid integer value"},
                      ChangeRow{"invalid_frames_after_a_folder_change", "fps-bad folder", true, ""},
                      ChangeRow{"invalid_frames_after_a_count_change", "fps-bad count", true, ""},
                      ChangeRow{"invalid_tuner_before_a_stop_change", "tuner-bad stop", false,
                                "'x' is not a valid integer value"},
                      ChangeRow{"invalid_tuner_before_a_file_change", "tuner-bad file", false,
                                "'x' is not a valid integer value"},
                      ChangeRow{"changed_frames_before_an_invalid_tuner", "fps tuner-bad", true, ""},
                      ChangeRow{"no_stop_action_checked_keeps_the_projects", "stop-none", false, ""}),
    RowName<ChangeRow>);

TEST(TakeProjectFromControls, CopiesTheControlsWithFallbacks) {
    PSoundProject project = SampleProject();
    project.ProjectName = "/p/keep.xml";
    ProjectControlValues controls;
    controls.qualityItem = "9";
    controls.modeItem = "mono";
    controls.bitrateItem = "nospace";
    controls.outputFolder = "/new/";
    controls.files = QStringList{"/x/2.wav", "/x/1.mp3"};
    controls.framesPerSecondText = "fast";
    controls.frameTunerText = "";
    controls.stopAction.reset();
    TakeProjectFromControls(controls, project);
    EXPECT_EQ(project.ProjectName, "/p/keep.xml");
    EXPECT_EQ(project.Quality, "9");
    EXPECT_EQ(project.Mode, "m");
    EXPECT_EQ(project.Bitrate, ""); // no blank: empty
    EXPECT_EQ(project.OutputFolder, "/new/");
    ASSERT_EQ(project.Files.size(), size_t(2));
    EXPECT_EQ(project.Files[0].File, "/x/2.wav"); // list order, not sorted
    EXPECT_EQ(project.StopAction, 1);             // none checked: kept
    EXPECT_EQ(project.FramePerSeconds, 12);       // invalid: 12
    EXPECT_EQ(project.FrameTuner, 0);             // invalid: 0
}

} // namespace
