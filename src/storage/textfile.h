#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// The file boundary of the program: texts are QString inside and 8-bit files
// outside. Files are written as UTF-8 without a byte-order mark; files copied
// from Windows machines may still be Windows-1252, so reading accepts both.

namespace kesto {

/// Decodes file bytes: each valid UTF-8 sequence as UTF-8, every other byte as
/// Windows-1252. A leading UTF-8 byte-order mark is skipped.
QString DecodeText(QByteArrayView bytes);

/// DecodeText for bytes from inside a file, where EF BB BF is the character U+FEFF.
QString DecodeTextPart(QByteArrayView bytes);

/// Encodes a text for a file: UTF-8, no byte-order mark, line ends untouched.
QByteArray EncodeText(const QString &text);

/// The bytes of a regular file; a missing path or a folder gives an empty array.
/// \a errorNumber receives 0, or the errno of a failed open or read.
QByteArray ReadFileBytes(const QString &path, int *errorNumber = nullptr);

/// Replaces the file at \a path by \a bytes in one step through a temporary file
/// in the same folder, which is on the disk before it takes the old file's
/// place; a read-only old file is replaced all the same. On any failure (a full
/// disk, say) the old file stays as it was, no temporary file is left behind,
/// the user is told (see SetSaveFailureHandler) and the result is false.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);

/// Tells the user that \a path could not be saved for the system error
/// \a errorNumber (an errno value), unless a failure was told already.
void ReportSaveFailure(const QString &path, int errorNumber);

/// Writes all of \a data to \a fd; false (errno set) when the disk takes
/// less. Save failures injected for tests apply here too.
bool WriteAll(int fd, const QByteArray &data);
/// Makes the entries of \a folder durable, after a file in it was created or
/// renamed; a failure is ignored, the file itself is written by then.
void SyncFolder(const QByteArray &folder);

/// Sets who tells the user of the first file that could not be saved; later
/// failures are not told again until a handler is set anew. The default writes
/// one line on standard error.
void SetSaveFailureHandler(std::function<void(const QString &message)> handler);

/// The whole content of a regular file as text (see DecodeText); empty when the
/// file is missing or unreadable. \a errorNumber as for ReadFileBytes.
QString ReadWholeFile(const QString &path, int *errorNumber = nullptr);

/// Replaces the file at \a path by \a content (see EncodeText, WriteFileBytes).
bool WriteWholeFile(const QString &path, const QString &content);

} // namespace kesto
