#include "filelist/loader.h"

#include "filelist/filelist.h"
#include "metadata/filefacts.h"
#include "storage/applog.h"
#include "storage/heldfolder.h"
#include "storage/textfile.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

void logPath(const QString &text)
{
    WriteTimedLog({u" LoadListWithFileNames: ", text});
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

// Only ".jpg" files, in any letter case, are read for a capture date.
bool isJpg(QStringView name)
{
    return name.endsWith(u".jpg", Qt::CaseInsensitive);
}

FileEntry newRow(const PathToLoad &item)
{
    FileEntry e = FileEntry::fromPath(item.path);
    e.setRawBytes(item.bytes);
    return e;
}

QString keyOf(const PathToLoad &item)
{
    return PathKey(item.path, item.bytes);
}

// Files dropped together mostly share their folder. It is held open, and each
// file is looked up by its name in it: walking the whole path again for every
// file cost a sixth of a load. The folder's text is encoded again only where
// it changes.
struct RowsFolder
{
    QString text;
    bool known = false;
    int fd = -1;
    HeldFolder held;

    int fdFor(const QString &folder)
    {
        if (!known || folder != text) {
            known = true;
            text = folder;
            fd = held.fdFor(QFile::encodeName(folder));
        }
        return fd;
    }
};

FileFacts readFacts(const FileEntry &e, const WantedFacts &wanted, RowsFolder &folder)
{
    WantedFacts mine = wanted;
    mine.captureDate = wanted.captureDate && isJpg(e.oldName);
    // Only a photo's path is logged.
    const QString shown = mine.captureDate ? e.fullPath() : QString();
    // A name kept in its own bytes is read by its whole path, as it was given.
    const int fd = e.rawBytes().isEmpty() && !e.oldName.isEmpty() ? folder.fdFor(e.folder) : -1;
    if (fd >= 0)
        return ReadFileFacts(QFile::encodeName(e.oldName), shown, mine, fd);
    return ReadFileFacts(e.pathBytes(), shown, mine);
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
    e.size = facts.size;
    e.identity = facts.identity;
    e.setFacts({facts.sizeText, facts.modified, facts.created, facts.captured});
    return true;
}

// Most of the time of a load goes to the file system's calls, which run side
// by side; below this many paths the threads would cost more than they save.
constexpr int ParallelFrom = 64;
// Paths a thread takes at a time: few enough to share the work out evenly,
// enough to keep the threads from contending for the next one.
constexpr int Batch = 32;
// Reading photos from a cold disk mostly waits for it; then more readers than
// cores keep it busy. One more joins whenever a reader took this long for its
// batch and read from the disk meanwhile (a batch that only waited for a core
// is no reason), as a large photo without Exif data is read to its end.
constexpr unsigned PhotoReaders = 16;
constexpr int PhotoBatch = 8;
constexpr auto WaitedLong = std::chrono::milliseconds(1);
// The log is written a few hundred KiB at a time, not once per batch.
constexpr qsizetype LogChunk = 256 * 1024;
// The window is served this often; more would only slow the load.
constexpr auto YieldEvery = std::chrono::milliseconds(16);

// Blocks this thread has had read from a disk so far.
long blocksRead()
{
    struct rusage usage = {};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_inblock;
}

} // namespace

NewRows ReadNewRows(const QList<PathToLoad> &paths, const FileList &list, const WantedFacts &wanted,
                    const std::function<void(int)> &progress, const std::function<void()> &yield,
                    bool keepLog)
{
    const int n = int(paths.size());
    const bool logging = keepLog || !LogPath().isEmpty();
    qsizetype photos = 0;
    if (wanted.captureDate) {
        for (const PathToLoad &item : paths)
            photos += isJpg(item.path);
    }
    const bool mostlyPhotos = photos * 2 >= n;
    const int batch = mostlyPhotos ? PhotoBatch : Batch;
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

    // One array from the first row to the list: fresh memory costs a page
    // fault per 4 KiB, which outweighs the work done on most rows.
    QList<FileEntry> rows(n);
    FileEntry *const row = rows.data(); // detached once, before the threads share it
    // The log lines of each batch, written in the order of the paths once
    // all are read, so that the log reads as if they had been read in turn.
    std::vector<QByteArray> batchLog(logging ? size_t((n + batch - 1) / batch) : 0);
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    // Files dropped together mostly share their folder; one copy of its text
    // will do. \a last is the folder of the row read before.
    auto readOne = [&](int i, const QString *&last, RowsFolder &folder) {
        const PathToLoad &item = paths.at(i);
        if (logging) {
            logPath(item.path);
            if (!item.faithful)
                logPath(QStringLiteral("Pfad nicht darstellbar, übergangen"));
        }
        if (keep[i] != 1)
            return;
        FileEntry &e = row[i];
        e = newRow(item);
        if (last && *last == e.folder)
            e.folder = *last;
        last = &e.folder;
        keep[i] = takeFacts(e, readFacts(e, wanted, folder)) ? 1 : 2;
    };
    using Clock = std::chrono::steady_clock;
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    const int threads = n < ParallelFrom ? 1 : int(cores);
    std::mutex joining;
    std::vector<std::thread> helpers;
    int readers = 1;
    std::function<void(const std::function<void()> &)> work;
    // A system out of threads (a container's limit) reads with those it has.
    // Called with \a joining held.
    auto startReader = [&] {
        try {
            helpers.emplace_back(work, std::function<void()>());
            ++readers;
            return true;
        } catch (const std::system_error &) {
            return false;
        }
    };
    auto joinIfWaiting = [&](Clock::time_point began, long blocks) {
        if (!mostlyPhotos || threads == 1 || Clock::now() - began < WaitedLong ||
            blocksRead() == blocks)
            return;
        const std::lock_guard<std::mutex> lock(joining);
        if (readers < int(PhotoReaders) && next.load() < n)
            startReader();
    };
    work = [&](const std::function<void()> &serve) {
        const QString *last = nullptr;
        RowsFolder folder;
        for (int from = next.fetch_add(batch); from < n; from = next.fetch_add(batch)) {
            const Clock::time_point began = mostlyPhotos ? Clock::now() : Clock::time_point();
            const long blocks = mostlyPhotos && threads > 1 ? blocksRead() : 0;
            std::optional<LogCapture> capture;
            const int to = std::min(n, from + batch);
            if (logging) {
                capture.emplace();
                // Two lines a file, each about its path and the time long:
                // growing the text line by line cost more than writing it.
                capture->lines().reserve((to - from) * 2 * (paths.at(from).path.size() + 64));
            }
            for (int i = from; i < to; ++i) {
                readOne(i, last, folder);
                if (serve)
                    serve();
            }
            if (logging)
                batchLog[size_t(from / batch)] = std::move(capture->lines());
            done.fetch_add(to - from, std::memory_order_relaxed);
            // The window's turns would count as waiting, too.
            if (!serve)
                joinIfWaiting(began, blocks);
        }
    };

    // The calling thread reads too, and between two paths serves the window
    // when its time has come (first after the first path, so that it shows
    // the load begun): the bar moves in steps that cost nothing.
    Clock::time_point due = Clock::now();
    int shown = 0;
    const int step = std::max(1, n / 100);
    const auto serve = [&] {
        if (Clock::now() < due)
            return;
        const int now = done.load(std::memory_order_relaxed);
        if (progress && now - shown >= step)
            progress(shown = now);
        if (yield) {
            const LogCapture::Pause pause;
            yield();
        }
        due = Clock::now() + YieldEvery;
    };
    for (int t = 1; t < threads; ++t) {
        const std::lock_guard<std::mutex> lock(joining);
        if (!startReader())
            break;
    }
    work(progress || yield ? std::function<void()>(serve) : std::function<void()>());
    // What the helpers still read, the window waits for while being served.
    while (done.load() < n && (progress || yield)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        serve();
    }
    // Readers may still be joining while the first are awaited.
    for (;;) {
        std::thread helper;
        {
            const std::lock_guard<std::mutex> lock(joining);
            if (helpers.empty())
                break;
            helper = std::move(helpers.back());
            helpers.pop_back();
        }
        helper.join();
    }
    if (progress)
        progress(n);
    QByteArray pending;
    if (keepLog) {
        qsizetype total = 0;
        for (const QByteArray &lines : batchLog)
            total += lines.size();
        pending.reserve(total);
    }
    for (QByteArray &lines : batchLog) {
        pending += lines;
        lines = QByteArray();
        if (!keepLog && pending.size() >= LogChunk) {
            WriteLogLines(pending);
            pending.clear();
        }
    }
    if (!keepLog)
        WriteLogLines(std::exchange(pending, QByteArray()));

    QList<SkippedPath> skippedPaths;
    qsizetype kept = 0;
    for (int i = 0; i < n; ++i) {
        if (keep[i] == 2)
            skippedPaths.append(skipped(paths.at(i)));
        if (keep[i] != 1)
            continue;
        if (kept != i)
            rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.resize(kept);
    return {std::move(rows), std::move(skippedPaths), std::move(pending)};
}

RowsReadAhead::RowsReadAhead(const QList<QByteArray> &rawPaths)
    : m_rawPaths(rawPaths)
{
    m_rows = std::async(std::launch::async, [this] {
        const FileList empty;
        return ReadNewRows(
            PathsFromBytes(m_rawPaths), empty, WantedFacts{},
            [this](int done) { m_done.store(done, std::memory_order_relaxed); }, {}, true);
    });
}

RowsReadAhead::~RowsReadAhead()
{
    if (m_rows.valid())
        m_rows.wait();
}

bool RowsReadAhead::waitFor(std::chrono::milliseconds time) const
{
    return !m_rows.valid() || m_rows.wait_for(time) == std::future_status::ready;
}

NewRows RowsReadAhead::take()
{
    return m_rows.valid() ? m_rows.get() : NewRows();
}

} // namespace kesto
