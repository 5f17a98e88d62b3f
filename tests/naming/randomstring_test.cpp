#include "naming/randomstring.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

RandomAlphabet extraOnly(const QString &chars)
{
    return RandomAlphabet{false, false, false, true, chars};
}

TEST(RandomString, CharactersComeFromTheAlphabetInItsOrderOneValueEach)
{
    EXPECT_EQ(BuildAlphabet({true, true, true, true, u"x x-ä"_s}),
              u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789x x-ä"_s);
    EXPECT_EQ(BuildAlphabet({false, true, false, false, u"abc"_s}),
              u"abcdefghijklmnopqrstuvwxyz"_s);

    SeedRandom(12);
    for (int i = 0; i < 266; ++i)
        NextRandom();
    const float afterTheDraws = NextRandom();
    SeedRandom(12);
    EXPECT_EQ(RandomString(5, RandomAlphabet()), QString());
    EXPECT_EQ(RandomString(5, extraOnly(QString())), QString());
    const QString digits = RandomString(260, {false, false, true, false, {}});
    EXPECT_EQ(digits.size(), 260);
    EXPECT_EQ(QString(digits).remove(QRegularExpression(u"[0-9]"_s)), u""_s);
    EXPECT_EQ(RandomString(3, extraOnly(u"x"_s)), u"xxx"_s);
    // A character beyond the first plane is drawn whole, never half of it.
    EXPECT_EQ(RandomString(3, extraOnly(u"\U0001F600"_s)), u"\U0001F600"_s.repeated(3));
    EXPECT_EQ(NextRandom(), afterTheDraws);
    const QString pairs = RandomString(200, extraOnly(u"a\U0001F600b\U00010400"_s));
    EXPECT_EQ(QString(pairs).remove(QRegularExpression(u"[ab]|\U0001F600|\U00010400"_s)), u""_s);
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

} // namespace
