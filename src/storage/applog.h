#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QString>

#include <initializer_list>

namespace kesto {

/// Sets the log file of this process; an empty path switches logging off
/// (the command-line tool writes no log).
void SetLogPath(const QString &path);
QString LogPath();
/// Whether lines written now go anywhere: to the log, or into a LogCapture
/// of this thread (which may be written once there is a log).
bool LogWanted();

/// How a local date and time is shown: at the start of each log line, and
/// for each batch in the undo command's tooltip and the command line's history.
inline constexpr QLatin1StringView TimeShownFormat("dd.MM.yyyy HH:mm:ss");

/// The local date and time of now, as the log lines begin (TimeShownFormat).
QString LogTimestamp();

/// Appends one line (text + CR LF) to the log; the caller puts the date and time
/// in front. Failures are ignored and never touch the earlier lines.
void WriteLog(const QString &text);

/// WriteLog(LogTimestamp() + text).
void WriteTimedLog(const QString &text);

/// WriteTimedLog of the parts joined; while lines are kept, they are encoded
/// straight into the kept lines (a load writes two lines per file).
void WriteTimedLog(std::initializer_list<QAnyStringView> parts);

/// While it lives, the lines this thread writes to the log are kept in
/// lines() instead, in the order written, ending in CR LF each, so that work
/// done side by side can write them afterwards in a fixed order.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QByteArray &lines() { return m_lines; }

    /// While it lives, this thread writes to the log itself again (for what
    /// happens while a window is served in the middle of the work).
    class Pause
    {
    public:
        Pause();
        ~Pause();
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;

    private:
        LogCapture *m_paused;
    };

private:
    QByteArray m_lines;
    LogCapture *m_outer;
};

/// Appends lines, as LogCapture keeps them, to the log in one write. A log
/// deleted since is made anew first (single lines look for that once a second).
void WriteLogLines(const QByteArray &lines);

/// Deletes the log file if it exists, read-only or not; failures are ignored.
void DeleteLog();

} // namespace kesto
