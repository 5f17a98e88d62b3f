#pragma once

#include <QString>

namespace kesto {

/// \a name folded for comparisons without regard to letter case.
QString FoldedName(const QString &name);

/// A name as a folder listing gives it, decoded and folded; null when it is
/// no UTF-8, as no new name is ever written so.
QString FoldedFileName(const char *name);

} // namespace kesto
