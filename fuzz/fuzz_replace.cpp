// libFuzzer target for the regular-expression sets: an expression, a
// replacement (groups, ${name}, $$, \U \L \E) and a name from the input. The
// replacement reader must end with a template or a clear error, and a set
// that runs must agree with Qt's own replacing where both read the
// replacement alike: a replacement without "$" and "\" is text, "$0" gives
// every match back, "\U" before text gives it in capitals.

#include "naming/replacesets.h"
#include "naming/textcase.h"

#include <QRegularExpression>
#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace kesto;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QString text(FuzzedDataProvider &data, size_t maxLength)
{
    return QString::fromStdString(data.ConsumeRandomLengthString(maxLength));
}

// What a set of \a search and \a replacement makes of \a name, or a null
// text when PCRE2 broke a match off.
QString replaced(const QString &search, const QString &replacement, bool matchCase,
                 const QString &name)
{
    const ReplaceSets sets({SearchReplaceSet{Checked, search, replacement, Unchecked, Checked,
                                             matchCase ? Checked : Unchecked},
                            SearchReplaceSet{}, SearchReplaceSet{}});
    require(sets.searchIn(false) == sets.error().isEmpty());
    QString result = name;
    if (sets.error().isEmpty() && sets.apply(result, false) >= 0)
        return QString();
    return result;
}

// The replacement in the syntax of QString::replace ("\1" for group 1) when
// it says the same there: no backslash, each "$" a "$$" or one digit of an
// existing group before something else than a digit.
std::optional<QString> inQtSyntax(const QString &replacement, int groups)
{
    QString qt;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        const QChar next = i + 1 < replacement.size() ? replacement.at(i + 1) : QChar();
        const QChar after = i + 2 < replacement.size() ? replacement.at(i + 2) : QChar();
        if (c == u'\\')
            return std::nullopt;
        if (c != u'$') {
            qt += c;
        } else if (next == u'$') {
            qt += c;
            ++i;
        } else if (next >= u'1' && next <= u'9' && next.digitValue() <= groups &&
                   !(after >= u'0' && after <= u'9')) {
            qt += u'\\';
            qt += next;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return qt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const bool matchCase = data.ConsumeBool();
    const QString search = text(data, 64);
    const QString replacement = text(data, 64);
    // A name is at most 255 characters.
    const QString name = QString::fromStdString(data.ConsumeRemainingBytesAsString()).left(255);
    if (search.isEmpty())
        return 0;

    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    const QRegularExpression expression(search, options);
    const ReplaceSets sets({SearchReplaceSet{Checked, search, replacement, Unchecked, Checked,
                                             matchCase ? Checked : Unchecked},
                            SearchReplaceSet{}, SearchReplaceSet{}});
    if (!expression.isValid()) {
        require(sets.error().startsWith(
            QStringLiteral("Fehler: Satz 1: Der reguläre Ausdruck ist an Stelle ")));
        return 0;
    }
    const ReplacementTemplate reader(replacement, expression);
    require(reader.error().isEmpty() == sets.error().isEmpty());
    require(reader.error().isEmpty() || reader.error().startsWith(QStringLiteral("Die Gruppe ")) ||
            reader.error() == QStringLiteral("Im Ersatz fehlt die schließende Klammer nach ${"));

    // The replacing takes the text between matches: each match starts behind
    // the one before.
    qsizetype end = 0;
    for (QRegularExpressionMatchIterator i = expression.globalMatch(name); i.hasNext();) {
        const QRegularExpressionMatch match = i.next();
        require(match.capturedStart() >= end && match.capturedEnd() >= match.capturedStart());
        end = match.capturedEnd();
    }

    QString result = name;
    const int failed = sets.apply(result, false);
    require(failed == -1 || failed == 0);
    if (failed == 0)
        return 0;
    const QString same = replaced(search, QStringLiteral("$0"), matchCase, name);
    require(same.isNull() || same == name);
    if (const std::optional<QString> qt = inQtSyntax(replacement, expression.captureCount())) {
        require(result == QString(name).replace(expression, *qt));
        // "\U" makes capitals of the text that follows, up to "\E".
        if (!replacement.contains(u'$')) {
            const QString upper =
                replaced(search, QStringLiteral("\\U%1\\E").arg(replacement), matchCase, name);
            require(upper.isNull() ||
                    upper ==
                        QString(name).replace(expression, ApplyLetterCase(replacement, CaseUpper)));
        }
    }
    return 0;
}
