#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

namespace kesto {

/// \a name folded for comparisons without regard to letter case and
/// normalization form.
QString FoldedName(const QString &name);

/// A name as the system's bytes, folded as FoldedName does, as UTF-8 into
/// \a out; plain ASCII, as most names are, takes no detour through a text.
/// False for bytes that are no UTF-8: no new name is ever written so, and
/// such a name only ever matches itself, byte for byte.
bool FoldNameBytes(std::string &out, std::string_view name);

inline std::string_view ViewOf(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

} // namespace kesto
