#include "storage/ini.h"
#include "storage/textfile.h"

#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

// Runs \a checks where a file nobody may read cannot be read: directly for an
// ordinary user, for root in a child process as "nobody". False when neither works.
bool runWithoutReadRights(const std::function<void()> &checks)
{
    if (geteuid() != 0) {
        checks();
        return true;
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(77);
        checks();
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 77)
        return false;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the checks failed in the child process";
    return true;
}

class Ini : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString path = dir.file("test.ini");

    QString get(const QString &section, const QString &key)
    {
        return IniGetString(section, key, "<default>", path);
    }
};

TEST_F(Ini, WritesPutKeysAndSectionsInPlaceAndLeaveOtherLinesByteForByte)
{
    // File before (null: no file), section, key, value, file after.
    const std::tuple<QByteArray, QString, QString, QString, QByteArray> rows[] = {
        {{}, "Tasten", "0", "[name]", "[Tasten]\r\n0=[name]\r\n"},
        {"[A]\r\nx=1\r\n", "B", "y", "2", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\nx=1\r\n\r\n[B]\r\n", "a", "Z", "3", "[A]\r\nx=1\r\nZ=3\r\n\r\n[B]\r\n"},
        {"[Urlaub]\r\nMaske=a\r\nStart=1\r\n", "urlaub", "MASKE", "neu",
         "[Urlaub]\r\nMASKE=neu\r\nStart=1\r\n"},
        // Line breaks would corrupt the file; a byte-order mark character is text.
        {{}, "a\r\nb", "k\n", "one\r\ntwo\nthree\rfour", "[a b]\r\nk =one two three four\r\n"},
        {{}, u"\uFEFF[A]"_s, "k", u"\uFEFFv"_s, "[\xEF\xBB\xBF[A]]\r\nk=\xEF\xBB\xBFv\r\n"},
        // Foreign and damaged files.
        {"[A]\r\nx=\xE4\r\n\r\n[B]\r\ny=\xF6\r\n", "A", "x", u"ü"_s,
         "[A]\r\nx=\xC3\xBC\r\n\r\n[B]\r\ny=\xF6\r\n"},
        {"[A]\nx=1\ny=2", "A", "z", "3", "[A]\nx=1\ny=2\r\nz=3\r\n"},
        {"x=\r\njunk\r\n[A]\r\ntext\r\n", "A", "y", "2", "x=\r\njunk\r\n[A]\r\ntext\r\ny=2\r\n"},
        {"[A]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "y", "new", "[A]\r\nx=1\r\ny=new\r\n[a]\r\nx=2\r\n"},
        {"[A]\r\nx=1\r\nX=2\r\n", "A", "X", "3", "[A]\r\nX=3\r\nX=2\r\n"},
        {"  [ T ]\t\r\n 0 = [name] \r\n", "T", "0", "[typ]", "  [ T ]\t\r\n0=[typ]\r\n"},
    };
    for (const auto &[before, section, key, value, after] : rows) {
        QFile::remove(path);
        if (!before.isNull())
            QFile::setPermissions(dir.write("test.ini", before), QFileDevice::ReadOwner);
        EXPECT_TRUE(IniPutString(section, key, value, path)) << before.toStdString();
        EXPECT_EQ(dir.read("test.ini"), after) << before.toStdString();
        EXPECT_EQ(dir.names(), QStringList{"test.ini"}) << "no temporary file stays behind";
    }
}

TEST_F(Ini, ValuesComeBackExactlyAsWrittenUpToTheProfileLength)
{
    // Saved masks try blanks, quotes, "=", "[" and umlauts in names and values.
    QStringList values = {"  lead", "trail  ", "'single'", ";no note",
                          "#",      "",        "\t",       u"\U0001F600"_s};
    values << QString(IniMaxValueLength + 1, u'v');
    for (qsizetype i = 0; i < values.size(); ++i)
        ASSERT_TRUE(IniPutString("S", QString::number(i), values[i], path));
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(get("S", QString::number(i)), values[i].left(IniMaxValueLength));
}

TEST_F(Ini, DamagedFilesYieldDefaultsOrWhatCanBeRead)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919) % 256);
    QByteArray big;
    for (int s = 0; big.size() < 10'000'000; ++s)
        big += "[S" + QByteArray::number(s) + "]\r\n" + QByteArray(40, 'x').prepend("k=") + "\r\n";
    const QByteArray headers = "[b]\r\n[ A ]\r\n[.Standard]\r\n [in] \r\nnot [a header]\r\n[B]\r\n";
    const QByteArray foreign = "[Gr\xFC\xDF"
                               "e]\r\nSearch=\xE4\xF6\xFC \x80\r\n";
    const QByteArray stray = "x=outside\r\njunk\r\n[A]\r\njust text\r\nx=inside\r\n";
    const QByteArray twice = "[A]\r\nx=first\r\nX=again\r\n[a]\r\nx=second\r\ny=only second\r\n";
    // File (null: no file), section, key, value read, section names (null: not checked).
    const std::tuple<QByteArray, QString, QString, QString, const char *> rows[] = {
        {{}, "A", "x", "<default>", ""},
        {"\xEF\xBB\xBF[A]\nx=1\n[B]\r\ny=2\r\nz=3", "b", "Z", "3", "A|B"},
        {foreign, u"GRÜßE"_s, "search", u"äöü €"_s, "Grüße"},
        {foreign, u"grüsse"_s, "search", "<default>", "Grüße"},
        // UTF-8 where it is valid, Windows-1252 (or the C1 code) for every other byte.
        {"[A]\r\nx=\xC3\xA4\xC0\xAF\xED\xA0\x80\x81\x9D\xF0\x9F\x98\x80\xC3", "A", "x",
         u"äÀ¯í\u00A0€\u0081\u009D\U0001F600Ã"_s, "A"},
        {stray, "A", "x", "inside", "A"},
        {stray, "", "x", "<default>", "A"},
        {stray, "A", "just text", "<default>", "A"},
        {twice, "a", "x", "first", "A"},
        {twice, "A", "y", "<default>", "A"},
        {"  [ T ]\t\r\n 0 = [name] \r\n", " t", "0 ", " [name] ", " T "},
        {"[A]\r\nx=\r\n", "A", "x", "", "A"},
        {headers, "a", "x", "<default>", "b| A |.Standard|in"},
        {garbage + "\n[ok]\nk=v\n" + garbage, "ok", "k", "v", nullptr},
        {big + "[Last]\r\nk=end\r\n", "last", "K", "end", nullptr},
    };
    for (const auto &[file, section, key, value, sections] : rows) {
        QFile::remove(path);
        if (!file.isNull())
            dir.write("test.ini", file);
        EXPECT_EQ(get(section, key), value) << file.left(40).toStdString();
        EXPECT_EQ(sections ? IniSectionNames("|", path) : QString(), QString::fromUtf8(sections));
    }
}

TEST_F(Ini, AFolderOrAnUnreadableFileYieldsDefaultsAndIsNeverWritten)
{
    dir.mkdir("test.ini");
    EXPECT_EQ(get("A", "x"), "<default>");
    EXPECT_EQ(IniSectionNames("|", path), "");
    EXPECT_FALSE(IniPutString("A", "x", "1", path));
    EXPECT_FALSE(IniDeleteSection("A", path));
    EXPECT_FALSE(WriteWholeFile(path, "x"));
    EXPECT_TRUE(QFileInfo(path).isDir());
    int error = -1;
    EXPECT_EQ(ReadWholeFile(path, &error), QString());
    EXPECT_EQ(error, 0);
    ASSERT_TRUE(WriteWholeFile(dir.file("t.txt"), u"Grüß\r\n"_s));
    EXPECT_EQ(dir.read("t.txt"), QByteArray("Gr\xC3\xBC\xC3\x9F\r\n"));
    EXPECT_EQ(ReadWholeFile(dir.file("t.txt")), u"Grüß\r\n"_s);

    // Write rights alone must not let a write replace what could not be read.
    const QString locked = dir.write("locked.ini", "[A]\r\nx=1\r\n");
    QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::WriteOther);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const bool ran = runWithoutReadRights([&] {
        EXPECT_EQ(IniGetString("A", "x", "<default>", locked), "<default>");
        EXPECT_EQ(IniSectionNames("", locked), "");
        EXPECT_FALSE(IniPutString("A", "y", "2", locked));
        EXPECT_FALSE(IniDeleteSection("A", locked));
        EXPECT_EQ(ReadWholeFile(locked, &error), QString());
        EXPECT_EQ(error, QFileDevice::OpenError);
        // A read-only file of one's own is replaced all the same.
        QFile::setPermissions(dir.write("mine.ini", "[A]\r\n"), QFileDevice::ReadOwner);
        EXPECT_TRUE(IniPutString("A", "x", "1", dir.file("mine.ini")));
    });
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!ran)
        GTEST_SKIP() << "no way to read without read rights here";
    EXPECT_EQ(dir.read("locked.ini"), QByteArray("[A]\r\nx=1\r\n"));
}

TEST_F(Ini, DeletingASectionRemovesItsLinesUpToTheNextHeaderAndNothingElse)
{
    const QByteArray file = "; note\r\n[First]\r\na=1\r\n\r\n[Middle]\r\nb=2\r\nno equals\r\n\r\n"
                            "[Last]\r\nc=3\r\n";
    // File before, section, file after (null: nothing deleted, the file as it was).
    const std::tuple<QByteArray, QString, QByteArray> rows[] = {
        {file, "First", "; note\r\n[Middle]\r\nb=2\r\nno equals\r\n\r\n[Last]\r\nc=3\r\n"},
        {file, "middle", "; note\r\n[First]\r\na=1\r\n\r\n[Last]\r\nc=3\r\n"},
        {file, "LAST", "; note\r\n[First]\r\na=1\r\n\r\n[Middle]\r\nb=2\r\nno equals\r\n\r\n"},
        {file, "Mid", {}},
        {"\xEF\xBB\xBF[A]\r\nx=1\r\n[B]\r\ny=2", "A", "\xEF\xBB\xBF[B]\r\ny=2"},
        {"[A]\r\nx=1\r\n[a]\r\ny=2\r\n", "a", "[a]\r\ny=2\r\n"},
    };
    for (const auto &[before, section, after] : rows) {
        dir.write("test.ini", before);
        EXPECT_EQ(IniDeleteSection(section, path), !after.isNull()) << section.toStdString();
        EXPECT_EQ(dir.read("test.ini"), after.isNull() ? before : after) << section.toStdString();
    }
    EXPECT_FALSE(IniDeleteSection("A", dir.file("missing.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("missing.ini"))) << "no file is created";
}

} // namespace
