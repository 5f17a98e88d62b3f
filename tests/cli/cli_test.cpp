#include "cli/clitexts.h"
#include "rename/formatmessage.h"
#include "storage/datafolder.h"
#include "storage/textfile.h"
#include "support/drives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kesto;
using kesto::test::TempFolder;

namespace {

struct CliRun
{
    int exitCode = -1; ///< 128 + the signal when one ended the run
    QString out, err;
    /// The exit code, the output and the error output, to compare at once.
    QString all() const { return QString("%1|%2|%3").arg(exitCode).arg(out, err); }
};

// kesto-cli with arguments as bytes (a name need not be UTF-8) and \a input
// as its standard input, its output in files, or in a pipe whose reader has
// gone before anything is written; \a whileRunning is given the process
// before it is waited for.
CliRun cliBytes(const QList<QByteArray> &args, bool outputClosed = false,
                const std::function<void(pid_t)> &whileRunning = {}, const QByteArray &input = {})
{
    TempFolder folder;
    const QByteArray in = QFile::encodeName(folder.write("in", input));
    const QByteArray out = QFile::encodeName(folder.file("out"));
    const QByteArray err = QFile::encodeName(folder.file("err"));
    std::vector<char *> argv{const_cast<char *>(KESTO_CLI_PATH)};
    for (const QByteArray &a : args)
        argv.push_back(const_cast<char *>(a.constData()));
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (outputClosed && ::pipe(pipeEnds) == 0)
        ::close(pipeEnds[0]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The tool must ignore SIGPIPE itself, whatever it inherits.
        ::signal(SIGPIPE, SIG_DFL);
        ::dup2(outputClosed ? pipeEnds[1] : ::open(out.constData(), O_WRONLY | O_CREAT, 0600), 1);
        ::dup2(::open(err.constData(), O_WRONLY | O_CREAT, 0600), 2);
        ::dup2(::open(in.constData(), O_RDONLY), 0);
        ::execv(KESTO_CLI_PATH, argv.data());
        ::_exit(127);
    }
    if (outputClosed)
        ::close(pipeEnds[1]);
    if (whileRunning)
        whileRunning(pid);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            QString::fromUtf8(folder.read("out")), QString::fromUtf8(folder.read("err"))};
}

CliRun cli(const QStringList &args, bool outputClosed = false,
           const std::function<void(pid_t)> &whileRunning = {}, const QByteArray &input = {})
{
    QList<QByteArray> bytes;
    for (const QString &a : args)
        bytes << QFile::encodeName(a);
    return cliBytes(bytes, outputClosed, whileRunning, input);
}

// kesto-cli with its error output on the terminal of script: what it got.
QString cliOnTerminal(const QStringList &args)
{
    QProcess script;
    script.start("script",
                 {"-qec",
                  QString("'%1' '%2' 2>&1 >/dev/null").arg(KESTO_CLI_PATH, args.join("' '")),
                  "/dev/null"});
    script.waitForFinished();
    return QString::fromUtf8(script.readAllStandardOutput());
}

class CliTest : public ::testing::Test
{
protected:
    // Each test has its own data folder, so its journals are its own.
    void SetUp() override { qputenv("XDG_DATA_HOME", QFile::encodeName(data.path())); }

    // Kills a batch at random, within \a micros once its journal holds the
    // plan: one to repair, or ended.
    void killOncePlanned(pid_t pid, int micros = 20000)
    {
        const QString journals = data.file("Quarvel/Kesto/Kesto-Journal/");
        while (!test::HoldsAWholePlan(journals) && ::waitpid(pid, nullptr, WNOHANG) == 0)
            ::usleep(200);
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(micros)));
        ::kill(pid, SIGKILL);
    }

    // Writes each file with its name as its content.
    QStringList files(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths << dir.write(n, n.toUtf8());
        return paths;
    }

    TempFolder dir;
    TempFolder data;
};

// Each run is given its files by their names in its folder, after "--", "|"
// between two of them; every file holds its first name, and "new<old" after
// the run is a file and the name it had; a name after "!" is only in the way.
TEST_F(CliTest, ARunPrintsTheNamesAndItsVerdictAndRenamesOnlyWhenTheFullTestPasses)
{
    const QString masksIni = MakeAppPaths().masksIni;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(masksIni).path()) &&
                WriteFileBytes(masksIni, "[Urlaub]\r\nMaske=foto_[zahl].[typ]\r\nStart=10\r\n"
                                         "LetterCase=1\r\n[Fehler]\r\nSearchAktiv1=1\r\n"
                                         "Search1=(\\d+\r\nSearchRegEx1=1\r\n"));
    const QString twice = "Name doppelt vergeben\n";
    const struct
    {
        const char *name;
        QString files, args;
        int exitCode;
        QString out, err, after;
        QByteArray input = {}; ///< standard input, "D" for the folder
    } cases[] = {
        {"a preview from a saved mask, with options over it, counts the files apply would rename",
         "b.jpg|a.jpg", "--preset|Urlaub|--step|5|--digits|3|--lead|Null", 0,
         "a.jpg\tFOTO_010.JPG\nb.jpg\tFOTO_015.JPG\n",
         "Bereit: mit --apply werden 2 Dateien umbenannt.\n", "a.jpg|b.jpg"},
        {"tabs, line breaks and backslashes are printed escaped",
         "a\tb.txt|c\nd.txt|e\rf.txt|g\\h.txt", "--mask|[name]_x.[typ]", 0,
         "a\\tb.txt\ta\\tb_x.txt\nc\\nd.txt\tc\\nd_x.txt\n"
         "e\\rf.txt\te\\rf_x.txt\ng\\\\h.txt\tg\\\\h_x.txt\n",
         "Bereit: mit --apply werden 4 Dateien umbenannt.\n",
         "a\tb.txt|c\nd.txt|e\rf.txt|g\\h.txt"},
        {"apply renames with every option, a mask without [TYP] after --yes", "a.txt|b.txt",
         "--mask|[zahl]-[name].txt|--case|alles groß|--yes|"
         "--replace|a|x|--replace-new|-|_|--sort|1:desc|--apply",
         0, "b.txt\t1_B.TXT\na.txt\t2_X.TXT\n", "Umbenennung abgeschlossen.\n",
         "1_B.TXT<b.txt|2_X.TXT<a.txt"},
        {"regular expressions in the old and new name, one matching case",
         "0042_urlaub.jpg|"
         "IMG_0007.JPG|img_0100.jpg",
         "--replace-re|(\\d+)_(\\w+)|\\U$2\\E-$1|--replace-re|"
         "(?<=IMG_)0+||--match-case|--replace-new-re|\\.(jpg)$|.\\U$1|--apply",
         0,
         "0042_urlaub.jpg\tURLAUB-0042.JPG\nIMG_0007.JPG\tIMG_7.JPG\nimg_0100.jpg\timg_0100.JPG\n",
         "Umbenennung abgeschlossen.\n",
         "IMG_7.JPG<IMG_0007.JPG|URLAUB-0042.JPG<0042_urlaub.jpg|img_0100.JPG<img_0100.jpg"},
        {"a faulty expression of a saved mask is no usage error but blocks the batch", "a.txt",
         "--preset|Fehler|--apply", 1, "a.txt\t< Suchfehler >\n",
         "Fehler: Satz 2: Der reguläre Ausdruck ist an Stelle 5 fehlerhaft: missing closing "
         "parenthesis.\n",
         "a.txt"},
        {"a file may begin with dashes after --", "--x.txt", "--mask|y.[typ]", 0,
         "--x.txt\ty.txt\n", "Bereit: mit --apply wird 1 Datei umbenannt.\n", "--x.txt"},
        {"a mask without [TYP] asks, and the run takes the question for a no", "a.txt",
         "--mask|[name]|--apply", 1, "a.txt\ta\n",
         FormatMessage(messages::missingTypTemplate()).replace('\r', '\n') + '\n', "a.txt"},
        {"an invalid mask", "a.txt", "--mask|[name", 1, "a.txt\t< Maskenfehler >\n",
         "Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut.\n", "a.txt"},
        {"the letter case, then the spelling in ASCII", "Grüße.txt|ärger.txt",
         "--mask|[name].[typ]|--case|alles groß|--transliterate|--apply", 0,
         "ärger.txt\tAERGER.TXT\nGrüße.txt\tGRUESSE.TXT\n", "Umbenennung abgeschlossen.\n",
         "AERGER.TXT<ärger.txt|GRUESSE.TXT<Grüße.txt"},
        {"decomposed names are found by a composed Ä and written composed",
         "A\u0308rger.txt|Gru\u0308n.txt", "--mask|[name].[typ]|--replace|Ä|Ö|--apply", 0,
         "A\u0308rger.txt\tÖrger.txt\nGru\u0308n.txt\tGrün.txt\n", "Umbenennung abgeschlossen.\n",
         "Grün.txt<Gru\u0308n.txt|Örger.txt<A\u0308rger.txt"},
        {"numbers in names sort by value, the counter per folder (sub lists as sub<)",
         "IMG_10.jpg|IMG_2.jpg|sub/IMG_3.jpg", "--mask|[zahl].[typ]|--counter-per-folder", 0,
         "IMG_2.jpg\t1.jpg\nIMG_3.jpg\t1.jpg\nIMG_10.jpg\t2.jpg\n",
         "Bereit: mit --apply werden 3 Dateien umbenannt.\n", "IMG_10.jpg|IMG_2.jpg|sub<"},
        {"companions follow the first row named by their base, letter case ignored; the "
         "shortest base wins; IMG_10 is none",
         "IMG_1.CR2|img_1.JPG|IMG_1.xmp|IMG_1.jpg.xmp|IMG_10.JPG|IMG_2.a.bak|IMG_2.a.xmp|IMG_2.b",
         "--mask|Urlaub_[zahl].[typ]|--companions|--apply", 0,
         "IMG_1.CR2\tUrlaub_1.CR2\nimg_1.JPG\tUrlaub_1.JPG\nIMG_1.jpg.xmp\tUrlaub_1.jpg.xmp\n"
         "IMG_1.xmp\tUrlaub_1.xmp\nIMG_2.b\tUrlaub_2.b\nIMG_2.a.bak\tUrlaub_2.a.bak\n"
         "IMG_2.a.xmp\tUrlaub_2.a.xmp\nIMG_10.JPG\tUrlaub_3.JPG\n",
         "Umbenennung abgeschlossen.\n",
         "Urlaub_1.CR2<IMG_1.CR2|Urlaub_1.JPG<img_1.JPG|Urlaub_1.jpg.xmp<IMG_1.jpg.xmp|"
         "Urlaub_1.xmp<IMG_1.xmp|Urlaub_2.a.bak<IMG_2.a.bak|Urlaub_2.a.xmp<IMG_2.a.xmp|"
         "Urlaub_2.b<IMG_2.b|Urlaub_3.JPG<IMG_10.JPG"},
        {"too long, twice and in the way, each with its reason, a sound row with none",
         "a.txt|b.txt|c.txt|d.txt|e.txt|!D_x.txt",
         "--mask|[name]_x.[typ]|--replace|a|" + QString(300, 'a') + "|--replace|c|b", 1,
         "a.txt\t" + QString(300, 'a') +
             "_x.txt\nb.txt\tb_x.txt\nc.txt\tb_x.txt\nd.txt\td_x.txt\ne.txt\te_x.txt\n",
         messages::notUnique() + "\na.txt\t" + QString(300, 'a') +
             "_x.txt\tName zu lang (306 Bytes, erlaubt 255)\nb.txt\tb_x.txt\t" + twice +
             "c.txt\tb_x.txt\t" + twice + "d.txt\td_x.txt\tDatei existiert bereits\n",
         "D_x.txt|a.txt|b.txt|c.txt|d.txt|e.txt"},
        {"names from Windows-1252 lines with CR LF, a blank one counting", "a.txt|b.txt|c.txt",
         "--names-from|-|--mask|[zahl] [liste].[typ]|--apply", 0,
         "a.txt\t1 Grüße.txt\nb.txt\t2 .txt\nc.txt\t3 bär.txt\n", "Umbenennung abgeschlossen.\n",
         "1 Grüße.txt<a.txt|2 .txt<b.txt|3 bär.txt<c.txt",
         "Gr\xfc\xdf"
         "e\r\n\r\nb\xe4r\r\n"},
        {"a list of another count names both counts and renames nothing", "a.txt|b.txt|c.txt",
         "--names-from|-|--mask|[liste].[typ]|--apply", 1,
         "a.txt\tx.txt\nb.txt\ty.txt\nc.txt\t.txt\n",
         "Fehler: Die Liste hat 2 Namen, markiert sind 3 Dateien.\n", "a.txt|b.txt|c.txt",
         "x\ny\n"},
        {"a CSV by name and by path, separators quoted; a line of no file is named", "a.txt|b.txt",
         "--table|-|--mask|[spalte 3] [Spalte 2].[typ]|--apply", 0,
         "a.txt\t1 x, y.txt\nb.txt\t2' z;w.txt\n",
         "kesto-cli: Zeile 3 der Tabelle gehört zu keiner Datei der Liste: c.txt\n"
         "Umbenennung abgeschlossen.\n",
         "1 x, y.txt<a.txt|2' z;w.txt<b.txt",
         "a.txt,\"x, y\",1\r\nD/b.txt,z;w,\"2'\"\r\nc.txt,q\n"},
        {"a TSV that lacks a file", "a.txt|b.txt", "--table|-|--mask|[spalte 2].[typ]|--apply", 1,
         "a.txt\tx,y.txt\nb.txt\t.txt\n",
         "Fehler: 1 markierte Datei steht nicht in der Tabelle.\nb.txt\t.txt\tnicht in der "
         "Tabelle\n",
         "a.txt|b.txt", "a.txt\tx,y\n"},
        {"clashes numbered against each other and a file that stays",
         "a.txt|b.txt|x.txt|!x (3).txt", "--mask|x.[typ]|--number-clashes|--apply", 0,
         "a.txt\tx (2).txt\nb.txt\tx (4).txt\nx.txt\tx.txt\n", "Umbenennung abgeschlossen.\n",
         "x (2).txt<a.txt|x (3).txt|x (4).txt<b.txt|x.txt"},
        {"a name the batch moves away from is free", "a.txt|b.txt",
         "--names-from|-|--mask|[liste].[typ]|--number-clashes|--apply", 0,
         "a.txt\tb.txt\nb.txt\tc.txt\n", "Umbenennung abgeschlossen.\n", "b.txt<a.txt|c.txt<b.txt",
         "b\nc"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder here;
        QStringList args = c.args.split('|') + QStringList{"--"};
        for (const QString &f : c.files.split('|')) {
            here.write(QString(f).remove(0, f.startsWith('!')), f.toUtf8());
            if (!f.startsWith('!'))
                args << f;
        }
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(here.path());
        const CliRun r =
            cli(args, false, {}, QByteArray(c.input).replace('D', here.path().toUtf8()));
        QDir::setCurrent(cwd);
        EXPECT_EQ(r.all(), QString("%1|Vorher\tNachher\n%2|%3").arg(c.exitCode).arg(c.out, c.err));
        QStringList after;
        for (const QString &name : here.names()) {
            const QString held = QString::fromUtf8(here.read(name));
            after << (held == name || held == '!' + name ? name : name + '<' + held);
        }
        EXPECT_EQ(after.join('|'), c.after);
    }
    EXPECT_FALSE(QFileInfo::exists(MakeAppPaths().log)) << "a run writes no log";
}

// Line n of the list names the n-th file in list order, however many.
TEST_F(CliTest, ThreeHundredNamesFromAFileRenameThreeHundredFilesInListOrder)
{
    QStringList names, expected;
    QByteArray list;
    for (int i = 0; i < 300; ++i) {
        names << QString("f%1.txt").arg(i, 3, 10, QLatin1Char('0'));
        list += QString("Name %1\n").arg(299 - i).toUtf8();
        expected << QString("Name %1.txt").arg(i);
    }
    const QString listFile = data.write("namen.txt", list);
    EXPECT_EQ(cli(QStringList{"--names-from", listFile, "--mask", "[liste].[typ]", "--apply"} +
                  files(names))
                  .exitCode,
              0);
    expected.sort();
    EXPECT_EQ(dir.names(), expected);
    EXPECT_EQ(dir.read("Name 299.txt"), "f000.txt");
}

TEST_F(CliTest, SkippedPathsAreNamedWithTheirReasonAndTheRestIsRenamed)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("pipe")).constData(), 0600), 0);
    dir.mkdir("ordner");
    ASSERT_EQ(::symlink("schleife", QFile::encodeName(dir.file("schleife"))), 0);
    // Each path that becomes no row, with its reason; the link points to itself.
    const std::pair<QString, const char *> bad[] = {
        {dir.file("fehlt.txt"), "nicht vorhanden"},
        {dir.file("pipe"), "keine gewöhnliche Datei"},
        {dir.file("ordner"), "ein Ordner"},
        {dir.file("schleife"), "nicht lesbar"},
        {dir.path() + QString("/x").repeated(2500), "Pfad zu lang"}};
    QList<QByteArray> args{"--mask", "neu_[name].[typ]", "--apply", "--",
                           dir.writeBytes("caf\xe9.txt", "Latin-1")};
    QString skipped;
    for (const auto &[path, reason] : bad) {
        args << QFile::encodeName(path);
        skipped += QString("kesto-cli: übergangen (%1): %2\n").arg(reason, path);
    }
    EXPECT_EQ(cliBytes(args << QFile::encodeName(dir.write("ok.txt"))).all(),
              "1|Vorher\tNachher\ncafé.txt\tneu_café.txt\nok.txt\tneu_ok.txt\n|" + skipped +
                  "Umbenennung abgeschlossen.\n");
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"neu_caf\xc3\xa9.txt", "neu_ok.txt", "ordner",
                                                 "pipe", "schleife"}));
    EXPECT_EQ(cli({"--apply", bad[0].first}).all(),
              "1||" + skipped.section('\n', 0, 0) +
                  "\nkesto-cli: Es bleibt keine Datei zum Umbenennen.\n");
}

// The messages follow the locale; the names on standard output, a mask
// error's mark among them, and the exit code do not.
TEST_F(CliTest, AnEnglishLocaleGivesEnglishMessagesAndTheSameOutput)
{
    qputenv("LC_ALL", "en_US.UTF-8");
    const CliRun run = cli(QStringList{"--mask", "[name", "fehlt.txt"} + files({"a.jpg"}));
    const QString usage = cli({"--help"}).out.section('\n', 0, 0);
    qputenv("LC_ALL", "C.UTF-8");
    EXPECT_EQ(run.all(), "1|Vorher\tNachher\na.jpg\t< Maskenfehler >\n|kesto-cli: passed over "
                         "(missing): fehlt.txt\nError: The mask is wrong or incomplete.\n");
    EXPECT_EQ(usage, "Usage: kesto-cli [OPTION…] FILE…");
}

// The help is joined from texts translated one by one: in both languages one
// blank line between each two of its eight sections, and the same options,
// each at the start of a line.
TEST_F(CliTest, TheHelpHasTheSameSectionsAndOptionsInBothLanguages)
{
    const auto blankLinesAndOptions = [](const char *locale) {
        qputenv("LC_ALL", locale);
        QStringList shape;
        for (const QString &line : cli({"--help"}).out.split('\n')) {
            if (line.isEmpty() || line.startsWith("  -"))
                shape << line.section(' ', 2, 2);
        }
        return shape;
    };
    const QStringList english = blankLinesAndOptions("en_US.UTF-8");
    const QStringList german = blankLinesAndOptions("C.UTF-8");
    EXPECT_EQ(german.count(""), 8);
    EXPECT_EQ(english, german);
}

// Folders give their files with -r, within the depth and patterns given;
// paths come from a list, a file or standard input, one a line (without a
// carriage return; empty lines are none) or ended by NUL, relative ones from
// the current folder, after those of the arguments.
TEST_F(CliTest, RecursiveLoadsFoldersAndFilesFromTakesPathsFromAListOrStandardInput)
{
    for (const char *name : {"f/b.jpg", "f/.jpg", "f/a/c.JPG", "f/a/d.txt", "f/a/t/e.jpg", "x.txt"})
        dir.write(name);
    dir.write("liste", QByteArray("x.txt", 6));
    // Arguments, standard input, the names loaded and what stands on stderr
    // before "Bereit".
    const std::tuple<QString, QByteArray, QString, QString> cases[] = {
        {"--recursive|f", {}, "b.jpg c.JPG d.txt e.jpg", ""},
        {"-r|--include|*g|--include|d*|--exclude|B*|--hidden|f", {}, ".jpg c.JPG d.txt e.jpg", ""},
        {"nix|--files-from|-", "f/b.jpg\r\n\nfehlt\nx.txt", "b.jpg x.txt",
         "kesto-cli: übergangen (nicht vorhanden): nix\nkesto-cli: übergangen (nicht vorhanden): "
         "fehlt\n"},
        {"f/b.jpg|--files-from|-|--null|-r|--depth|0|--files-from|liste",
         QByteArray("f/a\0f/a/t\0", 11), "b.jpg c.JPG d.txt e.jpg x.txt", ""},
    };
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (const auto &[args, input, names, err] : cases) {
        const CliRun r = cli(args.split('|'), false, {}, input);
        QStringList loaded;
        for (const QString &line : r.out.split('\n', Qt::SkipEmptyParts).mid(1))
            loaded << line.section('\t', 0, 0);
        EXPECT_EQ(loaded.join(' ') + '|' + r.err.section("Bereit", 0, 0), names + '|' + err);
    }
    QDir::setCurrent(cwd);
}

TEST_F(CliTest, AClosedOutputNeitherStopsNorHalvesTheRenames)
{
    const CliRun r =
        cli(QStringList{"--mask", "neu_[name].[typ]", "--apply"} + files({"a.txt", "b.txt"}), true);
    EXPECT_EQ(dir.names(), (QStringList{"neu_a.txt", "neu_b.txt"}));
    EXPECT_EQ(r.all(), "1||Umbenennung abgeschlossen.\nkesto-cli: Die Liste ließ sich nicht "
                       "ausgeben: Der Empfänger der Ausgabe ist beendet.\n");
}

// A file nothing may rename (immutable, which binds root too) in a folder
// that passes the full test: it is reported once with its reason and stays,
// the run goes on with the others and fails. The name holds a line break,
// which must not cut the reason off the message.
TEST_F(CliTest, AFailedRenameIsReportedTheOthersAreDoneAndTheRunExitsWithOne)
{
    const QStringList paths = files({"fest/a\nb.txt", "frei/0.txt"}); // renamed from the last
    const QByteArray fixed = "'" + QFile::encodeName(paths.first()) + "'";
    const bool immutable = std::system("chattr +i " + fixed + " 2>/dev/null") == 0;
    const CliRun r = cli(QStringList{"--mask", "[name]-neu.[typ]", "--apply"} + paths);
    std::system("chattr -i " + fixed + " 2>/dev/null");
    if (!immutable)
        GTEST_SKIP() << "no file here that a rename cannot move";
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QString("1 von 2 Dateien wurde umbenannt.\n\nFolgende Dateien ließen sich "
                             "nicht umbenennen und behalten ihren alten Namen:\n\n%1/fest/a\nb.txt "
                             "--> a\nb-neu.txt (Keine Berechtigung.)\n"
                             "Umbenennung beendet: 1 von 2 Dateien umbenannt, 1 nicht.\n")
                         .arg(dir.path()));
    EXPECT_TRUE(dir.exists("fest/a\nb.txt") && dir.exists("frei/0-neu.txt"));
}

TEST_F(CliTest, UndoTakesTheLastBatchBackAndHistoryListsTheBatches)
{
    const QStringList apply =
        QStringList{"--mask", "n_[name].[typ]", "--apply"} + files({"a.txt", "b.txt"});
    const QString folder = dir.path() + '/';
    // The exit status, the output, the end of the history and the files.
    const auto run = [&](const QStringList &args) {
        const CliRun r = cli(args);
        const QString history = cli({"--history"}).out.section('\n', 0, 0).section('\t', 2);
        return QString("%1|%2|%3|%4|").arg(r.exitCode).arg(r.out, r.err, history) +
               dir.names().join(' ');
    };
    EXPECT_EQ(run({"--undo"}), "1||kesto-cli: Es gibt keine Umbenennung, die sich rückgängig "
                               "machen ließe.\n||a.txt b.txt");
    EXPECT_EQ(run(apply), "0|Vorher\tNachher\na.txt\tn_a.txt\nb.txt\tn_b.txt\n|"
                          "Umbenennung abgeschlossen.\n|" +
                              folder + "\tbeendet|n_a.txt n_b.txt");
    EXPECT_EQ(run({"--undo"}),
              QString("0|Vorher\tNachher\n%1n_b.txt\t%1b.txt\n%1n_a.txt\t%1a.txt\n|"
                      "Rückgängig gemacht: 2 Dateien haben ihre alten Namen zurück.\n|"
                      "%1\trückgängig gemacht|a.txt b.txt")
                  .arg(folder));

    // An old name taken again keeps its new owner: that file stays, exit 1.
    ASSERT_EQ(cli(apply).exitCode, 0);
    dir.write("a.txt", "neu");
    EXPECT_EQ(
        run({"--undo"}),
        QString("1|Vorher\tNachher\n%1n_b.txt\t%1b.txt\n|Folgende Dateien ließen sich nicht "
                "zurückbenennen und bleiben, wo sie sind:\n\n%1n_a.txt --> a.txt (der alte "
                "Name ist wieder vergeben)\nNur teilweise rückgängig gemacht: 1 Datei hat ihren "
                "alten Namen zurück, 1 nicht.\n|%1\trückgängig gemacht|a.txt b.txt n_a.txt")
            .arg(folder));

    // A batch another program is still running is not "nothing to undo": the
    // user is told to wait for it, and no file is touched.
    Journal running(data.path() + "/Quarvel/Kesto");
    QList<JournalEntry> entries{{{QFile::encodeName(folder), "b.txt", "c.txt", {}}}};
    ASSERT_TRUE(running.begin(entries));
    EXPECT_EQ(run({"--undo"}), "1||kesto-cli: Die letzte Umbenennung läuft noch; rückgängig "
                               "machen lässt sie sich, sobald sie beendet ist.\n|" +
                                   folder + "\tläuft|a.txt b.txt n_a.txt");
    running.end();

    // The newest journal damaged: shown, neither obeyed nor passed over for
    // an older one.
    const QString forged = data.path() + "/Quarvel/Kesto/Kesto-Journal/batch-9999999999-x.journal";
    ASSERT_TRUE(WriteFileBytes(forged, "Kesto-Journal 1\nbegun 2026-01-02T03:04:05.000\n"
                                       "move 1 2 3 4 5 " +
                                           QFile::encodeName(folder) +
                                           " ../a.txt a.txt %\nplanned 1\n"));
    EXPECT_EQ(run({"--undo"}), "1||" + messages::journalDamaged(forged).replace('\r', '\n') +
                                   "\n|\tbeschädigt|a.txt b.txt n_a.txt");
}

// The main file of a type goes first; its companions go and come back with it.
TEST_F(CliTest, CompanionsAreRenamedWithTheirMainFileOfATypeAndUndoneWithIt)
{
    const QStringList names{"IMG_1.CR2", "IMG_1.JPG", "IMG_1.JPG.xmp", "IMG_1.xmp", "IMG_10.JPG"};
    const QStringList args{"--mask", "[zahl].[typ]", "--companions-main", "jpg", "--apply"};
    EXPECT_EQ(cli(args + files(names)).all(),
              "0|Vorher\tNachher\nIMG_1.JPG\t1.JPG\nIMG_1.CR2\t1.CR2\nIMG_1.JPG.xmp\t1.JPG.xmp\n"
              "IMG_1.xmp\t1.xmp\nIMG_10.JPG\t2.JPG\n|Umbenennung abgeschlossen.\n");
    EXPECT_EQ(cli({"--undo"}).exitCode, 0);
    EXPECT_EQ(dir.names(), names);
}

// A journal folder that is a link is no place for journals: without one,
// --apply renames only with --no-undo.
TEST_F(CliTest, WithoutAJournalOnlyNoUndoRenames)
{
    const QString folder = data.path() + "/Quarvel/Kesto/Kesto-Journal";
    ASSERT_TRUE(QDir().mkpath(data.path() + "/Quarvel/Kesto") &&
                QFile::link(dir.mkdir("anderswo"), folder));
    const QStringList args = QStringList{"--mask", "n_[name].[typ]", "--apply"} + files({"a.txt"});
    EXPECT_EQ(cli(args).all(), "1|Vorher\tNachher\na.txt\tn_a.txt\n|Das Protokoll dieser "
                               "Umbenennung lässt sich nicht schreiben:\n" +
                                   folder + "/\nKeine Berechtigung.\n" +
                                   cli::texts::noUndoRefused() + '\n');
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "anderswo"}));
    EXPECT_EQ(cli(QStringList{"--no-undo"} + args).exitCode, 0);
    EXPECT_EQ(dir.names(), (QStringList{"anderswo", "n_a.txt"}));
}

// Also a batch that moves the files into 51 folders it makes, killed while it
// makes them or while it renames: the undo leaves none of them.
TEST_F(CliTest, ABatchKilledAtARandomMomentIsRepairedByUndo)
{
    QStringList args = QString("--start|2|--digits|5|--lead|Null|--apply").split('|'), names;
    for (int i = 1; i <= 5000; ++i) {
        names << QString("f%1.txt").arg(i, 5, 10, QLatin1Char('0'));
        args << dir.write(names.last(), names.last().toUtf8());
    }
    const QString before = dir.tree();
    for (const QString mask : {"f[zahl].[typ]", "[2-4]/f[zahl].[typ]"}) {
        SCOPED_TRACE(mask.toStdString());
        QDir(data.file("Quarvel/Kesto/Kesto-Journal/")).removeRecursively();
        cli(QStringList{"--mask", mask} + args, false,
            [this](pid_t pid) { killOncePlanned(pid, 40000); });

        // Each file under some name, a temporary one or its old or new one.
        QStringList held;
        for (const QString &entry : dir.tree().split(' ')) {
            if (!entry.endsWith('/'))
                held << entry.section('=', 1);
        }
        held.sort();
        EXPECT_EQ(held, names);
        // Cut off, unless the kill came after its end; with the lock gone, never
        // taken for running; and every run says so until it is repaired.
        const CliRun history = cli({"--history"});
        const bool ended = history.out.contains("\tbeendet");
        EXPECT_TRUE(ended || history.out.contains("\tunterbrochen")) << history.out.toStdString();
        EXPECT_EQ(history.out.contains("\t51 Ordner angelegt\n"), mask.contains('/'));
        const CliRun preview = cli({"--mask", "[name].[typ]", dir.file(dir.names().first())});
        EXPECT_EQ(preview.err.contains("wurde unterbrochen"), !ended) << preview.err.toStdString();
        const CliRun undo = cli({"--undo"});
        EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
        EXPECT_EQ(dir.tree(), before);
    }
}

// Fifty folders, each in the one before with forty files, renamed with all they
// hold, killed at a random moment: the undo gives back the same paths and contents.
// Without -r only the folder named ("." too) is a row, counted as a folder
// where the files are counted; a mask without [TYP] asks nothing.
TEST_F(CliTest, AFolderTreeKilledWhileItIsRenamedComesBackWholeByUndo)
{
    for (int i = 0; i < 2000; ++i)
        dir.write(QString("Baum/%1f%2.txt").arg(QString("d/").repeated(i / 40)).arg(i),
                  QByteArray::number(i));
    const QString before = dir.tree();
    EXPECT_EQ(cli({"--folders", "--mask", "[name]", dir.file("Baum/.")}).err,
              "Bereit: mit --apply wird 1 Ordner umbenannt.\n");
    EXPECT_EQ(cli({"--folders", "--mask", "[name]", dir.file("Baum/."), dir.file("Baum/f0.txt"),
                   dir.file("Baum/f1.txt")})
                  .err,
              "Bereit: mit --apply werden 2 Dateien und 1 Ordner umbenannt.\n");
    EXPECT_EQ(cli({"--folders", "--mask", "[name]", "--apply", dir.file("Baum/.")}).all(),
              "0|Vorher\tNachher\nBaum\tBaum\n|Umbenennung abgeschlossen.\n");
    cli({"--folders", "-r", "--mask", "[name]-x.[typ]", "--apply", dir.file("Baum")}, false,
        [this](pid_t pid) { killOncePlanned(pid); });
    EXPECT_EQ(cli({"--undo"}).exitCode, 0);
    EXPECT_EQ(dir.tree(), before);
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndTouchNothing)
{
    const QStringList paths = files({"a.txt"});
    // The last: with the file, as an undo takes none.
    for (const QString args :
         {"--bogus", "--mask", "--digits|13", "--lead|Punkt", "--case|6", "--sort|9", "--replace|a",
          "--preset|gibt es nicht", "--replace|a|b|--replace|c|d|--replace|e|f|--replace-new|g|h",
          "--undo"}) {
        EXPECT_EQ(cli(args.split('|') + paths).all().section('|', 0, 1), "2|")
            << args.toStdString();
    }
    // Values the window's fields could not hold, and a rename's options
    // beside an undo or a listing, each named by the message.
    const std::pair<QStringList, QString> refused[] = {
        {{}, "Es wurde keine Datei angegeben."},
        {{"--undo", "--history"}, "--undo und --history gehen nicht zusammen."},
        {{"--undo", "--apply"}, "--undo und --history nehmen keine Optionen zum Umbenennen."},
        {{"--history", "--mask", "x"},
         "--undo und --history nehmen keine Optionen zum Umbenennen."},
        {{"--start", "abc", "a.txt"}, "--start erwartet eine Zahl von 0 bis 99999999."},
        {{"--start", "123456789", "a.txt"}, "--start erwartet eine Zahl von 0 bis 99999999."},
        {{"--step", "-1", "a.txt"}, "--step erwartet eine Zahl von 0 bis 99999."},
        {{"--step", "", "a.txt"}, "--step erwartet eine Zahl von 0 bis 99999."},
        {{"--replace-re", "a", "$1", "a.txt"},
         "Fehler: Satz 1: Die Gruppe $1 im Ersatz gibt es im Ausdruck nicht."},
        {{"--match-case", "--replace", "a", "b", "a.txt"},
         "--match-case steht hinter --replace, --replace-new, --replace-re oder --replace-new-re."},
        {{"--depth", "1", "a.txt"},
         "--depth, --include, --exclude und --hidden gelten nur mit --recursive."},
        {{"-r", "--depth", "-1", "a.txt"}, "--depth erwartet eine Zahl ab 0."},
        {{"-r", "--exclude", "[a", "a.txt"}, "--exclude: kein gültiges Muster: [a"},
        {{"--null", "a.txt"}, "--null gilt nur mit --files-from."},
        {{"--files-from", "fehlt"}, "Die Liste ließ sich nicht lesen (nicht vorhanden): fehlt"},
        {{"--files-from", "/"}, "Die Liste ließ sich nicht lesen (ein Ordner): /"},
        {{"--names-from", "-", "--table", "-", "a.txt"},
         "Nur eine der Optionen --files-from, --names-from und --table liest die Standardeingabe."},
        {{"--table", "/", paths.first()}, "Die Tabelle ließ sich nicht lesen (ein Ordner): /"},
    };
    for (const auto &[args, message] : refused) {
        EXPECT_EQ(cli(args).all().section('\n', 0, 0), "2||kesto-cli: " + message);
    }
    EXPECT_EQ(cli({"--help"}).exitCode, 0);
    EXPECT_EQ(cli({"--version"}).all(), "0|kesto-cli " KESTO_VERSION "\n|");
    EXPECT_EQ(dir.names(), QStringList{"a.txt"});
}

// On a terminal, lines of progress, each over the last, erased before other text
// (here without the second's wait); none in a file, none and no "Bereit" with --quiet.
TEST_F(CliTest, ATerminalShowsTheProgressOfARunAFileAndQuietDoNot)
{
    qputenv("KESTO_PROGRESS_DELAY_MS", "0");
    const QStringList args = QStringList{"--mask", "n_[name].[typ]"} + files({"a", "b", "c"});
    EXPECT_EQ(cliOnTerminal(QStringList{"--quiet"} + args), "");
    EXPECT_EQ(cli(args).err, "Bereit: mit --apply werden 3 Dateien umbenannt.\n");
    const QRegularExpression progressThen("^((\r[1-3] von 3 Dateien[^\r\n]*\x1b\\[K)+\r\x1b\\[K)+"
                                          "(Bereit: mit|Umbenennung abgeschlossen)");
    for (const QString &shown : {cliOnTerminal(args), cliOnTerminal(QStringList{"--apply"} + args)})
        EXPECT_TRUE(progressThen.match(shown).hasMatch()) << shown.toStdString();
    qunsetenv("KESTO_PROGRESS_DELAY_MS");
}

} // namespace
