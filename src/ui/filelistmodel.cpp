#include "ui/filelistmodel.h"

#include "rename/companions.h"
#include "rename/session.h"
#include "ui/windowtexts.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace kesto {

namespace {

// What the row says of its status in words: a fault, else whose companion it
// is; empty for a plain row without a problem.
QString rowReason(const FileList &list, int row)
{
    const FileEntry &e = list.at(row);
    if (!e.hint.isEmpty())
        return e.hint;
    return e.icon == RowIcon::Error ? windowtexts::faultyRowDescription()
                                    : CompanionNote(list, row);
}

} // namespace

FileListModel::FileListModel(Session &session, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
    , m_normalIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon))
    , m_errorIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical))
{
    FileList *list = &m_session.list();
    connect(list, &FileList::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(list, &FileList::rowsInserted, this, [this] { endInsertRows(); });
    connect(list, &FileList::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(list, &FileList::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(list, &FileList::rowAboutToBeMoved, this, [this](int from, int to) {
        // A view counts the destination before the move: below the row
        // itself, the place after the row that ends up above it.
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    });
    connect(list, &FileList::rowMoved, this, [this] { endMoveRows(); });
    connect(list, &FileList::rowsChanged, this,
            [this](int first, int last, int firstColumn, int lastColumn) {
                // One signal for the whole block: a view, and a screen reader
                // behind it, handles each signal on its own. The reason is
                // written with the icon, which lives in the first column.
                lastColumn = firstColumn == ColOldName
                                 ? int(HintColumn)
                                 : std::min(lastColumn, VisibleColumnCount - 1);
                if (firstColumn <= lastColumn)
                    Q_EMIT dataChanged(index(first, firstColumn), index(last, lastColumn));
            });
    connect(list, &FileList::aboutToReset, this, [this] { beginResetModel(); });
    connect(list, &FileList::resetDone, this, [this] { endResetModel(); });
    connect(list, &FileList::aboutToReorder, this,
            [this] { Q_EMIT layoutAboutToBeChanged({}, VerticalSortHint); });
    connect(list, &FileList::reordered, this, [this](const QList<int> &order) {
        // The view's current cell and highlight stay with their files.
        QList<int> newPosition(order.size());
        for (qsizetype k = 0; k < order.size(); ++k)
            newPosition[order.at(k)] = int(k);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex &i : from)
            to.append(index(newPosition.value(i.row(), i.row()), i.column()));
        changePersistentIndexList(from, to);
        Q_EMIT layoutChanged({}, VerticalSortHint);
    });
    connect(list, &FileList::selectionChanged, this, &FileListModel::highlightChanged);
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_session.list().count();
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : HintColumn + 1;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_session.list().count())
        return {};
    const FileEntry &e = m_session.list().at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == HintColumn)
            return rowReason(m_session.list(), index.row());
        return index.column() == ColNewName ? windowtexts::shownNewName(e.newName)
                                            : e.text(index.column());
    case Qt::CheckStateRole:
        if (index.column() == ColOldName)
            return e.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DecorationRole:
        if (index.column() != ColOldName)
            return {};
        switch (e.icon) {
        case RowIcon::Normal:
            return m_normalIcon;
        case RowIcon::Error:
            return m_errorIcon;
        case RowIcon::None:
            return {};
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        // The icon says it to the eye; every cell of the row says it in words,
        // to the mouse and to a screen reader, whichever cell they are on.
        const QString reason = rowReason(m_session.list(), index.row());
        return reason.isEmpty() ? QVariant() : QVariant(reason);
    }
    case Qt::TextAlignmentRole:
        if (index.column() == ColSize)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool FileListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != ColOldName)
        return false;
    m_session.setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == ColOldName)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == HintColumn ? windowtexts::hintHeader() : columnHeader(section);
    return {};
}

} // namespace kesto
