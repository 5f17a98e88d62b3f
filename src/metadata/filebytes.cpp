#include "metadata/filebytes.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kesto {

namespace {

// Reads up to \a length bytes at \a offset; short only at the end of the file.
qsizetype readAt(int fd, quint8 *buffer, qsizetype length, qint64 offset)
{
    qsizetype done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd, buffer + done, size_t(length - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

// Whether the first page of the file is in the page cache, asked without
// reading it: a read that must not wait (RWF_NOWAIT) would start reading it
// from the disk. Where the system cannot tell (before Linux 6.5), the file
// counts as one on the disk, the safe side.
bool headInPageCache(int fd)
{
#ifdef __linux__
#ifdef SYS_cachestat
    constexpr long CacheStatCall = SYS_cachestat;
#else
    constexpr long CacheStatCall = 451; // older headers lack it; the common number
#endif
    // A kernel or sandbox without it says so once; it is not asked again.
    static std::atomic<bool> refused{false};
    if (refused.load(std::memory_order_relaxed))
        return false;
    struct
    {
        quint64 offset, length;
    } range = {0, 1};
    struct
    {
        quint64 cached, dirty, writeback, evicted, recentlyEvicted;
    } status = {};
    if (::syscall(CacheStatCall, fd, &range, &status, 0) == 0)
        return status.cached > 0;
    if (errno == ENOSYS || errno == EPERM)
        refused.store(true, std::memory_order_relaxed);
    return false;
#else
    Q_UNUSED(fd);
    return false;
#endif
}

} // namespace

FileBytes::FileBytes(qsizetype pieceSize, qsizetype headSize)
    : m_pieceSize(std::max<qsizetype>(pieceSize, 8))
    , m_headSize(std::clamp<qsizetype>(headSize, 8, m_pieceSize))
    , m_coldHeadSize(std::clamp<qsizetype>(4 * headSize, m_headSize, m_pieceSize))
{}

FileBytes::~FileBytes()
{
    close();
}

int FileBytes::openForReading(const QByteArray &localPath, bool followLink, int folderFd)
{
    if (localPath.isEmpty())
        return -1;
    // O_NONBLOCK keeps a named pipe from blocking the open; only regular files
    // are read afterwards.
    return ::openat(folderFd, localPath.constData(),
                    O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (followLink ? 0 : O_NOFOLLOW));
}

bool FileBytes::open(const QString &path)
{
    close();
    const int fd = openForReading(QFile::encodeName(path));
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    return adopt(fd, st.st_size);
}

bool FileBytes::adopt(int fd, qint64 size)
{
    close();
    if (size <= 0) {
        ::close(fd);
        return false;
    }
    // A head in the page cache is copied no further than its directories
    // mostly reach. One that must come from the disk comes with what usually
    // follows, up to a camera's thumbnail directory: another trip to the disk
    // costs far more than the bytes.
    const bool warm = headInPageCache(fd);
    if (!warm) {
        // Only a few KiB of a photo are read, here and there; the read-ahead
        // the kernel does for a file read from its start would fetch hundreds
        // of KiB more from a cold disk, and on a slow disk that is most of
        // the time. A warm file has no disk to wait for, so it is not asked.
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    }
    const qsizetype want = qsizetype(std::min<qint64>(size, warm ? m_headSize : m_coldHeadSize));
    m_head.reset(new quint8[size_t(want)]);
    const qsizetype got = readAt(fd, m_head.get(), want, 0);
    if (got <= 0) {
        ::close(fd);
        m_head.reset();
        return false;
    }
    m_fd = fd;
    m_headLength = got;
    // A head shorter than asked means the file shrank since its status was read.
    m_size = got < want ? got : size;
    return true;
}

void FileBytes::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    m_headLength = 0;
    m_windowLength = 0;
    m_windowStart = 0;
    m_onwardReads = 0;
}

bool FileBytes::fill(qint64 index)
{
    const bool onward =
        index == (m_windowLength > 0 ? m_windowStart + m_windowLength : m_headLength);
    if (!onward) {
        m_onwardReads = 0;
    } else if (++m_onwardReads == 2 && m_fd >= 0) {
        // A scan that goes on past one piece reads the file to its end; with
        // the kernel's read-ahead back on, the next pieces are ready when
        // asked for. (Larger pieces were measured to make a cold read slower.)
        ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    // A scan reads on in whole pieces. A jump, to a directory or a value
    // further on, reads no more than the head did: copying a whole piece
    // for the few bytes of a directory cost more than the call itself.
    const qsizetype length = onward ? m_pieceSize : m_headSize;
    if (m_windowCapacity < length) {
        m_window.reset(new quint8[size_t(length)]);
        m_windowCapacity = length;
    }
    const qsizetype want = qsizetype(std::min<qint64>(length, m_size - index));
    m_windowStart = index;
    m_windowLength = m_fd >= 0 ? readAt(m_fd, m_window.get(), want, index) : 0;
    return m_windowLength > 0;
}

const quint8 *FileBytes::piece(qint64 index, qsizetype *length)
{
    if (index < 0 || index >= m_size)
        return nullptr;
    if (index < m_headLength) {
        *length = m_headLength - qsizetype(index);
        return m_head.get() + index;
    }
    if (index < m_windowStart || index >= m_windowStart + m_windowLength) {
        if (!fill(index))
            return nullptr;
    }
    *length = qsizetype(m_windowStart + m_windowLength - index);
    return m_window.get() + (index - m_windowStart);
}

const quint8 *FileBytes::bytes(qint64 index, qsizetype n)
{
    if (index < 0 || n > 8 || index > m_size - n)
        return nullptr;
    if (index + n <= m_headLength)
        return m_head.get() + index;
    if (index >= m_windowStart && index + n <= m_windowStart + m_windowLength)
        return m_window.get() + (index - m_windowStart);
    // A number that straddles the end of the head is read again as a whole.
    if (!fill(index) || m_windowLength < n)
        return nullptr;
    return m_window.get();
}

bool FileBytes::byte(qint64 index, quint8 *out)
{
    const quint8 *p = bytes(index, 1);
    if (!p)
        return false;
    *out = *p;
    return true;
}

qint64 FileBytes::findPair(qint64 from, quint8 first, quint8 second)
{
    qint64 start = std::max<qint64>(from, 0);
    while (start + 1 < m_size) {
        qsizetype length = 0;
        const quint8 *p = piece(start, &length);
        if (!p)
            return -1;
        const quint8 *end = p + length;
        for (const quint8 *q = p; q < end; ++q) {
            q = static_cast<const quint8 *>(std::memchr(q, first, size_t(end - q)));
            if (!q)
                break;
            const qint64 at = start + (q - p);
            if (q + 1 < end) {
                if (q[1] == second)
                    return at;
                continue;
            }
            // The pair straddles the end of this piece; the next read replaces it.
            quint8 next = 0;
            if (!byte(at + 1, &next))
                return -1;
            if (next == second)
                return at;
            break;
        }
        start += length;
    }
    return -1;
}

} // namespace kesto
