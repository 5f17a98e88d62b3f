#include "filelist/filelist.h"
#include "filelist/pathsources.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QScopeGuard>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;

namespace {

// The rows a load of the folder \a root gives, below it, then the paths
// passed over with the number of their reason.
QString loaded(const QString &root, const FolderFilter &filter)
{
    const NewRows read =
        ReadNewRows(PathsWithFolderFiles({QFile::encodeName(root)}, filter), FileList());
    QStringList out;
    for (const FileEntry &e : read.rows)
        out << e.fullPath().mid(root.size() + 1);
    for (const SkippedPath &p : read.skipped)
        out << p.path.mid(root.size() + 1) + QString(" (%1)").arg(int(p.reason));
    return out.join(", ");
}

// Names in the list's order, equal ones by their bytes; links to files are
// files, links to folders (a loop among them), broken links, links in a
// circle and a pipe are nothing; subfolders after the files, hidden ones
// only when asked for; patterns on the name in any letter case, composed
// or not. A folder nothing may read is passed over with its reason, and
// the rest loads; root reads everything, so meanwhile its file rights are
// those of "nobody".
TEST(WalkFolder, GivesFilesBeforeSubfoldersByNameWithinTheDepthAndPatternsNeverFollowingLinks)
{
    test::TempFolder dir;
    for (const char *name : {"IMG_10.jpg", "IMG_2.jpg", "img_1.JPG", "a.txt", "A.txt",
                             "A\u0308pfel.txt", ".versteckt.txt", "sub2/b.txt", "sub10/c.txt",
                             "sub2/tief/d.txt", ".privat/e.txt", "gesperrt/x.txt"})
        dir.write(QString::fromUtf8(name));
    for (const auto &[target, name] : {std::pair{"IMG_2.jpg", "link.jpg"},
                                       {".", "schleife"},
                                       {"sub2", "sub2/tief/hoch"},
                                       {"fehlt", "kaputt.jpg"},
                                       {"kreis2", "kreis1"},
                                       {"kreis1", "kreis2"}})
        ASSERT_EQ(::symlink(target, QFile::encodeName(dir.file(name)).constData()), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("pipe.jpg")).constData(), 0600), 0);
    const QByteArray locked = QFile::encodeName(dir.file("gesperrt"));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(locked.constData(), 0), 0);
    const uid_t own = ::geteuid();
    ::setfsuid(own == 0 ? 65534 : own);
    const auto unlock = qScopeGuard([&] {
        ::setfsuid(own);
        ::chmod(locked.constData(), 0755);
    });
    if (const int probe = ::open(locked.constData(), O_RDONLY); probe >= 0) {
        ::close(probe);
        GTEST_SKIP() << "no way to lock a folder here";
    }
    const QString files =
        "A.txt, a.txt, A\u0308pfel.txt, img_1.JPG, IMG_2.jpg, IMG_10.jpg, link.jpg";
    const QString gesperrt = QString(", gesperrt (%1)").arg(int(SkipReason::Unreadable));
    const std::pair<FolderFilter, QString> cases[] = {
        {{-1, {}, {}, false}, files + ", sub2/b.txt, sub2/tief/d.txt, sub10/c.txt" + gesperrt},
        {{0, {}, {}, false}, files},
        {{1, {}, {}, true},
         ".versteckt.txt, " + files + ", .privat/e.txt, sub2/b.txt, sub10/c.txt" + gesperrt},
        {{0, {"*.JPG", "\u00e4*"}, {"img_1.*"}, false},
         "A\u0308pfel.txt, IMG_2.jpg, IMG_10.jpg, link.jpg"},
        {{-1, {"[a-b].txt", "?.TXT"}, {"[!ab].txt"}, false}, "A.txt, a.txt, sub2/b.txt" + gesperrt},
    };
    for (const auto &[filter, expected] : cases)
        EXPECT_EQ(loaded(dir.path(), filter), expected);
}

// A folder longer than one read of its listing: every path kept as given.
TEST(WalkFolder, ListsAFolderLongerThanOneReadKeepingEveryPathGiven)
{
    test::TempFolder dir;
    QList<QByteArray> expected{QFile::encodeName(dir.path())}, walked;
    for (int i = 0; i < 800; ++i)
        expected << QFile::encodeName(dir.write(QString::number(1000 + i) + QString(60, 'x')));
    WalkFolder(expected[0], {}, [&](const WalkEntry &e) { walked << e.path; });
    EXPECT_EQ(walked, expected);
}

} // namespace
