#include "filelist/filelist.h"
#include "filelist/pathsources.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;

namespace {

// What a walk of \a root meets, below it: "D" a folder, "F" a file, "U" a
// folder that could not be read, with the system's name of the error.
QString walked(const QString &root, const FolderFilter &filter)
{
    QStringList met;
    WalkFolder(QFile::encodeName(root), filter, [&](const WalkEntry &e) {
        const QString below = QFile::decodeName(e.path).mid(root.size() + 1);
        met << QString("DFU"[int(e.kind == WalkEntry::Kind::File) +
                             2 * int(e.kind == WalkEntry::Kind::Unreadable)]) +
                   (below.isEmpty() ? "" : " " + below) +
                   (e.error ? QString(" ") + strerrorname_np(e.error) : "");
    });
    return met.join(", ");
}

// Names in the list's order, equal ones by their bytes; links to files are
// files, links to folders (a loop among them), broken links, links in a
// circle and a pipe are nothing; subfolders after the files, hidden ones
// only when asked for; patterns on the name in any letter case, composed
// or not.
TEST(WalkFolder, GivesFilesBeforeSubfoldersByNameWithinTheDepthAndPatternsNeverFollowingLinks)
{
    test::TempFolder dir;
    for (const char *name :
         {"IMG_10.jpg", "IMG_2.jpg", "img_1.JPG", "a.txt", "A.txt", "A\u0308pfel.txt",
          ".versteckt.txt", "sub2/b.txt", "sub10/c.txt", "sub2/tief/d.txt", ".privat/e.txt"})
        dir.write(QString::fromUtf8(name));
    const auto link = [&dir](const char *target, const QString &name) {
        ASSERT_EQ(::symlink(target, QFile::encodeName(dir.file(name)).constData()), 0);
    };
    link("IMG_2.jpg", "link.jpg");
    link(".", "schleife");
    link("sub2", "sub2/tief/hoch");
    link("fehlt", "kaputt.jpg");
    link("kreis2", "kreis1");
    link("kreis1", "kreis2");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("pipe.jpg")).constData(), 0600), 0);
    const QString files = "F A.txt, F a.txt, F A\u0308pfel.txt, F img_1.JPG, F IMG_2.jpg, "
                          "F IMG_10.jpg, F link.jpg";
    const std::pair<FolderFilter, QString> cases[] = {
        {{-1, {}, {}, false},
         "D, " + files +
             ", D sub2, F sub2/b.txt, D sub2/tief, F sub2/tief/d.txt, "
             "D sub10, F sub10/c.txt"},
        {{0, {}, {}, false}, "D, " + files},
        {{1, {}, {}, true},
         "D, F .versteckt.txt, " + files +
             ", D .privat, F .privat/e.txt, D sub2, F sub2/b.txt, D sub10, "
             "F sub10/c.txt"},
        {{0, {"*.JPG", "\u00e4*"}, {"img_1.*"}, false},
         "D, F A\u0308pfel.txt, F IMG_2.jpg, F IMG_10.jpg, F link.jpg"},
        {{-1, {"[a-b].txt", "?.TXT"}, {"[!ab].txt"}, false},
         "D, F A.txt, F a.txt, D sub2, F sub2/b.txt, D sub2/tief, D sub10"},
    };
    for (const auto &[filter, expected] : cases)
        EXPECT_EQ(walked(dir.path(), filter), expected);
    EXPECT_EQ(walked(dir.file("fehlt"), {}), "U ENOENT");
}

// A folder nothing may read is named with its reason, and what lies beside
// it loads. Root reads everything, so meanwhile its file rights are those of
// "nobody".
TEST(WalkFolder, AFolderThatCannotBeReadIsPassedOverWithItsReasonAndTheRestLoads)
{
    test::TempFolder dir;
    const QString locked = dir.mkdir("gesperrt");
    dir.write("gesperrt/x.txt");
    const QString file = dir.write("ordner/a.txt");
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    const uid_t own = ::geteuid();
    ::setfsuid(own == 0 ? 65534 : own);
    const QList<PathToLoad> paths =
        PathsWithFolderFiles({QFile::encodeName(dir.path()), "fehlt"}, {-1, {}, {}, false});
    ::setfsuid(own);
    ::chmod(QFile::encodeName(locked).constData(), 0755);
    if (paths.size() == 4)
        GTEST_SKIP() << "no way to lock a folder here";
    const NewRows read = ReadNewRows(paths, FileList());
    ASSERT_EQ(read.rows.size(), 1);
    EXPECT_EQ(read.rows.at(0).fullPath(), file);
    ASSERT_EQ(read.skipped.size(), 2);
    EXPECT_EQ(read.skipped.at(0).path + ' ' + QString::number(int(read.skipped.at(0).reason)) +
                  ' ' + QString::number(int(read.skipped.at(1).reason)),
              locked + ' ' + QString::number(int(SkipReason::Unreadable)) + ' ' +
                  QString::number(int(SkipReason::Missing)));
}

// One path a line, a carriage return before the line feed dropped, the last
// line without one, empty lines left out; with NUL a line feed is part of a
// name. A list that cannot be read gives its reason.
TEST(ReadPathList, TakesLinesOrNulSeparatedPathsAndNamesWhyAListCannotBeRead)
{
    test::TempFolder dir;
    const std::tuple<QByteArray, bool, QList<QByteArray>> cases[] = {
        {"a.txt\r\n\nb c.txt\nd\r.txt", false, {"a.txt", "b c.txt", "d\r.txt"}},
        {QByteArray("a\nb\0\0c\r\n\0", 9), true, {"a\nb", "c\r\n"}},
        {"", false, {}},
    };
    SkipReason reason = SkipReason::Missing;
    for (const auto &[list, nul, expected] : cases) {
        EXPECT_EQ(ReadPathList(QFile::encodeName(dir.write("liste", list)), nul, reason), expected);
    }
    for (const auto &[path, why] : {std::pair{dir.file("fehlt"), SkipReason::Missing},
                                    std::pair{dir.path(), SkipReason::Folder}}) {
        EXPECT_FALSE(ReadPathList(QFile::encodeName(path), false, reason));
        EXPECT_EQ(reason, why);
    }
}

} // namespace
