#include "storage/ini.h"
#include "storage/keybar.h"
#include "storage/savedmasks.h"
#include "storage/textfile.h"
#include "storage/writefaults.h"

#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

using writefaults::WriteStep;

// Collects what the user is told and ends injected failures when done.
class FileSafety : public ::testing::Test
{
protected:
    test::TempFolder dir;
    test::ScriptedQuestions questions;
    QStringList told;

    FileSafety()
    {
        SetSaveFailureHandler([this](const QString &message) { told.append(message); });
    }
    ~FileSafety() override
    {
        writefaults::FailWritesAt(std::nullopt);
        SetSaveFailureHandler({});
    }

    static QByteArray masksWith(int count)
    {
        QByteArray out;
        for (int i = 0; i < count; ++i)
            out += "[Maske " + QByteArray::number(i) + "]\r\nMaske=[name] " + QByteArray(200, 'x') +
                   "\r\nStart=1\r\n\r\n";
        return out;
    }
};

TEST_F(FileSafety, AFailureAtAnyStepOfAWriteKeepsTheOldFileLeavesNoTemporaryFileAndIsToldOnce)
{
    const QByteArray masks = masksWith(41);
    const QString masksIni = dir.write("Kesto-Masken.INI", masks);
    const QByteArray keys = "[Tasten]\r\n0=[name]\r\n";
    const QString keysIni = dir.write("Kesto-Tasten.INI", keys);
    const WriteStep steps[] = {WriteStep::Create, WriteStep::Write, WriteStep::Sync,
                               WriteStep::Close, WriteStep::Rename};
    for (const WriteStep step : steps) {
        SCOPED_TRACE(int(step));
        SetSaveFailureHandler([this](const QString &message) { told.append(message); });
        told.clear();
        writefaults::FailWritesAt(step);
        EXPECT_FALSE(SaveMask(".Standard", RenameOptions(), masksIni, questions));
        questions.yesNoAnswers = {true};
        EXPECT_FALSE(DeleteMask("Maske 7", masksIni, questions));
        KeyBar bar;
        questions.textAnswers = {"[jahr]"};
        bar.DefineKey(0, questions, keysIni);
        EXPECT_EQ(dir.read("Kesto-Masken.INI"), masks);
        EXPECT_EQ(dir.read("Kesto-Tasten.INI"), keys);
        EXPECT_EQ(dir.names(), QStringList({"Kesto-Masken.INI", "Kesto-Tasten.INI"}));
        EXPECT_EQ(told, QStringList("Die Datei \"" + masksIni +
                                    u"\" kann nicht gespeichert werden (No space left on "
                                    u"device). Die bisherige Fassung der Datei bleibt "
                                    u"unverändert erhalten. Weitere Fehler beim Speichern werden "
                                    u"bis zum Programmende nicht gemeldet."_s));
    }

    // A first start on a broken disk makes no empty keys file; the keys are the defaults.
    told.clear();
    SetSaveFailureHandler([this](const QString &message) { told.append(message); });
    writefaults::FailWritesAt(WriteStep::Write, EIO);
    KeyBar bar;
    bar.SetKey(0, "");
    bar.InitKeyBar(dir.file("new/Kesto-Tasten.INI"));
    dir.mkdir("new");
    bar.InitKeyBar(dir.file("new/Kesto-Tasten.INI"));
    EXPECT_EQ(bar.text(0), "[name]");
    EXPECT_TRUE(dir.names().contains("new"));
    EXPECT_EQ(
        QDir(dir.file("new")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
    EXPECT_EQ(told.size(), 1) << "told once per run";
    EXPECT_TRUE(
        told.value(0).contains(u"kann nicht angelegt werden (No such file or directory)."_s))
        << told.value(0).toStdString();

    writefaults::FailWritesAt(std::nullopt);
    questions.yesNoAnswers = {true};
    EXPECT_TRUE(DeleteMask("Maske 7", masksIni, questions));
    EXPECT_EQ(SavedMaskNames(masksIni).size(), 40);
}

// What a reader holds open is the old file, never a mix. A data folder kept
// elsewhere (dotfiles) is reached through links, even through a link to a
// link; each stays a link, and the file at the end gets the bytes.
TEST_F(FileSafety, AWriteReplacesTheFileInOneStepAlsoAtTheEndOfAChainOfLinks)
{
    const QByteArray old = masksWith(300);
    const QString file = dir.write("dotfiles/Kesto-Masken.INI", old);
    ASSERT_EQ(::symlink("dotfiles/Kesto-Masken.INI", qPrintable(dir.file("mitte"))), 0);
    ASSERT_EQ(::symlink("mitte", qPrintable(dir.file("Kesto-Masken.INI"))), 0);
    const int reader = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(WriteFileBytes(dir.file("Kesto-Masken.INI"), "[neu]\r\n"));
    QByteArray seen(old.size() + 10, '\0');
    seen.resize(std::max<ssize_t>(::pread(reader, seen.data(), size_t(seen.size()), 0), 0));
    ::close(reader);
    EXPECT_EQ(seen, old);
    EXPECT_EQ(dir.read("dotfiles/Kesto-Masken.INI"), "[neu]\r\n");
    EXPECT_TRUE(QFileInfo(dir.file("Kesto-Masken.INI")).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.file("mitte")).isSymLink());
    EXPECT_EQ(dir.names(), QStringList({"Kesto-Masken.INI", "dotfiles", "mitte"}));
    EXPECT_EQ(QDir(dir.file("dotfiles")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Kesto-Masken.INI"});
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(FileSafety, AProcessKilledInTheMiddleOfWritingLeavesTheOldOrTheNewFileWhole)
{
    const QByteArray a(8 << 20, 'a');
    const QByteArray b(8 << 20, 'b');
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

// A real file system of 256 KiB, mounted where the machine allows it.
class FullDisk : public FileSafety
{
protected:
    QByteArray mountPoint = QFile::encodeName(dir.mkdir("disk"));

    void SetUp() override
    {
        if (::mount("kesto-test", mountPoint.constData(), "tmpfs", 0, "size=256k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                         << "); the full disk is only simulated by the other tests";
    }
    void TearDown() override { ::umount2(mountPoint.constData(), MNT_DETACH); }

    // Fills the disk up to \a freeBytes (in whole pages).
    void fill(qsizetype freeBytes)
    {
        QFile filler(dir.file("disk/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
        ASSERT_TRUE(filler.resize(filler.size() - freeBytes));
    }
};

TEST_F(FullDisk, SavingOnAFullDiskKeepsTheMasksAndKeysFilesByteForByte)
{
    const QByteArray masks = masksWith(41), keys = "[Tasten]\r\n0=[name]\r\n";
    const QString masksIni = dir.write("disk/Kesto-Masken.INI", masks);
    const QString keysIni = dir.write("disk/Kesto-Tasten.INI", keys);
    fill(8192);

    EXPECT_FALSE(SaveMask(".Standard", RenameOptions(), masksIni, questions));
    questions.yesNoAnswers = {true};
    EXPECT_FALSE(DeleteMask("Maske 40", masksIni, questions));
    KeyBar bar;
    questions.textAnswers = {QString(9000, u'k')};
    bar.DefineKey(1, questions, keysIni);
    EXPECT_EQ(dir.read("disk/Kesto-Masken.INI"), masks);
    EXPECT_EQ(dir.read("disk/Kesto-Tasten.INI"), keys);
    EXPECT_EQ(QDir(dir.file("disk")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"Kesto-Masken.INI", "Kesto-Tasten.INI", "filler"}));
    EXPECT_EQ(told.size(), 1);

    // A first start with no room at all leaves no empty keys file behind.
    fill(0);
    bar.InitKeyBar(dir.file("disk/Neu-Tasten.INI"));
    EXPECT_FALSE(QFile::exists(dir.file("disk/Neu-Tasten.INI")));
    EXPECT_EQ(bar.text(2), "[zahl]");
}

} // namespace
