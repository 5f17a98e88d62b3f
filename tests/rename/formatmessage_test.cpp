#include "rename/formatmessage.h"

#include <gtest/gtest.h>

using namespace kesto;

namespace {

TEST(FormatMessage, FillsParametersAndResolvesEscapes)
{
    const QStringList p{QStringLiteral("P"), QStringLiteral("%1")};
    EXPECT_EQ(FormatMessage(QStringLiteral("a\\nb\\\\c\\t\\L\\h\\q")),
              QStringLiteral("a\rb\\c\t\n\"q"));
    EXPECT_EQ(FormatMessage(QStringLiteral("x%1y%10")), QStringLiteral("xy0"));
    EXPECT_EQ(FormatMessage(QStringLiteral("%2-%1"), p), QStringLiteral("%1-P"));
}

} // namespace
