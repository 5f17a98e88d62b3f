#pragma once

#include "filelist/fileentry.h"
#include "metadata/filefacts.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <vector>

namespace kesto {

class FileList;

/// Why a path given to the loader became no row.
enum class SkipReason { Missing, Folder, NotRegularFile, Unreadable, TooLong };

/// A path handed to the loader: its text and, when it came as bytes that are
/// no UTF-8, those bytes (see FileEntry::rawBytes()). A path is not faithful
/// when it names no file the system could find under it (a NUL inside, a
/// text that has no bytes).
struct PathToLoad
{
    QString path;
    QByteArray bytes;
    bool faithful = true;
    /// Set for a path known to become no row, and why (a folder below one
    /// that was loaded which could not be read): it is only reported.
    std::optional<SkipReason> passOver;
    /// A folder here becomes a row of its own rather than being passed over.
    bool folderRow = false;
};

QList<PathToLoad> PathsFromText(const QStringList &paths);
/// A path as the system hands it over (command line, dropped URLs, a folder's listing).
PathToLoad PathFromBytes(const QByteArray &raw);
QList<PathToLoad> PathsFromBytes(const QList<QByteArray> &rawPaths);

struct SkippedPath
{
    QString path; ///< as the row would have shown it
    SkipReason reason;
};

/// Log lines of a load, kept to be written later in the order of the paths:
/// each reading thread's lines in one block of their own, so that the rows'
/// texts, made among them, are not left scattered between the freed lines.
struct KeptLines
{
    struct Batch
    {
        int block = 0;
        qsizetype from = 0, size = 0;
    };
    std::vector<QByteArray> blocks;
    std::vector<Batch> batches; ///< where each batch of paths has its lines, in their order
};

struct NewRows
{
    QList<FileEntry> rows;
    /// The paths that name no file to rename, in the order given; a path
    /// the list holds already, or given twice, is no skipped path.
    QList<SkippedPath> skipped;
    /// The log lines of the load, where it was asked to keep them.
    KeptLines log;
};

/// New rows, in the order given, for the regular files among \a paths that
/// \a list does not hold yet, each with its size and what \a wanted asks for
/// of its size text, times and (for ".jpg") capture date. The files are read
/// side by side; every path is logged, in the order given. \a progress gets
/// how many paths are read, in at most about a hundred steps and at the end;
/// \a yield is called about every 16 ms. With \a keepLog the log lines are
/// kept in NewRows::log instead of written, even before there is a log.
NewRows ReadNewRows(const QList<PathToLoad> &paths, const FileList &list,
                    const WantedFacts &wanted = {}, const std::function<void(int)> &progress = {},
                    const std::function<void()> &yield = {}, bool keepLog = false);

/// Reads the photo facts (with \a withCaptureDate also the capture date) of
/// every row of \a list side by side, when there are enough rows for that to
/// pay; with few rows it leaves them to be read one by one when used.
void ReadPhotoFactsSideBySide(FileList &list, bool withCaptureDate);

/// Rows read before anyone asks for them: a window begins reading the files
/// it was started with while it builds itself, which takes as long again.
/// Every fact is read, for a list that is empty; the log lines wait in the
/// rows for whoever takes them.
class RowsReadAhead
{
public:
    explicit RowsReadAhead(const QList<QByteArray> &rawPaths);
    /// Waits until the reading is over.
    ~RowsReadAhead();
    RowsReadAhead(const RowsReadAhead &) = delete;
    RowsReadAhead &operator=(const RowsReadAhead &) = delete;

    const QList<QByteArray> &rawPaths() const { return m_rawPaths; }
    /// Whether all are read, after waiting at most \a time for it.
    bool waitFor(std::chrono::milliseconds time) const;
    /// How many paths are read so far, in steps as ReadNewRows reports them.
    int done() const { return m_done.load(std::memory_order_relaxed); }
    /// The rows, once, with their log lines written; waits for them, giving
    /// \a progress how many are read and calling \a yield about every 16 ms.
    NewRows takeWhileServing(const std::function<void(int)> &progress,
                             const std::function<void()> &yield);

private:
    QList<QByteArray> m_rawPaths;
    std::atomic<int> m_done{0};
    std::future<NewRows> m_rows;
};

} // namespace kesto

// The walk of a large tree grows its list of paths many times over: moved as
// bytes, a path costs nothing to move.
Q_DECLARE_TYPEINFO(kesto::PathToLoad, Q_RELOCATABLE_TYPE);
