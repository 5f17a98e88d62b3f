#pragma once

#include "filelist/filelist.h"
#include "mask/mask.h"
#include "naming/builder.h"
#include "storage/tabletext.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kesto {

/// The names a name list and a table hand in for "[LISTE]" and "[SPALTE n]".
/// They belong to the session, not to a mask: a new list or table replaces
/// the one before, whatever the mask.
class SuppliedNames
{
public:
    /// Line n gives "[LISTE]" of the n-th checked row, in list order; a
    /// companion, named after its main row, takes none.
    void setList(const QStringList &names) { m_list = names; }
    /// A row takes the line whose first cell is its absolute path, else the
    /// first line whose first cell is its name, whatever its folder.
    void setTable(const QList<TableLine> &lines);
    /// The names of the list, or -1 when none was loaded.
    qsizetype listSize() const { return m_list ? m_list->size() : -1; }
    /// The lines of the table, or -1 when none was loaded.
    qsizetype tableSize() const { return m_table ? m_table->size() : -1; }

    /// What each row of \a rows gives \a tokens, in row order; empty when
    /// the tokens use neither placeholder. The values view this object's texts.
    std::vector<SuppliedValues> valuesFor(const FileList &rows,
                                          const QList<MaskToken> &tokens) const;
    /// Why the checked rows cannot be named by \a tokens from these values,
    /// as the status bar says it; empty when they can. On a fault each
    /// checked row the table lacks shows why, and every other row is
    /// cleared of the faults of an earlier test.
    QString fault(FileList &rows, const QList<MaskToken> &tokens) const;
    /// The lines of the table that give no row of \a rows its values: they
    /// name none, or only rows an earlier line names.
    QList<TableLine> unusedLines(const FileList &rows) const;

private:
    /// Per row, the index of its table line, or -1.
    std::vector<qsizetype> lineOfRows(const FileList &rows) const;

    std::optional<QStringList> m_list;
    std::optional<QList<TableLine>> m_table;
    /// The first line of each first cell, composed (NFC): absolute paths
    /// cleaned, and names without a folder.
    QHash<QString, qsizetype> m_byPath, m_byName;
};

} // namespace kesto
