#pragma once

// What the benchmark programs share: a clock, the median of their runs,
// answers to the session's questions and generated rows.

#include "filelist/fileentry.h"
#include "storage/questions.h"

#include <QList>

#include <algorithm>
#include <chrono>
#include <vector>

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

/// \a rows photo rows in one folder, IMG_000000.JPG upwards, all with one
/// change date and size; no files behind them.
inline QList<FileEntry> generatedRows(int rows)
{
    QList<FileEntry> entries;
    entries.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        FileEntry e = FileEntry::fromPath(
            QStringLiteral("/bilder/urlaub/IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0')));
        e.Modified = QStringLiteral("2006-03-14 09-05-07");
        e.SizeText = QStringLiteral("2.345 KB");
        entries.append(e);
    }
    return entries;
}

} // namespace kesto::bench
