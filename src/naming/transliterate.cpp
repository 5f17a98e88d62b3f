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

// Words repeat across the names of a list ("Grüße aus Köln 001", "… 002"):
// ICU takes microseconds per word, the cache a lookup. It is emptied once
// it holds this many, so distinct words cannot make it grow without bound.
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

    QString word(QStringView word)
    {
        const QString key = word.toString();
        const auto found = m_cache.constFind(key);
        if (found != m_cache.cend())
            return *found;
        if (m_cache.size() >= CacheLimit)
            m_cache.clear();
        return *m_cache.insert(key, toAscii(word));
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
    QString toAscii(QStringView word) const
    {
        QString whole = icuForm(word);
        if (!whole.contains(u'/'))
            return whole;
        QString out;
        qsizetype start = 0;
        for (qsizetype i = 0; i < word.size();) {
            const bool pair =
                word[i].isHighSurrogate() && i + 1 < word.size() && word[i + 1].isLowSurrogate();
            const QStringView character = word.sliced(i, pair ? 2 : 1);
            if (icuForm(character).contains(u'/')) {
                out += icuForm(word.sliced(start, i - start));
                out += character;
                start = i + character.size();
            }
            i += character.size();
        }
        out += icuForm(word.sliced(start));
        return out;
    }

    std::unique_ptr<icu::Transliterator> m_icu;
    QHash<QString, QString> m_cache;
};

bool isAscii(QChar c)
{
    return c.unicode() < 0x80;
}

// The rules look at neighbouring letters only, so a name splits into words
// at every ASCII character that is no letter, and each word is spelt alone.
bool separatesWords(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 && !((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'));
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
    QString out;
    out.reserve(name.size() + 8);
    for (qsizetype i = 0; i < name.size();) {
        if (separatesWords(name[i])) {
            out += name[i++];
            continue;
        }
        qsizetype end = i;
        bool ascii = true;
        for (; end < name.size() && !separatesWords(name[end]); ++end)
            ascii = ascii && isAscii(name[end]);
        const QStringView word = QStringView(name).sliced(i, end - i);
        if (ascii)
            out += word;
        else
            out += transliteration.word(word);
        i = end;
    }
    // Some marks have no form at all (a Devanagari virama): a name of them
    // alone would be left blank.
    return hasText(out) || !hasText(name) ? out : name;
}

} // namespace kesto
