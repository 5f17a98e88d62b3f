#include "ui/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kesto {

bool InstallGermanQtTranslations(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    // "qtbase" holds the texts of the widgets; the locale, not the user's, picks
    // qtbase_de.qm.
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kesto
