#include "naming/builder.h"

#include "metadata/imagefacts.h"
#include "naming/textcase.h"

#include <algorithm>

namespace kesto {

namespace {

// A piece of at most c characters of s from position a (counted from 1); empty
// when a lies beyond the end.
QString Sub(const QString &s, qsizetype a, qsizetype c)
{
    if (a < 1 || a > s.size() || c <= 0)
        return {};
    return s.mid(a - 1, c);
}

QString dateOf(const QString &t)
{
    return Sub(t, 1, 4) + QLatin1Char('-') + Sub(t, 6, 2) + QLatin1Char('-') + Sub(t, 9, 2);
}

QString reversedDateOf(const QString &t)
{
    return Sub(t, 9, 2) + QLatin1Char('-') + Sub(t, 6, 2) + QLatin1Char('-') + Sub(t, 1, 4);
}

QString timeOf(const QString &t)
{
    return Sub(t, 12, 2) + QLatin1Char('-') + Sub(t, 15, 2) + QLatin1Char('-') + Sub(t, 18, 2);
}

// The time-stamp placeholders of one family (modification, creation or
// capture), by the kind code of the modification twin.
QString timePart(int baseKind, const QString &t)
{
    switch (baseKind) {
    case KindDatum:
        return dateOf(t);
    case KindRDatum:
        return reversedDateOf(t);
    case KindTag:
        return Sub(t, 9, 2);
    case KindMonat:
        return Sub(t, 6, 2);
    case KindJahr:
        return Sub(t, 1, 4);
    case KindZeit:
        return timeOf(t);
    case KindStunde:
        return Sub(t, 12, 2);
    case KindMinute:
        return Sub(t, 15, 2);
    case KindSekunde:
        return Sub(t, 18, 2);
    default:
        return {};
    }
}

bool isTimeKind(int kind)
{
    return (kind >= KindDatum && kind <= KindJahr) || (kind >= KindZeit && kind <= KindSekunde);
}

} // namespace

QString ExpandToken(const MaskToken &token, const FileEntry &row, int p, const QString &name,
                    const NamingContext &context)
{
    const qsizetype L = name.size();
    switch (token.Kind) {
    case KindLiteral:
        return token.Text;
    case KindName:
        return name;
    case KindTyp:
        return row.Type;
    case KindDir:
        return LastPathPart(row.Folder);
    case KindZahl:
        return FormatCounter(CounterValue(context.CounterStart, context.CounterStep, p),
                             context.DigitCount, context.LeadChar);
    case KindRandom:
        return RandomString(token.First, context.alphabet);
    case KindBreite:
        return row.ImageSize.isValid() ? QString::number(row.ImageSize.width()) : QString();
    case KindHoehe:
        return row.ImageSize.isValid() ? QString::number(row.ImageSize.height()) : QString();
    case KindRange:
        return Sub(name, token.First, qsizetype(token.Second) - token.First + 1);
    case KindRangeRight: {
        if (token.First > L)
            return {};
        const qsizetype e = std::min<qsizetype>(token.Second, L);
        return Sub(name, L - e + 1, e - token.First + 1);
    }
    case KindChars:
        return Sub(name, token.First, token.Second);
    case KindCharsRight: {
        if (token.First > L)
            return {};
        const qsizetype m = std::min<qsizetype>(token.Second, L - token.First + 1);
        return Sub(name, L - token.First - m + 2, m);
    }
    default:
        break;
    }

    if (isTimeKind(token.Kind))
        return timePart(token.Kind, row.Modified);
    if (isTimeKind(token.Kind - KindErstellOffset))
        return timePart(token.Kind - KindErstellOffset, row.Created);
    if (isTimeKind(token.Kind - KindAufnahmeOffset)) {
        // Only the capture date may be missing as a whole; an empty text then
        // gives nothing rather than the bare separators.
        if (row.Captured.isEmpty())
            return {};
        return timePart(token.Kind - KindAufnahmeOffset, row.Captured);
    }
    return {};
}

QString BuildNewName(const FileEntry &row, int p, const NamingContext &context)
{
    QString name = row.BaseName;
    for (const SearchReplaceSet &set : context.sets) {
        if (isOn(set.Active) && !isOn(set.InNewName) && !set.Search.isEmpty())
            name = ReplaceAll(name, set.Search, set.Replace);
    }

    QString result;
    for (const MaskToken &token : context.tokens)
        result += ExpandToken(token, row, p, name, context);

    result = ApplyLetterCase(result, context.LetterCaseMode);

    for (const SearchReplaceSet &set : context.sets) {
        if (isOn(set.Active) && isOn(set.InNewName) && !set.Search.isEmpty())
            result = ReplaceAll(result, set.Search, set.Replace);
    }
    return result;
}

bool NeedsImageSize(const QList<MaskToken> &tokens)
{
    return std::any_of(tokens.begin(), tokens.end(), [](const MaskToken &t) {
        return t.Kind == KindBreite || t.Kind == KindHoehe;
    });
}

bool UsesCounter(const QList<MaskToken> &tokens)
{
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const MaskToken &t) { return t.Kind == KindZahl; });
}

} // namespace kesto
