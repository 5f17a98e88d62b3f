#include "storage/tabletext.h"

namespace kesto {

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// The reader of a table text, one cell after another.
class TableReader
{
public:
    TableReader(QStringView text, QChar separator)
        : m_text(text)
        , m_separator(separator)
    {}

    bool atEnd() const { return m_at >= m_text.size(); }
    int lineNumber() const { return m_line; }

    // The cell at the cursor; \a quoted tells whether it began with a quote.
    // The cursor stops at the separator or the line break behind it.
    QString cell(bool &quoted)
    {
        QString cell;
        quoted = !atEnd() && m_text[m_at] == u'"';
        if (quoted) {
            ++m_at;
            while (!atEnd()) {
                const QChar c = m_text[m_at];
                if (c == u'"' && !(m_at + 1 < m_text.size() && m_text[m_at + 1] == u'"')) {
                    ++m_at;
                    break;
                }
                m_at += c == u'"' ? 2 : 1;
                if (isLineBreak(c) && !(c == u'\r' && !atEnd() && m_text[m_at] == u'\n'))
                    ++m_line;
                cell.append(c);
            }
        }
        while (!atEnd() && m_text[m_at] != m_separator && !isLineBreak(m_text[m_at]))
            cell.append(m_text[m_at++]);
        return cell;
    }

    // Behind the separator at the cursor: true; else behind the line break, if any.
    bool nextCell()
    {
        if (!atEnd() && m_text[m_at] == m_separator) {
            ++m_at;
            return true;
        }
        if (!atEnd()) {
            m_at += m_text.sliced(m_at).startsWith(u"\r\n") ? 2 : 1;
            ++m_line;
        }
        return false;
    }

private:
    QStringView m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
};

} // namespace

QStringList NameListLines(QStringView text)
{
    QStringList lines;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text[i]))
            continue;
        lines.append(text.sliced(from, i - from).toString());
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        from = i + 1;
    }
    if (from < text.size())
        lines.append(text.sliced(from).toString());
    return lines;
}

QChar TableSeparator(QStringView text)
{
    bool quoted = false, semicolon = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\t')
            return c;
        else if (isLineBreak(c))
            break;
        semicolon = semicolon || c == u';';
    }
    return semicolon ? QChar(u';') : QChar(u',');
}

QList<TableLine> ReadTable(QStringView text)
{
    QList<TableLine> lines;
    TableReader reader(text, TableSeparator(text));
    while (!reader.atEnd()) {
        TableLine line{reader.lineNumber(), {}};
        bool quoted = false;
        do
            line.cells.append(reader.cell(quoted));
        while (reader.nextCell());
        if (line.cells.size() > 1 || quoted || !line.cells.first().isEmpty())
            lines.append(std::move(line));
    }
    return lines;
}

} // namespace kesto
