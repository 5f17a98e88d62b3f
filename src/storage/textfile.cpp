#include "storage/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

} // namespace

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
        *errorNumber = QFileDevice::NoError;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorNumber)
            *errorNumber = file.error();
        return {};
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError && errorNumber)
        *errorNumber = file.error();
    return bytes;
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir())
        return false;
    // QSaveFile refuses a read-only target; the old file is to go all the same.
    if (info.exists() && !info.isWritable())
        QFile::setPermissions(path, info.permissions() | QFileDevice::WriteOwner);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
