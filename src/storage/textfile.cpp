#include "storage/textfile.h"

#include "storage/messages.h"
#include "storage/writefaults.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

// Windows-1252 for 0x80 .. 0x9F; the five unassigned bytes keep their C1 code
// as Windows itself maps them. 0xA0 .. 0xFF equal Latin-1.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t cp1252(uchar b)
{
    if (b >= 0x80 && b < 0xA0)
        return Cp1252High[b - 0x80];
    return b;
}

// Length of the well-formed UTF-8 sequence at p (1 .. 4), or 0 when the bytes
// there are no such sequence (overlong forms and surrogates included).
int utf8Length(const uchar *p, qsizetype left)
{
    const uchar b = p[0];
    auto cont = [&](qsizetype k, uchar lo = 0x80, uchar hi = 0xBF) {
        return k < left && p[k] >= lo && p[k] <= hi;
    };
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return cont(1) ? 2 : 0;
    if (b == 0xE0)
        return cont(1, 0xA0) && cont(2) ? 3 : 0;
    if ((b >= 0xE1 && b <= 0xEC) || b == 0xEE || b == 0xEF)
        return cont(1) && cont(2) ? 3 : 0;
    if (b == 0xED)
        return cont(1, 0x80, 0x9F) && cont(2) ? 3 : 0;
    if (b == 0xF0)
        return cont(1, 0x90) && cont(2) && cont(3) ? 4 : 0;
    if (b >= 0xF1 && b <= 0xF3)
        return cont(1) && cont(2) && cont(3) ? 4 : 0;
    if (b == 0xF4)
        return cont(1, 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

struct SaveFailures
{
    std::function<void(const QString &)> handler = [](const QString &message) {
        std::fprintf(stderr, "Kesto: %s\n", message.toLocal8Bit().constData());
    };
    bool told = false;
    std::optional<writefaults::WriteStep> injectedStep;
    int injectedError = 0;
};

SaveFailures &saveFailures()
{
    static SaveFailures failures;
    return failures;
}

// Whether a test asked the step to fail; sets errno as the system call would.
bool injectedFailure(writefaults::WriteStep step)
{
    if (saveFailures().injectedStep != step)
        return false;
    errno = saveFailures().injectedError;
    return true;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    // A disk that fills up takes the first part of the bytes and refuses the rest.
    const bool failHalfway = injectedFailure(writefaults::WriteStep::Write);
    const qsizetype end = failHalfway ? size / 2 : size;
    qsizetype done = 0;
    while (done < end) {
        const ssize_t n = ::write(fd, data + done, size_t(end - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return !(failHalfway && injectedFailure(writefaults::WriteStep::Write));
}

} // namespace

bool WriteAll(int fd, const QByteArray &data)
{
    return writeAll(fd, data.constData(), data.size());
}

void SyncFolder(const QByteArray &folder)
{
    const int fd =
        ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void writefaults::FailWritesAt(std::optional<WriteStep> step, int errorNumber)
{
    saveFailures().injectedStep = step;
    saveFailures().injectedError = errorNumber;
}

void SetSaveFailureHandler(std::function<void(const QString &message)> handler)
{
    saveFailures().handler = std::move(handler);
    saveFailures().told = false;
}

void ReportSaveFailure(const QString &path, int errorNumber)
{
    SaveFailures &failures = saveFailures();
    if (failures.told)
        return;
    failures.told = true;
    if (failures.handler)
        failures.handler(storagemessages::fileNotSaved(path, qt_error_string(errorNumber),
                                                       QFileInfo(path).isFile()));
}

QString DecodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return DecodeTextPart(bytes);
}

QString DecodeTextPart(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const int len = utf8Length(p + i, n - i);
        if (len == 0) {
            out.append(QChar(cp1252(p[i])));
            ++i;
            continue;
        }
        char32_t code = len == 1 ? p[i] : p[i] & (0xFF >> (len + 1));
        for (int k = 1; k < len; ++k)
            code = (code << 6) | (p[i + k] & 0x3F);
        if (QChar::requiresSurrogates(code)) {
            out.append(QChar(QChar::highSurrogate(code)));
            out.append(QChar(QChar::lowSurrogate(code)));
        } else {
            out.append(QChar(char16_t(code)));
        }
        i += len;
    }
    return out;
}

QByteArray EncodeText(const QString &text)
{
    return text.toUtf8();
}

QByteArray ReadFileBytes(const QString &path, int *errorNumber)
{
    if (errorNumber)
        *errorNumber = 0;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errorNumber)
            *errorNumber = errno;
        return {};
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errorNumber)
            *errorNumber = errno;
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir()) {
        ReportSaveFailure(path, EISDIR);
        return false;
    }
    // Through a link (or a chain of them) the file at its end is replaced,
    // and every link stays; a loop ends after as many links as the system follows.
    QString end = path;
    for (int hops = 0; hops < 40 && QFileInfo(end).isSymLink(); ++hops)
        end = QFileInfo(end).symLinkTarget();
    const QFileInfo target(end);
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    QByteArray tempName = folder + "/." + QFile::encodeName(target.fileName()) + ".XXXXXX";

    const int fd = injectedFailure(writefaults::WriteStep::Create)
                       ? -1
                       : ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        ReportSaveFailure(path, errno);
        return false;
    }
    // The new file keeps the old one's rights; a new one gets the usual ones.
    struct stat old;
    mode_t mode = 0;
    if (::stat(targetName.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode = ::umask(0);
        ::umask(mode);
        mode = 0666 & ~mode;
    }
    ::fchmod(fd, mode);

    // Every step must succeed before the old file is given up: a write the
    // disk refused, or data that never reached it, would replace good content
    // by a cut or empty file.
    bool ok = writeAll(fd, bytes.constData(), bytes.size()) &&
              !injectedFailure(writefaults::WriteStep::Sync) && ::fsync(fd) == 0;
    int error = errno;
    const bool closed = ::close(fd) == 0 && !injectedFailure(writefaults::WriteStep::Close);
    if (ok && !closed)
        error = errno;
    ok = ok && closed;
    if (ok) {
        ok = !injectedFailure(writefaults::WriteStep::Rename) &&
             ::rename(tempName.constData(), targetName.constData()) == 0;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        ReportSaveFailure(path, error);
        return false;
    }
    SyncFolder(folder);
    return true;
}

QString ReadWholeFile(const QString &path, int *errorNumber)
{
    return DecodeText(ReadFileBytes(path, errorNumber));
}

bool WriteWholeFile(const QString &path, const QString &content)
{
    return WriteFileBytes(path, EncodeText(content));
}

} // namespace kesto
