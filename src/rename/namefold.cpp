#include "rename/namefold.h"

namespace kesto {

// Most names are plain ASCII, which needs no table lookups; and a name
// without capitals is its own folded form, which needs no copy. Others are
// compared in their composed form (NFC): "Ä" typed and "A" with its dots as
// a Mac writes it are one name.
QString FoldedName(const QString &s)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(s.utf16());
    const qsizetype n = s.size();
    bool upper = false;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] >= 0x80)
            return s.toCaseFolded().normalized(QString::NormalizationForm_C);
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

bool FoldNameBytes(std::string &out, std::string_view name)
{
    out.clear();
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80) {
            const QUtf8StringView bytes(name.data(), qsizetype(name.size()));
            if (!bytes.isValidUtf8())
                return false;
            out = FoldedName(bytes.toString()).toStdString();
            return true;
        }
        out += c >= 'A' && c <= 'Z' ? char(c + 32) : ch;
    }
    return true;
}

} // namespace kesto
