// What a drop of files and folders onto the input list adds to it.
#include "sound/DroppedFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "sound/SoundFileNames.h"
#include "text/FileContent.h"
#include "text/NativeText.h"

namespace {

// A folder entry of the given type (d_type) is a regular file, links followed; the file system is
// asked only where the listing does not say (a link, or a disk that gives no types).
bool IsRegularFile(const std::string& path, unsigned char type) {
    if (type != DT_LNK && type != DT_UNKNOWN)
        return type == DT_REG;
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The same for a folder, links not followed.
bool IsFolder(const std::string& path, unsigned char type) {
    if (type != DT_UNKNOWN)
        return type == DT_DIR;
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::vector<std::string> SoundFilesIn(const std::string& folder, bool recursive) {
    std::vector<std::string> files, subfolders;
    DIR* entries = opendir(folder.c_str());
    if (!entries)
        return files;
    while (const dirent* entry = readdir(entries)) {
        const std::string name = entry->d_name;
        // Hidden: ".", "..", and what is not for the user to see, such as an encoder's
        // unfinished MP3 under a temporary name.
        if (name.empty() || name[0] == '.')
            continue;
        const std::string path = JoinPath(folder, name);
        if (IsSoundFileName(name) && IsRegularFile(path, entry->d_type))
            files.push_back(path);
        // A link to a folder is not followed: it could lead back up and never end.
        else if (recursive && IsFolder(path, entry->d_type))
            subfolders.push_back(path);
    }
    closedir(entries);
    std::sort(files.begin(), files.end());
    std::sort(subfolders.begin(), subfolders.end());
    for (const std::string& subfolder : subfolders) {
        const std::vector<std::string> inside = SoundFilesIn(subfolder, true);
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

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
        if (S_ISDIR(info.st_mode)) {
            for (const std::string& file : SoundFilesIn(bytes, false))
                files << TextFromBytes(file);
        } else if (S_ISREG(info.st_mode))
            files << path;
    }
    return files;
}
