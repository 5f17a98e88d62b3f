#include "moves.h"
#include "rename/journalreader.h"

#include <gtest/gtest.h>

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

namespace {

const QByteArray Head = "Kesto-Journal 1\nbegun 2026-01-02T03:04:05.000\n";
const QByteArray Good = Head + "move 1 2 3 4 5 /o/ a b %\nplanned 1\n";

const char *stateName(BatchState state)
{
    constexpr const char *names[] = {"cut", "ended", "undone", "running", "damaged", "unrecorded"};
    return names[int(state)];
}

// State, planned files, files read, and the names of the first file.
QString told(const BatchRecord &r)
{
    QString text = u"%1 %2 %3"_s.arg(QString::fromLatin1(stateName(r.state)))
                       .arg(r.files)
                       .arg(r.entries.size());
    for (const JournalEntry &e : r.entries.mid(0, 1))
        text += u" [%1][%2][%3]"_s.arg(QString::fromUtf8(e.move.from), QString::fromUtf8(e.move.to),
                                       QString::fromUtf8(e.move.temp));
    return text;
}

// A journal is anyone's file, and an undo renames what it says: one line
// Kesto does not write makes the whole journal damaged, never obeyed in part.
TEST(JournalParser, AnyLineKestoDoesNotWriteMakesTheWholeJournalDamaged)
{
    const QByteArray head2 = "Kesto-Journal 2\nbegun 2026-01-02T03:04:05.000\n";
    const auto one = [](const QByteArray &move) { return Head + "move " + move + "\nplanned 1\n"; };
    const std::pair<QByteArray, const char *> cases[] = {
        {Good, "cut 1 1 [a][b][]"},
        {Good + "ended\n", "ended 1 1 [a][b][]"},
        {Good + "ended\nundone\n", "undone 1 1 [a][b][]"},
        {one("1 2 3 4 5 /o/ x%20y Rabatt%2541.txt .kesto-1"),
         "cut 1 1 [x y][Rabatt%41.txt][.kesto-1]"},
        {one("18446744073709551615 18446744073709551615 -1 0 -5 /o/ a b %"), "cut 1 1 [a][b][]"},
        // cut off before its plan was complete, or while a line was written
        {Head + "move 1 2 3 4 5 /o/ a b %\n", "cut 0 0"},
        {Good + "end", "cut 1 1 [a][b][]"},
        {"Kesto-Journal 3\nmove 1 2 3 4 5 /o/ a b %\nplanned 1\n", "cut 0 0"},
        // the journals Kesto writes now, with each file's fingerprint
        {head2 + "move 1 2 3 4 5 77 /o/ a b %\nplanned 1\n", "cut 1 1 [a][b][]"},
        {head2 + "move 1 2 3 4 5 /o/ a b %\nplanned 1\n", "damaged 1 0"},
        // a batch that ran without its moves recorded, passed over by an undo
        {head2 + "unrecorded 3\n", "unrecorded 3 0"},
        {head2 + "unrecorded 3\nundone\n", "undone 3 0"},
        {Head + "unrecorded 3\nmove 1 2 3 4 5 /o/ a b %\n", "damaged 3 0"},
        // a plan that does not add up, and a time that is none
        {Head + "move 1 2 3 4 5 /o/ a b %\nplanned 2\n", "damaged 2 0"},
        {Head + "planned 0\n", "damaged 0 0"},
        {"Kesto-Journal 1\nbegun gestern\nmove 1 2 3 4 5 /o/ a b %\nplanned 1\n", "damaged 1 0"},
        // a new name that leads into folders made for it, each on its way
        {Head + "move 1 2 3 4 5 /o/ a x/y/b %\nfolder /o/x/\nfolder /o/x/y/\nplanned 1 2\n",
         "cut 1 1 [a][x/y/b][]"},
        {Head + "move 1 2 3 4 5 /o/ a x/b %\nfolder /o/y/\nplanned 1 1\n", "damaged 1 0"},
        {Head + "move 1 2 3 4 5 /o/ a x/b %\nfolder /o/x/\nplanned 1\n", "damaged 1 0"},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(told(ParseJournal(text)), QString::fromLatin1(expected)) << text.constData();
    // Lines out of place after a whole plan.
    for (const char *line :
         {"planned 1\n", "move 1 2 3 4 5 /o/ c d %\n", "folder /o/\n", "mv a b\n", "\n"})
        EXPECT_EQ(told(ParseJournal(Good + line)), u"damaged 1 0"_s) << line;
    // Move lines with names that leave their folder, folders that are no
    // place, and fields that are not what Kesto writes.
    for (const char *move : {"1 2 3 4 5 /o/ ../a b %",      "1 2 3 4 5 /o/ a .. %",
                             "1 2 3 4 5 /o/ . b %",         "1 2 3 4 5 /o/ a %2Fetc%2Fb %",
                             "1 2 3 4 5 /o/ a b%00c %",     "1 2 3 4 5 /o/ a b ../.kesto-1",
                             "1 2 3 4 5 /o/ a b notes.txt", "1 2 3 4 5 o/ a b %",
                             "1 2 3 4 5 /o a b %",          "1 2 3 4 5 % a b %",
                             "1 2 3 4 5 /o/ a b c %",       "1 2 3 4 /o/ a b %",
                             "1 x 3 4 5 /o/ a b %",         "1 2 3 -4 5 /o/ a b %",
                             "1 2 3 4 5 /o/ a b%4 %",       "1 2 3 4 5 /o/ a b%zz %",
                             "1 2 3 4 5 /o/ a b\x7f %",     "1 2 3 4 5 /o/ a b  %",
                             "1 2 3 4 5 /o/ a x/../b %",    "1 2 3 4 5 /o/ a x//b %",
                             "1 2 3 4 5 /o/ x/a b %"})
        EXPECT_EQ(told(ParseJournal(one(move))), u"damaged 1 0"_s) << move;
    EXPECT_EQ(ParseJournal(one("1 18446744073709551615 3 4 5 /o/ a b %")).entries[0].identity.inode,
              18446744073709551615u);
}

// What stands under a journal's name but is no regular file of the user's,
// or is larger than any batch writes, is shown as damaged and never read:
// not a link (to /dev/zero, which never ends), not a pipe (which blocks).
TEST(JournalFile, OnlyARegularFileOfTheUserUpToTheLimitIsRead)
{
    TempFolder dir;
    const QString journal = dir.write(u"batch-0000000001-a.journal"_s, Good);
    ASSERT_TRUE(QFile::link(journal, dir.file(u"link"_s)));
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, dir.file(u"zero"_s)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file(u"fifo"_s)).constData(), 0600), 0);
    const QString large = dir.write(u"large"_s, Good);
    ASSERT_TRUE(QFile::resize(large, MaxJournalBytes + 1));
    const QString foreign = dir.write(u"foreign"_s, Good);
    // Only root can give a file away.
    const bool root =
        ::geteuid() == 0 && ::chown(QFile::encodeName(foreign).constData(), 65534, 65534) == 0;
    QStringList states;
    for (const char *name :
         {"batch-0000000001-a.journal", "link", "zero", "fifo", "large", "foreign", "missing"}) {
        for (bool withEntries : {false, true})
            states << QString::fromLatin1(
                stateName(ReadJournalFile(dir.file(QString::fromLatin1(name)), withEntries).state));
    }
    EXPECT_EQ(
        states.join(u' '),
        u"cut cut damaged damaged damaged damaged damaged damaged damaged damaged %1 cut cut"_s.arg(
            root ? u"damaged damaged"_s : u"cut cut"_s));
}

// Only journals count and are trimmed, the oldest first, and only those Kesto
// wrote: other files in the folder stay; and a journal folder that is a link
// to another folder is no place for journals.
TEST(JournalFolder, TheLastTwentyOfKestosOwnJournalsAreKeptAndALinkedFolderIsNotUsed)
{
    TempFolder dir, journals, elsewhere;
    const QString folder = journals.mkdir(u"Kesto-Journal"_s) + u'/';
    const QByteArray foreign = "Kesto-Journal 3\n";
    QFile::copy(journals.write(u"Kesto-Journal/batch-0000000000-fremd.journal"_s, foreign),
                folder + u"notes.journal"_s);
    Journal journal(journals.path());
    const QByteArray at = QFile::encodeName(dir.path() + u'/');
    for (int i = 0; i <= Journal::Kept; ++i) {
        QList<JournalEntry> entries{{{at, "a", QByteArray::number(i), {}}}};
        ASSERT_TRUE(journal.begin(entries));
        journal.end();
    }
    const QList<BatchRecord> kept = journal.batches();
    ASSERT_EQ(kept.size(), Journal::Kept);
    EXPECT_EQ(Journal::read(kept.last().path).entries.first().move.to, "1");
    EXPECT_EQ(journals.read(u"Kesto-Journal/batch-0000000000-fremd.journal"_s), foreign);
    EXPECT_EQ(journals.read(u"Kesto-Journal/notes.journal"_s), foreign);

    QFile::copy(kept.first().path, elsewhere.file(u"batch-0000000001-x.journal"_s));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder.chopped(1)));
    QList<JournalEntry> entries{{{at, "a", "b", {}}}};
    EXPECT_FALSE(journal.begin(entries));
    EXPECT_TRUE(journal.batches().isEmpty());
    EXPECT_EQ(elsewhere.names(), QStringList{u"batch-0000000001-x.journal"_s});
}

// A journal forged to take a file from another folder: its undo moves
// nothing, says it is not complete, and leaves the journal as it was.
TEST(JournalFile, AForgedJournalIsNeverObeyed)
{
    TempFolder dir, journals;
    dir.write(u"victim"_s, "mine");
    dir.mkdir(u"sub"_s);
    const QByteArray folder = QFile::encodeName(dir.path() + u'/');
    QList<JournalEntry> entries{{{folder, "victim", "renamed", {}}}};
    Journal(journals.path()).begin(entries); // the victim's identity
    const QString path = Journal(journals.path()).batches().value(0).path;
    QByteArray text = journals.read(QDir(journals.path()).relativeFilePath(path));
    text.replace(folder + " victim renamed", folder + "sub/ x ../victim");
    journals.write(QDir(journals.path()).relativeFilePath(path), text);

    const BatchRecord forged = Journal::read(path);
    EXPECT_EQ(forged.state, BatchState::Damaged);
    EXPECT_FALSE(UndoBatch(forged, [](const JournalEntry &, int) {}).complete);
    EXPECT_EQ(dir.contents(), (QMap<QString, QByteArray>{{u"sub"_s, {}}, {u"victim"_s, "mine"}}));
    EXPECT_EQ(journals.read(QDir(journals.path()).relativeFilePath(path)), text);
}

} // namespace
