#include "filelist/loader.h"

#include "filelist/filelist.h"
#include "metadata/filefacts.h"
#include "metadata/photofacts.h"
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
#include <malloc.h>
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
        items.append({p, {}, p.isValidUtf16() && !p.contains(QChar(0)), {}});
    return items;
}

PathToLoad PathFromBytes(const QByteArray &raw)
{
    // A name from an old archive or another system may be no UTF-8: it keeps
    // its bytes, for the rename, and shows them as the INI files are read. A
    // NUL would end the path early.
    if (QUtf8StringView(raw).isValidUtf8())
        return {QString::fromUtf8(raw), {}, !raw.contains('\0'), {}};
    return {DecodeTextPart(raw), raw, !raw.contains('\0'), {}};
}

QList<PathToLoad> PathsFromBytes(const QList<QByteArray> &rawPaths)
{
    QList<PathToLoad> items;
    items.reserve(rawPaths.size());
    for (const QByteArray &raw : rawPaths)
        items.append(PathFromBytes(raw));
    return items;
}

namespace {

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
    // The row makes its size and time texts when they are shown.
    mine.sizeText = false;
    mine.times = false;
    mine.captureDate = wanted.captureDate && MayHoldCaptureDate(e.oldName);
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
    if (item.passOver)
        return *item.passOver;
    if (!item.faithful)
        return SkipReason::Unreadable;
    struct stat st;
    const QByteArray bytes = item.bytes.isEmpty() ? QFile::encodeName(item.path) : item.bytes;
    if (::stat(bytes.constData(), &st) != 0) {
        if (errno == ENAMETOOLONG)
            return SkipReason::TooLong;
        return errno == ENOENT || errno == ENOTDIR ? SkipReason::Missing : SkipReason::Unreadable;
    }
    if (S_ISDIR(st.st_mode))
        return SkipReason::Folder;
    return S_ISREG(st.st_mode) ? SkipReason::Unreadable : SkipReason::NotRegularFile;
}

SkippedPath skipped(const PathToLoad &item)
{
    return {item.path, reasonFor(item)};
}

// Takes the facts over into the row; false for what cannot be renamed here:
// devices, pipes (reading a pipe would block) and folders not asked for as
// rows. A folder's length is its listing's, nothing to show or sort by.
bool takeFacts(FileEntry &e, const FileFacts &facts, bool folderRow, const WantedFacts &wanted)
{
    if (!facts.exists || !(facts.isRegularFile || (folderRow && facts.isFolder)))
        return false;
    e.isFolder = facts.isFolder;
    e.size = e.isFolder ? 0 : facts.size;
    e.identity = facts.identity;
    e.sizeShown = wanted.sizeText && !e.isFolder;
    if (wanted.times) {
        e.modifiedAt = facts.modifiedAt;
        e.createdAt = facts.createdAt.value_or(FileEntry::NoTime);
    }
    e.setCaptured(facts.captured);
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

// Per path: 0 no row and no report, 1 read it, 2 report it as skipped. A path
// the list holds already, or given before, is neither.
std::vector<char> pathsToRead(const QList<PathToLoad> &paths, const FileList &list)
{
    const int n = int(paths.size());
    std::vector<char> keep(n, 0);
    QSet<QString> seen;
    seen.reserve(n);
    for (int i = 0; i < n; ++i) {
        const PathToLoad &item = paths.at(i);
        if (!item.faithful || item.path.isEmpty() || item.passOver) {
            keep[i] = 2;
            continue;
        }
        const QString key = keyOf(item);
        if (list.containsPath(key) || seen.contains(key))
            continue;
        seen.insert(key);
        keep[i] = 1;
    }
    return keep;
}

bool mostlyPhotos(const QList<PathToLoad> &paths, const WantedFacts &wanted)
{
    qsizetype photos = 0;
    if (wanted.captureDate) {
        for (const PathToLoad &item : paths)
            photos += MayHoldCaptureDate(item.path);
    }
    return photos * 2 >= paths.size();
}

using Clock = std::chrono::steady_clock;

// How many threads begin reading \a paths paths.
int firstReaders(int paths)
{
    return paths < ParallelFrom ? 1 : int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

// The paths read side by side: the calling thread and its helpers take
// batches of them in turn, into rows and per-path marks made beforehand.
class ParallelRead
{
public:
    ParallelRead(const QList<PathToLoad> &paths, std::vector<char> &keep, FileEntry *row,
                 const WantedFacts &wanted, bool logging)
        : m_paths(paths)
        , m_keep(keep)
        , m_row(row)
        , m_wanted(wanted)
        , m_n(int(paths.size()))
        , m_logging(logging)
        , m_mostlyPhotos(mostlyPhotos(paths, wanted))
        , m_batch(m_mostlyPhotos ? PhotoBatch : Batch)
        , m_threads(firstReaders(m_n))
    {
        if (logging) {
            m_log.blocks.resize(PhotoReaders);
            m_log.batches.resize(size_t((m_n + m_batch - 1) / m_batch));
        }
    }

    // Reads every path; the calling thread calls \a serve, where given, once
    // before the first path (the helpers may read them all), between two
    // paths and while it waits for its helpers.
    void run(const std::function<void()> &serve)
    {
        if (serve)
            serve();
        for (int t = 1; t < m_threads; ++t) {
            const std::lock_guard<std::mutex> lock(m_joining);
            if (!startReader())
                break;
        }
        work(serve);
        // What the helpers still read, the window waits for while being served.
        while (m_done.load() < m_n && serve) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            serve();
        }
        joinReaders();
    }

    const std::atomic<int> &done() const { return m_done; }
    // The log lines of each batch, to be written in the order of the paths
    // once all are read, so that the log reads as if they had been read in turn.
    KeptLines &log() { return m_log; }

private:
    // Files dropped together mostly share their folder; one copy of its text
    // will do. \a last is the folder of the row read before.
    void readOne(int i, const QString *&last, RowsFolder &folder)
    {
        const PathToLoad &item = m_paths.at(i);
        if (m_logging) {
            logPath(item.path);
            if (!item.faithful)
                logPath(QStringLiteral("Pfad nicht darstellbar, übergangen"));
        }
        if (m_keep[i] != 1)
            return;
        FileEntry &e = m_row[i];
        e = newRow(item);
        if (last && *last == e.folder)
            e.folder = *last;
        last = &e.folder;
        m_keep[i] = takeFacts(e, readFacts(e, m_wanted, folder), item.folderRow, m_wanted) ? 1 : 2;
    }

    void work(const std::function<void()> &serve)
    {
        const QString *last = nullptr;
        RowsFolder folder;
        const int block = m_nextBlock.fetch_add(1);
        std::optional<LogCapture> capture;
        if (m_logging)
            capture.emplace();
        for (int from = m_next.fetch_add(m_batch); from < m_n; from = m_next.fetch_add(m_batch)) {
            const Clock::time_point began = m_mostlyPhotos ? Clock::now() : Clock::time_point();
            const long blocks = m_mostlyPhotos && m_threads > 1 ? blocksRead() : 0;
            const int to = std::min(m_n, from + m_batch);
            const qsizetype logged = capture ? capture->lines().size() : 0;
            for (int i = from; i < to; ++i) {
                readOne(i, last, folder);
                if (serve)
                    serve();
            }
            if (capture) {
                m_log.batches[size_t(from / m_batch)] = {block, logged,
                                                         capture->lines().size() - logged};
            }
            m_done.fetch_add(to - from, std::memory_order_relaxed);
            // The window's turns would count as waiting, too.
            if (!serve)
                joinIfWaiting(began, blocks);
        }
        if (capture)
            m_log.blocks[size_t(block)] = std::move(capture->lines());
    }

    // A system out of threads (a container's limit) reads with those it has.
    // Called with m_joining held.
    bool startReader()
    {
        try {
            m_helpers.emplace_back([this] { work({}); });
            ++m_readers;
            return true;
        } catch (const std::system_error &) {
            return false;
        }
    }

    void joinIfWaiting(Clock::time_point began, long blocks)
    {
        if (!m_mostlyPhotos || m_threads == 1 || Clock::now() - began < WaitedLong ||
            blocksRead() == blocks)
            return;
        const std::lock_guard<std::mutex> lock(m_joining);
        if (m_readers < int(PhotoReaders) && m_next.load() < m_n)
            startReader();
    }

    // Readers may still be joining while the first are awaited.
    void joinReaders()
    {
        for (;;) {
            std::thread helper;
            {
                const std::lock_guard<std::mutex> lock(m_joining);
                if (m_helpers.empty())
                    break;
                helper = std::move(m_helpers.back());
                m_helpers.pop_back();
            }
            helper.join();
        }
    }

    const QList<PathToLoad> &m_paths;
    std::vector<char> &m_keep;
    FileEntry *const m_row;
    const WantedFacts &m_wanted;
    const int m_n;
    const bool m_logging;
    const bool m_mostlyPhotos;
    const int m_batch;
    const int m_threads;
    KeptLines m_log;
    std::atomic<int> m_next{0};
    std::atomic<int> m_nextBlock{0};
    std::atomic<int> m_done{0};
    std::mutex m_joining;
    std::vector<std::thread> m_helpers;
    int m_readers = 1;
};

// The calling thread serves the window when its time has come (first as the
// load begins, so that every load serves it at least once): the bar moves in
// steps that cost nothing.
class WindowTurns
{
public:
    WindowTurns(const std::function<void(int)> &progress, const std::function<void()> &yield,
                const std::atomic<int> &done, int paths)
        : m_progress(progress)
        , m_yield(yield)
        , m_done(done)
        , m_step(std::max(1, paths / 100))
    {}

    void serve()
    {
        if (Clock::now() < m_due)
            return;
        const int now = m_done.load(std::memory_order_relaxed);
        if (m_progress && now - m_shown >= m_step)
            m_progress(m_shown = now);
        if (m_yield) {
            const LogCapture::Pause pause;
            m_yield();
        }
        m_due = Clock::now() + YieldEvery;
    }

private:
    const std::function<void(int)> &m_progress;
    const std::function<void()> &m_yield;
    const std::atomic<int> &m_done;
    const int m_step;
    Clock::time_point m_due = Clock::now();
    int m_shown = 0;
};

// Writes the lines of all batches in the order of the paths, a few hundred
// KiB at a time, and frees them.
void writeLog(KeptLines &log)
{
    QByteArray pending;
    for (const KeptLines::Batch &batch : log.batches) {
        pending.append(log.blocks[size_t(batch.block)].constData() + batch.from, batch.size);
        if (pending.size() >= LogChunk) {
            WriteLogLines(pending);
            pending.clear();
        }
    }
    WriteLogLines(pending);
    log = KeptLines();
}

// Moves the rows that were read to the front of \a rows and drops the rest;
// returns the paths to report as skipped, in the order given.
QList<SkippedPath> keepRowsRead(QList<FileEntry> &rows, const std::vector<char> &keep,
                                const QList<PathToLoad> &paths)
{
    QList<SkippedPath> skippedPaths;
    qsizetype kept = 0;
    for (int i = 0; i < int(paths.size()); ++i) {
        if (keep[i] == 2)
            skippedPaths.append(skipped(paths.at(i)));
        if (keep[i] != 1)
            continue;
        if (kept != i)
            rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.resize(kept);
    return skippedPaths;
}

} // namespace

NewRows ReadNewRows(const QList<PathToLoad> &paths, const FileList &list, const WantedFacts &wanted,
                    const std::function<void(int)> &progress, const std::function<void()> &yield,
                    bool keepLog)
{
    const int n = int(paths.size());
    std::vector<char> keep = pathsToRead(paths, list);
    // One array from the first row to the list: fresh memory costs a page
    // fault per 4 KiB, which outweighs the work done on most rows.
    QList<FileEntry> rows(n);
    FileEntry *const row = rows.data(); // detached once, before the threads share it
    ParallelRead reading(paths, keep, row, wanted, keepLog || !LogPath().isEmpty());
    WindowTurns turns(progress, yield, reading.done(), n);
    reading.run(progress || yield ? std::function<void()>([&turns] { turns.serve(); })
                                  : std::function<void()>());
    if (progress)
        progress(n);
    // Kept, the lines stay in their threads' blocks: one block of them all
    // would need as much again while it is made.
    KeptLines log;
    if (keepLog)
        log = std::move(reading.log());
    else
        writeLog(reading.log());
    QList<SkippedPath> skippedPaths = keepRowsRead(rows, keep, paths);
    return {std::move(rows), std::move(skippedPaths), std::move(log)};
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

NewRows RowsReadAhead::takeWhileServing(const std::function<void(int)> &progress,
                                        const std::function<void()> &yield)
{
    // Only what is not read yet is waited for, while the window is served.
    while (!waitFor(std::chrono::milliseconds(16))) {
        if (progress)
            progress(done());
        if (yield)
            yield();
    }
    NewRows added = m_rows.valid() ? m_rows.get() : NewRows();
    writeLog(added.log);
    // What the reading threads freed (the paths as texts, the log lines) stays
    // with their own heaps, which the window's thread does not take from:
    // handed back, it is not counted again under the list's first preview.
    ::malloc_trim(0);
    return added;
}

// Most of a fact's time goes to the file system's calls, as in a load, so
// the rows are read side by side; the log gets the lines of each batch of
// rows in their order. Audio tags are not read here, as TagLib does not
// promise to be safe in threads.
void ReadPhotoFactsSideBySide(FileList &list, bool withCaptureDate)
{
    ContentUse photo;
    photo.photo = true;
    photo.photoWithCaptureDate = withCaptureDate;
    constexpr int ParallelFrom = 64, Batch = 32;
    const int rows = list.count();
    const int threads =
        rows < ParallelFrom ? 1 : int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    if (threads == 1)
        return;
    list.entry(0); // the rows become the list's own here, before the threads share them
    const bool logging = LogWanted();
    std::vector<QByteArray> logs(size_t((rows + Batch - 1) / Batch));
    std::atomic<int> next{0};
    const auto work = [&] {
        RowsFolder folder;
        for (int batch; (batch = next.fetch_add(1)) * Batch < rows;) {
            std::optional<LogCapture> capture;
            if (logging)
                capture.emplace();
            for (int i = batch * Batch; i < std::min((batch + 1) * Batch, rows); ++i) {
                FileEntry &e = list.entry(i);
                const int fd = folder.fdFor(e.folder);
                e.readContent(photo, fd >= 0 ? fd : AT_FDCWD);
            }
            if (capture)
                logs[size_t(batch)] = std::move(capture->lines());
        }
    };
    // The calling thread only waits: working beside the threads it has just
    // started, it kept its core while they waited for one, and did three
    // batches in four.
    std::vector<std::thread> helpers;
    for (int t = 0; t < threads; ++t)
        helpers.emplace_back(work);
    for (std::thread &helper : helpers)
        helper.join();
    for (const QByteArray &lines : logs)
        WriteLogLines(lines);
}

} // namespace kesto
