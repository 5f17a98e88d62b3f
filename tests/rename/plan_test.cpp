#include "rename/plan.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

namespace {

PlannedRename planned(const QString &folder, const QString &oldName, const QString &newName)
{
    PlannedRename p;
    p.folder = QFile::encodeName(folder);
    p.oldName = QFile::encodeName(oldName);
    p.newName = newName.toUtf8();
    p.shownOld = oldName;
    p.shownNew = newName;
    return p;
}

TEST(Plan, EveryRowGetsItsReason)
{
    TempFolder dir;
    const QString folder = dir.path() + u'/';
    // Old name, new name, reason; "da.txt" and "weg.txt" exist.
    const std::tuple<QString, QString, QString> rows[] = {
        {"1.txt", "doppelt.txt", "Name doppelt vergeben"},
        {"2.txt", "DOPPELT.txt", "Name doppelt vergeben"},
        {"3.txt", "DA.txt", "Datei existiert bereits"},
        {"4.txt", "   ", "Name ist leer"},
        {"5.txt", ".txt", "Name ist leer"},
        {".6.txt", ".sechs", ""}, // hidden before, hidden after: its choice
        {"7.txt", QString(300, u'l') + u"äöü.txt"_s, "Name zu lang (310 Bytes, erlaubt 255)"},
        {"8.txt", "..", u"kein gültiger Dateiname"_s},
        {"9.txt", "weg.txt", "wird in der Reihe umbenannt"}, // freed by the next row
        {"weg.txt", "neu.txt", ""},
        {"10.txt", "10.txt", ""},
    };
    QList<PlannedRename> pairs;
    QStringList reasons;
    dir.write(u"da.txt"_s);
    for (const auto &[oldName, newName, reason] : rows) {
        dir.write(oldName);
        pairs << planned(folder, oldName, newName);
        reasons << reason;
    }
    const RenamePlan plan = CheckPlan(pairs);
    QStringList given;
    for (const PlannedRename &p : plan.pairs)
        given << p.reason();
    EXPECT_EQ(given, reasons);
    EXPECT_FALSE(plan.namesUnique || plan.noCollision || plan.noEmptyName || plan.namesFit ||
                 plan.namesAllowed);
    EXPECT_TRUE(plan.foldersReadable);
    EXPECT_EQ(plan.pairs.last().status, PairStatus::Unchanged);

    // A folder that cannot be listed frees nothing and blocks its rows.
    const RenamePlan blind = CheckPlan({planned(folder + u"fehlt/"_s, u"x"_s, u"y"_s)});
    EXPECT_FALSE(blind.foldersReadable);
    EXPECT_EQ(blind.pairs.first().reason(), u"Ordner nicht lesbar"_s);
}

TEST(Plan, PairsInManyFoldersMeetOnlyTheNamesOfTheirOwnFolder)
{
    // More folders than a small hash holds, visited out of order, all with
    // the same names: an even folder holds "da.txt", which its pair wants;
    // in an odd one "b.txt" is taken by the first pair and freed by the second.
    TempFolder dir;
    constexpr int folders = 150;
    QList<PlannedRename> pairs;
    QList<std::pair<PairStatus, bool>> expected; // status, in chain
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < folders; ++i) {
            const int n = (i * 37) % folders;
            const QString sub = dir.path() + u"/o%1/"_s.arg(n);
            if (n % 2 == 0 && round == 0) {
                dir.write(u"o%1/da.txt"_s.arg(n));
                pairs << planned(sub, u"a.txt"_s, u"da.txt"_s);
                expected.append({PairStatus::Exists, false});
            } else if (n % 2 == 1) {
                const QString from = round == 0 ? u"a.txt"_s : u"b.txt"_s;
                dir.write(u"o%1/"_s.arg(n) + from);
                pairs << planned(sub, from, round == 0 ? u"b.txt"_s : u"c.txt"_s);
                expected.append({PairStatus::Ok, round == 0});
            }
        }
    }
    const RenamePlan plan = CheckPlan(pairs);
    ASSERT_EQ(plan.pairs.size(), expected.size());
    for (qsizetype k = 0; k < plan.pairs.size(); ++k) {
        const PlannedRename &p = plan.pairs.at(k);
        EXPECT_EQ(std::pair(p.status, p.inChain), expected.at(k)) << p.folder.constData();
    }
    EXPECT_TRUE(plan.namesUnique);
    EXPECT_FALSE(plan.noCollision);
}

TEST(Plan, WindowsDrivesRefuseTheirCharacters)
{
    const std::pair<const char *, char32_t> names[] = {
        {"a:b", ':'},   {"a<b", '<'},  {"a\"b", '"'}, {"a\\b", '\\'}, {"a|b", '|'},
        {"a?b", '?'},   {"a*b", '*'},  {"a>b", '>'},  {"a\tb", 9},    {"ende.", '.'},
        {"ende ", ' '}, {"ok.txt", 0}, {"ä€.txt", 0}};
    for (const auto &[name, refused] : names) {
        EXPECT_EQ(RefusedCharacter(NameRules::Windows, QString::fromUtf8(name)), refused) << name;
        EXPECT_EQ(RefusedCharacter(NameRules::Posix, QString::fromUtf8(name)), 0u) << name;
    }
    for (const char *type : {"vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "cifs", "smb3"})
        EXPECT_EQ(NameRulesOfType(type), NameRules::Windows) << type;
    for (const char *type : {"ext4", "tmpfs", "btrfs", "fuse.sshfs"})
        EXPECT_EQ(NameRulesOfType(type), NameRules::Posix) << type;
    PlannedRename p;
    p.status = PairStatus::NotAllowed;
    p.refused = ':';
    EXPECT_EQ(p.reason(), u"Zeichen ':' ist auf diesem Laufwerk nicht erlaubt"_s);
    p.refused = 9;
    EXPECT_EQ(p.reason(), u"Zeichen U+0009 ist auf diesem Laufwerk nicht erlaubt"_s);
}

} // namespace
