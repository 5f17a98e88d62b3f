#pragma once

#include <QString>

namespace kesto {

/// The SHA-256 of the content of the file at \a path as 64 lower-case
/// hexadecimal digits, read once from start to end; empty when it cannot be
/// read.
QString FileChecksum(const QString &path);

} // namespace kesto
