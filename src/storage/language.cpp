#include "storage/language.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdlib>

namespace kesto {

namespace {

QByteArrayView variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? QByteArrayView(value) : QByteArrayView();
}

bool isCLocale(QByteArrayView locale)
{
    return locale.isEmpty() || locale == "C" || locale == "POSIX" || locale.startsWith("C.");
}

} // namespace

bool EnglishWanted(QByteArrayView language, QByteArrayView lcAll, QByteArrayView lcMessages,
                   QByteArrayView lang)
{
    const QByteArrayView locale = !lcAll.isEmpty()        ? lcAll
                                  : !lcMessages.isEmpty() ? lcMessages
                                                          : lang;
    if (isCLocale(locale))
        return false;
    // A list "en_GB:de" starts with its first entry.
    return (language.isEmpty() ? locale : language).startsWith("en");
}

QTranslator *EnglishTexts()
{
    static QTranslator *const english = []() -> QTranslator * {
        if (!EnglishWanted(variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"),
                           variable("LANG")))
            return nullptr;
        auto *translator = new QTranslator;
        if (translator->load(QStringLiteral(":/i18n/kesto_en.qm")))
            return translator;
        delete translator;
        return nullptr;
    }();
    return english;
}

bool InstallTextLanguage()
{
    QTranslator *english = EnglishTexts();
    return english && QCoreApplication::installTranslator(english);
}

} // namespace kesto
