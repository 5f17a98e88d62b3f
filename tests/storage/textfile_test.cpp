#include "storage/textfile.h"

#include "storagetest.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDevice>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    QString text;
};

TEST(TextFile, DecodesUtf8WhereValidAndEveryOtherByteAsWindows1252)
{
    const DecodeCase cases[] = {
        {"ascii", "abc=1\r\n", "abc=1\r\n"},
        {"utf8 umlauts", "Gr\xC3\xBC\xC3\x9F", u"Grüß"_s},
        {"windows-1252 umlauts", "Gr\xFC\xDF \xC4", u"Grüß Ä"_s},
        {"windows-1252 euro and quotes", "\x80\x84\x93", u"€„“"_s},
        {"unassigned 1252 bytes keep their code", "\x81\x8D\x8F\x90\x9D",
         u"\u0081\u008D\u008F\u0090\u009D"_s},
        {"byte-order mark skipped", "\xEF\xBB\xBF[a]", "[a]"},
        {"a second byte-order mark is text", "\xEF\xBB\xBF\xEF\xBB\xBF", u"\uFEFF"_s},
        {"mixed utf8 and 1252 lines", "\xC3\xA4\r\n\xE4", u"ä\r\nä"_s},
        {"overlong form is no utf8", "\xC0\xAF", u"À¯"_s},
        {"surrogate code is no utf8", "\xED\xA0\x80", u"í\u00A0€"_s},
        {"cut sequence at the end", "a\xC3", u"aÃ"_s},
        {"four-byte sequence", "\xF0\x9F\x98\x80", u"\U0001F600"_s},
        {"zero byte kept", QByteArray("a\0b", 3), QString(u"a\0b"_s)},
    };
    for (const DecodeCase &c : cases)
        EXPECT_EQ(DecodeText(c.bytes), c.text) << c.name;
}

TEST(TextFile, WritesUtf8WithoutByteOrderMarkAndReadsItBack)
{
    test::TempFolder dir;
    const QString path = dir.file("t.txt");
    ASSERT_TRUE(WriteWholeFile(path, u"Grüß\r\n€"_s));
    EXPECT_EQ(dir.read("t.txt"), QByteArray("Gr\xC3\xBC\xC3\x9F\r\n\xE2\x82\xAC"));
    int error = -1;
    EXPECT_EQ(ReadWholeFile(path, &error), u"Grüß\r\n€"_s);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dir.names(), QStringList{"t.txt"}) << "no temporary file stays behind";
}

TEST(TextFile, ReplacesAReadOnlyFile)
{
    test::TempFolder dir;
    const QString path = dir.write("ro.txt", "old content");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_TRUE(WriteWholeFile(path, "new"));
    EXPECT_EQ(dir.read("ro.txt"), QByteArray("new"));
    EXPECT_EQ(dir.names(), QStringList{"ro.txt"});
}

TEST(TextFile, MissingFilesAndFoldersReadAsEmptyWithoutError)
{
    test::TempFolder dir;
    dir.mkdir("folder");
    for (const QString &path : {dir.file("missing.txt"), dir.file("folder"), QString()}) {
        int error = -1;
        EXPECT_EQ(ReadWholeFile(path, &error), QString()) << path.toStdString();
        EXPECT_EQ(error, 0) << path.toStdString();
    }
}

TEST(TextFile, AnUnreadableFileReadsAsEmptyWithItsErrorNumber)
{
    test::TempFolder dir;
    const QString path = dir.write("secret.txt", "hidden");
    QFile::setPermissions(path, QFileDevice::Permissions());
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const bool ran = test::RunWithoutReadRights([&] {
        int error = 0;
        EXPECT_EQ(ReadWholeFile(path, &error), QString());
        EXPECT_EQ(error, QFileDevice::OpenError);
    });
    if (!ran)
        GTEST_SKIP() << "no way to read without read rights here";
}

TEST(TextFile, WritingOverAFolderOrIntoAMissingFolderFails)
{
    test::TempFolder dir;
    dir.mkdir("folder");
    EXPECT_FALSE(WriteWholeFile(dir.file("folder"), "x"));
    EXPECT_TRUE(QFileInfo(dir.file("folder")).isDir());
    EXPECT_FALSE(WriteWholeFile(dir.file("missing/x.txt"), "x"));
    EXPECT_FALSE(WriteWholeFile(QString(), "x"));
}

} // namespace
