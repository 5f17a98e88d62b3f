#include "filelist/loader.h"

#include "filelist/filelist.h"
#include "metadata/filefacts.h"
#include "storage/applog.h"

#include <QFile>
#include <QSet>

namespace kesto {

namespace {

void logPath(const QString &text)
{
    WriteTimedLog(QStringLiteral(" LoadListWithFileNames: ") + text);
}

} // namespace

QList<PathToLoad> PathsFromText(const QStringList &paths)
{
    QList<PathToLoad> items;
    items.reserve(paths.size());
    for (const QString &p : paths)
        items.append({p, true});
    return items;
}

QList<PathToLoad> PathsFromBytes(const QList<QByteArray> &rawPaths)
{
    QList<PathToLoad> items;
    items.reserve(rawPaths.size());
    for (const QByteArray &raw : rawPaths) {
        const QString path = QFile::decodeName(raw);
        items.append({path, QFile::encodeName(path) == raw});
    }
    return items;
}

QList<FileEntry> ReadNewRows(const QList<PathToLoad> &paths, const FileList &list,
                             const std::function<void(int)> &progress,
                             const std::function<void()> &yield)
{
    QList<FileEntry> added;
    QSet<QString> seen;
    for (int i = 1; i <= paths.size(); ++i) {
        if (i % 16 == 0 && yield)
            yield();
        if (progress)
            progress(i);
        const PathToLoad &item = paths.at(i - 1);
        logPath(item.path);
        if (!item.faithful) {
            logPath(QStringLiteral("Pfad nicht darstellbar, übergangen"));
            continue;
        }
        if (item.path.isEmpty() || list.containsPath(item.path) || seen.contains(item.path))
            continue;
        FileEntry e = FileEntry::fromPath(item.path);
        const FileFacts facts = ReadFileFacts(
            item.path, e.Type.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0);
        // Folders, devices and pipes are skipped: only regular files can be
        // renamed here, and reading a pipe would block.
        if (!facts.exists || !facts.isRegularFile)
            continue;
        e.Size = facts.Size;
        e.SizeText = facts.SizeText;
        e.SizeKey = FileEntry::sizeKeyFor(facts.Size);
        e.Modified = facts.Modified;
        e.Created = facts.Created;
        e.Captured = facts.Captured;
        seen.insert(item.path);
        added.append(std::move(e));
    }
    return added;
}

} // namespace kesto
