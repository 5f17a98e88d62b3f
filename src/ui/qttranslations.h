#pragma once

class QCoreApplication;

namespace kesto {

/// Makes Qt's own texts German (the standard buttons of dialogs, the context
/// menus of text fields), whatever the user's locale, to match the rest of the
/// window. Call it before any window is made. Returns whether Qt's German
/// translations were found.
bool InstallGermanQtTranslations(QCoreApplication &app);

} // namespace kesto
