#include "naming/textcase.h"
#include "rename/formatmessage.h"
#include "rename/messages.h"
#include "rename/renamer.h"
#include "sessionfixture.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::SessionTest;
using kesto::test::TempFolder;

namespace {

const QString done = QStringLiteral("Umbenennung abgeschlossen.");

TEST_F(SessionTest, RenamesCheckedFilesAndRecomputesTheRowsThatRemain)
{
    QStringList names;
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    load(names);
    for (int i = 0; i < 10; i += 2)
        session.setChecked(i, false);
    preview(QStringLiteral("neu_[zahl].[typ]"));
    session.renameCommand();

    EXPECT_EQ(panel2(), done);
    EXPECT_EQ(oldNames(), (QStringList{"f01.txt", "f03.txt", "f05.txt", "f07.txt", "f09.txt"}));
    EXPECT_EQ(newNames(),
              (QStringList{"neu_1.txt", "neu_2.txt", "neu_3.txt", "neu_4.txt", "neu_5.txt"}));
    EXPECT_EQ(dir.read(QStringLiteral("neu_2.txt")), QByteArray("f02.txt"));
    EXPECT_EQ(dir.read(QStringLiteral("neu_10.txt")), QByteArray("f10.txt"));
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(SessionTest, MaskWithoutTypAsksFirstAndNoChangesNothing)
{
    load({"a.txt", "b.txt"});
    preview(QStringLiteral("[name]_neu"));
    questions.yesNoAnswers = {false, true};
    session.renameCommand();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.at(0).title, QStringLiteral("Kesto"));
    EXPECT_TRUE(questions.asked.at(0).text.startsWith(
        QStringLiteral("WARNUNG: In Ihrer Umbenennungmaske wurde der Platzhalter .[TYP] NICHT "
                       "verwendet!\r\rBitte beachten Sie")));
    EXPECT_TRUE(questions.asked.at(0).text.endsWith(
        QStringLiteral("\r\rMöchten Sie die Umbenennung nun wirklich ohne .[TYP] vornehmen?")));
    EXPECT_EQ(session.list().count(), 2);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "b.txt"}));

    session.renameCommand();
    EXPECT_EQ(dir.names(), (QStringList{"a_neu", "b_neu"}));
    // "[typ]" in small letters counts as "[TYP]": no question.
    load({"c.txt"});
    preview(QStringLiteral("x.[typ]"));
    session.renameCommand();
    EXPECT_EQ(questions.asked.size(), 2);
}

TEST_F(SessionTest, FailedRenameAsksAndOkGoesOnWhileCancelStops)
{
    load({"a.txt", "b.txt", "c.txt"});
    preview(QStringLiteral("neu_[name].[typ]"));
    QFile::remove(dir.file(QStringLiteral("b.txt")));
    questions.okCancelAnswers = {true};
    session.renameCommand();

    const QChar cr(13);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked.at(0).text,
              QStringLiteral("Folgende Datei ließ sich nicht umbenennen:") + cr + cr +
                  dir.file(QStringLiteral("b.txt")) + cr + QStringLiteral("-->") + cr +
                  dir.file(QStringLiteral("neu_b.txt")) + cr + cr +
                  QStringLiteral("Der Ordner oder die Datei existiert nicht mehr.") + cr + cr +
                  QStringLiteral("Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die "
                                 "Aktion zu beenden."));
    EXPECT_EQ(dir.names(), (QStringList{"neu_a.txt", "neu_c.txt"}));
    EXPECT_EQ(oldNames(), QStringList{"b.txt"}); // still checked, with a fresh name
    EXPECT_TRUE(session.list().at(0).checked);
    EXPECT_EQ(panel2(), done);

    load({"d.txt", "e.txt"}); // rows b, d, e, renamed from the last
    QFile::remove(dir.file(QStringLiteral("d.txt")));
    preview(QStringLiteral("x_[name].[typ]"));
    questions.okCancelAnswers = {false};
    session.renameCommand(); // e renamed, d fails, Cancel: b is not even tried
    EXPECT_EQ(oldNames(), (QStringList{"b.txt", "d.txt"}));
    EXPECT_EQ(questions.asked.size(), 2);
    EXPECT_TRUE(dir.exists(QStringLiteral("x_e.txt")));
    EXPECT_EQ(panel2(), done);
}

// Says "Ja" to the question before the first rename, after another program
// wrote the file \a name: past the full test, so only the rename can notice.
struct WriterAtTheQuestion : kesto::test::ScriptedQuestions
{
    TempFolder *dir = nullptr;
    QString name;
    bool askYesNo(const QString &text, const QString &title) override
    {
        dir->write(name, "fremd");
        yesNoAnswers = {true};
        return ScriptedQuestions::askYesNo(text, title);
    }
};

TEST_F(SessionTest, NeverReplacesAFileThatAppearedAfterTheCheck)
{
    WriterAtTheQuestion writer;
    writer.dir = &dir;
    writer.name = QStringLiteral("ziel.txt");
    writer.okCancelAnswers = {true};
    Session run(writer);
    run.journal() = Journal(journals.path());
    run.load(QStringList{dir.write(QStringLiteral("a.txt"), "a.txt")});
    run.setMaskText(QStringLiteral("ziel.txt")); // no "[TYP]": a question comes
    run.refresh();
    const RenameResult result = run.renameCommand();
    EXPECT_EQ(dir.read(QStringLiteral("ziel.txt")), QByteArray("fremd"));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("a.txt"));
    ASSERT_EQ(result.failed.size(), 1);
    EXPECT_EQ(result.failed.at(0).error, EEXIST);
    const auto &asked = writer.asked;
    ASSERT_EQ(asked.size(), 2); // the "[TYP]" question, the failure dialog, nothing else
    EXPECT_TRUE(asked.at(1).text.contains(
        QStringLiteral("\r\rEine Datei dieses Namens existiert bereits.\r\r")));
    EXPECT_EQ(run.list().count(), 1);
}

TEST_F(SessionTest, CaseChangesSameNamesAndSlashesAreHandledSafely)
{
    dir.mkdir(QStringLiteral("sub"));
    load({"foto.jpg", "same.txt", "a.txt"}); // sorted: a, foto, same
    session.setChecked(0, false);
    session.setChecked(2, false);
    session.chooseLetterCase(CaseUpper);
    session.renameCommand();
    EXPECT_TRUE(dir.exists(QStringLiteral("FOTO.JPG")));

    // A name equal to the old one counts as done.
    session.chooseLetterCase(CaseKeep);
    session.changeChecks(FileList::CheckChange::UncheckAll);
    session.setChecked(1, true);
    session.refresh();
    session.renameCommand();
    EXPECT_EQ(oldNames(), QStringList{"a.txt"});

    // A "/" from a replacement never moves the file into another folder.
    session.changeChecks(FileList::CheckChange::CheckAll);
    replace(0, QStringLiteral("a"), QStringLiteral("sub/a"));
    preview(QStringLiteral("[name].[typ]"));
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(panel2(), messages::notAllowed());
    EXPECT_EQ(session.list().at(0).hint, u"kein gültiger Dateiname"_s);
    EXPECT_TRUE(dir.exists(QStringLiteral("a.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("sub/a.txt")));
}

TEST_F(SessionTest, ANameThatIsNoUtf8IsRenamedFromItsShownTextAndWrittenInUtf8)
{
    dir.write(u"andere.txt"_s, "andere");
    session.load(QList<QByteArray>{dir.writeBytes("caf\xe9.txt", "Latin-1")});
    ASSERT_EQ(oldNames(), QStringList{u"café.txt"_s});
    // The same shown name in other bytes: the repair.
    preview(u"[name].[typ]"_s);
    session.renameCommand();
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"andere.txt", "caf\xc3\xa9.txt"}));
    EXPECT_EQ(dir.read(u"café.txt"_s), QByteArray("Latin-1"));

    // Ranges and letter cases work on the shown text; the folder keeps its bytes.
    ASSERT_EQ(::mkdir(QFile::encodeName(dir.path()) + "/d\xfcr", 0700), 0);
    session.load(QList<QByteArray>{dir.writeBytes("d\xfcr/\xc4pfel.txt")});
    ASSERT_EQ(session.list().count(), 1);
    EXPECT_EQ(session.list().at(0).folder, dir.path() + u"/dür/"_s);
    session.chooseLetterCase(CaseLower);
    preview(u"[1-3]-[name].[typ]"_s);
    EXPECT_EQ(newNames(), QStringList{u"äpf-äpfel.txt"_s});
    session.renameCommand();
    EXPECT_EQ(dir.rawNames("d\xfcr"), QList<QByteArray>{"\xc3\xa4pf-\xc3\xa4pfel.txt"});
    EXPECT_EQ(dir.rawNames(), (QList<QByteArray>{"andere.txt", "caf\xc3\xa9.txt", "d\xfcr"}));
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST(FormatMessage, FillsParametersAndResolvesEscapes)
{
    const QStringList p{QStringLiteral("P"), QStringLiteral("%1")};
    EXPECT_EQ(FormatMessage(QStringLiteral("a\\nb\\\\c\\t\\L\\h\\q")),
              QStringLiteral("a\rb\\c\t\n\"q"));
    EXPECT_EQ(FormatMessage(QStringLiteral("x%1y%10")), QStringLiteral("xy0"));
    EXPECT_EQ(FormatMessage(QStringLiteral("%2-%1"), p), QStringLiteral("%1-P"));
}

} // namespace
