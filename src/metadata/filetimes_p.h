#pragma once

// Shared by the file-time and file-facts readers; not part of the interface.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <fcntl.h>
#include <sys/stat.h>

namespace kesto {

/// One status call for type, size, last-write and birth time, of the link's
/// target where \a followLink is set, else of the link itself; \a path is
/// looked up from the folder open as \a folderFd.
bool statFile(const QByteArray &path, struct statx *status, bool followLink = true,
              int folderFd = AT_FDCWD);

/// Seconds since 1970 as a file time text in the local time of that date.
QString localTimeText(qint64 secondsSinceEpoch, QStringView dateSeparator,
                      QStringView middleSeparator, QStringView timeSeparator);

} // namespace kesto
