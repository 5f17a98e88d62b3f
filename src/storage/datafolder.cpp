#include "storage/datafolder.h"

#include "storage/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace kesto {

namespace {

bool makeFolder(const QString &path)
{
    return FolderExists(path) || QDir().mkdir(path);
}

void reportFolderOnce(const QString &folder)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    std::fprintf(stderr, "%s\n", qPrintable(storagemessages::dataFolderNotCreated(folder)));
}

} // namespace

QString DataFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QCoreApplication::applicationDirPath();
    QString folder = WithFinalSlash(base);
    // Both levels are made one by one, as the first start expects; a missing
    // base folder (a fresh account) is made along with them.
    if (!FolderExists(folder))
        QDir().mkpath(folder);
    bool made = true;
    for (const QString &level : {QStringLiteral("Quarvel"), QStringLiteral("Kesto")}) {
        folder += level;
        made = makeFolder(folder) && made;
        folder = WithFinalSlash(folder);
    }
    if (!made)
        reportFolderOnce(folder);
    return folder;
}

QUrl DataFolderUrl()
{
    return QUrl::fromLocalFile(DataFolder());
}

QString WithFinalSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool FolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(WithFinalSlash(path) + u'.').isDir();
}

AppPaths MakeAppPaths()
{
    AppPaths paths;
    paths.masksIni = DataFolder() + QStringLiteral("Kesto-Masken.INI");
    paths.keysIni = DataFolder() + QStringLiteral("Kesto-Tasten.INI");
    paths.log = DataFolder() + QStringLiteral("Kesto.LOG");
    return paths;
}

} // namespace kesto
