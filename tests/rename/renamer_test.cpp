#include "naming/textcase.h"
#include "rename/renamer.h"
#include "rename/renamer_p.h"
#include "rename/sessionfixture.h"
#include "support/drives.h"

#include <sys/wait.h>
#include <thread>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;
using Files = QMap<QString, QByteArray>;

namespace {

TEST(Renamer, EveryMethodRenamesButNeverReplacesAndLeavesNothingBehind)
{
    using enum NoReplaceMethod;
    for (NoReplaceMethod method : {Best, KernelFlag, Link, Claim}) {
        SCOPED_TRACE(int(method));
        TempFolder dir;
        dir.write("a", "A");
        dir.write("b", "B");
        dir.write("leer"); // looks like a placeholder, but it is somebody's
        dir.write("d/in", "D");
        dir.mkdir("e"); // an empty folder, which a plain rename would replace
        auto rename = [&](const char *from, const char *to) {
            return RenameNoReplace(dir.file(from), dir.file(to), method);
        };
        EXPECT_EQ(
            QList({rename("a", "b"), rename("a", "leer"), rename("weg", "c"), rename("a", "c"),
                   rename("c", "C"), rename("d", "b"), rename("d", "e"), rename("d", "f")}),
            QList({EEXIST, EEXIST, ENOENT, 0, 0, EEXIST, EEXIST, 0}));
        EXPECT_EQ(dir.tree(), "C=A b=B e/ f/ f/in=D leer=");
    }
}

// Another program that opens the new name without care (as most do) between
// the claim and the rename must keep what it wrote; a placeholder that it
// replaced by another file is not ours to remove.
TEST(Renamer, AClaimedNameThatAnotherProgramTakesOverIsNeverReplaced)
{
    // When the other program comes, whether it puts a file of its own over
    // the placeholder, whether it takes our file away, the result, the files after.
    const std::tuple<ClaimStage, bool, bool, int, Files> cases[] = {
        {ClaimStage::Claimed, false, false, EEXIST, {{"a", "A"}, {"z", "fremd"}}},
        {ClaimStage::BeforeRename, false, false, 0, {{"z", "A"}, {"z.gerettet", "fremd"}}},
        {ClaimStage::Claimed, true, false, EEXIST, {{"a", "A"}, {"z", "O"}}},
        // The rename fails: what is at the name now is not ours to remove.
        {ClaimStage::BeforeRename, true, true, ENOENT, {{"z", "O"}}},
    };
    for (const auto &[stage, replaces, takesOurs, result, after] : cases) {
        SCOPED_TRACE(int(stage) * 4 + replaces * 2 + takesOurs);
        TempFolder dir;
        dir.write("a", "A");
        SetClaimHookForTesting([&](ClaimStage now, const QByteArray &to) {
            if (now == stage && takesOurs)
                QFile::remove(dir.file("a"));
            if (now == stage && replaces)
                ::rename(qPrintable(dir.write("other", "O")), to.constData());
            else if (now == stage)
                dir.write("z", "fremd"); // opens the placeholder and writes into it
        });
        EXPECT_EQ(RenameNoReplace(dir.file("a"), dir.file("z"), NoReplaceMethod::Claim), result);
        SetClaimHookForTesting({});
        EXPECT_EQ(dir.contents(), after);
    }
    // A folder's placeholder that another program put a file into stays its.
    TempFolder dir;
    dir.write("a/in", "A");
    SetClaimHookForTesting([&](ClaimStage now, const QByteArray &) {
        if (now == ClaimStage::BeforeRename)
            dir.write("z/fremd", "F");
    });
    EXPECT_EQ(RenameNoReplace(dir.file("a"), dir.file("z"), NoReplaceMethod::Claim), EEXIST);
    SetClaimHookForTesting({});
    EXPECT_EQ(dir.tree(), "a/ a/in=A z/ z/fremd=F");
}

// A real second process appends to the target name as fast as it can while
// files are renamed onto it: every renamed file must survive, and so must
// what the other program wrote, but for the claim (no atomic way on the
// drive): there a write in the microseconds between the last check and the
// rename cannot be seen, and at most a byte in a thousand may go.
TEST(Renamer, ARacingWriterProcessLosesNothing)
{
    constexpr int Writes = 40000;
    for (NoReplaceMethod method : {NoReplaceMethod::Claim, NoReplaceMethod::Link}) {
        TempFolder dir;
        const QByteArray target = QFile::encodeName(dir.file("ziel"));
        const pid_t racer = ::fork();
        ASSERT_GE(racer, 0);
        if (racer == 0) {
            bool allWritten = true;
            for (int i = 0; i < Writes; ++i) {
                const int fd = ::open(target.constData(), O_CREAT | O_WRONLY | O_APPEND, 0644);
                allWritten &= fd >= 0 && ::write(fd, "R", 1) == 1;
                ::close(fd);
            }
            ::_exit(allWritten ? 0 : 1);
        }
        int status = -1, moved = 0, sources = 0;
        while (::waitpid(racer, &status, WNOHANG) == 0) {
            if (!dir.exists("quelle"))
                dir.write("quelle", "S" + QByteArray::number(sources++) + ";");
            const int error = RenameNoReplace(dir.file("quelle"), dir.file("ziel"), method);
            // Either way the name is cleared for the next round.
            QFile::rename(dir.file("ziel"),
                          dir.file(u"weg%1%2"_s.arg(error ? 'R' : 'S').arg(moved++)));
        }
        ASSERT_EQ(status, 0) << "the other program could not write";

        const QByteArray all = dir.contents().values().join();
        const long lost = Writes - all.count('R');
        EXPECT_LE(lost, method == NoReplaceMethod::Claim ? Writes / 1000 : 0);
        EXPECT_EQ(all.count(';'), sources); // each source has one, in a file of its own
        EXPECT_GT(sources, 1);
    }
}

// On FUSE a rename onto a file that is still open first moves that file
// aside, which frees the name for an instant. The placeholder is let go
// before the rename, so a file another machine makes under the name while it
// is renamed onto is refused, never replaced (sshfs without hard links; the
// other machine writes into the served folder itself).
TEST(RenamerOnSshfs, AFileMadeUnderTheNameWhileItIsRenamedOntoIsNeverReplaced)
{
    kesto::test::SshfsDrive sshfs(u"disable_hardlink"_s);
    if (!sshfs.mounted)
        GTEST_SKIP() << "no sshfs here: " << sshfs.setup.read(u"log"_s).toStdString();
    std::atomic<int> made = 0;
    for (int round = 0; round < 20; ++round) {
        const QString name = u"z%1"_s.arg(round);
        const QByteArray served = QFile::encodeName(sshfs.remote.file(name));
        std::atomic<bool> done = false;
        std::thread other;
        SetClaimHookForTesting([&](ClaimStage stage, const QByteArray &) {
            if (stage == ClaimStage::BeforeRename)
                other = std::thread([&done, &made, served] {
                    while (!done) {
                        const int fd =
                            ::open(served.constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
                        made += fd >= 0 && ::write(fd, "R", 1) == 1;
                        ::close(fd);
                    }
                });
        });
        const QString from = sshfs.drive.write(u"a%1"_s.arg(round), "A");
        EXPECT_EQ(RenameNoReplace(from, sshfs.drive.file(name)), 0);
        done = true;
        other.join();
        SetClaimHookForTesting({});
    }
    const QByteArray all = sshfs.remote.contents().values().join();
    EXPECT_EQ(all.count('R'), made.load());
    EXPECT_EQ(all.count('A'), 20);
}

using RenamerOnExfat = kesto::test::SessionTest;

TEST_F(RenamerOnExfat, CaseChangesWorkAndNothingIsReplaced)
{
    kesto::test::ExfatDrive exfat;
    if (!exfat.mounted)
        GTEST_SKIP() << "no exFAT drive: " << exfat.image.read(u"log"_s).toStdString();
    TempFolder &drive = exfat.drive; // not the fixture's dir
    drive.write("b.txt", "B");
    drive.write("c.txt", "C");
    EXPECT_EQ(RenameNoReplace(drive.file("b.txt"), drive.file("B.TXT")), 0);
    EXPECT_EQ(RenameNoReplace(drive.file("B.TXT"), drive.file("C.txt")), EEXIST);
    EXPECT_EQ(RenameNoReplace(drive.file("B.TXT"), drive.file("d.txt")), 0);

    // The drive's own rules (no ":"), and the user's way: "alles groß" through
    // the window's core, and back by the undo.
    const QByteArray folder = QFile::encodeName(drive.path() + u'/');
    const PlannedRename colon{folder, "c.txt", "c:1.txt"};
    EXPECT_EQ(CheckPlan({colon}).pairs.first().status, PairStatus::NotAllowed);

    session.load({drive.file("c.txt")});
    session.setMaskText(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    session.renameCommand();
    EXPECT_TRUE(session.list().isEmpty()) << session.status().panel2().toStdString();
    EXPECT_EQ(drive.contents(), (Files{{"C.TXT", "C"}, {"d.txt", "B"}}));
    session.undoCommand();
    EXPECT_EQ(drive.contents(), (Files{{"c.txt", "C"}, {"d.txt", "B"}}));
}

} // namespace
