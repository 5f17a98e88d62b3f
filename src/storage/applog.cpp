#include "storage/applog.h"

#include "storage/datafolder.h"
#include "storage/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <type_traits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

QString &logPath()
{
    static QString path;
    return path;
}

// The log stays open between lines: loading a photo writes several lines,
// and opening the file for each cost more than reading the photo's facts.
int &logFd()
{
    static int fd = -1;
    return fd;
}

void closeLog()
{
    if (logFd() >= 0)
        ::close(logFd());
    logFd() = -1;
}

thread_local LogCapture *capture = nullptr;

int openLog(bool checkNow = false)
{
    // A log deleted behind our back is made anew, as a reopened file would be.
    // Asking once a second is enough: a load writes thousands of lines within
    // one, and a status call before each cost as much as the write.
    static time_t checked = 0;
    const time_t now = ::time(nullptr);
    if (logFd() >= 0 && (now != checked || checkNow)) {
        checked = now;
        struct stat st;
        if (::fstat(logFd(), &st) != 0 || st.st_nlink == 0)
            closeLog();
    }
    if (logFd() < 0 && !logPath().isEmpty())
        logFd() = ::open(QFile::encodeName(logPath()).constData(),
                         O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    return logFd();
}

} // namespace

// Readers on other threads ask whether to log while the window sets its
// path; they read only this flag, never the path's text.
std::atomic<bool> logPathSet{false};

void SetLogPath(const QString &path)
{
    closeLog();
    logPath() = path;
    logPathSet.store(!path.isEmpty(), std::memory_order_release);
}

QString LogPath()
{
    return logPath();
}

bool LogWanted()
{
    return capture || logPathSet.load(std::memory_order_acquire);
}

namespace {

struct Timestamp
{
    qint64 second = -1;
    QString text;
    QByteArray encoded;
};

// Many lines fall into one second; format each second once (per thread, as
// files are read side by side).
const Timestamp &timestampNow()
{
    thread_local Timestamp stamp;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now != stamp.second) {
        stamp.second = now;
        stamp.text = QDateTime::fromSecsSinceEpoch(now).toString(TimeShownFormat);
        stamp.encoded = EncodeText(stamp.text);
    }
    return stamp;
}

void appendEncoded(QByteArray &out, QAnyStringView text)
{
    text.visit([&out](auto part) {
        using Part = decltype(part);
        if constexpr (std::is_same_v<Part, QUtf8StringView>) {
            out.append(part.data(), part.size());
        } else if constexpr (std::is_same_v<Part, QLatin1StringView>) {
            const char *p = part.data();
            if (std::all_of(p, p + part.size(), [](char c) { return uchar(c) < 0x80; }))
                out.append(p, part.size());
            else
                out += EncodeText(part.toString());
        } else if (!part.isValidUtf16()) {
            // A surrogate alone: EncodeText (toUtf8) writes "?" for it, the
            // encoder U+FFFD.
            out += EncodeText(part.toString());
        } else {
            QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            const qsizetype before = out.size();
            out.resize(before + encoder.requiredSpace(part.size()));
            const char *end = encoder.appendToBuffer(out.data() + before, part);
            out.truncate(end - out.constData());
        }
    });
}

} // namespace

QString LogTimestamp()
{
    return timestampNow().text;
}

void WriteLog(const QString &text)
{
    // What is kept may be written later, when there is a log.
    if (capture) {
        capture->lines() += EncodeText(text);
        capture->lines() += "\r\n";
        return;
    }
    if (logPath().isEmpty())
        return;
    // Appending gives the same file as reading and rewriting it, without the
    // cost per line and without losing lines of a file that could not be read.
    const int fd = openLog();
    if (fd < 0)
        return;
    const QByteArray line = EncodeText(text) + "\r\n";
    // One write per line, so a line is never split by another writer.
    [[maybe_unused]] const ssize_t written = ::write(fd, line.constData(), size_t(line.size()));
}

void WriteLogLines(const QByteArray &lines)
{
    if (lines.isEmpty() || logPath().isEmpty())
        return;
    const int fd = openLog(true);
    for (qsizetype done = 0; fd >= 0 && done < lines.size();) {
        const ssize_t written = ::write(fd, lines.constData() + done, size_t(lines.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        done += written;
    }
}

LogCapture::LogCapture()
    : m_outer(capture)
{
    capture = this;
}

LogCapture::~LogCapture()
{
    capture = m_outer;
}

LogCapture::Pause::Pause()
    : m_paused(capture)
{
    capture = nullptr;
}

LogCapture::Pause::~Pause()
{
    capture = m_paused;
}

void WriteTimedLog(const QString &text)
{
    // Formatting the time costs more than a loaded file's facts; skip it
    // when nobody reads the log.
    if (LogWanted())
        WriteLog(LogTimestamp() + text);
}

void WriteTimedLog(std::initializer_list<QAnyStringView> parts)
{
    if (capture) {
        QByteArray &lines = capture->lines();
        lines += timestampNow().encoded;
        for (QAnyStringView part : parts)
            appendEncoded(lines, part);
        lines += "\r\n";
        return;
    }
    if (!LogWanted())
        return;
    QString text = LogTimestamp();
    for (QAnyStringView part : parts)
        text += part.toString();
    WriteLog(text);
}

void DeleteLog()
{
    closeLog();
    const QString path = logPath();
    if (!FileExists(path))
        return;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    QFile::remove(path);
}

} // namespace kesto
