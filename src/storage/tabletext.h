#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The texts that hand names in from outside: a list of names, one a line,
// and a table in CSV or TSV, as a spreadsheet or a script writes them.

namespace kesto {

/// The lines of a name list. A line ends with CR LF, LF or CR; a blank line
/// is a line, and a line break at the end starts no further one.
QStringList NameListLines(QStringView text);

/// One line of a table, with the number of the text line it begins on
/// (counted from 1; a quoted cell may span several).
struct TableLine
{
    int number = 0;
    QStringList cells;

    friend bool operator==(const TableLine &, const TableLine &) = default;
};

/// The separator of a table: a tab when its first line holds one outside
/// quotes, else a semicolon when it holds one, else a comma.
QChar TableSeparator(QStringView text);

/// The lines of a table, split at TableSeparator(). A cell that begins with
/// a double quote ends at the next lone one: it may hold the separator and
/// line breaks, and "" stands for a quote; what follows its closing quote up
/// to the separator belongs to the cell too. Blank lines are left out.
QList<TableLine> ReadTable(QStringView text);

} // namespace kesto
