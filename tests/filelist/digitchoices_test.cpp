#include "filelist/digitchoices.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kesto;

TEST(DigitChoices, TooSmallChoiceIsRefilledFromMinDigitsAndALargerOneStays)
{
    // Chosen entry before (0: a fresh list), rows, start, step, then MinDigits,
    // the first entry and the chosen entry afterwards.
    const std::tuple<int, int, qint32, qint32, int, int, int> rows[] = {
        {0, 0, 0, 0, 1, 1, 1},
        {2, 150, 1, 1, 3, 3, 3},
        {5, 150, 1, 1, 3, 1, 5},
        {3, 3, 95, 5, 3, 1, 3},
        {0, 0, 0, 5, 2, 2, 2},
        {12, 100000, 99999999, 99999, 11, 1, 12},
        {0, 100000, 99999999, 99999, 11, 11, 11},
        {0, 100000, 2147483647, 2147483647, 15, 12, 12},
    };
    for (const auto &[before, count, start, step, minDigits, first, after] : rows) {
        SCOPED_TRACE(testing::Message() << before << ", " << count << " rows from " << start);
        DigitChoices choices;
        if (before > 0) {
            AdjustDigitChoices(0, 0, 0, choices);
            choices.choose(before - 1);
        }
        QSignalSpy chosen(&choices, &DigitChoices::entryChosen);
        QSignalSpy refilled(&choices, &DigitChoices::entriesChanged);
        EXPECT_EQ(AdjustDigitChoices(count, start, step, choices), minDigits);
        const QStringList entries = choices.entries();
        EXPECT_EQ(std::tuple(entries.size(), entries.value(0), choices.chosenText()),
                  std::tuple(13 - first, QString::number(first), QString::number(after)));
        // Choosing announces the entry as a click would; keeping it announces nothing.
        EXPECT_EQ(QList({chosen.count(), refilled.count()}),
                  QList<qsizetype>(2, after != before ? 1 : 0));
    }
}
