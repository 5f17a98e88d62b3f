#include "mask/mask.h"

#include "mask/maskmessages.h"
#include "mask/maskscanner.h"

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
constexpr std::array<Keyword, 34> Keywords{{
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
};

// Reads one element at the cursor into \a token; returns an error code or -1.
int readElement(MaskScanner &scan, MaskToken &token, bool &hasTyp)
{
    for (const Keyword &keyword : Keywords) {
        if (scan.MatchKeyword(keyword.text)) {
            token.kind = keyword.kind;
            if (keyword.kind == KindExtension)
                hasTyp = true;
            return -1;
        }
    }

    if (scan.MatchKeyword(u"[ZUFALLSKETTE")) {
        scan.MatchKeyword(u" ");
        if (!scan.ReadNumber())
            return NumberExpected;
        if (scan.tooBig())
            return NumberTooBig;
        if (!scan.MatchKeyword(u"]"))
            return BadlyBuilt;
        token.kind = KindRandom;
        token.first = scan.number();
        return -1;
    }

    if (scan.MatchKeyword(u"[")) {
        if (scan.MatchKeyword(u"[")) {
            token.kind = KindLiteral;
            token.text = QStringLiteral("[");
            return -1;
        }
        const int fromRight = scan.MatchKeyword(u"R") ? 1 : 0;
        if (!scan.ReadNumber())
            return BadlyBuilt;
        if (scan.tooBig())
            return NumberTooBig;
        if (scan.number() == 0)
            return ZeroStart;
        token.first = scan.number();

        if (scan.MatchKeyword(u"]")) {
            token.kind = KindChars + fromRight;
            token.second = 1;
            return -1;
        }
        if (scan.MatchKeyword(u"-")) {
            token.kind = KindRange + fromRight;
            if (scan.MatchKeyword(u"]")) {
                token.second = OpenRangeEnd;
                return -1;
            }
            if (!scan.ReadNumber())
                return NumberExpected;
            if (scan.tooBig())
                return NumberTooBig;
            if (scan.number() < token.first)
                return RangeEndBeforeStart;
            if (!scan.MatchKeyword(u"]"))
                return ClosingBracketMissing;
            token.second = scan.number();
            return -1;
        }
        if (scan.MatchKeyword(u",")) {
            token.kind = KindChars + fromRight;
            if (!scan.ReadNumber())
                return NumberExpected;
            if (scan.tooBig())
                return NumberTooBig;
            if (!scan.MatchKeyword(u"]"))
                return ClosingBracketMissing;
            token.second = scan.number();
            return -1;
        }
        return BadlyBuilt;
    }

    const QStringView literal = scan.takeLiteral();
    if (HasForbiddenChar(literal.toString()))
        return ForbiddenChar;
    token.kind = KindLiteral;
    token.text = literal.toString();
    return -1;
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

QStringView MaskScanner::takeLiteral()
{
    const qsizetype start = m_cursor - 1;
    qsizetype end = m_text.indexOf(u'[', start);
    if (end < 0)
        end = m_text.size();
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
    // The cursor of the original scan was a 16-bit position; longer masks are
    // refused whole rather than read in part.
    if (text.size() > MaxMaskLength)
        return fail(MaskTooLong);

    MaskScanner scan(text);
    while (!scan.atEnd()) {
        MaskToken token;
        const int error = readElement(scan, token, check.hasExtension);
        if (error >= 0)
            return fail(error);
        check.tokens.append(token);
    }
    check.ok = true;
    return check;
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
