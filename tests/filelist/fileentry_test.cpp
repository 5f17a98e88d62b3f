#include "filelist/fileentry.h"

#include <gtest/gtest.h>

using kesto::FileEntry;

namespace {

struct SplitCase
{
    const char *label;
    QString path;
    QString folder, oldName, baseName, type;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.label;
}

class NameSplit : public ::testing::TestWithParam<SplitCase>
{};

TEST_P(NameSplit, SplitsAtTheLastSlashAndTheLastDotOfTheNameOnly)
{
    const SplitCase &c = GetParam();
    const FileEntry e = FileEntry::fromPath(c.path);
    EXPECT_EQ(e.Folder, c.folder);
    EXPECT_EQ(e.OldName, c.oldName);
    EXPECT_EQ(e.BaseName, c.baseName);
    EXPECT_EQ(e.Type, c.type);
    // The invariants every row keeps.
    EXPECT_EQ(e.Folder + e.OldName, e.FullPath);
    EXPECT_EQ(e.FullPath, c.path);
    const QString joined =
        e.OldName.contains(QLatin1Char('.')) ? e.BaseName + QLatin1Char('.') + e.Type : e.BaseName;
    EXPECT_EQ(joined, e.OldName);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NameSplit,
    ::testing::Values(
        SplitCase{"DoubleExtension", "/home/u/archive.tar.gz", "/home/u/", "archive.tar.gz",
                  "archive.tar", "gz"},
        SplitCase{"NoExtension", "/home/u/README", "/home/u/", "README", "README", ""},
        SplitCase{"LeadingDot", "/home/u/.profile", "/home/u/", ".profile", "", "profile"},
        SplitCase{"TrailingDot", "/home/u/name.", "/home/u/", "name.", "name", ""},
        SplitCase{"DotInFolderOnly", "/fotos/2005.07 Urlaub/bild", "/fotos/2005.07 Urlaub/", "bild",
                  "bild", ""},
        SplitCase{"BackslashAndColonAreNameCharacters", "/x/a\\b:c.txt", "/x/", "a\\b:c.txt",
                  "a\\b:c", "txt"},
        SplitCase{"NoFolder", "datei.JPG", "", "datei.JPG", "datei", "JPG"},
        SplitCase{"InRoot", "/boot.img", "/", "boot.img", "boot", "img"}),
    [](const ::testing::TestParamInfo<SplitCase> &info) { return std::string(info.param.label); });

TEST(SizeKey, IsSixteenUpperCaseHexDigitsSoLargeFilesSortRight)
{
    EXPECT_EQ(FileEntry::sizeKeyFor(255), QStringLiteral("00000000000000FF"));
    EXPECT_EQ(FileEntry::sizeKeyFor(0), QStringLiteral("0000000000000000"));
    EXPECT_EQ(FileEntry::sizeKeyFor(5LL << 30), QStringLiteral("0000000140000000"));
    EXPECT_LT(FileEntry::sizeKeyFor(0xFFFFFFFFLL), FileEntry::sizeKeyFor(0x100000000LL));
}

TEST(Columns, TextFollowsTheDisplayOrderAndHiddenColumnsCarryKeys)
{
    FileEntry e = FileEntry::fromPath(QStringLiteral("/a/b.txt"));
    e.NewName = QStringLiteral("c.txt");
    e.SizeKey = FileEntry::sizeKeyFor(3);
    EXPECT_EQ(e.text(kesto::ColOldName), QStringLiteral("b.txt"));
    EXPECT_EQ(e.text(kesto::ColNewName), QStringLiteral("c.txt"));
    EXPECT_EQ(e.text(kesto::ColFolder), QStringLiteral("/a/"));
    EXPECT_EQ(e.text(kesto::ColType), QStringLiteral("txt"));
    EXPECT_EQ(e.text(kesto::ColUnused), QString());
    EXPECT_EQ(e.text(kesto::ColFullPath), QStringLiteral("/a/b.txt"));
    EXPECT_EQ(e.text(kesto::ColBaseName), QStringLiteral("b"));
    EXPECT_EQ(e.text(kesto::ColSizeKey), QStringLiteral("0000000000000003"));
    EXPECT_EQ(kesto::columnHeader(kesto::ColSize), QStringLiteral("Größe"));
    EXPECT_EQ(kesto::columnHeader(kesto::ColCaptured), QStringLiteral("Aufnahme (Exif)"));
}

} // namespace
