#include "rename/journal.h"
#include "rename/messages.h"
#include "storage/datafolder.h"
#include "storage/questions.h"
#include "storage/savedmasks.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using kesto::test::TempFolder;

namespace {

struct CliRun
{
    int exitCode = -1; ///< 128 + the signal when one ended the run
    QString out;
    QString err;
};

// kesto-cli with arguments as bytes (a name need not be UTF-8), its output
// in files; or with an output whose reader has gone before anything is written.
CliRun cliBytes(const QList<QByteArray> &args, bool outputClosed = false)
{
    QTemporaryDir io;
    const QByteArray outPath = QFile::encodeName(io.filePath(QStringLiteral("out")));
    const QByteArray errPath = QFile::encodeName(io.filePath(QStringLiteral("err")));
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    int pipeEnds[2] = {-1, -1};
    if (outputClosed && ::pipe2(pipeEnds, O_CLOEXEC) == 0) {
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&files, pipeEnds[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&files, 1, outPath.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&files, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    // The tool must ignore SIGPIPE itself, whatever it inherits.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &pipeSignal);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    const QByteArray program(KESTO_CLI_PATH);
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    for (const QByteArray &a : args)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    CliRun run;
    if (posix_spawn(&pid, program.constData(), &files, &attributes, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    auto content = [](const QByteArray &path) {
        QFile f(QFile::decodeName(path));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    run.out = content(outPath);
    run.err = content(errPath);
    return run;
}

CliRun cli(const QStringList &args)
{
    QList<QByteArray> bytes;
    for (const QString &a : args)
        bytes << QFile::encodeName(a);
    return cliBytes(bytes);
}

QList<QByteArray> withPaths(QList<QByteArray> args, const QStringList &paths)
{
    for (const QString &p : paths)
        args << QFile::encodeName(p);
    return args;
}

class CliTest : public ::testing::Test
{
protected:
    // Each test has its own data folder, so its journals are its own.
    void SetUp() override { qputenv("XDG_DATA_HOME", QFile::encodeName(data.path())); }

    TempFolder dir;
    TempFolder data;
    QStringList files(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths << dir.write(n, n.toUtf8());
        return paths;
    }
};

TEST_F(CliTest, PreviewPrintsTheNamesAndHowManyFilesApplyWouldRename)
{
    const CliRun r =
        cli(QStringList{"--mask", "Urlaub [zahl].[typ]", "--digits", "3", "--lead", "Null"} +
            files({"b.jpg", "a.jpg"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("Vorher\tNachher\na.jpg\tUrlaub 001.jpg\nb.jpg\tUrlaub 002.jpg\n"));
    EXPECT_EQ(r.err, QStringLiteral("Bereit: mit --apply werden 2 Dateien umbenannt.\n"));
    EXPECT_EQ(dir.names(), (QStringList{"a.jpg", "b.jpg"}));
}

TEST_F(CliTest, NamesWithTabsLineBreaksOrBackslashesArePrintedEscaped)
{
    const CliRun r = cli(QStringList{"--mask", "[name]_x.[typ]"} +
                         files({"a\tb.txt", "c\nd.txt", "e\rf.txt", "g\\h.txt"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("Vorher\tNachher\n"
                                    "a\\tb.txt\ta\\tb_x.txt\n"
                                    "c\\nd.txt\tc\\nd_x.txt\n"
                                    "e\\rf.txt\te\\rf_x.txt\n"
                                    "g\\\\h.txt\tg\\\\h_x.txt\n"));
}

TEST_F(CliTest, SkippedPathsAreNamedWithTheirReasonAndTheRestIsRenamed)
{
    const QByteArray latin = dir.writeBytes("caf\xe9.txt", "Latin-1");
    const QString ok = dir.write(QStringLiteral("ok.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file(QStringLiteral("pipe"))).constData(), 0600), 0);
    dir.mkdir(QStringLiteral("ordner"));
    ASSERT_EQ(::symlink("schleife", QFile::encodeName(dir.file(QStringLiteral("schleife")))), 0);
    // Missing, not a regular file, a folder, unreadable (a link to itself).
    const QStringList bad{dir.file(QStringLiteral("fehlt.txt")), dir.file(QStringLiteral("pipe")),
                          dir.file(QStringLiteral("ordner")), dir.file(QStringLiteral("schleife"))};
    const QList<QByteArray> args =
        withPaths({"--mask", "neu_[name].[typ]", "--apply", "--", latin}, bad + QStringList{ok});

    CliRun r = cliBytes(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              QStringLiteral("Vorher\tNachher\ncafé.txt\tneu_café.txt\nok.txt\tneu_ok.txt\n"));
    EXPECT_EQ(r.err, QStringLiteral("kesto-cli: übergangen (nicht vorhanden): %1\n"
                                    "kesto-cli: übergangen (keine gewöhnliche Datei): %2\n"
                                    "kesto-cli: übergangen (ein Ordner): %3\n"
                                    "kesto-cli: übergangen (nicht lesbar): %4\n"
                                    "Umbenennung abgeschlossen.\n")
                         .arg(bad.at(0), bad.at(1), bad.at(2), bad.at(3)));
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"neu_caf\xc3\xa9.txt", "neu_ok.txt", "ordner",
                                                 "pipe", "schleife"}));
    EXPECT_EQ(dir.read(QStringLiteral("neu_café.txt")), QByteArray("Latin-1"));

    r = cli({"--apply", bad.at(0)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(r.err, QStringLiteral("kesto-cli: übergangen (nicht vorhanden): %1\n"
                                    "kesto-cli: Es bleibt keine Datei zum Umbenennen.\n")
                         .arg(bad.at(0)));
}

TEST_F(CliTest, AClosedOutputNeitherStopsNorHalvesTheRenames)
{
    const CliRun r = cliBytes(
        withPaths({"--mask", "neu_[name].[typ]", "--apply"}, files({"a.txt", "b.txt"})), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(dir.names(), (QStringList{"neu_a.txt", "neu_b.txt"}));
    EXPECT_EQ(r.err, QStringLiteral("Umbenennung abgeschlossen.\n"
                                    "kesto-cli: Die Liste ließ sich nicht ausgeben: %1\n")
                         .arg(QString::fromLocal8Bit(std::strerror(EPIPE))));
}

TEST_F(CliTest, ApplyRenamesNothingWhenTheFullTestFails)
{
    const QStringList paths = files({"a.txt", "b.txt"});
    dir.write(QStringLiteral("a-belegt.txt"));
    const QList<std::pair<QStringList, QString>> cases = {
        {{"--mask", "x.[typ]"}, kesto::messages::notUnique()},
        {{"--mask", "[name]-belegt.[typ]"}, kesto::messages::collision()},
        {{"--mask", "[name]", "--yes", "--replace", "a", " ", "--replace", "b", "  "},
         kesto::messages::emptyName()},
    };
    for (const auto &[options, message] : cases) {
        const CliRun r = cli(options + QStringList{"--apply"} + paths);
        EXPECT_EQ(r.exitCode, 1) << message.toStdString();
        EXPECT_TRUE(r.err.startsWith(message + u'\n')) << r.err.toStdString();
        EXPECT_EQ(dir.names(), (QStringList{"a-belegt.txt", "a.txt", "b.txt"}));
    }
}

TEST_F(CliTest, FailedTestsAndInvalidMasksExitWithOne)
{
    const QStringList paths = files({"a.txt", "b.txt"});
    CliRun r = cli(QStringList{"--mask", "x.txt"} + paths);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("Fehler: Die neuen Dateinamen sind nicht alle eindeutig - "
                                    "überprüfen Sie die Maske!\n"
                                    "a.txt\tx.txt\tName doppelt vergeben\n"
                                    "b.txt\tx.txt\tName doppelt vergeben\n"));
    r = cli(QStringList{"--mask", "[name"} + paths);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              QStringLiteral("Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut.\n"));
    EXPECT_TRUE(r.out.contains(QStringLiteral("a.txt\t< Maskenfehler >\n")));
}

TEST_F(CliTest, ApplyRenamesAndReportsTheFinalMessage)
{
    const CliRun r = cli(QStringList{"--mask", "[zahl]-[name].[typ]", "--case", "alles groß",
                                     "--replace", "a", "x", "--sort", "1:desc", "--apply"} +
                         files({"a.txt", "b.txt"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QStringLiteral("Umbenennung abgeschlossen.\n"));
    EXPECT_EQ(dir.names(), (QStringList{"1-B.TXT", "2-X.TXT"}));
    EXPECT_EQ(dir.read(QStringLiteral("2-X.TXT")), QByteArray("a.txt"));
}

// A folder nothing may change in (immutable, which binds root too; for anyone
// else one without write permission): its file is reported with the reason
// and stays, the others are renamed, the run fails. The name holds a line
// break, which must not cut the reason off the message.
TEST_F(CliTest, AFailedRenameIsReportedTheOthersAreDoneAndTheRunExitsWithOne)
{
    const QStringList paths = files({"fest/a\nb.txt", "frei/b.txt"});
    const QByteArray fest = QFile::encodeName(dir.file("fest"));
    const int folder = ::open(fest.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    int flags = 0;
    const bool immutable =
        ::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0 &&
        (flags |= FS_IMMUTABLE_FL, ::ioctl(folder, FS_IOC_SETFLAGS, &flags) == 0);
    const bool readOnly = !immutable && ::geteuid() != 0 && ::chmod(fest.constData(), 0555) == 0;
    const CliRun r = immutable || readOnly
                         ? cli(QStringList{"--mask", "[name]-neu.[typ]", "--apply"} + paths)
                         : CliRun();
    if (immutable) {
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(folder, FS_IOC_SETFLAGS, &flags);
    }
    if (readOnly)
        ::chmod(fest.constData(), 0755);
    ::close(folder);
    if (!immutable && !readOnly)
        GTEST_SKIP() << "no folder here that a rename cannot change";
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(dir.file("fest/a\nb.txt"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(kesto::messages::renameFailureReason(immutable ? EPERM : EACCES)))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("Klicken Sie"))) << r.err.toStdString();
    EXPECT_TRUE(dir.exists("fest/a\nb.txt"));
    EXPECT_TRUE(dir.exists("frei/b-neu.txt"));
}

TEST_F(CliTest, MaskWithoutTypIsRefusedUnlessYesIsGiven)
{
    const QStringList paths = files({"a.txt"});
    CliRun r = cli(QStringList{"--mask", "[name]", "--apply"} + paths);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("WARNUNG: In Ihrer Umbenennungmaske")));
    EXPECT_EQ(dir.names(), QStringList{"a.txt"});
    r = cli(QStringList{"--mask", "[name]_neu", "--apply", "--yes"} + paths);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(dir.names(), QStringList{"a_neu"});
}

TEST_F(CliTest, FaultyRowsAreListedWithTheirReasonsAndNothingIsRenamed)
{
    const QStringList paths = files({"a.txt", "b.txt", "c.txt", "d.txt"});
    dir.write(QStringLiteral("D_x.txt"));
    // A name of more than 255 bytes cannot exist on the file system.
    const CliRun r = cli(QStringList{"--mask", "[name]_x.[typ]", "--replace", "a",
                                     QString(300, 'a'), "--replace", "c", "b"} +
                         paths);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("Fehler: Die neuen Dateinamen sind nicht alle eindeutig - "
                                    "überprüfen Sie die Maske!\n") +
                         QStringLiteral("a.txt\t") + QString(300, 'a') +
                         QStringLiteral("_x.txt\tName zu lang (306 Bytes, erlaubt 255)\n"
                                        "b.txt\tb_x.txt\tName doppelt vergeben\n"
                                        "c.txt\tb_x.txt\tName doppelt vergeben\n"
                                        "d.txt\td_x.txt\tDatei existiert bereits\n"));
    EXPECT_EQ(dir.names(), (QStringList{"D_x.txt", "a.txt", "b.txt", "c.txt", "d.txt"}));
}

TEST_F(CliTest, UndoTakesTheLastBatchBackAndHistoryListsTheBatches)
{
    const QStringList paths = files({"a.txt", "b.txt"});
    EXPECT_EQ(cli(QStringList{"--undo"}).exitCode, 1); // nothing to undo yet
    ASSERT_EQ(cli(QStringList{"--mask", "n_[name].[typ]", "--apply"} + paths).exitCode, 0);
    const QString folder = dir.path() + QLatin1Char('/');

    CliRun r = cli({"--history"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("\t2\t") + folder + QStringLiteral("\tbeendet\n")))
        << r.out.toStdString();
    r = cli({"--undo"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("Vorher\tNachher\n") + folder + QStringLiteral("n_b.txt\t") +
                         folder + QStringLiteral("b.txt\n") + folder + QStringLiteral("n_a.txt\t") +
                         folder + QStringLiteral("a.txt\n"));
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));
    EXPECT_TRUE(cli({"--history"}).out.endsWith(QStringLiteral("\trückgängig gemacht\n")));
    EXPECT_EQ(cli({"--undo"}).exitCode, 1);

    // An old name taken again keeps its new owner: that file stays, exit 1.
    ASSERT_EQ(cli(QStringList{"--mask", "n_[name].[typ]", "--apply"} + paths).exitCode, 0);
    dir.write(QStringLiteral("a.txt"), "neu");
    r = cli({"--undo"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt", "n_a.txt"}));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("neu"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("der alte Name ist wieder vergeben")));

    // A batch another program is still running is not "nothing to undo": the
    // user is told to wait for it, and no file is touched.
    kesto::Journal running(data.path() + QStringLiteral("/Quarvel/Kesto"));
    QList<kesto::JournalEntry> entries{{{QFile::encodeName(folder), "b.txt", "c.txt", {}}}};
    ASSERT_TRUE(running.begin(entries));
    r = cli({"--undo"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("läuft noch"))) << r.err.toStdString();
    EXPECT_TRUE(cli({"--history"}).out.contains(QStringLiteral("\tläuft\n")));
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt", "n_a.txt"}));
    running.end();
}

// A batch killed at a random moment loses and duplicates nothing, and the
// undo of its journal brings every name back.
TEST_F(CliTest, ABatchKilledAtARandomMomentIsRepairedByUndo)
{
    constexpr int Files = 5000;
    QSet<QByteArray> before;
    QList<QByteArray> args{"--mask", "f[zahl].[typ]", "--start", "2",      "--digits",
                           "5",      "--lead",        "Null",    "--apply"};
    for (int i = 1; i <= Files; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i, 5, 10, QLatin1Char('0'));
        args << QFile::encodeName(dir.write(name, name.toUtf8()));
        before.insert(name.toUtf8());
    }
    const QString journals =
        qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quarvel/Kesto/Kesto-Journal");
    const QByteArray program(KESTO_CLI_PATH);
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    for (const QByteArray &a : args)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t io;
    posix_spawn_file_actions_init(&io);
    posix_spawn_file_actions_addopen(&io, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&io, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, program.constData(), &io, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&io);
    // The kill falls somewhere in the renaming: once the journal holds the
    // whole plan, a batch is one to repair (before, it counts for nothing).
    const auto planned = [&journals] {
        for (const QFileInfo &f : QDir(journals).entryInfoList(QDir::Files)) {
            QFile file(f.filePath());
            if (file.open(QIODevice::ReadOnly) && file.readAll().contains("\nplanned "))
                return true;
        }
        return false;
    };
    while (!planned() && ::waitpid(pid, nullptr, WNOHANG) == 0)
        ::usleep(200);
    ::usleep(useconds_t(QRandomGenerator::global()->bounded(20000)));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);

    auto contentsNow = [&] {
        QSet<QByteArray> now;
        for (const QString &n : dir.names())
            now.insert(dir.read(n));
        return now;
    };
    EXPECT_EQ(dir.names().size(), Files);
    EXPECT_EQ(contentsNow(), before);
    // Cut off, unless the kill came after its end; with the lock gone, never
    // taken for running; and every run says so until it is repaired.
    const CliRun history = cli({"--history"});
    const bool ended = history.out.contains(QStringLiteral("\tbeendet"));
    EXPECT_TRUE(ended || history.out.contains(QStringLiteral("\tunterbrochen")))
        << history.out.toStdString();
    const CliRun preview = cli({"--mask", "[name].[typ]", dir.file(dir.names().first())});
    EXPECT_EQ(preview.err.contains(QStringLiteral("wurde unterbrochen")), !ended)
        << preview.err.toStdString();
    const CliRun undo = cli({"--undo"});
    EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
    QSet<QByteArray> names;
    for (const QString &n : dir.names()) {
        names.insert(n.toUtf8());
        ASSERT_EQ(dir.read(n), n.toUtf8());
    }
    EXPECT_EQ(names, before);
}

TEST_F(CliTest, UsageErrorsExitWithTwo)
{
    const QStringList paths = files({"a.txt"});
    const QList<QStringList> bad = {
        {"--bogus"},
        {"--mask"},
        {"--digits", "13"},
        {"--lead", "Punkt"},
        {"--case", "6"},
        {"--sort", "9"},
        {"--replace", "a"},
        {"--replace", "a", "b", "--replace", "c", "d", "--replace", "e", "f", "--replace-new", "g",
         "h"},
        {"--preset", "gibt es nicht"},
        {"--undo"}, // with the file: an undo takes none
    };
    for (const QStringList &args : bad) {
        const CliRun r = cli(args + paths);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({"--undo", "--history"}).exitCode, 2);
    EXPECT_EQ(cli({"--help"}).exitCode, 0);
    EXPECT_EQ(dir.names(), QStringList{"a.txt"});
}

TEST_F(CliTest, DoubleDashLetsAFileBeginWithADash)
{
    files({"-x.txt"});
    const CliRun r =
        cli({"--mask", "y.[typ]", "--apply", "--", dir.file(QStringLiteral("-x.txt"))});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(dir.names(), QStringList{"y.txt"});
}

TEST_F(CliTest, PresetStartsFromASavedMaskAndWritesNoLog)
{
    kesto::RenameOptions o;
    o.mask = QStringLiteral("foto_[zahl].[typ]");
    o.start = QStringLiteral("10");
    o.letterCase = 1;
    kesto::test::ScriptedQuestions q;
    q.textAnswers = {QStringLiteral("Urlaub")};
    const QString masksIni = kesto::MakeAppPaths().masksIni;
    ASSERT_TRUE(kesto::SaveMask(QString(), o, masksIni, q));

    const CliRun r =
        cli(QStringList{"--preset", "Urlaub", "--step", "5"} + files({"a.jpg", "b.jpg"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("Vorher\tNachher\na.jpg\tFOTO_10.JPG\nb.jpg\tFOTO_15.JPG\n"));
    EXPECT_FALSE(QFileInfo::exists(kesto::MakeAppPaths().log));
}

} // namespace
