#pragma once

#include "storage/renameoptions.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <array>
#include <cstddef>
#include <memory>

namespace kesto {

/// The replacement of a regular-expression set, read once: text, groups ($0
/// to $99, ${number}, ${name}), "$$" for a dollar, and case changes of what
/// follows ("\U" capitals, "\L" small letters, "\E" as it is). "\\" is one
/// backslash; a "$" or "\" before anything else stays as it is.
class ReplacementTemplate
{
public:
    ReplacementTemplate() = default;
    /// Reads \a text for the groups of \a expression, which must be valid.
    ReplacementTemplate(const QString &text, const QRegularExpression &expression);

    /// Why the text cannot be used (a group the expression lacks, "${"
    /// without "}"); empty when it can.
    const QString &error() const { return m_error; }
    /// Appends the replacement of a match in \a subject to \a out: \a offsets
    /// holds the start and end of the first \a groups groups, the whole
    /// match first, with SIZE_MAX for a group that took no part.
    void appendTo(QString &out, QStringView subject, const std::size_t *offsets, int groups) const;

private:
    enum class Kind { Text, Group, CaseChange };
    struct Piece
    {
        Kind kind = Kind::Text;
        QString text;
        int value = 0; ///< the group, or the LetterCaseMode from here on
    };
    QList<Piece> m_pieces;
    QString m_error;
};

/// The three search-and-replace sets ready to run: each regular expression
/// compiled and its replacement read once, when the options change, not for
/// every name. Plain sets replace their text as it is; both kinds ignore
/// letter case unless told to match it.
class CompiledExpression;

class ReplaceSets
{
public:
    ReplaceSets() = default;
    explicit ReplaceSets(const std::array<SearchReplaceSet, 3> &sets);

    /// The options these were made from.
    const std::array<SearchReplaceSet, 3> &options() const { return m_options; }
    /// The status text of the first active set that cannot run ("Fehler:
    /// Satz n: ….", see namingmessages); empty when all can.
    const QString &error() const { return m_error; }
    /// Whether an active set searches the new name (\a inNewName) or the old.
    bool searchIn(bool inNewName) const;
    /// Runs the active sets that search the new name (\a inNewName) or the
    /// old over \a text, in their order. Gives the set (from 0) whose match
    /// PCRE2 broke off at its limits, leaving \a text unfinished; else -1.
    int apply(QString &text, bool inNewName) const;

private:
    struct Ready
    {
        int set = 0;
        bool inNewName = false;
        bool regex = false;
        QString search, replace;
        Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
        std::shared_ptr<const CompiledExpression> expression; ///< a regular-expression set's
        ReplacementTemplate replacement;
    };

    std::array<SearchReplaceSet, 3> m_options;
    QList<Ready> m_ready; ///< the active sets with a search text, in order
    QString m_error;
};

} // namespace kesto
