#include "storage/ini.h"

#include "storage/textfile.h"

#include <QFileInfo>

namespace kesto {

namespace {

struct Line
{
    qsizetype begin = 0;     ///< first byte
    qsizetype end = 0;       ///< behind the last byte, without CR LF or LF
    qsizetype next = 0;      ///< first byte of the following line
    bool terminated = false; ///< ended by LF (else it is the last line of the file)
};

bool isBlankByte(char c)
{
    return c == ' ' || c == '\t';
}

bool isBlankChar(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && isBlankChar(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlankChar(s.back()))
        s.chop(1);
    return s;
}

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < bytes.size()) {
        Line line;
        line.begin = pos;
        const qsizetype lf = bytes.indexOf('\n', pos);
        line.terminated = lf >= 0;
        line.end = line.terminated ? lf : bytes.size();
        line.next = line.terminated ? lf + 1 : bytes.size();
        if (line.end > line.begin && bytes[line.end - 1] == '\r')
            --line.end;
        lines.append(line);
        pos = line.next;
    }
    return lines;
}

// The line without the blanks around it, as [first, last).
std::pair<qsizetype, qsizetype> trimmedRange(const QByteArray &bytes, const Line &line)
{
    qsizetype first = line.begin;
    qsizetype last = line.end;
    while (first < last && isBlankByte(bytes[first]))
        ++first;
    while (last > first && isBlankByte(bytes[last - 1]))
        --last;
    return {first, last};
}

bool isBlankLine(const QByteArray &bytes, const Line &line)
{
    const auto [first, last] = trimmedRange(bytes, line);
    return first == last;
}

// The name of a section header line, from the first "[" to the last "]", so
// that names holding brackets come back whole.
std::optional<QString> headerName(const QByteArray &bytes, const Line &line)
{
    const auto [first, last] = trimmedRange(bytes, line);
    if (last - first < 2 || bytes[first] != '[' || bytes[last - 1] != ']')
        return std::nullopt;
    return DecodeTextPart(QByteArrayView(bytes).sliced(first + 1, last - first - 2));
}

// Position of the "=" of a key line, or -1 for a line without one.
qsizetype equalsSign(const QByteArray &bytes, const Line &line)
{
    const qsizetype eq = bytes.indexOf('=', line.begin);
    return eq >= 0 && eq < line.end ? eq : -1;
}

QString keyName(const QByteArray &bytes, const Line &line, qsizetype eq)
{
    return DecodeTextPart(QByteArrayView(bytes).sliced(line.begin, eq - line.begin));
}

struct SectionSpan
{
    qsizetype header = 0;  ///< index of the header line
    qsizetype endLine = 0; ///< index of the next header line, or the line count
};

std::optional<SectionSpan> findSection(const QByteArray &bytes, const QList<Line> &lines,
                                       const QString &section)
{
    std::optional<SectionSpan> span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = headerName(bytes, lines[i]);
        if (!name)
            continue;
        if (span) {
            span->endLine = i;
            return span;
        }
        if (IniSameName(*name, section))
            span = SectionSpan{i, lines.size()};
    }
    return span;
}

// Index of the line of \a key inside the section, or -1.
qsizetype findKey(const QByteArray &bytes, const QList<Line> &lines, const SectionSpan &span,
                  const QString &key)
{
    for (qsizetype i = span.header + 1; i < span.endLine; ++i) {
        const qsizetype eq = equalsSign(bytes, lines[i]);
        if (eq >= 0 && IniSameName(keyName(bytes, lines[i], eq), key))
            return i;
    }
    return -1;
}

QByteArray lineEndFor(const QByteArray &bytes)
{
    // A file that ends in a lone CR needs only the LF to finish its last line.
    return bytes.endsWith('\r') ? QByteArray("\n") : QByteArray("\r\n");
}

QString &currentIniFile()
{
    static QString file;
    return file;
}

const QString &useFile(const QString &file)
{
    if (!file.isEmpty())
        currentIniFile() = file;
    return currentIniFile();
}

// The bytes of an INI file, or nothing when an existing file cannot be read, so
// that a write never replaces content it could not see.
std::optional<QByteArray> readForUpdate(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile())
        return std::nullopt;
    int error = 0;
    QByteArray bytes = ReadFileBytes(file, &error);
    if (error != 0)
        return std::nullopt;
    return bytes;
}

} // namespace

bool IniSameName(const QString &a, const QString &b)
{
    return trimBlanks(IniFlattenLineBreaks(a))
               .compare(trimBlanks(IniFlattenLineBreaks(b)), Qt::CaseInsensitive) == 0;
}

QString IniFlattenLineBreaks(const QString &text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the LF of this CR LF stands for both
        out.append(c == u'\r' || c == u'\n' ? QChar(u' ') : c);
    }
    return out;
}

namespace inibytes {

std::optional<QString> ValueIn(const QByteArray &file, const QString &section, const QString &key)
{
    const QList<Line> lines = splitLines(file);
    const std::optional<SectionSpan> span = findSection(file, lines, section);
    if (!span)
        return std::nullopt;
    const qsizetype index = findKey(file, lines, *span, key);
    if (index < 0)
        return std::nullopt;
    const Line &line = lines[index];
    const qsizetype eq = equalsSign(file, line);
    const QByteArrayView raw = QByteArrayView(file).sliced(eq + 1, line.end - eq - 1);
    // Every byte gives at least half a UTF-16 unit, so four bytes per unit are
    // always enough to fill the longest value.
    QString value = DecodeTextPart(raw.first(qMin(raw.size(), IniMaxValueLength * 4)));
    if (value.size() > IniMaxValueLength) {
        value.truncate(IniMaxValueLength);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

QByteArray WithValue(const QByteArray &file, const QString &section, const QString &key,
                     const QString &value)
{
    const QByteArray keyLine =
        EncodeText(IniFlattenLineBreaks(key)) + '=' + EncodeText(IniFlattenLineBreaks(value));
    const QList<Line> lines = splitLines(file);
    const std::optional<SectionSpan> span = findSection(file, lines, section);
    QByteArray out = file;

    if (!span) {
        if (!lines.isEmpty()) {
            if (!lines.last().terminated)
                out += lineEndFor(out);
            if (!isBlankLine(file, lines.last()))
                out += "\r\n";
        }
        out += '[' + EncodeText(IniFlattenLineBreaks(section)) + "]\r\n" + keyLine + "\r\n";
        return out;
    }

    const qsizetype index = findKey(file, lines, *span, key);
    if (index >= 0) {
        const Line &line = lines[index];
        out.replace(line.begin, line.end - line.begin, keyLine);
        return out;
    }

    // A new key goes behind the last line of its section that is not blank, so
    // blank lines before the next section stay where they are.
    qsizetype last = span->header;
    for (qsizetype i = span->header + 1; i < span->endLine; ++i) {
        if (!isBlankLine(file, lines[i]))
            last = i;
    }
    const Line &after = lines[last];
    if (after.terminated)
        out.insert(after.next, keyLine + "\r\n");
    else
        out += lineEndFor(out) + keyLine + "\r\n";
    return out;
}

QByteArray WithoutSection(const QByteArray &file, const QString &section, bool *found)
{
    const QList<Line> lines = splitLines(file);
    const std::optional<SectionSpan> span = findSection(file, lines, section);
    if (found)
        *found = span.has_value();
    if (!span)
        return file;
    const qsizetype from = lines[span->header].begin;
    const qsizetype to = span->endLine < lines.size() ? lines[span->endLine].begin : file.size();
    QByteArray out = file;
    out.remove(from, to - from);
    return out;
}

QStringList SectionsIn(const QByteArray &file)
{
    QStringList names;
    for (const Line &line : splitLines(file)) {
        std::optional<QString> name = headerName(file, line);
        if (!name)
            continue;
        const bool known = std::any_of(names.cbegin(), names.cend(),
                                       [&](const QString &n) { return IniSameName(n, *name); });
        if (!known)
            names.append(std::move(*name));
    }
    return names;
}

} // namespace inibytes

QString IniGetString(const QString &section, const QString &key, const QString &defaultValue,
                     const QString &file)
{
    const QByteArray bytes = ReadFileBytes(useFile(file));
    return inibytes::ValueIn(bytes, section, key).value_or(defaultValue);
}

bool IniPutString(const QString &section, const QString &key, const QString &value,
                  const QString &file)
{
    return IniPutStrings(section, {IniEntry{key, value}}, file);
}

bool IniPutStrings(const QString &section, const QList<IniEntry> &entries, const QString &file)
{
    const QString path = useFile(file);
    std::optional<QByteArray> bytes = readForUpdate(path);
    if (!bytes)
        return false;
    for (const IniEntry &entry : entries)
        *bytes = inibytes::WithValue(*bytes, section, entry.key, entry.value);
    return WriteFileBytes(path, *bytes);
}

QString IniSectionNames(const QString &separator, const QString &file)
{
    return IniSectionList(file).join(separator.isEmpty() ? QStringLiteral("\r\n") : separator);
}

QStringList IniSectionList(const QString &file)
{
    return inibytes::SectionsIn(ReadFileBytes(useFile(file)));
}

bool IniDeleteSection(const QString &section, const QString &file)
{
    const QString path = useFile(file);
    const std::optional<QByteArray> bytes = readForUpdate(path);
    if (!bytes)
        return false;
    bool found = false;
    const QByteArray rest = inibytes::WithoutSection(*bytes, section, &found);
    return found && WriteFileBytes(path, rest);
}

} // namespace kesto
