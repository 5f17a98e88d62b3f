#include "naming/numericinput.h"

#include <gtest/gtest.h>

TEST(CounterField, ReadsTheWholeNonNegativeNumberTheTextStartsWith)
{
    constexpr qint32 Max = std::numeric_limits<qint32>::max();
    const std::pair<const char *, qint32> cases[] = {
        {"", 0},      {" 1 2 ", 12}, {"1\t0\n0", 100}, {"-5", 5},           {"2.7", 2},
        {"-2.5", 3},  {"12abc", 12}, {"abc", 0},       {"&H1F", 31},        {"&hff", 255},
        {"&O17", 15}, {"&X1", 0},    {"1e3", 1000},    {"1D2", 100},        {"1e", 1},
        {".5", 0},    {"3,5", 3},    {"1e300", Max},   {"9999999999", Max},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(kesto::ValidateNumericText(QString::fromUtf8(text)), value) << text;
}
