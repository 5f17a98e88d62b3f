// Runs the tests inside a Qt application whose data, config and cache folders
// are a private temporary folder, so no test ever touches the user's files.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#ifdef KESTO_GUI_TESTS
#include "ui/qttranslations.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    for (const char *var :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        qputenv(var, (home.path() + QLatin1Char('/') + QLatin1String(var)).toUtf8());
    // The texts are compared in German, whatever the machine's locale.
    qputenv("LC_ALL", "C.UTF-8");
#ifdef KESTO_GUI_TESTS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("Quarvel"));
    TestApplication::setApplicationName(QStringLiteral("Kesto"));
#ifdef KESTO_GUI_TESTS
    // The window's dialogs are tested with the texts the user sees.
    kesto::InstallGermanQtTranslations(app);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
