#include "storage/tabletext.h"

#include <gtest/gtest.h>

using namespace kesto;

namespace {

TEST(TableText, AListHasALineForEveryLineBreakButTheLastAndBlankLinesCount)
{
    const std::pair<const char *, QStringList> rows[] = {
        {"", {}},
        {"\n", {""}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb\n\n", {"a", "", "b", ""}},
        {"a\rb\r\r\n", {"a", "b", ""}},
        {" a \tb", {" a \tb"}},
    };
    for (const auto &[text, lines] : rows)
        EXPECT_EQ(NameListLines(QString::fromUtf8(text)), lines) << text;
}

// Each table as "number:cell|cell" per line; the separator comes from the
// first line alone, and a quoted cell spans separators, quotes and lines.
TEST(TableText, TheFirstLineChoosesTheSeparatorAndQuotedCellsHoldAnything)
{
    const std::pair<const char *, const char *> rows[] = {
        {"a.txt\tx, y; z\nb.txt\t\"q\"\"t\"\n", "1:a.txt|x, y; z 2:b.txt|q\"t"},
        {"a.txt;x,y\r\n\r\nb.txt;\"1;2\"\r\n", "1:a.txt|x,y 3:b.txt|1;2"},
        {"a.txt,\"x;\ny\"\r\nb.txt,\"z\"w,\n\"\"", "1:a.txt|x;\ny 3:b.txt|zw| 4:"},
        {"\"a,b;\tc\",1;2\nd", "1:a,b;\tc,1|2 2:d"},
        {"a.txt,\"open\nend", "1:a.txt|open\nend"},
        {";\n\n", "1:|"},
    };
    for (const auto &[text, expected] : rows) {
        QStringList lines;
        for (const TableLine &line : ReadTable(QString::fromUtf8(text)))
            lines << QString::number(line.number) + ':' + line.cells.join('|');
        EXPECT_EQ(lines.join(' '), QString::fromUtf8(expected)) << text;
    }
}

} // namespace
