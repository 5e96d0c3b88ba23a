// A program folder in a temporary directory (settings.ini, help file) and project files for
// the main window's tests.
#pragma once

#include <QAbstractItemModel>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QListView>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <vector>

#include "NamedParts.h"
#include "TFormMain.h"
#include "project/ProjectFile.h"

// Presets: "Music" 5/j/128, "Speech" 7/m/32, "Custom..." 4/s/256 (editable).
inline QByteArray StandardSettings() {
    return "[general]\n"
           "outputmodecount=3\n"
           "emptyproject=0\n"
           "outputfolder=/tmp/tavrel-out/\n"
           "[constParams]\n"
           "quality=q\nmode=m\nbitrate=b\n"
           "[0]\nname=Music\nenabled=0\nquality=5\nmode=j\nbitrate=128\n"
           "[1]\nname=Speech\nenabled=0\nquality=7\nmode=m\nbitrate=32\n"
           "[2]\nname=Custom...\nenabled=1\nquality=4\nmode=s\nbitrate=256\n";
}

class ProgramFolder {
public:
    explicit ProgramFolder(const QByteArray& settings = StandardSettings()) {
        if (!settings.isNull())
            WriteFile(QStringLiteral("settings.ini"), settings);
    }

    QString Path() const { return dir_.path(); }
    QString FilePath(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& content) const {
        const QString path = FilePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

    QByteArray ReadFile(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

inline PSoundProject MakeProject(const std::string& quality, const std::string& mode,
                                 const std::string& bitrate, const std::vector<std::string>& files = {}) {
    PSoundProject project;
    project.Quality = quality;
    project.Mode = mode;
    project.Bitrate = bitrate;
    project.OutputFolder = "/tmp/movies/";
    for (const std::string& file : files) {
        PSoundFile entry;
        entry.File = file;
        project.Files.push_back(entry);
    }
    return project;
}

// The main window's input list, a view on the list of paths, and its entries as shown.
inline QListView* InputList(const TFormMain& window) {
    return Find<QListView>(window, "ListBoxInputFiles");
}

inline QStringList ListEntries(const TFormMain& window) {
    const QAbstractItemModel* model = InputList(window)->model();
    QStringList entries;
    for (int row = 0; row < model->rowCount(); ++row)
        entries << model->index(row, 0).data().toString();
    return entries;
}

inline void SelectEntry(const TFormMain& window, int row) {
    QListView* list = InputList(window);
    list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
}

inline PSoundProject ReadProject(const QString& path) {
    PSoundProject project;
    LoadProjectFile(path.toStdString(), project);
    return project;
}
