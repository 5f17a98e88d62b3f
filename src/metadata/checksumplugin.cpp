// The only part of the core that needs OpenSSL: the SHA-256 of a file's
// content. It is a module of its own, loaded on first use, so that the
// programs start without OpenSSL's library and its relocations.

#include <QFile>

#include <cerrno>
#include <memory>

#include <openssl/evp.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Large pieces keep the calls few; the hash, not the reading, sets the pace.
// OpenSSL uses the processor's SHA instructions, which Qt's own hash does not
// (twice as slow as sha256sum over a gigabyte).
constexpr qsizetype PieceSize = 1024 * 1024;

using Digest = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

} // namespace

// Sets \a checksum to the 64 lower-case hexadecimal digits, or leaves it
// empty when the file cannot be read.
extern "C" Q_DECL_EXPORT void kesto_file_checksum(const QString *path, QString *checksum)
{
    const int fd = ::open(QFile::encodeName(*path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const Digest digest(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    bool ok = digest && EVP_DigestInit_ex(digest.get(), EVP_sha256(), nullptr) == 1;
    QByteArray piece(PieceSize, Qt::Uninitialized);
    for (ssize_t got = 0; ok && (got = ::read(fd, piece.data(), PieceSize)) != 0;) {
        if (got < 0)
            ok = errno == EINTR;
        else
            ok = EVP_DigestUpdate(digest.get(), piece.constData(), size_t(got)) == 1;
    }
    ::close(fd);
    unsigned char sum[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!ok || EVP_DigestFinal_ex(digest.get(), sum, &length) != 1)
        return;
    *checksum =
        QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(sum), length).toHex());
}
