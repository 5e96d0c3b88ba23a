// The main window's input list: a model of the paths and the view that shows them.
#include "InputFilesList.h"

#include <QApplication>
#include <QBrush>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <sys/stat.h>

#include "text/NativeText.h"

InputFilesModel::InputFilesModel(QObject* parent) : QAbstractListModel(parent) {}

void InputFilesModel::SetFiles(const QStringList& files) {
    beginResetModel();
    files_ = files;
    presence_.assign(static_cast<size_t>(files_.size()), Presence::Unknown);
    endResetModel();
}

void InputFilesModel::RemoveRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the end, each run of neighbouring rows at once.
    while (!rows.empty()) {
        const int last = rows.back();
        int first = last;
        rows.pop_back();
        while (!rows.empty() && rows.back() == first - 1) {
            first = rows.back();
            rows.pop_back();
        }
        if (first < 0 || last >= files_.size())
            continue;
        beginRemoveRows(QModelIndex(), first, last);
        files_.remove(first, last - first + 1);
        presence_.erase(presence_.begin() + first, presence_.begin() + last + 1);
        endRemoveRows();
    }
}

bool InputFilesModel::IsMissing(int row) const {
    if (row < 0 || row >= files_.size())
        return false;
    Presence& presence = presence_[static_cast<size_t>(row)];
    if (presence == Presence::Unknown) {
        struct stat info {};
        presence =
            ::stat(BytesFromText(files_[row]).c_str(), &info) == 0 ? Presence::Present : Presence::Missing;
    }
    return presence == Presence::Missing;
}

int InputFilesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(files_.size());
}

QVariant InputFilesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= files_.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return files_[index.row()];
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (IsMissing(index.row()))
            return tr("This file is missing: there is nothing at this path. It gives no movie until it "
                      "is there again.");
        break;
    case Qt::DecorationRole:
        if (IsMissing(index.row()))
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        break;
    case Qt::ForegroundRole:
        if (IsMissing(index.row()))
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        break;
    default:
        break;
    }
    return QVariant();
}

InputFilesView::InputFilesView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true);
    // A missing file's sign stands in the line of text, not above it.
    const int textHeight = fontMetrics().height();
    setIconSize(QSize(textHeight, textHeight));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void InputFilesView::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10) {
        QListView::keyPressEvent(event);
        return;
    }
    event->accept();
    // At the current entry when it is in sight, else at the list's top left corner.
    const QRect current = visualRect(currentIndex());
    const QPoint at =
        current.isValid() && viewport()->rect().intersects(current) ? current.center() : QPoint(4, 4);
    emit customContextMenuRequested(at);
}

void InputFilesView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    // With an entry the current one shows the focus; an empty list shows it around its inside.
    if (!hasFocus() || (model() && model()->rowCount() > 0))
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(viewport());
    option.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = viewport()->palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
