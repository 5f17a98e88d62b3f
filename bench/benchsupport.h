#pragma once

// What every benchmark program needs: a clock, the median of its runs and,
// for those that drive a session, answers to the session's questions.

#include "storage/questions.h"

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

} // namespace kesto::bench
