#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using kesto::test::TempFolder;

namespace {

class CliPlanTest : public ::testing::Test
{
protected:
    // Each test has its own data folder, so its journals are its own.
    void SetUp() override { qputenv("XDG_DATA_HOME", QFile::encodeName(data.path())); }

    // kesto-cli in the files' folder: the exit status, the output and the error output.
    std::tuple<int, QByteArray, QString> run(const QString &args)
    {
        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.start(KESTO_CLI_PATH, args.split('|'));
        cli.waitForFinished(-1);
        return {cli.exitCode(), cli.readAllStandardOutput(),
                QString::fromUtf8(cli.readAllStandardError())};
    }

    TempFolder dir;
    TempFolder data;
};

// Each row as "old>new status reason", with " => result result_reason" after --apply.
QString rowsOf(const QByteArray &json)
{
    QStringList rows;
    for (const QJsonValue row : QJsonDocument::fromJson(json).object()["rows"].toArray()) {
        const QJsonObject r = row.toObject();
        QString line = r["old"].toString() + '>' + r["new"].toString() + ' ' +
                       r["status"].toString() + ' ' + r["reason"].toString();
        if (r.contains("result"))
            line += " => " + r["result"].toString() + ' ' + r["result_reason"].toString();
        if (r.contains("old_bytes"))
            line += " bytes " + r["old_bytes"].toString();
        rows << line;
    }
    return rows.join('\n');
}

// --json is the plan a JSON parser reads: a fault of each kind the full
// test finds, with its stable key, and with --apply what became of each row.
TEST_F(CliPlanTest, JsonGivesEachRowItsStatusKeyAndWithApplyItsResult)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "d_x.txt", "e_x.txt"})
        dir.write(name);
    dir.writeBytes("\xe9t\xe9.txt");
    dir.writeBytes("list", "a.txt\nb.txt\nc.txt\nd.txt\ne_x.txt\n\xe9t\xe9.txt\n");
    const QString faulty = "--files-from|list|--mask|[name]_x.[typ]|--replace|a|" +
                           QString(300, 'a') + "|--replace|c|b|--replace-new|_x_x|_x|--json";
    const QString tooLong = QString(300, 'a') + "_x.txt";
    const QString ok = "été.txt>été_x.txt ok ", notTried = "nicht versucht, die Prüfung hat "
                                                           "Fehler gefunden";
    const std::tuple<QString, int, QString> runs[] = {
        {faulty, 1,
         "a.txt>" + tooLong +
             " too_long Name zu lang (306 Bytes, erlaubt 255)\n"
             "b.txt>b_x.txt duplicate Name doppelt vergeben\nc.txt>b_x.txt duplicate Name doppelt "
             "vergeben\nd.txt>d_x.txt exists Datei existiert bereits\ne_x.txt>e_x.txt unchanged "
             "\n" +
             ok + " bytes 6XTpLnR4dA=="},
        {faulty + "|--apply", 1,
         "a.txt>" + tooLong +
             " too_long Name zu lang (306 Bytes, erlaubt 255) => skipped Name zu "
             "lang (306 Bytes, erlaubt 255)\nb.txt>b_x.txt duplicate Name doppelt vergeben => "
             "skipped "
             "Name doppelt vergeben\nc.txt>b_x.txt duplicate Name doppelt vergeben => skipped Name "
             "doppelt vergeben\nd.txt>d_x.txt exists Datei existiert bereits => skipped Datei "
             "existiert bereits\ne_x.txt>e_x.txt unchanged  => skipped " +
             notTried + "\n" + ok + " => skipped " + notTried + " bytes 6XTpLnR4dA=="},
        {"--mask|[name|--json|e_x.txt", 1,
         "e_x.txt> no_name Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut."},
        {"--mask|[name]_x.[typ]|--replace-new|_x_x|_x|--json|--apply|e_x.txt|b.txt", 0,
         "b.txt>b_x.txt ok  => renamed \ne_x.txt>e_x.txt unchanged  => renamed "},
    };
    for (const auto &[args, exitCode, rows] : runs) {
        SCOPED_TRACE(args.toStdString());
        const auto [status, out, err] = run(args);
        EXPECT_EQ(status, exitCode) << err.toStdString();
        EXPECT_EQ(rowsOf(out), rows);
    }
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"a.txt", "b_x.txt", "c.txt", "d.txt", "d_x.txt",
                                                 "e_x.txt", "list", "\xe9t\xe9.txt"}));
    const auto [status, out, err] =
        run("--mask|[zahl].[typ]|--digits|3|--lead|Null|--case|2|--replace-re|a|b|--match-case|"
            "--random-extra|#|--sort|4:desc|--json|b_x.txt");
    EXPECT_EQ(
        QJsonDocument(QJsonDocument::fromJson(out)["options"].toObject())
            .toJson(QJsonDocument::Compact),
        R"({"case":"lower","companions":{"main":null,"on":false},"counter":{"digits":3,"lead":"zero","per_folder":false,"start":1,)"
        R"("step":1},"mask":"[zahl].[typ]","number_clashes":false,"random":{"digits":false,)"
        R"("extra":"#","lower":)"
        R"(false,"upper":false},"replace":[{"in_new_name":false,"match_case":true,"regex":)"
        R"(true,"replace":"b","search":"a"}],"sort":{"column":"size","descending":true},)"
        R"("transliterate":false})");
}

// A chain 1→2→3→4 whose last file was written after the plan, a file gone
// and two that pass, one of them named in Latin-1: the plan renames those
// two, holds the chain back and names why, in one batch that --undo takes back.
TEST_F(CliPlanTest, APlanRenamesOnlyTheFilesStillAsReviewedAndUndoTakesItBack)
{
    for (const char *name : {"1.txt", "2.txt", "3.txt", "y.txt"})
        dir.write(QString("f/") + name, name);
    dir.writeBytes("f/caf\xe9.txt", "Latin-1");
    ASSERT_EQ(std::get<0>(run("-r|f|--mask|[zahl].[typ]|--start|2|--plan-out|p.json")), 0);
    dir.write("f/3.txt", "3.txt neu");
    QFile::remove(dir.file("f/y.txt"));
    const QString left = "Fehler: 4 Dateien des Plans lassen sich nicht umbenennen:\n"
                         "1.txt\t2.txt\tDatei existiert bereits\n"
                         "2.txt\t3.txt\tDatei existiert bereits\n"
                         "3.txt\t4.txt\tDatei hat sich seit dem Plan geändert\n"
                         "y.txt\t6.txt\tDatei ist nicht mehr vorhanden\n";
    const QByteArray names = "Vorher\tNachher\n1.txt\t2.txt\n2.txt\t3.txt\n3.txt\t4.txt\n"
                             "café.txt\t5.txt\ny.txt\t6.txt\n";
    EXPECT_EQ(run("--plan-in|p.json"), std::tuple(1, names, left));
    EXPECT_EQ(run("--plan-in|p.json|--apply"),
              std::tuple(1, names, "Umbenennung abgeschlossen.\n" + left));
    EXPECT_EQ(dir.rawNames("f"), (QList<QByteArray>{"1.txt", "2.txt", "3.txt", "5.txt"}));
    EXPECT_EQ(std::get<0>(run("--undo")), 0);
    EXPECT_EQ(dir.rawNames("f"), (QList<QByteArray>{"1.txt", "2.txt", "3.txt", "caf\xe9.txt"}));
}

// A plan of folders, one inside the other, is counted as folders and renamed
// without the question for a missing [TYP], the inner folder first, as the
// same run without a plan would.
TEST_F(CliPlanTest, APlanOfFoldersRenamesThemAsFoldersWithoutAskingForTheType)
{
    ASSERT_TRUE(QDir().mkpath(dir.file("A/x")));
    ASSERT_EQ(std::get<0>(run("--folders|-r|A|--mask|[name]_neu|--plan-out|p.json")), 0);
    const QByteArray names = "Vorher\tNachher\nA\tA_neu\nx\tx_neu\n";
    EXPECT_EQ(run("--plan-in|p.json"),
              std::tuple(0, names, "Bereit: mit --apply werden 2 Ordner umbenannt.\n"));
    EXPECT_EQ(run("--plan-in|p.json|--apply"),
              std::tuple(0, names, "Umbenennung abgeschlossen.\n"));
    EXPECT_EQ(dir.rawNames("A_neu"), QList<QByteArray>{"x_neu"});
}

// A plan that is not what was written is refused with its reason, and
// nothing is renamed; so is one edited with its checksum made anew.
TEST_F(CliPlanTest, ADamagedOrEditedPlanIsRefusedAndNothingIsRenamed)
{
    dir.write("a.txt");
    ASSERT_EQ(std::get<0>(run("--mask|b.[typ]|--plan-out|p.json|a.txt")), 0);
    const QByteArray plan = dir.read("p.json");
    const auto resummed = [&plan](const char *from, const char *to) {
        const QByteArray body = plan.sliced(plan.indexOf('\n') + 1).replace(from, to);
        return "{\"sha256\":\"" +
               QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + "\",\n" + body;
    };
    const std::pair<QByteArray, QString> damaged[] = {
        {QByteArray(plan).replace("\"b.txt\"", "\"c.txt\""), "die Prüfsumme stimmt nicht"},
        {plan.chopped(2), "die Prüfsumme stimmt nicht"},
        {resummed("\"version\":1", "\"version\":2"), "unbekannte Version"},
        {resummed("\"old\":\"a.txt\"", "\"old\":\"../a.txt\""), "Eintrag 1 ist fehlerhaft"},
        {resummed("\"inode\":\"", "\"inode\":\"-"), "Eintrag 1 ist fehlerhaft"},
        {"[]", "kein Plan von Kesto"},
    };
    for (const auto &[text, reason] : damaged) {
        dir.write("d.json", text);
        EXPECT_EQ(run("--plan-in|d.json|--apply"),
                  std::tuple(2, QByteArray(),
                             "kesto-cli: Der Plan ist beschädigt oder wurde verändert (" + reason +
                                 "); es wurde nichts umbenannt: d.json\n"));
    }
    EXPECT_EQ(std::get<2>(run("--plan-in|fehlt.json")),
              "kesto-cli: Der Plan ließ sich nicht lesen (nicht vorhanden): fehlt.json\n");
    // A plan decides the names and the files; a plan is written to be reviewed.
    for (const QString args : {"--plan-in|p.json|--mask|x|--apply", "--plan-in|p.json|a.txt",
                               "--plan-out|q.json|--apply|a.txt"}) {
        const auto [status, out, err] = run(args);
        EXPECT_EQ(QString::number(status) + err.section('\n', 0, 0),
                  args.startsWith("--plan-in")
                      ? "2kesto-cli: --plan-in nimmt keine Dateien und von den Optionen nur "
                        "--apply, --json, --yes, --no-undo und --quiet."
                      : "2kesto-cli: --plan-out schreibt einen Plan zum Prüfen und gilt nur ohne "
                        "--apply.");
    }
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "d.json", "p.json"}));
}

} // namespace
