#include "metadata/audiotags.h"
#include "metadata/checksum.h"

#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <sys/inotify.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

QString tagsOf(const QString &path)
{
    const AudioTags t = ReadAudioTags(path);
    return QStringList{t.title, t.artist, t.album, t.track, t.year, t.genre}.join(u'|');
}

TEST(AudioTags, AreReadFromEveryAudioFormatAndMadeSafeForAName)
{
    TempFolder dir;
    const QString tags =
        u"title= Tïtel/zwei\u0007 |artist=Künstler|album=Album|track=3/12|date=1999|genre=Jazz"_s;
    for (const char *name : {"a.mp3", "b.flac", "c.ogg", "d.opus", "e.m4a", "f.wav"})
        EXPECT_EQ(tagsOf(dir.writeAudio(QString::fromLatin1(name), tags)),
                  u"Tïtel_zwei_|Künstler|Album|03|1999|Jazz"_s)
            << name;
    // An ID3v1 block alone, written by hand: fixed fields, genre 17 is "Rock".
    const QString v1 = dir.writeAudio(u"g.mp3"_s, {}, {u"-id3v2_version"_s, u"0"_s});
    dir.write(u"g.mp3"_s, dir.read(u"g.mp3"_s) + "TAG" +
                              QByteArray("Eins").leftJustified(90, '\0') + "2001" +
                              QByteArray(29, '\0') + "\7\21");
    EXPECT_EQ(tagsOf(v1), u"Eins|||07|2001|Rock"_s);
    // Files without tags and files that are no audio give nothing.
    for (const QString &path : {dir.writeAudio(u"h.flac"_s, {}), dir.write(u"x.mp3"_s, "no audio")})
        EXPECT_EQ(tagsOf(path), u"|||||"_s) << path.toStdString();
}

// A renamer that reads a file for its name must not look to a music library
// or a sync tool as if it had written it.
TEST(ContentFacts, AreReadWithoutOpeningTheFileForWriting)
{
    TempFolder dir;
    const QStringList paths = {dir.writeAudio(u"a.mp3"_s, u"title=T"_s),
                               dir.writeAudio(u"b.wav"_s, u"title=T"_s)};
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(),
                                  IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB),
              0);
    for (const QString &path : paths) {
        EXPECT_EQ(ReadAudioTags(path).title, u"T"_s);
        EXPECT_EQ(FileChecksum(path).size(), 64);
    }
    char events[4096];
    EXPECT_EQ(::read(watch, events, sizeof events), -1) << "an event for a file read";
    ::close(watch);
}

TEST(Checksum, IsTheSha256OfTheWholeFileAsSha256sumGivesIt)
{
    TempFolder dir;
    // Empty, short, and longer than one piece read with an uneven end.
    const QStringList paths = {dir.write(u"empty"_s), dir.write(u"short"_s, "abc"),
                               dir.write(u"long"_s, QByteArray("0123456789").repeated(314573))};
    QProcess reference;
    reference.start(u"sha256sum"_s, paths);
    ASSERT_TRUE(reference.waitForFinished());
    QString ours;
    for (const QString &path : paths)
        ours += FileChecksum(path) + u"  "_s + path + u'\n';
    EXPECT_EQ(ours, QString::fromUtf8(reference.readAllStandardOutput()));
    EXPECT_EQ(FileChecksum(dir.file(u"missing"_s)) + FileChecksum(dir.path()), QString());
}

} // namespace
