#include "naming/transliterate.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

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

    /// The ASCII form of a run of non-ASCII characters in \a window, which
    /// holds the run with its ASCII neighbours: \a before of them in front
    /// of it (0 or 1), \a after behind it (0 or 1).
    const QString &run(QStringView window, qsizetype before, qsizetype after)
    {
        // The rules look at one neighbour on either side (a small letter
        // after "Ä", a capital before "ß"), so the window is the key.
        const std::u16string_view key(window.utf16(), size_t(window.size()));
        if (const auto found = m_cache.find(key); found != m_cache.end())
            return found->second;
        // ICU leaves ASCII as it is; were a neighbour changed after all, the
        // run would be spelt alone.
        const QString form = toAscii(window);
        const QStringView front = window.first(before);
        const QStringView back = window.last(after);
        const QStringView run = window.sliced(before, window.size() - before - after);
        const QString ofRun =
            form.size() >= before + after && form.startsWith(front) && form.endsWith(back)
                ? form.sliced(before, form.size() - before - after)
                : toAscii(run);
        if (m_cache.size() >= CacheLimit)
            m_cache.clear();
        return m_cache.emplace(key, ofRun).first->second;
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

    // Found by a view of the name, so that a lookup makes no key of its own,
    // and hashed by the standard library, which is quicker for such short
    // keys than QHash.
    struct ViewHash
    {
        using is_transparent = void;
        size_t operator()(std::u16string_view text) const
        {
            return std::hash<std::u16string_view>{}(text);
        }
    };
    std::unique_ptr<icu::Transliterator> m_icu;
    std::unordered_map<std::u16string, QString, ViewHash, std::equal_to<>> m_cache;
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
        const qsizetype before = i > 0 ? 1 : 0;
        const qsizetype after = end < text.size() ? 1 : 0;
        out +=
            transliteration.run(text.sliced(i - before, end - i + before + after), before, after);
        i = end;
    }
    // Some marks have no form at all (a Devanagari virama): a name of them
    // alone would be left blank.
    return hasText(out) || !hasText(name) ? out : name;
}

} // namespace kesto
