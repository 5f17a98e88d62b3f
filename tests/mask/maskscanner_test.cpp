#include "mask/mask.h"
#include "mask/maskscanner.h"

#include <gtest/gtest.h>

#include <QString>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

TEST(MaskScanner, KeywordMatchesInAnyLetterCaseAndMovesBehindIt)
{
    const QString text = u"[Höhe]x"_s;
    MaskScanner scan(text);
    EXPECT_TRUE(scan.MatchKeyword(u"[HÖHE]"));
    EXPECT_EQ(scan.cursor(), 7);
    EXPECT_FALSE(scan.atEnd());
}

TEST(MaskScanner, FailedKeywordLeavesTheCursor)
{
    const QString text = u"[NAMX]"_s;
    MaskScanner scan(text);
    EXPECT_FALSE(scan.MatchKeyword(u"[NAME]"));
    EXPECT_EQ(scan.cursor(), 1);
    EXPECT_TRUE(scan.MatchKeyword(u"["));
    EXPECT_EQ(scan.cursor(), 2);
}

TEST(MaskScanner, KeywordLongerThanTheRestNeverMatches)
{
    const QString text = u"[NAM"_s;
    MaskScanner scan(text);
    EXPECT_FALSE(scan.MatchKeyword(u"[NAME]"));
    EXPECT_TRUE(scan.MatchKeyword(u"[NAM"));
    EXPECT_TRUE(scan.atEnd());
    EXPECT_FALSE(scan.MatchKeyword(u"]"));
    EXPECT_EQ(scan.cursor(), 5);
}

TEST(MaskScanner, SharpSHasNoCapitalThatCouldMatchSs)
{
    const QString text = u"ß"_s;
    MaskScanner scan(text);
    EXPECT_FALSE(scan.MatchKeyword(u"SS"));
    EXPECT_FALSE(scan.MatchKeyword(u"S"));
    EXPECT_TRUE(scan.MatchKeyword(u"ß"));
}

struct NumberCase
{
    const char *text;
    int number;
    bool tooBig;
    int cursorAfter;
};

TEST(MaskScanner, ReadsNumbersUpToTheFirstDigitThatMakesThemTooBig)
{
    const NumberCase cases[] = {
        {"7]", 7, false, 2},      {"007", 7, false, 4},  {"260-", 260, false, 4},
        {"0", 0, false, 2},       {"261", 0, true, 4},   {"3000", 0, true, 4},
        {"99999999", 0, true, 4}, {"26000", 0, true, 5}, {"12a3", 12, false, 3},
    };
    for (const NumberCase &c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        MaskScanner scan(text);
        EXPECT_TRUE(scan.ReadNumber());
        EXPECT_EQ(scan.number(), c.number);
        EXPECT_EQ(scan.tooBig(), c.tooBig);
        EXPECT_EQ(scan.cursor(), c.cursorAfter);
    }
}

TEST(MaskScanner, OnlyTheDigitsZeroToNineAreNumbers)
{
    // Arabic-Indic three, full-width one, superscript two.
    for (const QString &text : {u"x1"_s, u"\u0663"_s, u"\uff11"_s, u"\u00b2"_s, QString()}) {
        MaskScanner scan(text);
        EXPECT_FALSE(scan.ReadNumber());
        EXPECT_EQ(scan.cursor(), 1);
    }
}

TEST(MaskScanner, LiteralRunsToTheNextOpeningBracket)
{
    const QString text = u"ab]c[d"_s;
    MaskScanner scan(text);
    EXPECT_EQ(scan.takeLiteral(), u"ab]c");
    EXPECT_EQ(scan.cursor(), 5);
    EXPECT_TRUE(scan.MatchKeyword(u"["));
    EXPECT_EQ(scan.takeLiteral(), u"d");
    EXPECT_TRUE(scan.atEnd());
}

} // namespace
