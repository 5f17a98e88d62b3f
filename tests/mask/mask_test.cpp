#include "mask/mask.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cctype>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace kesto {
// Found by GoogleTest through the argument's namespace.
void PrintTo(const MaskToken &t, std::ostream *os)
{
    *os << "{" << t.Kind << " \"" << t.Text.toStdString() << "\" " << t.First << " " << t.Second
        << "}";
}
} // namespace kesto

namespace {

// "keyword without its bracket" -> "KeywordWithoutItsBracket", for test names.
template<typename Case> std::string caseName(const ::testing::TestParamInfo<Case> &info)
{
    std::string name;
    bool upper = true;
    for (const char *p = info.param.label; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            name += upper ? char(std::toupper(static_cast<unsigned char>(*p))) : *p;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

MaskToken literal(const QString &text)
{
    return MaskToken{KindLiteral, text, 0, 0};
}

MaskToken kind(int k, int first = 0, int second = 0)
{
    return MaskToken{k, QString(), first, second};
}

struct ValidCase
{
    const char *label;
    QString mask;
    QList<MaskToken> tokens;
};

void PrintTo(const ValidCase &c, std::ostream *os)
{
    *os << c.label;
}

class ValidMask : public ::testing::TestWithParam<ValidCase>
{};

TEST_P(ValidMask, IsAcceptedWithItsTokens)
{
    const ValidCase &c = GetParam();
    const MaskCheck check = CheckMask(c.mask);
    EXPECT_TRUE(check.MaskOk);
    EXPECT_EQ(check.ErrorCode, -1);
    EXPECT_EQ(check.StatusText, u"Maske ist OK"_s);
    EXPECT_EQ(check.MaskTokens, c.tokens);
}

INSTANTIATE_TEST_SUITE_P(
    MaskCheck, ValidMask,
    ::testing::Values(
        ValidCase{"default mask in small letters",
                  u"[name].[typ]"_s,
                  {kind(KindName), literal(u"."_s), kind(KindTyp)}},
        ValidCase{"literal text between placeholders",
                  u"Urlaub [ZAHL] [DATUM].[typ]"_s,
                  {literal(u"Urlaub "_s), kind(KindZahl), literal(u" "_s), kind(KindDatum),
                   literal(u"."_s), kind(KindTyp)}},
        ValidCase{"double bracket is a literal bracket",
                  u"[[NAME]"_s,
                  {literal(u"["_s), literal(u"NAME]"_s)}},
        ValidCase{"closing bracket needs no escape", u"abc]"_s, {literal(u"abc]"_s)}},
        ValidCase{"only closing brackets", u"]]]"_s, {literal(u"]]]"_s)}},
        ValidCase{"single character", u"[3]"_s, {kind(KindChars, 3, 1)}},
        ValidCase{"single character from the right", u"[R3]"_s, {kind(KindCharsRight, 3, 1)}},
        ValidCase{"small r counts from the right", u"[r3]"_s, {kind(KindCharsRight, 3, 1)}},
        ValidCase{"range", u"[3-5]"_s, {kind(KindRange, 3, 5)}},
        ValidCase{"range of one character", u"[3-3]"_s, {kind(KindRange, 3, 3)}},
        ValidCase{"open range", u"[3-]"_s, {kind(KindRange, 3, OpenRangeEnd)}},
        ValidCase{"range from the right", u"[R2-4]"_s, {kind(KindRangeRight, 2, 4)}},
        ValidCase{"start and count from the right", u"[R2,4]"_s, {kind(KindCharsRight, 2, 4)}},
        ValidCase{"count of zero", u"[3,0]"_s, {kind(KindChars, 3, 0)}},
        ValidCase{"largest number", u"[260]"_s, {kind(KindChars, 260, 1)}},
        ValidCase{"leading zeros", u"[007-0260]"_s, {kind(KindRange, 7, 260)}},
        ValidCase{"empty random string", u"[ZUFALLSKETTE 0]"_s, {kind(KindRandom, 0)}},
        ValidCase{"random string with one blank", u"[ZUFALLSKETTE 8]"_s, {kind(KindRandom, 8)}},
        ValidCase{"random string without blank", u"[zufallskette8]"_s, {kind(KindRandom, 8)}},
        ValidCase{"reversed date is no range", u"[RDATUM]"_s, {kind(KindRDatum)}},
        ValidCase{"short hour, minute and second",
                  u"[H][m][S]"_s,
                  {kind(KindStunde), kind(KindMinute), kind(KindSekunde)}},
        ValidCase{"umlaut keyword in small letters", u"[höhe]"_s, {kind(KindHoehe)}},
        ValidCase{"blanks at both ends are ignored", u"   [name]  "_s, {kind(KindName)}},
        ValidCase{"tabs are no blanks",
                  u"\t[name]\t"_s,
                  {literal(u"\t"_s), kind(KindName), literal(u"\t"_s)}},
        ValidCase{"control characters and an unpaired surrogate are literal text",
                  u"a\u0001"_s + QChar(0xD800) + u"[name]\u007f"_s,
                  {literal(u"a\u0001"_s + QChar(0xD800)), kind(KindName), literal(u"\u007f"_s)}}),
    caseName<ValidCase>);

struct ErrorCase
{
    const char *label;
    QString mask;
    int error;
};

void PrintTo(const ErrorCase &c, std::ostream *os)
{
    *os << c.label << " (" << c.mask.toStdString() << ")";
}

class BadMask : public ::testing::TestWithParam<ErrorCase>
{};

TEST_P(BadMask, StopsWithTheFirstError)
{
    const ErrorCase &c = GetParam();
    const MaskCheck check = CheckMask(c.mask);
    EXPECT_FALSE(check.MaskOk);
    EXPECT_EQ(check.ErrorCode, c.error);
    EXPECT_EQ(check.StatusText, u"Fehler: "_s + MaskErrorMessage(c.error) + u"."_s);
}

INSTANTIATE_TEST_SUITE_P(
    MaskCheck, BadMask,
    ::testing::Values(
        ErrorCase{"number above 260", u"[261]"_s, 0}, ErrorCase{"long number", u"[2600]"_s, 0},
        ErrorCase{"range end above 260", u"[3-261]"_s, 0},
        ErrorCase{"count above 260", u"[3,999]"_s, 0},
        ErrorCase{"random string above 260", u"[ZUFALLSKETTE 261]"_s, 0},
        ErrorCase{"bracket without number", u"[3"_s, 1}, ErrorCase{"R without number", u"[R]"_s, 1},
        ErrorCase{"unknown word", u"[FOO]"_s, 1},
        ErrorCase{"keyword without its bracket", u"[NAME"_s, 1},
        ErrorCase{"bracket at the end", u"abc["_s, 1}, ErrorCase{"empty brackets", u"[]"_s, 1},
        ErrorCase{"number followed by a letter", u"[3x]"_s, 1},
        ErrorCase{"odd run of opening brackets", u"[[[[["_s, 1},
        ErrorCase{"random string without bracket", u"[ZUFALLSKETTE 5"_s, 1},
        ErrorCase{"random string with two blanks", u"[ZUFALLSKETTE  5]"_s, 2},
        ErrorCase{"random string without number", u"[ZUFALLSKETTE]"_s, 2},
        ErrorCase{"count missing", u"[3,]"_s, 2},
        ErrorCase{"range end is no number", u"[3-x]"_s, 2},
        ErrorCase{"range without bracket", u"[3-5"_s, 3},
        ErrorCase{"count without bracket", u"[3,5"_s, 3},
        ErrorCase{"range end before start", u"[3-2]"_s, 4},
        ErrorCase{"range end zero", u"[3-0]"_s, 4}, ErrorCase{"colon in literal text", u"a:b"_s, 5},
        ErrorCase{"star in literal text", u"a*b"_s, 5},
        ErrorCase{"quote after a placeholder", u"[name]\""_s, 5},
        ErrorCase{"zero start", u"[0]"_s, 6}, ErrorCase{"zero range start", u"[0-4]"_s, 6},
        ErrorCase{"zero start from the right", u"[R0,2]"_s, 6}),
    caseName<ErrorCase>);

TEST(MaskCheck, StatusTextsAreTheProductTexts)
{
    const QStringList expected = {
        u"Fehler: Die Zahl ist zu groß."_s,
        u"Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut."_s,
        u"Fehler: Es wurde eine Zahl erwartet."_s,
        u"Fehler: Schließende Klammer fehlt."_s,
        u"Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."_s,
        u"Fehler: Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt."_s,
        u"Fehler: Null ist als Bereichsbeginn nicht zulässig."_s,
    };
    const QStringList masks = {u"[999]"_s, u"[x]"_s, u"[1,]"_s, u"[1-2"_s,
                               u"[2-1]"_s, u"a?b"_s, u"[0]"_s};
    for (int code = 0; code < expected.size(); ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(CheckMask(masks.at(code)).StatusText, expected.at(code));
        EXPECT_EQ(u"Fehler: "_s + MaskErrorMessage(code) + u"."_s, expected.at(code));
    }
}

TEST(MaskCheck, EveryKeywordGivesItsKindInAnyLetterCase)
{
    const QList<std::pair<QString, int>> keywords = {
        {u"[NAME]"_s, 1},
        {u"[TYP]"_s, 2},
        {u"[DIR]"_s, 4},
        {u"[ZAHL]"_s, 3},
        {u"[DATUM]"_s, 40},
        {u"[RDATUM]"_s, 41},
        {u"[TAG]"_s, 42},
        {u"[MONAT]"_s, 43},
        {u"[JAHR]"_s, 44},
        {u"[ZEIT]"_s, 50},
        {u"[STUNDE]"_s, 51},
        {u"[H]"_s, 51},
        {u"[MINUTE]"_s, 52},
        {u"[M]"_s, 52},
        {u"[SEKUNDE]"_s, 53},
        {u"[S]"_s, 53},
        {u"[ERSTELLDATUM]"_s, 140},
        {u"[ERSTELLTAG]"_s, 142},
        {u"[ERSTELLMONAT]"_s, 143},
        {u"[ERSTELLJAHR]"_s, 144},
        {u"[ERSTELLZEIT]"_s, 150},
        {u"[ERSTELLSTUNDE]"_s, 151},
        {u"[ERSTELLMINUTE]"_s, 152},
        {u"[ERSTELLSEKUNDE]"_s, 153},
        {u"[AUFNAHMEDATUM]"_s, 340},
        {u"[AUFNAHMETAG]"_s, 342},
        {u"[AUFNAHMEMONAT]"_s, 343},
        {u"[AUFNAHMEJAHR]"_s, 344},
        {u"[AUFNAHMEZEIT]"_s, 350},
        {u"[AUFNAHMESTUNDE]"_s, 351},
        {u"[AUFNAHMEMINUTE]"_s, 352},
        {u"[AUFNAHMESEKUNDE]"_s, 353},
        {u"[BREITE]"_s, 60},
        {u"[HÖHE]"_s, 61},
    };
    const auto lowered = [](QString text) {
        for (QChar &c : text)
            c = c.toLower();
        return text;
    };
    const auto mixed = [](QString text) {
        for (qsizetype i = 0; i < text.size(); i += 2)
            text[i] = text[i].toLower();
        return text;
    };
    for (const auto &[keyword, code] : keywords) {
        for (const QString &mask : {keyword, lowered(keyword), mixed(keyword)}) {
            SCOPED_TRACE(mask.toStdString());
            const MaskCheck check = CheckMask(mask);
            EXPECT_TRUE(check.MaskOk);
            EXPECT_EQ(check.MaskTokens, QList<MaskToken>{kind(code)});
            EXPECT_EQ(check.MaskHasTyp, code == KindTyp);
        }
    }
}

TEST(MaskCheck, EmptyOrBlankMaskIsNotOkButShowsNoError)
{
    for (const QString &mask : {QString(), u"    "_s}) {
        const MaskCheck check = CheckMask(mask);
        EXPECT_FALSE(check.MaskOk);
        EXPECT_EQ(check.ErrorCode, -1);
        EXPECT_EQ(check.StatusText, u"Maske ist OK"_s);
        EXPECT_TRUE(check.MaskTokens.isEmpty());
        EXPECT_FALSE(check.MaskHasTyp);
    }
}

TEST(MaskCheck, TokensBeforeAnErrorStayButTheMaskIsNotOk)
{
    const MaskCheck check = CheckMask(u"[typ]x[3-5"_s);
    EXPECT_FALSE(check.MaskOk);
    EXPECT_EQ(check.ErrorCode, 3);
    EXPECT_EQ(check.MaskTokens, (QList<MaskToken>{kind(KindTyp), literal(u"x"_s)}));
    EXPECT_TRUE(check.MaskHasTyp);
}

TEST(MaskCheck, MaskWithoutTypHasNoTyp)
{
    EXPECT_FALSE(CheckMask(u"[name]typ.[3-]"_s).MaskHasTyp);
}

TEST(MaskCheck, MaskOfTheLongestLengthIsRead)
{
    const QString longest(MaxMaskLength, u'a');
    MaskCheck check = CheckMask(longest);
    EXPECT_TRUE(check.MaskOk);
    EXPECT_EQ(check.MaskTokens, QList<MaskToken>{literal(longest)});

    // Blanks around it do not count.
    check = CheckMask(u"  "_s + longest + u"  "_s);
    EXPECT_TRUE(check.MaskOk);

    // A cursor behind the last of many elements.
    const QString placeholders = u"[name]"_s.repeated(MaxMaskLength / 6);
    check = CheckMask(placeholders);
    EXPECT_TRUE(check.MaskOk);
    EXPECT_EQ(check.MaskTokens.size(), MaxMaskLength / 6);
}

TEST(MaskCheck, TooLongMaskIsRefusedWhole)
{
    for (const QString &mask :
         {QString(MaxMaskLength + 1, u'a'), u"[name]"_s.repeated(20000), QString(100000, u'[')}) {
        const MaskCheck check = CheckMask(mask);
        EXPECT_FALSE(check.MaskOk);
        EXPECT_EQ(check.ErrorCode, 7);
        EXPECT_EQ(check.StatusText, u"Fehler: Die Maske ist zu lang."_s);
        EXPECT_TRUE(check.MaskTokens.isEmpty());
    }
}

TEST(MaskCheck, LongRunOfBracketsEndsWithAClearError)
{
    const MaskCheck check = CheckMask(QString(MaxMaskLength, u'['));
    EXPECT_FALSE(check.MaskOk);
    EXPECT_EQ(check.ErrorCode, 1);
    EXPECT_EQ(check.MaskTokens.size(), MaxMaskLength / 2);
}

TEST(MaskCheck, ForbiddenCharactersAreTheNineOfFileNames)
{
    for (const QChar c : u"\\/:*?<>|\""_s) {
        SCOPED_TRACE(QString(c).toStdString());
        EXPECT_TRUE(HasForbiddenChar(u"ab"_s + c + u"cd"_s));
    }
    EXPECT_FALSE(HasForbiddenChar(u"Urlaub 2024 (1) [x] ä.jpg\t"_s));
    EXPECT_FALSE(HasForbiddenChar(QString()));
}

} // namespace
