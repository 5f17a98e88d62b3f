#include "storage/ini.h"

#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/fsuid.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

class Ini : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString path = dir.file("test.ini");
};

TEST_F(Ini, WritingAKeyOrDeletingASectionChangesOnlyItsLinesAndKeepsTheFilesRights)
{
    const QByteArray three = "; note\r\n[First]\r\na=1\r\n\r\n[Mid]\r\nb=2\r\nno sign\r\n\r\n"
                             "[Last]\r\nc=3\r\n";
    // File before (null: no file), section, key (null: delete the section), value, file after.
    const std::tuple<QByteArray, QString, QString, QString, QByteArray> rows[] = {
        {{}, "Tasten", "0", "[name]", "[Tasten]\r\n0=[name]\r\n"},
        {"[A]\r\nx=1\r\n", "B", "y", "2", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\nx=1\r\n\r\n[B]\r\n", "a", "Z", "3", "[A]\r\nx=1\r\nZ=3\r\n\r\n[B]\r\n"},
        {"[U]\r\nMaske=a\r\nx=1\r\n", "u", "MASKE", "neu", "[U]\r\nMASKE=neu\r\nx=1\r\n"},
        // Line breaks would corrupt the file.
        {{}, "a\r\nb", "k\n", "one\r\ntwo\nthree\rfour", "[a b]\r\nk =one two three four\r\n"},
        // Foreign and damaged files.
        {"[A]\r\nx=\xE4\r\ny=\xF6\r\n", "A", "x", u"ü"_s, "[A]\r\nx=\xC3\xBC\r\ny=\xF6\r\n"},
        {"[A]\nx=1\ny=2", "A", "z", "3", "[A]\nx=1\ny=2\r\nz=3\r\n"},
        {"[A]\r\nx=1\r", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
        {"[A]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "y", "new", "[A]\r\nx=1\r\ny=new\r\n[a]\r\nx=2\r\n"},
        {"[A]\r\nx=1\r\nX=2\r\n", "A", "X", "3", "[A]\r\nX=3\r\nX=2\r\n"},
        {"  [ T ]\t\r\n 0 = [name] \r\n", "T", "0", "[typ]", "  [ T ]\t\r\n0=[typ]\r\n"},
        // A section runs up to the next header.
        {three, "First", {}, {}, "; note\r\n[Mid]\r\nb=2\r\nno sign\r\n\r\n[Last]\r\nc=3\r\n"},
        {three, "mid", {}, {}, "; note\r\n[First]\r\na=1\r\n\r\n[Last]\r\nc=3\r\n"},
        {three, "LAST", {}, {}, "; note\r\n[First]\r\na=1\r\n\r\n[Mid]\r\nb=2\r\nno sign\r\n\r\n"},
        {three, "Mi", {}, {}, three},
        {"\xEF\xBB\xBF[A]\r\nx=1\r\n[B]\r\ny=2", "A", {}, {}, "\xEF\xBB\xBF[B]\r\ny=2"},
    };
    for (const auto &[before, section, key, value, after] : rows) {
        QFile::remove(path);
        if (!before.isNull())
            QFile::setPermissions(dir.write("test.ini", before), QFileDevice::ReadOwner);
        const bool written = key.isNull() ? IniDeleteSection(section, path)
                                          : IniPutString(section, key, value, path);
        EXPECT_EQ(written, after != before) << before.toStdString();
        EXPECT_EQ(dir.contents(), (QMap<QString, QByteArray>{{"test.ini", after}}))
            << before.toStdString() << " (no temporary file stays behind)";
        EXPECT_EQ(QFile::permissions(path).toInt() & 0xF000, before.isNull() ? 0x6000 : 0x4000)
            << "the file keeps its rights";
    }
    EXPECT_FALSE(IniDeleteSection("A", dir.file("missing.ini")));
    EXPECT_FALSE(dir.exists("missing.ini")) << "no file is created";
}

TEST(IniBytes, SeveralKeysWrittenAtOnceGiveTheFileThatWritingThemOneByOneGives)
{
    const QByteArray files[] = {{},
                                "\xEF\xBB\xBF",
                                "x=1\n\xEF\xBB\xBF",
                                "\xEF\xBB\xBF[A]\r\nx=1",
                                "[A]\r\nx=1\r\nX=2\r\n\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r",
                                "; note\r\n[B]\r\n[ a ]\r\nk=[\r\n"};
    const QList<IniEntry> entries = {{"x", "new"}, {"[k", "v]"}, {"X", "again"},
                                     {"a=b", "c"}, {"a", "d"},   {"y\r\n", "e"}};
    for (const QByteArray &file : files) {
        for (const QString &section : {u"A"_s, u"b"_s, u"neu"_s, u"x\r\ny"_s}) {
            QByteArray oneByOne = file;
            for (const IniEntry &entry : entries)
                oneByOne = inibytes::WithValue(oneByOne, section, entry.key, entry.value);
            EXPECT_EQ(inibytes::WithValues(file, section, entries), oneByOne)
                << file.toStdString() << " / " << section.toStdString();
        }
    }
}

TEST_F(Ini, DamagedFilesYieldDefaultsOrWhatCanBeRead)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919) % 256);
    const QByteArray big = QByteArray("[S]\r\nk=" + QByteArray(40, 'x') + "\r\n").repeated(200'000);
    // Lines outside a section or without "=", a key and a section written twice.
    const QByteArray stray = "x=outside\r\njunk\r\n[A]\r\njust text\r\nx=inside\r\nX=again\r\n"
                             "[a]\r\nx=second\r\ny=only second\r\n";
    // File (null: no file), section, key, value read, section names (null: not checked).
    const std::tuple<QByteArray, QString, QString, QString, const char *> rows[] = {
        {{}, "A", "x", "<default>", ""},
        {"\xEF\xBB\xBF[A]\nx=1\n[B]\r\ny=2\r\nz=3", "b", "Z", "3", "A|B"},
        {"[Gr\xFC\xDF]\r\nSearch=\xE4\xF6\xFC \x80\r\n", u"GRÜß"_s, "search", u"äöü €"_s, "Grüß"},
        // UTF-8 where it is valid, Windows-1252 (or the C1 code) for every other byte.
        {"[A]\r\nx=\xC3\xA4\xC0\xAF\xED\xA0\x80\x81\x9D\xF0\x9F\x98\x80\xC3", "A", "x",
         u"äÀ¯í\u00A0€\u0081\u009D\U0001F600Ã"_s, "A"},
        {stray, "a", "x", "inside", "A"},
        {stray, "A", "just text", "<default>", "A"},
        {stray, "A", "y", "<default>", "A"},
        {"  [ T ]\t\r\n 0 = [name] \r\n", " t", "0 ", " [name] ", " T "},
        {"[A]\r\nx=\r\n", "A", "x", "", "A"},
        // Cut to the longest value, never inside a pair of surrogates.
        {"[A]\r\nx=" + QByteArray(IniMaxValueLength - 1, 'v') + "\xF0\x9F\x98\x80", "A", "x",
         QString(IniMaxValueLength - 1, u'v'), "A"},
        {"[b]\r\n[ A ]\r\n[.S]\r\n [in] \r\nno [header]\r\n[B]\r\n", "a", "x", "<default>",
         "b| A |.S|in"},
        {garbage + "\n[ok]\nk=v\n" + garbage, "ok", "k", "v", nullptr},
        {big + "[Last]\r\nk=end\r\n", "last", "K", "end", nullptr},
    };
    for (const auto &[file, section, key, value, sections] : rows) {
        QFile::remove(path);
        if (!file.isNull())
            dir.write("test.ini", file);
        EXPECT_EQ(IniGetString(section, key, "<default>", path), value)
            << file.left(40).toStdString();
        EXPECT_EQ(sections ? IniSectionNames("|", path) : QString(), QString::fromUtf8(sections));
    }
}

TEST_F(Ini, AFolderOrAnUnreadableFileYieldsNoSectionAndIsNeverWritten)
{
    const auto untouchable = [](const QString &file, int openError) {
        EXPECT_FALSE(IniPutString("A", "y", "2", file));
        EXPECT_FALSE(IniDeleteSection("A", file));
        int error = -1;
        EXPECT_FALSE(IniGetSection("A", file, &error));
        EXPECT_EQ(error, openError);
    };
    untouchable(dir.mkdir("test.ini"), 0);

    // Write rights alone must not let a write replace what could not be read. Root reads
    // everything, so meanwhile its file rights are those of "nobody" (only root can switch).
    const QString locked = dir.write("locked.ini", "[A]\r\nx=1\r\n");
    QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::WriteOther);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const uid_t own = geteuid();
    setfsuid(65534);
    const bool readable = QFile(locked).open(QIODevice::ReadOnly);
    if (!readable)
        untouchable(locked, EACCES);
    setfsuid(own);
    if (readable)
        GTEST_SKIP() << "no way to read without read rights here";
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(dir.read("locked.ini"), QByteArray("[A]\r\nx=1\r\n"));
}

} // namespace
