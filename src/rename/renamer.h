#pragma once

#include <QByteArray>
#include <QString>

namespace kesto {

/// Whether \a name can be a file name here at all: not empty, not "." or
/// "..", no "/" and no NUL character. Other characters are the file system's
/// business.
bool IsPossibleFileName(const QString &name);

/// Renames \a from to \a to and never replaces an existing entry, not even
/// one that appears while the call runs. A new name that differs only in
/// letter case on a case-insensitive file system gets the new spelling.
/// Returns 0 on success, else the errno of the failure.
int RenameNoReplace(const QString &from, const QString &to);
/// The same for paths as the system knows them.
int RenameNoReplace(const QByteArray &from, const QByteArray &to);

} // namespace kesto
