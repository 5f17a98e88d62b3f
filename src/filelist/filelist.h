#pragma once

#include "filelist/fileentry.h"

#include <QCollator>
#include <QHash>
#include <QList>
#include <QObject>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kesto {

/// The order of names in the list: a German dictionary's, letter case
/// ignored, runs of digits by their value (IMG_2 before IMG_10).
QCollator NameCollator();

/// NameCollator()'s order of names given in the file system's bytes.
class NameOrder
{
public:
    NameOrder();
    /// The order of the program: its weights are worked out once.
    static const NameOrder &shared();
    /// Sorts \a names in this order, equal ones by their bytes.
    void sort(std::vector<std::string_view> &names) const;
    /// Sets \a key to a key of \a text, when it is printable ASCII, whose
    /// bytes compare with another such key as the texts do in this order;
    /// false for any other text.
    bool asciiKey(std::string &key, QStringView text) const;

private:
    /// Names of printable ASCII, most names, are ordered by keys made from
    /// their bytes, which the collator would take many times as long for:
    /// each character has one weight there, the collator's own, letters of
    /// either case the same, and a run of digits counts by its value.
    /// Writes the key of \a name at \a key; returns where it ends.
    char *writeAsciiKey(char *key, std::string_view name) const;

    QCollator m_collator;
    std::array<quint8, 128> m_weight{};
};

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

    // List commands. Each reports what it changed through the signals below.
    enum class CheckChange { CheckAll, UncheckAll, Invert };
    void changeChecks(CheckChange change);
    /// Whether a change was made.
    bool setChecked(int row, bool checked);
    /// Checks or unchecks every highlighted row; whether a change was made.
    bool setSelectedChecked(bool checked);
    /// Highlights exactly \a rows.
    void setSelectedRows(const QList<int> &rows);
    enum class Direction { Down, Up };
    /// Moves every highlighted row one place, a block of them together; each
    /// moved row shows \a pendingName until names are built again. False, and
    /// nothing moved, when a highlighted row is at that end already.
    bool moveSelectedRows(Direction direction, const QString &pendingName);
    /// Whether highlighted rows can move that way.
    bool canMoveSelected(Direction direction) const;
    int checkedCount() const;
    /// How many rows are folders, of all rows or of the checked ones.
    int folderCount() const;
    int checkedFolderCount() const;
    /// Gives \a row the path \a pathBytes (as the system's bytes), its
    /// folder having been renamed; the name stays. Reported as a change.
    void setPath(int row, const QByteArray &pathBytes);
    /// Removes the rows at the positions \a rows, given from the last to the first.
    void removeRowsDescending(const QList<int> &rows);

    /// A click on the header of \a column: sorts by it, and turns the order
    /// around when it was the column clicked last.
    void clickHeader(int column);
    /// Sorts by \a column in \a order and keeps the rows sorted.
    void sortBy(int column, Qt::SortOrder order);
    /// Puts the rows in \a order, which holds, for each new position, the
    /// position the row had before.
    void reorder(const std::vector<int> &order);

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
    /// Sorts \a order, positions of rows, by the text of the sort column.
    void sortByText(std::vector<int> &order, bool descending, const NameOrder &names,
                    const QCollator &collator) const;
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
    int m_clickedColumn = -1;
};

/// How NamesText() lays the names out.
enum class NamesLayout {
    Clipboard, ///< as typed, lines ended by CR LF
    Terminal,  ///< tab, line feed, carriage return and backslash escaped as in C, lines ended by LF
};

/// The head line of every list of names, before and after.
inline constexpr QLatin1StringView NamesHeader("Vorher\tNachher");

/// NamesHeader, then old TAB new name per row.
QString NamesText(const FileList &list, NamesLayout layout);

/// \a name with tab, line feed, carriage return and backslash escaped as in C.
QString EscapedName(const QString &name);

} // namespace kesto
