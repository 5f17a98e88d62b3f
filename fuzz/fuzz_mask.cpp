// Any bytes a user could paste into the mask field: the check must end with a
// clear status text, and a name built from whatever it leaves must come out of
// the date formats, the letter-case, replace and transliteration steps without
// a fault.

#include "mask/dateformat.h"
#include "mask/mask.h"
#include "naming/randomstring.h"
#include "naming/textcase.h"
#include "naming/transliterate.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace kesto;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkOutcome(const MaskCheck &check)
{
    if (check.errorCode == -1) {
        require(check.statusText == QStringLiteral("Maske ist OK"));
        require(check.ok == !check.tokens.isEmpty());
        return;
    }
    require(!check.ok);
    require(check.errorCode >= 0 && check.errorCode <= 7);
    require(check.statusText ==
            QStringLiteral("Fehler: ") + MaskErrorMessage(check.errorCode) + QLatin1Char('.'));
}

// Characters \a first to \a first + \a count - 1 (from 1), as far as they exist.
QString sub(const QString &text, int first, int count)
{
    if (first < 1 || count <= 0 || first > text.size())
        return QString();
    return text.mid(first - 1, count);
}

// A stand-in for the name builder: enough to give every token some text, so
// that the transforms below see names shaped by the mask.
QString buildName(const MaskCheck &check, const QString &source, const RandomAlphabet &alphabet)
{
    QString name;
    for (const MaskToken &token : check.tokens) {
        switch (token.kind) {
        case KindLiteral:
            name += token.text;
            break;
        case KindName:
            name += source;
            break;
        case KindExtension:
            name += QStringLiteral("JPG");
            break;
        case KindCounter:
            name += FormatCounter(token.first - 7, 4, QStringLiteral("0"));
            break;
        case KindRandom:
            require(token.first >= 0 && token.first <= MaxMaskNumber);
            name += RandomString(token.first, alphabet);
            break;
        case KindRange:
        case KindRangeRight:
        case KindChars:
        case KindCharsRight:
            require(token.first >= 1 && token.first <= MaxMaskNumber);
            require(token.second >= 0 &&
                    (token.second <= MaxMaskNumber || token.second == OpenRangeEnd));
            name += sub(source, token.first,
                        token.kind < KindChars ? token.second - token.first + 1 : token.second);
            break;
        default:
            if (token.text.isEmpty()) {
                name += QStringLiteral("2005-07-14");
            } else {
                // A format the check let through gives no forbidden character.
                const QString date = FormatTimeStamp(u"2005:07:14 13:45:12", token.text);
                require(!HasForbiddenChar(date));
                name += date;
            }
            break;
        }
    }
    return name;
}

void transform(const QString &mask, const QString &name)
{
    // The replace sets take their texts from the input as well; long ones
    // would only make every run slow.
    const qsizetype third = mask.size() / 3;
    const QString search = mask.left(qMin<qsizetype>(third, 8));
    const QString replacement = mask.mid(third, 8);
    const QString shortName = name.left(4096);
    for (int mode = -1; mode <= 6; ++mode) {
        QString text = ApplyLetterCase(shortName, mode);
        if (mode >= CaseFirst && mode <= CaseAlternate2)
            require(text == CapitalizeWords(shortName, mode - CaseFirst));
        if (!search.isEmpty())
            text = ReplaceAll(text, search, replacement);
        (void)IsLetter(text);
    }
    // Transliteration never brings in a "/" and never empties a name.
    const QString word = name.left(256);
    const QString ascii = TransliterateToAscii(word);
    require(word.contains(u'/') || !ascii.contains(u'/'));
    require(ascii.isEmpty() == word.isEmpty());
}

void run(const QString &mask)
{
    const MaskCheck check = CheckMask(mask);
    checkOutcome(check);
    if (check.errorCode == 7)
        require(check.tokens.isEmpty());

    RandomAlphabet alphabet;
    alphabet.lower = true;
    alphabet.extra = true;
    alphabet.extraChars = mask.left(16);
    const QString name = buildName(check, mask.right(40), alphabet);
    transform(mask, name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The same input must draw the same random strings.
    kesto::SeedRandom(static_cast<quint32>(size));

    run(QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));

    // UTF-8 cannot carry an unpaired surrogate; the same bytes read as UTF-16
    // units can.
    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    if (!units.isEmpty())
        std::memcpy(units.data(), data, units.size() * sizeof(QChar));
    run(units);
    return 0;
}
