#include "storage/keybar.h"
#include "storage/savedmasks.h"
#include "storage/textfile.h"
#include "storage/writefaults.h"

#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

using writefaults::WriteStep;

// Collects what the user is told; ends injected failures and the real disk when done.
class FileSafety : public ::testing::Test
{
protected:
    test::TempFolder dir;
    test::ScriptedQuestions questions;
    QStringList told;
    bool mounted = false;

    ~FileSafety() override
    {
        writefaults::FailWritesAt(std::nullopt);
        SetSaveFailureHandler({});
        if (mounted)
            ::umount2(qPrintable(dir.path()), MNT_DETACH);
    }

    // Starts a new run: its first failure is told again.
    void listen()
    {
        told.clear();
        SetSaveFailureHandler([this](const QString &message) { told.append(message); });
    }

    // Fills the disk up to \a freeBytes (in whole pages).
    void fill(qsizetype freeBytes)
    {
        QFile filler(dir.file("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
        ASSERT_TRUE(filler.resize(filler.size() - freeBytes));
    }

    // Files too big for a disk with 8 KiB left, also when a mask is deleted.
    void writeMasksAndKeys()
    {
        dir.write("Kesto-Masken.INI",
                  "[Maske 7]\r\nStart=1\r\n[Gross]\r\nMaske=" + QByteArray(9000, 'x') + "\r\n");
        dir.write("Kesto-Tasten.INI", "[Tasten]\r\n0=[name]\r\n");
    }

    // Saving the options, deleting a mask and defining a key all fail for want of
    // space: every file stays byte for byte, and the user is told once.
    void expectEveryWriteToFail()
    {
        listen();
        const QMap<QString, QByteArray> before = dir.contents();
        const QString masksIni = dir.file("Kesto-Masken.INI");
        EXPECT_FALSE(SaveMask(".Standard", RenameOptions(), masksIni, questions));
        questions.yesNoAnswers = {true};
        EXPECT_FALSE(DeleteMask("Maske 7", masksIni, questions));
        questions.textAnswers = {QString(9000, u'k')};
        KeyBar().DefineKey(1, questions, dir.file("Kesto-Tasten.INI"));
        EXPECT_EQ(dir.contents(), before);
        EXPECT_EQ(told, QStringList("Die Datei \"" + masksIni +
                                    u"\" kann nicht gespeichert werden (No space left on "
                                    u"device). Die bisherige Fassung der Datei bleibt "
                                    u"unverändert erhalten. Weitere Fehler beim Speichern werden "
                                    u"bis zum Programmende nicht gemeldet."_s));
    }

    // A first start that cannot write the keys file leaves no empty one behind.
    void expectFirstStartToFail()
    {
        listen();
        const QMap<QString, QByteArray> before = dir.contents();
        KeyBar().InitKeyBar(dir.file("Neu-Tasten.INI"));
        EXPECT_EQ(dir.contents(), before);
        EXPECT_EQ(told, QStringList("Die Datei \"" + dir.file("Neu-Tasten.INI") +
                                    "\" kann nicht angelegt werden (No space left on device). "
                                    "Weitere Fehler beim Speichern werden bis zum Programmende "
                                    "nicht gemeldet."));
    }
};

TEST_F(FileSafety, AFailureAtAnyStepOfAWriteKeepsTheOldFileLeavesNoTemporaryFileAndIsToldOnce)
{
    writeMasksAndKeys();
    for (const WriteStep step : {WriteStep::Create, WriteStep::Write, WriteStep::Sync,
                                 WriteStep::Close, WriteStep::Rename}) {
        SCOPED_TRACE(int(step));
        writefaults::FailWritesAt(step);
        expectEveryWriteToFail();
    }
    writefaults::FailWritesAt(WriteStep::Write);
    expectFirstStartToFail();
}

// What a reader holds open stays the old file. A data folder kept elsewhere (dotfiles) is
// reached through a chain of links, and the file at its end gets the bytes.
TEST_F(FileSafety, AWriteReplacesTheFileInOneStepAlsoAtTheEndOfAChainOfLinks)
{
    const QByteArray old(100000, 'o');
    const QString file = dir.write("dotfiles/Kesto-Masken.INI", old);
    ASSERT_EQ(::symlink("dotfiles/Kesto-Masken.INI", qPrintable(dir.file("mitte"))), 0);
    ASSERT_EQ(::symlink("mitte", qPrintable(dir.file("Kesto-Masken.INI"))), 0);
    QFile reader(file);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(WriteFileBytes(dir.file("Kesto-Masken.INI"), "[neu]\r\n"));
    EXPECT_EQ(reader.readAll(), old);
    EXPECT_EQ(dir.names(), QStringList({"Kesto-Masken.INI", "dotfiles", "mitte"}));
    EXPECT_EQ(dir.read("dotfiles/Kesto-Masken.INI"), "[neu]\r\n");
}

TEST_F(FileSafety, AProcessKilledInTheMiddleOfWritingLeavesTheOldOrTheNewFileWhole)
{
    const QByteArray a(8 << 20, 'a'), b(8 << 20, 'b');
    const QString file = dir.write("big.ini", a);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                WriteFileBytes(file, i % 2 ? a : b);
        }
        ::usleep(useconds_t(20'000 + round * 37'000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray now = dir.read("big.ini");
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
}

// The test's folder becomes a real file system of 256 KiB, where the machine allows it.
TEST_F(FileSafety, SavingOnARealFullDiskKeepsTheMasksAndKeysFilesByteForByte)
{
    mounted = ::mount("kesto-test", qPrintable(dir.path()), "tmpfs", 0, "size=256k") == 0;
    if (!mounted)
        GTEST_SKIP() << "cannot mount a small tmpfs here; the full disk is only simulated";
    writeMasksAndKeys();
    fill(8192);
    expectEveryWriteToFail();
    fill(0);
    expectFirstStartToFail();
}

} // namespace
