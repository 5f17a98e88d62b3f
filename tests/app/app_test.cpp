#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

// Starts without a display that end by themselves: exit code, first line of the output, last
// of the error output (after Qt's own warnings). A platform named is tried, display or not.
TEST(Start, HelpAndVersionNeedNoDisplayAndWithoutOneTheProgramSaysHowToGoOnInOneLine)
{
    const QString goOn = "; ohne Fenster benennt kesto-cli um, siehe kesto-cli --help.";
    const QString failed =
        "1||kesto: Das Fenster lässt sich auf diesem Bildschirm nicht öffnen" + goOn;
    const std::pair<const char *, QString> runs[] = {
        {"kesto --version", "0|kesto " KESTO_VERSION "|"},
        {"kesto a.txt --help", "0|Aufruf: kesto [DATEI…]|"},
        {"LC_ALL=en_US.UTF-8 kesto --help", "0|Usage: kesto [FILE…]|"},
        {"kesto a.txt",
         "1||kesto: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)" +
             goOn},
        {"DISPLAY=:4711 kesto a.txt", failed},
        {"QT_QPA_PLATFORM=keine kesto a.txt", failed},
    };
    for (const auto &[command, ended] : runs) {
        QStringList args{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"};
        args += QString(command).split(' ');
        args.replace(args.indexOf("kesto"), KESTO_PATH);
        QProcess kesto;
        kesto.start("env", args);
        ASSERT_TRUE(kesto.waitForFinished(60000)) << command;
        const QString out = QString::fromUtf8(kesto.readAllStandardOutput()).section('\n', 0, 0);
        const QString err = QString::fromUtf8(kesto.readAllStandardError()).trimmed();
        EXPECT_EQ(QString::number(kesto.exitCode()) + '|' + out + '|' + err.section('\n', -1),
                  ended)
            << command;
    }
}

// Qt's own options before the files still reach Qt: offscreen, the window
// comes up without a display and stays.
TEST(Start, QtsOwnOptionsReachQt)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("XDG_DATA_HOME", home.path());
    QProcess kesto;
    kesto.setProcessEnvironment(env);
    kesto.start(KESTO_PATH, {"-platform", "offscreen", "a.txt"});
    EXPECT_FALSE(kesto.waitForFinished(2000)) << kesto.readAllStandardError().toStdString();
    kesto.kill();
    kesto.waitForFinished();
}

} // namespace
