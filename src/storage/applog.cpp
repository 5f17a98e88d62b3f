#include "storage/applog.h"

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
    QFile f(logPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    f.write(text.toUtf8() + "\r\n");
}

void DeleteLog()
{
    if (!logPath().isEmpty())
        QFile::remove(logPath());
}

} // namespace kesto
