#include "naming/builder.h"
#include "naming/textcase.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRegularExpression>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

FileEntry photo()
{
    FileEntry e = FileEntry::fromPath(u"/home/u/Projekt A/Urlaub.JPG"_s);
    e.modifiedAt = QDateTime(QDate(2006, 3, 14), QTime(9, 5, 7)).toSecsSinceEpoch();
    e.createdAt = QDateTime(QDate(2004, 12, 1), QTime(23, 59, 58)).toSecsSinceEpoch();
    e.setCaptured(u"2005:07:14 13:45:12"_s);
    e.imageSize = QSize(640, 480);
    return e;
}

QString build(const QString &mask, const FileEntry &row, int p = 1, NamingContext context = {})
{
    const MaskCheck check = CheckMask(mask);
    EXPECT_TRUE(check.ok) << mask.toStdString();
    context.tokens = check.tokens;
    return BuildNewName(row, p, context);
}

// Every keyword in any letter case; [ZAHL] and [ZUFALLSKETTE n] follow below.
TEST(NameBuilder, PlaceholdersInAnyLetterCaseTakeTheirPartOfTheRowsFacts)
{
    // A file in the root folder without times, extension or image size.
    const FileEntry bare = FileEntry::fromPath(u"/README"_s);
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"[datum]_[RDATUM]_[Tag].[monat].[jahr]", "2006-03-14_14-03-2006_14.03.2006", "--_--_.."},
        {"[zeit]_[H][m][S]_[STUNDE][Minute][sekunde]", "09-05-07_090507_090507", "--__"},
        {"[ERSTELLDATUM]_[erstelltag][ErstellMonat][erstelljahr]", "2004-12-01_01122004", "--_"},
        {"[erstellzeit]_[ERSTELLSTUNDE][erstellminute][erstellSekunde]", "23-59-58_235958", "--_"},
        {"[aufnahmedatum]_[AUFNAHMETAG][aufnahmemonat][AufnahmeJahr]", "2005-07-14_14072005", "_"},
        {"[AUFNAHMEZEIT]_[aufnahmestunde][aufnahmeminute]", "13-45-12_1345", "_"},
        {"[Dir]x[aufnahmesekunde]", "Projekt Ax12", "x"},
        {"[NAME].[typ]", "Urlaub.JPG", "README."},
        {"[breite]x[HÖHE]_[Höhe]", "640x480_480", "x_"},
    };
    for (const auto &[mask, fromPhoto, fromBare] : rows) {
        EXPECT_EQ(build(QString::fromUtf8(mask), photo()), QString::fromUtf8(fromPhoto));
        EXPECT_EQ(build(QString::fromUtf8(mask), bare), QString::fromUtf8(fromBare));
    }
}

TEST(NameBuilder, RangesCountFromEitherEndOfTheName)
{
    const FileEntry e = FileEntry::fromPath(u"/x/abcdef.txt"_s);
    const std::pair<const char *, const char *> rows[] = {
        {"[2-4]", "bcd"},     {"[R2-4]", "cde"}, {"[R2-]", "abcde"}, {"[2,3]", "bcd"},
        {"[R2,3]", "cde"},    {"[R1]", "f"},     {"[8]", ""},        {"[R8]", ""},
        {"[R1,9]", "abcdef"}, {"[3-]", "cdef"},  {"[6-9]", "f"},     {"[3,0]", ""},
        {"[R6-9]", "a"},
    };
    for (const auto &[mask, expected] : rows)
        EXPECT_EQ(build(QString::fromUtf8(mask), e), QString::fromUtf8(expected)) << mask;
}

TEST(NameBuilder, OptionsApplyInTheirOrder)
{
    NamingContext c;
    c.counterStart = 95;
    c.counterStep = 5;
    c.digitCount = 3;
    c.leadChar = u"0"_s;
    EXPECT_EQ(build(u"[zahl]"_s, photo(), 1, c), u"095"_s);
    EXPECT_EQ(build(u"[zahl]"_s, photo(), 3, c), u"105"_s);

    // Replacing in the old name reaches only the name source, in the new name everything;
    // an active set without search text and an inactive set do nothing.
    const FileEntry e = FileEntry::fromPath(u"/x/jpg_bild.jpg"_s);
    const QString mask = u"[name]-[2-3]-jpg.[typ]"_s;
    std::array<SearchReplaceSet, 3> sets = {{{Checked, u"JPG"_s, u"X"_s, Unchecked},
                                             {Checked, QString(), u"nie"_s, Checked},
                                             {Unchecked, u"bild"_s, u"nie"_s, Checked}}};
    c.sets = ReplaceSets(sets);
    EXPECT_EQ(build(mask, e, 1, c), u"X_bild-_b-jpg.jpg"_s);
    sets[0].inNewName = Checked;
    c.sets = ReplaceSets(sets);
    EXPECT_EQ(build(mask, e, 1, c), u"X_bild-pg-X.X"_s);

    // Each set works on the result of the one before.
    sets[0] = {Checked, u"img"_s, u"Foto"_s, Unchecked};
    sets[1] = {Checked, u"foto"_s, u"Bild"_s, Unchecked};
    c.sets = ReplaceSets(sets);
    EXPECT_EQ(build(u"[name]"_s, FileEntry::fromPath(u"/x/IMG_1 Img.jpg"_s), 1, c),
              u"Bild_1 Bild"_s);

    // The letter case covers the whole name; new-name replacements keep their case.
    c.letterCase = CaseUpper;
    sets[0] = {Checked, u"JPG"_s, u"jpeg"_s, Checked};
    c.sets = ReplaceSets(sets);
    EXPECT_EQ(build(u"urlaub_[name].[typ]"_s, photo(), 1, c), u"URLAUB_URLAUB.jpeg"_s);

    // Each folder of the mask and the file's name take the letter case and
    // the new-name sets on their own; a "/" that a set puts in is "_".
    c.letterCase = CaseFirst;
    c.sets = ReplaceSets({{{Checked, u"o"_s, u"/"_s, Checked}, {}, {}}});
    EXPECT_EQ(build(u"foto/[dir]/[name].[typ]"_s, photo(), 1, c), u"F_t_/Pr_jekt a/Urlaub.jpg"_s);
}

TEST(NameBuilder, DatesTakeAFormatAndNamesAreComposedBeforeTheSetsAndAfterThemInAscii)
{
    FileEntry e = FileEntry::fromPath(u"/x/A\u0308rger Gru\u0308n.txt"_s);
    e.modifiedAt = QDateTime(QDate(2006, 3, 14), QTime(9, 5, 7)).toSecsSinceEpoch();
    e.createdAt = QDateTime(QDate(2004, 12, 1), QTime(23, 59, 58)).toSecsSinceEpoch();
    e.setCaptured(u"2024:03:05 13:45:12"_s);
    const std::pair<const char *, const char *> rows[] = {
        {"[DATUM yyyy-MM-dd]", "2006-03-14"},
        {"[erstelldatum dd.MM.yy HH-mm]", "01.12.04 23-59"},
        {"[AUFNAHMEDATUM yyyy MMMM, dddd]", "2024 März, Dienstag"},
        {"[aufnahmedatum dd. MMM 'um' h]", "05. März um 13"},
    };
    for (const auto &[mask, expected] : rows)
        EXPECT_EQ(build(QString::fromUtf8(mask), e), QString::fromUtf8(expected));
    EXPECT_EQ(build(u"[AUFNAHMEDATUM yyyy]"_s, FileEntry::fromPath(u"/README"_s)), QString());

    // "Ä" finds the decomposed old name, "ü" the decomposed mask text; the
    // decomposed replacement "u" + U+0301 is written composed, as "ú".
    NamingContext c;
    c.sets = ReplaceSets(
        {{{Checked, u"Ä"_s, u"Ö"_s, Unchecked}, {Checked, u"ü"_s, u"u\u0301"_s, Checked}, {}}});
    const QString mask = u"[name]-gru\u0308n.[typ]"_s;
    EXPECT_EQ(build(mask, e, 1, c), u"Örger Grún-grún.txt"_s);
    c.transliterate = true;
    EXPECT_EQ(build(mask, e, 1, c), u"Oerger Grun-grun.txt"_s);
    c.sets = {}; // no set composes the name before it is spelt in ASCII
    EXPECT_EQ(build(mask, e, 1, c), u"Aerger Gruen-gruen.txt"_s);
}

TEST(NameBuilder, RandomStringsAreDrawnPerTokenAndRow)
{
    NamingContext c;
    c.alphabet.digits = true;
    SeedRandom(1);
    const QString first = build(u"[zufallskette 6]-[ZUFALLSKETTE6]"_s, photo(), 1, c);
    EXPECT_EQ(QString(first).replace(QRegularExpression(u"[0-9]"_s), u"9"_s), u"999999-999999"_s);
    EXPECT_NE(first.left(6), first.mid(7));
    EXPECT_NE(build(u"[zufallskette 6]"_s, photo(), 1, c), first.left(6));
}

} // namespace
