// The main window's project controls as values: input list order, box values, change check.
#include "project/ProjectControls.h"

#include "text/NativeText.h"
#include "text/Translations.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <vector>

QStringList MergeInputFiles(const QStringList& present, const QStringList& added) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return MergeInputFiles(present, added, collator);
}

QStringList MergeInputFiles(const QStringList& present, const QStringList& added, const QCollator& collator) {
    QStringList sorted;
    sorted.reserve(present.size() + added.size());
    auto insert = [&](const QString& path) {
        // Binary search for the first entry not below path; an equal one means a duplicate.
        auto position =
            std::lower_bound(sorted.begin(), sorted.end(), path,
                             [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
        if (position != sorted.end() && collator.compare(*position, path) == 0)
            return;
        sorted.insert(position, path);
    };
    for (const QString& path : present)
        insert(path);
    for (const QString& path : added)
        insert(path);
    return sorted;
}

const QStringList& QualityItems() {
    static const QStringList items{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                   QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                                   QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")};
    return items;
}

const QStringList& ModeItems() {
    static const QStringList items{QStringLiteral("stereo"), QStringLiteral("joint"), QStringLiteral("force"),
                                   QStringLiteral("mono"), QStringLiteral("auto")};
    return items;
}

const QStringList& BitrateItems() {
    static const QStringList items{QStringLiteral("16 kbps"), QStringLiteral("32 kbps"),
                                   QStringLiteral("64 kbps"), QStringLiteral("128 kbps"),
                                   QStringLiteral("256 kbps")};
    return items;
}

QString ModeValueOfItem(const QString& item) {
    return item.left(1);
}

QString BitrateValueOfItem(const QString& item) {
    const qsizetype blank = item.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : item.left(blank);
}

namespace {
template <typename ValueOf>
int IndexOfValue(const QStringList& items, const QString& value, ValueOf valueOf) {
    for (int i = 0; i < items.size(); ++i) {
        if (valueOf(items[i]) == value)
            return i;
    }
    return -1;
}
} // namespace

int IndexOfQualityValue(const QStringList& items, const QString& value) {
    return IndexOfValue(items, value, [](const QString& item) { return item; });
}

int IndexOfModeValue(const QStringList& items, const QString& value) {
    return IndexOfValue(items, value, ModeValueOfItem);
}

int IndexOfBitrateValue(const QStringList& items, const QString& value) {
    return IndexOfValue(items, value, BitrateValueOfItem);
}

bool IsUntitledProjectName(const std::string& name, bool trimBlanks) {
    const std::string compared = trimBlanks ? TrimBlanks(name) : name;
    const QLocale locale;
    const QString upper = locale.toUpper(TextFromBytes(compared));
    // Some locales upper-case "i" to another letter (Turkish: a dotted capital); the new
    // project's own name must still count as untitled there, or Save would skip its dialog.
    return upper == QLatin1String("UNTITLED.XML") || upper == locale.toUpper(QStringLiteral("Untitled.xml"));
}

InvalidIntegerValue::InvalidIntegerValue(const QString& text)
    : std::runtime_error(
          MessageBytes(QCoreApplication::translate("ProjectControls", "'%1' is not a valid integer value"),
                       {BytesFromText(text)})) {}

int32_t IntegerValueOf(const QString& text) {
    int32_t value = 0;
    if (!TryParseInt32(BytesFromText(text), value))
        throw InvalidIntegerValue(text);
    return value;
}

namespace {
int32_t IntegerValueOr(const QString& text, int32_t fallback) {
    int32_t value = 0;
    return TryParseInt32(BytesFromText(text), value) ? value : fallback;
}
} // namespace

bool ControlsDifferFromProject(const ProjectControlValues& controls, const PSoundProject& project) {
    if (BytesFromText(controls.qualityItem) != project.Quality)
        return true;
    if (BytesFromText(ModeValueOfItem(controls.modeItem)) != project.Mode)
        return true;
    if (BytesFromText(BitrateValueOfItem(controls.bitrateItem)) != project.Bitrate)
        return true;
    if (BytesFromText(controls.outputFolder) != project.OutputFolder)
        return true;
    if (static_cast<size_t>(controls.files.size()) != project.Files.size())
        return true;
    if (IntegerValueOf(controls.framesPerSecondText) != project.FramePerSeconds)
        return true;
    if (IntegerValueOf(controls.frameTunerText) != project.FrameTuner)
        return true;
    if (controls.stopAction.value_or(project.StopAction) != project.StopAction)
        return true;
    for (size_t i = 0; i < project.Files.size(); ++i) {
        if (BytesFromText(controls.files[static_cast<qsizetype>(i)]) != project.Files[i].File)
            return true;
    }
    return controls.gapless != project.Gapless || IntegerValueOf(controls.loopsText) != project.Loops ||
           controls.standalone != project.Standalone;
}

void TakeProjectFromControls(const ProjectControlValues& controls, PSoundProject& project) {
    project.Quality = BytesFromText(controls.qualityItem);
    project.Mode = BytesFromText(ModeValueOfItem(controls.modeItem));
    project.Bitrate = BytesFromText(BitrateValueOfItem(controls.bitrateItem));
    project.OutputFolder = BytesFromText(controls.outputFolder);
    project.Files.clear();
    project.Files.reserve(static_cast<size_t>(controls.files.size()));
    for (const QString& file : controls.files) {
        PSoundFile entry;
        entry.File = BytesFromText(file);
        project.Files.push_back(std::move(entry));
    }
    if (controls.stopAction)
        project.StopAction = *controls.stopAction;
    project.FramePerSeconds = IntegerValueOr(controls.framesPerSecondText, kDefaultFramesPerSecond);
    project.FrameTuner = IntegerValueOr(controls.frameTunerText, 0);
    project.Gapless = controls.gapless;
    project.Loops = IntegerValueOr(controls.loopsText, 0);
    project.Standalone = controls.standalone;
}

void ClampToControls(PSoundProject& project) {
    project.FramePerSeconds = std::clamp(project.FramePerSeconds, kFramesPerSecondMin, kFramesPerSecondMax);
    project.FrameTuner = std::clamp(project.FrameTuner, kFrameTunerMin, kFrameTunerMax);
    project.Loops = std::clamp(project.Loops, kLoopsMin, kLoopsMax);
}
