#pragma once

#include <QAbstractTableModel>
#include <QIcon>

namespace kesto {

class Session;

/// The session's file list as a table for a view.
///
/// Columns, in display order (kesto::Column): 0 "Alter Name", 1 "Neuer Name",
/// 2 "In Ordner", 3 "Größe", 4 "Typ", 5 "Letzte Änderung", 6 "Erstellung",
/// 7 "Aufnahme (Exif)" are shown; 8 (no header), 9 the full path, 10 the name
/// without extension and 11 the size key exist only to be sorted by and stay
/// hidden in the window.
///
/// Roles:
/// - Qt::DisplayRole: the text of the column (FileEntry::text).
/// - Qt::CheckStateRole, column 0: the row's check mark; setData() checks or
///   unchecks the row through Session::setChecked, which schedules a refresh.
/// - Qt::DecorationRole, column 0: the normal or the error icon; none for a
///   row that a move command put in place.
/// - Qt::TextAlignmentRole: sizes right-aligned.
/// - Header, Qt::DisplayRole: the column headers.
///
/// Every change of the list is forwarded one to one: inserted, removed and
/// moved rows as such, changed rows as dataChanged over their span, and only
/// clearing and sorting as a reset.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit FileListModel(Session &session, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    /// The icons rows show; taken from the style when the model is made.
    QIcon normalIcon() const { return m_normalIcon; }
    QIcon errorIcon() const { return m_errorIcon; }

Q_SIGNALS:
    /// The Selected flags of the rows changed in the list itself (a move).
    void highlightChanged();

private:
    Session &m_session;
    QIcon m_normalIcon;
    QIcon m_errorIcon;
};

} // namespace kesto
