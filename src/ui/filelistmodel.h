#pragma once

#include "filelist/fileentry.h"

#include <QAbstractTableModel>
#include <QIcon>

namespace kesto {

class Session;

/// The session's file list as a table for a view.
///
/// Columns, in display order (kesto::Column): 0 "Alter Name", 1 "Neuer Name",
/// 2 "In Ordner", 3 "Größe", 4 "Typ", 5 "Letzte Änderung", 6 "Erstellung",
/// 7 "Aufnahme (Exif)", then HintColumn "Hinweis", the reason of the row's
/// status (FileEntry::Hint). The row's further columns (the full path, the name
/// without extension, the size key) exist only for the list to sort by; they
/// are left out here, so that no view shows them and no screen reader reads
/// them out.
///
/// Roles:
/// - Qt::DisplayRole: the text of the column (FileEntry::text).
/// - Qt::CheckStateRole, column 0: the row's check mark; setData() checks or
///   unchecks the row through Session::setChecked, which schedules a refresh.
/// - Qt::DecorationRole, column 0: the normal or the error icon; none for a
///   row that a move command put in place.
/// - Qt::ToolTipRole and Qt::AccessibleDescriptionRole: the row's reason in
///   every cell; "Fehler" for a row with the error icon but no reason.
/// - Qt::TextAlignmentRole: sizes right-aligned.
/// - Header, Qt::DisplayRole: the column headers.
///
/// Every change of the list is forwarded one to one: inserted, removed and
/// moved rows as such, changed rows as one dataChanged over their block of
/// rows and columns, sorting as a layout change that keeps persistent indexes
/// on their rows, and only clearing as a reset.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit FileListModel(Session &session, QObject *parent = nullptr);

    /// The last column, after the row's own shown columns.
    static constexpr int HintColumn = VisibleColumnCount;

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
