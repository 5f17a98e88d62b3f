#pragma once

class QCoreApplication;

namespace kesto {

/// Makes Qt's own texts German (the standard buttons of dialogs, the context
/// menus of text fields) to match the rest of the window when its texts are
/// German, whatever the locale says of Qt's. Call it before any window is
/// made. Returns whether Qt's German translations were found.
bool InstallGermanQtTranslations(QCoreApplication &app);

} // namespace kesto
