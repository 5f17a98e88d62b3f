#include "rename/namefold.h"

#include <cstring>

namespace kesto {

// Most names are plain ASCII, which needs no table lookups; and a name
// without capitals is its own folded form, which needs no copy.
QString FoldedName(const QString &s)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(s.utf16());
    const qsizetype n = s.size();
    bool upper = false;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] >= 0x80)
            return s.toCaseFolded();
        upper |= p[i] >= u'A' && p[i] <= u'Z';
    }
    if (!upper)
        return s;
    QString out(n, Qt::Uninitialized);
    char16_t *q = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i)
        q[i] = p[i] >= u'A' && p[i] <= u'Z' ? char16_t(p[i] + 32) : p[i];
    return out;
}

QString FoldedFileName(const char *name)
{
    const qsizetype n = qsizetype(std::strlen(name));
    QString out(n, Qt::Uninitialized);
    char16_t *q = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 0x80) {
            const QUtf8StringView bytes(name, n);
            return bytes.isValidUtf8() ? FoldedName(bytes.toString()) : QString();
        }
        q[i] = c >= 'A' && c <= 'Z' ? char16_t(c + 32) : char16_t(c);
    }
    return out;
}

} // namespace kesto
