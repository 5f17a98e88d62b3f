#include "metadata/filetimes.h"

#include "metadata/filetimes_p.h"
#include "metadata/messages.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>

namespace kesto {

namespace {

void appendTwoDigits(QString &text, int n)
{
    if (n < 0) {
        text += u'-';
        n = -n;
    }
    if (n < 10)
        text += u'0';
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    text += QLatin1String(digits, end - digits);
}

} // namespace

bool statFile(const QByteArray &path, struct statx *status, bool followLink, int folderFd)
{
    return ::statx(folderFd, path.constData(),
                   AT_STATX_SYNC_AS_STAT | (followLink ? 0 : AT_SYMLINK_NOFOLLOW),
                   STATX_TYPE | STATX_MODE | STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME,
                   status) == 0;
}

QString localTimeText(qint64 secondsSinceEpoch, QStringView dateSeparator,
                      QStringView middleSeparator, QStringView timeSeparator)
{
    // Files that came together share their times, and localtime_r takes a
    // lock and looks up the time zone every time: a thread keeps its last two
    // texts (a file's change and birth time take one each).
    struct Known
    {
        const char *zone = nullptr; // tzset() sets it anew for another zone name
        long offset = 0;
        QString dateSeparator, middleSeparator, timeSeparator;
        qint64 seconds[2] = {};
        QString text[2];
        int older = 0;
    };
    thread_local Known known;
    if (known.zone != tzname[0] || known.offset != timezone ||
        known.dateSeparator != dateSeparator || known.middleSeparator != middleSeparator ||
        known.timeSeparator != timeSeparator) {
        known = Known();
        known.zone = tzname[0];
        known.offset = timezone;
        known.dateSeparator = dateSeparator.toString();
        known.middleSeparator = middleSeparator.toString();
        known.timeSeparator = timeSeparator.toString();
    }
    for (int k = 0; k < 2; ++k) {
        if (known.seconds[k] == secondsSinceEpoch && !known.text[k].isNull())
            return known.text[k];
    }

    // localtime_r applies the offset in force at that date, so a winter time
    // read in summer shows the winter clock.
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm parts;
    if (!localtime_r(&seconds, &parts))
        return {};
    QString text;
    text.reserve(14 + 2 * dateSeparator.size() + middleSeparator.size() + 2 * timeSeparator.size());
    char year[16];
    const auto end = std::to_chars(year, year + sizeof year, qint64(parts.tm_year) + 1900).ptr;
    text += QLatin1String(year, end - year);
    text += dateSeparator;
    appendTwoDigits(text, parts.tm_mon + 1);
    text += dateSeparator;
    appendTwoDigits(text, parts.tm_mday);
    text += middleSeparator;
    appendTwoDigits(text, parts.tm_hour);
    text += timeSeparator;
    appendTwoDigits(text, parts.tm_min);
    text += timeSeparator;
    appendTwoDigits(text, parts.tm_sec);
    known.seconds[known.older] = secondsSinceEpoch;
    known.text[known.older] = text;
    known.older = 1 - known.older;
    return text;
}

QString GetFileTimeText(const QString &path, FileTime which, const QString &dateSeparator,
                        const QString &middleSeparator, const QString &timeSeparator)
{
    struct statx status;
    if (path.isEmpty() || !statFile(QFile::encodeName(path), &status))
        return {};
    if (which == FileTime::Created) {
        if (!(status.stx_mask & STATX_BTIME))
            return {};
        return localTimeText(status.stx_btime.tv_sec, dateSeparator, middleSeparator,
                             timeSeparator);
    }
    return localTimeText(status.stx_mtime.tv_sec, dateSeparator, middleSeparator, timeSeparator);
}

QString TwoDigits(int n)
{
    QString text;
    appendTwoDigits(text, n);
    return text;
}

QString FormatFileSize(qint64 size)
{
    struct Unit
    {
        int exponent;
        QLatin1String name;
    };
    static constexpr Unit units[] = {{40, metadatatext::unitTera},
                                     {30, metadatatext::unitGiga},
                                     {20, metadatatext::unitMega},
                                     {10, metadatatext::unitKilo}};
    qint64 whole = size;
    QLatin1String name = metadatatext::unitByte;
    for (const Unit &unit : units) {
        if (size >= qint64(1) << unit.exponent) {
            // Half a unit rounds up; shifting avoids the overflow of adding it.
            whole = (size >> unit.exponent) + ((size >> (unit.exponent - 1)) & 1);
            name = unit.name;
            break;
        }
    }
    char text[40];
    char *end = std::to_chars(text, text + 24, whole).ptr;
    *end++ = ' ';
    end = std::copy_n(name.data(), name.size(), end);
    return QString::fromLatin1(text, end - text);
}

} // namespace kesto
