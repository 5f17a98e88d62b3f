#pragma once

#include <QString>
#include <QUrl>

namespace kesto {

/// The per-user data folder ".../Quarvel/Kesto/", created level by level on
/// every call. A folder that cannot be made is reported once on standard error
/// and returned all the same; writes into it then fail (see WriteFileBytes).
QString DataFolder();

/// DataFolder() as a URL for the platform's file manager.
QUrl DataFolderUrl();

/// \a path with "/" appended unless it already ends with one ("" becomes "/").
QString WithFinalSlash(const QString &path);

/// True if \a path is not empty and names an existing regular file.
bool FileExists(const QString &path);

/// True if \a path is not empty and names an existing folder.
bool FolderExists(const QString &path);

/// The full paths of the program's files in the data folder.
struct AppPaths
{
    QString masksIni; ///< "Kesto-Masken.INI", the saved masks
    QString keysIni;  ///< "Kesto-Tasten.INI", the key bar
    QString log;      ///< "Kesto.LOG", the log of the current run
};

/// The paths of the program's files, each from its own call of DataFolder().
AppPaths MakeAppPaths();

} // namespace kesto
