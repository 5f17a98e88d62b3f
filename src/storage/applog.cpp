#include "storage/applog.h"

#include "storage/datafolder.h"
#include "storage/textfile.h"

#include <QDateTime>
#include <QFile>

namespace kesto {

namespace {
QString &logPath()
{
    static QString path;
    return path;
}
} // namespace

void SetLogPath(const QString &path)
{
    logPath() = path;
}

QString LogPath()
{
    return logPath();
}

QString LogTimestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

void WriteLog(const QString &text)
{
    if (logPath().isEmpty())
        return;
    // Appending gives the same file as reading and rewriting it, without the
    // cost per line and without losing lines of a file that could not be read.
    QFile file(logPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(EncodeText(text) + "\r\n");
}

void WriteTimedLog(const QString &text)
{
    // Formatting the time costs more than a loaded file's facts; skip it
    // when nobody reads the log.
    if (!logPath().isEmpty())
        WriteLog(LogTimestamp() + text);
}

void DeleteLog()
{
    const QString path = logPath();
    if (!FileExists(path))
        return;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    QFile::remove(path);
}

} // namespace kesto
