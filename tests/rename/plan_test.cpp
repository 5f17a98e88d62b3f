#include "rename/messages.h"
#include "rename/pipeline.h"
#include "support/drives.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QScopeGuard>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

namespace {

PlannedRename planned(const QString &folder, const QString &oldName, const QString &newName)
{
    return {QFile::encodeName(folder), QFile::encodeName(oldName), newName.toUtf8()};
}

QStringList reasonsOf(const RenamePlan &plan)
{
    QStringList reasons;
    for (const PlannedRename &p : plan.pairs)
        reasons << p.reason();
    return reasons;
}

TEST(Plan, EveryRowGetsItsReason)
{
    TempFolder dir;
    const QString folder = dir.path() + u'/';
    // Old name, new name, reason; "da.txt" exists, and so does every old name.
    const std::tuple<QString, QString, QString> rows[] = {
        {"1.txt", "zwei.txt", "Name doppelt vergeben"},
        {"2.txt", "ZWEI.txt", "Name doppelt vergeben"},
        // "Da.txt" leaves, but "da.txt" stays in the way.
        {"3.txt", "DA.txt", "Datei existiert bereits"},
        {"Da.txt", "nicht-da.txt", ""},
        {"4.txt", "   ", "Name ist leer"},
        {"5.txt", ".txt", "Name ist leer"},
        {".6.txt", ".sechs", ""}, // hidden before, hidden after: its choice
        {"7.txt", QString(300, u'l') + u"äöü.txt"_s, "Name zu lang (310 Bytes, erlaubt 255)"},
        {"8.txt", QString(255, u'l'), ""},
        {"9.txt", "..", u"kein gültiger Dateiname"_s},
        {"9a.txt", "a/../b", u"kein gültiger Dateiname"_s},
        {"9b.txt", u"a\0b"_s, u"kein gültiger Dateiname"_s},
        {"10.txt", "weg.txt", "wird in der Reihe umbenannt"}, // freed by the next row
        {"weg.txt", "neu.txt", ""},
        {"12.txt", "A\u0308.txt", "Datei existiert bereits"}, // "Ä.txt" exists composed
        {"11.txt", "11.txt", ""},
    };
    QList<PlannedRename> pairs;
    QStringList reasons;
    dir.write(u"da.txt"_s);
    dir.write(u"Ä.txt"_s);
    for (const auto &[oldName, newName, reason] : rows) {
        dir.write(oldName);
        pairs << planned(folder, oldName, newName);
        reasons << reason;
    }
    const RenamePlan plan = CheckPlan(pairs);
    EXPECT_EQ(reasonsOf(plan), reasons);
    EXPECT_FALSE(plan.namesUnique || plan.noCollision || plan.noEmptyName || plan.namesFit ||
                 plan.namesAllowed);
    EXPECT_EQ(plan.pairs.last().status, PairStatus::Unchanged);

    // A folder that cannot be listed frees nothing and blocks its rows; so
    // does one nothing may be written to.
    const RenamePlan blind = CheckPlan({planned(folder + u"fehlt/"_s, u"x"_s, u"y"_s)});
    EXPECT_FALSE(blind.foldersReadable);
    EXPECT_EQ(blind.pairs.first().reason(), u"Ordner nicht lesbar"_s);
    const kesto::test::ReadOnly fixed{dir.path()};
    const RenamePlan stuck = CheckPlan({planned(folder, u"1.txt"_s, u"eins.txt"_s)});
    EXPECT_EQ(stuck.pairs.first().reason() + Refusal(stuck),
              fixed.made ? u"Ordner nicht beschreibbar"_s + messages::folderUnwritable() : u""_s);
}

// A new name that leads into folders below its file's folder meets the
// names there and those of the folders on the way; the folders that do not
// exist yet are listed to be made, each once, after the one it is made in.
TEST(Plan, NamesThatLeadIntoFoldersMeetTheEntriesThereAndOnTheWay)
{
    TempFolder dir, other;
    const QString folder = dir.path() + u'/';
    dir.write(u"da/alt.txt"_s);
    dir.write(u"da/bleibt.txt"_s);
    dir.write(u"datei"_s);
    dir.mkdir(u"mnt"_s);
    dir.mkdir(u"eigen"_s);
    ASSERT_TRUE(QFile::link(u"nirgends"_s, dir.file(u"kaputt"_s)));
    const bool mounted = kesto::test::RunIn(other, u"mount --bind . "_s + dir.file(u"mnt"_s));
    const auto unmount =
        qScopeGuard([&] { kesto::test::RunIn(other, u"umount "_s + dir.file(u"mnt"_s)); });
    // Old name, new name, reason; "da/alt.txt" is renamed away by the last row.
    const std::tuple<QString, QString, QString> rows[] = {
        {"1.txt", "neu/x.txt", "Name doppelt vergeben"},
        {"2.txt", "neu/X.txt", "Name doppelt vergeben"},
        {"3.txt", "da/BLEIBT.txt", "Datei existiert bereits"},
        {"4.txt", "da/alt.txt", "wird in der Reihe umbenannt"},
        {"5.txt", "datei/5.txt", "Datei und neuer Ordner gleichen Namens"},
        {"6.txt", "ordner", "Datei und neuer Ordner gleichen Namens"},
        {"7.txt", "Ordner/neu/7.txt", "Datei und neuer Ordner gleichen Namens"},
        {"8.txt", "a//8.txt", "Name ist leer"},
        {"9.txt", "da/.txt", "Name ist leer"},
        {"10.txt", QString(256, u'l') + u"/10.txt"_s, "Name zu lang (256 Bytes, erlaubt 255)"},
        {"11.txt", "kaputt/11.txt", "Datei und neuer Ordner gleichen Namens"},
        {"eigen", "eigen/neu/eigen", "Datei und neuer Ordner gleichen Namens"},
        {"12.txt", "mnt/neu/12.txt", mounted ? "anderes Laufwerk" : ""},
    };
    QList<PlannedRename> pairs;
    QStringList reasons;
    for (const auto &[oldName, newName, reason] : rows) {
        pairs << planned(folder, oldName, newName);
        reasons << reason;
    }
    pairs << planned(folder + u"da/"_s, u"alt.txt"_s, u"weg.txt"_s);
    const RenamePlan plan = CheckPlan(pairs);
    EXPECT_EQ(reasonsOf(plan), reasons << u""_s);
    EXPECT_FALSE(plan.foldersFree || plan.oneDrive != !mounted);

    const RenamePlan passed =
        CheckPlan({planned(folder, u"1"_s, u"neu/a/1"_s), planned(folder, u"2"_s, u"da/2"_s),
                   planned(folder, u"3"_s, u"neu/b/3"_s)});
    EXPECT_EQ(passed.newFolders, (QList<QByteArray>{QFile::encodeName(folder + u"neu/"_s),
                                                    QFile::encodeName(folder + u"neu/a/"_s),
                                                    QFile::encodeName(folder + u"neu/b/"_s)}));
}

TEST(Plan, WindowsDrivesRefuseTheirCharacters)
{
    const std::pair<const char *, char32_t> names[] = {
        {"a:b", ':'},   {"a<b", '<'},  {"a\"b", '"'}, {"a\\b", '\\'}, {"a|b", '|'},
        {"a?b", '?'},   {"a*b", '*'},  {"a>b", '>'},  {"a\tb", 9},    {"ende.", '.'},
        {"ende ", ' '}, {"ok.txt", 0}, {"ä€.txt", 0}};
    for (const auto &[name, refused] : names) {
        EXPECT_EQ(RefusedCharacter(NameRules::Windows, name), refused) << name;
        EXPECT_EQ(RefusedCharacter(NameRules::Posix, name), 0u) << name;
    }
    for (const char *type : {"vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "cifs", "smb3",
                             "fuse.fusefat", "fuse.exfat", "fuse.ntfs-3g", "fuse.ntfs"})
        EXPECT_EQ(NameRulesOfType(type), NameRules::Windows) << type;
    for (const char *type : {"ext4", "tmpfs", "btrfs", "fuse.sshfs"})
        EXPECT_EQ(NameRulesOfType(type), NameRules::Posix) << type;
    const kesto::test::FatDrive fat; // a real one: "fuse.fusefat" in the mount table
    EXPECT_EQ(fat.mounted ? NameRulesOf(QFile::encodeName(fat.drive.path())) : NameRules::Windows,
              NameRules::Windows);
    PlannedRename p;
    p.status = PairStatus::NotAllowed;
    p.refused = ':';
    EXPECT_EQ(p.reason(), u"Zeichen ':' ist auf diesem Laufwerk nicht erlaubt"_s);
    p.refused = 9;
    EXPECT_EQ(p.reason(), u"Zeichen U+0009 ist auf diesem Laufwerk nicht erlaubt"_s);
}

} // namespace
