// The main window's input list: the paths in a model the list view shows, so that a project of
// tens of thousands of files is listed in one step; a file that is not there is marked.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

#include <vector>

// The input files, in list order, as TextFromBytes shows their paths. Whether each file is there
// is looked up once, when its entry is first shown (or asked about), until the list is set anew.
class InputFilesModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit InputFilesModel(QObject* parent = nullptr);

    const QStringList& Files() const { return files_; }
    // Replaces the whole list in one step.
    void SetFiles(const QStringList& files);
    // Removes the entries at rows (any order); the others keep theirs.
    void RemoveRows(std::vector<int> rows);
    // No file at the entry's path (nor anything it could be read from).
    bool IsMissing(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The path; for a missing file also a warning picture, dimmed text and why, as tooltip and
    // accessible description.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    enum class Presence : signed char { Unknown, Present, Missing };
    QStringList files_;
    mutable std::vector<Presence> presence_;
};

// The list view: every row as tall as the first (the list of a large project scrolls without
// measuring each), a focus frame also when empty, and the context menu on the keyboard's Menu key
// and Shift+F10 as on a right click (customContextMenuRequested, at the current entry).
class InputFilesView : public QListView {
    Q_OBJECT
public:
    explicit InputFilesView(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
