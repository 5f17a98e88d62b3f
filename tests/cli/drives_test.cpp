#include "support/drives.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

using namespace kesto::test;
using namespace Qt::StringLiterals;

namespace {

// Whether a journal in \a folder holds a whole plan: from then on the batch
// is one to repair.
bool planned(const QString &folder)
{
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        QFile file(folder + name);
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains("\nplanned "))
            return true;
    }
    return false;
}

// On exFAT a file is known by its length, its time in whole seconds and its
// content. Files of one length and one time, in swaps and in 3-cycles,
// killed at a random moment of their batch: the undo brings every file back
// under its own name, leaves no hidden name, and its exit status says so.
TEST(UndoOnExfat, BatchesOfLookalikeFilesKilledAtRandomAreUndoneWhole)
{
    TempFolder data;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_DATA_HOME"_s, data.path());
    const QString journals = data.path() + u"/Quarvel/Kesto/Kesto-Journal/"_s;
    const auto cli = [&env](const QStringList &args, QProcess &process) {
        process.setProcessEnvironment(env);
        process.start(QString::fromUtf8(KESTO_CLI_PATH), args);
        return process.waitForStarted();
    };
    const QDateTime time = QDateTime::currentDateTime().addDays(-1);
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        ExfatDrive exfat;
        if (!exfat.mounted)
            GTEST_SKIP() << "no exFAT drive: " << exfat.image.read(u"log"_s).toStdString();
        // f123 to f132 swaps the last two digits, to f231 turns all three.
        QStringList args{u"--mask"_s, run % 2 ? u"[1][3][4][2].[typ]"_s : u"[1-2][4][3].[typ]"_s,
                         u"--apply"_s};
        for (int n = 111; n <= 666; ++n) {
            const QString name = u"f%1.txt"_s.arg(n);
            if (name.contains(u'0') || name.contains(u'7') || name.contains(u'8') ||
                name.contains(u'9'))
                continue;
            args << exfat.drive.write(name, name.toUtf8() + QByteArray(56, char('a' + n % 26)));
            ASSERT_TRUE(TempFolder::setTimes(args.last(), time));
        }
        const auto before = exfat.drive.contents();
        QDir(journals).removeRecursively();

        QProcess batch;
        ASSERT_TRUE(cli(args, batch));
        while (!planned(journals) && batch.state() == QProcess::Running)
            QThread::usleep(200);
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        batch.kill();
        batch.waitForFinished();

        QProcess undo;
        ASSERT_TRUE(cli({u"--undo"_s}, undo) && undo.waitForFinished(60000));
        const auto after = exfat.drive.contents();
        EXPECT_EQ(after, before) << undo.readAllStandardError().toStdString();
        EXPECT_EQ(undo.exitCode(), after == before ? 0 : 1);
        EXPECT_FALSE(exfat.drive.names().join(u' ').contains(u".kesto-"_s));
    }
}

} // namespace
