#pragma once

#include <QString>

namespace kesto {

/// Sets the log file of this process; an empty path switches logging off
/// (the command-line tool writes no log).
void SetLogPath(const QString &path);
QString LogPath();

/// The local date and time as the log lines begin: "dd.MM.yyyy HH:mm:ss".
QString LogTimestamp();

/// Appends one line (text + CR LF) to the log. Failures are ignored.
void WriteLog(const QString &text);

/// Deletes the log file if it exists; failures are ignored.
void DeleteLog();

} // namespace kesto
