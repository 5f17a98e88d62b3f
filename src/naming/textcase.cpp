#include "naming/textcase.h"

#include <QCoreApplication>
#include <QList>

namespace kesto {

namespace {

// Characters as code points: a surrogate pair becomes the one character it
// stands for, an unpaired surrogate stays a unit of its own, so case mapping
// never splits a pair and the text comes back unit for unit where nothing maps.
QList<char32_t> characters(QStringView text)
{
    QList<char32_t> result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result.append(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            result.append(c.unicode());
        }
    }
    return result;
}

QString fromCharacters(const QList<char32_t> &chars)
{
    QString result;
    result.reserve(chars.size());
    for (const char32_t c : chars)
        result.append(QStringView(QChar::fromUcs4(c)));
    return result;
}

// The simple (one-to-one) case mappings of QChar: "ß" has no capital there.
char32_t upper(char32_t c)
{
    return QChar::toUpper(c);
}

char32_t lower(char32_t c)
{
    return QChar::toLower(c);
}

QStringList entries(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

// The entries stay German where they are typed (the command line's --case and
// --lead); only the window shows them translated, through EntryCaption().
QStringList LetterCaseEntries()
{
    return entries({QT_TRANSLATE_NOOP("ChoiceLists", "beibehalten"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "alles groß"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "alles klein"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "anfangs groß"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "alternierend-1"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "alternierend-2")});
}

QStringList LeadCharEntries()
{
    return entries({QT_TRANSLATE_NOOP("ChoiceLists", "keine"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "Null"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "Leerzeichen"),
                    QT_TRANSLATE_NOOP("ChoiceLists", "Unterstrich")});
}

QString EntryCaption(const QString &entry)
{
    return QCoreApplication::translate("ChoiceLists", entry.toUtf8().constData());
}

QString LeadCharForPosition(int position, const QString &current)
{
    switch (position) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral(" ");
    case 3:
        return QStringLiteral("_");
    default:
        return current;
    }
}

QString ReplaceAll(const QString &text, const QString &search, const QString &replacement,
                   Qt::CaseSensitivity cs)
{
    if (search.isEmpty())
        return text;
    // Scanning the original text behind each occurrence is the same as going on
    // behind the inserted replacement, and keeps long texts linear.
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype found = text.indexOf(search, from, cs);
        if (found < 0)
            break;
        result += QStringView(text).sliced(from, found - from);
        result += replacement;
        from = found + search.size();
    }
    if (from == 0)
        return text;
    result += QStringView(text).sliced(from);
    return result;
}

QString ApplyLetterCase(const QString &text, int mode)
{
    switch (mode) {
    case CaseUpper:
    case CaseLower: {
        QString result;
        result.reserve(text.size());
        AppendInCase(result, text, mode);
        return result;
    }
    case CaseFirst:
        return CapitalizeWords(text, 0);
    case CaseAlternate1:
        return CapitalizeWords(text, 1);
    case CaseAlternate2:
        return CapitalizeWords(text, 2);
    default:
        return text;
    }
}

void AppendInCase(QString &out, QStringView text, int mode)
{
    if (mode != CaseUpper && mode != CaseLower) {
        out.append(text);
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        out.append(QChar::fromUcs4(mode == CaseUpper ? upper(c) : lower(c)));
    }
}

QString CapitalizeWords(const QString &text, int variant)
{
    QList<char32_t> chars = characters(text);
    if (chars.isEmpty())
        return text;
    chars[0] = upper(chars[0]);
    for (qsizetype i = 1; i < chars.size(); ++i)
        chars[i] = lower(chars[i]);
    if (variant == 1 || variant == 2) {
        for (qsizetype i = 1; i < chars.size(); ++i) {
            if (!QChar::isLetter(chars[i]))
                continue;
            const char32_t before = chars[i - 1];
            if ((variant == 1 && before == U' ') || (variant == 2 && !QChar::isLetter(before)))
                chars[i] = upper(chars[i]);
        }
    }
    return fromCharacters(chars);
}

bool IsLetter(const QString &text)
{
    const QList<char32_t> chars = characters(QStringView(text).first(qMin(text.size(), 2)));
    return !chars.isEmpty() && QChar::isLetter(chars.first());
}

QString FormatCounter(qint64 value, int digitCount, const QString &leadChar)
{
    const QString digits = QString::number(value);
    if (leadChar.isEmpty() || digitCount <= digits.size())
        return digits;
    return leadChar.repeated(digitCount - digits.size()) + digits;
}

} // namespace kesto
