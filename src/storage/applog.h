#pragma once

#include <QString>

namespace kesto {

/// Sets the log file of this process; an empty path switches logging off
/// (the command-line tool writes no log).
void SetLogPath(const QString &path);
QString LogPath();

/// The local date and time as the log lines begin: "dd.MM.yyyy HH:mm:ss".
QString LogTimestamp();

/// Appends one line (text + CR LF) to the log; the caller puts the date and time
/// in front. Failures are ignored and never touch the earlier lines.
void WriteLog(const QString &text);

/// WriteLog(LogTimestamp() + text).
void WriteTimedLog(const QString &text);

/// Deletes the log file if it exists, read-only or not; failures are ignored.
void DeleteLog();

} // namespace kesto
