#include "naming/textcase.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

struct CaseRow
{
    QString text;
    int mode;
    QString expected;
};

void expectCases(std::initializer_list<CaseRow> rows)
{
    for (const CaseRow &row : rows) {
        SCOPED_TRACE(row.text.toStdString() + " mode " + std::to_string(row.mode));
        EXPECT_EQ(ApplyLetterCase(row.text, row.mode), row.expected);
    }
}

TEST(LetterCase, EveryModeOnAMixedName)
{
    const QString name = u"mein URLAUB-foto 2te.JPG"_s;
    expectCases({
        {name, CaseKeep, name},
        {name, CaseUpper, u"MEIN URLAUB-FOTO 2TE.JPG"_s},
        {name, CaseLower, u"mein urlaub-foto 2te.jpg"_s},
        {name, CaseFirst, u"Mein urlaub-foto 2te.jpg"_s},
        {name, CaseAlternate1, u"Mein Urlaub-foto 2te.jpg"_s},
        {name, CaseAlternate2, u"Mein Urlaub-Foto 2Te.Jpg"_s},
        {name, 6, name},
        {name, -1, name},
    });
}

TEST(LetterCase, UmlautsChangeCaseAndSharpSStaysItself)
{
    const QString name = u"größe ÄRGER-öl_über straße"_s;
    expectCases({
        {name, CaseUpper, u"GRÖßE ÄRGER-ÖL_ÜBER STRAßE"_s},
        {name, CaseLower, u"größe ärger-öl_über straße"_s},
        {name, CaseFirst, u"Größe ärger-öl_über straße"_s},
        {name, CaseAlternate1, u"Größe Ärger-öl_über Straße"_s},
        {name, CaseAlternate2, u"Größe Ärger-Öl_Über Straße"_s},
        {u"ßig"_s, CaseFirst, u"ßig"_s},
        {u"ẞ"_s, CaseLower, u"ß"_s},
    });
}

TEST(LetterCase, FirstCharacterThatIsNoLetterStaysAndTheRestGetsSmall)
{
    expectCases({
        {u"2TE Foto"_s, CaseFirst, u"2te foto"_s},
        {u" ABC"_s, CaseFirst, u" abc"_s},
        {u" ABC"_s, CaseAlternate1, u" Abc"_s},
        {u"_ABC"_s, CaseAlternate1, u"_abc"_s},
        {u"_ABC"_s, CaseAlternate2, u"_Abc"_s},
        {QString(), CaseFirst, QString()},
        {QString(), CaseUpper, QString()},
    });
}

TEST(LetterCase, LettersBeyondTheFirstPlaneKeepTheirPairs)
{
    // U+10428 and U+10400: a small and a capital Deseret letter, each two units.
    const QString small = u"\U00010428"_s;
    const QString capital = u"\U00010400"_s;
    const QChar lone(0xD800);
    expectCases({
        {small + u"x"_s, CaseUpper, capital + u"X"_s},
        {capital + u"X"_s, CaseLower, small + u"x"_s},
        {u"1"_s + small, CaseAlternate2, u"1"_s + capital},
        {u"a"_s + small, CaseAlternate2, u"A"_s + small},
        {u"a"_s + lone + u"b"_s, CaseAlternate2, u"A"_s + lone + u"B"_s},
        {lone + u"ab"_s, CaseUpper, lone + u"AB"_s},
        {QString(QChar(0xDC00)) + QChar(0xD800), CaseFirst, QString(QChar(0xDC00)) + QChar(0xD800)},
    });
}

TEST(LetterCase, CapitalizeWordsVariantsMatchTheirModes)
{
    const QString name = u"ein BILD-test.PNG"_s;
    EXPECT_EQ(CapitalizeWords(name, 0), u"Ein bild-test.png"_s);
    EXPECT_EQ(CapitalizeWords(name, 1), u"Ein Bild-test.png"_s);
    EXPECT_EQ(CapitalizeWords(name, 2), u"Ein Bild-Test.Png"_s);
}

TEST(LetterCase, IsLetterLooksAtTheFirstCharacterOnly)
{
    const std::pair<QString, bool> rows[] = {
        {u"a1"_s, true},    {u"Ä"_s, true},   {u"ß"_s, true},
        {u"é"_s, true},     {u"Ω"_s, true},   {u"\U00010400"_s, true},
        {u"1a"_s, false},   {u" a"_s, false}, {u"_"_s, false},
        {u"-"_s, false},    {u"."_s, false},  {QString(QChar(0xD800)), false},
        {QString(), false},
    };
    for (const auto &[text, letter] : rows) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(IsLetter(text), letter);
    }
}

struct ReplaceRow
{
    QString text, search, replacement, expected;
};

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRegardToLetterCase)
{
    const ReplaceRow rows[] = {
        {u"IMG_0001 img"_s, u"img"_s, u"Foto"_s, u"Foto_0001 Foto"_s},
        {u"Img_IMG_img"_s, u"IMG"_s, u"x"_s, u"x_x_x"_s},
        {u"abab"_s, u"ab"_s, u"abab"_s, u"abababab"_s},
        {u"banana"_s, u"a"_s, u"aa"_s, u"baanaanaa"_s},
        {u"banana"_s, u"A"_s, QString(), u"bnn"_s},
        {u"aaaa"_s, u"aa"_s, u"b"_s, u"bb"_s},
        {u"aaa"_s, u"aa"_s, u"b"_s, u"ba"_s},
        {u"Ärger über ärger"_s, u"ä"_s, u"ae"_s, u"aerger über aerger"_s},
        {u"ÜBER"_s, u"über"_s, u"Ueber"_s, u"Ueber"_s},
        {u"Straße STRASSE"_s, u"ss"_s, u"s"_s, u"Straße STRAsE"_s},
        {u"Foto.JPG"_s, u"jpg"_s, u"jpeg"_s, u"Foto.jpeg"_s},
        {u"Foto"_s, u"xyz"_s, u"a"_s, u"Foto"_s},
        {QString(), u"a"_s, u"b"_s, QString()},
        {u"\U00010400 \U00010428"_s, u"\U00010428"_s, u"x"_s, u"x x"_s},
    };
    for (const ReplaceRow &row : rows) {
        SCOPED_TRACE(
            (row.text + u" / "_s + row.search + u" -> "_s + row.replacement).toStdString());
        EXPECT_EQ(ReplaceAll(row.text, row.search, row.replacement), row.expected);
    }
}

TEST(ReplaceAll, EmptySearchChangesNothing)
{
    EXPECT_EQ(ReplaceAll(u"abc"_s, QString(), u"x"_s), u"abc"_s);
    EXPECT_EQ(ReplaceAll(u"abc"_s, QString(), QString()), u"abc"_s);
}

TEST(ReplaceAll, LongTextWithManyOccurrencesEnds)
{
    const QString text = u"aB"_s.repeated(50000);
    EXPECT_EQ(ReplaceAll(text, u"ab"_s, u"ABab"_s), u"ABab"_s.repeated(50000));
}

struct CounterRow
{
    qint64 value;
    int digitCount;
    QString leadChar;
    QString expected;
};

TEST(Counter, PadsWithTheLeadingCharacterAndNeverCuts)
{
    const CounterRow rows[] = {
        {7, 3, u"0"_s, u"007"_s},     {7, 3, u"_"_s, u"__7"_s},
        {7, 3, u" "_s, u"  7"_s},     {7, 3, QString(), u"7"_s},
        {95, 3, u"0"_s, u"095"_s},    {105, 3, u"0"_s, u"105"_s},
        {1234, 4, u"0"_s, u"1234"_s}, {12345, 3, u"0"_s, u"12345"_s},
        {0, 1, u"0"_s, u"0"_s},       {0, 12, u"0"_s, u"000000000000"_s},
        {-5, 3, u"0"_s, u"0-5"_s},    {-5, 1, u"0"_s, u"-5"_s},
        {-5, 4, QString(), u"-5"_s},  {4294967296, 12, u"0"_s, u"004294967296"_s},
        {7, 0, u"0"_s, u"7"_s},       {7, -3, u"0"_s, u"7"_s},
    };
    for (const CounterRow &row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " " + std::to_string(row.digitCount) + " '" +
                     row.leadChar.toStdString() + "'");
        EXPECT_EQ(FormatCounter(row.value, row.digitCount, row.leadChar), row.expected);
    }
}

TEST(Counter, LeadCharacterEntriesGiveTheirCharacters)
{
    EXPECT_EQ(LeadCharEntries(),
              (QStringList{u"keine"_s, u"Null"_s, u"Leerzeichen"_s, u"Unterstrich"_s}));
    const QString current = u"#"_s;
    EXPECT_EQ(LeadCharForPosition(0, current), QString());
    EXPECT_EQ(LeadCharForPosition(1, current), u"0"_s);
    EXPECT_EQ(LeadCharForPosition(2, current), u" "_s);
    EXPECT_EQ(LeadCharForPosition(3, current), u"_"_s);
    EXPECT_EQ(LeadCharForPosition(4, current), current);
    EXPECT_EQ(LeadCharForPosition(-1, current), current);
}

TEST(LetterCase, EntriesAreListedInModeOrder)
{
    const QStringList entries = LetterCaseEntries();
    EXPECT_EQ(entries, (QStringList{u"beibehalten"_s, u"alles groß"_s, u"alles klein"_s,
                                    u"anfangs groß"_s, u"alternierend-1"_s, u"alternierend-2"_s}));
    EXPECT_EQ(entries.indexOf(u"alternierend-2"_s), CaseAlternate2);
}

} // namespace
