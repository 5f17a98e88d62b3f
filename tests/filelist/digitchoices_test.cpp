#include "filelist/digitchoices.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kesto;

namespace {

QStringList range(int from, int to)
{
    QStringList l;
    for (int i = from; i <= to; ++i)
        l << QString::number(i);
    return l;
}

TEST(DigitChoices, EmptyListWithZeroCountersOffersOneToTwelveAndChoosesOne)
{
    DigitChoices choices;
    QSignalSpy chosen(&choices, &DigitChoices::entryChosen);
    EXPECT_EQ(AdjustDigitChoices(0, 0, 0, choices), 1);
    EXPECT_EQ(choices.entries(), range(1, 12));
    EXPECT_EQ(choices.chosenText(), QStringLiteral("1"));
    EXPECT_EQ(chosen.count(), 1);
}

TEST(DigitChoices, TooSmallChoiceIsRefilledFromMinDigits)
{
    DigitChoices choices;
    AdjustDigitChoices(0, 0, 0, choices);
    choices.choose(1); // "2"
    EXPECT_EQ(AdjustDigitChoices(150, 1, 1, choices), 3);
    EXPECT_EQ(choices.entries(), range(3, 12));
    EXPECT_EQ(choices.chosenText(), QStringLiteral("3"));
}

TEST(DigitChoices, LargeEnoughChoiceStaysAndNothingIsAnnounced)
{
    DigitChoices choices;
    AdjustDigitChoices(0, 0, 0, choices);
    choices.choose(4); // "5"
    QSignalSpy chosen(&choices, &DigitChoices::entryChosen);
    QSignalSpy refilled(&choices, &DigitChoices::entriesChanged);
    EXPECT_EQ(AdjustDigitChoices(150, 1, 1, choices), 3);
    EXPECT_EQ(choices.chosenText(), QStringLiteral("5"));
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(refilled.count(), 0);
}

TEST(DigitChoices, MinDigitsCountsTheLargestValueAndAMinusSign)
{
    DigitChoices choices;
    EXPECT_EQ(AdjustDigitChoices(3, 95, 5, choices), 3); // 105
    EXPECT_EQ(AdjustDigitChoices(0, 0, 5, choices), 2);  // -5 with no rows
    EXPECT_EQ(AdjustDigitChoices(1, 0, 0, choices), 1);
}

TEST(DigitChoices, HugeCountersDoNotWrapAndStillOfferAnEntry)
{
    DigitChoices choices;
    const int minDigits = AdjustDigitChoices(100000, 99999999, 99999, choices);
    EXPECT_EQ(minDigits, 11);
    EXPECT_FALSE(choices.entries().isEmpty());
    EXPECT_EQ(choices.chosenText(), QStringLiteral("11"));
}

} // namespace
