#include "storage/datafolder.h"
#include "storage/questions.h"
#include "storage/savedmasks.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using kesto::test::TempFolder;

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KESTO_CLI_PATH), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class CliTest : public ::testing::Test
{
protected:
    TempFolder dir;
    QStringList files(const QStringList &names)
    {
        QStringList paths;
        for (const QString &n : names)
            paths << dir.write(n, n.toUtf8());
        return paths;
    }
};

TEST_F(CliTest, PreviewPrintsTheCopyTextAndThePanelMessage)
{
    const CliRun r =
        cli(QStringList{"--mask", "Urlaub [zahl].[typ]", "--digits", "3", "--lead", "Null"} +
            files({"b.jpg", "a.jpg"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("Vorher\tNachher\na.jpg\tUrlaub 001.jpg\nb.jpg\tUrlaub 002.jpg\n"));
    EXPECT_EQ(r.err, QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die "
                                    "Schaltfläche 'Umbenennen'.\n"));
    EXPECT_EQ(dir.names(), (QStringList{"a.jpg", "b.jpg"}));
}

TEST_F(CliTest, FailedTestsAndInvalidMasksExitWithOne)
{
    const QStringList paths = files({"a.txt", "b.txt"});
    CliRun r = cli(QStringList{"--mask", "x.txt"} + paths);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("Fehler: Die neuen Dateinamen sind nicht alle eindeutig - "
                                    "überprüfen Sie die Maske!\n"));
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

TEST_F(CliTest, FailedRenameIsReportedAndTheRunGoesOn)
{
    const QStringList paths = files({"a.txt", "b.txt"});
    // A name of more than 255 bytes cannot exist on the file system.
    const CliRun r = cli(
        QStringList{"--mask", "[name]_x.[typ]", "--replace", "a", QString(300, 'a'), "--apply"} +
        paths);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Folgende Datei ließ sich nicht umbenennen:\n\n") +
                                 paths.at(0) + QStringLiteral("\n-->\n")));
    EXPECT_FALSE(r.err.contains(QStringLiteral("Abbrechen")));
    EXPECT_TRUE(r.err.endsWith(QStringLiteral("Umbenennung abgeschlossen.\n")));
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b_x.txt"}));
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
    };
    for (const QStringList &args : bad) {
        const CliRun r = cli(args + paths);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(cli({}).exitCode, 2);
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
    o.Maske = QStringLiteral("foto_[zahl].[typ]");
    o.Start = QStringLiteral("10");
    o.LetterCase = 1;
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
