// What a drop of files and folders onto the input list adds to it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <string>
#include <vector>

// The local file a URL names, as TextFromBytes shows its bytes: a dropped name that is not UTF-8
// arrives percent-encoded and keeps its bytes. Empty for anything that is not a local file.
QString LocalPathOfUrl(const QUrl& url);

// The input files a drop of urls adds, as Add File(s) would take them: each dropped file as it
// is, and of each dropped folder the sound files directly inside it (SoundFilesIn), not those of
// its subfolders. What is neither
// a regular file nor a folder, or not local, adds nothing. Paths as TextFromBytes shows them.
QStringList DroppedInputFiles(const QList<QUrl>& urls);

// The sound files directly inside folder (IsSoundFileName: MP3s and what libsndfile reads; regular
// files, links followed), in byte order of their names; with recursive, then those of each
// subfolder in the same order, one after another (links to folders are not followed). Hidden
// files and folders (names starting with ".") are not taken. Paths are folder joined with the
// names, as bytes.
std::vector<std::string> SoundFilesIn(const std::string& folder, bool recursive);
