#pragma once

#include <fcntl.h>

#include <QString>
#include <QtGlobal>

#include <memory>

namespace kesto {

/// Read-only access to the bytes of one regular file without reading all of it:
/// the head comes in one read, every later piece by a positioned read when an
/// index goes past what is buffered.
class FileBytes
{
public:
    static constexpr qsizetype DefaultPieceSize = 64 * 1024;
    /// The directories of a camera's Exif block, up to its capture date, mostly
    /// lie within its first KiB; what lies further on is read when asked for.
    static constexpr qsizetype DefaultHeadSize = 4 * 1024;

    /// \a pieceSize is the length of each read on from the end of the one
    /// before; the head, and any read elsewhere, is \a headSize long (at most
    /// \a pieceSize). A head not in the page cache is read four times as long.
    explicit FileBytes(qsizetype pieceSize = DefaultPieceSize,
                       qsizetype headSize = DefaultHeadSize);
    ~FileBytes();
    FileBytes(const FileBytes &) = delete;
    FileBytes &operator=(const FileBytes &) = delete;

    /// Opens a regular, non-empty file and reads its head; false otherwise.
    bool open(const QString &path);
    /// Takes over \a fd, open for reading on a regular file of \a size bytes,
    /// and reads its head; false (and \a fd closed) when nothing can be read.
    bool adopt(int fd, qint64 size);
    /// A descriptor for reading \a localPath (the path in the file system's
    /// encoding) that never blocks on a named pipe, or -1. Without
    /// \a followLink a link is not opened (errno ELOOP).
    static int openForReading(const QByteArray &localPath, bool followLink = true,
                              int folderFd = AT_FDCWD);
    void close();

    /// The file length when it was opened (0 when nothing is open).
    qint64 size() const { return m_size; }

    /// The byte at \a index, or false when the index lies outside the file or
    /// the read fails.
    bool byte(qint64 index, quint8 *out);
    /// \a n (at most 8) bytes from \a index, valid until the next call; nullptr
    /// when any of them lies outside the file or cannot be read.
    const quint8 *bytes(qint64 index, qsizetype n);
    /// The bytes from \a index up to the end of the buffered piece that holds it
    /// (reading that piece first); nullptr outside the file.
    const quint8 *piece(qint64 index, qsizetype *length);

    /// The first index i >= \a from with bytes i, i+1 equal to \a first, \a second;
    /// -1 when there is none.
    qint64 findPair(qint64 from, quint8 first, quint8 second);

private:
    bool fill(qint64 index);

    qsizetype m_pieceSize;
    qsizetype m_headSize;
    qsizetype m_coldHeadSize;
    int m_fd = -1;
    qint64 m_size = 0;
    std::unique_ptr<quint8[]> m_head;
    qsizetype m_headLength = 0;
    std::unique_ptr<quint8[]> m_window;
    qsizetype m_windowCapacity = 0;
    // Reads in a row, each where the one before ended, as a scan through a
    // file without an Exif block does.
    int m_onwardReads = 0;
    qint64 m_windowStart = 0;
    qsizetype m_windowLength = 0;
};

} // namespace kesto
