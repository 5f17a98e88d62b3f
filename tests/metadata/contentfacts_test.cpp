#include "metadata/audiotags.h"
#include "metadata/checksum.h"

#include "support/audiofile.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace kesto {
void PrintTo(const AudioTags &t, std::ostream *os)
{
    *os << QStringList{t.title, t.artist, t.album, t.track, t.year, t.genre}
               .join(u'|')
               .toStdString();
}
} // namespace kesto

namespace {

TEST(AudioTags, AreReadFromEveryAudioFormatAndMadeSafeForAName)
{
    if (!HasFfmpeg())
        GTEST_SKIP() << "ffmpeg fehlt (scripts/deps.sh installiert es)";
    TempFolder dir;
    const QStringList tags = {u"title= Tïtel/zwei\u0007 "_s,
                              u"artist=Künstler"_s,
                              u"album=Album"_s,
                              u"track=3/12"_s,
                              u"date=1999"_s,
                              u"genre=Jazz"_s};
    const AudioTags expected = {u"Tïtel_zwei_"_s, u"Künstler"_s, u"Album"_s,
                                u"03"_s,          u"1999"_s,     u"Jazz"_s};
    for (const char *name : {"a.mp3", "b.flac", "c.ogg", "d.opus", "e.m4a", "f.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadAudioTags(WriteAudio(dir, QString::fromLatin1(name), tags)), expected);
    }
    // An ID3v1 block alone, written by hand: fixed fields, genre 17 is "Rock".
    QByteArray v1 = "TAG" + QByteArray("Eins").leftJustified(90, '\0') + "2001";
    v1 += QByteArray(28, '\0') + '\0' + '\7' + '\21';
    const QString v1Path = WriteAudio(dir, u"g.mp3"_s, {}, {u"-id3v2_version"_s, u"0"_s});
    const QByteArray audio = dir.read(u"g.mp3"_s);
    dir.write(u"g.mp3"_s, audio + v1);
    EXPECT_EQ(ReadAudioTags(v1Path), (AudioTags{u"Eins"_s, {}, {}, u"07"_s, u"2001"_s, u"Rock"_s}));
    // Files without tags and files that are no audio give nothing.
    EXPECT_EQ(ReadAudioTags(WriteAudio(dir, u"h.flac"_s, {})), AudioTags{});
    EXPECT_EQ(ReadAudioTags(dir.write(u"x.mp3"_s, "no audio at all")), AudioTags{});
    EXPECT_EQ(ReadAudioTags(dir.file(u"missing.ogg"_s)), AudioTags{});
}

TEST(Checksum, IsTheSha256OfTheWholeFileAsSha256sumGivesIt)
{
    TempFolder dir;
    // Empty, short, and longer than one piece read with an uneven end.
    QByteArray long3M(3 * 1024 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < long3M.size(); ++i)
        long3M[i] = char(i * 7 + i / 4096);
    for (const QByteArray &content : {QByteArray(), QByteArray("abc"), long3M}) {
        const QString path = dir.write(u"f"_s, content);
        QProcess reference;
        reference.start(u"sha256sum"_s, {path});
        ASSERT_TRUE(reference.waitForFinished());
        EXPECT_EQ(FileChecksum(path),
                  QString::fromLatin1(reference.readAllStandardOutput().left(64)));
    }
    EXPECT_EQ(FileChecksum(dir.file(u"missing"_s)), QString());
    EXPECT_EQ(FileChecksum(dir.path()), QString());
}

} // namespace
