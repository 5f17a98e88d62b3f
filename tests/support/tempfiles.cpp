#include "support/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>

namespace kesto::test {

TempFolder::TempFolder() = default;

QString TempFolder::file(const QString &name) const
{
    return path() + QLatin1Char('/') + name;
}

QString TempFolder::write(const QString &name, const QByteArray &content)
{
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
    return full;
}

QString TempFolder::mkdir(const QString &name)
{
    const QString full = file(name);
    QDir().mkpath(full);
    return full;
}

QByteArray TempFolder::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempFolder::exists(const QString &name) const
{
    return QFileInfo::exists(file(name));
}

QStringList TempFolder::names() const
{
    QStringList list = QDir(path()).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    list.sort(Qt::CaseSensitive);
    return list;
}

bool TempFolder::setTimes(const QString &fullPath, const QDateTime &modified)
{
    const qint64 secs = modified.toSecsSinceEpoch();
    struct timespec times[2];
    times[0].tv_sec = secs;
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return utimensat(AT_FDCWD, QFile::encodeName(fullPath).constData(), times, 0) == 0;
}

} // namespace kesto::test
