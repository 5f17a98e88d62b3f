#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

#include <dirent.h>

namespace kesto {

/// \a name folded for comparisons without regard to letter case and
/// normalization form.
QString FoldedName(const QString &name);

/// A name as the system's bytes, folded as FoldedName does, as UTF-8 into
/// \a out; plain ASCII, as most names are, takes no detour through a text.
/// False for bytes that are no UTF-8: no new name is ever written so, and
/// such a name only ever matches itself, byte for byte.
bool FoldNameBytes(std::string &out, std::string_view name);

/// Calls \a visit with the folded name (FoldNameBytes) of every entry of the
/// folder \a path ("" = the current one) but "." and ".."; false when the
/// folder cannot be listed.
template<typename Visit> bool ForEachFoldedEntry(const char *path, Visit &&visit)
{
    DIR *dir = ::opendir(*path ? path : ".");
    if (!dir)
        return false;
    std::string key;
    while (const dirent *d = ::readdir(dir)) {
        const char *n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        if (FoldNameBytes(key, n))
            visit(key);
    }
    ::closedir(dir);
    return true;
}

inline std::string_view ViewOf(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

} // namespace kesto
