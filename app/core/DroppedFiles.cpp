// What a drop of files and folders onto the input list adds to it.
#include "DroppedFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <string>

#include "FileContent.h"
#include "NativeText.h"

namespace {

bool HasSoundExtension(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "wav" || extension == "mp3";
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void AddSoundFilesIn(const std::string& folder, QStringList& files) {
    DIR* entries = opendir(folder.c_str());
    if (!entries)
        return;
    while (const dirent* entry = readdir(entries)) {
        const std::string path = JoinPath(folder, entry->d_name);
        if (HasSoundExtension(entry->d_name) && IsRegularFile(path))
            files << TextFromBytes(path);
    }
    closedir(entries);
}

} // namespace

QString LocalPathOfUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return QString();
    // The encoded path carries the name's bytes; the decoded one would have replaced those that
    // are not UTF-8.
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return bytes.isEmpty() ? QString() : TextFromBytes(bytes.toStdString());
}

QStringList DroppedInputFiles(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls) {
        const QString path = LocalPathOfUrl(url);
        if (path.isEmpty())
            continue;
        const std::string bytes = BytesFromText(path);
        struct stat info {};
        if (stat(bytes.c_str(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            AddSoundFilesIn(bytes, files);
        else if (S_ISREG(info.st_mode))
            files << path;
    }
    return files;
}
