#include "naming/builder.h"
#include "naming/randomstring.h"
#include "naming/textcase.h"

#include <gtest/gtest.h>

using namespace kesto;

namespace {

FileEntry photo()
{
    FileEntry e = FileEntry::fromPath(QStringLiteral("/home/u/Projekt A/Urlaub.JPG"));
    e.Modified = QStringLiteral("2006-03-14 09-05-07");
    e.Created = QStringLiteral("2004-12-01 23-59-58");
    e.Captured = QStringLiteral("2005:07:14 13:45:12");
    return e;
}

QString build(const QString &mask, const FileEntry &row, int p = 1, NamingContext context = {})
{
    const MaskCheck check = CheckMask(mask);
    EXPECT_TRUE(check.MaskOk) << mask.toStdString();
    context.tokens = check.MaskTokens;
    return BuildNewName(row, p, context);
}

struct BuildCase
{
    const char *mask;
    const char *expected;
};

TEST(NameBuilder, TimeStampPlaceholdersCutTheirFamilyByPosition)
{
    const BuildCase cases[] = {
        {"[datum]", "2006-03-14"},
        {"[rdatum]", "14-03-2006"},
        {"[tag].[monat].[jahr]", "14.03.2006"},
        {"[zeit]", "09-05-07"},
        {"[h][m][s]", "090507"},
        {"[stunde]-[minute]-[sekunde]", "09-05-07"},
        {"[erstelldatum]", "2004-12-01"},
        {"[erstellzeit]", "23-59-58"},
        {"[erstelltag][erstellmonat][erstelljahr]", "01122004"},
        {"[erstellstunde][erstellminute][erstellsekunde]", "235958"},
        {"[aufnahmedatum] [aufnahmezeit]", "2005-07-14 13-45-12"},
        {"[aufnahmetag][aufnahmemonat][aufnahmejahr]", "14072005"},
        {"[aufnahmestunde][aufnahmeminute][aufnahmesekunde]", "134512"},
        {"[dir]", "Projekt A"},
        {"[name].[typ]", "Urlaub.JPG"},
    };
    for (const BuildCase &c : cases)
        EXPECT_EQ(build(QString::fromUtf8(c.mask), photo()), QString::fromUtf8(c.expected))
            << c.mask;
}

TEST(NameBuilder, MissingTimesGiveSeparatorsExceptForTheCaptureDate)
{
    FileEntry e = FileEntry::fromPath(QStringLiteral("/x/README"));
    EXPECT_EQ(build(QStringLiteral("[datum];[rdatum];[zeit];[tag];[erstelldatum]"), e),
              QStringLiteral("--;--;--;;--"));
    EXPECT_EQ(build(QStringLiteral("[aufnahmedatum][aufnahmezeit][aufnahmetag]x"), e),
              QStringLiteral("x"));
    EXPECT_EQ(build(QStringLiteral("[name].[typ]"), e), QStringLiteral("README."));
}

TEST(NameBuilder, RangesCountFromEitherEndOfTheName)
{
    FileEntry e = FileEntry::fromPath(QStringLiteral("/x/abcdef.txt"));
    const BuildCase cases[] = {
        {"[2-4]", "bcd"},     {"[R2-4]", "cde"}, {"[R2-]", "abcde"}, {"[2,3]", "bcd"},
        {"[R2,3]", "cde"},    {"[R1]", "f"},     {"[8]", ""},        {"[R8]", ""},
        {"[R1,9]", "abcdef"}, {"[3-]", "cdef"},  {"[6-9]", "f"},     {"[3,0]", ""},
        {"[R6-9]", "a"},
    };
    for (const BuildCase &c : cases)
        EXPECT_EQ(build(QString::fromUtf8(c.mask), e), QString::fromUtf8(c.expected)) << c.mask;
}

TEST(NameBuilder, CounterUsesThePositionAndTheFormat)
{
    NamingContext c;
    c.CounterStart = 95;
    c.CounterStep = 5;
    c.DigitCount = 3;
    c.LeadChar = QStringLiteral("0");
    EXPECT_EQ(build(QStringLiteral("[zahl]"), photo(), 1, c), QStringLiteral("095"));
    EXPECT_EQ(build(QStringLiteral("[zahl]"), photo(), 3, c), QStringLiteral("105"));
    c.LeadChar.clear();
    EXPECT_EQ(build(QStringLiteral("[zahl]"), photo(), 1, c), QStringLiteral("95"));
}

TEST(NameBuilder, ReplacementInTheOldNameReachesOnlyTheNameSource)
{
    NamingContext c;
    c.sets[0] = {Checked, QStringLiteral("jpg"), QStringLiteral("X"), Unchecked};
    FileEntry e = FileEntry::fromPath(QStringLiteral("/x/jpg_bild.jpg"));
    EXPECT_EQ(build(QStringLiteral("[name]-[2-3]-jpg.[typ]"), e, 1, c),
              QStringLiteral("X_bild-_b-jpg.jpg"));
    c.sets[0].InNewName = Checked;
    EXPECT_EQ(build(QStringLiteral("[name]-[2-3]-jpg.[typ]"), e, 1, c),
              QStringLiteral("X_bild-pg-X.X"));
}

TEST(NameBuilder, SetsApplyInOrderAndInactiveOrEmptySetsDoNothing)
{
    NamingContext c;
    c.sets[0] = {Checked, QStringLiteral("img"), QStringLiteral("Foto"), Unchecked};
    c.sets[1] = {Checked, QStringLiteral("foto"), QStringLiteral("Bild"), Unchecked};
    c.sets[2] = {Unchecked, QStringLiteral("Bild"), QStringLiteral("nie"), Unchecked};
    FileEntry e = FileEntry::fromPath(QStringLiteral("/x/IMG_1 Img.jpg"));
    EXPECT_EQ(build(QStringLiteral("[name]"), e, 1, c), QStringLiteral("Bild_1 Bild"));
    c.sets[2] = {Checked, QString(), QStringLiteral("nie"), Unchecked};
    EXPECT_EQ(build(QStringLiteral("[name]"), e, 1, c), QStringLiteral("Bild_1 Bild"));
}

TEST(NameBuilder, LetterCaseCoversTheWholeNameAndNewNameReplacementsKeepTheirCase)
{
    NamingContext c;
    c.LetterCaseMode = CaseUpper;
    c.sets[0] = {Checked, QStringLiteral("JPG"), QStringLiteral("jpeg"), Checked};
    EXPECT_EQ(build(QStringLiteral("urlaub_[name].[typ]"), photo(), 1, c),
              QStringLiteral("URLAUB_URLAUB.jpeg"));
}

TEST(NameBuilder, ImageSizeComesFromTheRow)
{
    FileEntry e = photo();
    EXPECT_EQ(build(QStringLiteral("[breite]x[höhe]"), e), QStringLiteral("x"));
    e.ImageSize = QSize(640, 480);
    EXPECT_EQ(build(QStringLiteral("[BREITE]x[HÖHE]"), e), QStringLiteral("640x480"));
}

TEST(NameBuilder, DirOfTheRootFolderIsEmpty)
{
    EXPECT_EQ(build(QStringLiteral("[dir]x"), FileEntry::fromPath(QStringLiteral("/a.txt"))),
              QStringLiteral("x"));
}

TEST(NameBuilder, RandomStringsAreDrawnPerTokenAndRow)
{
    NamingContext c;
    c.alphabet.Digits = true;
    SeedRandom(1);
    const QString first = build(QStringLiteral("[zufallskette 6]-[zufallskette6]"), photo(), 1, c);
    ASSERT_EQ(first.size(), 13);
    EXPECT_NE(first.left(6), first.mid(7));
    for (QChar ch : first.left(6))
        EXPECT_TRUE(ch.isDigit());
    EXPECT_NE(build(QStringLiteral("[zufallskette 6]"), photo(), 1, c), first.left(6));
}

} // namespace
