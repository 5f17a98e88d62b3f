#include "mask/mask.h"

#include "mask/dateformat.h"
#include "mask/maskmessages.h"
#include "mask/maskscanner.h"

#include <algorithm>
#include <array>

namespace kesto {

namespace {

struct Keyword
{
    QStringView text;
    int kind;
};

// Every keyword ends with its only "]", so none is a prefix of another and the
// order of trial never changes a result.
constexpr std::array<Keyword, 53> Keywords{{
    {u"[NAME]", KindName},
    {u"[TYP]", KindExtension},
    {u"[DIR]", KindDir},
    {u"[ZAHL]", KindCounter},
    {u"[DATUM]", KindDatum},
    {u"[RDATUM]", KindRDatum},
    {u"[TAG]", KindTag},
    {u"[MONAT]", KindMonat},
    {u"[JAHR]", KindJahr},
    {u"[ZEIT]", KindZeit},
    {u"[STUNDE]", KindStunde},
    {u"[H]", KindStunde},
    {u"[MINUTE]", KindMinute},
    {u"[M]", KindMinute},
    {u"[SEKUNDE]", KindSekunde},
    {u"[S]", KindSekunde},
    {u"[ERSTELLDATUM]", KindCreationOffset + KindDatum},
    {u"[ERSTELLTAG]", KindCreationOffset + KindTag},
    {u"[ERSTELLMONAT]", KindCreationOffset + KindMonat},
    {u"[ERSTELLJAHR]", KindCreationOffset + KindJahr},
    {u"[ERSTELLZEIT]", KindCreationOffset + KindZeit},
    {u"[ERSTELLSTUNDE]", KindCreationOffset + KindStunde},
    {u"[ERSTELLMINUTE]", KindCreationOffset + KindMinute},
    {u"[ERSTELLSEKUNDE]", KindCreationOffset + KindSekunde},
    {u"[AUFNAHMEDATUM]", KindCaptureOffset + KindDatum},
    {u"[AUFNAHMETAG]", KindCaptureOffset + KindTag},
    {u"[AUFNAHMEMONAT]", KindCaptureOffset + KindMonat},
    {u"[AUFNAHMEJAHR]", KindCaptureOffset + KindJahr},
    {u"[AUFNAHMEZEIT]", KindCaptureOffset + KindZeit},
    {u"[AUFNAHMESTUNDE]", KindCaptureOffset + KindStunde},
    {u"[AUFNAHMEMINUTE]", KindCaptureOffset + KindMinute},
    {u"[AUFNAHMESEKUNDE]", KindCaptureOffset + KindSekunde},
    {u"[BREITE]", KindBreite},
    {u"[HÖHE]", KindHoehe},
    {u"[TITEL]", KindTitle},
    {u"[INTERPRET]", KindArtist},
    {u"[ALBUM]", KindAlbum},
    {u"[TITELNR]", KindTrack},
    {u"[ERSCHEINUNGSJAHR]", KindYear},
    {u"[GENRE]", KindGenre},
    {u"[PRÜFSUMME]", KindChecksum},
    {u"[DAUER]", KindDuration},
    {u"[HERSTELLER]", KindMake},
    {u"[MODELL]", KindModel},
    {u"[OBJEKTIV]", KindLens},
    {u"[ISO]", KindIso},
    {u"[BLENDE]", KindAperture},
    {u"[BELICHTUNG]", KindExposure},
    {u"[BRENNWEITE]", KindFocalLength},
    {u"[BREITENGRAD]", KindLatitude},
    {u"[LÄNGENGRAD]", KindLongitude},
    {u"[AUSRICHTUNG]", KindOrientation},
    {u"[LISTE]", KindListName},
}};

// The date placeholders that take a format after a blank.
constexpr std::array<Keyword, 3> FormattedDates{{
    {u"[DATUM ", KindDatum},
    {u"[ERSTELLDATUM ", KindCreationOffset + KindDatum},
    {u"[AUFNAHMEDATUM ", KindCaptureOffset + KindDatum},
}};

enum MaskError : int {
    NumberTooBig = 0,
    BadlyBuilt = 1,
    NumberExpected = 2,
    ClosingBracketMissing = 3,
    RangeEndBeforeStart = 4,
    ForbiddenChar = 5,
    ZeroStart = 6,
    MaskTooLong = 7,
    NamelessPart = 8,
    DotPart = 9,
};

constexpr int NoError = -1;

// A number inside a placeholder, into \a value: \a missing when no digit
// stands at the cursor.
int readNumber(MaskScanner &scan, int missing, int &value)
{
    if (!scan.ReadNumber())
        return missing;
    if (scan.tooBig())
        return NumberTooBig;
    value = scan.number();
    return NoError;
}

// The number that ends a placeholder, and its "]"; a range end below
// \a least is refused.
int readLastNumber(MaskScanner &scan, int least, int &value)
{
    if (const int error = readNumber(scan, NumberExpected, value); error != NoError)
        return error;
    if (value < least)
        return RangeEndBeforeStart;
    return scan.MatchKeyword(u"]") ? NoError : ClosingBracketMissing;
}

// Behind "[ZUFALLSKETTE".
int readRandom(MaskScanner &scan, MaskToken &token)
{
    scan.MatchKeyword(u" ");
    if (const int error = readNumber(scan, NumberExpected, token.first); error != NoError)
        return error;
    if (!scan.MatchKeyword(u"]"))
        return BadlyBuilt;
    token.kind = KindRandom;
    return NoError;
}

// Behind "[PRÜFSUMME " or "[SPALTE ": a number from 1 to \a most, then "]".
int readCount(MaskScanner &scan, MaskToken &token, int kind, int most)
{
    if (const int error = readNumber(scan, NumberExpected, token.first); error != NoError)
        return error;
    if (token.first > most)
        return NumberTooBig;
    if (token.first == 0 || !scan.MatchKeyword(u"]"))
        return BadlyBuilt;
    token.kind = kind;
    return NoError;
}

// Behind "[DATUM " or a twin: the format up to "]", as typed (its letters
// are case-sensitive). A "[" before the "]" begins the next placeholder.
int readDateFormat(MaskScanner &scan, MaskToken &token, int kind)
{
    const std::optional<QStringView> format = scan.takeUpTo(u']');
    if (!format || format->contains(u'['))
        return ClosingBracketMissing;
    if (format->trimmed().isEmpty())
        return BadlyBuilt;
    token.kind = kind;
    token.text = format->toString();
    return FormatGivesForbiddenChar(token.text) ? ForbiddenChar : NoError;
}

// Behind "[": the character placeholders "[a]", "[a,c]", "[a-b]" and "[a-]",
// each also with "R" counting from the right.
int readCharacters(MaskScanner &scan, MaskToken &token)
{
    const int fromRight = scan.MatchKeyword(u"R") ? 1 : 0;
    if (const int error = readNumber(scan, BadlyBuilt, token.first); error != NoError)
        return error;
    if (token.first == 0)
        return ZeroStart;
    if (scan.MatchKeyword(u"]")) {
        token.kind = KindChars + fromRight;
        token.second = 1;
        return NoError;
    }
    if (scan.MatchKeyword(u"-")) {
        token.kind = KindRange + fromRight;
        if (scan.MatchKeyword(u"]")) {
            token.second = OpenRangeEnd;
            return NoError;
        }
        return readLastNumber(scan, token.first, token.second);
    }
    if (scan.MatchKeyword(u",")) {
        token.kind = KindChars + fromRight;
        return readLastNumber(scan, 0, token.second);
    }
    return BadlyBuilt;
}

// Reads one element at the cursor into \a token; returns an error code or
// NoError.
int readElement(MaskScanner &scan, MaskToken &token, bool &hasTyp)
{
    for (const Keyword &keyword : Keywords) {
        if (scan.MatchKeyword(keyword.text)) {
            token.kind = keyword.kind;
            if (keyword.kind == KindChecksum)
                token.first = DefaultChecksumDigits;
            if (keyword.kind == KindExtension)
                hasTyp = true;
            return NoError;
        }
    }
    for (const Keyword &date : FormattedDates) {
        if (scan.MatchKeyword(date.text))
            return readDateFormat(scan, token, date.kind);
    }
    if (scan.MatchKeyword(u"[PRÜFSUMME "))
        return readCount(scan, token, KindChecksum, MaxChecksumDigits);
    if (scan.MatchKeyword(u"[SPALTE "))
        return readCount(scan, token, KindColumn, MaxMaskNumber);
    if (scan.MatchKeyword(u"[ZUFALLSKETTE"))
        return readRandom(scan, token);
    if (scan.MatchKeyword(u"[")) {
        if (scan.MatchKeyword(u"[")) {
            token.kind = KindLiteral;
            token.text = QStringLiteral("[");
            return NoError;
        }
        return readCharacters(scan, token);
    }
    if (scan.MatchKeyword(u"/")) {
        token.kind = KindFolder;
        return NoError;
    }
    const QStringView literal = scan.takeLiteral();
    if (HasForbiddenChar(literal.toString()))
        return ForbiddenChar;
    token.kind = KindLiteral;
    token.text = literal.toString();
    return NoError;
}

// Each "/" of the mask ends the name of a folder: every part between them
// needs a name, and none may stay in its folder or climb out of it. A part
// that its values leave empty or make "." or ".." fails the full test.
int checkParts(const QList<MaskToken> &tokens)
{
    if (std::none_of(tokens.begin(), tokens.end(),
                     [](const MaskToken &t) { return t.kind == KindFolder; }))
        return NoError;
    QString literalPart;
    bool onlyLiteral = true, nameless = true;
    const auto endPart = [&] {
        const bool dots = onlyLiteral && (literalPart == u"." || literalPart == u"..");
        const int error = nameless ? NamelessPart : dots ? DotPart : NoError;
        literalPart.clear();
        onlyLiteral = nameless = true;
        return error;
    };
    for (const MaskToken &t : tokens) {
        if (t.kind == KindFolder) {
            if (const int error = endPart(); error != NoError)
                return error;
            continue;
        }
        nameless = false;
        if (t.kind == KindLiteral)
            literalPart += t.text;
        else
            onlyLiteral = false;
    }
    return endPart();
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

bool MaskScanner::MatchKeyword(QStringView keyword)
{
    const qsizetype start = m_cursor - 1;
    if (keyword.size() > m_text.size() - start)
        return false;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (m_text.at(start + i).toUpper() != keyword.at(i))
            return false;
    }
    m_cursor += static_cast<int>(keyword.size());
    return true;
}

bool MaskScanner::ReadNumber()
{
    const auto isDigit = [this](qsizetype index) {
        return index < m_text.size() && m_text.at(index) >= u'0' && m_text.at(index) <= u'9';
    };
    if (!isDigit(m_cursor - 1))
        return false;
    m_number = 0;
    m_tooBig = false;
    while (isDigit(m_cursor - 1)) {
        m_number = m_number * 10 + (m_text.at(m_cursor - 1).unicode() - u'0');
        ++m_cursor;
        if (m_number > MaxMaskNumber) {
            m_number = 0;
            m_tooBig = true;
            break;
        }
    }
    return true;
}

std::optional<QStringView> MaskScanner::takeUpTo(QChar end)
{
    const qsizetype start = m_cursor - 1;
    const qsizetype found = m_text.indexOf(end, start);
    if (found < 0)
        return std::nullopt;
    m_cursor = static_cast<int>(found) + 2;
    return m_text.sliced(start, found - start);
}

QStringView MaskScanner::takeLiteral()
{
    const qsizetype start = m_cursor - 1;
    qsizetype end = start;
    while (end < m_text.size() && m_text.at(end) != u'[' && m_text.at(end) != u'/')
        ++end;
    m_cursor = static_cast<int>(end) + 1;
    return m_text.sliced(start, end - start);
}

MaskCheck CheckMask(const QString &mask)
{
    MaskCheck check;
    check.statusText = maskmessages::statusOk();

    const auto fail = [&check](int code) {
        check.errorCode = code;
        check.statusText = maskmessages::errorPrefix() + maskmessages::errorText(code) + u'.';
        return check;
    };

    const QStringView text = trimBlanks(mask);
    if (text.isEmpty())
        return check;
    // A mask position is counted in 16 bits; a longer mask is refused whole
    // rather than read in part.
    if (text.size() > MaxMaskLength)
        return fail(MaskTooLong);

    MaskScanner scan(text);
    while (!scan.atEnd()) {
        MaskToken token;
        const int error = readElement(scan, token, check.hasExtension);
        if (error != NoError)
            return fail(error);
        check.tokens.append(token);
    }
    if (const int error = checkParts(check.tokens); error != NoError)
        return fail(error);
    check.ok = true;
    return check;
}

QString PlaceholderText(int kind)
{
    for (const Keyword &keyword : Keywords) {
        if (keyword.kind == kind)
            return keyword.text.toString();
    }
    return {};
}

QString MaskErrorMessage(int code)
{
    return maskmessages::errorText(code);
}

bool HasForbiddenChar(const QString &text)
{
    static constexpr QStringView Forbidden = u"\\/:*?<>|\"";
    for (const QChar c : text) {
        if (Forbidden.contains(c))
            return true;
    }
    return false;
}

} // namespace kesto
