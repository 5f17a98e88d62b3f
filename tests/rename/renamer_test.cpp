#include "naming/textcase.h"
#include "rename/plan.h"
#include "rename/renamer.h"
#include "rename/renamer_p.h"
#include "rename/session.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kesto;
using namespace Qt::StringLiterals;
using kesto::test::TempFolder;

namespace {

TEST(Renamer, EveryMethodRenamesButNeverReplacesAndLeavesNothingBehind)
{
    using enum NoReplaceMethod;
    for (NoReplaceMethod method : {Best, KernelFlag, Link, Claim}) {
        SCOPED_TRACE(int(method));
        TempFolder dir;
        const QString a = dir.write("a", "A");
        dir.write("b", "B");
        dir.write("leer"); // looks like a placeholder, but it is somebody's
        EXPECT_EQ(RenameNoReplace(a, dir.file("b"), method), EEXIST);
        EXPECT_EQ(RenameNoReplace(a, dir.file("leer"), method), EEXIST);
        EXPECT_EQ(RenameNoReplace(dir.file("gone"), dir.file("c"), method), ENOENT);
        EXPECT_EQ(dir.contents(),
                  (QMap<QString, QByteArray>{{"a", "A"}, {"b", "B"}, {"leer", ""}}));

        EXPECT_EQ(RenameNoReplace(a, dir.file("c"), method), 0);
        EXPECT_EQ(RenameNoReplace(dir.file("c"), dir.file("C"), method), 0);
        EXPECT_EQ(dir.contents(),
                  (QMap<QString, QByteArray>{{"C", "A"}, {"b", "B"}, {"leer", ""}}));
    }

    // Two hard links of one file are no letter-case change.
    TempFolder dir;
    const QString a = dir.write("a", "A");
    ASSERT_EQ(::link(qPrintable(a), qPrintable(dir.file("c"))), 0);
    EXPECT_EQ(RenameNoReplace(a, dir.file("c")), EEXIST);
    EXPECT_EQ(dir.names(), (QStringList{"a", "c"}));

    for (const QString &bad : {u""_s, u"."_s, u".."_s, u"a/b"_s, u"a"_s + QChar(0)})
        EXPECT_FALSE(IsPossibleFileName(bad)) << bad.toStdString();
    EXPECT_TRUE(IsPossibleFileName(u"a\\b:c?"_s));
}

// Another program that opens the new name without care (as most do) between
// the claim and the rename must keep what it wrote; a placeholder that it
// replaced by another file is not ours to remove.
TEST(Renamer, AClaimedNameThatAnotherProgramTakesOverIsNeverReplaced)
{
    // When the other program comes, whether it replaces the placeholder, the
    // result, and what "z", "a" and "z.gerettet" hold then.
    const std::tuple<ClaimStage, bool, int, QByteArray, QByteArray, QByteArray> cases[] = {
        {ClaimStage::Claimed, false, EEXIST, "fremd", "A", {}},
        {ClaimStage::BeforeRename, false, 0, "A", {}, "fremd"},
        {ClaimStage::Claimed, true, EEXIST, "O", "A", {}},
    };
    for (const auto &[stage, replaces, result, target, source, kept] : cases) {
        SCOPED_TRACE(int(stage) * 2 + replaces);
        TempFolder dir;
        const QString a = dir.write("a", "A");
        SetClaimHookForTesting([&](ClaimStage now, const QByteArray &to) {
            if (now != stage)
                return;
            if (replaces) {
                ASSERT_EQ(::rename(qPrintable(dir.write("other", "O")), to.constData()), 0);
            } else {
                QFile other(QFile::decodeName(to));
                ASSERT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Append));
                other.write("fremd");
            }
        });
        EXPECT_EQ(RenameNoReplace(a, dir.file("z"), NoReplaceMethod::Claim), result);
        SetClaimHookForTesting({});
        EXPECT_EQ(QList<QByteArray>({dir.read("z"), dir.read("a"), dir.read("z.gerettet")}),
                  QList<QByteArray>({target, source, kept}));
        EXPECT_EQ(dir.names().size(), 1 + !source.isNull() + !kept.isNull());
    }
}

// A real second process appends to the target name as fast as it can while
// files are renamed onto that name: every renamed file must survive, and so
// must what the other program wrote. Where the drive offers no atomic way
// (the claim), a write from a descriptor opened in the instant before the
// rename and used after it cannot be seen; that window is a few
// microseconds, so at most a stray byte in a thousand may go.
TEST(Renamer, ARacingWriterProcessLosesNothing)
{
    for (NoReplaceMethod method : {NoReplaceMethod::Claim, NoReplaceMethod::Link}) {
        TempFolder dir;
        const QByteArray target = QFile::encodeName(dir.file("ziel"));
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t racer = ::fork();
        ASSERT_GE(racer, 0);
        if (racer == 0) {
            long written = 0;
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
            while (std::chrono::steady_clock::now() < end) {
                const int fd = ::open(target.constData(), O_CREAT | O_WRONLY | O_APPEND, 0644);
                written += fd >= 0 && ::write(fd, "R", 1) == 1;
                ::close(fd);
            }
            (void)!::write(pipeFds[1], &written, sizeof written);
            ::_exit(0);
        }
        ::close(pipeFds[1]);

        int moved = 0, sources = 0;
        while (::waitpid(racer, nullptr, WNOHANG) == 0) {
            if (!dir.exists("quelle"))
                dir.write("quelle", "S" + QByteArray::number(sources++) + ";");
            const int error = RenameNoReplace(dir.file("quelle"), dir.file("ziel"), method);
            // Either way the name is cleared for the next round.
            QFile::rename(dir.file("ziel"),
                          dir.file(u"weg%1%2"_s.arg(error ? 'R' : 'S').arg(moved++)));
        }
        long written = 0;
        ASSERT_EQ(::read(pipeFds[0], &written, sizeof written), ssize_t(sizeof written));
        ::close(pipeFds[0]);

        QByteArray all;
        for (const QByteArray &content : dir.contents())
            all += content;
        const long lost = written - all.count('R');
        EXPECT_LE(lost * 1000, written) << lost << " bytes of the other program were lost";
        EXPECT_TRUE(lost == 0 || method == NoReplaceMethod::Claim) << lost;
        for (int i = 0; i < sources; ++i)
            EXPECT_TRUE(all.contains("S" + QByteArray::number(i) + ";")) << i;
        EXPECT_GT(written, 0);
    }
}

// A real exFAT drive through FUSE, as USB sticks are: no RENAME_NOREPLACE,
// no hard links, and an entry number per spelling; mounted at "m".
struct ExfatDrive
{
    TempFolder dir;
    QString why;
    bool mounted = run(u"truncate -s 16M img && mkfs.exfat img && mkdir m && "
                       u"losetup -f --show img >dev && mount.exfat-fuse $(cat dev) m"_s);

    ~ExfatDrive()
    {
        if (mounted)
            run(u"umount m"_s);
        run(u"[ ! -s dev ] || losetup -d $(cat dev)"_s);
    }
    bool run(const QString &script)
    {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(u"sh"_s, {u"-c"_s, u"PATH=$PATH:/usr/sbin:/sbin; "_s + script});
        const bool ok =
            p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        why = QString::fromLocal8Bit(p.readAll());
        return ok;
    }
    QString file(const char *name) const { return dir.file(u"m/"_s + QLatin1String(name)); }
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(dir.file("m")).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, dir.read(u"m/"_s + name));
        return files;
    }
};

TEST(Renamer, OnAnExfatDriveCaseChangesWorkAndNothingIsReplaced)
{
    ExfatDrive drive;
    if (!drive.mounted)
        GTEST_SKIP() << "no exFAT drive: " << drive.why.toStdString();
    drive.dir.write("m/b.txt", "B");
    drive.dir.write("m/c.txt", "C");
    EXPECT_EQ(RenameNoReplace(drive.file("b.txt"), drive.file("B.TXT")), 0);
    EXPECT_EQ(RenameNoReplace(drive.file("B.TXT"), drive.file("C.txt")), EEXIST);
    EXPECT_EQ(RenameNoReplace(drive.file("B.TXT"), drive.file("d.txt")), 0);
    EXPECT_EQ(drive.files(), (QMap<QString, QByteArray>{{"c.txt", "C"}, {"d.txt", "B"}}));

    // The drive's own rules, and the user's way: "alles groß" through the window's core.
    const QByteArray folder = QFile::encodeName(drive.file(""));
    EXPECT_EQ(NameRulesOf(folder), NameRules::Windows);
    const PlannedRename colon{folder, "c.txt", "c:1.txt", u"c.txt"_s, u"c:1.txt"_s};
    EXPECT_EQ(CheckPlan({colon}).pairs.first().reason(),
              u"Zeichen ':' ist auf diesem Laufwerk nicht erlaubt"_s);

    kesto::test::ScriptedQuestions questions;
    TempFolder journals;
    Session session(questions);
    session.journal() = Journal(journals.path());
    session.load({drive.file("c.txt")});
    session.setMaskText(u"[name].[typ]"_s);
    session.chooseLetterCase(CaseUpper);
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(session.list().isEmpty()) << session.status().panel2().toStdString();
    EXPECT_EQ(drive.files(), (QMap<QString, QByteArray>{{"C.TXT", "C"}, {"d.txt", "B"}}));
}

} // namespace
