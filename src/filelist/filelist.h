#pragma once

#include "filelist/fileentry.h"

#include <QHash>
#include <QList>
#include <QObject>

namespace kesto {

/// The list of files to rename: the only store of rows. Row positions count
/// from 0 here; a row's position + 1 is its counter position.
///
/// Every structural change is announced before and after it happens, so a Qt
/// model can forward the signals to its views one to one. Code that changes
/// fields of rows in place (through entry()) reports them with
/// notifyRowsChanged(), naming the block of rows and columns it changed.
class FileList : public QObject
{
    Q_OBJECT
public:
    explicit FileList(QObject *parent = nullptr);

    int count() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const FileEntry &at(int row) const { return m_rows.at(row); }
    /// Mutable access for in-place updates; report them with notifyRowsChanged().
    FileEntry &entry(int row) { return m_rows[row]; }
    const QList<FileEntry> &rows() const { return m_rows; }

    /// Inserts \a entries at \a position (0 = top), in their order.
    void insertRows(int position, const QList<FileEntry> &entries);
    /// The same, taking the rows over without copying them into an empty list.
    void insertRows(int position, QList<FileEntry> &&entries);
    void removeRows(int first, int count);
    void removeRow(int row) { removeRows(row, 1); }
    /// Moves one row so that it ends up at position \a to.
    void moveRow(int from, int to);
    /// Removes every row.
    void clear();

    /// Whether a row holds exactly this path, given by its PathKey.
    bool containsPath(const QString &pathKey) const;
    /// Position of the row whose path has the PathKey \a pathKey, or -1.
    int findRow(const QString &pathKey) const;

    /// Reports that code changed columns \a firstColumn to \a lastColumn of
    /// rows \a first to \a last in place.
    void notifyRowsChanged(int first, int last, int firstColumn = 0,
                           int lastColumn = ColumnCount - 1);
    /// Announces that code changed the Selected flags of rows.
    void notifySelectionChanged() { Q_EMIT selectionChanged(); }

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    bool keepSorted() const { return m_keepSorted; }
    /// Column by which the list sorts; re-sorts at once while keep-sorted is on.
    void setSortColumn(int column);
    void setSortOrder(Qt::SortOrder order);
    /// Switching keep-sorted on sorts the rows by the current column and order.
    void setKeepSorted(bool on);

Q_SIGNALS:
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    void rowAboutToBeMoved(int from, int to);
    void rowMoved(int from, int to);
    void rowsChanged(int first, int last, int firstColumn, int lastColumn);
    /// Before and after the list is emptied at once.
    void aboutToReset();
    void resetDone();
    /// Before and after sorting: the same rows in a new order; \a order holds,
    /// for each new position, the position the row had before.
    void aboutToReorder();
    void reordered(const QList<int> &order);
    void selectionChanged();

private:
    void sortRows();
    void addPath(const FileEntry &e);
    void removePath(const FileEntry &e);

    QList<FileEntry> m_rows;
    // The PathKeys of the rows, split at their last "/": folder part -> name
    // part -> number of rows holding it. The parts of a path in UTF-8 are the
    // row's own Folder and OldName, so the index holds no copy of them.
    QHash<QString, QHash<QString, int>> m_paths;
    int m_sortColumn = ColOldName;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_keepSorted = true;
};

} // namespace kesto
