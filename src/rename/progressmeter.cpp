#include "rename/progressmeter.h"

#include <QCoreApplication>

#include <chrono>
#include <utility>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ProgressMeter)
};

qint64 steadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString duration(qint64 seconds)
{
    const auto two = [](qint64 n) { return QString::number(n).rightJustified(2, u'0'); };
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1:%2 min").arg(seconds / 60).arg(two(seconds % 60));
    return QStringLiteral("%1:%2:%3 h")
        .arg(seconds / 3600)
        .arg(two(seconds / 60 % 60), two(seconds % 60));
}

} // namespace

ProgressMeter::ProgressMeter(qint64 delay, Clock clock)
    : m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds))
    , m_delay(delay)
    , m_runStart(m_clock())
{}

ProgressMeter::Show ProgressMeter::update(int done, int total)
{
    m_now = m_clock();
    m_done = done;
    m_total = total;
    if (done == 0) {
        m_stepBegun = false;
        return std::exchange(m_shown, false) ? Show::Clear : Show::Nothing;
    }
    if (!std::exchange(m_stepBegun, true)) {
        m_firstAt = m_now;
        m_firstDone = done;
    }
    if (m_now - m_runStart < m_delay || (m_shown && m_now - m_shownAt < Interval))
        return Show::Nothing;
    m_shown = true;
    m_shownAt = m_now;
    return Show::Line;
}

QString ProgressMeter::text() const
{
    QString line = m_total == 1 ? Text::tr("%1 von 1 Datei").arg(m_done)
                                : Text::tr("%1 von %2 Dateien").arg(m_done).arg(m_total);
    const qint64 elapsed = m_now - m_firstAt;
    const qint64 done = m_done - m_firstDone;
    if (done > 0 && elapsed > 0) {
        const qint64 millisecondsLeft = qint64(m_total - m_done) * elapsed / done;
        line += Text::tr(", %1 Dateien/s, noch %2")
                    .arg(done * 1000 / elapsed)
                    .arg(duration((millisecondsLeft + 999) / 1000));
    }
    return line;
}

} // namespace kesto
