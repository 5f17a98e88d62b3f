#pragma once

// What the benchmark programs share: a clock, the median of their runs,
// answers to the session's questions and generated rows.

#include "filelist/fileentry.h"
#include "storage/questions.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <vector>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace kesto::bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

/// Says yes to every question, so a benchmark never waits for anyone.
class NoQuestions : public UserQuestions
{
public:
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
    bool askYesNo(const QString &, const QString &) override { return true; }
    bool askOkCancel(const QString &, const QString &) override { return true; }
};

/// The yardstick of every rename: a bare renameat2 loop over \a paths, each
/// to its name with "_r" before its four-character extension. Milliseconds.
inline double plainLoop(const QStringList &paths)
{
    std::vector<std::pair<QByteArray, QByteArray>> pairs;
    pairs.reserve(size_t(paths.size()));
    for (const QString &path : paths) {
        const QByteArray from = QFile::encodeName(path);
        pairs.emplace_back(from, from.chopped(4) + "_r" + from.right(4));
    }
    const auto t = Clock::now();
    for (const auto &[from, to] : pairs)
        ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    return msSince(t);
}

/// \a n empty files in \a dir, named \a prefix, six digits from 1 and
/// \a suffix; their paths, in that order.
inline QStringList makeEmptyFiles(const QString &dir, int n, const QString &prefix,
                                  const QString &suffix)
{
    QStringList paths;
    paths.reserve(n);
    for (int i = 1; i <= n; ++i) {
        const QString path =
            dir + u'/' + prefix + QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')) + suffix;
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
        paths << path;
    }
    return paths;
}

/// One measurement of a benchmark program: its name on the command line,
/// what it runs, and for how many files or rows unless told.
struct Mode
{
    const char *name;
    int (*run)(int count);
    int count;
};

/// Runs the mode named by the first argument (with the count of the second,
/// if given), or every mode without arguments.
inline int runModes(int argc, char *argv[], std::initializer_list<Mode> modes)
{
    const QByteArray wanted = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const int count = argc > 2 ? QByteArray(argv[2]).toInt() : 0;
    for (const Mode &m : modes) {
        if (wanted == m.name)
            return m.run(count > 0 ? count : m.count);
    }
    for (const Mode &m : modes)
        m.run(m.count);
    return 0;
}

/// \a rows photo rows in \a folder (with its final "/"), IMG_000000.JPG
/// upwards, all with one change date and size; no files are made.
inline constexpr qint64 ChangeDate = 1142327107;

inline QList<FileEntry> generatedRows(int rows,
                                      const QString &folder = QStringLiteral("/bilder/urlaub/"))
{
    QList<FileEntry> entries;
    entries.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        FileEntry e = FileEntry::fromPath(
            folder + QStringLiteral("IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0')));
        e.size = 2345 * 1024; // shown as "2345 KB"
        e.sizeShown = true;
        e.modifiedAt = ChangeDate; // 2006-03-14 09:05:07 UTC
        entries.append(e);
    }
    return entries;
}

} // namespace kesto::bench
