#include "filelist/loader.h"

#include "filelist/filelist.h"
#include "metadata/filefacts.h"
#include "storage/applog.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

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
        // File names are UTF-8 here: valid bytes decode faithfully, anything
        // else would come back as different bytes.
        const QString path = QFile::decodeName(raw);
        items.append({path, QUtf8StringView(raw).isValidUtf8() || QFile::encodeName(path) == raw});
    }
    return items;
}

namespace {

bool isJpg(const FileEntry &e)
{
    return e.Type.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0;
}

// Takes the facts over into the row; false for what cannot be renamed here:
// folders, devices and pipes (reading a pipe would block).
bool takeFacts(FileEntry &e, const FileFacts &facts)
{
    if (!facts.exists || !facts.isRegularFile)
        return false;
    e.Size = facts.Size;
    e.SizeText = facts.SizeText;
    e.SizeKey = FileEntry::sizeKeyFor(facts.Size);
    e.Modified = facts.Modified;
    e.Created = facts.Created;
    e.Captured = facts.Captured;
    return true;
}

// Without a log the facts of many files are read on every core: most of the
// time goes to the file system's calls, which run side by side. With a log the
// files are read one after the other, so that its lines follow the list.
constexpr int ParallelFrom = 64;

QList<FileEntry> readInParallel(const QList<PathToLoad> &paths, const FileList &list,
                                const std::function<void(int)> &progress)
{
    // One array from the first row to the list: fresh memory costs a page
    // fault per 4 KiB, which outweighs the work done on most rows.
    const int n = int(paths.size());
    std::vector<char> keep(n, 0);
    QSet<QString> seen;
    seen.reserve(n);
    for (int i = 0; i < n; ++i) {
        const PathToLoad &item = paths.at(i);
        if (!item.faithful || item.path.isEmpty() || list.containsPath(item.path) ||
            seen.contains(item.path))
            continue;
        seen.insert(item.path);
        keep[i] = 1;
    }

    QList<FileEntry> rows(n);
    FileEntry *const row = rows.data(); // detached once, before the threads share it
    std::atomic<int> next{0};
    auto work = [&] {
        constexpr int Batch = 32;
        const QString *lastFolder = nullptr;
        for (int from = next.fetch_add(Batch); from < n; from = next.fetch_add(Batch)) {
            for (int i = from; i < std::min(n, from + Batch); ++i) {
                if (!keep[i])
                    continue;
                FileEntry &e = row[i];
                e = FileEntry::fromPath(paths.at(i).path);
                // Files dropped together mostly share their folder; one copy
                // of its text will do.
                if (lastFolder && *lastFolder == e.Folder)
                    e.Folder = *lastFolder;
                lastFolder = &e.Folder;
                keep[i] = takeFacts(e, ReadFileFacts(e.FullPath, isJpg(e)));
            }
        }
    };
    const int threads = int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread &t : helpers)
        t.join();

    qsizetype kept = 0;
    for (int i = 0; i < n; ++i) {
        if (progress)
            progress(i + 1);
        if (!keep[i])
            continue;
        if (kept != i)
            rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.resize(kept);
    return rows;
}

} // namespace

QList<FileEntry> ReadNewRows(const QList<PathToLoad> &paths, const FileList &list,
                             const std::function<void(int)> &progress,
                             const std::function<void()> &yield)
{
    if (LogPath().isEmpty() && paths.size() >= ParallelFrom)
        return readInParallel(paths, list, progress);

    QList<FileEntry> added;
    added.reserve(paths.size());
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
        if (!takeFacts(e, ReadFileFacts(item.path, isJpg(e))))
            continue;
        seen.insert(item.path);
        added.append(std::move(e));
    }
    return added;
}

} // namespace kesto
