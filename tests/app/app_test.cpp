#include "storage/datafolder.h"
#include "storage/textfile.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace kesto;

namespace {

// Starts the window's program with \a args, in the test's environment with
// each "NAME=value" of \a environment set and each "NAME" removed.
void start(QProcess &kesto, const QStringList &args, const QStringList &environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &e : environment) {
        if (e.contains('='))
            env.insert(e.section('=', 0, 0), e.section('=', 1));
        else
            env.remove(e);
    }
    kesto.setProcessEnvironment(env);
    kesto.start(KESTO_PATH, args);
}

// A start that needs no window ends by itself: its exit code, the first line
// of its output and the last of its error output (Qt's own warnings stand
// before).
TEST(Start, HelpAndVersionNeedNoDisplayAndWithoutOneTheProgramSaysHowToGoOnInOneLine)
{
    const QStringList noDisplay{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const QString goOn = "; ohne Fenster benennt kesto-cli um, siehe kesto-cli --help.";
    const QString failed = "1||kesto: Das Fenster lässt sich auf diesem Bildschirm nicht öffnen";
    const struct
    {
        QStringList args, environment;
        QString ended;
    } runs[] = {
        {{"--version"}, noDisplay, "0|kesto " KESTO_VERSION "|"},
        {{"a.txt", "--help"}, noDisplay, "0|Aufruf: kesto [DATEI…]|"},
        {{"a.txt"},
         noDisplay,
         "1||kesto: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)" +
             goOn},
        {{"a.txt"}, {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DISPLAY=:4711"}, failed + goOn},
        {{"a.txt"}, {"QT_QPA_PLATFORM=keine"}, failed + goOn},
    };
    for (const auto &r : runs) {
        SCOPED_TRACE((r.args + r.environment).join(' ').toStdString());
        QProcess kesto;
        start(kesto, r.args, r.environment);
        ASSERT_TRUE(kesto.waitForFinished(60000));
        EXPECT_EQ(kesto.exitStatus(), QProcess::NormalExit) << "no core dump";
        const QString out = QString::fromUtf8(kesto.readAllStandardOutput());
        const QString err = QString::fromUtf8(kesto.readAllStandardError()).trimmed();
        EXPECT_EQ(QString("%1|%2|%3")
                      .arg(kesto.exitCode())
                      .arg(out.section('\n', 0, 0), err.section('\n', -1)),
                  r.ended);
    }
}

// A platform that is named is used, display or not: the window opens and
// loads its file, as its log says.
TEST(Start, ANamedPlatformOpensTheWindowWithoutADisplay)
{
    test::TempFolder dir;
    const QString log = MakeAppPaths().log;
    QProcess kesto;
    start(kesto, {dir.write("a.txt")}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=offscreen"});
    while (!ReadFileBytes(log).contains("EXIT LoadListWithFileNames") &&
           !kesto.waitForFinished(50)) {
    }
    EXPECT_EQ(kesto.state(), QProcess::Running) << kesto.readAllStandardError().toStdString();
    kesto.kill();
    kesto.waitForFinished();
}

} // namespace
