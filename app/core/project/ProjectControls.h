// The main window's project controls as values, with the rules that need no window: the input
// list's order, the value texts of the setting boxes, the untitled test, and the comparison and
// copying between the controls and a project. Texts cross to and from the project's bytes
// through TextFromBytes / BytesFromText (NativeText.h).
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "project/ProjectFile.h"

class QCollator;

// The ranges of the frames-per-second and frame-tuner controls. A project is run as the controls
// would show it: ClampToControls keeps each value within its range.
constexpr int32_t kFramesPerSecondMin = 0;
constexpr int32_t kFramesPerSecondMax = 100;
constexpr int32_t kFrameTunerMin = -100;
constexpr int32_t kFrameTunerMax = 100;
// The loops control: 0 (not set) or how many times the sound plays.
constexpr int32_t kLoopsMin = 0;
constexpr int32_t kLoopsMax = 65535;
void ClampToControls(PSoundProject& project);

// The input list after Add File(s): present entries and then added ones go into a sorted list
// that ignores duplicates; sorting and the duplicate test use collator (case-insensitive by
// the user's locale by default). The first occurrence of a path keeps its letter case.
QStringList MergeInputFiles(const QStringList& present, const QStringList& added);
QStringList MergeInputFiles(const QStringList& present, const QStringList& added, const QCollator& collator);

// The fixed items of the quality, mode and bitrate boxes, in the main window and both dialogs.
const QStringList& QualityItems(); // "1" to "9"
const QStringList& ModeItems();    // "stereo", "joint", "force", "mono", "auto"
const QStringList& BitrateItems(); // "16 kbps" to "256 kbps"

// Value texts of the setting boxes' items.
QString ModeValueOfItem(const QString& item);    // first character ("joint" -> "j")
QString BitrateValueOfItem(const QString& item); // text before the first blank, empty without one

// Index of the item that shows value, or -1. Comparisons are exact and case-sensitive.
int IndexOfQualityValue(const QStringList& items, const QString& value);
int IndexOfModeValue(const QStringList& items, const QString& value);
int IndexOfBitrateValue(const QStringList& items, const QString& value);

// A project is untitled when its name, upper-cased by the locale's rules, is "UNTITLED.XML" (or
// what those rules make of "Untitled.xml");
// trimBlanks first strips blanks and control characters from both ends (the save prompt does).
bool IsUntitledProjectName(const std::string& name, bool trimBlanks);

// A number typed into an edit that is not a signed 32-bit decimal integer. what() is
// "'<text>' is not a valid integer value".
class InvalidIntegerValue : public std::runtime_error {
public:
    explicit InvalidIntegerValue(const QString& text);
};

// The integer value of an edit's text; throws InvalidIntegerValue.
int32_t IntegerValueOf(const QString& text);

// What the main window's project controls show.
struct ProjectControlValues {
    QString qualityItem;                     // ComboBoxQuality's text
    QString modeItem;                        // ComboBoxMode's text
    QString bitrateItem;                     // ComboBoxBitrate's text
    QString outputFolder;                    // EditOutputFolder
    QStringList files;                       // ListBoxInputFiles, in list order
    QString framesPerSecondText;             // EditFramePerSeconds
    QString frameTunerText;                  // EditFrameTuner
    std::optional<int32_t> stopAction;       // the checked radio button, none when none is checked
    bool gapless = false;                    // CheckBoxGapless
    QString loopsText = QStringLiteral("0"); // EditLoops
    bool standalone = false;                 // CheckBoxStandalone
};

// True when the controls differ from project. The comparisons run in a fixed order and the
// first difference decides: quality, mode, bitrate, output folder, number of files, frames per
// second, frame tuner, stop action, each file, exact timing, loops, standalone. The numbers are read
// without a fallback, so an invalid number throws InvalidIntegerValue unless an earlier comparison
// found a difference.
bool ControlsDifferFromProject(const ProjectControlValues& controls, const PSoundProject& project);

// Copies the controls into project (ProjectName untouched). Invalid numbers become 12, 0 and 0;
// with no stop action checked StopAction is kept.
void TakeProjectFromControls(const ProjectControlValues& controls, PSoundProject& project);
