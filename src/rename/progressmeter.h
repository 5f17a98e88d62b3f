#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace kesto {

/// Follows the progress a session reports (Session::progressChanged) and says
/// when a front end should show it as a line of text: only once the run has
/// lasted longer than a delay, so that a short run stays silent, and at most
/// once an interval, so that showing costs nothing beside the work. A value
/// of 0 begins a step of the run (loading, naming, renaming) and ends the one
/// before; files per second and the time left are those of the current step,
/// counted from its first file done (what comes before it, such as the full
/// test before the first rename, would make them wrong).
class ProgressMeter
{
public:
    /// Milliseconds on a clock that never goes back.
    using Clock = std::function<qint64()>;
    static constexpr qint64 DefaultDelay = 1000;
    static constexpr qint64 Interval = 100;

    /// The run begins now, by \a clock (the system's steady clock when empty).
    explicit ProgressMeter(qint64 delay = DefaultDelay, Clock clock = {});

    enum class Show {
        Nothing, ///< leave what is shown
        Line,    ///< show text() in place of what is shown
        Clear,   ///< take the line shown away
    };
    /// Takes the progress of now, \a done of \a total.
    Show update(int done, int total);
    /// "1200 von 5000 Dateien, 400 Dateien/s, noch 10 s"; files per second
    /// and the time left from the second update of a step on.
    QString text() const;

private:
    Clock m_clock;
    qint64 m_delay;
    qint64 m_runStart;
    qint64 m_now = 0;
    qint64 m_shownAt = 0;
    int m_done = 0;
    int m_total = 0;
    bool m_shown = false;
    // The first update of the step with a file done, which the rate counts from.
    bool m_stepBegun = false;
    qint64 m_firstAt = 0;
    int m_firstDone = 0;
};

} // namespace kesto
