// Any bytes as a name list and as a table, then the table matched to a few
// rows named by its own first cells. Besides not crashing: the lines of a
// list put back together give the text, and a table written out again with
// every cell quoted reads back cell for cell.

#include "filelist/filelist.h"
#include "naming/suppliednames.h"
#include "storage/tabletext.h"
#include "storage/textfile.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace kesto;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QString quoted(QString cell)
{
    return u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = DecodeText(QByteArrayView(data, qsizetype(size)));

    const QStringList lines = NameListLines(text);
    QString joined = lines.join(u'\n');
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (unified.endsWith(u'\n'))
        joined += u'\n';
    require(joined == unified);

    const QList<TableLine> table = ReadTable(text);
    const QChar separator = TableSeparator(text);
    // A first line of two quoted cells makes the separator the same again.
    QString written = quoted({}) + separator + quoted({}) + u'\n';
    int number = 0;
    for (const TableLine &line : table) {
        require(line.number > number && !line.cells.isEmpty());
        number = line.number;
        QStringList cells;
        for (const QString &cell : line.cells)
            cells << quoted(cell);
        written += cells.join(separator) + QStringLiteral("\r\n");
    }
    QList<TableLine> again = ReadTable(written);
    require(!again.isEmpty() && again.takeFirst().cells == QStringList(2, QString()));
    require(again.size() == table.size());
    for (qsizetype k = 0; k < table.size(); ++k)
        require(again[k].cells == table[k].cells);

    FileList rows;
    QList<FileEntry> entries;
    for (qsizetype k = 0; k < std::min<qsizetype>(table.size(), 8); ++k) {
        if (!table[k].cells.first().isEmpty())
            entries << FileEntry::fromPath(table[k].cells.first());
    }
    rows.insertRows(0, entries);
    SuppliedNames supplied;
    supplied.setTable(table);
    supplied.setList(lines);
    require(supplied.unusedLines(rows).size() <= table.size());
    const QList<MaskToken> tokens = CheckMask(QStringLiteral("[liste][spalte 2]")).tokens;
    require(supplied.valuesFor(rows, tokens).size() == size_t(rows.count()));
    supplied.fault(rows, tokens);
    return 0;
}
