#include "support/drives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QThread>

using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

// kesto-cli runs with a data folder of its own, on drives that rename
// otherwise than the system's own: exFAT through FUSE knows a file only by
// its length, time and content; sshfs refuses the kernel's no-replace rename,
// makes up inode numbers per mount, and, without hard links, moves an open
// file aside before a rename onto it.
class OnDrives : public ::testing::Test
{
protected:
    void SetUp() override { env.insert(u"XDG_DATA_HOME"_s, data.path()); }

    // Starts kesto-cli with \a args and, \a toItsEnd, gives its exit code; -1
    // where it did not start or end.
    int cli(const QStringList &args, QProcess &process, bool toItsEnd = true)
    {
        process.setProcessEnvironment(env);
        process.start(QString::fromUtf8(KESTO_CLI_PATH), args);
        if (!process.waitForStarted() || (toItsEnd && !process.waitForFinished(120000)))
            return -1;
        return toItsEnd ? process.exitCode() : 0;
    }

    TempFolder data;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString journals = data.path() + u"/Quarvel/Kesto/Kesto-Journal/"_s;
};

// Files of one length and one time, in swaps and in 3-cycles, their batch
// killed at a random moment: the undo brings every file back under its own
// name, leaves no second and no hidden name, and its exit status says so.
TEST_F(OnDrives, BatchesOfLookalikeFilesKilledAtRandomAreUndoneWhole)
{
    const QDateTime time = QDateTime::currentDateTime().addDays(-1);
    ExfatDrive exfat;
    SshfsDrive sshfs, sshfsWithoutLinks(u"disable_hardlink"_s);
    const std::pair<const char *, TempFolder *> drives[] = {
        {"exFAT", exfat.mounted ? &exfat.drive : nullptr},
        {"sshfs", sshfs.mounted ? &sshfs.drive : nullptr},
        {"sshfs without hard links",
         sshfsWithoutLinks.mounted ? &sshfsWithoutLinks.drive : nullptr}};
    for (const auto &[drive, folder] : drives) {
        SCOPED_TRACE(drive);
        if (!folder) {
            std::printf("skipped: no %s drive here\n", drive);
            continue;
        }
        TempFolder &dir = *folder;
        for (int run = 0; run < 20; ++run) {
            SCOPED_TRACE(run);
            for (const QString &name : dir.names())
                QFile::remove(dir.file(name));
            // f012 to f021 swaps the last two digits, to f120 turns all three.
            QStringList args{u"--mask"_s,
                             run % 2 ? u"[1][3][4][2].[typ]"_s : u"[1-2][4][3].[typ]"_s,
                             u"--apply"_s};
            for (int n = 0; n < 64; ++n) {
                const QString name = u"f%1.txt"_s.arg(n, 3, 4, QLatin1Char('0'));
                args << dir.write(name, name.toUtf8() + QByteArray(56, char('a' + n % 26)));
                ASSERT_TRUE(TempFolder::setTimes(args.last(), time));
            }
            const auto before = dir.contents();
            QDir(journals).removeRecursively();

            QProcess batch, undo;
            ASSERT_EQ(cli(args, batch, false), 0);
            while (!HoldsAWholePlan(journals) && batch.state() == QProcess::Running)
                QThread::usleep(200);
            QThread::usleep(QRandomGenerator::global()->bounded(30000));
            batch.kill();
            batch.waitForFinished();

            const int status = cli({u"--undo"_s}, undo);
            const auto after = dir.contents();
            EXPECT_EQ(after, before) << undo.readAllStandardError().toStdString();
            EXPECT_EQ(status, after == before ? 0 : 1);
        }
    }
}

// A thousand renames on sshfs, then a new mount (new inode numbers): the
// undo still knows every file and brings it back.
TEST_F(OnDrives, RenamesOnSshfsAreUndoneAfterARemount)
{
    SshfsDrive sshfs;
    if (!sshfs.mounted)
        GTEST_SKIP() << "no sshfs here: " << sshfs.setup.read(u"log"_s).toStdString();
    QStringList args{u"--mask"_s, u"neu_[name].[typ]"_s, u"--apply"_s};
    for (int i = 0; i < 1000; ++i)
        args << sshfs.drive.write(u"f%1.txt"_s.arg(i), QByteArray::number(i));
    const auto before = sshfs.drive.contents();
    QProcess apply, undo;
    ASSERT_EQ(cli(args, apply), 0) << apply.readAllStandardError().toStdString();
    EXPECT_EQ(sshfs.drive.names().size(), 1000) << "no second names";
    EXPECT_TRUE(sshfs.drive.names().first().startsWith(u"neu_"_s));
    ASSERT_TRUE(sshfs.remount());
    EXPECT_EQ(cli({u"--undo"_s}, undo), 0) << undo.readAllStandardError().toStdString();
    EXPECT_EQ(sshfs.drive.contents(), before);
}

// Two files alike in length, time and content, swapped on exFAT: the undo
// cannot tell which is which, so it moves neither, says why, and exits with 1.
TEST_F(OnDrives, TwinsThatCannotBeToldApartStayWhereTheyAre)
{
    ExfatDrive exfat;
    if (!exfat.mounted)
        GTEST_SKIP() << "no exFAT drive: " << exfat.image.read(u"log"_s).toStdString();
    QStringList args{u"--mask"_s, u"[2][1].[typ]"_s, u"--apply"_s};
    for (const QString &name : {u"ab.txt"_s, u"ba.txt"_s}) {
        args << exfat.drive.write(name, "gleich");
        ASSERT_TRUE(TempFolder::setTimes(args.last(), QDateTime::currentDateTime().addDays(-1)));
    }
    QProcess apply, undo;
    ASSERT_EQ(cli(args, apply), 0) << apply.readAllStandardError().toStdString();
    EXPECT_EQ(cli({u"--undo"_s}, undo), 1);
    EXPECT_EQ(QString::fromUtf8(undo.readAllStandardError()).count(u"gleicht ihr in Länge"_s), 2);
}

} // namespace
