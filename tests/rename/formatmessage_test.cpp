#include "rename/formatmessage.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

TEST(FormatMessage, FillsParametersAndResolvesEscapes)
{
    EXPECT_EQ(FormatMessage(u"a\\nb\\\\c\\t\\L\\h\\q"_s), u"a\rb\\c\t\n\"q"_s);
    EXPECT_EQ(FormatMessage(u"x%1y%10"_s), u"xy0"_s);
    EXPECT_EQ(FormatMessage(u"%2-%1"_s, {u"P"_s, u"%1"_s}), u"%1-P"_s);
}

} // namespace
