// The project file: writer of the fixed line layout and the first-occurrence reader.
#include "project/ProjectFile.h"

#include <climits>
#include <cstdio>
#include <string_view>
#include <utility>

#include "ReplaceFile.h"
#include "text/FileContent.h"
#include "text/Translations.h"

namespace {

const char* const LineBreak = "\r\n";

// Far beyond any list of inputs; a larger file is no project, and reading it would only fill memory.
constexpr size_t MaxProjectFileBytes = size_t(64) << 20;

std::string OpeningTag(const std::string& name) {
    return "<" + name + ">";
}
std::string ClosingTag(const std::string& name) {
    return "</" + name + ">";
}

void AppendElementLine(std::string& out, const std::string& name, const std::string& value) {
    out += OpeningTag(name);
    out += value;
    out += ClosingTag(name);
    out += LineBreak;
}

// The substring of count characters from the 1-based position start, empty when start lies
// outside the text or count is negative, cut at the end of the text.
std::string_view SubstringFrom(std::string_view text, long long start, long long count) {
    const auto length = static_cast<long long>(text.size());
    if (start < 1 || start > length || count < 0)
        return {};
    const long long available = length - (start - 1);
    return text.substr(static_cast<size_t>(start - 1),
                       static_cast<size_t>(count < available ? count : available));
}

// 1-based position of the first occurrence of tag in text, 0 when absent.
long long PositionOf(std::string_view text, const std::string& tag) {
    const size_t found = text.find(tag);
    return found == std::string_view::npos ? 0 : static_cast<long long>(found) + 1;
}

std::string_view ExtractElementView(std::string_view text, const std::string& name) {
    const std::string open = OpeningTag(name);
    const long long po = PositionOf(text, open);
    const long long pc = PositionOf(text, ClosingTag(name));
    const auto openLength = static_cast<long long>(open.size());
    return SubstringFrom(text, po + openLength, pc - po - openLength);
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimBlanksView(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool IsLineSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A hand-edited or generated file may put a path on a line of its own, indented. Line breaks at
// either end, with the blanks and tabs next to them, are layout; blanks alone belong to the name.
std::string_view WithoutLineBreaksAtEnds(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsLineSpace(text[first]))
        ++first;
    if (text.substr(0, first).find_first_of("\r\n") == std::string_view::npos)
        first = 0;
    size_t last = text.size();
    while (last > first && IsLineSpace(text[last - 1]))
        --last;
    if (text.substr(last).find_first_of("\r\n") == std::string_view::npos)
        last = text.size();
    return text.substr(first, last - first);
}

std::string PathValue(const std::string& text, const std::string& name) {
    return std::string(WithoutLineBreaksAtEnds(ExtractElementView(text, name)));
}

// First occurrences of one tag in tails of one text, each tail starting no earlier than the
// one before. A tail shares the text's end, so its first occurrence is the text's first one
// at or after the tail's start; the text is searched again only once a tail has passed the
// one found, so each part of it is searched once.
class TagInTails {
public:
    TagInTails(std::string_view text, std::string tag)
        : text_(text), tag_(std::move(tag)), found_(text_.find(tag_)) {}

    // 1-based position in tail (a non-empty tail of the text), 0 when absent.
    long long PositionIn(std::string_view tail) {
        const auto offset = static_cast<size_t>(tail.data() - text_.data());
        if (found_ != std::string_view::npos && found_ < offset)
            found_ = text_.find(tag_, offset);
        return found_ == std::string_view::npos ? 0 : static_cast<long long>(found_ - offset) + 1;
    }

private:
    std::string_view text_;
    std::string tag_;
    size_t found_;
};

int32_t IntegerOr(const std::string& text, int32_t fallback) {
    int32_t value = 0;
    return TryParseInt32(text, value) ? value : fallback;
}

} // namespace

std::string ProjectFileText(const PSoundProject& project, const ProjectTagNames& tags) {
    std::string out;
    out += OpeningTag(tags.TavrelProject);
    out += LineBreak;
    AppendElementLine(out, tags.ProjectName, project.ProjectName);
    AppendElementLine(out, tags.Quality, project.Quality);
    AppendElementLine(out, tags.Mode, project.Mode);
    AppendElementLine(out, tags.Bitrate, project.Bitrate);
    AppendElementLine(out, tags.OutputFolder, project.OutputFolder);
    out += OpeningTag(tags.Files);
    out += LineBreak;
    for (const PSoundFile& file : project.Files) {
        out += OpeningTag(tags.File);
        out += file.File;
        out += ClosingTag(tags.File);
    }
    out += ClosingTag(tags.Files);
    out += LineBreak;
    AppendElementLine(out, tags.StopAction, std::to_string(project.StopAction));
    AppendElementLine(out, tags.FramePerSeconds, std::to_string(project.FramePerSeconds));
    AppendElementLine(out, tags.FrameTuner, std::to_string(project.FrameTuner));
    if (project.Gapless)
        AppendElementLine(out, tags.Gapless, "1");
    if (project.Loops != 0)
        AppendElementLine(out, tags.Loops, std::to_string(project.Loops));
    if (project.Standalone)
        AppendElementLine(out, tags.Standalone, "1");
    out += ClosingTag(tags.TavrelProject);
    out += LineBreak;
    return out;
}

void SaveProjectFile(const PSoundProject& project, const ProjectTagNames& tags) {
    const std::string text = ProjectFileText(project, tags);
    if (!ReplaceFileContent(project.ProjectName, text))
        throw ProjectFileError(MessageBytes(
            QCoreApplication::translate("ProjectFile", "Cannot create file %1"), {project.ProjectName}));
}

void LoadProjectFile(const std::string& path, PSoundProject& project, const ProjectTagNames& tags) {
    // A folder opens on this platform but cannot be read; that too is a file we cannot open.
    std::string text;
    const ReadOutcome read = ReadFileContent(path, text, MaxProjectFileBytes);
    if (read != ReadOutcome::Read)
        throw ProjectFileError(
            MessageBytes(QCoreApplication::translate("ProjectFile", "Cannot open file %1%2",
                                                     "%2: why, beginning with a colon, or nothing"),
                         {path, ReadFailureReason(read, MaxProjectFileBytes)}));

    PSoundProject loaded;
    ReadProjectText(text, loaded, tags);
    // The file the user opened is the one Save writes and the report is named after, whatever
    // name a copied or generated file holds inside (or none).
    loaded.ProjectName = AbsolutePath(path);
    // A project names its files and output folder as seen from where it lies, as playlists do,
    // so a project moved with its sounds, or run from another folder, finds them.
    const std::string folder = loaded.ProjectName.substr(0, loaded.ProjectName.find_last_of('/') + 1);
    const auto fromProjectFolder = [&folder](std::string& entry) {
        if (!entry.empty() && entry[0] != '/')
            entry.insert(0, folder);
    };
    fromProjectFolder(loaded.OutputFolder);
    for (PSoundFile& file : loaded.Files)
        fromProjectFolder(file.File);
    project = std::move(loaded);
}

void ReadProjectText(const std::string& text, PSoundProject& project, const ProjectTagNames& tags) {
    project.ProjectName = PathValue(text, tags.ProjectName);
    project.Quality = ExtractElement(text, tags.Quality);
    project.Mode = ExtractElement(text, tags.Mode);
    project.Bitrate = ExtractElement(text, tags.Bitrate);
    project.OutputFolder = PathValue(text, tags.OutputFolder);

    project.Files.clear();
    const std::string fileOpen = OpeningTag(tags.File);
    const std::string fileClose = ClosingTag(tags.File);
    const auto openLength = static_cast<long long>(fileOpen.size());
    const auto closeLength = static_cast<long long>(fileClose.size());
    const std::string_view files = TrimBlanksView(ExtractElementView(text, tags.Files));
    // rest is always a tail of files. Searching each pass's rest from its start would make a
    // long list whose tags are spelt otherwise (attributes, "<File/>") take minutes to read.
    TagInTails opening(files, fileOpen);
    TagInTails closing(files, fileClose);
    std::string_view rest = files;
    while (!rest.empty()) {
        const long long po = opening.PositionIn(rest);
        const long long pc = closing.PositionIn(rest);
        const std::string_view value = SubstringFrom(rest, po + openLength, pc - po - openLength);
        if (!TrimBlanksView(value).empty()) {
            PSoundFile entry;
            entry.File = std::string(WithoutLineBreaksAtEnds(value));
            project.Files.push_back(std::move(entry));
        }
        // Skip past the first closing File tag (or, without one, past as many characters);
        // either way rest gets shorter, so the loop ends.
        const auto length = static_cast<long long>(rest.size());
        rest = TrimBlanksView(SubstringFrom(rest, pc + closeLength, length - closeLength - pc + 1));
    }

    project.FramePerSeconds = IntegerOr(ExtractElement(text, tags.FramePerSeconds), kDefaultFramesPerSecond);
    project.FrameTuner = IntegerOr(ExtractElement(text, tags.FrameTuner), 0);
    project.StopAction = IntegerOr(ExtractElement(text, tags.StopAction), 0);
    project.Gapless = IntegerOr(ExtractElement(text, tags.Gapless), 0) != 0;
    project.Loops = IntegerOr(ExtractElement(text, tags.Loops), 0);
    project.Standalone = IntegerOr(ExtractElement(text, tags.Standalone), 0) != 0;
}

std::string ExtractElement(const std::string& text, const std::string& name) {
    return std::string(ExtractElementView(text, name));
}

std::string TrimBlanks(const std::string& text) {
    return std::string(TrimBlanksView(text));
}

bool TryParseInt32(const std::string& text, int32_t& value) {
    const std::string_view digits = TrimBlanksView(text);
    size_t at = 0;
    bool negative = false;
    if (at < digits.size() && (digits[at] == '-' || digits[at] == '+')) {
        negative = digits[at] == '-';
        ++at;
    }
    if (at == digits.size())
        return false;
    long long magnitude = 0;
    for (; at < digits.size(); ++at) {
        const char c = digits[at];
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > static_cast<long long>(INT32_MAX) + 1)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN)
        return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}
