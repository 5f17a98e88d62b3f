#include "mask/dateformat.h"

#include "mask/mask.h"

#include <QDateTime>
#include <QLocale>

namespace kesto {

namespace {

const QLocale &german()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

// The number of \a length digits at \a from; -1 beyond the end, which no
// date or time takes.
int numberAt(QStringView stamp, qsizetype from, qsizetype length)
{
    return from + length <= stamp.size() ? stamp.sliced(from, length).toInt() : -1;
}

QString formatMoment(QDate date, QTime time, const QString &format)
{
    // Only the time zone ("t") needs the local time; without it a fixed
    // offset spares every name the look-up of the zone.
    const QDateTime moment(date, time, format.contains(u't') ? Qt::LocalTime : Qt::UTC);
    return german().toString(moment, format);
}

} // namespace

QString FormatTimeStamp(QStringView stamp, const QString &format)
{
    const QDate date(numberAt(stamp, 0, 4), numberAt(stamp, 5, 2), numberAt(stamp, 8, 2));
    if (!date.isValid())
        return {};
    // QDateTime takes a missing or broken time for midnight.
    return formatMoment(
        date, QTime(numberAt(stamp, 11, 2), numberAt(stamp, 14, 2), numberAt(stamp, 17, 2)),
        format);
}

bool FormatGivesForbiddenChar(const QString &format)
{
    // Month and weekday names hold none of these characters, so one moment
    // tells for all.
    return HasForbiddenChar(formatMoment(QDate(2024, 3, 5), QTime(14, 7, 9), format));
}

} // namespace kesto
