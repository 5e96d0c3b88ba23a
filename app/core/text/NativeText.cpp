// Lossless conversion between byte strings and QString (invalid UTF-8 bytes kept as lone surrogates).
#include "text/NativeText.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>

#include "text/FileContent.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

void AppendCodePoint(QString& text, char32_t codePoint) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        text.append(QChar(static_cast<char16_t>(0xD800 + (codePoint >> 10))));
        text.append(QChar(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF))));
    } else {
        text.append(QChar(static_cast<char16_t>(codePoint)));
    }
}

void AppendUtf8(std::string& bytes, char32_t codePoint) {
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes += static_cast<char>(0xC0 | (codePoint >> 6));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes += static_cast<char>(0xE0 | (codePoint >> 12));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (codePoint >> 18));
        bytes += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at bytes[i] (shortest form, no surrogates, at most
// U+10FFFF), or 0 when the byte there does not start one.
size_t ValidSequenceLength(const std::string& bytes, size_t i, char32_t& codePoint) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString TextFromBytes(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const size_t length = ValidSequenceLength(bytes, i, codePoint);
        if (length == 0) {
            text.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
        } else {
            AppendCodePoint(text, codePoint);
            i += length;
        }
    }
    return text;
}

std::string BytesFromText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            bytes += static_cast<char>(unit - kEscapeBase);
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(bytes, 0xFFFD);
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::string EscapeControlCharacters(const std::string& bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            escaped += c;
            continue;
        }
        escaped += '\\';
        if (c == '\n')
            escaped += 'n';
        else if (c == '\r')
            escaped += 'r';
        else if (c == '\t')
            escaped += 't';
        else
            escaped += {'x', kHex[byte >> 4], kHex[byte & 0xF]};
    }
    return escaped;
}

QString RecoverDialogPath(const QString& dialogPath) {
    const std::string given = BytesFromText(dialogPath);
    std::string path = given.compare(0, 1, "/") == 0 ? "/" : "";
    size_t start = path.size();
    while (start <= given.size()) {
        size_t end = given.find('/', start);
        if (end == std::string::npos)
            end = given.size();
        const std::string component = given.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        const std::string folder = path.empty() ? "." : path;
        const std::string direct = JoinPath(path, component);
        struct stat info {};
        std::string chosen = component;
        if (lstat(direct.c_str(), &info) != 0) {
            const QString shown = TextFromBytes(component);
            int matches = 0;
            if (DIR* entries = opendir(folder.c_str())) {
                while (const dirent* entry = readdir(entries)) {
                    const std::string name = entry->d_name;
                    if (TextFromBytes(name) == shown || QFile::decodeName(name.c_str()) == shown) {
                        chosen = name;
                        ++matches;
                    }
                }
                closedir(entries);
            }
            if (matches != 1)
                chosen = component;
        }
        path = JoinPath(path, chosen);
    }
    if (given.size() > 1 && given.back() == '/' && path.back() != '/')
        path += '/';
    return TextFromBytes(path);
}
