#include "filelist/loader.h"

#include "filelist/filelist.h"
#include "metadata/filefacts.h"
#include "storage/applog.h"
#include "storage/textfile.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <sys/stat.h>
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
        items.append({p, {}, p.isValidUtf16() && !p.contains(QChar(0))});
    return items;
}

QList<PathToLoad> PathsFromBytes(const QList<QByteArray> &rawPaths)
{
    QList<PathToLoad> items;
    items.reserve(rawPaths.size());
    for (const QByteArray &raw : rawPaths) {
        // A name from an old archive or another system may be no UTF-8: it
        // keeps its bytes, for the rename, and shows them as the INI files
        // are read. A NUL would end the path early.
        if (QUtf8StringView(raw).isValidUtf8())
            items.append({QString::fromUtf8(raw), {}, !raw.contains('\0')});
        else
            items.append({DecodeTextPart(raw), raw, !raw.contains('\0')});
    }
    return items;
}

namespace {

bool isJpg(const FileEntry &e)
{
    return e.Type.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0;
}

FileEntry newRow(const PathToLoad &item)
{
    FileEntry e = FileEntry::fromPath(item.path);
    e.PathBytes = item.bytes;
    return e;
}

QString keyOf(const PathToLoad &item)
{
    return PathKey(item.path, item.bytes);
}

FileFacts readFacts(const FileEntry &e)
{
    const ReachablePath reach(e);
    return ReadFileFacts(reach.path(), isJpg(e));
}

// Asked again only for the few paths that became no row.
SkipReason reasonFor(const PathToLoad &item)
{
    if (!item.faithful)
        return SkipReason::Unreadable;
    struct stat st;
    const QByteArray bytes = item.bytes.isEmpty() ? QFile::encodeName(item.path) : item.bytes;
    if (::stat(bytes.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? SkipReason::Missing : SkipReason::Unreadable;
    if (S_ISDIR(st.st_mode))
        return SkipReason::Folder;
    return S_ISREG(st.st_mode) ? SkipReason::Unreadable : SkipReason::NotRegularFile;
}

SkippedPath skipped(const PathToLoad &item)
{
    return {item.path, reasonFor(item)};
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

NewRows readInParallel(const QList<PathToLoad> &paths, const FileList &list,
                       const std::function<void(int)> &progress)
{
    // One array from the first row to the list: fresh memory costs a page
    // fault per 4 KiB, which outweighs the work done on most rows.
    const int n = int(paths.size());
    // Per path: 0 no row and no report, 1 read it, 2 report it as skipped.
    std::vector<char> keep(n, 0);
    QSet<QString> seen;
    seen.reserve(n);
    for (int i = 0; i < n; ++i) {
        const PathToLoad &item = paths.at(i);
        if (!item.faithful || item.path.isEmpty()) {
            keep[i] = 2;
            continue;
        }
        const QString key = keyOf(item);
        if (list.containsPath(key) || seen.contains(key))
            continue;
        seen.insert(key);
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
                if (keep[i] != 1)
                    continue;
                FileEntry &e = row[i];
                e = newRow(paths.at(i));
                // Files dropped together mostly share their folder; one copy
                // of its text will do.
                if (lastFolder && *lastFolder == e.Folder)
                    e.Folder = *lastFolder;
                lastFolder = &e.Folder;
                keep[i] = takeFacts(e, readFacts(e)) ? 1 : 2;
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

    QList<SkippedPath> skippedPaths;
    qsizetype kept = 0;
    for (int i = 0; i < n; ++i) {
        if (progress)
            progress(i + 1);
        if (keep[i] == 2)
            skippedPaths.append(skipped(paths.at(i)));
        if (keep[i] != 1)
            continue;
        if (kept != i)
            rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.resize(kept);
    return {std::move(rows), std::move(skippedPaths)};
}

} // namespace

NewRows ReadNewRows(const QList<PathToLoad> &paths, const FileList &list,
                    const std::function<void(int)> &progress, const std::function<void()> &yield)
{
    if (LogPath().isEmpty() && paths.size() >= ParallelFrom)
        return readInParallel(paths, list, progress);

    NewRows added;
    added.rows.reserve(paths.size());
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
            added.skipped.append(skipped(item));
            continue;
        }
        if (item.path.isEmpty()) {
            added.skipped.append(skipped(item));
            continue;
        }
        const QString key = keyOf(item);
        if (list.containsPath(key) || seen.contains(key))
            continue;
        seen.insert(key);
        FileEntry e = newRow(item);
        if (takeFacts(e, readFacts(e)))
            added.rows.append(std::move(e));
        else
            added.skipped.append(skipped(item));
    }
    return added;
}

} // namespace kesto
