#include "naming/suppliednames.h"

#include "naming/messages.h"

#include <QDir>

#include <algorithm>

namespace kesto {

namespace {

bool uses(const QList<MaskToken> &tokens, int kind)
{
    return std::any_of(tokens.begin(), tokens.end(),
                       [kind](const MaskToken &t) { return t.kind == kind; });
}

// A row that takes its own name from the values: a companion takes its main
// row's.
bool named(const FileEntry &row)
{
    return row.checked && !row.companion;
}

// A table written on another system may spell a name decomposed.
QString composed(const QString &text)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x300; }))
        return text;
    return text.normalized(QString::NormalizationForm_C);
}

// The path of a row as a table names it: absolute, as the current folder
// makes a relative one.
QString absolutePath(const FileEntry &row)
{
    const QString path = row.fullPath();
    return QDir::cleanPath(path.startsWith(u'/') ? path : QDir::current().absoluteFilePath(path));
}

} // namespace

void SuppliedNames::setTable(const QList<TableLine> &lines)
{
    m_table = lines;
    m_byPath.clear();
    m_byName.clear();
    // Of two lines for one file the first counts; a relative path with a
    // folder names none.
    const auto index = [](QHash<QString, qsizetype> &lineOf, const QString &key, qsizetype k) {
        if (!lineOf.contains(key))
            lineOf.insert(key, k);
    };
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QString first = composed(lines[k].cells.first());
        if (first.startsWith(u'/'))
            index(m_byPath, QDir::cleanPath(first), k);
        else if (!first.contains(u'/'))
            index(m_byName, first, k);
    }
}

std::vector<qsizetype> SuppliedNames::lineOfRows(const FileList &rows) const
{
    std::vector<qsizetype> lines(size_t(rows.count()), -1);
    for (int i = 0; i < rows.count(); ++i) {
        const FileEntry &e = rows.at(i);
        const auto byPath = m_byPath.constFind(composed(absolutePath(e)));
        lines[size_t(i)] =
            byPath != m_byPath.cend() ? *byPath : m_byName.value(composed(e.oldName), -1);
    }
    return lines;
}

std::vector<SuppliedValues> SuppliedNames::valuesFor(const FileList &rows,
                                                     const QList<MaskToken> &tokens) const
{
    const bool list = uses(tokens, KindListName) && m_list;
    const bool table = uses(tokens, KindColumn) && m_table;
    if (!list && !table)
        return {};
    std::vector<SuppliedValues> values(size_t(rows.count()));
    for (int i = 0, next = 0; list && i < rows.count() && next < m_list->size(); ++i) {
        if (named(rows.at(i)))
            values[size_t(i)].listName = m_list->at(next++);
    }
    if (table) {
        const std::vector<qsizetype> lines = lineOfRows(rows);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] >= 0)
                values[i].cells = &m_table->at(lines[i]).cells;
        }
    }
    return values;
}

QString SuppliedNames::fault(FileList &rows, const QList<MaskToken> &tokens) const
{
    QString fault;
    std::vector<qsizetype> lines;
    if (uses(tokens, KindColumn) && !m_table) {
        fault = namingmessages::noTable();
    } else if (uses(tokens, KindColumn)) {
        lines = lineOfRows(rows);
        qsizetype missing = 0;
        for (int i = 0; i < rows.count(); ++i)
            missing += named(rows.at(i)) && lines[size_t(i)] < 0;
        if (missing > 0)
            fault = namingmessages::rowsNotInTable(missing);
    }
    const qsizetype checked = std::count_if(rows.rows().begin(), rows.rows().end(), named);
    if (uses(tokens, KindListName) && !m_list)
        fault = namingmessages::noNameList();
    else if (uses(tokens, KindListName) && m_list->size() != checked)
        fault = namingmessages::listCountDiffers(m_list->size(), checked);
    if (fault.isEmpty())
        return fault;
    for (int i = 0; i < rows.count(); ++i) {
        FileEntry &e = rows.entry(i);
        const bool missing = !lines.empty() && named(e) && lines[size_t(i)] < 0;
        e.icon = missing ? RowIcon::Error : RowIcon::Normal;
        e.hint =
            HintWithEmptyValues(missing ? namingmessages::notInTable() : QString(), e.emptyValues);
    }
    return fault;
}

QList<TableLine> SuppliedNames::unusedLines(const FileList &rows) const
{
    if (!m_table)
        return {};
    std::vector<bool> used(size_t(m_table->size()));
    for (const qsizetype line : lineOfRows(rows)) {
        if (line >= 0)
            used[size_t(line)] = true;
    }
    QList<TableLine> unused;
    for (qsizetype k = 0; k < m_table->size(); ++k) {
        if (!used[size_t(k)])
            unused.append(m_table->at(k));
    }
    return unused;
}

} // namespace kesto
