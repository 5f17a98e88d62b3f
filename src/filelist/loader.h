#pragma once

#include "filelist/fileentry.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

namespace kesto {

class FileList;

/// A path handed to the loader. A path is not faithful when its bytes did
/// not survive the way into a text, so it names no file that could be found
/// again under that name.
struct PathToLoad
{
    QString path;
    bool faithful = true;
};

QList<PathToLoad> PathsFromText(const QStringList &paths);
/// Paths as the system hands them over (command line, dropped URLs).
QList<PathToLoad> PathsFromBytes(const QList<QByteArray> &rawPaths);

/// New rows, in the order given, for the regular files among \a paths that
/// \a list does not hold yet, each with its size, times and (for ".jpg") its
/// capture date. Every path is logged. \a progress gets the position of each
/// path (from 1), \a yield is called every 16 paths.
QList<FileEntry> ReadNewRows(const QList<PathToLoad> &paths, const FileList &list,
                             const std::function<void(int)> &progress = {},
                             const std::function<void()> &yield = {});

} // namespace kesto
