#include "naming/randomstring.h"

#include <gtest/gtest.h>

#include <QHash>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

RandomAlphabet extraOnly(const QString &chars)
{
    RandomAlphabet alphabet;
    alphabet.Extra = true;
    alphabet.ExtraChars = chars;
    return alphabet;
}

TEST(RandomString, AlphabetIsCapitalsSmallLettersDigitsThenExtrasAsTyped)
{
    RandomAlphabet all{true, true, true, true, u"x x-ä"_s};
    EXPECT_EQ(BuildAlphabet(all),
              u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789x x-ä"_s);

    RandomAlphabet some;
    some.Digits = true;
    some.Upper = true;
    EXPECT_EQ(BuildAlphabet(some), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"_s);

    RandomAlphabet untickedExtras;
    untickedExtras.ExtraChars = u"abc"_s;
    EXPECT_EQ(BuildAlphabet(untickedExtras), QString());
    EXPECT_EQ(BuildAlphabet(extraOnly(QString())), QString());
}

TEST(RandomString, EmptyAlphabetGivesNothingAndDrawsNothing)
{
    SeedRandom(11);
    const float first = NextRandom();

    SeedRandom(11);
    EXPECT_EQ(RandomString(5, RandomAlphabet()), QString());
    EXPECT_EQ(RandomString(5, extraOnly(QString())), QString());
    EXPECT_EQ(NextRandom(), first);
}

TEST(RandomString, EveryCharacterConsumesOneValue)
{
    SeedRandom(12);
    for (int i = 0; i < 6; ++i)
        NextRandom();
    const float seventh = NextRandom();

    SeedRandom(12);
    RandomAlphabet digits;
    digits.Digits = true;
    EXPECT_EQ(RandomString(6, digits).size(), 6);
    EXPECT_EQ(NextRandom(), seventh);
    EXPECT_EQ(RandomString(0, digits), QString());
}

TEST(RandomString, OnlyDigitsGiveDigits)
{
    SeedRandom(13);
    RandomAlphabet digits;
    digits.Digits = true;
    const QString text = RandomString(260, digits);
    ASSERT_EQ(text.size(), 260);
    for (const QChar c : text)
        EXPECT_TRUE(c >= u'0' && c <= u'9') << int(c.unicode());
}

TEST(RandomString, OneCharacterAlphabetRepeatsIt)
{
    SeedRandom(14);
    EXPECT_EQ(RandomString(3, extraOnly(u"x"_s)), u"xxx"_s);
    // A character beyond the first plane is one character, never half of one.
    EXPECT_EQ(RandomString(3, extraOnly(u"\U0001F600"_s)), u"\U0001F600"_s.repeated(3));
}

TEST(RandomString, SurrogatePairsAreNeverSplit)
{
    SeedRandom(15);
    const QString text = RandomString(200, extraOnly(u"a\U0001F600b\U00010400"_s));
    const QString rest =
        QString(text).remove(u"\U0001F600"_s).remove(u"\U00010400"_s).remove(u'a').remove(u'b');
    EXPECT_TRUE(rest.isEmpty());
}

TEST(RandomString, SameSeedDrawsTheSameAndTwoDrawsDiffer)
{
    RandomAlphabet letters;
    letters.Upper = true;
    SeedRandom(16);
    const QString first = RandomString(8, letters);
    const QString second = RandomString(8, letters);
    EXPECT_NE(first, second);
    SeedRandom(16);
    EXPECT_EQ(RandomString(8, letters), first);
}

struct DrawRow
{
    float r;
    int length;
    int position;
};

TEST(RandomString, DrawRoundsHalvesToTheEvenNeighbour)
{
    const DrawRow rows[] = {
        {0.0f, 5, 1},    {0.1249f, 5, 1},     {0.125f, 5, 2},                    // 1.5 -> 2
        {0.375f, 5, 2},                                                          // 2.5 -> 2
        {0.3751f, 5, 3}, {0.625f, 5, 4},                                         // 3.5 -> 4
        {0.875f, 5, 4},                                                          // 4.5 -> 4
        {0.8751f, 5, 5}, {0.99999994f, 5, 5}, {0.4999f, 2, 1},     {0.5f, 2, 2}, // 1.5 -> 2
        {0.75f, 3, 2}, // 2.5 -> 2: the last character needs more than half
        {0.7501f, 3, 3}, {0.0f, 1, 1},        {0.99999994f, 1, 1},
    };
    for (const DrawRow &row : rows) {
        SCOPED_TRACE(std::to_string(row.r) + " of " + std::to_string(row.length));
        EXPECT_EQ(DrawPosition(row.r, row.length), row.position);
    }
}

TEST(RandomString, FirstAndLastCharacterAreHalfAsLikely)
{
    SeedRandom(2024);
    constexpr int draws = 400000;
    const QString text = RandomString(draws, extraOnly(u"abcde"_s));
    QHash<QChar, int> counts;
    for (const QChar c : text)
        ++counts[c];
    // Expected shares 1/8, 1/4, 1/4, 1/4, 1/8; the bounds lie many standard
    // deviations away, and the seed makes the run repeatable anyway.
    const auto share = [&](char16_t c) { return double(counts.value(QChar(c))) / draws; };
    EXPECT_NEAR(share(u'a'), 0.125, 0.005);
    EXPECT_NEAR(share(u'e'), 0.125, 0.005);
    for (char16_t c : {u'b', u'c', u'd'})
        EXPECT_NEAR(share(c), 0.25, 0.005);
}

TEST(RandomString, RepeatedCharacterIsDrawnMoreOften)
{
    SeedRandom(7);
    constexpr int draws = 100000;
    // Positions: a half, a full, b full, b half.
    const QString text = RandomString(draws, extraOnly(u"aabb"_s));
    EXPECT_NEAR(double(text.count(u'a')) / draws, 0.5, 0.01);

    // x half, x full, y half: three quarters x.
    const QString skewed = RandomString(draws, extraOnly(u"xxy"_s));
    EXPECT_NEAR(double(skewed.count(u'x')) / draws, 0.75, 0.01);
}

TEST(RandomString, ValuesLieInTheHalfOpenUnitInterval)
{
    SeedRandom(1);
    double sum = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = NextRandom();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
    }
    EXPECT_NEAR(sum / 100000, 0.5, 0.01);
}

} // namespace
