#include "naming/textcase.h"
#include "rename/plan.h"
#include "rename/renamer.h"
#include "rename/renamer_p.h"
#include "rename/session.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kesto;
using kesto::test::TempFolder;

namespace {

struct MethodCase
{
    const char *name;
    NoReplaceMethod method;
};

const MethodCase methods[] = {
    {"best", NoReplaceMethod::Best},
    {"kernel flag", NoReplaceMethod::KernelFlag},
    {"link", NoReplaceMethod::Link},
    {"claim", NoReplaceMethod::Claim},
};

QByteArray bytes(const QString &path)
{
    return QFile::encodeName(path);
}

TEST(Renamer, EveryMethodRenamesButNeverReplacesAndLeavesNothingBehind)
{
    for (const MethodCase &c : methods) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const QString a = dir.write(QStringLiteral("a"), "A");
        dir.write(QStringLiteral("b"), "B");
        dir.write(QStringLiteral("leer"));
        EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("b")), c.method), EEXIST);
        // An empty file looks like a placeholder, but it is somebody's.
        EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("leer")), c.method), EEXIST);
        EXPECT_EQ(RenameNoReplace(dir.file(QStringLiteral("gone")), dir.file(QStringLiteral("c")),
                                  c.method),
                  ENOENT);
        // A failed rename leaves no placeholder under the new name.
        EXPECT_EQ(dir.names(), (QStringList{"a", "b", "leer"}));
        EXPECT_EQ(dir.read(QStringLiteral("b")), QByteArray("B"));

        EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("c")), c.method), 0);
        EXPECT_EQ(
            RenameNoReplace(dir.file(QStringLiteral("c")), dir.file(QStringLiteral("C")), c.method),
            0);
        EXPECT_EQ(dir.names(), (QStringList{"C", "b", "leer"}));
        EXPECT_EQ(dir.read(QStringLiteral("C")), QByteArray("A"));
    }

    // Two hard links of one file are no letter-case change.
    TempFolder dir;
    const QString a = dir.write(QStringLiteral("a"), "A");
    ASSERT_EQ(::link(bytes(a).constData(), bytes(dir.file(QStringLiteral("c"))).constData()), 0);
    EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("c"))), EEXIST);
    EXPECT_EQ(dir.names(), (QStringList{"a", "c"}));

    for (const char *bad : {"", ".", "..", "a/b"})
        EXPECT_FALSE(IsPossibleFileName(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(IsPossibleFileName(QStringLiteral("a") + QChar(0)));
    EXPECT_TRUE(IsPossibleFileName(QStringLiteral("a\\b:c?")));
}

// Another program that opens the new name without care (as most do) between
// the claim and the rename must keep what it wrote.
TEST(Renamer, AClaimedNameThatAnotherProgramTakesOverIsNeverReplaced)
{
    struct Step
    {
        const char *name;
        ClaimStage stage;
        int result;
        QByteArray target, source, kept;
    };
    const Step steps[] = {
        {"written after the claim", ClaimStage::Claimed, EEXIST, "fremd", "A", {}},
        {"written right before the rename", ClaimStage::BeforeRename, 0, "A", {}, "fremd"},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        TempFolder dir;
        const QString a = dir.write(QStringLiteral("a"), "A");
        SetClaimHookForTesting([&](ClaimStage stage, const QByteArray &to) {
            if (stage != s.stage)
                return;
            const int fd = ::open(to.constData(), O_WRONLY | O_APPEND);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::write(fd, "fremd", 5), 5);
            ::close(fd);
        });
        EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("z")), NoReplaceMethod::Claim),
                  s.result);
        SetClaimHookForTesting({});
        EXPECT_EQ(dir.read(QStringLiteral("z")), s.target);
        EXPECT_EQ(dir.read(QStringLiteral("a")), s.source);
        EXPECT_EQ(dir.read(QStringLiteral("z.gerettet")), s.kept);
    }

    // A placeholder replaced by another file is not ours to remove.
    TempFolder dir;
    const QString a = dir.write(QStringLiteral("a"), "A");
    SetClaimHookForTesting([&](ClaimStage stage, const QByteArray &to) {
        if (stage == ClaimStage::Claimed)
            ::rename(bytes(dir.write(QStringLiteral("other"), "O")).constData(), to.constData());
    });
    EXPECT_EQ(RenameNoReplace(a, dir.file(QStringLiteral("z")), NoReplaceMethod::Claim), EEXIST);
    SetClaimHookForTesting({});
    EXPECT_EQ(dir.names(), (QStringList{"a", "z"}));
    EXPECT_EQ(dir.read(QStringLiteral("z")), QByteArray("O"));
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
        const QByteArray target = bytes(dir.file(QStringLiteral("ziel")));
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t racer = ::fork();
        ASSERT_GE(racer, 0);
        if (racer == 0) {
            ::close(pipeFds[0]);
            long written = 0;
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
            while (std::chrono::steady_clock::now() < end) {
                const int fd = ::open(target.constData(), O_CREAT | O_WRONLY | O_APPEND, 0644);
                if (fd >= 0) {
                    written += ::write(fd, "R", 1) == 1;
                    ::close(fd);
                }
            }
            (void)!::write(pipeFds[1], &written, sizeof written);
            ::_exit(0);
        }
        ::close(pipeFds[1]);

        int moved = 0, sources = 0;
        const QByteArray source = bytes(dir.file(QStringLiteral("quelle")));
        while (::waitpid(racer, nullptr, WNOHANG) == 0) {
            if (!QFile::exists(QFile::decodeName(source)))
                dir.write(QStringLiteral("quelle"), "S" + QByteArray::number(sources++) + ";");
            const int error = RenameNoReplace(source, target, method);
            // Either way the name is cleared for the next round.
            const QByteArray away =
                bytes(dir.file(QStringLiteral("weg%1%2").arg(error == 0 ? "S" : "R").arg(moved++)));
            ::rename(target.constData(), away.constData());
        }
        long written = 0;
        ASSERT_EQ(::read(pipeFds[0], &written, sizeof written), ssize_t(sizeof written));
        ::close(pipeFds[0]);

        QByteArray all;
        for (const QString &name : dir.names())
            all += dir.read(name);
        const long lost = written - all.count('R');
        if (method == NoReplaceMethod::Link) {
            EXPECT_EQ(lost, 0);
        }
        EXPECT_LE(lost * 1000, written) << lost << " bytes of the other program were lost";
        for (int i = 0; i < sources; ++i)
            EXPECT_TRUE(all.contains("S" + QByteArray::number(i) + ";")) << i;
        EXPECT_GT(written, 0);
    }
}

// A real exFAT drive through FUSE, as USB sticks are: no RENAME_NOREPLACE,
// no hard links, and an entry number per spelling.
class ExfatDrive
{
public:
    ExfatDrive()
    {
        if (::geteuid() != 0) {
            m_why = QStringLiteral("mounting needs root");
            return;
        }
        for (const char *tool : {"mkfs.exfat", "mount.exfat-fuse", "losetup"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty() &&
                !QFile::exists(QStringLiteral("/usr/sbin/") + QLatin1String(tool)) &&
                !QFile::exists(QStringLiteral("/sbin/") + QLatin1String(tool))) {
                m_why = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
                return;
            }
        }
        const QString image = m_dir.filePath(QStringLiteral("drive.img"));
        m_mount = m_dir.filePath(QStringLiteral("m"));
        QDir().mkpath(m_mount);
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(16 << 20)) {
            m_why = QStringLiteral("no image file");
            return;
        }
        f.close();
        QString out;
        if (!run(QStringLiteral("mkfs.exfat"), {image}, &out) ||
            !run(QStringLiteral("losetup"), {QStringLiteral("-f"), QStringLiteral("--show"), image},
                 &out)) {
            m_why = QStringLiteral("cannot make a loop device: ") + out;
            return;
        }
        m_device = out.trimmed();
        if (!run(QStringLiteral("mount.exfat-fuse"), {m_device, m_mount}, &out)) {
            m_why = QStringLiteral("mounting is not permitted here: ") + out;
            return;
        }
        m_mounted = true;
    }
    ~ExfatDrive()
    {
        QString out;
        if (m_mounted)
            run(QStringLiteral("umount"), {m_mount}, &out);
        if (!m_device.isEmpty())
            run(QStringLiteral("losetup"), {QStringLiteral("-d"), m_device}, &out);
    }
    bool mounted() const { return m_mounted; }
    QString why() const { return m_why; }
    QString file(const QString &name) const { return m_mount + QLatin1Char('/') + name; }
    QStringList names() const
    {
        QStringList n = QDir(m_mount).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        n.sort(Qt::CaseSensitive);
        return n;
    }

private:
    static bool run(const QString &program, const QStringList &args, QString *out)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        const bool ok =
            p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        *out = QString::fromLocal8Bit(p.readAll());
        return ok;
    }

    QTemporaryDir m_dir;
    QString m_mount, m_device, m_why;
    bool m_mounted = false;
};

TEST(Renamer, OnAnExfatDriveCaseChangesWorkAndNothingIsReplaced)
{
    ExfatDrive drive;
    if (!drive.mounted())
        GTEST_SKIP() << "no exFAT drive: " << drive.why().toStdString();
    auto write = [&](const char *name, const QByteArray &content) {
        QFile f(drive.file(QString::fromLatin1(name)));
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    };
    auto read = [&](const char *name) {
        QFile f(drive.file(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    ASSERT_TRUE(write("b.txt", "B") && write("c.txt", "C"));

    EXPECT_EQ(
        RenameNoReplace(drive.file(QStringLiteral("b.txt")), drive.file(QStringLiteral("B.TXT"))),
        0);
    EXPECT_EQ(
        RenameNoReplace(drive.file(QStringLiteral("B.TXT")), drive.file(QStringLiteral("C.txt"))),
        EEXIST);
    EXPECT_EQ(
        RenameNoReplace(drive.file(QStringLiteral("B.TXT")), drive.file(QStringLiteral("d.txt"))),
        0);
    EXPECT_EQ(drive.names(), (QStringList{"c.txt", "d.txt"}));
    EXPECT_EQ(read("c.txt"), QByteArray("C"));
    EXPECT_EQ(read("d.txt"), QByteArray("B"));

    // The drive's own rules, and the user's way: "alles groß" through the window's core.
    const QByteArray folder = QFile::encodeName(drive.file(QString()));
    EXPECT_EQ(NameRulesOf(folder), NameRules::Windows);
    PlannedRename colon;
    colon.folder = folder;
    colon.oldName = "c.txt";
    colon.shownOld = QStringLiteral("c.txt");
    colon.newName = "c:1.txt";
    colon.shownNew = QStringLiteral("c:1.txt");
    EXPECT_EQ(CheckPlan({colon}).pairs.first().reason(),
              QStringLiteral("Zeichen ':' ist auf diesem Laufwerk nicht erlaubt"));

    kesto::test::ScriptedQuestions questions;
    TempFolder journals;
    Session session(questions);
    session.journal() = Journal(journals.path());
    session.LoadListWithFileNames(QStringList{drive.file(QStringLiteral("c.txt"))});
    session.setMaskText(QStringLiteral("[name].[typ]"));
    session.chooseLetterCase(CaseUpper);
    session.renameCommand();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(session.list().isEmpty()) << session.status().panel2().toStdString();
    EXPECT_EQ(drive.names(), (QStringList{"C.TXT", "d.txt"}));
}

} // namespace
