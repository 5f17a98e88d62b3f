#pragma once

#include <QByteArrayView>

class QTranslator;

namespace kesto {

/// Whether the texts are to be English, from the values of LANGUAGE, LC_ALL,
/// LC_MESSAGES and LANG (empty when unset). As gettext decides: the first of
/// LC_ALL, LC_MESSAGES and LANG that is set is the locale; unless that is C or
/// POSIX, the first entry of LANGUAGE's colon list goes before it. English when
/// the choice starts with "en"; German, the texts' own language, otherwise.
bool EnglishWanted(QByteArrayView language, QByteArrayView lcAll, QByteArrayView lcMessages,
                   QByteArrayView lang);

/// The program's English texts when this process's environment asks for
/// them, else null. Loaded once; usable before the application object exists.
QTranslator *EnglishTexts();

/// Makes every text English from here on when the environment asks for it;
/// call it once the application object exists, before any text is made.
/// Returns whether the texts are English.
bool InstallTextLanguage();

} // namespace kesto
