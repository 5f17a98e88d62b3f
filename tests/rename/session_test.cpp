#include "metadata/checksum.h"
#include "naming/messages.h"
#include "rename/companions.h"
#include "sessionfixture.h"
#include "storage/applog.h"
#include "support/photobuilder.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::SessionTest;

namespace {

TEST_F(SessionTest, AnInvalidOrEmptyMaskMarksEveryRowAndAnEmptyListKeepsTheMaskMessage)
{
    load({"a.txt", "b.txt"});
    const QString rangeError = u"Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."_s;
    // An empty mask has no error text.
    for (const auto &[mask, status] : {std::pair{u"   "_s, QString()}, {u"[3-2]"_s, rangeError}}) {
        preview(mask);
        EXPECT_EQ(newNames(), (QStringList{"< Maskenfehler >", "< Maskenfehler >"}));
        EXPECT_EQ(session.list().at(1).icon, RowIcon::Error);
        EXPECT_EQ(panel2(), status) << mask.toStdString();
        EXPECT_FALSE(session.renameEnabled());
    }
    session.clearList();
    EXPECT_EQ(panel2(), rangeError);
    EXPECT_EQ(panel1(), u"0 von 0 Dateien markiert"_s);
    EXPECT_FALSE(session.renameEnabled() || session.moveUpEnabled() || session.moveDownEnabled());
}

TEST_F(SessionTest, CounterFollowsTheListPositionAndStopsOutsideTheIntegerRange)
{
    load({"Urlaub.JPG", "2.txt", "1.txt"}); // sorted as they are loaded
    session.setChecked(1, false);
    preview(u"[NAME]_[ZAHL].[TYP]"_s);
    EXPECT_EQ(newNames().last(), u"Urlaub_3.JPG"_s);

    session.setCounterStartText(u"2147483600"_s);
    session.setCounterStepText(u"100"_s);
    preview(u"[zahl].[typ]"_s);
    EXPECT_FALSE(session.renameEnabled());
    EXPECT_EQ(panel2(), messages::counterOutOfRange());
    EXPECT_EQ(panel1(), u"2 von 3 Dateien markiert"_s);
    EXPECT_EQ(session.digitChoices().chosenText(), u"10"_s);
    preview(u"[name].[typ]"_s); // the same values without the counter
    EXPECT_TRUE(session.renameEnabled());
}

TEST_F(SessionTest, CounterFieldsBecomeCanonicalChoicesApplyAtOnceAndSavedOnesOnlyInTheirLists)
{
    load({"a.txt"});
    QSignalSpy changed(&session, &Session::optionsChanged);
    session.setCounterStartText(u"-7"_s);
    session.setCounterStepText(u"2.7"_s);
    preview(u"[zahl]"_s);
    EXPECT_EQ(QStringList({session.options().counterStart, session.options().counterStep}),
              QStringList({"7", "2"}));
    EXPECT_GE(changed.count(), 1);

    const int threeDigits = int(session.digitChoices().entries().indexOf(u"3"_s));
    session.chooseDigitCount(threeDigits);
    EXPECT_EQ(newNames(), QStringList{"7"});
    session.chooseLeadChar(1);
    EXPECT_EQ(newNames(), QStringList{"007"});
    session.chooseLeadChar(3);
    EXPECT_EQ(newNames(), QStringList{"__7"});

    // Saved options outside their lists keep the current choice.
    RenameOptions o = session.options();
    o.digitCount = 40;
    o.leadChar = 9;
    o.letterCase = 2;
    o.sets[1].search = u" "_s;
    session.applyOptions(o);
    o.digitCount = threeDigits;
    o.leadChar = 3;
    EXPECT_TRUE(session.options() == o);
}

// Names not yet shown are never renamed: until the refresh has run, the
// rename command is refused.
TEST_F(SessionTest, ABurstOfChangesWaitsForTheTimerAndGivesOnePreview)
{
    load({"a.txt"});
    session.refreshTimer().setInterval(60);
    QSignalSpy panel(&session.status(), &StatusLine::panel1Changed);
    for (const char *mask : {"a", "ab", "abc", "abcd.[typ]"}) {
        session.setMaskText(QString::fromLatin1(mask));
        EXPECT_FALSE(session.renameEnabled());
    }
    EXPECT_EQ(session.renameCommand().verdict, RenameResult::Verdict::Refused);
    EXPECT_EQ(newNames() + dir.names(), (QStringList{"a.txt", "a.txt"}));
    QSignalSpy commands(&session, &Session::commandsChanged);
    ASSERT_TRUE(commands.wait(2000));
    EXPECT_EQ(newNames(), QStringList{"abcd.txt"});
    EXPECT_TRUE(session.renameEnabled());
    EXPECT_EQ(panel.count(), 2); // "..." and the count, once
    EXPECT_FALSE(commands.wait(200));
}

// A batch another program is running has a journal without its end, just as
// one that was cut off; its lock tells them apart, and it is left alone.
TEST_F(SessionTest, ABatchStillRunningIsNeitherRepairedNorUndone)
{
    load({"a.txt"});
    QList<JournalEntry> entries{{{QFile::encodeName(dir.path() + "/"), "a.txt", "b.txt", {}}}};
    Journal running(journals.path());
    ASSERT_TRUE(running.begin(entries));
    ASSERT_TRUE(QFile::rename(dir.file(u"a.txt"_s), dir.file(u"b.txt"_s)));

    EXPECT_EQ(session.journal().batches().first().state, BatchState::Running);
    EXPECT_FALSE(session.offerRepair());
    EXPECT_EQ(session.undoableBatch().files, 0);
    EXPECT_FALSE(UndoBatch(Journal::read(session.journal().batches().first().path), {}).complete);
    EXPECT_TRUE(questions.asked.isEmpty());

    running.end();
    EXPECT_EQ(session.undoableBatch().files, 1);
}

// Only the newest batch, cut off, is offered for repair; and an undo removes
// only empty files made after the batch began: an empty file of the user's
// at a new name, older than the batch, stays.
TEST_F(SessionTest, OnlyTheNewestCutOffBatchIsRepairedAndTheUsersEmptyFilesStay)
{
    const QByteArray folder = QFile::encodeName(dir.path() + u'/');
    kesto::test::TempFolder::setTimes(dir.write(u"b.txt"_s),
                                      QDateTime::currentDateTime().addDays(-1));
    dir.write(u"a.txt"_s, "a");
    dir.write(u"c.txt"_s, "c");
    QList<JournalEntry> cut{{{folder, "a.txt", "b.txt", {}}}};
    ASSERT_TRUE(Journal(journals.path()).begin(cut)); // and the process dies
    QList<JournalEntry> ended{{{folder, "c.txt", "d.txt", {}}}};
    Journal newest(journals.path());
    ASSERT_TRUE(newest.begin(ended));
    newest.end();
    EXPECT_FALSE(session.offerRepair());
    EXPECT_TRUE(questions.asked.isEmpty());

    session.undoCommand(); // the newest, which renamed nothing
    session.undoCommand(); // the cut one, whose file never moved
    EXPECT_EQ(dir.names(), (QStringList{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}));
}

TEST_F(SessionTest, ListCommandsPreviewAtOnceAndMovedRowsWaitForTheTimer)
{
    load({"a.txt", "b.txt", "c.txt"});
    session.refreshTimer().setInterval(10);
    preview(u"[zahl]_[name]"_s);
    session.changeChecks(FileList::CheckChange::UncheckAll);
    EXPECT_EQ(panel1(), u"0 von 3 Dateien markiert"_s);
    session.sortByColumn(ColOldName);
    session.sortByColumn(ColOldName);
    EXPECT_EQ(newNames(), (QStringList{"1_c", "2_b", "3_a"}));

    session.setSelectedRows({1, 2}, false);
    session.moveSelectedRows(FileList::Direction::Up);
    EXPECT_EQ(newNames(), (QStringList{"< Maskenfehler >", "< Maskenfehler >", "1_c"}));
    EXPECT_FALSE(session.renameEnabled() || session.moveUpEnabled());
    QSignalSpy commands(&session, &Session::commandsChanged);
    ASSERT_TRUE(commands.wait(2000));
    QSignalSpy beep(&session, &Session::beepRequested);
    session.moveSelectedRows(FileList::Direction::Up); // past the end: only a beep
    EXPECT_EQ(beep.count(), 1);

    QSignalSpy clip(&session, &Session::clipboardRequested);
    session.copyNamesToClipboard();
    EXPECT_EQ(clip, QList<QVariantList>{{u"Vorher\tNachher\r\nb.txt\t1_b\r\na.txt\t2_a\r\n"
                                         u"c.txt\t3_c\r\n"_s}});
    EXPECT_EQ(panel2(), u"Fertig! Die Liste der alten und neuen Namen wurde in die "
                        u"Zwischenablage kopiert."_s);
}

TEST_F(SessionTest, ALoadIsLoggedBetweenItsEntryAndExitAndServesTheWindow)
{
    SetLogPath(journals.file(u"Kesto.LOG"_s));
    const auto noLog = qScopeGuard([] { SetLogPath(QString()); });
    const QString file = dir.write(u"a.txt"_s);
    int yields = 0;
    session.load(QStringList{file}, [&] { ++yields; });
    EXPECT_GE(yields, 1);
    QStringList lines =
        QString::fromUtf8(journals.read(u"Kesto.LOG"_s)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.section(u' ', 2); // without its date and time
    EXPECT_EQ(lines,
              (QStringList{u"ENTRY LoadListWithFileNames "_s, u"LoadListWithFileNames: "_s + file,
                           u"EXIT LoadListWithFileNames "_s}));
}

TEST_F(SessionTest, SetsMatchCaseWhenToldAndARunawayExpressionBlocksTheBatchUntilMended)
{
    const QString runaway = QString(250, u'a') + u"b.jpg"_s;
    load({u"IMG_1.jpg"_s, u"img_2.jpg"_s, runaway});
    replace(0, u"(?<=IMG_)(\\d)"_s, u"0$1"_s);
    session.setSearchRegex(0, Checked);
    replace(1, u"img"_s, u"Bild"_s);
    for (int set : {0, 1})
        session.setSearchMatchCase(set, Checked);
    replace(2, u"(a+)+$"_s, u"x"_s);
    session.setSearchRegex(2, Checked);
    preview(u"[name].[typ]"_s);
    EXPECT_EQ(newNames(), QStringList(3, messages::searchErrorName()));
    EXPECT_EQ(panel2(), u"Fehler: Satz 3: Die Suche bei „"_s + runaway +
                            u"“ überschreitet die Grenzen von PCRE2."_s);
    EXPECT_EQ(session.renameCommand().verdict, RenameResult::Verdict::Refused);

    session.setSearchActive(2, Unchecked);
    ASSERT_TRUE(fullTest()) << panel2().toStdString();
    session.renameCommand();
    EXPECT_EQ(dir.names(), (QStringList{u"Bild_2.jpg"_s, u"IMG_01.jpg"_s, runaway}));
}

TEST_F(SessionTest, ARunThatOnlyNamesReadsOnlyTheFactsItsMaskAndSortColumnUse)
{
    const QString photo =
        dir.write(u"IMG_1.jpg"_s, kesto::test::cameraPhoto(kesto::test::ByteOrder::Motorola,
                                                           "2005:07:14 13:45:12"));
    // Mask, sort column (-1: as loaded), whether the times and the capture date are read.
    const std::tuple<const char *, int, const char *> cases[] = {
        {"[name].[typ]", -1, "00"},           {"[name] [zahl].[typ]", -1, "00"},
        {"[datum].[typ]", -1, "10"},          {"[erstellzeit].[typ]", -1, "10"},
        {"[aufnahmejahr].[typ]", -1, "01"},   {"[name].[typ]", ColModified, "10"},
        {"[name].[typ]", ColCaptured, "01"},  {"[name].[typ]", ColSize, "00"},
        {"[modell][aufnahmejahr]", -1, "00"}, {"[modell]", ColCaptured, "01"},
    };
    for (const auto &[mask, sortColumn, read] : cases) {
        SCOPED_TRACE(mask + std::to_string(sortColumn));
        Session run(questions, Session::Preview::OnDemand);
        run.setMaskText(QString::fromUtf8(mask));
        if (sortColumn >= 0)
            run.list().sortBy(sortColumn, Qt::AscendingOrder);
        run.load(QStringList{photo});
        ASSERT_EQ(run.list().count(), 1);
        const FileEntry &e = run.list().at(0);
        EXPECT_EQ(e.newName, QString()); // named by refresh() only
        const auto readFact = [](const QString &fact) { return fact.isEmpty() ? '0' : '1'; };
        EXPECT_EQ((std::string{readFact(e.text(ColModified)), readFact(e.captured())}), read);
        EXPECT_FALSE(e.sizeShown);
        EXPECT_EQ(e.size, QFileInfo(photo).size());
    }
}

// A mask with photo facts reads them with the capture date, in one opening of
// each file, for many rows of two folders side by side (a name that is no
// UTF-8 among them): each row gets its own file's facts, and the log its
// lines in the rows' order.
TEST_F(SessionTest, PhotoFactsOfManyRowsComeWithTheirCaptureDatesAndLogInRowOrder)
{
    SetLogPath(journals.file(u"Kesto.LOG"_s));
    const auto noLog = qScopeGuard([] { SetLogPath(QString()); });
    QList<QByteArray> paths;
    QStringList wanted;
    dir.mkdir(u"b"_s);
    for (int i = 0; i < 70; ++i) {
        const QByteArray date = "2005:07:14 13:" + QByteArray::number(10 + i % 50) + ":00";
        const QByteArray name = "IMG_" + QByteArray::number(100 + i) + (i == 69 ? "\xff" : "");
        paths << dir.writeBytes((i % 2 ? "b/" : "") + name + ".jpg",
                                kesto::test::cameraPhoto(kesto::test::ByteOrder::Intel, date));
        wanted << u"KestoCam %1 %2.jpg"_s.arg(10 + i % 50).arg(QString::fromLatin1(name));
    }
    Session run(questions, Session::Preview::OnDemand);
    run.setMaskText(u"[hersteller] [aufnahmeminute] [name].[typ]"_s);
    run.load(paths);
    QFile::resize(journals.file(u"Kesto.LOG"_s), 0);
    run.refresh();
    QStringList names, oldNames, logged;
    for (const FileEntry &e : run.list().rows()) {
        names << e.newName;
        oldNames << e.oldName;
    }
    static const QRegularExpression loaded(u"Exif Load: .*/(IMG_\\d+\\S*\\.jpg)  True"_s);
    const QString log = QString::fromUtf8(journals.read(u"Kesto.LOG"_s));
    for (auto match = loaded.globalMatch(log); match.hasNext();)
        logged << match.next().captured(1);
    EXPECT_EQ(names, wanted);
    EXPECT_EQ(logged, oldNames);
}

TEST_F(SessionTest, FilePlaceholdersReadTheFileOnlyWhenUsedAndTheHintNamesThoseWithoutValue)
{
    const QString tags = u"title=Titel|artist=Wer|album=Album|track=4|date=1999|genre=Jazz"_s;
    session.load(QStringList{dir.writeAudio(u"song.m4a"_s, tags, {u"-t"_s, u"65"_s})});
    load({u"a.txt"_s, u"b.txt"_s});
    preview(u"[name].[typ]"_s);
    EXPECT_EQ(session.list().at(0).checksum() + session.list().at(2).duration(), QString())
        << "a mask without them reads nothing";

    const QString mask =
        u"[titelnr]-[interpret]-[erscheinungsjahr]-[genre]-[titel][album] [dauer].[typ]"_s;
    EXPECT_EQ(fullTestOf(mask), messages::notUnique());
    const QString hint = messages::reasonDuplicate() +
                         u"; kein Wert für [TITEL], [INTERPRET], "
                         u"[ALBUM], [TITELNR], [ERSCHEINUNGSJAHR], [GENRE], [DAUER]"_s;
    EXPECT_EQ(newNames() + column(&FileEntry::hint),
              (QStringList{u"---- .txt"_s, u"---- .txt"_s,
                           u"04-Wer-1999-Jazz-TitelAlbum 1-05.m4a"_s, hint, hint, QString()}));

    EXPECT_EQ(fullTestOf(u"[name][genre][prüfsumme 3].[typ]"_s), ready());
    const FileEntry &a = session.list().at(0);
    EXPECT_EQ(std::pair(a.newName, a.hint),
              std::pair(u"a"_s + FileChecksum(dir.file(u"a.txt"_s)).left(3) + u".txt"_s,
                        u"kein Wert für [GENRE]"_s));

    session.load(QStringList{
        dir.write(u"foto.jpg"_s, kesto::test::cameraPhoto(kesto::test::ByteOrder::Intel, "x"))});
    preview(u"[name].[typ]"_s);
    EXPECT_EQ(session.list().at(2).photoFacts(), PhotoFacts()) << "nor photo facts";
    EXPECT_EQ(fullTestOf(u"[name] [ausrichtung][modell].[typ]"_s), ready());
    const QString neither = u"kein Wert für [MODELL], [AUSRICHTUNG]"_s;
    EXPECT_EQ(newNames() + column(&FileEntry::hint),
              (QStringList{u"a .txt"_s, u"b .txt"_s, u"foto 1.jpg"_s, u"song .m4a"_s, neither,
                           neither, u"kein Wert für [MODELL]"_s, neither}));
}

// Each case: the files loaded ("-": unchecked) and those only in the folder
// ("!"), the mask and the name list; the names after numbering, which pass
// the full test.
TEST_F(SessionTest, ClashesAreNumberedInListOrderWithNamesComparedAndFreedAsTheFullTestDoes)
{
    const std::tuple<QString, QString, QStringList, QString> cases[] = {
        {"a.jpg|b.jpg|!Foto.jpg", "foto.[typ]", {}, "foto (2).jpg|foto (3).jpg"},
        {"a.txt|x.txt", "x.[typ]", {}, "x (2).txt|x.txt"},
        {"a.txt|b.txt|-x.txt", "x.[typ]", {}, "x (2).txt|x (3).txt|x.txt"},
        {"x (2).txt|x.txt|!X (2).txt", "x.[typ]", {}, "x (2).txt|x.txt"},
        {"a.txt|b.txt|c.txt", "[liste].[typ]", {"c", "a", "b"}, "c.txt|a.txt|b.txt"},
        {"a|b|c|d|e",
         "[liste]",
         {"R", "R", "R (2)", "a.tar.gz", "a.tar.gz"},
         "R|R (3)|R (2)|a.tar.gz|a.tar (2).gz"},
        {".a|.b", "[liste]", {".x", ".x"}, ".x|.x (2)"},
    };
    session.setNumberClashes(Checked);
    for (const auto &[files, mask, names, expected] : cases) {
        test::TempFolder folder;
        session.clearList();
        QStringList paths;
        for (const QString &f : files.split('|')) {
            const QString path = folder.write(f.mid(f.startsWith('!') || f.startsWith('-')));
            if (!f.startsWith('!'))
                paths << path;
        }
        session.load(paths);
        for (int row = 0; row < session.list().count(); ++row)
            session.setChecked(row, !files.contains('-' + session.list().at(row).oldName));
        session.suppliedNames().setList(names);
        preview(mask);
        EXPECT_EQ(newNames().join('|'), expected) << mask.toStdString();
        EXPECT_TRUE(session.testNames()) << panel2().toStdString();
    }
    // A companion takes no list name and follows its main row's number.
    session.clearList();
    session.setCompanions(Checked);
    load({u"a.cr2"_s, u"a.jpg"_s, u"b.cr2"_s, u"b.jpg"_s});
    session.suppliedNames().setList({u"x"_s, u"x"_s});
    preview(u"[liste].[typ]"_s);
    EXPECT_EQ(newNames().join('|'), u"x.cr2|x.jpg|x (2).cr2|x (2).jpg"_s);
    EXPECT_TRUE(session.testNames()) << panel2().toStdString();
    // Blank names stay blank, for the full test to refuse.
    session.setCompanions(Unchecked);
    session.suppliedNames().setList({u" "_s, u" "_s, u" "_s, u" "_s});
    preview(u"[liste]"_s);
    EXPECT_EQ(newNames().join('|'), u" | | | "_s);
    // A folder has no type: its number goes at the end.
    session.clearList();
    session.load(QList<QByteArray>{QFile::encodeName(dir.mkdir(u"f1"_s)),
                                   QFile::encodeName(dir.mkdir(u"f2"_s))},
                 FolderFilter{0, {}, {}, false, true, false});
    session.suppliedNames().setList({u"x.y"_s, u"x.y"_s});
    preview(u"[liste]"_s);
    EXPECT_EQ(newNames().join('|'), u"x.y|x.y (2)"_s);
}

// A table names a file by its absolute path before its bare name; the list
// gives its names to the checked rows only; the status counts both.
TEST_F(SessionTest, ListNamesGoToCheckedRowsAndATableLineByPathComesBeforeOneByName)
{
    load({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    session.setChecked(1, false);
    EXPECT_EQ(fullTestOf(u"[liste].[typ]"_s), namingmessages::noNameList());
    session.suppliedNames().setList({u"x"_s, u"y"_s});
    session.suppliedNames().setTable({{1, {u"a.txt"_s, u"von Name"_s}},
                                      {2, {u"c.txt"_s, u"C"_s}},
                                      {3, {dir.file(u"a.txt"_s), u"von Pfad"_s}}});
    session.suppliedNamesChanged();
    EXPECT_EQ(fullTestOf(u"[liste] [spalte 2] [spalte 3].[typ]"_s), ready());
    EXPECT_EQ(newNames(), (QStringList{u"x von Pfad .txt"_s, u"  .txt"_s, u"y C .txt"_s}));
    EXPECT_EQ(panel1(), u"2 von 3 Dateien markiert, 2 Namen in der Liste, 3 Zeilen in der "
                        u"Tabelle"_s);
    EXPECT_EQ(session.suppliedNames().unusedLines(session.list()).first().number, 1);
    session.setChecked(2, false);
    EXPECT_EQ(fullTestOf(u"[liste] [spalte 2].[typ]"_s), namingmessages::listCountDiffers(2, 1));
    EXPECT_EQ(column(&FileEntry::hint), QStringList(3, QString())) << "b is unchecked";
}

// Companions stand beneath their main row, marked with its name, and take
// its new name before the type; they count for no counter and keep their
// names while their main row is unchecked.
TEST_F(SessionTest, CompanionsFollowTheirMainRowBeneathItAndStayWithAnUncheckedOne)
{
    load({"IMG_1.CR2", "IMG_1.JPG", "img_1.JPG.xmp", "IMG_10.JPG"});
    RenameOptions o = session.options();
    o.companions = Checked;
    o.companionsMain = "jpg";
    session.applyOptions(o);
    preview("[zahl]_x.[typ]");
    const auto rows = [this] {
        QStringList out;
        for (int row = 0; row < session.list().count(); ++row)
            out << session.list().at(row).newName + '|' + CompanionNote(session.list(), row);
        return out;
    };
    EXPECT_EQ(oldNames(), (QStringList{"IMG_1.JPG", "IMG_1.CR2", "img_1.JPG.xmp", "IMG_10.JPG"}));
    EXPECT_EQ(rows(), (QStringList{"1_x.JPG|", "1_x.CR2|Begleitdatei von IMG_1.JPG",
                                   "1_x.JPG.xmp|Begleitdatei von IMG_1.JPG", "2_x.JPG|"}));
    session.setChecked(0, false);
    session.refresh();
    EXPECT_EQ(newNames(), (QStringList{"1_x.JPG", "IMG_1.CR2", "img_1.JPG.xmp", "2_x.JPG"}));
    session.setCompanions(Unchecked);
    session.refresh();
    EXPECT_EQ(rows(), (QStringList{"1_x.JPG|", "2_x.CR2|", "3_x.xmp|", "4_x.JPG|"}));
}

} // namespace
