#include "naming/randomstring.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace kesto;
using namespace Qt::StringLiterals;

TEST(RandomString, CharactersComeFromTheAlphabetInItsOrderOneValueEach)
{
    EXPECT_EQ(BuildAlphabet({true, true, true, true, u"x x-ä"_s}),
              u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789x x-ä"_s);
    EXPECT_EQ(BuildAlphabet({false, true, false, false, u"abc"_s}),
              u"abcdefghijklmnopqrstuvwxyz"_s);

    SeedRandom(12);
    for (int i = 0; i < 263; ++i)
        NextRandom();
    const float afterTheDraws = NextRandom();
    SeedRandom(12);
    EXPECT_EQ(RandomString(5, RandomAlphabet()), QString());
    const QRegularExpression digits(u"^[0-9]{260}$"_s);
    EXPECT_TRUE(digits.match(RandomString(260, {false, false, true, false, {}})).hasMatch());
    // A character beyond the first plane is drawn whole, never half of it.
    EXPECT_EQ(RandomString(3, {.extra = true, .extraChars = u"\U0001F600"_s}),
              u"\U0001F600"_s.repeated(3));
    EXPECT_EQ(NextRandom(), afterTheDraws);
    const RandomAlphabet pairs{.extra = true, .extraChars = u"a\U0001F600b\U00010400"_s};
    const QRegularExpression drawnWhole(u"^([ab]|\U0001F600|\U00010400){200}$"_s);
    EXPECT_TRUE(drawnWhole.match(RandomString(200, pairs)).hasMatch());
}

TEST(RandomString, DrawRoundsHalvesToTheEvenNeighbour)
{
    // r * (length - 1) + 1: 1.5 -> 2, 2.5 -> 2, 3.5 -> 4, 4.5 -> 4.
    const std::tuple<float, int, int> rows[] = {
        {0.0f, 5, 1},        {0.1249f, 5, 1}, {0.125f, 5, 2}, {0.375f, 5, 2},
        {0.3751f, 5, 3},     {0.625f, 5, 4},  {0.875f, 5, 4}, {0.8751f, 5, 5},
        {0.99999994f, 5, 5}, {0.75f, 3, 2},   {0.0f, 1, 1},   {0.99999994f, 1, 1},
    };
    for (const auto &[r, length, position] : rows)
        EXPECT_EQ(DrawPosition(r, length), position) << r << " of " << length;
}
