#include "storage/ini.h"

#include "storage/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

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

// Calls \a visit with each line in turn until it returns false. \a atFileStart:
// the bytes begin the file, so a byte-order mark is skipped.
template<typename Visit> void forEachLine(const QByteArray &bytes, bool atFileStart, Visit visit)
{
    qsizetype pos = atFileStart && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < bytes.size()) {
        Line line;
        line.begin = pos;
        const qsizetype lf = bytes.indexOf('\n', pos);
        line.terminated = lf >= 0;
        line.end = line.terminated ? lf : bytes.size();
        line.next = line.terminated ? lf + 1 : bytes.size();
        if (line.end > line.begin && bytes[line.end - 1] == '\r')
            --line.end;
        if (!visit(line))
            return;
        pos = line.next;
    }
}

QList<Line> splitLines(const QByteArray &bytes, bool atFileStart = true)
{
    QList<Line> lines;
    forEachLine(bytes, atFileStart, [&](const Line &line) {
        lines.append(line);
        return true;
    });
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

// The name as IniSameName compares it: line breaks flattened, blanks around it
// dropped, each UTF-16 unit case-folded as QString::compare folds it (a
// surrogate pair as its code point), so that equal keys mean equal names.
QByteArray nameKey(const QString &name)
{
    const QString flat = IniFlattenLineBreaks(name);
    const QStringView s = trimBlanks(flat);
    QByteArray key;
    key.reserve(s.size() * 4);
    char16_t last = 0;
    for (const QChar c : s) {
        char32_t code = c.unicode();
        if (QChar::isLowSurrogate(code) && QChar::isHighSurrogate(last))
            code = QChar::surrogateToUcs4(last, char16_t(code));
        last = c.unicode();
        const char32_t folded = QChar::toCaseFolded(code);
        key.append(reinterpret_cast<const char *>(&folded), sizeof folded);
    }
    return key;
}

std::optional<SectionSpan> findSection(const QByteArray &bytes, const QList<Line> &lines,
                                       const QString &section)
{
    const QByteArray wanted = nameKey(section);
    std::optional<SectionSpan> span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = headerName(bytes, lines[i]);
        if (!name)
            continue;
        if (span) {
            span->endLine = i;
            return span;
        }
        if (nameKey(*name) == wanted)
            span = SectionSpan{i, lines.size()};
    }
    return span;
}

// Where the first section called \a section lies in a file, as bytes: from
// its header line to the next header line or the end of the file. The
// operations on whole files look at this part alone, so that they do not
// hold every line of a big file.
struct SectionBytes
{
    bool found = false;
    qsizetype from = 0;
    qsizetype to = 0;
    qsizetype lastLine = 0; ///< first byte of the file's last line (0 for none)
};

SectionBytes locateSection(const QByteArray &file, const QString &section)
{
    const QByteArray wanted = nameKey(section);
    SectionBytes where;
    where.to = file.size();
    forEachLine(file, true, [&](const Line &line) {
        where.lastLine = line.begin;
        const std::optional<QString> name = headerName(file, line);
        if (!name)
            return true;
        if (where.found) {
            where.to = line.begin;
            return false;
        }
        if (nameKey(*name) == wanted) {
            where.found = true;
            where.from = line.begin;
        }
        return true;
    });
    return where;
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

// The value of a key line, cut to IniMaxValueLength characters.
QString lineValue(const QByteArray &bytes, const Line &line, qsizetype eq)
{
    const QByteArrayView raw = QByteArrayView(bytes).sliced(eq + 1, line.end - eq - 1);
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
    if (!info.isFile()) {
        ReportSaveFailure(file, info.isDir() ? EISDIR : EINVAL);
        return std::nullopt;
    }
    int error = 0;
    QByteArray bytes = ReadFileBytes(file, &error);
    if (error != 0) {
        ReportSaveFailure(file, error);
        return std::nullopt;
    }
    return bytes;
}

// WithValue on \a file, which may also be a piece of a file that begins at a
// line start and runs to the end of the file or to a section header line.
QByteArray withValue(const QByteArray &file, bool atFileStart, const QString &section,
                     const QString &key, const QString &value)
{
    const QByteArray keyLine =
        EncodeText(IniFlattenLineBreaks(key)) + '=' + EncodeText(IniFlattenLineBreaks(value));
    const QList<Line> lines = splitLines(file, atFileStart);
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

} // namespace

std::optional<QString> IniSection::value(const QString &key) const
{
    const QByteArray wanted = nameKey(key);
    for (const IniEntry &entry : m_entries) {
        if (nameKey(entry.key) == wanted)
            return entry.value;
    }
    return std::nullopt;
}

QString IniSection::value(const QString &key, const QString &defaultValue) const
{
    return value(key).value_or(defaultValue);
}

std::optional<IniSection> IniGetSection(const QString &section, const QString &file,
                                        int *errorNumber)
{
    return inibytes::SectionIn(ReadFileBytes(useFile(file), errorNumber), section);
}

bool IniSameName(const QString &a, const QString &b)
{
    return nameKey(a) == nameKey(b);
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
    const std::optional<IniSection> found = SectionIn(file, section);
    return found ? found->value(key) : std::nullopt;
}

std::optional<IniSection> SectionIn(const QByteArray &file, const QString &section)
{
    const SectionBytes where = locateSection(file, section);
    if (!where.found)
        return std::nullopt;
    const QByteArray part = file.sliced(where.from, where.to - where.from);
    IniSection result;
    forEachLine(part, false, [&](const Line &line) {
        const qsizetype eq = equalsSign(part, line);
        // The first line is the header.
        if (eq >= 0 && line.begin > 0)
            result.m_entries.append({keyName(part, line, eq), lineValue(part, line, eq)});
        return true;
    });
    return result;
}

QByteArray WithValue(const QByteArray &file, const QString &section, const QString &key,
                     const QString &value)
{
    return withValue(file, true, section, key, value);
}

QByteArray WithValues(const QByteArray &file, const QString &section,
                      const QList<IniEntry> &entries)
{
    // A write changes only the lines from its section's header up to the next
    // header, or, for a new section, what follows the last line of the file;
    // so all entries go into that part alone, which the file is cut into once.
    const SectionBytes where = locateSection(file, section);
    const qsizetype from = where.found ? where.from : where.lastLine;
    const qsizetype to = where.found ? where.to : file.size();
    QByteArray part = file.sliced(from, to - from);
    for (const IniEntry &entry : entries)
        part = withValue(part, from == 0, section, entry.key, entry.value);
    return file.first(from) + part + file.sliced(to);
}

QByteArray WithoutSection(const QByteArray &file, const QString &section, bool *found)
{
    const SectionBytes where = locateSection(file, section);
    if (found)
        *found = where.found;
    if (!where.found)
        return file;
    return file.first(where.from) + file.sliced(where.to);
}

QStringList SectionsIn(const QByteArray &file)
{
    QStringList names;
    QSet<QByteArray> seen;
    forEachLine(file, true, [&](const Line &line) {
        std::optional<QString> name = headerName(file, line);
        if (!name)
            return true;
        QByteArray key = nameKey(*name);
        if (!seen.contains(key)) {
            seen.insert(std::move(key));
            names.append(std::move(*name));
        }
        return true;
    });
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
    return WriteFileBytes(path, inibytes::WithValues(*bytes, section, entries));
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
