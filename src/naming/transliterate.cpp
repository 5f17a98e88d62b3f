#include "naming/transliterate.h"

#include <QHash>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace kesto {

namespace {

// Other scripts come to Latin first, so that every letter passes ICU's
// German step de-ASCII, which spells ä as "ae" where the generic Latin-ASCII
// (its last part) would only drop the dots, and a capital umlaut as "AE"
// unless a small letter follows it. A capital ß is no letter of a name in
// capitals, so ß after a capital becomes "SS" before that.
constexpr char16_t Rules[] = u"[:Uppercase:] { ß → SS ; :: Any-Latin ; :: de-ASCII ;";

// ICU takes microseconds for a word; a run of non-ASCII characters with its
// neighbours ("rüß" of "Grüße") recurs across the names of a list, and the
// cache finds it in a lookup. It is emptied once it holds this many, so
// distinct runs cannot make it grow without bound.
constexpr qsizetype CacheLimit = 4096;

// Made once per thread with its cache, so that neither needs a lock.
class Transliteration
{
public:
    Transliteration()
    {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError;
        m_icu.reset(icu::Transliterator::createFromRules(u"Kesto-ASCII", icu::UnicodeString(Rules),
                                                         UTRANS_FORWARD, parseError, status));
        if (U_FAILURE(status))
            m_icu.reset();
    }

    bool ready() const { return m_icu != nullptr; }

    /// The ASCII form of \a run, a run of non-ASCII characters, between the
    /// ASCII characters \a before and \a after (each empty at an end).
    QString run(QStringView before, QStringView run, QStringView after)
    {
        // The rules look at one neighbour on either side (a small letter
        // after "Ä", a capital before "ß"). One key text for every lookup
        // spares each its allocation.
        m_key.resize(0);
        m_key.append(before).append(run).append(after);
        const auto found = m_cache.constFind(m_key);
        if (found != m_cache.cend())
            return *found;
        // ICU leaves ASCII as it is; were a neighbour changed after all, the
        // run would be spelt alone.
        const QString form = toAscii(m_key);
        const qsizetype ends = before.size() + after.size();
        const QString ofRun = form.size() >= ends && form.startsWith(before) && form.endsWith(after)
                                  ? form.sliced(before.size(), form.size() - ends)
                                  : toAscii(run);
        if (m_cache.size() >= CacheLimit)
            m_cache.clear();
        return *m_cache.insert(m_key, ofRun);
    }

private:
    QString icuForm(QStringView text) const
    {
        icu::UnicodeString s(text.utf16(), int32_t(text.size()));
        m_icu->transliterate(s);
        return QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
    }

    // "½" is " 1/2" in ASCII, which no name can hold: such a character keeps
    // its own form, and the text on either side of it is spelt on its own.
    QString toAscii(QStringView text) const
    {
        QString whole = icuForm(text);
        if (!whole.contains(u'/'))
            return whole;
        QString out;
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size();) {
            const bool pair =
                text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            const QStringView character = text.sliced(i, pair ? 2 : 1);
            if (icuForm(character).contains(u'/')) {
                out += icuForm(text.sliced(start, i - start));
                out += character;
                start = i + character.size();
            }
            i += character.size();
        }
        out += icuForm(text.sliced(start));
        return out;
    }

    std::unique_ptr<icu::Transliterator> m_icu;
    QHash<QString, QString> m_cache;
    QString m_key;
};

bool isAscii(QChar c)
{
    return c.unicode() < 0x80;
}

// Whether anything but blanks stands before the extension.
bool hasText(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QStringView head = dot >= 0 ? name.first(dot) : name;
    return std::any_of(head.begin(), head.end(), [](QChar c) { return c != u' '; });
}

} // namespace

QString TransliterateToAscii(const QString &name)
{
    if (std::all_of(name.begin(), name.end(), isAscii))
        return name;
    thread_local Transliteration transliteration;
    if (!transliteration.ready())
        return name;
    const QStringView text(name);
    QString out;
    out.reserve(name.size() + 8);
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && isAscii(text[end]))
            ++end;
        out += text.sliced(i, end - i);
        if (end == text.size())
            break;
        i = end;
        while (end < text.size() && !isAscii(text[end]))
            ++end;
        const QStringView before = i > 0 ? text.sliced(i - 1, 1) : QStringView();
        const QStringView after = end < text.size() ? text.sliced(end, 1) : QStringView();
        out += transliteration.run(before, text.sliced(i, end - i), after);
        i = end;
    }
    // Some marks have no form at all (a Devanagari virama): a name of them
    // alone would be left blank.
    return hasText(out) || !hasText(name) ? out : name;
}

} // namespace kesto
