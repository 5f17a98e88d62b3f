#include "naming/replacesets.h"

#include "naming/messages.h"
#include "naming/textcase.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <cstdint>
#include <type_traits>
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

// A thread's match context and match data, which serve all its matches. The
// JIT stack grows from 32 KiB to 512 KiB as QRegularExpression's does, so
// that the same deep matches succeed and the same runaway ones break off.
class MatchState
{
public:
    MatchState()
        : m_context(pcre2_match_context_create(nullptr))
        , m_stack(pcre2_jit_stack_create(32 * 1024, 512 * 1024, nullptr))
    {
        pcre2_jit_stack_assign(m_context, nullptr, m_stack);
    }
    ~MatchState()
    {
        pcre2_match_data_free(m_data);
        pcre2_jit_stack_free(m_stack);
        pcre2_match_context_free(m_context);
    }
    MatchState(const MatchState &) = delete;
    MatchState &operator=(const MatchState &) = delete;

    pcre2_match_context *context() const { return m_context; }
    /// Match data with room for at least \a groups groups.
    pcre2_match_data *dataFor(uint32_t groups)
    {
        if (groups > m_groups) {
            pcre2_match_data_free(m_data);
            m_data = pcre2_match_data_create(groups, nullptr);
            m_groups = groups;
        }
        return m_data;
    }

private:
    pcre2_match_context *m_context = nullptr;
    pcre2_jit_stack *m_stack = nullptr;
    pcre2_match_data *m_data = nullptr;
    uint32_t m_groups = 0;
};

} // namespace

// A set's expression in PCRE2's own form. QRegularExpression compiles it too,
// to check it and to name its groups, but would wrap every match in a match
// context, match data and a result of its own, which cost more than the
// search through a short name; the options are those it compiles with.
class CompiledExpression
{
public:
    CompiledExpression(const QString &pattern, bool caseInsensitive)
    {
        int error = 0;
        PCRE2_SIZE errorOffset = 0;
        m_code =
            pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.utf16()), PCRE2_SIZE(pattern.size()),
                          PCRE2_UTF | PCRE2_UCP | (caseInsensitive ? PCRE2_CASELESS : 0), &error,
                          &errorOffset, nullptr);
        if (!m_code)
            return;
        pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
        uint32_t captures = 0;
        pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &captures);
        m_groups = captures + 1;
        uint32_t newline = 0;
        pcre2_pattern_info(m_code, PCRE2_INFO_NEWLINE, &newline);
        m_crlf = newline == PCRE2_NEWLINE_CRLF || newline == PCRE2_NEWLINE_ANY ||
                 newline == PCRE2_NEWLINE_ANYCRLF;
    }
    ~CompiledExpression() { pcre2_code_free(m_code); }
    CompiledExpression(const CompiledExpression &) = delete;
    CompiledExpression &operator=(const CompiledExpression &) = delete;

    /// Replaces every match in \a text, found as QRegularExpression's
    /// global match finds them. False when PCRE2 broke a match off, leaving
    /// \a text as it was.
    bool replaceAll(QString &text, const ReplacementTemplate &replacement) const;

private:
    pcre2_code *m_code = nullptr;
    uint32_t m_groups = 1;
    bool m_crlf = false; ///< whether "\r\n" counts as one character between matches
};

bool CompiledExpression::replaceAll(QString &text, const ReplacementTemplate &replacement) const
{
    if (!m_code)
        return false;
    thread_local MatchState state;
    pcre2_match_data *data = state.dataFor(m_groups);
    const QStringView subject(text);
    // PCRE2 takes no null pointer, not even for an empty text.
    const char16_t none = 0;
    const auto chars = reinterpret_cast<PCRE2_SPTR>(subject.isEmpty() ? &none : subject.utf16());
    // The first search checks that the text is valid UTF-16; the ones behind
    // it search the same text.
    uint32_t check = 0;
    const auto search = [&](qsizetype from, uint32_t options) {
        const int found = pcre2_match(m_code, chars, PCRE2_SIZE(subject.size()), PCRE2_SIZE(from),
                                      options | check, data, state.context());
        check = PCRE2_NO_UTF_CHECK;
        return found;
    };
    const PCRE2_SIZE *offsets = pcre2_get_ovector_pointer(data);
    QString result;
    qsizetype copied = 0;
    int found = search(0, 0);
    while (found > 0) {
        if (result.isNull())
            result.reserve(subject.size() + 32);
        const auto start = qsizetype(offsets[0]);
        const auto end = qsizetype(offsets[1]);
        result.append(subject.sliced(copied, start - copied));
        replacement.appendTo(result, subject, offsets, found);
        copied = end;
        if (start < end) {
            found = search(end, 0);
            continue;
        }
        // Behind an empty match the next one must take text where it
        // starts, or else start one character on, a line break "\r\n" or a
        // surrogate pair being one.
        if (end == subject.size())
            break;
        found = search(end, PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED);
        if (found != PCRE2_ERROR_NOMATCH)
            continue;
        qsizetype next = end + 1;
        if (next < subject.size() &&
            ((m_crlf && subject[next - 1] == u'\r' && subject[next] == u'\n') ||
             subject[next].isLowSurrogate()))
            ++next;
        found = search(next, 0);
    }
    if (found < 0 && found != PCRE2_ERROR_NOMATCH)
        return false;
    if (result.isNull())
        return true;
    result.append(subject.sliced(copied));
    text = std::move(result);
    return true;
}

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

void ReplacementTemplate::appendTo(QString &out, QStringView subject, const std::size_t *offsets,
                                   int groups) const
{
    static_assert(std::is_same_v<PCRE2_SIZE, std::size_t> && PCRE2_UNSET == SIZE_MAX);
    const auto group = [&](int n) {
        return n < groups && offsets[2 * n] != PCRE2_UNSET
                   ? subject.sliced(qsizetype(offsets[2 * n]),
                                    qsizetype(offsets[2 * n + 1] - offsets[2 * n]))
                   : QStringView();
    };
    int mode = CaseKeep;
    for (const Piece &piece : m_pieces) {
        if (piece.kind == Kind::CaseChange) {
            mode = piece.value;
            continue;
        }
        AppendInCase(out, piece.kind == Kind::Text ? QStringView(piece.text) : group(piece.value),
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
            const QRegularExpression expression(ready.search, options);
            if (!expression.isValid()) {
                m_error = namingmessages::setError(
                    k, namingmessages::badExpression(expression.patternErrorOffset() + 1,
                                                     expression.errorString()));
                continue;
            }
            ready.expression =
                std::make_shared<const CompiledExpression>(ready.search, !isOn(s.matchCase));
            ready.replacement = ReplacementTemplate(s.replace, expression);
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
        else if (!r.expression->replaceAll(text, r.replacement))
            return r.set;
    }
    return -1;
}

} // namespace kesto
