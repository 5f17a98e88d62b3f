#pragma once

#include "metadata/filefacts.h"
#include "rename/batch.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace kesto {

/// A file of a batch as the journal keeps it: its move and what it is.
struct JournalEntry
{
    Move move;
    /// What the file was when its batch began. Read by Journal::begin()
    /// unless the list read it a moment before (readAt set). The birth time
    /// tells a file from the next one the drive gives the same inode number.
    FileIdentity identity = {};
    qint64 size = 0; ///< with identity.modified, for drives that number a file per name
    /// ContentFingerprint() where the drive's numbers do not tell files apart;
    /// 0 elsewhere. Set, it alone with size and time is the file's identity.
    quint64 fingerprint = 0;
};

/// Running: another program (or this one) renames its files right now; it
/// holds a lock on the journal that ends with it, however it ends. Damaged:
/// the journal holds what Kesto does not write, or is no file Kesto may read;
/// it is shown, never obeyed. Unrecorded: the batch ran without a journal
/// (the user agreed); it cannot be undone, and an undo says so once before it
/// takes back the batch before it.
enum class BatchState { Interrupted, Ended, Undone, Running, Damaged, Unrecorded };

/// One batch as its journal file tells it.
struct BatchRecord
{
    QString path;
    QDateTime begun;
    BatchState state = BatchState::Interrupted;
    int files = 0;          ///< 0: no batch
    QString folder;         ///< of the first file, for listings
    int newFolderCount = 0; ///< the folders the batch made for its files
    /// The files, and the folders made, outermost first; only
    /// Journal::read() fills them in.
    QList<JournalEntry> entries;
    QList<QByteArray> newFolders;
};

/// The journals of the last batches, one file each in "Kesto-Journal" in the
/// data folder. A journal is written and flushed to the disk before the first
/// rename of its batch, so that whatever stops the batch, every file can be
/// found again: under its old name, its new name or its temporary name.
///
/// The format, one record a line ended by LF, fields split by one blank:
///     Kesto-Journal 2
///     begun 2026-12-06T19:22:00.123
///     move DEVICE INODE BIRTH SIZE MTIME FINGERPRINT FOLDER OLD NEW TEMP
///     …
///     folder PATH      (a folder to make below FOLDER, outermost first)
///     …
///     planned N [F]    (N files, F folders; the plan is complete)
///     ended            (appended when the batch ends)
///     undone           (appended when it has been undone)
/// or, for a batch that ran without its moves recorded:
///     Kesto-Journal 2
///     begun …
///     unrecorded N
/// Names are the bytes of the system with every byte below 0x21, "%" and
/// 0x7F written as "%" and two hex digits; an empty TEMP is "%". NEW may
/// lead into folders below FOLDER ("2024/IMG_1.jpg"); the folders the batch
/// makes for it are recorded before it makes them. Journals of
/// version 1 have no FINGERPRINT and are read as 0 there. A journal
/// without "planned" was cut off before its batch began and counts for nothing.
/// When and where \a batch ran, for a question about it.
QString BatchFacts(const BatchRecord &batch);
/// Text for the undo command's tooltip, empty when there is nothing to undo.
QString UndoTooltip(const BatchRecord &batch);

class Journal
{
public:
    /// The folder of the journals; \a base is the data folder ("" = the usual).
    explicit Journal(const QString &base = QString());
    /// A journal that records nothing, for measuring what recording costs.
    static Journal off();

    /// Fills in the identity of each file under its old name and writes the
    /// journal of a new batch that makes \a newFolders (outermost first),
    /// locked until end(); false (nothing written) when that fails.
    bool begin(QList<JournalEntry> &entries, const QList<QByteArray> &newFolders = {});
    QString folder() const { return m_folder; }
    /// Why the last begin() failed (an errno).
    int error() const { return m_error; }
    /// Records, where a small file still fits, that a batch of \a files ran
    /// without a journal, so that no undo passes over it unsaid.
    void recordUnjournaled(int files);
    /// Records that the batch ended, and lets go of its lock; a batch whose
    /// \a filesMoved is false is recorded as undone, there being nothing to undo.
    void end(bool filesMoved = true);

    /// The kept batches, newest first, without their files (read from the
    /// head and the end of each journal only).
    QList<BatchRecord> batches() const;
    /// The newest batch not yet undone, also one still running; no files
    /// when there is none.
    BatchRecord lastBatch() const;
    /// lastBatch() unless it is still running: that one is not to be undone
    /// under its feet.
    BatchRecord undoableBatch() const;
    /// The newest batch when it was cut off (its journal has no end and no
    /// one holds it), else an empty record.
    BatchRecord interruptedBatch() const;
    /// The batch of the journal \a path with its files.
    static BatchRecord read(const QString &path);
    /// Marks the batch of \a path as undone.
    static bool markUndone(const QString &path);

    /// How many batches are kept.
    static constexpr int Kept = 20;

private:
    QString m_folder;
    QString m_current;
    std::shared_ptr<int> m_lock; ///< the descriptor holding the batch's lock
    bool m_off = false;
    int m_error = 0;

    // A new journal file holding \a text, locked; its descriptor, or -1.
    int create(const QByteArray &text, const QDateTime &now);
};

/// Where a journal's file is now: the names it may have, checked against
/// its identity.
enum class FoundAt { Old, New, Temp, UndoTemp, Nowhere, Ambiguous };
/// The error an undo gives a file whose content another file shares, so that
/// it cannot tell which is the batch's.
inline constexpr int UndoAmbiguous = -1;
FoundAt LocateEntry(const JournalEntry &entry);

/// Undoes \a batch: every file still under its new (or temporary) name and
/// still the same file goes back to its old name, never replacing anything;
/// \a failed is told of each file that stays where it is (errno, or 0 for a
/// file that moved on or vanished). Then each folder the batch made goes,
/// deepest first, if it is empty. Marks the batch undone. Returns the moves
/// made back, whether every file is under its old name now and the folders
/// made that stay.
struct UndoResult
{
    QList<Move> movedBack;
    bool complete = true;
    bool declined = false;        ///< the user was asked first and said No: nothing was tried
    QStringList keptFolders = {}; ///< folders the batch made that hold something, as shown
};
UndoResult UndoBatch(const BatchRecord &batch,
                     const std::function<void(const JournalEntry &, int error)> &failed);

} // namespace kesto
