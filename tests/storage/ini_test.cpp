#include "storage/ini.h"

#include "storagetest.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

class Ini : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString path = dir.file("test.ini");

    QString write(const QByteArray &bytes) { return dir.write("test.ini", bytes); }
    QByteArray bytes() const { return dir.read("test.ini"); }
    QString get(const QString &section, const QString &key, const QString &def = "<default>")
    {
        return IniGetString(section, key, def, path);
    }
};

TEST_F(Ini, TheFirstWriteCreatesTheFileWithOneSectionAndOneKey)
{
    EXPECT_EQ(get("Tasten", "0"), "<default>");
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_TRUE(IniPutString("Tasten", "0", "[name]", path));
    EXPECT_EQ(bytes(), QByteArray("[Tasten]\r\n0=[name]\r\n"));
}

TEST_F(Ini, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEndOfTheFile)
{
    IniPutString("A", "x", "1", path);
    IniPutString("B", "y", "2", path);
    IniPutString("A", "z", "3", path);
    IniPutString("B", "w", "4", path);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n"));
}

TEST_F(Ini, AnExistingKeyIsReplacedInPlaceFoundWithoutRegardToLetterCase)
{
    write("[Urlaub]\r\nMaske=a\r\nStart=1\r\n\r\n[b]\r\nMaske=b\r\n");
    ASSERT_TRUE(IniPutString("urlaub", "MASKE", "neu", path));
    EXPECT_EQ(bytes(), QByteArray("[Urlaub]\r\nMASKE=neu\r\nStart=1\r\n\r\n[b]\r\nMaske=b\r\n"));
    EXPECT_EQ(get("URLAUB", "maske"), "neu");
}

TEST_F(Ini, ValuesComeBackExactlyAsWritten)
{
    const QString values[] = {
        " ",
        "  lead",
        "trail  ",
        "\"quoted\"",
        "'single'",
        "a=b=c",
        "[x]",
        "[",
        "]",
        u"äöü ÄÖÜ ß €"_s,
        ";not a comment",
        "#",
        "",
        "tab\there",
        u"\U0001F600"_s,
    };
    int n = 0;
    for (const QString &value : values)
        ASSERT_TRUE(IniPutString("S", QString::number(n++), value, path));
    n = 0;
    for (const QString &value : values)
        EXPECT_EQ(get("S", QString::number(n++)), value);
}

TEST_F(Ini, SectionNamesWithBracketsEqualsSignsUmlautsAndBlanksComeBack)
{
    const QString names[] = {"[x]", "a=b", u"Ürlaub Äpfel"_s, "a]b", "[", " blank ", "[]", ";x"};
    for (const QString &name : names)
        ASSERT_TRUE(IniPutString(name, "k", name + "!", path));
    EXPECT_EQ(IniSectionList(path), QStringList(std::begin(names), std::end(names)));
    for (const QString &name : names)
        EXPECT_EQ(get(name, "k"), name + "!") << name.toStdString();
}

TEST_F(Ini, AByteOrderMarkCharacterInsideTheFileIsText)
{
    const QString mark = u"\uFEFF"_s;
    ASSERT_TRUE(IniPutString(mark + "[A]", "k", mark + "v", path));
    EXPECT_EQ(bytes(), QByteArray("[\xEF\xBB\xBF[A]]\r\nk=\xEF\xBB\xBFv\r\n"));
    EXPECT_EQ(IniSectionList(path), QStringList{mark + "[A]"});
    EXPECT_EQ(get(mark + "[A]", "k"), mark + "v");
    EXPECT_EQ(get("[A]", "k"), "<default>");
}

TEST_F(Ini, LineBreaksInNamesAndValuesAreWrittenAsBlanks)
{
    ASSERT_TRUE(IniPutString("a\r\nb", "k\n", "one\r\ntwo\nthree\rfour", path));
    EXPECT_EQ(bytes(), QByteArray("[a b]\r\nk =one two three four\r\n"));
    EXPECT_EQ(get("a\nb", "k"), "one two three four");
}

TEST_F(Ini, ReadsLfAndCrLfLineEndsAndSkipsAByteOrderMark)
{
    write("\xEF\xBB\xBF[A]\nx=1\n[B]\r\ny=2\r\nz=3");
    EXPECT_EQ(get("A", "x"), "1");
    EXPECT_EQ(get("B", "y"), "2");
    EXPECT_EQ(get("B", "z"), "3");
    EXPECT_EQ(IniSectionList(path), (QStringList{"A", "B"}));
}

TEST_F(Ini, ReadsWindows1252Files)
{
    write("[Gr\xFC\xDF"
          "e]\r\nSearch=\xE4\xF6\xFC \x80\r\n");
    EXPECT_EQ(get(u"grüsse"_s, "search"), "<default>") << "ß is no ss";
    EXPECT_EQ(get(u"GRÜßE"_s, "search"), u"äöü €"_s);
    EXPECT_EQ(IniSectionList(path), QStringList{u"Grüße"_s});
}

TEST_F(Ini, WritingIntoAWindows1252FileKeepsItsOtherLinesByteForByte)
{
    write("[A]\r\nx=\xE4\r\n\r\n[B]\r\ny=\xF6\r\n");
    ASSERT_TRUE(IniPutString("A", "x", u"ü"_s, path));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=\xC3\xBC\r\n\r\n[B]\r\ny=\xF6\r\n"));
    EXPECT_EQ(get("A", "x"), u"ü"_s);
    EXPECT_EQ(get("B", "y"), u"ö"_s);
}

TEST_F(Ini, WritingKeepsTheLineEndsOfAnLfFileAndEndsAnUnfinishedLastLine)
{
    write("[A]\nx=1\ny=2");
    IniPutString("A", "z", "3", path);
    IniPutString("A", "x", "9", path);
    EXPECT_EQ(bytes(), QByteArray("[A]\nx=9\ny=2\r\nz=3\r\n"));

    write("[A]\r\nx=1\r");
    IniPutString("B", "y", "2", path);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"));
    EXPECT_EQ(get("A", "x"), "1");
}

TEST_F(Ini, LinesWithoutEqualsSignAndKeysBeforeTheFirstSectionAreIgnored)
{
    write("x=outside\r\ngarbage line\r\n[A]\r\njust text\r\nx=inside\r\n");
    EXPECT_EQ(get("A", "x"), "inside");
    EXPECT_EQ(get("", "x"), "<default>");
    EXPECT_EQ(get("A", "just text"), "<default>");
    EXPECT_EQ(IniSectionList(path), QStringList{"A"});
    IniPutString("A", "y", "2", path);
    EXPECT_EQ(bytes(),
              QByteArray("x=outside\r\ngarbage line\r\n[A]\r\njust text\r\nx=inside\r\ny=2\r\n"));
}

TEST_F(Ini, TheFirstOfTwoEqualSectionsWinsForReadingWritingAndListing)
{
    write("[A]\r\nx=first\r\n[a]\r\nx=second\r\ny=only second\r\n");
    EXPECT_EQ(get("A", "x"), "first");
    EXPECT_EQ(get("A", "y"), "<default>");
    EXPECT_EQ(IniSectionList(path), QStringList{"A"});
    IniPutString("a", "y", "new", path);
    EXPECT_EQ(bytes(),
              QByteArray("[A]\r\nx=first\r\ny=new\r\n[a]\r\nx=second\r\ny=only second\r\n"));
    ASSERT_TRUE(IniDeleteSection("A", path));
    EXPECT_EQ(get("A", "y"), "only second");
}

TEST_F(Ini, TheFirstOfTwoEqualKeysWins)
{
    write("[A]\r\nx=1\r\nX=2\r\n");
    EXPECT_EQ(get("A", "x"), "1");
    IniPutString("A", "X", "3", path);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nX=3\r\nX=2\r\n"));
}

TEST_F(Ini, BlanksAroundNamesDoNotCountButBlanksInValuesDo)
{
    write("  [ Tasten ]\t\r\n 0 = [name] \r\n\t1\t=x\r\n");
    EXPECT_EQ(get("Tasten", "0"), " [name] ");
    EXPECT_EQ(get(" tasten", "1 "), "x");
    EXPECT_EQ(IniSectionList(path), QStringList{" Tasten "});
    IniPutString("Tasten", "0", "[typ]", path);
    EXPECT_EQ(bytes(), QByteArray("  [ Tasten ]\t\r\n0=[typ]\r\n\t1\t=x\r\n"));
}

TEST_F(Ini, AnEmptyValueIsAValueAndNotTheDefault)
{
    write("[A]\r\nx=\r\n");
    EXPECT_EQ(get("A", "x"), "");
}

TEST_F(Ini, LongValuesAreCutAsTheProfileFunctionsCutThem)
{
    const QString longValue(IniMaxValueLength + 10, u'v');
    IniPutString("A", "x", longValue, path);
    EXPECT_EQ(get("A", "x"), longValue.left(IniMaxValueLength));
}

TEST_F(Ini, ATenMegabyteFileIsReadAndWritten)
{
    QByteArray big;
    big.reserve(10'500'000);
    for (int s = 0; big.size() < 10'000'000; ++s) {
        big += "[S" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            big += "key" + QByteArray::number(k) + '=' + QByteArray(20, 'x') + "\r\n";
    }
    big += "[Last]\r\nk=end\r\n";
    write(big);
    EXPECT_EQ(get("last", "K"), "end");
    ASSERT_TRUE(IniPutString("Last", "k", "changed", path));
    ASSERT_TRUE(IniDeleteSection("S0", path));
    EXPECT_EQ(get("Last", "k"), "changed");
    EXPECT_EQ(get("S0", "key0"), "<default>");
    EXPECT_EQ(get("S1", "key19"), QString(20, u'x'));
}

TEST_F(Ini, BinaryGarbageYieldsDefaultsAndWhatCanBeRead)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919) % 256);
    write(garbage + "\n[ok]\nk=v\n" + garbage);
    EXPECT_EQ(get("nothing", "k"), "<default>");
    EXPECT_EQ(get("ok", "k"), "v");
    EXPECT_TRUE(IniSectionList(path).contains("ok"));
    EXPECT_TRUE(IniPutString("ok", "k", "w", path));
    EXPECT_EQ(get("ok", "k"), "w");
    EXPECT_TRUE(bytes().startsWith(garbage)) << "lines not written stay as they were";
}

TEST_F(Ini, AFileThatIsAFolderYieldsDefaultsAndIsNotWritten)
{
    dir.mkdir("test.ini");
    EXPECT_EQ(get("A", "x"), "<default>");
    EXPECT_EQ(IniSectionNames("\t", path), "");
    EXPECT_FALSE(IniPutString("A", "x", "1", path));
    EXPECT_FALSE(IniDeleteSection("A", path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(Ini, AnUnreadableFileYieldsDefaultsAndIsNeverOverwritten)
{
    write("[A]\r\nx=1\r\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner | QFileDevice::WriteOther);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const bool ran = test::RunWithoutReadRights([&] {
        EXPECT_EQ(get("A", "x"), "<default>");
        EXPECT_EQ(IniSectionNames("", path), "");
        EXPECT_FALSE(IniPutString("A", "y", "2", path));
        EXPECT_FALSE(IniDeleteSection("A", path));
    });
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!ran)
        GTEST_SKIP() << "no way to read without read rights here";
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\n"));
}

TEST_F(Ini, SectionNamesAreJoinedBySeparatorOrCrLf)
{
    EXPECT_EQ(IniSectionNames("\t", path), "") << "missing file";
    write("[b]\r\n[ A ]\r\n[.Standard]\r\n [indented] \r\nnot [a header]\r\n[B]\r\n");
    EXPECT_EQ(IniSectionNames("\t", path), "b\t A \t.Standard\tindented");
    EXPECT_EQ(IniSectionNames("", path), "b\r\n A \r\n.Standard\r\nindented");
}

TEST_F(Ini, AnEmptyFileNameMeansTheFileUsedLast)
{
    const QString other = dir.file("other.ini");
    IniPutString("A", "x", "1", path);
    IniPutString("B", "y", "2", other);
    EXPECT_EQ(IniGetString("B", "y", "", ""), "2");
    IniPutString("B", "z", "3", "");
    EXPECT_EQ(IniSectionNames(",", ""), "B");
    EXPECT_EQ(IniGetString("A", "x", "", path), "1");
    EXPECT_EQ(IniSectionNames(",", ""), "A");
    EXPECT_EQ(dir.read("other.ini"), QByteArray("[B]\r\ny=2\r\nz=3\r\n"));
}

struct DeleteCase
{
    const char *name;
    QString section;
    QByteArray after;
};

TEST_F(Ini, DeletingASectionRemovesItsLinesUpToTheNextHeaderAndNothingElse)
{
    const QByteArray file = "; note\r\n"
                            "[First]\r\na=1\r\n\r\n"
                            "[Middle]\r\nb=2\r\nno equals\r\n\r\n"
                            "[Last]\r\nc=3\r\n";
    const DeleteCase cases[] = {
        {"first", "First", "; note\r\n[Middle]\r\nb=2\r\nno equals\r\n\r\n[Last]\r\nc=3\r\n"},
        {"middle", "middle", "; note\r\n[First]\r\na=1\r\n\r\n[Last]\r\nc=3\r\n"},
        {"last", "LAST", "; note\r\n[First]\r\na=1\r\n\r\n[Middle]\r\nb=2\r\nno equals\r\n\r\n"},
    };
    for (const DeleteCase &c : cases) {
        write(file);
        EXPECT_TRUE(IniDeleteSection(c.section, path)) << c.name;
        EXPECT_EQ(bytes(), c.after) << c.name;
    }
}

TEST_F(Ini, DeletingTheSectionOnTheFirstLineKeepsTheByteOrderMark)
{
    write("\xEF\xBB\xBF[A]\r\nx=1\r\n[B]\r\ny=2");
    ASSERT_TRUE(IniDeleteSection("A", path));
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF[B]\r\ny=2"));
    ASSERT_TRUE(IniDeleteSection("B", path));
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF"));
}

TEST_F(Ini, DeletingAMissingSectionLeavesTheFileAlone)
{
    EXPECT_FALSE(IniDeleteSection("A", path));
    EXPECT_FALSE(QFileInfo::exists(path)) << "no file is created";
    write("[A]\r\nx=1\r\n");
    const QDateTime before = QFileInfo(path).lastModified();
    EXPECT_FALSE(IniDeleteSection("A1", path));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\n"));
    EXPECT_EQ(QFileInfo(path).lastModified(), before);
}

TEST(IniNames, AreEqualWithoutRegardToLetterCaseAndBlanksAround)
{
    EXPECT_TRUE(IniSameName("Urlaub", "uRLAUB"));
    EXPECT_TRUE(IniSameName(u"Ärger"_s, u"äRGER"_s));
    EXPECT_TRUE(IniSameName(" a\t", "A"));
    EXPECT_FALSE(IniSameName("a b", "ab"));
    EXPECT_FALSE(IniSameName("Urlaub", "Urlaub2"));
    EXPECT_FALSE(IniSameName(u"ß"_s, "SS"));
}

} // namespace
