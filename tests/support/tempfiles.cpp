#include "support/tempfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto::test {

TempFolder::TempFolder() = default;

TempFolder::~TempFolder()
{
    ::nftw(
        QFile::encodeName(path()).constData(),
        [](const char *p, const struct stat *, int, struct FTW *) {
            ::remove(p);
            return 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
}

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

QByteArray TempFolder::writeBytes(const QByteArray &name, const QByteArray &content)
{
    const QByteArray full = QFile::encodeName(path()) + '/' + name;
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        if (::write(fd, content.constData(), size_t(content.size())) != content.size())
            qWarning("short write to %s", full.constData());
        ::close(fd);
    }
    return full;
}

QList<QByteArray> TempFolder::rawNames(const QByteArray &sub) const
{
    QList<QByteArray> names;
    const QByteArray folder = QFile::encodeName(path()) + (sub.isEmpty() ? "" : "/" + sub);
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *d = ::readdir(dir)) {
            const QByteArray n(d->d_name);
            if (n != "." && n != "..")
                names.append(n);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
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

QMap<QString, QByteArray> TempFolder::contents() const
{
    QMap<QString, QByteArray> files;
    for (const QString &name : names())
        files.insert(name, read(name));
    return files;
}

QString TempFolder::tree() const
{
    QStringList entries;
    QDirIterator it(path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next().mid(path().size() + 1);
        entries << name + (it.fileInfo().isDir() ? "/" : '=' + QString::fromUtf8(read(name)));
    }
    entries.sort();
    return entries.join(' ');
}

bool TempFolder::setTimes(const QString &fullPath, const QDateTime &modified)
{
    const timespec time{modified.toSecsSinceEpoch(), 0}, times[2] = {time, time};
    return utimensat(AT_FDCWD, QFile::encodeName(fullPath).constData(), times, 0) == 0;
}

QString TempFolder::writeAudio(const QString &name, const QString &metadata,
                               const QStringList &extra) const
{
    QStringList args = QStringLiteral("-v error -f lavfi -i anullsrc -t 0.05").split(u' ');
    for (const QString &pair : metadata.split(u'|', Qt::SkipEmptyParts))
        args << QStringLiteral("-metadata") << pair;
    QProcess::execute(QStringLiteral("ffmpeg"), args + extra + QStringList{file(name)});
    return file(name);
}

} // namespace kesto::test
