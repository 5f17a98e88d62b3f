#pragma once

#include <QString>
#include <QStringList>

namespace kesto {

/// Positions of the letter-case list.
enum LetterCaseMode : int {
    CaseKeep = 0,       ///< "beibehalten"
    CaseUpper = 1,      ///< "alles groß"
    CaseLower = 2,      ///< "alles klein"
    CaseFirst = 3,      ///< "anfangs groß"
    CaseAlternate1 = 4, ///< "alternierend-1"
    CaseAlternate2 = 5, ///< "alternierend-2"
};

/// The entries of the letter-case list, in position order.
QStringList LetterCaseEntries();
/// The entries of the leading-character list, in position order.
QStringList LeadCharEntries();
/// An entry of those lists as the window shows it, in the language of the texts.
QString EntryCaption(const QString &entry);
/// The leading character for a position of that list; \a current for an
/// unknown position.
QString LeadCharForPosition(int position, const QString &current);

/// Replaces every occurrence of \a search (compared without regard to letter
/// case unless \a cs says otherwise) by \a replacement, left to right;
/// inserted text is never searched again. An empty \a search replaces nothing.
QString ReplaceAll(const QString &text, const QString &search, const QString &replacement,
                   Qt::CaseSensitivity cs = Qt::CaseInsensitive);

/// Applies a LetterCaseMode; case mapping is per character, so "ß" stays "ß".
QString ApplyLetterCase(const QString &text, int mode);

/// Appends \a text in capitals (CaseUpper) or small letters (CaseLower) as
/// ApplyLetterCase maps them; in any other mode as it is.
void AppendInCase(QString &out, QStringView text, int mode);

/// First character capital, the rest small; variant 1 also capitalises letters
/// after a blank, variant 2 letters after any non-letter.
QString CapitalizeWords(const QString &text, int variant);

/// Whether the first character of \a text is a letter.
bool IsLetter(const QString &text);

/// The counter text: the digits of \a value, padded on the left with
/// \a leadChar up to \a digitCount characters; never cut, no padding when
/// \a leadChar is empty.
QString FormatCounter(qint64 value, int digitCount, const QString &leadChar);

} // namespace kesto
