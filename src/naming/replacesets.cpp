#include "naming/replacesets.h"

#include "naming/messages.h"
#include "naming/textcase.h"

#include <algorithm>
#include <utility>

namespace kesto {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The LetterCaseMode a "\U", "\L" or "\E" switches to; -1 for another letter.
int caseChange(QChar letter)
{
    switch (letter.unicode()) {
    case u'U':
        return CaseUpper;
    case u'L':
        return CaseLower;
    case u'E':
        return CaseKeep;
    default:
        return -1;
    }
}

// The group "${…}" names: a number up to the expression's count, or the name
// of a named group; -1 when it has no such group.
int groupNamed(const QString &name, const QRegularExpression &expression)
{
    if (!name.isEmpty() && std::all_of(name.begin(), name.end(), isAsciiDigit)) {
        bool ok = false;
        const int n = name.toInt(&ok);
        return ok && n <= expression.captureCount() ? n : -1;
    }
    // The unnamed groups have an empty name in the list, so an empty name is none.
    return name.isEmpty() ? -1 : int(expression.namedCaptureGroups().indexOf(name));
}

// Replaces every match of \a expression in \a text. False when PCRE2 broke a
// match off: the match then ends the iteration as an invalid one.
bool replaceEveryMatch(QString &text, const QRegularExpression &expression,
                       const ReplacementTemplate &replacement)
{
    QRegularExpressionMatchIterator matches = expression.globalMatch(text);
    QString result;
    qsizetype from = 0;
    bool emptyAtEnd = false;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result.append(QStringView(text).sliced(from, match.capturedStart() - from));
        replacement.appendTo(result, match);
        from = match.capturedEnd();
        emptyAtEnd = match.capturedLength() == 0 && from == text.size();
    }
    // After an empty match at the end Qt searches on past the end, which PCRE2
    // refuses as it refuses a match it gives up on.
    if (!matches.isValid() && !emptyAtEnd)
        return false;
    result.append(QStringView(text).sliced(from));
    text = std::move(result);
    return true;
}

// The same, faster for matches that take text: behind such a match Qt's
// iterator only searches on from its end, which one match() does without the
// iterator's upkeep. Behind an empty match only the iterator knows how to go
// on, so then it starts over.
bool replaceMatches(QString &text, const QRegularExpression &expression,
                    const ReplacementTemplate &replacement)
{
    QRegularExpressionMatch match = expression.match(text);
    if (!match.hasMatch())
        return match.isValid();
    QString result;
    result.reserve(text.size() + 32);
    qsizetype from = 0;
    for (; match.hasMatch() && match.capturedLength() > 0; match = expression.match(text, from)) {
        result.append(QStringView(text).sliced(from, match.capturedStart() - from));
        replacement.appendTo(result, match);
        from = match.capturedEnd();
    }
    if (match.hasMatch())
        return replaceEveryMatch(text, expression, replacement);
    if (!match.isValid())
        return false;
    result.append(QStringView(text).sliced(from));
    text = std::move(result);
    return true;
}

} // namespace

ReplacementTemplate::ReplacementTemplate(const QString &text, const QRegularExpression &expression)
{
    const int groups = expression.captureCount();
    QString literal;
    const auto add = [&](Kind kind, int value) {
        if (!literal.isEmpty())
            m_pieces.append({Kind::Text, std::exchange(literal, QString()), 0});
        m_pieces.append({kind, QString(), value});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (c == u'\\' && caseChange(next) >= 0) {
            add(Kind::CaseChange, caseChange(next));
            ++i;
        } else if ((c == u'\\' || c == u'$') && next == c) {
            literal += c;
            ++i;
        } else if (c == u'$' && isAsciiDigit(next)) {
            // Two digits when the expression has that many groups, as "$10"
            // with fewer is group 1 and a "0".
            int group = next.digitValue();
            qsizetype end = i + 2;
            if (end < text.size() && isAsciiDigit(text.at(end)) &&
                group * 10 + text.at(end).digitValue() <= groups)
                group = group * 10 + text.at(end++).digitValue();
            if (group > groups) {
                m_error = namingmessages::unknownGroup(text.mid(i, end - i));
                break;
            }
            add(Kind::Group, group);
            i = end - 1;
        } else if (c == u'$' && next == u'{') {
            const qsizetype close = text.indexOf(u'}', i + 2);
            const int group =
                close < 0 ? -1 : groupNamed(text.mid(i + 2, close - i - 2), expression);
            if (group < 0) {
                m_error = close < 0 ? namingmessages::unclosedGroup()
                                    : namingmessages::unknownGroup(text.mid(i, close - i + 1));
                break;
            }
            add(Kind::Group, group);
            i = close;
        } else {
            literal += c;
        }
    }
    if (!literal.isEmpty())
        m_pieces.append({Kind::Text, literal, 0});
}

void ReplacementTemplate::appendTo(QString &out, const QRegularExpressionMatch &match) const
{
    int mode = CaseKeep;
    for (const Piece &piece : m_pieces) {
        if (piece.kind == Kind::CaseChange) {
            mode = piece.value;
            continue;
        }
        AppendInCase(out,
                     piece.kind == Kind::Text ? QStringView(piece.text)
                                              : match.capturedView(piece.value),
                     mode);
    }
}

ReplaceSets::ReplaceSets(const std::array<SearchReplaceSet, 3> &sets)
    : m_options(sets)
{
    for (int k = 0; k < int(sets.size()) && m_error.isEmpty(); ++k) {
        const SearchReplaceSet &s = sets[k];
        if (!isOn(s.active) || s.search.isEmpty())
            continue;
        // Names are searched in their composed form, so a search typed
        // decomposed must be composed to meet them.
        Ready ready{k,
                    isOn(s.inNewName),
                    isOn(s.regex),
                    s.search.normalized(QString::NormalizationForm_C),
                    s.replace,
                    isOn(s.matchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive,
                    {},
                    {}};
        if (ready.regex) {
            // Unicode properties let \w and \d take the letters and digits of
            // every script, as names hold them.
            QRegularExpression::PatternOptions options =
                QRegularExpression::UseUnicodePropertiesOption;
            if (!isOn(s.matchCase))
                options |= QRegularExpression::CaseInsensitiveOption;
            ready.expression = QRegularExpression(ready.search, options);
            if (!ready.expression.isValid()) {
                m_error = namingmessages::setError(
                    k, namingmessages::badExpression(ready.expression.patternErrorOffset() + 1,
                                                     ready.expression.errorString()));
                continue;
            }
            ready.replacement = ReplacementTemplate(s.replace, ready.expression);
            if (!ready.replacement.error().isEmpty())
                m_error = namingmessages::setError(k, ready.replacement.error());
        }
        m_ready.append(ready);
    }
    if (!m_error.isEmpty())
        m_ready.clear();
}

bool ReplaceSets::searchIn(bool inNewName) const
{
    return std::any_of(m_ready.begin(), m_ready.end(),
                       [&](const Ready &r) { return r.inNewName == inNewName; });
}

int ReplaceSets::apply(QString &text, bool inNewName) const
{
    for (const Ready &r : m_ready) {
        if (r.inNewName != inNewName)
            continue;
        if (!r.regex)
            text = ReplaceAll(text, r.search, r.replace, r.caseSensitivity);
        else if (!replaceMatches(text, r.expression, r.replacement))
            return r.set;
    }
    return -1;
}

} // namespace kesto
