#include "metadata/checksum.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace kesto {

namespace {

// Large pieces keep the calls few; the hash, not the reading, sets the pace.
constexpr qsizetype PieceSize = 1024 * 1024;

} // namespace

QString FileChecksum(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray piece(PieceSize, Qt::Uninitialized);
    ssize_t got = 0;
    while ((got = ::read(fd, piece.data(), PieceSize)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return {};
        }
        hash.addData(QByteArrayView(piece.constData(), got));
    }
    ::close(fd);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace kesto
